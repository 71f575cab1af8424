#include "engine/StyleManager.h"

#include "engine/GraphicsFont.h"

namespace GAME {

StyleManager& StyleManager::Instance()
{
    static StyleManager manager;
    return manager;
}

StyleManager::StyleManager() = default;
StyleManager::~StyleManager() = default;

GraphicsFont* StyleManager::AddFont(const std::string& name, int32_t glyphAdvance,
                                    bool withRenderer)
{
    auto [entry, added] = fonts.try_emplace(name);
    if (added)
        entry->second = std::make_unique<GraphicsFont>(glyphAdvance, withRenderer);
    return entry->second.get();
}

GraphicsFont* StyleManager::GetFont(const std::string& name) const
{
    auto found = fonts.find(name);
    return found == fonts.end() ? nullptr : found->second.get();
}

bool StyleManager::AddStyle(const std::string& name, const std::string& fontName, int32_t size,
                            int32_t spacing)
{
    GraphicsFont* font = GetFont(fontName);
    if (name.empty() || font == nullptr)
        return false;
    return styles.try_emplace(name, FontStyle{font, size, spacing}).second;
}

const FontStyle* StyleManager::GetStyle(const std::string& name) const
{
    auto found = styles.find(name);
    return found == styles.end() ? nullptr : &found->second;
}

void StyleManager::Clear()
{
    styles.clear();
    fonts.clear();
}

} // namespace GAME
