#include "host/LevelMap.h"

#include "characters/Monster.h"
#include "characters/Npc.h"
#include "engine/Engine.h"
#include "engine/FileSystem.h"
#include "engine/FilterFunction.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "items/Item.h"
#include "world/BoundingVolume.h"
#include "world/FixedItem.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ostream>
#include <sstream>

namespace GAME {

namespace {

constexpr float kMargin = 10.0f;
constexpr float kLegendHeight = 60.0f;

struct KindStyle {
    const char* name;
    const char* colour;
};
constexpr KindStyle kStyles[] = {{"townsfolk", "#2e8b57"},
                                 {"monster", "#c0392b"},
                                 {"fixed item", "#8b5a2b"},
                                 {"volume", "#2f6fd0"},
                                 {"other", "#808080"}};

LevelMap::Kind KindOf(const Object* object)
{
    if (DynamicCast<Npc>(object) != nullptr)
        return LevelMap::Kind::Townsfolk;
    if (DynamicCast<Monster>(object) != nullptr)
        return LevelMap::Kind::Monster;
    if (DynamicCast<FixedItem>(object) != nullptr)
        return LevelMap::Kind::FixedItem;
    if (DynamicCast<BoundingVolume>(object) != nullptr)
        return LevelMap::Kind::Volume;
    return LevelMap::Kind::Other;
}

// A character XML 1.0 can hold: no control character but tab, line feed and carriage return,
// and neither of the two codes that are no characters at all.
bool IsXmlCharacter(wchar_t code)
{
    return (code >= 0x20 || code == 0x9 || code == 0xA || code == 0xD) && code != 0xFFFE &&
           code != 0xFFFF;
}

// A name from a record's file name as XML text: whatever bytes it holds, the map stays
// well-formed UTF-8. What is no UTF-8 or no XML character becomes U+FFFD.
std::string Escaped(const std::string& text)
{
    std::wstring escaped;
    for (const wchar_t c : LocalizationManager::ToWChar(text)) {
        switch (c) {
        case L'&':
            escaped += L"&amp;";
            break;
        case L'<':
            escaped += L"&lt;";
            break;
        case L'>':
            escaped += L"&gt;";
            break;
        case L'"':
            escaped += L"&quot;";
            break;
        default:
            escaped += IsXmlCharacter(c) ? c : static_cast<wchar_t>(0xFFFD);
        }
    }
    return LocalizationManager::ToChar(escaped);
}

// Viewers hold SVG numbers as 32-bit floats and scale them: beyond this nothing drawn would
// make sense, and an infinity is no number at all.
constexpr double kFarthest = 1e9;

std::string Number(double value)
{
    char text[32];
    const double drawn = std::isnan(value) ? 0.0 : std::clamp(value, -kFarthest, kFarthest);
    std::snprintf(text, sizeof text, "%.1f", drawn);
    return text;
}

class IsItem final : public FilterFunction<Entity> {
public:
    bool operator()(const Entity* candidate) const override
    {
        return DynamicCast<Item>(candidate) != nullptr;
    }
};

// Where `point` stands in the world, its region's offset counted, as the outlines are drawn;
// as it is when the world knows no such region.
Vec3 InWorld(const WorldVec3& point)
{
    Vec3 at = point.GetRegionPosition();
    if (const World* world = gEngine != nullptr ? gEngine->GetWorld() : nullptr)
        world->GetPositionInWorld(point, at);
    return at;
}

} // namespace

void LevelMap::SetLevel(const LevelFile& level, const std::vector<uint32_t>& made,
                        const std::vector<std::string>& names)
{
    regions = level.regions;
    entities.clear();
    for (size_t i = 0; i < level.entities.size() && i < made.size() && i < names.size(); ++i) {
        const LevelFile::EntityLine& line = level.entities[i];
        const Object* object = ObjectManager::Instance().GetObject(made[i]);
        // Placed by the level's own regions, as their outlines are, world or none.
        const auto region =
            std::find_if(regions.begin(), regions.end(),
                         [&line](const LevelFile::RegionLine& r) { return r.id == line.regionId; });
        const Vec3 offset = region != regions.end() ? region->offset : Vec3();
        entities.push_back({KindOf(object), names[i], offset + line.position});
    }
}

void LevelMap::Sample(uint32_t heroId)
{
    if (const auto* hero = ObjectManager::Instance().GetObject<Entity>(heroId))
        path.push_back(InWorld(hero->GetCoords().GetPosition()));
    std::vector<Entity*> items;
    gEngine->GetWorld()->GetEntities(items, IsItem());
    for (const Entity* item : items) {
        if (std::find(seenItems.begin(), seenItems.end(), item->GetObjectId()) != seenItems.end())
            continue;
        seenItems.push_back(item->GetObjectId());
        std::string name = item->GetObjectName();
        name = name.substr(name.find_last_of('/') + 1);
        drops.push_back({Kind::Other, name.substr(0, name.rfind('.')),
                         InWorld(item->GetCoords().GetPosition())});
    }
}

void LevelMap::NoteDeath(const std::string& name, const WorldVec3& at)
{
    deaths.push_back({Kind::Monster, name, InWorld(at)});
}

void LevelMap::Write(std::ostream& out) const
{
    // In doubles: a region's finite bounds may still add up past the largest float.
    double minX = 0.0, minZ = 0.0, maxX = 0.0, maxZ = 0.0;
    for (size_t i = 0; i < regions.size(); ++i) {
        const LevelFile::RegionLine& region = regions[i];
        const double left = double(region.offset.x) + region.bounds.min.x;
        const double top = double(region.offset.z) + region.bounds.min.z;
        const double right = double(region.offset.x) + region.bounds.max.x;
        const double bottom = double(region.offset.z) + region.bounds.max.z;
        minX = i == 0 ? left : std::min(minX, left);
        minZ = i == 0 ? top : std::min(minZ, top);
        maxX = i == 0 ? right : std::max(maxX, right);
        maxZ = i == 0 ? bottom : std::max(maxZ, bottom);
    }
    const double width = (maxX - minX + 2 * kMargin) * kScale;
    const double height = (maxZ - minZ + 2 * kMargin) * kScale + kLegendHeight;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << Number(width) << "\" height=\""
        << Number(height) << "\" font-family=\"sans-serif\" font-size=\"9\">\n"
        << "<g transform=\"scale(" << Number(kScale) << ") translate(" << Number(kMargin - minX)
        << ' ' << Number(kMargin - minZ) << ")\">\n";
    for (const LevelFile::RegionLine& region : regions) {
        const ABBox& box = region.bounds;
        out << "<rect class=\"region\" x=\"" << Number(double(region.offset.x) + box.min.x)
            << "\" y=\"" << Number(double(region.offset.z) + box.min.z) << "\" width=\""
            << Number(double(box.max.x) - box.min.x) << "\" height=\""
            << Number(double(box.max.z) - box.min.z)
            << "\" fill=\"#f4f1e6\" stroke=\"#555\" stroke-width=\"0.3\"/>\n";
    }
    if (!path.empty()) {
        out << "<polyline class=\"path\" fill=\"none\" stroke=\"#222\" stroke-width=\"0.3\" "
               "points=\"";
        for (const Vec3& point : path)
            out << Number(point.x) << ',' << Number(point.z) << ' ';
        out << "\"/>\n";
    }
    WriteMarks(out);
    out << "</g>\n";
    WriteLegend(out, std::min(height, kFarthest) - kLegendHeight);
    out << "</svg>\n";
}

void LevelMap::WriteMarks(std::ostream& out) const
{
    for (const Mark& mark : entities) {
        const KindStyle& style = kStyles[static_cast<size_t>(mark.kind)];
        out << "<circle class=\"entity\" cx=\"" << Number(mark.at.x) << "\" cy=\""
            << Number(mark.at.z) << "\" r=\"1\" fill=\"" << style.colour << "\"><title>"
            << Escaped(mark.name) << " (" << style.name << ")</title></circle>\n"
            << "<text x=\"" << Number(mark.at.x + 1.5f) << "\" y=\"" << Number(mark.at.z)
            << "\" font-size=\"2\">" << Escaped(mark.name) << "</text>\n";
    }
    for (const Mark& death : deaths)
        out << "<text class=\"death\" x=\"" << Number(death.at.x) << "\" y=\"" << Number(death.at.z)
            << "\" font-size=\"3\" fill=\"#c0392b\">&#x2716;<title>" << Escaped(death.name)
            << " died</title></text>\n";
    for (const Mark& drop : drops)
        out << "<rect class=\"drop\" x=\"" << Number(drop.at.x - 0.5f) << "\" y=\""
            << Number(drop.at.z - 0.5f) << "\" width=\"1\" height=\"1\" fill=\"#d4a017\"><title>"
            << Escaped(drop.name) << "</title></rect>\n";
}

void LevelMap::WriteLegend(std::ostream& out, double top) const
{
    out << "<g class=\"legend\" transform=\"translate(10 " << Number(top + 15) << ")\">\n";
    float x = 0.0f;
    for (const KindStyle& style : kStyles) {
        out << "<circle cx=\"" << Number(x) << "\" cy=\"0\" r=\"4\" fill=\"" << style.colour
            << "\"/><text x=\"" << Number(x + 7) << "\" y=\"3\">" << style.name << "</text>\n";
        x += 80.0f;
    }
    out << "<text x=\"0\" y=\"25\">line: the hero's path; &#x2716; a death; gold square: a "
           "drop</text>\n</g>\n";
}

bool LevelMap::WriteFile(const std::string& path, std::string& error) const
{
    // Drawn whole first: a full disk must not leave half a map in place of the last one.
    std::ostringstream text;
    Write(text);
    std::string why;
    if (!FileSystem::WriteWholeFile(path, text.str(), &why)) {
        error = "cannot be written: " + why;
        return false;
    }
    return true;
}

} // namespace GAME
