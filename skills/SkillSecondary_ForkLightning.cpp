#include "skills/SkillSecondary_ForkLightning.h"

#include "characters/Character.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "skills/SkillServicesBase.h"
#include "skills/SkillWorldQueries.h"
#include "world/Lightning.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(SkillSecondary_ForkLightning, SkillSecondary);

SkillSecondary_ForkLightning::SkillSecondary_ForkLightning()
{
    SetDisplayClassText("^bSecondary Skill Fork Lightning");
}

SkillSecondary_ForkLightning::~SkillSecondary_ForkLightning() = default;

void SkillSecondary_ForkLightning::ActivateNow(Character& owner, uint32_t target,
                                               const std::vector<uint32_t>& targets,
                                               const WorldVec3& point)
{
    SkillServicesBase* services = ServicesOf(*this);
    if (!IsSkillEnabled() || services == nullptr || !SparkDrawn())
        return;
    std::vector<uint32_t> excluded = targets;
    excluded.push_back(target);
    std::vector<uint32_t> forks;
    while (forks.size() < GetSparkLimit()) {
        const uint32_t next = PickSparkTarget(owner, point, false, excluded);
        if (next == 0)
            break;
        forks.push_back(next);
        excluded.push_back(next);
    }
    if (!forks.empty())
        services->SendTargetResult(GetObjectId(), forks, WorldCoords(point),
                                   static_cast<uint32_t>(GameEngine::Get().GetRandomSeed()), 0,
                                   false);
}

void SkillSecondary_ForkLightning::TargetResult(Character& /*owner*/,
                                                const std::vector<uint32_t>& targets,
                                                const WorldCoords& origin, uint32_t resultSeed,
                                                uint32_t /*weaponId*/, bool /*melee*/)
{
    if (IsResultRefused(targets.size()))
        return;
    seed = resultSeed;
    const WorldVec3 point = origin.GetPosition();
    PlayHitSound(point);
    for (uint32_t id : targets) {
        const auto* target = ObjectManager::Instance().GetObject<Character>(id);
        if (target == nullptr)
            continue;
        Link link{
            0,    id, false, false, target->GetAttachedCoords(Name::Create("Target")).GetPosition(),
            point};
        LaunchEffect(link);
        links.push_back(link);
    }
}

void SkillSecondary_ForkLightning::Update(Character& owner, int32_t elapsedMs)
{
    SkillSecondaryBolts::Update(owner, elapsedMs);
    std::erase_if(links, [this, &owner](const Link& link) {
        Lightning* bolt = GetEffect(link);
        if (bolt != nullptr && !bolt->HasReachedTarget())
            return false;
        CompleteLink(owner, link);
        // Forks are not held at their targets.
        if (bolt != nullptr)
            bolt->SetPause(false);
        return true;
    });
}

void SkillSecondary_ForkLightning::ApplyLink(Character& owner, Character& target, const Link& link)
{
    StrikeLink(owner, target, link);
}

} // namespace GAME
