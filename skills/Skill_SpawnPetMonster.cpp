#include "skills/Skill_SpawnPetMonster.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Skill_SpawnPetMonster, Skill_SpawnPet);

void Skill_SpawnPetMonster::Update(Character& owner, int32_t elapsedMs)
{
    Skill_SpawnPet::Update(owner, elapsedMs);
    // Never switched back on: once the set is full the monster stops summoning.
    if (skillState.enabled)
        skillState.enabled = pets.size() < Skill_SpawnPet::GetNumPets(owner);
}

uint32_t Skill_SpawnPetMonster::GetNumPets(Character& caster)
{
    const uint32_t total = Skill_SpawnPet::GetNumPets(caster);
    return pets.size() >= total ? 0 : total - static_cast<uint32_t>(pets.size());
}

} // namespace GAME
