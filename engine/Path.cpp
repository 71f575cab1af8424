#include "engine/Path.h"

#include <cmath>

namespace GAME {

namespace {

// Arcs are drawn as chords no longer than this many radians.
constexpr float kDebugArcStep = 0.25f;

Vec3 PointOnArc(const Path::Piece& piece, float angle)
{
    return {piece.center.x + piece.radius * std::cos(angle), piece.from.y,
            piece.center.z + piece.radius * std::sin(angle)};
}

} // namespace

Path::Path(uint32_t regionId, std::vector<Piece> pieces)
    : regionId(regionId), pieces(std::move(pieces))
{
    for (const Piece& piece : this->pieces)
        totalLength += piece.length;
}

WorldVec3 Path::GetStart() const
{
    return pieces.empty() ? WorldVec3() : WorldVec3(regionId, pieces.front().from);
}

WorldVec3 Path::GetEnd() const
{
    return pieces.empty() ? WorldVec3() : WorldVec3(regionId, pieces.back().to);
}

void Path::Advance(float step, WorldVec3& position, Vec3& direction)
{
    direction = Vec3();
    if (pieces.empty())
        return;
    // NaN fails the comparison and so counts as no step.
    if (step > 0.0f)
        travelled = Min(totalLength, travelled + step);
    while (current + 1 < pieces.size() && travelled >= currentStart + pieces[current].length) {
        currentStart += pieces[current].length;
        ++current;
    }
    const Piece& piece = pieces[current];
    const float along = Clamp(travelled - currentStart, 0.0f, piece.length);
    if (piece.radius > 0.0f) {
        const float turn = piece.sweep < 0.0f ? -1.0f : 1.0f;
        const float angle = piece.startAngle + turn * along / piece.radius;
        position = WorldVec3(regionId, along >= piece.length ? piece.to : PointOnArc(piece, angle));
        direction = Vec3(-std::sin(angle), 0.0f, std::cos(angle)) * turn;
        return;
    }
    const Vec3 line = piece.to - piece.from;
    position = WorldVec3(regionId, along >= piece.length || piece.length <= 0.0f
                                       ? piece.to
                                       : piece.from + line * (along / piece.length));
    direction = line.Unit();
}

void Path::DebugRender()
{
    ++debugRenderCount;
    debugRenderPoints.clear();
    if (pieces.empty())
        return;
    debugRenderPoints.push_back(pieces.front().from);
    for (const Piece& piece : pieces) {
        if (piece.radius > 0.0f) {
            const int32_t chords =
                static_cast<int32_t>(std::ceil(Abs(piece.sweep) / kDebugArcStep));
            for (int32_t i = 1; i < chords; ++i)
                debugRenderPoints.push_back(
                    PointOnArc(piece, piece.startAngle + piece.sweep * static_cast<float>(i) /
                                                             static_cast<float>(chords)));
        }
        debugRenderPoints.push_back(piece.to);
    }
}

} // namespace GAME
