#include "skills/Skill_SpawnMegalesiosSpirit.h"

#include "ai/ControllerSpiritHost.h"
#include "characters/Monster.h"
#include "engine/EffectEntity.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "skills/SkillServicesBase.h"
#include "skills/SkillWorldQueries.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_SpawnMegalesiosSpirit, Skill_FauxAttack);

namespace {
constexpr float kHostRange = 80.0f;

WorldVec3 CentreOf(const Actor& actor)
{
    WorldVec3 centre = actor.GetCoords().GetPosition();
    centre.TranslateInRegion(actor.GetCenterOfMass());
    return centre;
}

// The offset from `from` to `to` in from's region; zero when the two cannot be related.
Vec3 OffsetBetween(const WorldVec3& from, const WorldVec3& to)
{
    Vec3 there;
    if (!to.GetPositionInRegion(from.GetRegionId(), there))
        return Vec3();
    return there - from.GetRegionPosition();
}
} // namespace

Skill_SpawnMegalesiosSpirit::Skill_SpawnMegalesiosSpirit() = default;

Skill_SpawnMegalesiosSpirit::~Skill_SpawnMegalesiosSpirit() = default;

void Skill_SpawnMegalesiosSpirit::Load(const LoadTable& table)
{
    SkillActivated::Load(table);
    burstVelocity = RecordRate(table, "burstVelocity", 1.0f);
    burstName = table.GetString("burstName", "");
}

void Skill_SpawnMegalesiosSpirit::ActivateNow(Character& owner, const Name& /*callback*/,
                                              uint32_t /*targetId*/, const WorldVec3& /*point*/)
{
    std::vector<uint32_t> hosts;
    ObjectManager& objects = ObjectManager::Instance();
    for (Monster* monster : NearbyOfKind<Monster>(owner, kHostRange)) {
        if (objects.GetObject<ControllerSpiritHost>(monster->GetControllerId()) != nullptr)
            hosts.push_back(monster->GetObjectId());
    }
    if (SkillServicesBase* services = ServicesOf(*this))
        services->SendTargetResult(GetObjectId(), hosts, owner.GetCoords(),
                                   static_cast<uint32_t>(GameEngine::Get().GetRandomSeed()), 0,
                                   false);
}

void Skill_SpawnMegalesiosSpirit::TargetResult(Character& owner,
                                               const std::vector<uint32_t>& targets,
                                               const WorldCoords& /*origin*/, uint32_t /*seed*/,
                                               uint32_t /*weaponId*/, bool /*melee*/)
{
    ObjectManager& objects = ObjectManager::Instance();
    for (uint32_t id : targets) {
        if (objects.GetObject<Actor>(id) == nullptr)
            continue;
        Burst burst{id, 0, CentreOf(owner)};
        if (!burstName.empty()) {
            if (auto* effect = objects.CreateObjectFromFile<EffectEntity>(burstName)) {
                burst.effectId = effect->GetObjectId();
                if (World* world = gEngine->GetWorld())
                    world->AddEntity(effect, owner.GetCoords(), false);
            }
        }
        bursts.push_back(burst);
    }
}

void Skill_SpawnMegalesiosSpirit::Update(Character& owner, int32_t elapsedMs)
{
    Skill_FauxAttack::Update(owner, elapsedMs);
    const float step = static_cast<float>(elapsedMs) * burstVelocity * 0.001f;
    ObjectManager& objects = ObjectManager::Instance();
    World* world = gEngine->GetWorld();
    for (auto burst = bursts.begin(); burst != bursts.end();) {
        const auto* host = objects.GetObject<Character>(burst->hostId);
        if (host == nullptr) {
            ++burst;
            continue;
        }
        const Vec3 offset = OffsetBetween(burst->position, CentreOf(*host));
        auto* effect = objects.GetObject<EffectEntity>(burst->effectId);
        if (offset.Length() < step) {
            if (auto* controller = objects.GetObject<ControllerSpiritHost>(host->GetControllerId()))
                controller->Animate();
            RemoveAndDestroy(effect, "Project/Game/Skill_SpawnMegalesiosSpirit", __LINE__);
            burst = bursts.erase(burst);
            continue;
        }
        burst->position.TranslateInRegion(offset.Unit() * step);
        if (effect != nullptr && world != nullptr) {
            WorldCoords where = effect->GetCoords();
            where.SetPosition(burst->position);
            world->SetCoords(effect, where);
        }
        ++burst;
    }
}

} // namespace GAME
