#include "engine/GraphicsEngine.h"

namespace GAME {

GraphicsEngine& GraphicsEngine::Instance()
{
    static GraphicsEngine instance;
    return instance;
}

GraphicsEngine::GraphicsEngine() : defaultAnimation("Default", 1, 30, 0.0f) {}

GraphicsEngine::~GraphicsEngine() = default;

GraphicsAnim* GraphicsEngine::LoadAnimation(const std::string& name)
{
    if (name.empty() || missing.count(name) != 0)
        return nullptr;
    Loaded& entry = loaded[name];
    if (!entry.animation) {
        const auto described = descriptions.find(name);
        const AnimationInfo info =
            described != descriptions.end() ? described->second : AnimationInfo();
        entry.animation =
            std::make_unique<GraphicsAnim>(name, info.length, info.frameRate, info.speed);
    }
    ++entry.count;
    return entry.animation.get();
}

void GraphicsEngine::UnloadAnimation(GraphicsAnim* animation)
{
    if (animation == nullptr || animation == &defaultAnimation)
        return;
    const auto found = loaded.find(animation->GetName());
    if (found == loaded.end() || found->second.animation.get() != animation)
        return;
    if (--found->second.count <= 0)
        loaded.erase(found);
}

GraphicsTexture* GraphicsEngine::LoadTexture(const std::string& name)
{
    if (name.empty() || missing.count(name) != 0)
        return nullptr;
    const auto described = textureSizes.find(name);
    const auto size = described != textureSizes.end()
                          ? described->second
                          : std::make_pair(kDefaultTextureSize, kDefaultTextureSize);
    ++textureLoadCounts[name];
    std::unique_ptr<GraphicsTexture>& texture = textures[name];
    if (!texture)
        texture = std::make_unique<GraphicsTexture>(name, size.first, size.second);
    else
        texture->SetSize(size.first, size.second);
    return texture.get();
}

void GraphicsEngine::UnloadTexture(GraphicsTexture* texture)
{
    if (texture == nullptr)
        return;
    const auto found = textureLoadCounts.find(texture->GetName());
    if (found == textureLoadCounts.end() || found->second <= 0)
        return;
    --found->second;
}

int32_t GraphicsEngine::GetTextureLoadCount(const std::string& name) const
{
    const auto found = textureLoadCounts.find(name);
    return found == textureLoadCounts.end() ? 0 : found->second;
}

void GraphicsEngine::DescribeTexture(const std::string& name, int32_t width, int32_t height)
{
    textureSizes[name] = {width, height};
}

void GraphicsEngine::DescribeAnimation(const std::string& name, const AnimationInfo& info)
{
    descriptions[name] = info;
}

void GraphicsEngine::DeclareMissing(const std::string& name)
{
    missing.insert(name);
}

int32_t GraphicsEngine::GetLoadCount(const std::string& name) const
{
    const auto found = loaded.find(name);
    return found == loaded.end() ? 0 : found->second.count;
}

void GraphicsEngine::SetSize(int32_t newWidth, int32_t newHeight)
{
    if (newWidth < 1 || newHeight < 1)
        return;
    width = newWidth;
    height = newHeight;
}

void GraphicsEngine::Reset()
{
    descriptions.clear();
    missing.clear();
    textureSizes.clear();
    width = kDefaultWidth;
    height = kDefaultHeight;
    downsizing = false;
}

void GraphicsEngine::GetResAdjRect(const Rect& in, Rect& out) const
{
    const float scaleX = static_cast<float>(width) / static_cast<float>(kDefaultWidth);
    const float scaleY = static_cast<float>(height) / static_cast<float>(kDefaultHeight);
    out = Rect(in.x * scaleX, in.y * scaleY, in.width * scaleX, in.height * scaleY);
}

} // namespace GAME
