#include "skills/SkillSecondaryChain.h"

#include "characters/Character.h"
#include "combat/ParametersCombat.h"
#include "core/RandomUniform.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "game/GameEngine.h"
#include "skills/SkillProfile.h"
#include "skills/SkillServicesBase.h"
#include "skills/SkillWorldQueries.h"
#include "world/Lightning.h"

#include <algorithm>

namespace GAME {

// A chain is decided once, on the controlling machine: the rounds of spark draws pick the
// targets in order and one result carries them. Every machine then plays the bolts alike: one
// bolt flies at a time, from the last target reached to the next, and the hit lands when it
// arrives; once every link is done the bolts are let go in order and fade one after another.

uint32_t SkillSecondaryBolts::GetSparkLimit() const
{
    return std::min(GetSkillProfile().GetSparkMaxNumber(GetCurrentLevel()), kMaxSparks);
}

bool SkillSecondaryBolts::SparkDrawn() const
{
    const int r = GameEngine::Get().GetRandomGen().IGenerate(0, 100);
    return static_cast<float>(r) < GetSkillProfile().GetSparkChance(GetCurrentLevel());
}

uint32_t SkillSecondaryBolts::PickSparkTarget(const Character& owner, const WorldVec3& centre,
                                              bool friends,
                                              const std::vector<uint32_t>& excluded) const
{
    GameEngine& game = GameEngine::Get();
    std::vector<uint32_t> candidates;
    game.GetTargetsInRadius(owner, centre, GetSkillProfile().GetSparkGap(GetCurrentLevel()),
                            candidates, owner.GetObjectId(), friends);
    return game.PickObject(candidates, excluded);
}

bool SkillSecondaryBolts::IsResultRefused(size_t count) const
{
    if (count <= GetSparkLimit())
        return false;
    gEngine->Log(2, "Refused (%zu) sparks of (%s), at most (%u)", count, GetObjectName().c_str(),
                 GetSparkLimit());
    return true;
}

Lightning* SkillSecondaryBolts::GetEffect(const Link& link) const
{
    return ObjectManager::Instance().GetObject<Lightning>(link.effectId);
}

void SkillSecondaryBolts::LaunchEffect(Link& link)
{
    link.launched = true;
    const std::string& name = GetSkillProfile().GetLightningName();
    if (name.empty())
        return;
    auto* bolt = ObjectManager::Instance().CreateObjectFromFile<Lightning>(name);
    if (bolt == nullptr)
        return;
    bolt->SetTarget(link.sourcePoint, link.targetPoint);
    bolt->DoSetPauseAtTarget(true);
    if (World* world = gEngine->GetWorld())
        world->AddEntity(bolt, WorldCoords(link.sourcePoint), false);
    PlayHitSound(link.sourcePoint);
    link.effectId = bolt->GetObjectId();
}

void SkillSecondaryBolts::CompleteLink(Character& owner, const Link& link)
{
    CreateTargetFx(WorldCoords(link.targetPoint));
    if (Character* target = ObjectManager::Instance().GetObject<Character>(link.targetId))
        ApplyLink(owner, *target, link);
}

void SkillSecondaryBolts::StrikeLink(Character& owner, Character& target, const Link& link)
{
    RandomUniform random;
    random.Seed(seed);
    ParametersCombat parameters(random);
    CollectCombatParameters(owner, &target, static_cast<ParametersCombatStyle>(0), false, 0,
                            parameters, 0.0f);
    InitRagDollData(parameters.ragDoll, WorldCoords(link.sourcePoint), target.GetCoords());
    target.TakeAttack(parameters);
}

void SkillSecondaryChain::ActivateNow(Character& owner, uint32_t target,
                                      const std::vector<uint32_t>& targets, const WorldVec3& point)
{
    SkillServicesBase* services = ServicesOf(*this);
    if (!IsSkillEnabled() || services == nullptr)
        return;
    std::vector<uint32_t> excluded = targets;
    excluded.push_back(target);
    WorldVec3 position = point;
    std::vector<uint32_t> chain;
    for (uint32_t round = 0; round < GetSparkLimit(); ++round) {
        if (!SparkDrawn())
            continue;
        const uint32_t next = PickSparkTarget(owner, position, ChainsFriends(), excluded);
        const Character* found = ObjectManager::Instance().GetObject<Character>(next);
        if (found == nullptr)
            break;
        chain.push_back(next);
        excluded.push_back(next);
        position = found->GetCoords().GetPosition();
    }
    if (!chain.empty())
        services->SendTargetResult(GetObjectId(), chain, WorldCoords(point),
                                   static_cast<uint32_t>(GameEngine::Get().GetRandomSeed()), 0,
                                   false);
}

void SkillSecondaryChain::TargetResult(Character& owner, const std::vector<uint32_t>& targets,
                                       const WorldCoords& from, uint32_t resultSeed,
                                       uint32_t /*weaponId*/, bool /*melee*/)
{
    // One chain at a time: a result that comes while one runs is dropped.
    if (!links.empty() || IsResultRefused(targets.size()))
        return;
    origin = from.GetPosition();
    seed = resultSeed;
    for (uint32_t id : targets)
        links.push_back(Link{0, id, false, false, WorldVec3(), WorldVec3()});
    decaying = false;
    Grow(owner);
}

void SkillSecondaryChain::Update(Character& owner, int32_t elapsedMs)
{
    SkillSecondaryBolts::Update(owner, elapsedMs);
    if (decaying)
        Decay();
    else if (!links.empty())
        Grow(owner);
}

void SkillSecondaryChain::Grow(Character& owner)
{
    WorldVec3 source = origin;
    for (Link& link : links) {
        if (!link.done && !link.launched) {
            const auto* target = ObjectManager::Instance().GetObject<Character>(link.targetId);
            if (target == nullptr) {
                link.done = true;
                continue;
            }
            link.targetPoint = target->GetAttachedCoords(Name::Create("Target")).GetPosition();
            link.sourcePoint = source;
            LaunchEffect(link);
            if (link.effectId != 0)
                return;
        }
        if (!link.done) {
            if (const Lightning* bolt = GetEffect(link);
                bolt != nullptr && !bolt->HasReachedTarget())
                return;
            CompleteLink(owner, link);
            link.done = true;
            ActivateSecondarySkills(owner, link.targetId, {}, link.targetPoint);
        }
        if (link.launched)
            source = link.targetPoint;
    }
    decaying = true;
}

void SkillSecondaryChain::Decay()
{
    for (Link& link : links) {
        if (Lightning* bolt = GetEffect(link)) {
            bolt->SetPause(false);
            return;
        }
        link.effectId = 0;
    }
    links.clear();
    decaying = false;
}

} // namespace GAME
