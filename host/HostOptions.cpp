#include "host/HostOptions.h"

#include <charconv>

namespace GAME {

namespace {

template <typename T> bool ParseNumber(const std::string& text, T& value)
{
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

} // namespace

const char* HostOptions::Usage()
{
    return "usage: gamehost --db DIR [--classes] [--characters] [--deaths] [--duel N]\n"
           "                [--role single|server|client] [--frames N] [--ms MS]\n"
           "                [--answer yes|no] [--seed S] [--scenario actions|kill|commands]\n"
           "                [--player RECORD [--load FILE] [--save FILE]]\n"
           "       gamehost --dump-stream FILE\n"
           "  --db DIR      game database folder (records and text)\n"
           "  --classes     print the class tree\n"
           "  --characters  load the sample player and monster and show what they loaded\n"
           "  --deaths      three sample monsters die, frame by frame; an aura times out; a\n"
           "                monster picks its target from its hate list\n"
           "  --duel N      the sample player and monster exchange N seeded hits (1 to 1000),\n"
           "                one a second, with their combat transcripts and ticks\n"
           "  --role R      play a session as single player, server or client\n"
           "  --scenario actions  a player and two monsters move, attack and die on scripted\n"
           "                orders, frame by frame (role single or server)\n"
           "  --scenario kill  the sample hero, his pet and a stranger wound a monster; its\n"
           "                death pays the hero his share (single player)\n"
           "  --scenario commands  the hero's and a monster's config commands as a server,\n"
           "                replayed into a fresh client; a rag-doll death (server)\n"
           "  --player RECORD  the session's main player, made from this record\n"
           "  --load FILE   read the main player from this save file before the first frame\n"
           "  --save FILE   write the main player to this save file after the last frame\n"
           "  --frames N    run N frames (default 0)\n"
           "  --ms MS       milliseconds of game time per frame (default 33)\n"
           "  --answer A    how the host answers the game's questions (default yes)\n"
           "  --seed S      seed of the shared C-runtime generator and of the duel (default 1)\n"
           "  --dump-stream FILE  print a saved keyed stream as text\n"
           "  --help        this text\n"
           "exit status: 0 done, 1 bad options, 2 a database or file that cannot be used\n";
}

bool HostOptions::Parse(const std::vector<std::string>& args, std::string& error)
{
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--help" || arg == "-h") {
            showHelp = true;
        } else if (arg == "--classes") {
            printClasses = true;
        } else if (arg == "--characters") {
            showCharacters = true;
        } else if (arg == "--deaths") {
            showDeaths = true;
        } else if (arg == "--duel" && hasValue) {
            if (!ParseNumber(args[++i], duelHits) || duelHits < 1 || duelHits > kMaxDuelHits) {
                error = "--duel needs a count of hits from 1 to " + std::to_string(kMaxDuelHits) +
                        ", not '" + args[i] + "'";
                return false;
            }
        } else if (arg == "--dump-stream" && hasValue) {
            dumpStreamFile = args[++i];
        } else if (arg == "--player" && hasValue) {
            playerRecord = args[++i];
        } else if (arg == "--load" && hasValue) {
            loadFile = args[++i];
        } else if (arg == "--save" && hasValue) {
            saveFile = args[++i];
        } else if (arg == "--db" && hasValue) {
            databaseFolder = args[++i];
        } else if (arg == "--frames" && hasValue) {
            if (!ParseNumber(args[++i], frames) || frames < 0) {
                error = "--frames needs a count of 0 or more, not '" + args[i] + "'";
                return false;
            }
        } else if (arg == "--role" && hasValue) {
            role = args[++i];
            if (role != "single" && role != "server" && role != "client") {
                error = "--role takes single, server or client, not '" + role + "'";
                return false;
            }
        } else if (arg == "--scenario" && hasValue) {
            scenario = args[++i];
            if (scenario != "actions" && scenario != "kill" && scenario != "commands") {
                error = "--scenario takes actions, kill or commands, not '" + scenario + "'";
                return false;
            }
        } else if (arg == "--answer" && hasValue) {
            const std::string answer = args[++i];
            if (answer != "yes" && answer != "no") {
                error = "--answer takes yes or no, not '" + answer + "'";
                return false;
            }
            answerYes = answer == "yes";
        } else if ((arg == "--ms" || arg == "--frame-ms") && hasValue) {
            if (!ParseNumber(args[++i], frameMilliseconds) || frameMilliseconds < 0) {
                error = arg + " needs milliseconds of 0 or more, not '" + args[i] + "'";
                return false;
            }
        } else if (arg == "--seed" && hasValue) {
            if (!ParseNumber(args[++i], seed)) {
                error = "--seed needs an unsigned number, not '" + args[i] + "'";
                return false;
            }
        } else {
            error = "unknown or incomplete option '" + arg + "'";
            return false;
        }
    }
    // A client would only send its orders to a server that is not there.
    if (!scenario.empty() && role == "client") {
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
    if ((!loadFile.empty() || !saveFile.empty()) && playerRecord.empty()) {
        error = "--load and --save need the main player's record (--player RECORD)";
        return false;
    }
    // Only a session has a main player; a scenario brings its own characters.
    if (!playerRecord.empty() && (role.empty() || !scenario.empty())) {
        error = "--player needs a session (--role) and no --scenario";
        return false;
    }
    if (!showHelp && dumpStreamFile.empty() && databaseFolder.empty()) {
        error = "no database folder given (--db DIR)";
        return false;
    }
    return true;
}

} // namespace GAME
