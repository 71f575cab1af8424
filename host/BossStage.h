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
struct HostOptions;

// One encounter of the bosses scenario as it plays in a level of its own: the hero at the
// centre, the encounter's cast where it stands, the order script given frame by frame, each
// changed line printed as the arena prints it and the encounter's own events after the frame
// that brought them. The encounter says who stands where, what it watches for and how it ended.
class BossStage {
public:
    struct Entry {
        const char* name;
        const char* record;
        float x;
        float z;
    };
    // What an encounter adds to the plain play; every hook may be empty.
    struct Script {
        const char* builtInOrders = "";
        std::vector<Entry> entries;
        // After the cast stands: records animations' events, joins or links the cast.
        std::function<bool(BossStage&)> setUp;
        // After each frame: prints the frame's events with `Event`.
        std::function<void(BossStage&, int32_t frame)> watch;
        // The words after "encounter NAME: ".
        std::function<std::string(BossStage&)> outcome;
        // Animations that get a blow event as the sample ones do.
        std::vector<const char*> hitAnimations;
    };

    BossStage(const HostOptions& options, std::ostream& out, std::ostream& err, std::string name)
        : options(options), out(out), err(err), name(std::move(name))
    {}
    BossStage(const BossStage&) = delete;
    BossStage& operator=(const BossStage&) = delete;

    // Reads the orders (the script's, or `--input`), stages and plays; false with a line on `err`
    // when the orders or the cast cannot be used.
    bool Run(const Script& script);

    // The cast member of that name; null once it is gone.
    Character* Find(const std::string& member) const;
    template <typename T> T* Find(const std::string& member) const
    {
        return DynamicCast<T>(Find(member));
    }
    // Printed after the frame's lines.
    void Event(int32_t frame, const std::string& text);

private:
    bool Play(const Script& script, const std::vector<ScriptOrder>& orders);
    bool Stage(const Script& script);
    bool Enter(const Entry& entry);
    std::string Line(const Character& character) const;

    const HostOptions& options;
    std::ostream& out;
    std::ostream& err;
    std::string name;
    std::vector<ScriptedStage::Member> cast;
    HeroMouse mouse;
    ScriptCast roster;
    std::string pending;
};

} // namespace GAME
