#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

// The command line of `gamehost`.
struct HostOptions {
    std::string databaseFolder;
    std::string dumpStreamFile;
    bool printClasses = false;
    // Every packet class with a filled sample's bytes and description (`--packets`).
    bool printPackets = false;
    // The sample player and monster, loaded and shown.
    bool showCharacters = false;
    bool showItems = false;
    // Three sample monsters die frame by frame; an aura times out; a monster picks a target.
    bool showDeaths = false;
    // The sample player's and monster's skill trees: references, groups, levels, pool draws,
    // a replica carried to a second engine.
    bool showSkills = false;
    // The sample player and monster exchange this many seeded hits; 0 for no duel.
    int32_t duelHits = 0;
    bool showHelp = false;
    // The sample quest loads, completes, is saved in the background and restored (`--quests`),
    // its state in this folder (`--quest-state DIR`; a scratch folder when empty).
    bool showQuests = false;
    std::string questStateFolder;
    // `--scenario quest --resume`: a fresh session restores the played quest from that folder.
    bool resumeQuest = false;
    int frames = 0;
    int frameMilliseconds = 33;
    uint32_t seed = 1;
    // The game difficulty of the level scenario: 0 Normal, 1 Epic, 2 Legendary.
    uint32_t difficulty = 0;
    // With a role, a game session is played: "single", "server" or "client".
    std::string role;
    // A scripted scene played instead of a session ("actions", "kill", "commands", "cast", "ai"
    // or "arena"), in the role given (single when none is; "kill", "cast", "ai" and "arena"
    // only as single; "arena" takes `inputFile` as its hero's orders). "players" plays as a
    // server whatever the role.
    std::string scenario;
    bool answerYes = true;
    // The main player of a session, made from this record; the save file read into it before
    // the first frame and the one written after the last.
    std::string playerRecord;
    std::string loadFile;
    std::string saveFile;
    // Characters placed in a session's world before its first frame (`--spawn RECORD@x,y,z`).
    struct Spawn {
        std::string record;
        float x = 0.0f;
        float y = 0.0f;
        float z = 0.0f;
    };
    std::vector<Spawn> spawns;
    // At frame 10 the main player teleports to this world point (`--teleport X,Y,Z`) or
    // respawns where he stands (`--respawn`); `--portal` asks for his personal portal at frames
    // 5 and 10, the second time while owning one.
    bool teleport = false;
    int32_t teleportTo[3] = {0, 0, 0};
    bool respawn = false;
    bool portal = false;
    // -- scripted input --
    // The hero obeys this order script, one "FRAME ORDER" a line (`--input FILE`), as single
    // player; no role goes with it, and no scenario but "arena".
    std::string inputFile;
    // `--scenario bosses --boss NAME`: only that encounter, on `inputFile` when given.
    std::string bossName;
    // -- end scripted input --

    // -- level --
    // With none of the options that pick something else, the host plays a level whole: this
    // one (`--level FILE`, under the database; the sample village when empty) on its route
    // (`--route FILE`; the level's own ".route" when empty), with every order and death traced
    // (`--verbose`), paced to the clock (`--realtime`).
    std::string levelFile;
    std::string routeFile;
    // The level drawn from above when the run ends (`--map FILE.svg`).
    std::string mapFile;
    bool verbose = false;
    bool realtime = false;
    bool PlaysLevel() const;
    // -- end level --
    // `--scenario horde --monsters N`: how many monsters fight.
    int32_t monsters = 1000;
    bool monstersGiven = false;
    // The horde's bound keeps a mistyped count from exhausting the machine.
    static constexpr int32_t kMaxMonsters = 20000;
    // The horde fights in packs of this many.
    static constexpr int32_t kHordePackSize = 10;

    // -- network session --
    // A server listens on this loopback port (`--port P`, 0 for one the system picks) and waits
    // for `--clients N`; a client joins `--connect ADDR:PORT`.
    int32_t port = -1;
    int32_t clients = 1;
    std::string connectTo;
    bool IsNetworkSession() const { return port >= 0 || !connectTo.empty(); }
    // -- end network session --

    // False with `error` set when the command line cannot be understood.
    bool Parse(const std::vector<std::string>& args, std::string& error);
    // Whether the option (by its own name, not an alias) was given.
    bool Given(const std::string& name) const;
    // Every option and scenario (`--help`).
    static const char* Usage();
    // What follows a bad command line's one line in place of the whole usage.
    static constexpr const char* kHelpHint = "(gamehost --help lists every option and scenario)\n";

    // Each hit prints a few dozen lines; this keeps a mistyped count from flooding the output.
    static constexpr int32_t kMaxDuelHits = 1000;
    // The longest frame anything plays in.
    static constexpr int32_t kMaxFrameMs = 1000;
    // Each placed character is watched every frame; a bound keeps a runaway script sane.
    static constexpr size_t kMaxSpawns = 64;

private:
    // False with `error` set when args[at] is no option, lacks its value or has an empty one,
    // or was given before (`--spawn` alone repeats).
    bool Take(const std::vector<std::string>& args, size_t at, std::string& error);
    // What the command line plays, as a refusal names it: "--scenario horde", "--port", ...
    std::string ModeName() const;
    // False with `error` set when an option does nothing in the mode chosen.
    bool CheckMode(std::string& error) const;
    bool ParseSpawn(const std::string& text, std::string& error);
    bool ParseTeleport(const std::string& text, std::string& error);
    // False with `error` set when a travel option lacks its main player or conflicts.
    bool CheckTravel(std::string& error) const;
    bool CheckNetworkSession(std::string& error) const;

    // The options given, in order, each by its own name (not an alias).
    std::vector<std::string> given;
};

} // namespace GAME
