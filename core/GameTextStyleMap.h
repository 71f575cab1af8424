#pragma once

#include "core/GameTextLine.h"

#include <cstdint>
#include <map>
#include <string>

namespace GAME {

class LoadTable;

struct GameTextStyle {
    std::string name;   // a font style of the StyleManager
    int32_t indent = 0; // pixels
};

// Text class to style name and indent, filled from the game settings record.
class GameTextStyleMap {
public:
    // A class already present keeps its first style; false then.
    bool Insert(GameTextClass style, const std::string& name, int32_t indent);
    // "" and 0.0 for a class with no entry.
    std::string GetStyleName(GameTextClass style) const;
    float GetStyleIndent(GameTextClass style) const;
    size_t GetCount() const { return styles.size(); }
    void Clear() { styles.clear(); }

private:
    std::map<int32_t, GameTextStyle> styles;
};

// Reads every class's name key (default "") and indent key (default 0), classes 0 to 38.
void LoadGameTextStyles(const LoadTable& table, GameTextStyleMap& styles);

} // namespace GAME
