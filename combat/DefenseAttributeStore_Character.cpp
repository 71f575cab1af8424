#include "combat/DefenseAttributeStore_Character.h"

#include "combat/DefenseAttributeAbs.h"
#include "game/GameEngine.h"

namespace GAME {

void DefenseAttributeStore_Character::Load(const LoadTable& record)
{
    Clear();
    LoadCharacterAttributes<
        DefenseAttributeAbs_Physical, DefenseAttributeAbs_Pierce, DefenseAttributeAbs_Bleeding,
        DefenseAttributeAbs_Fire, DefenseAttributeAbs_Cold, DefenseAttributeAbs_Lightning,
        DefenseAttributeAbs_Poison, DefenseAttributeAbs_Life, DefenseAttributeAbs_Stun,
        DefenseAttributeAbs_Trap, DefenseAttributeAbs_Freeze, DefenseAttributeAbs_Petrify>(*this,
                                                                                           record);
    EndLoad();
}

uint32_t DefenseAttributeStore_Character::GetDifficultyLevel()
{
    return static_cast<uint32_t>(GameEngine::Get().GetGameDifficulty()) + 1;
}

} // namespace GAME
