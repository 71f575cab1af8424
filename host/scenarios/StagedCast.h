#pragma once

#include "engine/WorldCoords.h"
#include "host/HeroMouse.h"
#include "host/HostSamples.h"
#include "host/OrderScript.h"
#include "host/ScriptCast.h"
#include "host/scenarios/ScriptedStage.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <span>
#include <string>
#include <vector>

namespace GAME {

class Character;
class Entity;
class InstanceGroup;
class Monster;
class Player;
class UniqueId;
struct HostOptions;

// What the scenarios that play a cast on a `ScriptedStage` (arena, town, the boss encounters)
// hold alike: the options and streams, the cast with the lines it printed, the roster the orders
// name it by and the hero's mouse; and how each member enters the world and joins the cast.
class StagedCast {
protected:
    StagedCast(const HostOptions& options, std::ostream& out, std::ostream& err)
        : options(options), out(out), err(err)
    {}
    ~StagedCast() = default;
    StagedCast(const StagedCast&) = delete;
    StagedCast& operator=(const StagedCast&) = delete;

    // Unrotated at (x, 0, z) in the stage's region.
    static WorldCoords At(float x, float z);

    // Each frame: its orders to the hero's mouse, `beforeFrame`, the frame, the changed lines.
    void PlayCast(ScriptedStage& stage, const std::vector<ScriptOrder>& orders,
                  const std::function<void()>& beforeFrame, const ScriptedStage::LineOf& lineOf);
    void RepeatHeld() { ScriptedStage::RepeatHeld(mouse, roster); }

    // The hero of the record at `place`, made the main player whom the orders drive; null, with
    // a line on `err`, when his record or his controller fails.
    Player* JoinHero(const char* record, const WorldCoords& place);
    // Enters the world at `place`, set up, and joins the cast under `name`.
    void Join(const std::string& name, Character& character, const char* record,
              const WorldCoords& place);
    // A monster of the record at `place`, thinking with a monster controller, in the cast under
    // `name`; a unique id other than zero is its own before its controller attaches. Null, with
    // a line on `err`, otherwise.
    Monster* JoinMonster(const std::string& name, const char* record, const WorldCoords& place,
                         const UniqueId& uniqueId);

    // Markers of the record at `points`, the unique ids (`idWord`, 1, 0, index) theirs and
    // appended to `ids`, printed after "  HEADING:"; false when the record makes no Marker.
    template <class Marker>
    bool PlaceMarkers(const char* heading, const char* record, std::span<const float[2]> points,
                      uint32_t idWord, std::vector<UniqueId>& ids)
    {
        return PlaceMarkers(heading, points, idWord, ids,
                            [&]() -> Entity* { return HostSamples::Make<Marker>(record, err); });
    }
    // The markers' group, then the group that gathers them with the markers' as its child: both
    // must be known before the gatherers' controllers attach.
    static void GroupFollowers(const InstanceGroup& markers, InstanceGroup followers);

    const HostOptions& options;
    std::ostream& out;
    std::ostream& err;
    std::vector<ScriptedStage::Member> cast;
    HeroMouse mouse;
    ScriptCast roster;

private:
    bool PlaceMarkers(const char* heading, std::span<const float[2]> points, uint32_t idWord,
                      std::vector<UniqueId>& ids, const std::function<Entity*()>& make);
    void AddToCast(const std::string& name, uint32_t id, const char* record, const Vec3& at);
};

} // namespace GAME
