#include "characters/CharacterSettings.h"

#include "engine/LoadTable.h"
#include "game/GameEngine.h"

namespace GAME {

float GetDefenseCapSetting(const char* key)
{
    GameEngine& game = GameEngine::Get();
    const auto difficulty = static_cast<size_t>(game.GetGameDifficulty());
    return game.GetDatabase().GetFloatAt(key, difficulty, 0.0f);
}

} // namespace GAME
