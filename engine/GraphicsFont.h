#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

// Takes a font's glyph runs for display. Nothing is drawn: a run advances by the font's fixed
// glyph advance plus the caller's spacing for every glyph, so text widths are exact and the same
// on every machine. The runs of the latest batch are kept so that one can see how a text was split.
class TextRenderer {
public:
    struct Run {
        std::wstring glyphs;
        float x;
        float y;
        uint32_t flags;
        uint32_t color;
        int32_t size;
        int32_t spacing;
    };

    explicit TextRenderer(int32_t glyphAdvance) : glyphAdvance(glyphAdvance) {}

    void BeginBatch();
    // The run's advance in pixels.
    int32_t DrawRun(const wchar_t* glyphs, int32_t count, float x, float y, uint32_t flags,
                    uint32_t color, int32_t size, int32_t spacing);
    void EndBatch() { inBatch = false; }

    int32_t GetGlyphAdvance() const { return glyphAdvance; }
    bool IsInBatch() const { return inBatch; }
    uint32_t GetBatchCount() const { return batchCount; }
    const std::vector<Run>& GetRuns() const { return runs; }

private:
    int32_t glyphAdvance;
    bool inBatch = false;
    uint32_t batchCount = 0;
    std::vector<Run> runs;
};

// A font: walks wide text, turning caret codes into colour changes and the rest into glyph runs
// for its renderer. A caret and the character after it form one code that draws nothing; a
// colour letter ('w', 'k', 'r', 'g', 'b', 'y', 'o', 'p', 'c', 'a') colours the glyphs after it.
// A newline ends the run and draws nothing.
class GraphicsFont {
public:
    struct Color {
        float r;
        float g;
        float b;
        float a;
    };
    // What `ProcessCharacter` says of one character.
    enum CharacterFlag : uint32_t {
        CharacterGlyph = 1,
        CharacterCode = 2, // with the next character; both are consumed and nothing is drawn
        CharacterEndRun = 4
    };
    static constexpr size_t kMaxRunGlyphs = 511;

    // Without a renderer the font draws nothing and measures every text 0 wide.
    explicit GraphicsFont(int32_t glyphAdvance, bool withRenderer = true);
    ~GraphicsFont();
    GraphicsFont(const GraphicsFont&) = delete;
    GraphicsFont& operator=(const GraphicsFont&) = delete;

    // `next` is 0 at the end of the text. May change the pending colour.
    static uint32_t ProcessCharacter(wchar_t character, wchar_t next, uint32_t& pendingColor);
    // ARGB, each channel clamped to [0, 1] and rounded to a byte.
    static uint32_t PackColor(const Color& color);

    // The total advance of the text in pixels; this renderer draws no shadows.
    int32_t DrawString(const std::wstring& text, float x, float y, const Color& color,
                       uint32_t flags, bool shadow, int32_t size, int32_t spacing);

    TextRenderer* GetRenderer() const { return renderer.get(); }

private:
    std::unique_ptr<TextRenderer> renderer;
};

} // namespace GAME
