#pragma once

#include "engine/Vec3.h"
#include "engine/WorldVec3.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace GAME {

// A route across one region's floor, as the world's path finder hands it out; whoever asked for
// it owns it. It is made of straight pieces and of arcs round obstacles, and keeps a cursor:
// `Advance` moves the cursor on and `GetLength` is what lies ahead of it.
class Path {
public:
    // One stretch: a straight line from `from` to `to`, or (radius above 0) an arc about
    // `center` sweeping `sweep` radians (positive turning from the x axis towards the z axis)
    // from `from` to `to`. Positions are the region's, at floor height.
    struct Piece {
        Vec3 from;
        Vec3 to;
        Vec3 center;
        float radius = 0.0f;
        float startAngle = 0.0f;
        float sweep = 0.0f;
        float length = 0.0f;
    };

    Path(uint32_t regionId, std::vector<Piece> pieces);
    virtual ~Path() = default;
    Path(const Path&) = delete;
    Path& operator=(const Path&) = delete;

    // The length still ahead of the cursor.
    float GetLength() const { return totalLength - travelled; }
    float GetTotalLength() const { return totalLength; }
    WorldVec3 GetStart() const;
    WorldVec3 GetEnd() const;
    // Moves the cursor `step` further (negative or NaN steps count as 0, the end stops it) and
    // gives the point reached and the unit direction of travel there.
    void Advance(float step, WorldVec3& position, Vec3& direction);
    // Records the line it would draw: the corners, with arcs cut into short chords.
    void DebugRender();

    const std::vector<Piece>& GetPieces() const { return pieces; }
    uint32_t GetDebugRenderCount() const { return debugRenderCount; }
    const std::vector<Vec3>& GetDebugRenderPoints() const { return debugRenderPoints; }

private:
    uint32_t regionId;
    std::vector<Piece> pieces;
    float totalLength = 0.0f;
    float travelled = 0.0f;
    // The piece the cursor is on and the length of the pieces before it.
    size_t current = 0;
    float currentStart = 0.0f;
    uint32_t debugRenderCount = 0;
    std::vector<Vec3> debugRenderPoints;
};

} // namespace GAME
