#include "engine/GraphicsFont.h"

#include "core/Saturate.h"

#include <cmath>

namespace GAME {

namespace {

struct ColorCode {
    wchar_t letter;
    uint32_t color;
};

constexpr ColorCode kColorCodes[] = {
    {L'w', 0xFFFFFFFFu}, {L'k', 0xFF000000u}, {L'r', 0xFFFF0000u}, {L'g', 0xFF00FF00u},
    {L'b', 0xFF0000FFu}, {L'y', 0xFFFFFF00u}, {L'o', 0xFFFF8000u}, {L'p', 0xFF8000FFu},
    {L'c', 0xFF00FFFFu}, {L'a', 0xFF808080u},
};

uint32_t PackChannel(float value)
{
    // NaN and out-of-range channels would make the byte conversion undefined.
    if (!(value > 0.0f))
        return 0;
    if (value >= 1.0f)
        return 255;
    return static_cast<uint32_t>(std::lround(value * 255.0f));
}

} // namespace

void TextRenderer::BeginBatch()
{
    inBatch = true;
    ++batchCount;
    runs.clear();
}

int32_t TextRenderer::DrawRun(const wchar_t* glyphs, int32_t count, float x, float y,
                              uint32_t flags, uint32_t color, int32_t size, int32_t spacing)
{
    if (glyphs == nullptr || count <= 0)
        return 0;
    runs.push_back(
        {std::wstring(glyphs, static_cast<size_t>(count)), x, y, flags, color, size, spacing});
    const double perGlyph = static_cast<double>(glyphAdvance) + static_cast<double>(spacing);
    return SaturateToInt(perGlyph * count);
}

GraphicsFont::GraphicsFont(int32_t glyphAdvance, bool withRenderer)
{
    if (withRenderer)
        renderer = std::make_unique<TextRenderer>(glyphAdvance);
}

GraphicsFont::~GraphicsFont() = default;

uint32_t GraphicsFont::ProcessCharacter(wchar_t character, wchar_t next, uint32_t& pendingColor)
{
    if (character == L'^' && next != L'\0') {
        for (const ColorCode& code : kColorCodes) {
            if (code.letter == next)
                pendingColor = code.color;
        }
        // The run so far keeps the colour it was written in.
        return CharacterCode | CharacterEndRun;
    }
    if (character == L'\n')
        return CharacterEndRun;
    return CharacterGlyph;
}

uint32_t GraphicsFont::PackColor(const Color& color)
{
    return PackChannel(color.a) << 24 | PackChannel(color.r) << 16 | PackChannel(color.g) << 8 |
           PackChannel(color.b);
}

int32_t GraphicsFont::DrawString(const std::wstring& text, float x, float y, const Color& color,
                                 uint32_t flags, bool /*shadow*/, int32_t size, int32_t spacing)
{
    if (!renderer)
        return 0;
    renderer->BeginBatch();
    uint32_t current = PackColor(color);
    uint32_t pending = current;
    std::wstring run;
    double total = 0.0;
    auto submit = [&]() {
        if (run.empty())
            return;
        const int32_t advance = renderer->DrawRun(run.data(), static_cast<int32_t>(run.size()), x,
                                                  y, flags, current, size, spacing);
        total += advance;
        x += static_cast<float>(advance);
        run.clear();
    };
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t next = i + 1 < text.size() ? text[i + 1] : L'\0';
        const uint32_t result = ProcessCharacter(text[i], next, pending);
        if ((result & CharacterCode) != 0)
            ++i;
        else if ((result & CharacterGlyph) != 0)
            run += text[i];
        if ((result & CharacterEndRun) != 0 || run.size() == kMaxRunGlyphs)
            submit();
        current = pending;
    }
    submit();
    renderer->EndBatch();
    return SaturateToInt(total);
}

} // namespace GAME
