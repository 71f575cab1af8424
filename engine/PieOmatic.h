#pragma once

#include <cstdint>
#include <string>

namespace GAME {

class GraphicsCanvas;
struct Rect;

// The loading-art progress pie: a picture over its grey twin, fading in and out over time.
class PieOmatic {
public:
    static constexpr int32_t kFadeMs = 500;

    PieOmatic(std::string texture, std::string greyTexture);

    void FadeIn() { fadingIn = true; }
    void FadeOut() { fadingIn = false; }
    void Update(int32_t elapsedMs);
    // The grey picture, then the picture at the current opacity; nothing while fully faded.
    void Render(GraphicsCanvas& canvas, const Rect& box) const;

    float GetOpacity() const { return opacity; }
    bool IsFadingIn() const { return fadingIn; }
    int32_t GetUpdateCount() const { return updateCount; }
    const std::string& GetTexture() const { return texture; }
    const std::string& GetGreyTexture() const { return greyTexture; }

private:
    std::string texture;
    std::string greyTexture;
    float opacity = 0.0f;
    bool fadingIn = false;
    int32_t updateCount = 0;
};

} // namespace GAME
