#include "engine/LevelFile.h"

#include <charconv>
#include <cmath>

namespace GAME {

namespace {

std::vector<std::string_view> Split(std::string_view line)
{
    std::vector<std::string_view> tokens;
    size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t' || line[at] == '\r'))
            ++at;
        const size_t start = at;
        while (at < line.size() && line[at] != ' ' && line[at] != '\t' && line[at] != '\r')
            ++at;
        if (at > start)
            tokens.push_back(line.substr(start, at - start));
    }
    return tokens;
}

bool ReadFloat(std::string_view token, float& out)
{
    const auto [end, code] = std::from_chars(token.data(), token.data() + token.size(), out);
    return code == std::errc() && end == token.data() + token.size() && std::isfinite(out);
}

bool ReadWord(std::string_view token, uint32_t& out, int base)
{
    const auto [end, code] = std::from_chars(token.data(), token.data() + token.size(), out, base);
    return !token.empty() && code == std::errc() && end == token.data() + token.size();
}

bool ReadVec3(const std::vector<std::string_view>& tokens, size_t first, Vec3& out)
{
    return ReadFloat(tokens[first], out.x) && ReadFloat(tokens[first + 1], out.y) &&
           ReadFloat(tokens[first + 2], out.z);
}

bool ReadUniqueId(std::string_view token, UniqueId& out)
{
    for (int part = 0; part < 4; ++part) {
        const size_t dash = part < 3 ? token.find('-') : token.size();
        uint32_t word = 0;
        if (dash == std::string_view::npos || !ReadWord(token.substr(0, dash), word, 16))
            return false;
        out.SetPart(part, word);
        token.remove_prefix(part < 3 ? dash + 1 : dash);
    }
    return true;
}

class Reader {
public:
    explicit Reader(LevelFile& out) : out(out) {}

    // Empty on success, else what is wrong with the line.
    std::string ReadLine(const std::vector<std::string_view>& tokens, size_t number)
    {
        if (tokens[0] == "region")
            return ReadRegion(tokens);
        return ReadEntity(tokens, number);
    }

private:
    std::string ReadRegion(const std::vector<std::string_view>& tokens)
    {
        if (!out.entities.empty())
            return "regions come before the entities";
        if (tokens.size() != 11)
            return "a region takes an id and nine numbers";
        if (out.regions.size() >= LevelFile::kMaxRegions)
            return "too many regions";
        LevelFile::RegionLine region;
        if (!ReadWord(tokens[1], region.id, 10) || region.id == 0)
            return "a region id is a number above 0";
        if (!ReadVec3(tokens, 2, region.offset) || !ReadVec3(tokens, 5, region.bounds.min) ||
            !ReadVec3(tokens, 8, region.bounds.max))
            return "a region's numbers must be finite";
        const ABBox& box = region.bounds;
        if (box.min.x > box.max.x || box.min.y > box.max.y || box.min.z > box.max.z)
            return "a region's bounds run from low to high";
        if (FindRegion(region.id))
            return "region " + std::to_string(region.id) + " is named twice";
        out.regions.push_back(region);
        return "";
    }

    std::string ReadEntity(const std::vector<std::string_view>& tokens, size_t number)
    {
        if (tokens.size() < 6 || tokens.size() > 8)
            return "an entity takes a record, a region, x y z, a yaw, a unique id and a group";
        if (out.entities.size() >= LevelFile::kMaxEntities)
            return "too many entities";
        LevelFile::EntityLine entity;
        entity.record = tokens[0];
        entity.line = number;
        if (!ReadWord(tokens[1], entity.regionId, 10) || !FindRegion(entity.regionId))
            return "no region " + std::string(tokens[1]) + " above this line";
        if (!ReadVec3(tokens, 2, entity.position) || !ReadFloat(tokens[5], entity.yawDegrees))
            return "an entity's numbers must be finite";
        if (tokens.size() > 6 && tokens[6] != "-") {
            if (!ReadUniqueId(tokens[6], entity.uniqueId))
                return "a unique id is four hexadecimal words joined by '-'";
            entity.hasUniqueId = true;
        }
        if (tokens.size() > 7 && tokens[7] != "-")
            entity.group = tokens[7];
        out.entities.push_back(std::move(entity));
        return "";
    }

    bool FindRegion(uint32_t id) const
    {
        for (const LevelFile::RegionLine& region : out.regions) {
            if (region.id == id)
                return true;
        }
        return false;
    }

    LevelFile& out;
};

} // namespace

bool LevelFile::Parse(std::string_view text, const std::string& name, LevelFile& out,
                      std::string& error)
{
    out = LevelFile();
    Reader reader(out);
    size_t number = 0;
    while (!text.empty()) {
        ++number;
        const size_t end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        const std::vector<std::string_view> tokens = Split(line);
        if (tokens.empty() || tokens[0][0] == '#')
            continue;
        const std::string problem = reader.ReadLine(tokens, number);
        if (!problem.empty()) {
            error = name + ":" + std::to_string(number) + ": " + problem;
            out = LevelFile();
            return false;
        }
    }
    return true;
}

} // namespace GAME
