#include "skills/Skill_SpawnPet.h"

#include "characters/Monster.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/PathFinder.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile.h"
#include "skills/SkillServicesBase.h"
#include "skills/SkillWorldQueries.h"

#include <algorithm>

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_SpawnPet, SkillActivated);

Skill_SpawnPet::Skill_SpawnPet()
{
    SetPrimary(false);
    SetSecondary(true);
    SetRepeatable(false);
    SetSkillType(SkillType_UseAtOnce);
}

Skill_SpawnPet::~Skill_SpawnPet() = default;

bool Skill_SpawnPet::GetValidTarget(const Character& /*owner*/, uint32_t& target,
                                    const WorldVec3& /*point*/, bool /*aroundSelf*/,
                                    float /*radius*/)
{
    target = 0;
    return true;
}

void Skill_SpawnPet::PreLoadResources()
{
    SkillActivatedSpell::PreLoadResources();
    PreLoadPet();
}

uint32_t Skill_SpawnPet::GetBurstCount() const
{
    return std::max(GetSkillProfile().GetPetBurstSpawn(GetCurrentLevel()), 1u);
}

uint32_t Skill_SpawnPet::GetNumPets(Character& /*caster*/)
{
    return GetBurstCount();
}

const std::string& Skill_SpawnPet::GetSpawnObject(uint32_t /*index*/) const
{
    return GetSkillProfile().GetSpawnObject(GetCurrentLevel());
}

WorldCoords Skill_SpawnPet::GetNewCasterCoords(Character& caster, std::vector<WorldVec3>& points)
{
    if (!points.empty())
        points.erase(points.begin());
    return caster.GetCoords();
}

void Skill_SpawnPet::ActivateNow(Character& owner, const Name& /*callback*/, uint32_t /*targetId*/,
                                 const WorldVec3& /*point*/)
{
    SkillManagerBase* manager = GetManager();
    SkillServicesBase* services = manager ? manager->GetSkillServices() : nullptr;
    if (services == nullptr)
        return;
    const uint32_t count = GetNumPets(owner);
    if (count == 0)
        return;
    float casterRadius = (owner.GetExtents() + 2.0f) * GetExtentsMultiplier();
    float petRadius = GetExtentsMultiplier() * GetPetExtents();
    if (SwapCasterWithPet()) {
        casterRadius = std::max(casterRadius, petRadius);
        petRadius = casterRadius;
    }
    std::vector<float> radii(count + 1, petRadius);
    radii.front() = casterRadius;
    std::vector<WorldVec3> points;
    if (PathFinder::Instance().FillPointSet(gEngine->GetWorld(), owner.GetCoords().GetPosition(),
                                            radii, points) == 0)
        return;
    const WorldCoords casterCoords = GetNewCasterCoords(owner, points);
    std::vector<WorldCoords> coords;
    std::vector<uint32_t> ids;
    ObjectManager& objects = ObjectManager::Instance();
    for (WorldVec3 point : points) {
        point.PutOnFloor();
        WorldCoords where = casterCoords;
        where.SetPosition(point);
        coords.push_back(where);
        ids.push_back(objects.CreateObjectID());
    }
    if (!ids.empty())
        services->SendSpawnObject(GetObjectId(), casterCoords, 0, coords, ids,
                                  static_cast<uint32_t>(GameEngine::Get().GetRandomSeed()));
}

void Skill_SpawnPet::SkillSpawnObject(Character& owner, const WorldCoords& origin,
                                      uint32_t /*targetId*/, const std::vector<WorldCoords>& coords,
                                      const std::vector<uint32_t>& ids, uint32_t seed)
{
    // The message comes from a peer: more pets than one cast makes is not ours to honour.
    if (IsSpawnListRefused(ids.size(), GetBurstCount(), "pets"))
        return;
    SetCasterCoords(owner, origin);
    if (!ids.empty()) {
        SubtractManaCost();
        StartCooldown();
        PlayHitSound(origin.GetPosition());
    }
    for (size_t i = 0; i < ids.size(); ++i) {
        if (IsFreeSpawnId(ids[i]))
            SpawnPet(owner, SpawnPlace(coords, i, origin), ids[i], seed);
    }
    ActivateSecondarySkills(owner, 0, ids, origin.GetPosition());
}

void Skill_SpawnPet::SpawnPet(Character& caster, const WorldCoords& where, uint32_t id,
                              uint32_t /*seed*/)
{
    const uint32_t level = GetCurrentLevel();
    if (Monster* pet =
            SpawnPetMonster(*this, caster, GetSpawnObject(0), where, id, ShouldJoinWithParent(),
                            GetSkillProfile().GetSpawnObjectTimeToLive(level))) {
        pets.push_back(pet->GetObjectId());
        PostPetSpawned(caster, pet);
    }
    const uint32_t limit = GetSkillProfile().GetPetLimit(level);
    if (limit != 0 && pets.size() > limit)
        ReleaseOnePet(caster);
}

void Skill_SpawnPet::ReleasePets(Character& /*caster*/)
{
    const std::vector<uint32_t> released = std::move(pets);
    pets.clear();
    for (uint32_t id : released)
        KillThroughController(id);
}

void Skill_SpawnPet::ReleaseOnePet(Character& /*caster*/)
{
    if (pets.empty())
        return;
    const uint32_t oldest = pets.front();
    pets.erase(pets.begin());
    KillThroughController(oldest);
}

void Skill_SpawnPet::StopSkill(Character& owner)
{
    ReleasePets(owner);
}

void Skill_SpawnPet::Update(Character& owner, int32_t elapsedMs)
{
    SkillActivatedSpell::Update(owner, elapsedMs);
    ObjectManager& objects = ObjectManager::Instance();
    // An id that names no monster any more is gone too: counting it would keep a ghost under
    // the limit, and a later object given the same id would be killed in its place.
    std::erase_if(pets, [&objects](uint32_t id) {
        const Monster* pet = objects.GetObject<Monster>(id);
        return pet == nullptr || !pet->IsAlive();
    });
}

} // namespace GAME
