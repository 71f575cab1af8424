#pragma once

#include "engine/Color.h"
#include "engine/Rect.h"

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

// The surface the game draws its overlays on. Nothing is rasterised: every call is recorded,
// so a host or a test can see what a frame would show.
class GraphicsCanvas {
public:
    struct Draw {
        Rect rect;
        Color color;
        // Empty for a plain rectangle.
        std::string texture;
    };

    GraphicsCanvas(int32_t width, int32_t height) : width(width), height(height) {}

    int32_t GetWidth() const { return width; }
    int32_t GetHeight() const { return height; }

    void RenderRect(const Rect& rect, const Color& color) { draws.push_back({rect, color, {}}); }
    void RenderTexture(const Rect& rect, const std::string& texture, const Color& color)
    {
        draws.push_back({rect, color, texture});
    }

    const std::vector<Draw>& GetDraws() const { return draws; }
    void Clear() { draws.clear(); }

private:
    int32_t width;
    int32_t height;
    std::vector<Draw> draws;
};

} // namespace GAME
