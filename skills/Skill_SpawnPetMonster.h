#pragma once

#include "skills/Skill_SpawnPet.h"

namespace GAME {

// A monster's summoning: tops its pets up to the cast's count, then stays disabled.
class Skill_SpawnPetMonster : public Skill_SpawnPet {
    GAME_DECLARE_CLASS(Skill_SpawnPetMonster)

public:
    void Update(Character& owner, int32_t elapsedMs) override;
    uint32_t GetNumPets(Character& caster) override;
};

} // namespace GAME
