#pragma once

#include "core/RTTI_ClassInfo.h"
#include "engine/ConnectionManager.h"

#include <functional>
#include <iosfwd>
#include <string>

namespace GAME {

class Character;
class DeathHandler;
class DialogPak;
class GraphicsAnim;
class LoadTable;
class Object;
class Player;
struct Vec3;
class World;
class WorldCoords;

// What the host's reports on the sample database share: the library started around them,
// characters made from the sample records and destroyed again, and how numbers and death
// handlers are printed.
class HostSamples {
public:
    // Starts the library, shows, and shuts it down again. False, with one line on `err`, when
    // the library does not start; otherwise what `show` answers.
    static bool WithLibrary(std::ostream& err, const std::function<bool()>& show);
    // The same with the engine playing alone, neither server nor client.
    static bool AsSinglePlayer(std::ostream& err, const std::function<bool()>& show);
    // The same as a server or a client, with a world of one region (1) round `play`; what was
    // sent and everything made are gone afterwards.
    static bool InNetworkWorld(bool client, std::ostream& err, const std::function<bool()>& play);
    // The same world for whatever role the engine plays now.
    static bool InWorld(std::ostream& err, const std::function<bool()>& play);

    // Made as `ObjectManager::CreateObjectFromFile` makes it, once the record is known to ask
    // for this kind; null, with one line on `err`, otherwise.
    // `id` 0 takes a fresh id; another must be free (a machine making what a peer made).
    template <class Kind> static Kind* Make(const char* record, std::ostream& err, uint32_t id = 0)
    {
        const LoadTable* table = OpenRecord(record, Kind::classInfo, err);
        if (table == nullptr)
            return nullptr;
        auto* character = new Kind();
        if (!Register(character, record, err, id))
            return nullptr;
        character->Load(*table);
        return character;
    }

    // Into the world at `place`, its first update run and its bio brought up to date, as a
    // level's load leaves a character.
    static void EnterWorld(Character& character, const WorldCoords& place);
    // The learnt skill of the record on the hero's bar at `slot`; false when he has not learnt
    // it.
    static bool PutSkillOnBar(Player& hero, const char* skill, uint32_t slot);
    // The seed of one step of a seeded run: neighbouring steps must not start from neighbouring
    // states.
    static uint32_t StepSeed(uint32_t seed, int32_t step);

    // Loads the animation and gives it the named event at `ms` (the sample animations carry
    // none); a holder that kept it loaded, event and all, gets it as it is. The caller unloads
    // it; null when it does not load.
    static GraphicsAnim* MarkHitEvent(const char* animation, const char* event, float ms);

    // Destroyed at once, not at the end of a frame; null is ignored.
    static void Destroy(Object* object);

    // Everything in the world is taken out and destroyed, before the world itself goes; after a
    // signal only taken out, and every object let go, for the program ends next.
    static void ClearWorld(World& world);

    static std::string OneDecimal(float value);
    // "(x, y, z)" with two decimals; a rounded "-0.00" shows as "0.00".
    static std::string TwoDecimals(float value);
    // "0x" and eight hexadecimal digits.
    static std::string HexWord(uint32_t value);
    static std::string PointText(const Vec3& point);
    static const char* HandlerName(const DeathHandler& handler);

    // What is printed of a placed character as it changes: whom it follows, its side, the
    // banner over it and the mark over an NPC's head (record names as a line shows them, empty
    // for none).
    struct CastView {
        uint32_t leader = 0;
        uint32_t teamMajor = 0;
        uint32_t teamMinor = 0;
        std::string banner;
        std::string mark;
    };
    static CastView ViewCast(const Character& character);
    // One line per change from `last`, each after `prefix`; `last` then holds the new view.
    // From a default view, the first call prints whatever is set.
    static void PrintCastChanges(std::ostream& out, const std::string& prefix,
                                 const Character& character, CastView& last);
    // The pak's first line: its text tag and text; "no line" when it has none.
    static std::string DialogLine(DialogPak* pak);

    static const char* RouteName(ConnectionManager::Route route);
    // `prefix`, the packet's class, route and size, then its described fields, one a line
    // after `fieldIndent`.
    static void PrintPacket(std::ostream& out, const ConnectionManager::SentPacket& sent,
                            const std::string& prefix, const char* fieldIndent);

private:
    static const LoadTable* OpenRecord(const char* record, const RTTI_ClassInfo& kind,
                                       std::ostream& err);
    // Registered under a fresh id and named after its record; deleted, with one line on `err`,
    // when no id is left.
    static bool Register(Object* object, const char* record, std::ostream& err, uint32_t id);
};

} // namespace GAME
