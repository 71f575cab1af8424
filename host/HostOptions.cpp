#include "host/HostOptions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>

namespace GAME {

namespace {

template <typename T> bool ParseOptionNumber(const std::string& text, T& value)
{
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

// A count, a port, a seed or a time is digits alone: "-0" is refused as "-1" is, whatever the
// option's type.
template <typename T> bool ParseDigits(const std::string& text, T& value)
{
    return !text.empty() && text[0] != '-' && ParseOptionNumber(text, value);
}

// The scenarios in the order the usage names them; one a line, so each new one is a line.
// clang-format off
constexpr const char* kScenarioNames[] = {
    "actions",
    "kill",
    "commands",
    "cast",
    "ai",
    "arena",
    "players",
    "bag",
    "level",
    "drops",
    "town",
    "dialog",
    "market",
    "wear",
    "trade",
    "quest",
    "quest-actions",
    "skillshow",
    "range",
    "bosses",
    "horde",
    "pack",
};
// clang-format on

// The scenarios whose frames last --ms; the others are written in frames of their own length.
constexpr const char* kScenariosAtMs[] = {"arena",  "town",  "quest", "range",
                                          "bosses", "horde", "pack"};

// Every option, with whether a value follows it; an alias is written as the option it stands for.
struct OptionName {
    const char* name;
    bool takesValue;
    const char* aliasOf = nullptr;
};
// clang-format off
constexpr OptionName kOptionNames[] = {
    {"--help", false}, {"-h", false, "--help"}, {"--classes", false}, {"--packets", false},
    {"--characters", false}, {"--items", false}, {"--deaths", false}, {"--skills", false},
    {"--duel", true}, {"--quests", false}, {"--resume", false}, {"--quest-state", true},
    {"--dump-stream", true}, {"--player", true}, {"--spawn", true}, {"--teleport", true},
    {"--respawn", false}, {"--portal", false}, {"--input", true}, {"--monsters", true},
    {"--boss", true}, {"--load", true}, {"--save", true}, {"--db", true}, {"--frames", true},
    {"--role", true}, {"--scenario", true}, {"--answer", true}, {"--ms", true},
    {"--frame-ms", true, "--ms"}, {"--port", true}, {"--clients", true}, {"--connect", true},
    {"--difficulty", true}, {"--level", true}, {"--route", true}, {"--map", true},
    {"--verbose", false}, {"--realtime", false}, {"--seed", true},
};
// clang-format on

// "a, b, ... or z"
std::string ScenarioList()
{
    std::string list;
    for (size_t i = 0; i < std::size(kScenarioNames); ++i) {
        if (i > 0)
            list += i + 1 == std::size(kScenarioNames) ? " or " : ", ";
        list += kScenarioNames[i];
    }
    return list;
}

} // namespace

bool HostOptions::ParseSpawn(const std::string& text, std::string& error)
{
    error = "--spawn needs RECORD@x,y,z, not '" + text + "'";
    const size_t at = text.rfind('@');
    if (at == std::string::npos || at == 0)
        return false;
    Spawn spawn;
    spawn.record = text.substr(0, at);
    float* coordinates[] = {&spawn.x, &spawn.y, &spawn.z};
    size_t start = at + 1;
    for (size_t i = 0; i < 3; ++i) {
        const size_t end = i < 2 ? text.find(',', start) : text.size();
        if (end == std::string::npos)
            return false;
        // from_chars takes "inf" and "nan", which no point in a world can be.
        if (!ParseOptionNumber(text.substr(start, end - start), *coordinates[i]) ||
            !std::isfinite(*coordinates[i]))
            return false;
        start = end + 1;
    }
    if (spawns.size() >= kMaxSpawns) {
        error = "--spawn may be given at most " + std::to_string(kMaxSpawns) + " times";
        return false;
    }
    spawns.push_back(std::move(spawn));
    error.clear();
    return true;
}

bool HostOptions::ParseTeleport(const std::string& text, std::string& error)
{
    size_t start = 0;
    for (size_t i = 0; i < 3; ++i) {
        const size_t end = i < 2 ? text.find(',', start) : text.size();
        if (end == std::string::npos ||
            !ParseOptionNumber(text.substr(start, end - start), teleportTo[i])) {
            error = "--teleport needs whole world coordinates X,Y,Z, not '" + text + "'";
            return false;
        }
        start = end + 1;
    }
    teleport = true;
    return true;
}

bool HostOptions::CheckTravel(std::string& error) const
{
    const char* travel = teleport  ? "--teleport"
                         : respawn ? "--respawn"
                         : portal  ? "--portal"
                                   : nullptr;
    if (travel == nullptr)
        return true;
    if (playerRecord.empty()) {
        error = std::string(travel) + " needs the main player's record (--player RECORD)";
        return false;
    }
    // Both would act on the same player in the same frame.
    if (teleport && respawn) {
        error = "--teleport and --respawn cannot be given together";
        return false;
    }
    return true;
}

bool HostOptions::CheckNetworkSession(std::string& error) const
{
    // Named first: no other option makes such a scene a network one.
    if (IsNetworkSession() && !scenario.empty() && scenario != "pack") {
        error = "--scenario " + scenario +
                " is no network scene: only --scenario pack goes with --port or --connect";
        return false;
    }
    if (port >= 0 && role != "server") {
        error = "--port goes with --role server";
        return false;
    }
    if (!connectTo.empty() && role != "client") {
        error = "--connect goes with --role client";
        return false;
    }
    if (!connectTo.empty()) {
        const size_t colon = connectTo.rfind(':');
        uint32_t number = 0;
        if (colon == std::string::npos || colon == 0 ||
            !ParseOptionNumber(connectTo.substr(colon + 1), number) || number == 0 ||
            number > 65535) {
            error = "--connect needs ADDRESS:PORT, PORT from 1 to 65535, not '" + connectTo + "'";
            return false;
        }
    }
    if (scenario == "pack" && !IsNetworkSession()) {
        error = "--scenario pack goes with --port or --connect";
        return false;
    }
    if (IsNetworkSession() && (!playerRecord.empty() || !spawns.empty())) {
        error = "a network session (--port, --connect) brings its own heroes and monsters";
        return false;
    }
    return true;
}

bool HostOptions::Take(const std::vector<std::string>& args, size_t at, std::string& error)
{
    const std::string& arg = args[at];
    const auto named = [&arg](const OptionName& option) { return arg == option.name; };
    const OptionName* option =
        std::find_if(std::begin(kOptionNames), std::end(kOptionNames), named);
    if (option == std::end(kOptionNames) || (option->takesValue && at + 1 >= args.size())) {
        error = "unknown or incomplete option '" + arg + "'";
        return false;
    }
    // An empty value would read as the option not given: a save over a fresh hero, say.
    if (option->takesValue && args[at + 1].empty()) {
        error = arg + " needs a value, not an empty one";
        return false;
    }
    const std::string name = option->aliasOf != nullptr ? option->aliasOf : arg;
    if (name != "--spawn" && Given(name)) {
        error = (name == arg ? arg : arg + " (" + name + ")") + " may be given once";
        return false;
    }
    given.push_back(name);
    return true;
}

bool HostOptions::Given(const std::string& name) const
{
    return std::find(given.begin(), given.end(), name) != given.end();
}

std::string HostOptions::ModeName() const
{
    if (!dumpStreamFile.empty())
        return "--dump-stream";
    if (scenario == "pack")
        return "--scenario pack";
    if (IsNetworkSession())
        return port >= 0 ? "--port" : "--connect";
    if (PlaysLevel())
        return "the level played whole";
    if (!scenario.empty())
        return "--scenario " + scenario;
    if (!role.empty())
        return "--role " + role;
    for (const char* report : {"--input", "--classes", "--packets", "--characters", "--items",
                               "--deaths", "--skills", "--quests", "--duel"}) {
        if (Given(report))
            return report;
    }
    return "--frames";
}

bool HostOptions::CheckMode(std::string& error) const
{
    const bool level = PlaysLevel();
    const bool network = IsNetworkSession();
    const bool levelSession = network && scenario.empty();
    const bool session = !role.empty() && scenario.empty() && !network;
    // Frames of --ms are played by these, and by the engine's loop of --frames after anything.
    const bool framesAtMs = level || network || session ||
                            (!inputFile.empty() && scenario.empty()) || frames > 0 ||
                            std::find(std::begin(kScenariosAtMs), std::end(kScenariosAtMs),
                                      scenario) != std::end(kScenariosAtMs);
    // Where each of these options does something; everywhere else it would be passed over.
    const std::pair<const char*, bool> uses[] = {
        {"--level", level || levelSession},
        {"--route", level || levelSession},
        {"--map", level},
        // The main player's, or the level's hero's.
        {"--load", level || session},
        {"--save", level || session},
        {"--teleport", session},
        {"--respawn", session},
        {"--portal", session},
        {"--realtime", level || levelSession},
        {"--answer", session},
        // A client plays at the difficulty its server's welcome carries, and on its seed.
        {"--difficulty", level || session || scenario == "level" || port >= 0},
        {"--seed", connectTo.empty()},
        {"--clients", port >= 0},
        {"--frames", !network},
        {"--ms", framesAtMs},
        // The reports play on the engine alone, not in a session.
        {"--classes", !network},
        {"--characters", !network},
        {"--items", !network},
        {"--deaths", !network},
        {"--skills", !network},
        {"--duel", !network},
        {"--packets", !network},
        {"--quests", !network},
    };
    for (const std::string& name : given) {
        const auto found = std::find_if(std::begin(uses), std::end(uses),
                                        [&name](const auto& use) { return name == use.first; });
        const bool dumpOnly =
            !dumpStreamFile.empty() && name != "--dump-stream" && name != "--help";
        if (dumpOnly || (found != std::end(uses) && !found->second)) {
            error = name + " does nothing with " + ModeName();
            return false;
        }
    }
    return true;
}

bool HostOptions::PlaysLevel() const
{
    // `--frames 0` asks for the engine's loop as `--frames 5` does, not for the level.
    return role.empty() && scenario.empty() && inputFile.empty() && frames == 0 &&
           !Given("--frames") && playerRecord.empty() && !printClasses && !printPackets &&
           !showCharacters && !showItems && !showDeaths && !showSkills && !showQuests &&
           duelHits == 0 && dumpStreamFile.empty() && !IsNetworkSession();
}

const char* HostOptions::Usage()
{
    return "usage: gamehost --db DIR [--level FILE] [--route FILE] [--seed S] [--difficulty D]\n"
           "                [--load FILE] [--save FILE] [--ms MS [--realtime]] [--verbose]\n"
           "                [--map FILE.svg]\n"
           "       gamehost --db DIR [--classes] [--characters] [--items] [--deaths] [--skills]\n"
           "                [--duel N] [--packets] [--quests [--quest-state DIR]]\n"
           "                [--role single|server|client] [--frames N] [--ms MS]\n"
           "                [--answer yes|no] [--seed S] [--difficulty D] [--scenario NAME]\n"
           "                [--player RECORD [--load FILE] [--save FILE]]\n"
           "                [--spawn RECORD@x,y,z ...]\n"
           "                [--teleport X,Y,Z | --respawn] [--portal] [--input FILE]\n"
           "                [--scenario quest --quest-state DIR [--resume]]\n"
           "       gamehost --db DIR --role server --port P [--clients N] [--seed S] [--ms MS]\n"
           "                [--difficulty D] [--realtime] [--level FILE] [--route FILE]\n"
           "                [--scenario pack]\n"
           "       gamehost --db DIR --role client --connect 127.0.0.1:P [--ms MS] [--realtime]\n"
           "                [--level FILE] [--route FILE] [--scenario pack]\n"
           "       gamehost --dump-stream FILE\n"
           "  --db DIR      game database folder (records and text); alone, the hero plays the\n"
           "                level whole: one line per quest step, kill, cleared pack, loot,\n"
           "                trade, level, death, boss and save, then a summary\n"
           "  --level FILE  the level to play: a file, else one in the database (default\n"
           "                Levels/Village.lvl in the database)\n"
           "  --route FILE  the hero's orders for it: a file, else one in the database (default:\n"
           "                the level's .route beside it)\n"
           "  --verbose     the engine's information lines too ([log 0]); with the level also\n"
           "                every order the hero is given, and every 30th frame where he is\n"
           "                and whom he fights\n"
           "  --map FILE    with the level: draw it from above as SVG when the run ends (regions,\n"
           "                entities by kind, the hero's path, deaths and drops)\n"
           "  --realtime    with the level: frames paced to the clock, --ms each\n"
           "  --classes     print the class tree\n"
           "  --packets     every packet class in type order: a filled sample's bytes in hex\n"
           "                and its description, and whether it reads its own bytes back\n"
           "  --characters  load the sample player and monster and show what they loaded\n"
           "  --items       roll twenty sample items (--seed S), print them, make them again from\n"
           "                their replica records and compare\n"
           "  --deaths      three sample monsters die, frame by frame; an aura times out; a\n"
           "                monster picks its target from its hate list\n"
           "  --skills      the sample player's and monster's skill trees: references,\n"
           "                groups, levels, a modifier's lines, seeded weapon-pool draws as\n"
           "                server and client, and the player's skills replayed on a second\n"
           "                engine\n"
           "  --duel N      the sample player and monster exchange N seeded hits (1 to 1000),\n"
           "                one a second, with their combat transcripts and ticks; then a\n"
           "                hunter's charging bow pool, a shield and a spreading rot as a\n"
           "                server, replayed on a client engine\n"
           "  --quests      the sample quest: its steps and triggers, completed at once, saved\n"
           "                in the background and restored into a fresh repository\n"
           "  --quest-state DIR  where --quests keeps the quest state (default: a scratch\n"
           "                folder, removed afterwards)\n"
           "  --role R      play a session as single player, server or client\n"
           "  --scenario NAME  a scripted scene instead: actions, kill, commands, cast, ai,\n"
           "                arena, players, bag, level, drops, town, dialog, market, wear, trade,\n"
           "                quest, quest-actions, skillshow, range, bosses, horde or pack; each\n"
           "                below\n"
           "  --scenario actions  a player and two monsters move, attack and die on scripted\n"
           "                orders, frame by frame (role single or server)\n"
           "  --scenario kill  the sample hero, his pet and a stranger wound a monster; its\n"
           "                death pays the hero his share (single player)\n"
           "  --scenario commands  the hero's and a monster's config commands as a server,\n"
           "                replayed into a fresh client; a rag-doll death (server)\n"
           "  --scenario cast  a monster serves the hero for 5 s, the hero talks to a\n"
           "                townsman, their level state is saved, cleared and restored; a\n"
           "                guard and a scenery creature (single player)\n"
           "  --scenario ai  four monsters close on the hero round a ring of attack places,\n"
           "                past a wall and a barrier; one dies and drops its gold (single\n"
           "                player)\n"
           "  --scenario arena  a patrolling pack, a chieftain with two followers and a\n"
           "                mender think for themselves against the hero, who obeys --input\n"
           "                FILE or built-in orders; each monster's state, enemy, anger,\n"
           "                skill and attack place, and what the dead drop (single player)\n"
           "  --scenario town  townsfolk stroll and watch a juggler, a herd trails its\n"
           "                herder, the elder obeys quest orders; the hero talks to him,\n"
           "                then strikes a crab beside an ally, by a turret and an ambusher;\n"
           "                --input FILE or built-in orders (single player)\n"
           "  --scenario dialog  the hero talks to the elder until he tires, the townsfolk\n"
           "                quest changes what NPCs say and show, the elder and the\n"
           "                fisherman converse, and the quest state is restored (single\n"
           "                player)\n"
           "  --scenario players  three players join a server through their basic-info\n"
           "                messages, form a party whose leader's host leaves; one is banned;\n"
           "                the list every second and the texts players are shown (server)\n"
           "  --scenario bag  a chieftain's drops fall with the scatter of --seed and the hero\n"
           "                picks them up into sacks and potion stacks; he drinks by need and\n"
           "                is refused while the potion cools; the bag is saved and read back\n"
           "                (single player)\n"
           "  --scenario level  the hero walks a level file's sounds, effects and volumes:\n"
           "                who enters and leaves, music, daylight; he uses the door, chests,\n"
           "                shrine, altar, well and boat on his way, whose level states are\n"
           "                saved and restored; a spawner's pool and what it placed, an\n"
           "                ambush's releases, landmarks found, a shrine's heals and the\n"
           "                camera (single player); with --input FILE the hero walks to the\n"
           "                script's ground clicks\n"
           "  --difficulty D  the game difficulty of the level, --scenario level or a --role\n"
           "                session: 0 Normal (default), 1 Epic, 2 Legendary\n"
           "  --scenario drops  a chieftain's loot and gold fall where the item seeds put\n"
           "                them; a gold gift, a quest walk order and a locked chest follow;\n"
           "                a fresh client replays the packets and must agree (server)\n"
           "  --scenario market  the hero buys from the village trader, sells back, closes and\n"
           "                reopens (single player); two clients rebuild the server's stock\n"
           "                and race for one slot (server and clients)\n"
           "  --scenario wear  the hero puts on a helmet, a sword and a shield with the\n"
           "                cursor, sheds the helmet when weakened, sets relic shards together\n"
           "                and the complete relic into the sword (single player)\n"
           "  --scenario trade  hero A on a server and hero B on a client trade step by\n"
           "                step, each machine printing offers, confirmations and purses\n"
           "  --scenario quest  the hero plays the sample quest on the --input scene: a\n"
           "                kill, the gate and the elder, each condition, token, banner,\n"
           "                journal entry and step printed with its frame; the state is saved\n"
           "                to --quest-state DIR (single or server; orders from --input FILE\n"
           "                or the database's Quests/VillageWatch.route)\n"
           "  --scenario quest-actions  the showcase quest commands the world: items handed\n"
           "                out, creatures moved and killed, gates opened and locked, the camp\n"
           "                switched off, music and screen changed; then saved, reloaded and\n"
           "                fired again on a client\n"
           "  --resume      with --scenario quest: a fresh session restores the saved quest\n"
           "                and replays its rewards\n"
           "  --scenario skillshow  23 short scenes of the edge skills (companions, a thrown\n"
           "                rock, dispels, walls, light, mirages, beams, bolts, pulses, pets,\n"
           "                swaps), each frame's changes; as server a client engine replays\n"
           "                the commands and must agree (single or server)\n"
           "  --scenario range  the hero's projectiles of every kind fly at two raiders,\n"
           "                trees sway, a ring expands and a puppet acts (single player)\n"
           "  --scenario bosses  the hero against each boss in its own small level: each frame's\n"
           "                changes and the encounter's events (single player)\n"
           "  --boss NAME   with --scenario bosses: only that encounter, on --input FILE\n"
           "  --scenario horde  packs of monsters fight the hero's guards; the frame cost's\n"
           "                mean, 99th percentile and worst are printed (single player)\n"
           "  --monsters N  with --scenario horde: how many monsters, in whole packs of ten\n"
           "                (10 to 20000, default 1000)\n"
           "  --player RECORD  the session's main player, made from this record\n"
           "  --spawn RECORD@x,y,z  place the character of this record at this point of a\n"
           "                session before its first frame (repeatable); its leader, banner,\n"
           "                mark and dialogs are printed as they change\n"
           "  --teleport X,Y,Z  at frame 10 the main player teleports to this world point;\n"
           "                each frame of it is printed (the world has regions at x 0 and 1000)\n"
           "  --respawn     at frame 10 the main player respawns where he stands, printed alike\n"
           "  --portal      the main player asks for his portal at frames 5 and 10\n"
           "  --input FILE  the hero, an elder and a raider; the hero obeys the order script\n"
           "                FILE (lines 'FRAME click X,Z', 'FRAME click @NAME', 'FRAME hold',\n"
           "                'FRAME release', 'FRAME right @NAME', 'FRAME slot N', 'FRAME pet\n"
           "                @NAME', 'FRAME buy @NAME', 'FRAME sell @NAME' and 'FRAME quest\n"
           "                @NAME move|walk X,Z', 'anim TYPE [loop]', 'skill RECORD [@TARGET]'\n"
           "                or 'wake'; NAME Hero, Elder or Raider, or with a scenario its own\n"
           "                characters); each frame prints a line\n"
           "  --load FILE   read the main player from this save file before the first frame\n"
           "  --save FILE   write the main player to this save file after the last frame\n"
           "  --frames N    run N frames (default 0)\n"
           "  --ms MS       milliseconds of game time per frame (1 to 1000, default 33)\n"
           "  --answer A    with --role: how the host answers the game's questions (default\n"
           "                yes)\n"
           "  --seed S      seed of the shared C-runtime generator and of the duel (default 1)\n"
           "  --port P      as server, play a session over UDP on 127.0.0.1:P (0: any free\n"
           "                port) with --clients N clients (1 to 15, default 1)\n"
           "  --connect A:P  as client, join the server at A:P and play its session\n"
           "                A session plays the level: the server's hero follows its route,\n"
           "                client N's hero Levels/Village.clientN.route; they form a party and\n"
           "                share the quest, and each machine ends with the same end lines,\n"
           "                their digest and its frame cost\n"
           "  --scenario pack  the session's heroes fight a pack of two jackals instead\n"
           "  --dump-stream FILE  print a saved keyed stream as text\n"
           "  --help        this text\n"
           "An option given twice (but --spawn), with an empty value or where it does nothing\n"
           "is refused.\n"
           "exit status: 0 done, 1 bad options, 2 a database or file that cannot be used,\n"
           "             3 (network session) no listening port or connection, a full server\n"
           "             or a session under way, no client in time, every client or the\n"
           "             server gone, 4 (network client) a world not the server's,\n"
           "             129 stopped by SIGHUP, 130 by SIGINT (^C), 143 by SIGTERM\n";
}

bool HostOptions::Parse(const std::vector<std::string>& args, std::string& error)
{
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!Take(args, i, error))
            return false;
        if (arg == "--help" || arg == "-h") {
            showHelp = true;
        } else if (arg == "--classes") {
            printClasses = true;
        } else if (arg == "--packets") {
            printPackets = true;
        } else if (arg == "--characters") {
            showCharacters = true;
        } else if (arg == "--items") {
            showItems = true;
        } else if (arg == "--deaths") {
            showDeaths = true;
        } else if (arg == "--skills") {
            showSkills = true;
        } else if (arg == "--duel") {
            if (!ParseDigits(args[++i], duelHits) || duelHits < 1 || duelHits > kMaxDuelHits) {
                error = "--duel needs a count of hits from 1 to " + std::to_string(kMaxDuelHits) +
                        ", not '" + args[i] + "'";
                return false;
            }
        } else if (arg == "--quests") {
            showQuests = true;
        } else if (arg == "--resume") {
            resumeQuest = true;
        } else if (arg == "--quest-state") {
            questStateFolder = args[++i];
        } else if (arg == "--dump-stream") {
            dumpStreamFile = args[++i];
        } else if (arg == "--player") {
            playerRecord = args[++i];
        } else if (arg == "--spawn") {
            if (!ParseSpawn(args[++i], error))
                return false;
        } else if (arg == "--teleport") {
            if (!ParseTeleport(args[++i], error))
                return false;
        } else if (arg == "--respawn") {
            respawn = true;
        } else if (arg == "--portal") {
            portal = true;
        } else if (arg == "--input") {
            inputFile = args[++i];
        } else if (arg == "--monsters") {
            // They fight in whole packs of ten.
            if (!ParseDigits(args[++i], monsters) || monsters < kHordePackSize ||
                monsters > kMaxMonsters || monsters % kHordePackSize != 0) {
                error = "--monsters needs whole packs of " + std::to_string(kHordePackSize) + ": " +
                        std::to_string(kHordePackSize) + ", " + std::to_string(2 * kHordePackSize) +
                        " ... " + std::to_string(kMaxMonsters) + ", not '" + args[i] + "'";
                return false;
            }
            monstersGiven = true;
        } else if (arg == "--boss") {
            bossName = args[++i];
        } else if (arg == "--load") {
            loadFile = args[++i];
        } else if (arg == "--save") {
            saveFile = args[++i];
        } else if (arg == "--db") {
            databaseFolder = args[++i];
        } else if (arg == "--frames") {
            if (!ParseDigits(args[++i], frames)) {
                error = "--frames needs a count from 0 to " +
                        std::to_string(std::numeric_limits<decltype(frames)>::max()) + ", not '" +
                        args[i] + "'";
                return false;
            }
        } else if (arg == "--role") {
            role = args[++i];
            if (role != "single" && role != "server" && role != "client") {
                error = "--role takes single, server or client, not '" + role + "'";
                return false;
            }
        } else if (arg == "--scenario") {
            scenario = args[++i];
            if (std::find(std::begin(kScenarioNames), std::end(kScenarioNames), scenario) ==
                std::end(kScenarioNames)) {
                error = "--scenario takes " + ScenarioList() + ", not '" + scenario + "'";
                return false;
            }
        } else if (arg == "--answer") {
            const std::string answer = args[++i];
            if (answer != "yes" && answer != "no") {
                error = "--answer takes yes or no, not '" + answer + "'";
                return false;
            }
            answerYes = answer == "yes";
        } else if ((arg == "--ms" || arg == "--frame-ms")) {
            // A frame is a step of every character's way: at 0 nothing moves, and past a
            // second they overshoot their paths.
            if (!ParseDigits(args[++i], frameMilliseconds) || frameMilliseconds < 1 ||
                frameMilliseconds > kMaxFrameMs) {
                error = arg + " needs milliseconds from 1 to " + std::to_string(kMaxFrameMs) +
                        ", not '" + args[i] + "'";
                return false;
            }
        } else if (arg == "--port") {
            if (!ParseDigits(args[++i], port) || port > 65535) {
                error = "--port needs a port from 0 to 65535, not '" + args[i] + "'";
                return false;
            }
        } else if (arg == "--clients") {
            if (!ParseDigits(args[++i], clients) || clients < 1 || clients > 15) {
                error = "--clients needs a count from 1 to 15, not '" + args[i] + "'";
                return false;
            }
        } else if (arg == "--connect") {
            connectTo = args[++i];
        } else if (arg == "--difficulty") {
            if (!ParseDigits(args[++i], difficulty) || difficulty > 2) {
                error = "--difficulty needs 0, 1 or 2, not '" + args[i] + "'";
                return false;
            }
        } else if (arg == "--level") {
            levelFile = args[++i];
        } else if (arg == "--route") {
            routeFile = args[++i];
        } else if (arg == "--map") {
            mapFile = args[++i];
        } else if (arg == "--verbose") {
            verbose = true;
        } else if (arg == "--realtime") {
            realtime = true;
        } else if (arg == "--seed") {
            if (!ParseDigits(args[++i], seed)) {
                error = "--seed needs a number from 0 to " +
                        std::to_string(std::numeric_limits<decltype(seed)>::max()) + ", not '" +
                        args[i] + "'";
                return false;
            }
        } else {
            error = "unknown or incomplete option '" + arg + "'";
            return false;
        }
    }
    if (!CheckMode(error) || !CheckNetworkSession(error))
        return false;
    if (!questStateFolder.empty() && !showQuests && scenario != "quest" &&
        scenario != "quest-actions") {
        error = "--quest-state goes with --quests, --scenario quest or --scenario quest-actions";
        return false;
    }
    if (scenario == "quest" && questStateFolder.empty()) {
        error = "--scenario quest needs --quest-state DIR";
        return false;
    }
    if (!bossName.empty() && scenario != "bosses") {
        error = "--boss goes with --scenario bosses";
        return false;
    }
    // Each encounter but the one --boss names plays its own orders.
    if (scenario == "bosses" && bossName.empty() && !inputFile.empty()) {
        error = "--input does nothing with --scenario bosses without --boss";
        return false;
    }
    if (monstersGiven && scenario != "horde") {
        error = "--monsters goes with --scenario horde";
        return false;
    }
    if (resumeQuest && scenario != "quest") {
        error = "--resume goes with --scenario quest";
        return false;
    }
    // A client would only send its orders to a server that is not there.
    if (!scenario.empty() && scenario != "pack" && role == "client") {
        error = "--scenario runs as single or server, not as client";
        return false;
    }
    // Rewards are shared out by the server's rules; the kill shows the single player's.
    if (scenario == "kill" && !role.empty() && role != "single") {
        error = "--scenario kill runs as single player only";
        return false;
    }
    // The commands are shown as a server sends them and a client replays them.
    if (scenario == "commands" && !role.empty() && role != "server") {
        error = "--scenario commands runs as server only";
        return false;
    }
    if (scenario == "cast" && !role.empty() && role != "single") {
        error = "--scenario cast runs as single player only";
        return false;
    }
    if ((scenario == "wear" || scenario == "trade") && !role.empty() && role != "single") {
        error = "--scenario " + scenario + " plays its machines itself; no --role goes with it";
        return false;
    }
    if (scenario == "ai" && !role.empty() && role != "single") {
        error = "--scenario ai runs as single player only";
        return false;
    }
    if (!spawns.empty() && (role.empty() || !scenario.empty())) {
        error = "--spawn needs a session (--role) and no --scenario";
        return false;
    }
    if ((!loadFile.empty() || !saveFile.empty()) && playerRecord.empty() && !PlaysLevel()) {
        error = std::string(loadFile.empty() ? "--save" : "--load") +
                " with --role needs the main player's record (--player RECORD)";
        return false;
    }
    // Only a session has a main player; a scenario brings its own characters.
    if (!playerRecord.empty() && (role.empty() || !scenario.empty())) {
        error = "--player needs a session (--role) and no --scenario";
        return false;
    }
    if (scenario == "players" && !role.empty() && role != "server") {
        error = "--scenario players runs as server only";
        return false;
    }
    if (scenario == "level" && !role.empty() && role != "single") {
        error = "--scenario level runs as single player only";
        return false;
    }
    if ((scenario == "arena" || scenario == "town" || scenario == "range" || scenario == "bosses" ||
         scenario == "dialog" || scenario == "horde") &&
        !role.empty() && role != "single") {
        error = "--scenario " + scenario + " runs as single player only";
        return false;
    }
    if (scenario == "bag" && !role.empty() && role != "single") {
        error = "--scenario bag runs as single player only";
        return false;
    }
    if (!inputFile.empty() &&
        ((!role.empty() && scenario != "quest") ||
         (!scenario.empty() && scenario != "arena" && scenario != "level" && scenario != "town" &&
          scenario != "quest" && scenario != "bosses"))) {
        error = "--input plays as single player, without --role or --scenario";
        return false;
    }
    if (!CheckTravel(error))
        return false;
    if (!showHelp && dumpStreamFile.empty() && databaseFolder.empty()) {
        error = "no database folder given (--db DIR)";
        return false;
    }
    return true;
}

} // namespace GAME
