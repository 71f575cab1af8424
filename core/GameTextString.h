#pragma once

#include <cstdint>
#include <list>
#include <string>
#include <vector>

namespace GAME {

struct GameTextLine;
class GameTextStyleMap;

// A line ready for the host's layout: its font style, its text and the pixels it takes.
struct GameTextString {
    // Measures the text in the named font style of the StyleManager.
    GameTextString(const std::string& styleName, const std::wstring& text, bool flag,
                   int32_t indent);

    std::string styleName;
    std::wstring text;
    int32_t width = 0;      // text width plus both margins
    int32_t height = 0;     // the font style's size
    int32_t leftMargin = 0; // indent + 6
    int32_t rightMargin = 0;
    bool flag = false;
};

// Appends one string per line, in line order, styled by the map; what `out` held stays.
void GameTextLineToString(const GameTextStyleMap& styles, const std::vector<GameTextLine>& lines,
                          std::list<GameTextString>& out);

} // namespace GAME
