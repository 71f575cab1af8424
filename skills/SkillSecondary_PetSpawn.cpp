#include "skills/SkillSecondary_PetSpawn.h"

#include "characters/Character.h"
#include "engine/ObjectManager.h"
#include "engine/PathFinder.h"
#include "game/GameEngine.h"
#include "skills/SkillProfile.h"
#include "skills/SkillServicesBase.h"
#include "skills/SkillWorldQueries.h"

#include <algorithm>

namespace GAME {

GAME_IMPLEMENT_CLASS(SkillSecondary_PetSpawn, SkillSecondary);

SkillSecondary_PetSpawn::SkillSecondary_PetSpawn()
{
    SetDisplayClassText("^bSecondary Skill - Pet Spawn");
}

SkillSecondary_PetSpawn::~SkillSecondary_PetSpawn() = default;

void SkillSecondary_PetSpawn::PreLoadResources()
{
    SkillSecondary::PreLoadResources();
    PreLoadPet();
}

uint32_t SkillSecondary_PetSpawn::GetPetCount() const
{
    return std::max(GetSkillProfile().GetPetLimit(GetCurrentLevel()), 1u);
}

void SkillSecondary_PetSpawn::PrimaryActivateNow(Character& owner, uint32_t target,
                                                 const std::vector<uint32_t>& targets,
                                                 const WorldVec3& point)
{
    SkillSecondary::PrimaryActivateNow(owner, target, targets, point);
    SkillServicesBase* services = ServicesOf(*this);
    if (!IsSkillEnabled() || services == nullptr)
        return;
    // The caster's own place comes first and is kept free.
    std::vector<float> radii(GetPetCount() + 1, GetPetExtents());
    radii.front() = owner.GetExtents() + 1.5f;
    std::vector<WorldVec3> points;
    PathFinder::Instance().FillPointSet(gEngine->GetWorld(), owner.GetCoords().GetPosition(), radii,
                                        points);
    if (!points.empty())
        points.erase(points.begin());
    std::vector<WorldCoords> coords;
    std::vector<uint32_t> ids;
    for (WorldVec3 place : points) {
        place.PutOnFloor();
        WorldCoords where = owner.GetCoords();
        where.SetPosition(place);
        coords.push_back(where);
        ids.push_back(ObjectManager::Instance().CreateObjectID());
    }
    if (!ids.empty())
        services->SendSpawnObject(GetObjectId(), owner.GetCoords(), 0, coords, ids,
                                  static_cast<uint32_t>(GameEngine::Get().GetRandomSeed()));
}

void SkillSecondary_PetSpawn::SkillSpawnObject(Character& owner, const WorldCoords& origin,
                                               uint32_t /*targetId*/,
                                               const std::vector<WorldCoords>& coords,
                                               const std::vector<uint32_t>& ids, uint32_t /*seed*/)
{
    if (IsSpawnListRefused(ids.size(), GetPetCount(), "pets"))
        return;
    // A place for every pet: a peer's message with fewer places than ids makes fewer pets.
    const size_t count = std::min(coords.size(), ids.size());
    if (count > 0)
        PlayHitSound(coords.front().GetPosition());
    for (size_t i = 0; i < count; ++i) {
        if (IsFreeSpawnId(ids[i]))
            SpawnPet(owner, coords[i], ids[i], GetCurrentLevel());
    }
    ActivateSecondarySkills(owner, 0, ids, origin.GetPosition());
}

void SkillSecondary_PetSpawn::SpawnPet(Character& caster, const WorldCoords& where, uint32_t id,
                                       uint32_t level)
{
    const SkillProfile& profile = GetSkillProfile();
    SpawnPetMonster(*this, caster, profile.GetSpawnObject(level), where, id, true,
                    profile.GetSpawnObjectTimeToLive(level));
}

} // namespace GAME
