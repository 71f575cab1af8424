#include "host/LevelPlay.h"
#include "engine/LevelFile.h"
#include "host/LevelMap.h"
#include "tests/host/HostRun.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDatabase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <csignal>
#include <sys/resource.h>

namespace GAME::Test {
namespace {

// In a process of its own: object ids, and the seeds drawn from them, start afresh.
HostRun RunProgram(const std::vector<std::string>& args, const std::string& scratch)
{
    std::vector<std::string> all{"--db", SampleDatabase()};
    all.insert(all.end(), args.begin(), args.end());
    return RunChild(GAMEHOST_PROGRAM, all, scratch, "", std::chrono::minutes(3));
}

// The names of the elements of `xml` in document order, or "" when its tags do not nest: every
// element closes, in order, and nothing but blanks stands outside the root.
std::vector<std::string> ElementsIfWellFormed(const std::string& xml)
{
    std::vector<std::string> open;
    std::vector<std::string> seen;
    for (size_t at = xml.find('<'); at != std::string::npos; at = xml.find('<', at + 1)) {
        const size_t end = xml.find('>', at);
        if (end == std::string::npos)
            return {};
        const std::string tag = xml.substr(at + 1, end - at - 1);
        if (tag.empty() || tag[0] == '?' || tag[0] == '!')
            continue;
        const std::string name =
            tag.substr(tag[0] == '/', tag.find_first_of(" />", 1) - (tag[0] == '/'));
        if (tag[0] == '/') {
            if (open.empty() || open.back() != name)
                return {};
            open.pop_back();
        } else {
            seen.push_back(name);
            if (tag.back() != '/')
                open.push_back(name);
        }
    }
    return open.empty() ? seen : std::vector<std::string>{};
}

// One play of the whole level, the slowest thing the suite does, serves every check of it.
TEST(LevelPlay, TheHeroPlaysTheWholeLevelWithoutADataErrorToTheSameSummaryMapAndSave)
{
    const std::string text = ReadBytes(SampleDatabase() + "/" + LevelPlay::kLevel);
    LevelFile level;
    std::string error;
    ASSERT_TRUE(LevelFile::Parse(text, LevelPlay::kLevel, level, error)) << error;
    const std::vector<std::string> names = LevelPlay::EntityNames(level);
    EXPECT_EQ(names[1], "VillageElder");
    EXPECT_EQ(names[6], "Townsman2");

    TempDatabase scratch;
    const std::string map = scratch.GetRoot() + "/village.svg";
    const std::string first = scratch.GetRoot() + "/first.sav";
    const HostRun run =
        RunProgram({"--seed", "1", "--map", map, "--save", first}, scratch.GetRoot() + "/run");
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(LinesStarting(run.err, "[log 1]") + LinesStarting(run.err, "[log 2]"), "");
    EXPECT_EQ(run.out.rfind("level Levels/Village.lvl, seed 1, difficulty 0: " +
                                std::to_string(level.entities.size()) + " entities, ",
                            0),
              0u);
    for (const char* line : {"[0:00] quest taken: 3 steps\n",
                             "[0:02] quest step 1 of 3 done\n",
                             "[0:15] quest step 2 of 3 done\n",
                             "[0:33] pack cleared at (51.94, 0.00, 5.29): 1 kill\n",
                             "[0:47] level up: the hero is level 2\n",
                             "[0:59] looted: GoldPileSmall\n",
                             "[1:36] pack cleared at (75.29, 0.00, -10.50): 3 kills\n",
                             "[2:38] pack cleared at (108.27, 0.00, -28.41): 2 kills\n",
                             "[2:38] level up: the hero is level 3\n",
                             "[2:51] pack cleared at (104.38, 0.00, -28.56): 3 kills\n",
                             "[3:37] boss defeated: RaidChieftain\n",
                             "[3:37] level up: the hero is level 5\n",
                             "[3:37] quest step 3 of 3 done\n",
                             "[3:37] quest complete\n",
                             "[4:04] notable drop looted: HealthPotion\n",
                             "[4:53] trade: sold HealthPotion for 12 gold, 367 left\n",
                             "[4:53] trade: bought BronzeAxe for 88 gold, 279 left\n",
                             "summary: 4:57 of game time in 9011 frames\n",
                             "  quest: complete, boss defeated\n",
                             "  kills 10, items looted 5, deaths 0\n",
                             "  hero: level 5, experience 7150, gold 279\n",
                             "  frame cost: mean "}) {
        SCOPED_TRACE(line);
        EXPECT_NE(run.out.find(line), std::string::npos) << run.out;
    }
    EXPECT_NE(run.out.find("] saved: " + first + "\n"), std::string::npos);
    // A run slower than the game's clock still gets a figure of its own, not a rounded 0.
    EXPECT_TRUE(std::regex_search(run.out, std::regex(R"(; [0-9]+\.[0-9] times real time\n)")))
        << run.out;

    const std::string svg = ReadBytes(map);
    const std::vector<std::string> elements = ElementsIfWellFormed(svg);
    ASSERT_FALSE(elements.empty()) << svg;
    EXPECT_EQ(elements.front(), "svg");
    EXPECT_EQ(Occurrences(svg, "<circle class=\"entity\""), 26u);
    EXPECT_NE(svg.find("<polyline class=\"path\""), std::string::npos);
    EXPECT_NE(svg.find(">RaidChieftain died</title>"), std::string::npos);

    // The README's second command: his save keeps all the first held, the bag only gaining.
    const std::string second = scratch.GetRoot() + "/second.sav";
    const HostRun again = RunProgram({"--load", first, "--save", second}, scratch.GetRoot() + "/2");
    ASSERT_EQ(again.status, 0) << again.err;
    EXPECT_EQ(DataErrors(again.err), "");
    EXPECT_NE(again.out.find("  quest: complete, boss defeated\n"), std::string::npos) << again.out;
    const SavedHero before = ReadSavedHero(first);
    const SavedHero after = ReadSavedHero(second);
    EXPECT_NE(before.skills.find("Brawling/Haymaker.dbr"), std::string::npos);
    EXPECT_NE(before.bag.find("HealthPotion.dbr"), std::string::npos);
    EXPECT_NE(before.equipment.find("BronzeAxe.dbr"), std::string::npos);
    EXPECT_EQ(after.skills + after.equipment + after.bar,
              before.skills + before.equipment + before.bar);
    std::istringstream bag(before.bag);
    std::string item;
    for (std::string line; std::getline(bag, line);) {
        item = line.find("baseName = ") != std::string::npos ? line + '\n' : item + line + '\n';
        if (line.find("var1 = ") != std::string::npos) {
            EXPECT_NE(after.bag.find(item), std::string::npos) << item << after.bag;
        }
    }

    // Loaded and saved again without a frame played, the hero is the same to the byte.
    const std::string still = scratch.GetRoot() + "/still.route";
    scratch.WriteFile("still.route", "# the hero stands where he starts\n");
    const std::string third = scratch.GetRoot() + "/third.sav";
    ASSERT_EQ(
        RunProgram({"--load", second, "--route", still, "--save", third}, scratch.GetRoot() + "/3")
            .status,
        0);
    EXPECT_EQ(ReadBytes(second), ReadBytes(third));

    // A session keeps the level hero's save whole; one whose hero lacks a saved skill refuses.
    const std::string session = scratch.GetRoot() + "/session.sav";
    const auto runSession = [&](const char* player) {
        std::filesystem::copy_file(first, session,
                                   std::filesystem::copy_options::overwrite_existing);
        return RunSample({"--role", "single", "--player", player, "--load", session, "--save",
                          session, "--frames", "10"});
    };
    const HostRun kept = runSession(LevelPlay::kPlayer);
    ASSERT_EQ(kept.status, 0) << kept.err;
    const SavedHero resaved = ReadSavedHero(session);
    EXPECT_EQ(resaved.skills + resaved.bag + resaved.equipment + resaved.bar,
              before.skills + before.bag + before.equipment + before.bar);
    EXPECT_EQ(RunProgram({"--load", session, "--route", still}, scratch.GetRoot() + "/4").status,
              0);
    ExpectFailure(runSession("Records/Creatures/PC/Hero.dbr"), 2,
                  "gamehost: save file '" + session +
                      "' names a skill that 'Records/Creatures/PC/Hero.dbr' lacks "
                      "(Records/Skills/Brawling/Haymaker.dbr); saving him would lose it\n");
    EXPECT_EQ(ReadBytes(session), ReadBytes(first));

    // So is a save naming an item the database lacks, by the level and by a session alike.
    std::string missing = ReadBytes(first);
    const size_t axe = missing.find("BronzeAxe.dbr");
    ASSERT_NE(axe, std::string::npos);
    // Its name is the save's, shown escaped: it would clear the terminal.
    missing.replace(axe, 13,
                    "Bro\x1b[2J\x07"
                    "e.dbr");
    scratch.WriteFile("missing.sav", missing);
    const std::string lacking = scratch.GetRoot() + "/missing.sav";
    const std::string told = "gamehost: save file '" + lacking +
                             "' names an item that the database lacks "
                             "(Records/Items/Market/Bro\\x1b[2J\\x07e.dbr); saving him would "
                             "lose it\n";
    ExpectRefusal(RunProgram({"--load", lacking, "--route", still, "--save", lacking},
                             scratch.GetRoot() + "/5"),
                  2, told);
    ExpectRefusal(RunSample({"--role", "single", "--player", LevelPlay::kPlayer, "--load", lacking,
                             "--save", lacking, "--frames", "10"}),
                  2, told);
    EXPECT_EQ(ReadBytes(lacking), missing);

    // A hotbar slot naming a skill the hero lacks would be saved empty: played, not saved.
    std::string slot = ReadBytes(first);
    const size_t bar = slot.rfind("Haymaker.dbr");
    ASSERT_NE(bar, std::string::npos);
    slot[bar + 7] ^= 0x01;
    scratch.WriteFile("slot.sav", slot);
    const std::string slotted = scratch.GetRoot() + "/slot.sav";
    const HostRun slotRefused = RunProgram({"--load", slotted, "--route", still, "--save", slotted},
                                           scratch.GetRoot() + "/6");
    EXPECT_EQ(slotRefused.status, 2);
    EXPECT_EQ(slotRefused.err, "gamehost: save file '" + slotted + "' names a hotbar skill that '" +
                                   LevelPlay::kPlayer +
                                   "' lacks (Records/Skills/Brawling/Haymakes.dbr); saving him "
                                   "would lose it\n");
    EXPECT_EQ(ReadBytes(slotted), slot);
    EXPECT_EQ(RunProgram({"--load", slotted, "--route", still}, scratch.GetRoot() + "/7").status,
              0);

    const HostRun broken = RunSample({"--load", still});
    EXPECT_EQ(broken.status, 2);
    EXPECT_EQ(broken.out, "");

    // A save with more after its end is refused by the level as --dump-stream refuses it.
    for (const std::string& tail : {std::string(80, '\x5a'), ReadBytes(first)}) {
        scratch.WriteFile("tailed.sav", ReadBytes(first) + tail);
        const std::string tailed = scratch.GetRoot() + "/tailed.sav";
        ExpectFailure(RunSample({"--load", tailed, "--save", tailed}), 2,
                      "gamehost: save file '" + tailed +
                          "' is damaged: " + std::to_string(tail.size()) +
                          " bytes follow the player's end; no player was loaded from it\n");
        EXPECT_EQ(ReadBytes(tailed), ReadBytes(first) + tail);
        EXPECT_EQ(RunHost({"--dump-stream", tailed}).status, 2);
    }
}

TEST(LevelPlay, ABrokenLevelOrRouteRefusesTheSessionInOneLine)
{
    SampleCopy copy;
    copy.folder.WriteFile("Levels/Broken.route", "1 click 0,0\n");
    struct Row {
        const char* file;
        std::string text;
        std::vector<std::string> args;
        std::string err;
    };
    const Row rows[] = {
        {"hero.sav",
         std::string("GSTR\x01\x00\x00\x00\x07", 9),
         {"--load", copy.folder.GetRoot() + "/hero.sav"},
         "gamehost: save file '" + copy.folder.GetRoot() + "/hero.sav' is damaged; no player "},
        {"Levels/Broken.lvl",
         "region 1 0 0 0 -5 -5 -5 5 5 5\nRecords/Level/Torch.dbr 2 0 0 0 0\n",
         {"--level", "Levels/Broken.lvl"},
         "gamehost: Levels/Broken.lvl:2: "},
        {"Levels/Broken.lvl",
         "region 1 0 0 0 -5 -5 -5 5 5 5\nRecords/Level/Nothing.dbr 1 0 0 0 0\n",
         {"--level", "Levels/Broken.lvl"},
         "gamehost: Levels/Broken.lvl:2: 'Records/Level/Nothing.dbr' makes no entity\n"},
        {"Levels/Broken.lvl",
         "region 1 0 0 0 -5 -5 -5 5 5 5\nRecords/Game/GameEngine.dbr 1 0 0 0 0\n",
         {"--level", "Levels/Broken.lvl"},
         "gamehost: Levels/Broken.lvl:2: 'Records/Game/GameEngine.dbr' makes no entity\n"},
        {"Levels/Broken.lvl",
         "",
         {"--level", "Levels/Broken.lvl"},
         "gamehost: Levels/Broken.lvl: the level names no region 1, where the hero starts\n"},
        {"Levels/Broken.lvl",
         "region 1 0 0 0 -5 -5 -5 5 5 5\nRecords/Level/Torch.dbr 1 0 0 0 0\n"
         "Records/Creatures/Monster/Hero.dbr 1 0 0 0 0\n",
         {"--level", "Levels/Broken.lvl"},
         "gamehost: Levels/Broken.lvl:3: the entity 'Records/Creatures/Monster/Hero.dbr' would be "
         "called 'Hero', the name a route keeps for the hero\n"},
        {"Levels/Village.route",
         "1 click @VillageElder\n5 click @Cyclops\n",
         {},
         "gamehost: route '" + copy.folder.GetRoot() + "/Levels/Village.route' line 2: "},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        copy.folder.WriteFile(row.file, row.text);
        const HostRun run = copy.Run(row.args);
        EXPECT_EQ(run.status, 2);
        EXPECT_EQ(run.out, "");
        // Told once: the engine's log line behind the refusal is not printed besides it.
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
        EXPECT_EQ(run.err.rfind("gamehost: ", 0), 0u) << run.err;
        EXPECT_NE(run.err.find(row.err), std::string::npos) << run.err;
    }

    // The level is not played without its quest: a quest file cut short or empty is refused.
    const std::string route = "Levels/Village.route";
    copy.folder.WriteFile(route, ReadBytes(SampleDatabase() + "/" + route));
    const std::string quest = ReadBytes(SampleDatabase() + "/" + LevelPlay::kQuest);
    for (const size_t kept : {quest.size() / 2, size_t(0)}) {
        copy.folder.WriteFile(LevelPlay::kQuest, quest.substr(0, kept));
        ExpectRefusal(copy.Run({}), 2, "gamehost: quest file 'Quests/Village.qst' is damaged\n");
    }
    // Nor one the game could never complete: told with its name escaped and nothing else.
    const struct {
        std::string was, is, err;
    } faults[] = {
        {"Condition_KillCreature", "Condition_KilCreature",
         "a trigger class the game does not have, 'Condition_KilCreature'"},
        {"Action_GiveMoney", "Action_Give\x1b]0;Mony",
         "a trigger class the game does not have, "
         "'Action_Give\\x1b]0;Mony'"},
        {"RaidChieftain.dbr", "RaidChieftainX.dbr",
         "a record the database lacks, 'Records/Creatures/Monster/Village/RaidChieftainX.dbr'"},
    };
    for (const auto& fault : faults) {
        SCOPED_TRACE(fault.is);
        std::string damaged = quest;
        damaged.replace(damaged.find(fault.was), fault.was.size(), fault.is);
        copy.folder.WriteFile(LevelPlay::kQuest, damaged);
        const std::string line =
            "gamehost: quest file 'Quests/Village.qst' is damaged: it names " + fault.err + "\n";
        ExpectRefusal(copy.Run({}), 2, line);
        // A server refuses it before it listens: no client could ever have come.
        ExpectRefusal(copy.Run({"--role", "server", "--port", "0"}), 2, line);
    }
    copy.folder.WriteFile(LevelPlay::kQuest, quest);

    // With no level to play, what only a level does is refused rather than passed over.
    std::filesystem::remove(copy.folder.GetRoot() + "/" + LevelPlay::kLevel);
    TempDatabase scratch;
    const std::string save = scratch.GetRoot() + "/out.sav";
    ExpectRefusal(copy.Run({"--load", "/nonexistent.sav", "--save", save, "--map", save + ".svg",
                            "--difficulty", "0"}),
                  2,
                  "gamehost: database '" + copy.folder.GetRoot() +
                      "' has no level 'Levels/Village.lvl' to play with --load, --save, "
                      "--map, --difficulty\n");
    EXPECT_FALSE(std::filesystem::exists(save));
    // Nor does a session fall back on another scene: the pack is asked for by name.
    ExpectRefusal(copy.Run({"--role", "server", "--port", "0"}), 2,
                  "gamehost: database '" + copy.folder.GetRoot() +
                      "' has no level 'Levels/Village.lvl' for a network session "
                      "(--scenario pack plays one without it)\n");
}

TEST(LevelMap, EveryEntityHasANameOfItsOwnAndAnyNameOrBoundIsDrawnWellFormed)
{
    LevelFile level;
    std::string error;
    ASSERT_TRUE(
        LevelFile::Parse("region 1 0 0 0 -3e38 -1 -3e38 3e38 1 3e38\nR/Elder.dbr 1 0 0 0 0\n"
                         "R/Elder.dbr 1 0 0 0 0\nR/Elder2.dbr 1 0 0 0 0\n"
                         "R/Odd\x01<&\xff.dbr 1 0 0 0 0\n",
                         "odd.lvl", level, error))
        << error;
    const std::vector<std::string> names = LevelPlay::EntityNames(level);
    EXPECT_EQ(names, (std::vector<std::string>{"Elder", "Elder3", "Elder2", "Odd\x01<&\xff"}));
    LevelMap map;
    map.SetLevel(level, {0, 0, 0, 0}, names);
    std::ostringstream svg;
    map.Write(svg);
    EXPECT_FALSE(ElementsIfWellFormed(svg.str()).empty()) << svg.str();
    EXPECT_EQ(svg.str().find("inf"), std::string::npos) << svg.str();
    EXPECT_NE(svg.str().find(">Odd\uFFFD&lt;&amp;\uFFFD</text>"), std::string::npos);
}

TEST(LevelMap, EachRegionsCharactersAreDrawnInsideItsOutline)
{
    TempDatabase scratch;
    const std::string jackal = "Records/Creatures/Monster/Jackalman/JackalmanWarrior.dbr";
    scratch.WriteFile("Two.lvl", "region 1 0 0 0 -50 -5 -50 50 5 50\n"
                                 "region 2 2000 0 0 -50 -5 -50 50 5 50\n" +
                                     jackal + " 1 10 0 20 0\n" + jackal + " 2 -30 0 -40 0\n");
    scratch.WriteFile("Two.route", "");
    const std::string map = scratch.GetRoot() + "/two.svg";
    const HostRun run = RunSample({"--level", scratch.GetRoot() + "/Two.lvl", "--map", map});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string svg = ReadBytes(map);
    for (const char* drawn :
         {"<rect class=\"region\" x=\"-50.0\" y=\"-50.0\" width=\"100.0\" height=\"100.0\"",
          "<rect class=\"region\" x=\"1950.0\" y=\"-50.0\" width=\"100.0\" height=\"100.0\"",
          "<circle class=\"entity\" cx=\"10.0\" cy=\"20.0\"",
          "<circle class=\"entity\" cx=\"1970.0\" cy=\"-40.0\""}) {
        EXPECT_NE(svg.find(drawn), std::string::npos) << drawn << '\n' << svg;
    }
}

// Root reads every folder, so as root the program runs as nobody.
TEST(LevelPlay, ASaveIntoAFolderThatCannotBeSyncedIsRefusedAndLeavesTheOldFile)
{
    const std::string setpriv = "/usr/bin/setpriv";
    if (geteuid() == 0 && access(setpriv.c_str(), X_OK) != 0)
        GTEST_SKIP() << "root reads every folder and there is no setpriv to run as another user";
    SampleCopy copy;
    copy.folder.WriteFile("Tiny.lvl", "region 1 0 0 0 -5 -5 -5 5 5 5\n");
    copy.folder.WriteFile("Tiny.route", "");
    TempDatabase scratch;
    const std::string folder = scratch.GetRoot() + "/hidden";
    scratch.WriteFile("hidden/old", "the last run's file");
    // Writable by whoever runs, so that the folder is what stops it.
    chmod((folder + "/old").c_str(), 0666);
    for (const char* option : {"--save", "--map"}) {
        std::vector<std::string> args{"--db", copy.folder.GetRoot(), "--level", "Tiny.lvl",
                                      option, folder + "/old"};
        std::string program = GAMEHOST_PROGRAM;
        if (geteuid() == 0) {
            args.insert(args.begin(),
                        {"--reuid=65534", "--regid=65534", "--clear-groups", program});
            program = setpriv;
        }
        chmod(folder.c_str(), 0333);
        const HostRun run = RunChild(program, args, copy.folder.GetRoot() + "/run");
        chmod(folder.c_str(), 0755);
        ExpectRefusal(run, 2,
                      "gamehost: " + std::string(option) + " '" + folder +
                          "/old': its folder cannot be opened to sync the file "
                          "(Permission denied); the file there is as it was\n");
        EXPECT_EQ(ReadBytes(folder + "/old"), "the last run's file");
    }
}

// Else it would run at the hero and turn back, told at every turn.
TEST(LevelPlay, AMonsterWithoutItsDefaultAttackStandsIdleAndSaysSoOnce)
{
    const std::string attack = "Records/Skills/Default/DefaultWeaponAttack.dbr";
    for (const bool missing : {false, true}) {
        SCOPED_TRACE(missing ? "missing" : "empty");
        SampleCopy copy;
        if (missing)
            std::filesystem::remove(copy.folder.GetRoot() + "/" + attack);
        else
            copy.folder.WriteFile(attack, "");
        copy.folder.WriteFile("Den.lvl", "region 1 0 0 0 -20 -10 -20 20 10 20\n"
                                         "Records/Level/Start.dbr 1 0 0 0 90\n"
                                         "Records/Creatures/Monster/Village/PackJackal.dbr 1 4 0 "
                                         "0 0\n");
        copy.folder.WriteFile("Den.route", "150 click 1,0\n");
        const HostRun run = copy.Run({"--level", "Den.lvl"});
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_NE(run.out.find("summary: 0:06 of game time in 211 frames"), std::string::npos)
            << run.out;
        const std::string told = "ControllerMonster::ChooseBestSkill picked an invalid skill for "
                                 "Records/Creatures/Monster/Village/PackJackal.dbr";
        EXPECT_EQ(Occurrences(run.err, told), 1u) << run.err;
        EXPECT_EQ(run.err.find("invalid skill used"), std::string::npos);
        EXPECT_EQ(run.err.find("switches state without end"), std::string::npos);
    }
}

// A file's name may hold any byte; the terminal must not take them.
TEST(LevelPlay, ARecordNameWithControlBytesIsShownEscapedInTheLevelsLines)
{
    SampleCopy copy;
    const std::string folder = "Records/\x1b[2J\x1b]0;owned\x07/";
    const std::string shown = "Records/\\x1b[2J\\x1b]0;owned\\x07/";
    copy.folder.WriteFile(folder + "Jackal\x1b[31m.dbr",
                          ReadBytes(SampleDatabase() + "/Records/Creatures/Monster/Village/"
                                                       "PackJackal.dbr"));
    const std::string start = "region 1 0 0 0 -20 -10 -20 20 10 20\n"
                              "Records/Level/Start.dbr 1 0 0 0 90\n";
    copy.folder.WriteFile("Den.lvl", start + folder + "Jackal\x1b[31m.dbr 1 4 0 0 0\n");
    copy.folder.WriteFile("Den.route", "1 click @Jackal\x1b[31m\n");
    const HostRun run = copy.Run({"--level", "Den.lvl", "--verbose"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("] order click on Jackal\\x1b[31m -> "), std::string::npos) << run.out;
    EXPECT_EQ(run.out.find('\x1b'), std::string::npos) << run.out;

    copy.folder.WriteFile("Den.lvl", start + folder + "Hero.dbr 1 4 0 0 0\n");
    ExpectRefusal(copy.Run({"--level", "Den.lvl"}), 2,
                  "gamehost: Den.lvl:3: the entity '" + shown +
                      "Hero.dbr' would be called 'Hero', the name a route keeps for the hero\n");
}

// Forty lines of 256 torches each make 10,280 entities; thirty-eight stay inside.
TEST(LevelPlay, SpawnPoolMembersCountAgainstTheLevelsEntityLimit)
{
    SampleCopy copy;
    copy.folder.WriteFile("Records/Level/Heap.dbr",
                          "spawnMin = 256\nspawnMax = 256\nname1 = Records/Level/Torch.dbr\n"
                          "weight1 = 1\nlimit1 = 256\n");
    copy.folder.WriteFile("Records/Level/HeapProxy.dbr",
                          "Class = Proxy\npool1 = Records/Level/Heap.dbr\nweight1 = 1\n"
                          "difficultyEquationFile = Records/Level/Spawn/Equations.dbr\n"
                          "difficultyLimitsFile = Records/Level/Spawn/Limits.dbr\n");
    for (const int lines : {40, 38}) {
        std::string level = "region 1 0 0 0 -50 -10 -50 50 10 50\n";
        for (int line = 0; line < lines; ++line)
            level += "Records/Level/HeapProxy.dbr 1 " + std::to_string(line) + " 0 0 0\n";
        copy.folder.WriteFile("Heap.lvl", level);
        copy.folder.WriteFile("Heap.route", "");
        const HostRun run = copy.Run({"--level", "Heap.lvl"});
        if (lines == 40) {
            ExpectFailure(run, 2,
                          "gamehost: Heap.lvl:40: the level makes more than 10000 entities, its "
                          "spawn pools' members counted\n");
        } else {
            EXPECT_EQ(run.status, 0) << run.err;
            EXPECT_EQ(run.out.rfind("level Heap.lvl, seed 1, difficulty 0: 38 entities", 0), 0u)
                << run.out;
        }
    }
}

TEST(LevelPlay, ALevelOrRouteIsAFileOrElseOneInTheDatabase)
{
    TempDatabase outside;
    outside.WriteFile("Small.lvl",
                      "region 1 0 0 0 -5 -5 -5 5 5 5\nRecords/Level/Torch.dbr 1 0 0 0 0\n");
    outside.WriteFile("Small.route", "# the hero stands where he starts\n");
    const std::string level = outside.GetRoot() + "/Small.lvl";
    EXPECT_EQ(
        RunSample({"--level", level})
            .out.rfind("level " + level + ", seed 1, difficulty 0: 1 entities, 0 orders\n", 0),
        0u);
    const std::string route = "route '" + SampleDatabase() + "/Levels/Village.route' line ";
    EXPECT_NE(RunSample({"--level", level, "--route", "Levels/Village.route"}).err.find(route),
              std::string::npos);
}

// A disk that fills up: the new map cannot be written whole, and the last one stays.
TEST(LevelMap, AMapThatCannotBeWrittenWholeLeavesTheOldOne)
{
    TempDatabase folder;
    folder.WriteFile("village.svg", "<svg>the last run's map</svg>\n");
    rlimit before{};
    getrlimit(RLIMIT_FSIZE, &before);
    const rlimit full{64, before.rlim_max};
    signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &full), 0);
    std::string error;
    const bool written = LevelMap().WriteFile(folder.GetRoot() + "/village.svg", error);
    setrlimit(RLIMIT_FSIZE, &before);
    signal(SIGXFSZ, SIG_DFL);
    EXPECT_FALSE(written);
    EXPECT_EQ(error, "cannot be written: File too large");
    EXPECT_EQ(ReadBytes(folder.GetRoot() + "/village.svg"), "<svg>the last run's map</svg>\n");
}

// Whatever stands about him, the jackal strikes within two seconds of game time.
TEST(LevelPlay, ACrowdAboutTheHeroNeverHidesHimFromTheMonsterBesideHim)
{
    const std::string start = "region 1 0 0 0 -30 -10 -30 30 10 30\n"
                              "Records/Level/Start.dbr 1 0 0 0 90\n";
    const std::string jackal = "Records/Creatures/Monster/Village/PackJackal.dbr 1 ";
    std::ostringstream crabs;
    for (int i = 0; i < 40; ++i)
        crabs << "Records/Creatures/Monster/Town/ShoreCrab.dbr 1 " << i % 7 << ".5 0 " << i / 7
              << ".5 0\n";
    crabs << jackal << "2.1 0 0 270\n";
    std::ostringstream pack;
    for (int i = 0; i < 64; ++i)
        pack << jackal << 1 + i % 8 * 0.8 << " 0 " << 0.5 + i / 8 * 0.9 << " 270\n";
    for (const std::string& crowd : {crabs.str(), pack.str()}) {
        SampleCopy copy;
        copy.folder.WriteFile("Den.lvl", start + crowd);
        copy.folder.WriteFile("Den.route", "60 release\n");
        const HostRun run = copy.Run({"--level", "Den.lvl", "--verbose"});
        EXPECT_EQ(run.status, 0) << run.err;
        const std::string line = "[0:02] hero at (0.00, 0.00, 0.00) Idle, life ";
        const size_t at = run.out.find(line);
        ASSERT_NE(at, std::string::npos) << run.out;
        EXPECT_LT(std::stof(run.out.substr(at + line.size())), 300.0f) << run.out;
    }
}

// The second region's monsters lie along the village's road, in their own region.
TEST(LevelPlay, ASecondRegionNeverHidesTheFirstOnesFoes)
{
    SampleCopy copy;
    std::ostringstream level;
    level << "region 2 0 0 1000 -30 -10 -40 170 10 40\n"
          << ReadBytes(SampleDatabase() + "/Levels/Village.lvl");
    for (int x = 0; x <= 160; x += 20)
        level << "Records/Creatures/Monster/Village/PackJackal.dbr 2 " << x << " 0 0 0\n";
    copy.folder.WriteFile("Apart.lvl", level.str());
    copy.folder.WriteFile("Apart.route", ReadBytes(SampleDatabase() + "/Levels/Village.route"));
    const HostRun run = copy.Run({"--level", "Apart.lvl"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_NE(run.out.find("quest: complete, boss defeated"), std::string::npos) << run.out;
}

} // namespace
} // namespace GAME::Test
