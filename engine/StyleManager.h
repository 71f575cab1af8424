#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>

namespace GAME {

class GraphicsFont;

// A named text style: the font it is drawn in, its line height and the extra pixels after each
// glyph.
struct FontStyle {
    GraphicsFont* font = nullptr; // owned by the StyleManager
    int32_t size = 0;
    int32_t spacing = 0;
};

// The fonts and font styles of the user interface, by name (exact, case-sensitive). The host
// registers them at start; the game only looks styles up.
class StyleManager {
public:
    static StyleManager& Instance();

    StyleManager();
    ~StyleManager();
    StyleManager(const StyleManager&) = delete;
    StyleManager& operator=(const StyleManager&) = delete;

    // A name already in use keeps its first font, which is returned.
    GraphicsFont* AddFont(const std::string& name, int32_t glyphAdvance, bool withRenderer = true);
    GraphicsFont* GetFont(const std::string& name) const;
    // False, adding nothing, for an empty style name, an unknown font or a name already in use.
    bool AddStyle(const std::string& name, const std::string& fontName, int32_t size,
                  int32_t spacing);
    // Null for a name not registered; the empty name never is.
    const FontStyle* GetStyle(const std::string& name) const;
    void Clear();

private:
    std::map<std::string, std::unique_ptr<GraphicsFont>> fonts;
    std::map<std::string, FontStyle> styles;
};

} // namespace GAME
