#pragma once

#include "engine/LevelFile.h"
#include "host/FrameCostHistogram.h"
#include "host/HeroMouse.h"
#include "host/LevelMap.h"
#include "host/OrderScript.h"
#include "host/ScriptCast.h"

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace GAME {

class Player;
class World;
struct HostOptions;

// `gamehost --db DIR` with no scenario: the sample level played whole by one hero. The level
// file and its route (an order script beside it) are read before anything starts; a broken line
// of either refuses the session with one line. The hero takes the elder's quest, crosses the
// gate, clears the packs, fights the chieftain and reports back; each event that matters is one
// line stamped with the game clock, and a summary closes the run. `--save` writes the hero when
// the run ends and `--load` starts him from such a file.
class LevelPlay {
public:
    static constexpr const char* kLevel = "Levels/Village.lvl";
    static constexpr const char* kQuest = "Quests/Village.qst";
    static constexpr const char* kPlayer = "Records/Creatures/PC/HeroBrawler.dbr";
    static constexpr const char* kBarSkillTree = "Records/Skills/Brawling/BrawlingTree.dbr";
    static constexpr const char* kBarSkill = "Records/Skills/Brawling/Haymaker.dbr";
    // A route may name these besides the level's things: the living monster nearest the hero
    // and the item lying nearest him.
    static constexpr const char* kNearestMonster = "Nearest";
    static constexpr const char* kNearestLoot = "Loot";
    // The names a route keeps for itself, with what each stands for; a level entity called so
    // is refused.
    static constexpr std::pair<const char*, const char*> kRouteNames[] = {
        {"Hero", "the hero"},
        {kNearestMonster, "the living monster nearest the hero"},
        {kNearestLoot, "the item lying nearest the hero"}};
    // Frames run after the last order, for the last blows and rewards to land.
    static constexpr int32_t kTrailingFrames = 60;

    LevelPlay(const HostOptions& options, std::ostream& out, std::ostream& err);
    ~LevelPlay();
    LevelPlay(const LevelPlay&) = delete;
    LevelPlay& operator=(const LevelPlay&) = delete;

    // The skill trees the level gives its hero beyond his record's own, given to `hero` when he
    // is made from the same record: a session's main player then reads and keeps the level's
    // saves, and the level his.
    static void GiveLevelSkills(Player& hero, const std::string& record);

    // The route beside a level: "Levels/Village.lvl" goes with "Levels/Village.route".
    static std::string RouteOf(const std::string& level);
    // What the level's entities are called in a route: each record's file name without its
    // extension, a repeated one numbered from 2 ("Townsman", "Townsman2") past the names taken
    // already, so that no two are called alike.
    static std::vector<std::string> EntityNames(const LevelFile& level);

    // The level played: `--level`'s or the sample's. A level or route the command line names is
    // that file when it exists, else the one of that name in the database.
    static std::string LevelPathOf(const HostOptions& options);
    static bool IsLevelOnDisk(const HostOptions& options);
    // False, with one line on `err`, when the level file cannot be read, has a broken line, no
    // region 1 (where the hero starts) or an entity that would take one of `kRouteNames`.
    static bool ReadLevel(const HostOptions& options, LevelFile& level, std::ostream& err);
    // `World::LoadLevel`, whose refusal (logged with the level's file and line) is then also the
    // one line on `err`.
    // The level's quest, read afresh; false, told in one line, when its file cannot be read or is
    // damaged: the level is not played without it.
    static bool LoadQuest(World& world, std::ostream& err);
    static bool LoadLevel(World& world, const LevelFile& level, const std::string& path,
                          std::vector<uint32_t>* made, std::ostream& err);
    // `--route`'s file, or else `ownRoute` (named after the level, as by `RouteOf`) beside the
    // level, wherever that was found.
    static std::string RoutePath(const HostOptions& options, const std::string& ownRoute);

    // 0 when played; 2, with one line on `err`, when the level, its route, the hero or his save
    // file cannot be used.
    int Run();

    // What the run did, for its summary and for tests.
    struct Tally {
        int64_t frames = 0;
        uint64_t gameMilliseconds = 0;
        int32_t kills = 0;
        int32_t looted = 0;
        int32_t deaths = 0;
        // Purchases and sales at a merchant.
        int32_t trades = 0;
        bool questComplete = false;
        bool bossDefeated = false;
        // Wall time of the frames, in microseconds, to the tenth the summary prints.
        FrameCostHistogram frameMicroseconds{1};
    };
    const Tally& GetTally() const { return tally; }

private:
    class Watcher;

    bool Read(std::vector<ScriptOrder>& orders);
    bool Play(const std::vector<ScriptOrder>& orders);
    bool Stage(const std::vector<uint32_t>& made);
    void Give(const ScriptOrder& order);
    // "buy @MERCHANT": the first item of his stock the hero can afford; "sell @MERCHANT": the
    // item that last reached the hero's bag. A merchant whose market never opened trades nothing.
    bool Trade(const ScriptOrder& order, uint32_t merchant);
    uint32_t TargetOf(const std::string& name) const;
    // The route's name of a thing, or its record's name and id for one the level did not place.
    std::string LabelOf(uint32_t id) const;
    void RunFrames(const std::vector<ScriptOrder>& orders);
    // One line of where the hero is and whom he fights (`--verbose`).
    void TraceHero();
    bool SaveHero();
    bool DrawMap();
    void PrintSummary() const;

    const HostOptions& options;
    std::ostream& out;
    std::ostream& err;
    std::string levelPath;
    LevelFile level;
    std::vector<std::string> names;
    HeroMouse mouse;
    ScriptCast roster;
    std::unique_ptr<Watcher> watcher;
    LevelMap map;
    Tally tally;
};

} // namespace GAME
