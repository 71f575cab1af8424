#include "engine/GraphicsTexture.h"

#include <algorithm>
#include <utility>

namespace GAME {

GraphicsTexture::GraphicsTexture(std::string name, int32_t width, int32_t height)
    : name(std::move(name)), width(0), height(0)
{
    SetSize(width, height);
}

void GraphicsTexture::SetSize(int32_t newWidth, int32_t newHeight)
{
    width = std::max(newWidth, 0);
    height = std::max(newHeight, 0);
}

} // namespace GAME
