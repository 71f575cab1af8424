#include "engine/PieOmatic.h"

#include "engine/GraphicsCanvas.h"

#include <algorithm>
#include <utility>

namespace GAME {

PieOmatic::PieOmatic(std::string texture, std::string greyTexture)
    : texture(std::move(texture)), greyTexture(std::move(greyTexture))
{}

void PieOmatic::Update(int32_t elapsedMs)
{
    ++updateCount;
    const float step = static_cast<float>(std::max(elapsedMs, 0)) / static_cast<float>(kFadeMs);
    opacity = std::clamp(fadingIn ? opacity + step : opacity - step, 0.0f, 1.0f);
}

void PieOmatic::Render(GraphicsCanvas& canvas, const Rect& box) const
{
    if (opacity <= 0.0f)
        return;
    canvas.RenderTexture(box, greyTexture, Color(1.0f, 1.0f, 1.0f, opacity));
    canvas.RenderTexture(box, texture, Color(1.0f, 1.0f, 1.0f, opacity));
}

} // namespace GAME
