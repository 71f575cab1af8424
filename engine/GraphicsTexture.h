#pragma once

#include <cstdint>
#include <string>

namespace GAME {

// A picture the graphics engine loaded. Nothing is read from disk: the size is what the engine
// was told for the name, so that grids and layouts can be measured headless.
class GraphicsTexture {
public:
    GraphicsTexture(std::string name, int32_t width, int32_t height);

    const std::string& GetName() const { return name; }
    int32_t GetWidth() const { return width; }
    int32_t GetHeight() const { return height; }
    void SetSize(int32_t newWidth, int32_t newHeight);

private:
    std::string name;
    int32_t width;
    int32_t height;
};

} // namespace GAME
