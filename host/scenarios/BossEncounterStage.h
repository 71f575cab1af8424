#pragma once

#include "core/UniqueId.h"
#include "engine/ObjectManager.h"
#include "host/HostSamples.h"
#include "host/OrderScript.h"
#include "host/scenarios/ScriptedStage.h"
#include "host/scenarios/StagedCast.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

namespace GAME {

class Character;
class Entity;
class GraphicsAnim;
class Monster;
struct HostOptions;

// One boss encounter of `gamehost --scenario bosses`: the hero and the boss's cast in a small
// world of their own, played on the encounter's orders as the arena plays its fight. Each frame
// prints the encounter's events and every member whose line changed; the encounter ends with
// "encounter NAME: OUTCOME". `--input` counts only when `--boss` named this encounter.
class BossEncounterStage : private StagedCast {
public:
    static constexpr const char* kHero = "Records/Creatures/PC/HeroBrawler.dbr";

    // How a member's line reads: "STATE | life L" and then
    enum class Lines {
        // the hero's place before it, a monster's most hated (else current) enemy after it;
        PlaceAndHated,
        // the current enemy after it;
        Enemy,
        // whole points of life (a regenerating hero would otherwise print every frame), and
        // " | invincible" for who cannot be hurt.
        WholeLife,
    };
    // Where a frame's events are printed.
    enum class Events {
        BeforeLines,
        // After the frame's lines and drops, behind the next frame's orders.
        AfterLines,
    };

    // How an encounter's frames print; each encounter keeps the style it was first shown in.
    struct Style {
        Lines lines;
        Events events;
        // A held button repeats the last click each frame.
        bool repeatHeld;
    };

    struct Encounter {
        Encounter(const char* name, std::vector<std::string> names, const char* builtInOrders,
                  Style style = {Lines::PlaceAndHated, Events::BeforeLines, true})
            : name(name), names(std::move(names)), builtInOrders(builtInOrders), style(style)
        {}

        const char* name;
        // The names an order may give with "@NAME".
        std::vector<std::string> names;
        const char* builtInOrders;
        Style style;
        // The screen hears what the game tells it, as in a session: the final boss's death.
        bool screen = false;
        // Puts the hero and the cast in the world; false, with a line on `err`, when a record
        // makes nothing.
        std::function<bool(BossEncounterStage&)> stage;
        // Looks at the world after each frame and reports what happened with `Event`.
        std::function<void(BossEncounterStage&)> watch;
        // The words after "encounter NAME: ".
        std::function<std::string(BossEncounterStage&)> outcome;
    };

    BossEncounterStage(const HostOptions& options, std::ostream& out, std::ostream& err)
        : StagedCast(options, out, err)
    {}
    ~BossEncounterStage();

    // The encounter's orders unless the options give a script for it; false when they cannot be
    // used or the staging fails.
    bool Play(const Encounter& encounter);

    // The hero at (x, 0, z), the main player, the one the orders drive.
    bool StageHero(float x, float z);
    // A character made by its record's class at (x, 0, z), in the cast under `name`; null, with
    // a line on `err`, when the record makes no T.
    template <typename T = Character>
    T* Enter(const std::string& name, const char* record, float x, float z);
    // A monster of the record thinking with a monster controller at (x, 0, z), facing the
    // hero's side (-z), in the cast under `name`; a unique id other than zero is set before its
    // controller attaches.
    Monster* EnterFacingHero(const std::string& name, const char* record, float x, float z,
                             const UniqueId& uniqueId = UniqueId());
    // A placed marker or spawner of the record's own class, not in the cast.
    template <class Kind> Kind* Place(const char* record, float x, float z, const UniqueId& id)
    {
        Kind* made = HostSamples::Make<Kind>(record, err);
        if (made != nullptr)
            PutInWorld(*made, x, z, id);
        return made;
    }
    // The sample animations carry no events: the animation gets `event` at `ms`, until the
    // encounter is over.
    void MarkHitEvent(const char* animation, const char* event, float ms);

    uint32_t IdOf(const std::string& name) const { return roster.IdOf(name); }
    // The cast member of that name; null once it is gone.
    template <typename T = Character> T* Find(const std::string& name) const
    {
        return ObjectManager::Instance().GetObject<T>(roster.IdOf(name));
    }
    // "  frame N: TEXT" for the frame just played.
    void Event(const std::string& text);
    // "NAME stands, life L" or "NAME falls", for the outcome line.
    std::string Fate(const std::string& member) const;
    std::ostream& Out() { return out; }
    std::ostream& Err() { return err; }

private:
    bool PlayOrders(ScriptedStage& stage, const Encounter& encounter,
                    const std::vector<ScriptOrder>& orders);
    static void PutInWorld(Entity& entity, float x, float z, const UniqueId& id);
    void FlushEvents();
    std::string LineOf(Lines lines, const Character& character,
                       const ScriptedStage::Member& member) const;

    std::vector<GraphicsAnim*> marked;
    std::string pending;
    int32_t frame = -1;
};

template <typename T>
T* BossEncounterStage::Enter(const std::string& name, const char* record, float x, float z)
{
    T* character = ObjectManager::Instance().CreateObjectFromFile<T>(record);
    if (character == nullptr) {
        err << "gamehost: " << record << " does not make a " << T::classInfo.GetName() << '\n';
        return nullptr;
    }
    Join(name, *character, record, At(x, z));
    return character;
}

} // namespace GAME
