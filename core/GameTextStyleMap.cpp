#include "core/GameTextStyleMap.h"

#include "engine/LoadTable.h"

namespace GAME {

bool GameTextStyleMap::Insert(GameTextClass style, const std::string& name, int32_t indent)
{
    return styles.try_emplace(static_cast<int32_t>(style), GameTextStyle{name, indent}).second;
}

std::string GameTextStyleMap::GetStyleName(GameTextClass style) const
{
    auto found = styles.find(static_cast<int32_t>(style));
    return found == styles.end() ? std::string() : found->second.name;
}

float GameTextStyleMap::GetStyleIndent(GameTextClass style) const
{
    auto found = styles.find(static_cast<int32_t>(style));
    return found == styles.end() ? 0.0f : static_cast<float>(found->second.indent);
}

void LoadGameTextStyles(const LoadTable& table, GameTextStyleMap& styles)
{
    for (int32_t index = 0; index < kGameTextClassCount; ++index) {
        const GameTextClass style = static_cast<GameTextClass>(index);
        const std::string key = GetGameTextClassName(style);
        styles.Insert(style, table.GetString(key.c_str(), ""),
                      table.GetInt((key + "Indent").c_str(), 0));
    }
}

} // namespace GAME
