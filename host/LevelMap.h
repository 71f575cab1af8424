#pragma once

#include "engine/LevelFile.h"
#include "engine/Vec3.h"
#include "engine/WorldVec3.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace GAME {

// The level seen from above when a run ends (`--map FILE.svg`): region outlines, one mark per
// level entity by kind with its name, the path each hero walked, and where deaths and drops
// happened; a small legend. Plain SVG, written by hand: x runs east, the world's z south, each
// thing at its place in the world (its region's offset counted).
class LevelMap {
public:
    enum class Kind { Townsfolk, Monster, FixedItem, Volume, Other };
    static constexpr float kScale = 4.0f;

    // What the level made, in its file's order, with the names a route gives them.
    void SetLevel(const LevelFile& level, const std::vector<uint32_t>& made,
                  const std::vector<std::string>& names);
    // Once in a while: the hero's place, and every item lying in the world not seen before.
    void Sample(uint32_t heroId);
    void NoteDeath(const std::string& name, const WorldVec3& at);

    void Write(std::ostream& out) const;
    // False, with why in `error`, when the file cannot be written; an old map there is then
    // left as it was.
    bool WriteFile(const std::string& path, std::string& error) const;

private:
    struct Mark {
        Kind kind;
        std::string name;
        Vec3 at;
    };
    void WriteMarks(std::ostream& out) const;
    void WriteLegend(std::ostream& out, double top) const;

    std::vector<LevelFile::RegionLine> regions;
    std::vector<Mark> entities;
    std::vector<Vec3> path;
    std::vector<Mark> deaths;
    std::vector<Mark> drops;
    std::vector<uint32_t> seenItems;
};

} // namespace GAME
