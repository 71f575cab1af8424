#include "characters/CharacterSettings.h"

#include "engine/LoadTable.h"
#include "game/GameEngine.h"

namespace GAME {

float GetDefenseCapSetting(const char* key)
{
    if (!gGameEngine)
        return 0.0f;
    const auto difficulty = static_cast<size_t>(gGameEngine->GetGameDifficulty());
    return gGameEngine->GetDatabase().GetFloatAt(key, difficulty, 0.0f);
}

} // namespace GAME
