#pragma once

#include "core/UniqueId.h"
#include "host/HeroMouse.h"
#include "host/HostSamples.h"
#include "host/OrderScript.h"
#include "host/ScriptCast.h"
#include "host/ScriptedStage.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace GAME {

class Character;
class Entity;
class Monster;
struct HostOptions;

// One boss encounter of `gamehost --scenario bosses`: the hero and the boss's cast in a small
// world of their own, played on the encounter's orders as the arena plays its fight. Each frame
// prints the encounter's events first, then every member whose line changed; the encounter
// ends with "encounter NAME: OUTCOME".
class BossEncounterStage {
public:
    static constexpr const char* kHero = "Records/Creatures/PC/HeroBrawler.dbr";

    // Puts the cast in the world; false, with a line on `err`, when a record makes nothing.
    using Staging = std::function<bool(BossEncounterStage&)>;
    // Looks at the world after a frame and reports what happened with `Event`.
    using Watch = std::function<void(BossEncounterStage&)>;
    using Outcome = std::function<std::string(BossEncounterStage&)>;

    BossEncounterStage(const HostOptions& options, std::ostream& out, std::ostream& err,
                       const char* name, std::vector<std::string> names);
    BossEncounterStage(const BossEncounterStage&) = delete;
    BossEncounterStage& operator=(const BossEncounterStage&) = delete;

    // `builtInOrders` unless the options give a script; false when it cannot be used or the
    // staging fails.
    bool Play(const char* builtInOrders, const Staging& staging, const Watch& watch,
              const Outcome& outcome);

    // The hero at (x, 0, z), the main player, the one the orders drive.
    bool StageHero(float x, float z);
    // A monster of the record at (x, 0, z) facing the hero's side (-z), in the cast under
    // `name`; a unique id other than zero is set before its controller attaches.
    Monster* Enter(const std::string& name, const char* record, float x, float z,
                   const UniqueId& uniqueId = UniqueId());
    // A placed marker or spawner of the record's own class, not in the cast.
    template <class Kind> Kind* Place(const char* record, float x, float z, const UniqueId& id)
    {
        Kind* made = HostSamples::Make<Kind>(record, err);
        if (made != nullptr)
            PutInWorld(*made, x, z, id);
        return made;
    }

    uint32_t IdOf(const std::string& name) const { return roster.IdOf(name); }
    const ScriptCast& Roster() const { return roster; }
    void Event(const std::string& text);
    // "NAME stands, life L" or "NAME falls", for the outcome line.
    std::string Fate(const std::string& member) const;
    std::ostream& Err() { return err; }

private:
    static void PutInWorld(Entity& entity, float x, float z, const UniqueId& id);
    std::string LineOf(const Character& character, const ScriptedStage::Member& member);

    const HostOptions& options;
    std::ostream& out;
    std::ostream& err;
    std::string name;
    std::vector<std::string> names;
    std::vector<ScriptedStage::Member> cast;
    HeroMouse mouse;
    ScriptCast roster;
    int32_t frame = -1;
};

} // namespace GAME
