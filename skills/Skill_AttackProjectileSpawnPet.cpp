#include "skills/Skill_AttackProjectileSpawnPet.h"

#include "ai/ControllerCombat.h"
#include "characters/Monster.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/PathFinder.h"
#include "engine/World.h"
#include "game/GameEngine.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile.h"
#include "skills/SkillServicesBase.h"
#include "world/ProjectileInfo.h"

#include <algorithm>

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_AttackProjectileSpawnPet, Skill_AttackProjectile);

Skill_AttackProjectileSpawnPet::~Skill_AttackProjectileSpawnPet() = default;

uint32_t Skill_AttackProjectileSpawnPet::GetBurstCount() const
{
    return std::max(GetSkillProfile().GetPetBurstSpawn(GetCurrentLevel()), 1u);
}

void Skill_AttackProjectileSpawnPet::Update(Character& owner, int32_t elapsedMs)
{
    Skill_AttackProjectile::Update(owner, elapsedMs);
    const ObjectManager& objects = ObjectManager::Instance();
    std::erase_if(pets, [&](uint32_t id) {
        const Character* pet = objects.GetObject<Character>(id);
        return pet == nullptr || !pet->IsAlive();
    });
    // A monster recasts only when all its pets are gone.
    if (DynamicCast<Monster>(&owner) != nullptr)
        skillState.enabled = pets.empty();
}

void Skill_AttackProjectileSpawnPet::TargetInformation(const ProjectileInfo& info,
                                                       const WorldCoords& origin,
                                                       const std::vector<uint32_t>& /*targets*/)
{
    const ObjectManager& objects = ObjectManager::Instance();
    SkillServicesBase* services = HasManager() ? GetManager()->GetSkillServices() : nullptr;
    if (services == nullptr || objects.GetObject<Character>(info.ownerId) == nullptr)
        return;
    const uint32_t count = GetBurstCount();
    std::vector<float> radii;
    // The hit target keeps its own place.
    const Character* target = objects.GetObject<Character>(info.targetId);
    if (target != nullptr)
        radii.push_back(target->GetExtents());
    radii.insert(radii.end(), count, GetPetExtents());
    WorldCoords centre = origin;
    centre.ClearRotation();
    std::vector<WorldVec3> points;
    PathFinder::Instance().FillPointSet(centre.GetPosition(), radii, points);
    if (target != nullptr && !points.empty())
        points.erase(points.begin());

    std::vector<WorldCoords> coords;
    std::vector<uint32_t> ids;
    for (WorldVec3 point : points) {
        point.TranslateToFloor(Vec3());
        coords.emplace_back(point);
        ids.push_back(ObjectManager::Instance().CreateObjectID());
    }
    if (!ids.empty())
        services->SendSpawnObject(GetObjectId(), origin, 0, coords, ids,
                                  static_cast<uint32_t>(GameEngine::Get().GetRandomSeed()));
}

void Skill_AttackProjectileSpawnPet::SkillSpawnObject(Character& owner, const WorldCoords& origin,
                                                      uint32_t /*targetId*/,
                                                      const std::vector<WorldCoords>& coords,
                                                      const std::vector<uint32_t>& ids,
                                                      uint32_t seed)
{
    if (ids.empty())
        return;
    // The list comes from a peer: more than one impact spawns would create without bound.
    if (ids.size() > GetBurstCount()) {
        gEngine->Log(2, "Spawn list too long (%u) (%s)", static_cast<uint32_t>(ids.size()),
                     GetObjectName().c_str());
        return;
    }
    PlayHitSound(origin.GetPosition());
    const ObjectManager& objects = ObjectManager::Instance();
    for (size_t index = 0; index < ids.size(); ++index) {
        // An id in use would let the new pet clash with a living object.
        if (ids[index] == 0 || objects.GetObject(ids[index]) != nullptr)
            continue;
        SpawnPet(owner, index < coords.size() ? coords[index] : origin, ids[index], seed);
    }
    ActivateSecondarySkills(owner, 0, ids, origin.GetPosition());
}

void Skill_AttackProjectileSpawnPet::SpawnPet(Character& owner, const WorldCoords& where,
                                              uint32_t id, uint32_t /*seed*/)
{
    CreateTargetFx(where);
    const uint32_t level = GetCurrentLevel();
    const SkillProfile& record = GetSkillProfile();
    const std::string& name = record.GetSpawnObject(level);
    auto* pet = ObjectManager::Instance().CreateObjectFromFile<Monster>(name, id);
    if (pet == nullptr) {
        gEngine->Log(1, "Failed to spawn pet object (%s)", name.c_str());
        return;
    }
    pet->JoinMe(owner.GetObjectId(), -1, false);
    const int32_t lifetime = record.GetSpawnObjectTimeToLive(level);
    if (lifetime > 0)
        pet->SetLifetime(lifetime);
    if (auto* monster = DynamicCast<Monster>(&owner))
        monster->TransferAnger(*pet);
    pet->SetOwnedByClient(true);
    if (World* world = gEngine->GetWorld())
        world->AddEntity(pet, where, false);
    pets.push_back(id);
    const uint32_t limit = record.GetPetLimit(level);
    if (limit != 0 && pets.size() > limit)
        ReleaseOnePet();
}

void Skill_AttackProjectileSpawnPet::ReleaseOnePet()
{
    if (pets.empty())
        return;
    const uint32_t id = pets.front();
    pets.erase(pets.begin());
    const ObjectManager& objects = ObjectManager::Instance();
    if (const Character* pet = objects.GetObject<Character>(id)) {
        if (auto* controller = objects.GetObject<ControllerCombat>(pet->GetControllerId()))
            controller->KillMe();
    }
}

void Skill_AttackProjectileSpawnPet::ReleasePets()
{
    while (!pets.empty())
        ReleaseOnePet();
}

void Skill_AttackProjectileSpawnPet::StopSkill(Character& owner)
{
    Skill_AttackProjectile::StopSkill(owner);
    ReleasePets();
}

void Skill_AttackProjectileSpawnPet::PreLoadResources()
{
    Skill_AttackProjectile::PreLoadResources();
    PreLoadPet();
}

} // namespace GAME
