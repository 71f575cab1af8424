#include "core/GameTextString.h"

#include "core/GameTextLine.h"
#include "core/GameTextStyleMap.h"
#include "core/Saturate.h"
#include "engine/GraphicsFont.h"
#include "engine/StyleManager.h"

namespace GAME {

namespace {

constexpr int32_t kMargin = 6;
// The renderer's flag word for measuring; only passed through.
constexpr uint32_t kMeasureFlags = 0x520;

int32_t GetStringWidth(GraphicsFont* font, const std::wstring& text, int32_t size, int32_t spacing)
{
    if (font == nullptr)
        return 0;
    return font->DrawString(text, 0.0f, 0.0f, GraphicsFont::Color{1.0f, 1.0f, 1.0f, 1.0f},
                            kMeasureFlags, false, size, spacing);
}

} // namespace

GameTextString::GameTextString(const std::string& styleName, const std::wstring& text, bool flag,
                               int32_t indent)
    : styleName(styleName), text(text), flag(flag)
{
    // Indents come from records: saturate rather than overflow.
    leftMargin = SaturateToInt(static_cast<double>(indent) + kMargin);
    rightMargin = kMargin;
    // Without a style the size stays 0, so a line of an unknown style takes no room.
    const FontStyle* style = StyleManager::Instance().GetStyle(styleName);
    if (style == nullptr)
        return;
    const int32_t textWidth = GetStringWidth(style->font, text, style->size, style->spacing);
    width = SaturateToInt(static_cast<double>(textWidth) + rightMargin + leftMargin);
    height = style->size;
}

void GameTextLineToString(const GameTextStyleMap& styles, const std::vector<GameTextLine>& lines,
                          std::list<GameTextString>& out)
{
    for (const GameTextLine& line : lines) {
        // A float indent near the 32-bit limit would overflow a plain conversion back.
        const int32_t indent = SaturateToInt(styles.GetStyleIndent(line.style));
        out.emplace_back(styles.GetStyleName(line.style), line.text, line.flag, indent);
    }
}

} // namespace GAME
