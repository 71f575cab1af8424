#include "host/BossEncounterTyphon.h"

#include "ai/ControllerTyphon.h"
#include "characters/Typhon.h"
#include "characters/TyphonGod.h"
#include "characters/TyphonStatue.h"
#include "engine/ObjectManager.h"
#include "game/ActivityManager.h"
#include "host/BossArena.h"

#include <string>

namespace GAME {

namespace {

constexpr const char* kTyphon = "Records/Creatures/Bosses/Typhon.dbr";
constexpr const char* kZeus = "Records/Creatures/Bosses/ZeusStatue.dbr";
constexpr const char* kHades = "Records/Creatures/Bosses/HadesStatue.dbr";
// The boss wakes to the hero, who lets it take a god's powers before he goes for it.
constexpr const char* kOrders = "1 quest @Typhon wake\n"
                                "300 click @Typhon\n"
                                "301 hold\n"
                                "900 release\n";

} // namespace

bool PlayTyphonEncounter(const HostOptions& options, std::ostream& out, std::ostream& err)
{
    BossArena arena(options, out, err);
    uint32_t god = TyphonGod_None;
    bool ended = false;
    uint32_t activities = 0;
    const auto stage = [&] {
        activities = ActivityManager::Get().GetLastId();
        return arena.Enter<Typhon>("Typhon", kTyphon, 5.0f, 0.0f) != nullptr &&
               arena.Enter<TyphonStatue>("Zeus", kZeus, 9.0f, 6.0f) != nullptr &&
               arena.Enter<TyphonStatue>("Hades", kHades, 9.0f, -6.0f) != nullptr;
    };
    const auto watch = [&](int32_t frame) {
        const auto* typhon = arena.Find<Typhon>("Typhon");
        const auto* mind =
            typhon != nullptr
                ? ObjectManager::Instance().GetObject<ControllerTyphon>(typhon->GetControllerId())
                : nullptr;
        const uint32_t now = mind != nullptr ? mind->GetCurrentGod() : TyphonGod_None;
        if (now != god && IsTyphonGod(now))
            arena.Event(frame, std::string("Typhon takes the powers of ") + TyphonGodToName(now));
        else if (now != god)
            arena.Event(frame, "Typhon's powers fade");
        god = now;
        if (!ended && ActivityManager::Get().GetLastId() != activities) {
            ended = true;
            arena.Event(frame, "the game ends");
        }
    };
    const auto outcome = [&] {
        return std::string(ended ? "Typhon falls and the game ends" : "Typhon stands");
    };
    return arena.Run("typhon", {"Hero", "Typhon", "Zeus", "Hades"}, kOrders, stage, watch, outcome);
}

} // namespace GAME
