#pragma once

#include "engine/GraphicsAnim.h"
#include "engine/GraphicsTexture.h"
#include "engine/Rect.h"

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>

namespace GAME {

// The graphics engine's animation store. Nothing is read from disk: any named animation loads
// with the properties described for it (or the defaults), except names declared missing. Loads
// of one name share one animation and are counted; the last unload frees it, so a test can see
// whether every load was given back.
class GraphicsEngine {
public:
    struct AnimationInfo {
        int32_t length = 30;
        int32_t frameRate = 30;
        float speed = 1.0f;
    };

    static GraphicsEngine& Instance();

    GraphicsEngine();
    ~GraphicsEngine();
    GraphicsEngine(const GraphicsEngine&) = delete;
    GraphicsEngine& operator=(const GraphicsEngine&) = delete;

    // Null for an empty name or a missing one.
    GraphicsAnim* LoadAnimation(const std::string& name);
    // Null, unknown pointers and the default animation are ignored.
    void UnloadAnimation(GraphicsAnim* animation);
    // The pose every actor falls back to; owned by the engine and never unloaded.
    GraphicsAnim* GetDefaultAnimation() { return &defaultAnimation; }

    // Null for an empty name or a missing one. A name never described loads one 32-pixel
    // square; the engine keeps every texture until it is reset.
    GraphicsTexture* LoadTexture(const std::string& name);
    // Takes effect at the next load of the name.
    void DescribeTexture(const std::string& name, int32_t width, int32_t height);
    // Gives one load of the texture back; null and unknown textures are ignored. The texture
    // itself stays until the engine is reset.
    void UnloadTexture(GraphicsTexture* texture);
    // Loads of the name not yet given back.
    int32_t GetTextureLoadCount(const std::string& name) const;
    // Re-reads every resource after a change of level; only counted here.
    void ReloadAllResources() { ++reloadCount; }
    uint32_t GetReloadCount() const { return reloadCount; }
    static constexpr int32_t kDefaultTextureSize = 32;

    // Takes effect for names not loaded at the time.
    void DescribeAnimation(const std::string& name, const AnimationInfo& info);
    void DeclareMissing(const std::string& name);
    // Loads of the name not yet given back.
    int32_t GetLoadCount(const std::string& name) const;
    size_t GetLoadedAnimationCount() const { return loaded.size(); }
    // The screen in pixels; a size below 1 is refused and the old one kept.
    int32_t GetWidth() const { return width; }
    int32_t GetHeight() const { return height; }
    void SetSize(int32_t newWidth, int32_t newHeight);
    // Whether the interface is drawn scaled to the screen; off until told.
    bool IsDownsizing() const { return downsizing; }
    void SetDownsizing(bool value) { downsizing = value; }
    // An interface rectangle laid out for 1024 x 768, scaled to the screen.
    void GetResAdjRect(const Rect& in, Rect& out) const;

    // Forgets descriptions and missing names and restores the default screen size; animations
    // still loaded stay valid.
    void Reset();

    static constexpr int32_t kDefaultWidth = 1024;
    static constexpr int32_t kDefaultHeight = 768;

private:
    struct Loaded {
        std::unique_ptr<GraphicsAnim> animation;
        int32_t count = 0;
    };

    GraphicsAnim defaultAnimation;
    std::map<std::string, AnimationInfo> descriptions;
    std::set<std::string> missing;
    std::map<std::string, Loaded> loaded;
    std::map<std::string, std::pair<int32_t, int32_t>> textureSizes;
    std::map<std::string, std::unique_ptr<GraphicsTexture>> textures;
    std::map<std::string, int32_t> textureLoadCounts;
    uint32_t reloadCount = 0;
    int32_t width = kDefaultWidth;
    int32_t height = kDefaultHeight;
    bool downsizing = false;
};

} // namespace GAME
