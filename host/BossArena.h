#pragma once

#include "host/HeroMouse.h"
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
class Monster;
struct HostOptions;

// What the final boss's, the chained giant's and the mirage boss's encounters share: the hero
// against one boss in a small level of its own, played on an order script as the arena plays
// its fight. Each frame prints the lines that changed, the boss's own events as they happen,
// and the encounter ends with "encounter NAME: OUTCOME".
class BossArena {
public:
    static constexpr const char* kHero = "Records/Creatures/PC/HeroBrawler.dbr";

    BossArena(const HostOptions& options, std::ostream& out, std::ostream& err)
        : options(options), out(out), err(err)
    {}
    BossArena(const BossArena&) = delete;
    BossArena& operator=(const BossArena&) = delete;

    // `stage` enters the boss and its company, `watch` prints the events a frame brought and
    // `outcome` names how it ended. `--input` counts only when `--boss` named this encounter.
    bool Run(const std::string& name, const std::vector<std::string>& names,
             const char* builtInOrders, const std::function<bool()>& stage,
             const std::function<void(int32_t frame)>& watch,
             const std::function<std::string()>& outcome);

    // The hero at the origin, driven by the script.
    bool EnterHero();
    // A monster of class T at (x, z) under its record's controller, known to the script by
    // `name`; null, with a line on `err`, when the record does not make one.
    template <typename T = Monster>
    T* Enter(const std::string& name, const char* record, float x, float z);
    // An object of the script's cast; null when gone.
    template <typename T> T* Find(const std::string& name) const;
    uint32_t IdOf(const std::string& name) const { return roster.IdOf(name); }
    // "  frame N: TEXT".
    void Event(int32_t frame, const std::string& text) const;

private:
    void Place(Monster& monster, const std::string& name, const char* record, float x, float z);
    std::string Line(const Character& character) const;

    const HostOptions& options;
    std::ostream& out;
    std::ostream& err;
    std::vector<ScriptedStage::Member> cast;
    HeroMouse mouse;
    ScriptCast roster;
};

} // namespace GAME

#include "engine/ObjectManager.h"
#include "host/HostSamples.h"

namespace GAME {

template <typename T>
T* BossArena::Enter(const std::string& name, const char* record, float x, float z)
{
    T* monster = HostSamples::Make<T>(record, err);
    if (monster != nullptr)
        Place(*monster, name, record, x, z);
    return monster;
}

template <typename T> T* BossArena::Find(const std::string& name) const
{
    return ObjectManager::Instance().GetObject<T>(roster.IdOf(name));
}

} // namespace GAME
