#include "characters/Player.h"
#include "engine/FileSystem.h"
#include "engine/IOStreamRead.h"
#include "engine/ObjectManager.h"
#include "host/GameHost.h"
#include "host/PlayerSaveFile.h"
#include "items/HotSlotOption.h"
#include "items/PlayerHotSlotCtrl.h"
#include "skills/Skill.h"
#include "skills/SkillManager.h"
#include "tests/host/HostRun.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/TempDatabase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace GAME::Test {
namespace {

const char* const kHero = "Records/Creatures/PC/Hero.dbr";

TEST(GameSession, EveryRoleRunsAndShutsDownCleanly)
{
    for (const char* role : {"single", "server", "client"}) {
        SCOPED_TRACE(role);
        const HostRun run = RunSample({"--role", role, "--frames", "1000"});
        EXPECT_EQ(run.status, 0);
        EXPECT_NE(run.out.find("session ended:"), std::string::npos);
    }
}

TEST(GameSession, PacketsAreNamedByTheirClassAndTheFooterComesOnce)
{
    const HostRun run = RunSample({"--role", "server", "--frames", "40"});
    EXPECT_EQ(run.status, 0);
    const std::string& out = run.out;
    // The server tells its clients about every player once a second.
    EXPECT_NE(out.find("\nframe 34: AllPlayersHeartbeatPacket (send, 12 bytes)\n"),
              std::string::npos);
    EXPECT_EQ(out.find("Packet type"), std::string::npos);
    EXPECT_NE(out.find("\nsession ended: 0 messages to the player, 1 packets sent\n"
                       "database: "),
              std::string::npos);
    EXPECT_EQ(Occurrences(out, "\nobjects: "), 1u);
}

// A session's hero saved as `path`, damaged by `damage`, then loaded to be saved over itself: the
// session refuses it with `line` and leaves the file as it was.
void ExpectDamagedSaveRefused(TempDatabase& folder,
                              const std::function<std::string(const std::string&)>& damage,
                              const std::string& line)
{
    const std::string path = folder.GetRoot() + "/hero.chr";
    ASSERT_EQ(RunSample({"--role", "single", "--player", kHero, "--save", path}).status, 0);
    const std::string damaged = damage(ReadBytes(path));
    folder.WriteFile("hero.chr", damaged);
    ExpectFailure(RunSample({"--role", "single", "--player", kHero, "--load", path, "--save", path,
                             "--frames", "5"}),
                  2, "gamehost: save file '" + path + "' is damaged" + line + "\n");
    EXPECT_EQ(ReadBytes(path), damaged);
}

TEST(GameSession, ABadSaveFileStopsTheSessionAndIsLeftAsItWas)
{
    TempDatabase folder;
    ExpectDamagedSaveRefused(
        folder, [](const std::string& bytes) { return bytes.substr(0, bytes.size() / 2); },
        "; no player was loaded from it");
    const HostRun notAPlayer =
        RunSample({"--role", "single", "--player", "Records/Game/GameEngine.dbr"});
    EXPECT_EQ(notAPlayer.status, 2);
    const std::string line = LinesStarting(notAPlayer.err, "gamehost: ");
    EXPECT_EQ(line.rfind("gamehost: sample character record 'Records/Game/GameEngine.dbr'", 0), 0u)
        << notAPlayer.err;
    EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1);
}

TEST(GameSession, ASackCountPastItsBoundRefusesTheSaveAndKeepsTheFile)
{
    TempDatabase folder;
    const auto sackPastItsBound = [](const std::string& bytes) {
        std::string text;
        EXPECT_TRUE(IOStreamRead::Describe(std::vector<uint8_t>(bytes.begin(), bytes.end()), text));
        const size_t at = text.find("uint size = 0\n");
        EXPECT_NE(at, std::string::npos);
        text.replace(at, 13, "uint size = 4294967295");
        std::vector<uint8_t> damaged;
        EXPECT_TRUE(IOStreamRead::ParseText(text, damaged));
        return std::string(damaged.begin(), damaged.end());
    };
    ExpectDamagedSaveRefused(folder, sackPastItsBound,
                             ": a sack holds 4294967295 items, more than 65536; no player was "
                             "loaded from it");
}

TEST(TravelReport, TeleportRespawnAndPortalEndWhereSent)
{
    const struct {
        const char* name;
        std::vector<std::string> args;
        std::vector<std::string> lines;
    } rows[] = {
        // Crosses to the far region and leaves no sleep behind.
        {"teleport",
         {"--frames", "200", "--teleport", "1005,0,5"},
         {"frame 10: teleport of player 5 from region 1 (0.00, 0.00, 0.00) to 1005,0,5",
          "frame 193: teleport finished, player at region 2 (5.00, 0.00, 5.00), needs sleep 0"}},
        {"respawn",
         {"--frames", "120", "--respawn"},
         {"frame 10: respawn of player 5 at region 1 (0.00, 0.00, 0.00)",
          "frame 103: respawn finished, player at region 1 (0.00, 0.00, 0.00), needs sleep 0"}},
        // A second portal request asks first.
        {"portal",
         {"--frames", "12", "--portal", "--answer", "no"},
         {"frame 5: portal asked for by player 5",
          "frame 10: portal asked for by player 5, who owns one",
          "frame 10: dialog \"tagPortalDialog\" answered no"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        std::vector<std::string> args{"--player", kHero, "--role", "single"};
        args.insert(args.end(), row.args.begin(), row.args.end());
        const HostRun run = RunSample(args);
        ASSERT_EQ(run.status, 0) << run.err;
        for (const std::string& line : row.lines)
            EXPECT_NE(run.out.find(line + '\n'), std::string::npos) << line;
    }
}

class PlayerSaveFileTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
    }

    TempDatabase folder;
};

TEST_F(PlayerSaveFileTest, ABadFileIsRefusedInOneLineAndLeftAsItWas)
{
    Player saved;
    std::string error;
    const std::string path = folder.GetRoot() + "/cut.chr";
    ASSERT_TRUE(PlayerSaveFile::Save(saved, path, error));
    std::string bytes = ReadBytes(path);
    bytes.resize(bytes.size() - 1);
    folder.WriteFile("cut.chr", bytes);

    Player loaded;
    EXPECT_FALSE(PlayerSaveFile::Load(loaded, path, error));
    EXPECT_EQ(error, "save file '" + path + "' is damaged; no player was loaded from it");
    EXPECT_EQ(ReadBytes(path), bytes);

    folder.WriteFile("text.chr", "not a save");
    EXPECT_FALSE(PlayerSaveFile::Load(loaded, folder.GetRoot() + "/text.chr", error));
    EXPECT_EQ(error, "'" + folder.GetRoot() + "/text.chr' is not a saved stream");
    EXPECT_FALSE(PlayerSaveFile::Load(loaded, folder.GetRoot() + "/absent.chr", error));
    EXPECT_EQ(error, "save file '" + folder.GetRoot() + "/absent.chr' does not exist");
}

// A hero of a level file (top level 50, whose experience begins at 612,500) with one skill
// learnt, saved as text: a damaged field is one edited line.
class DamagedSaveTest : public PlayerSaveFileTest {
protected:
    static constexpr const char* kRecord = "Records/Hero.dbr";
    static constexpr const char* kSkill = "Records/Skills/Tough.dbr";

    void SetUp() override
    {
        PlayerSaveFileTest::SetUp();
        database.WriteRecord(kRecord, {"Class = Player", "levelFileName = Records/Levels.dbr",
                                       "characterStrength = 51", "characterDexterity = 52",
                                       "characterIntelligence = 53", "characterLife = 300",
                                       "characterMana = 150", "skillTree1 = Records/Tree.dbr"});
        database.WriteRecord("Records/Levels.dbr",
                             {"experienceLevelEquation = ((playerLevel*(playerLevel+1))*250)",
                              "maxPlayerLevel = 50"});
        database.WriteRecord("Records/Tree.dbr",
                             {std::string("skillName1 = ") + kSkill, "skillLevel1 = 1"});
        database.WriteRecord(
            kSkill, {"Class = Skill_Passive", "skillMaxLevel = 8", "skillUltimateLevel = 10"});
    }

    Player* MakeHero() { return ObjectManager::Instance().CreateObjectFromFile<Player>(kRecord); }

    // The hero's save as text.
    std::string SavedText(Player& hero)
    {
        std::string error;
        const std::string path = folder.GetRoot() + "/text.chr";
        EXPECT_TRUE(PlayerSaveFile::Save(hero, path, error)) << error;
        const std::string bytes = ReadBytes(path);
        std::string text;
        EXPECT_TRUE(IOStreamRead::Describe(std::vector<uint8_t>(bytes.begin(), bytes.end()), text));
        return text;
    }

    // The text with its line `from` made `to`, loaded into a fresh hero; null when refused.
    Player* LoadEdited(std::string text, const std::string& from, const std::string& to,
                       std::string& path)
    {
        const size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos)
            text.replace(at, from.size(), to);
        std::vector<uint8_t> bytes;
        EXPECT_TRUE(IOStreamRead::ParseText(text, bytes));
        folder.WriteFile("edited.chr", std::string(bytes.begin(), bytes.end()));
        path = folder.GetRoot() + "/edited.chr";
        Player* hero = MakeHero();
        std::string error;
        return hero != nullptr && PlayerSaveFile::Load(*hero, path, error) ? hero : nullptr;
    }
};

TEST_F(DamagedSaveTest, EachNumberOutsideItsRangeIsHeldWithItsLine)
{
    const std::string text = SavedText(*MakeHero());
    const auto base = [](CharAttributeType type) {
        return [type](Player& hero) {
            hero.GetCharacterBio().Update(hero, 0);
            return static_cast<double>(hero.GetCharacterBio().GetBaseCharAttribute(type));
        };
    };
    const auto skillLevel = [](Player& hero) {
        const SkillManager& skills = hero.GetSkillManager();
        return skills.GetSkill(skills.FindSkillId(kSkill))->GetSkillLevel();
    };
    const struct {
        const char* from;
        const char* to;
        std::function<double(Player&)> held;
        double expected;
        const char* line;
    } cases[] = {
        {"uint currentStats.charLevel = 1", "uint currentStats.charLevel = 4294967295",
         [](Player& hero) { return hero.GetCharLevel(); }, 50,
         "ExperienceLevelControl: saved level 4294967295 lies outside 1 to 50, held at 50"},
        {"uint currentStats.charLevel = 1", "uint currentStats.charLevel = 0",
         [](Player& hero) { return hero.GetCharLevel(); }, 1,
         "ExperienceLevelControl: saved level 0 lies outside 1 to 50, held at 1"},
        {"uint currentStats.experiencePoints = 0", "uint currentStats.experiencePoints = 700000",
         [](Player& hero) { return hero.GetExperiencePoints(); }, 612500,
         "ExperienceLevelControl: saved experience 700000 lies outside 0 to 612500, held at "
         "612500"},
        {"uint money = 0", "uint money = 4294967295",
         [](Player& hero) { return hero.GetCurrentMoney(); }, 2000000000,
         "Player: saved money 4294967295 lies outside 0 to 2000000000, held at 2000000000"},
        {"float temp = 51", "float temp = -100", base(CharAttribute_Strength), 51,
         "CharacterBio: saved base strength -100 lies outside 0 to 1000000; the record's kept"},
        {"float temp = 52", "float temp = 1e30", base(CharAttribute_Dexterity), 52,
         "CharacterBio: saved base dexterity 1e+30 lies outside 0 to 1000000; the record's kept"},
        {"float temp = 53", "float temp = nan", base(CharAttribute_Intelligence), 53,
         "CharacterBio: saved base intelligence nan lies outside 0 to 1000000; the record's kept"},
        {"float temp = 300", "float temp = -100", base(CharAttribute_Life), 300,
         "CharacterBio: saved base life -100 lies outside 0 to 1000000; the record's kept"},
        {"int skillLevel = 1", "int skillLevel = -3", skillLevel, 0,
         "SkillManager: saved skill 'Records/Skills/Tough.dbr' level -3 lies outside 0 to 10, held "
         "at 0"},
        {"int skillLevel = 1", "int skillLevel = 99", skillLevel, 10,
         "SkillManager: saved skill 'Records/Skills/Tough.dbr' level 99 lies outside 0 to 10, held "
         "at 10"},
        {"int temp = 3", "int temp = 7",
         [](Player& hero) { return hero.GetGreatestDifficultyCompleted(); }, 0,
         "Player: saved greatest difficulty completed 7 is none of 0 to 3; none kept"},
        {"uint modifierPoints = 0", "uint modifierPoints = 4294967295",
         [](Player& hero) { return hero.GetModifierPoints(); }, 1000000,
         "ExperienceLevelControl: saved modifierPoints 4294967295 lies outside 0 to 1000000, held "
         "at 1000000"},
        {"uint skillPoints = 0", "uint skillPoints = 4294967295",
         [](Player& hero) { return hero.GetSkillPoints(); }, 1000000,
         "ExperienceLevelControl: saved skillPoints 4294967295 lies outside 0 to 1000000, held at "
         "1000000"},
        {"float temp = 150", "float temp = 1000000.5", base(CharAttribute_Mana), 150,
         "CharacterBio: saved base mana 1000000.5 lies outside 0 to 1000000; the record's kept"},
    };
    for (const auto& damaged : cases) {
        SCOPED_TRACE(damaged.to);
        log.Clear();
        std::string path;
        Player* hero = LoadEdited(text, damaged.from, damaged.to, path);
        ASSERT_NE(hero, nullptr);
        EXPECT_EQ(damaged.held(*hero), damaged.expected);
        EXPECT_EQ(log.Count(1, damaged.line), 1u);
    }
}

TEST_F(DamagedSaveTest, TheDefaultAttackSavedAtLevelZeroIsHeldAtOne)
{
    const std::string attack = "Records/Skills/Default/DefaultWeaponAttack.dbr";
    database.WriteRecord(attack, {"Class = Skill_WeaponPool_Default", "skillMaxLevel = 1"});
    Player* saved = MakeHero();
    ASSERT_NE(saved, nullptr);
    std::string path;
    Player* loaded = LoadEdited(
        SavedText(*saved), "string skillName = \"" + attack + "\"\n    int skillLevel = 1",
        "string skillName = \"" + attack + "\"\n    int skillLevel = 0", path);
    ASSERT_NE(loaded, nullptr);
    const SkillManager& skills = loaded->GetSkillManager();
    EXPECT_EQ(skills.GetSkill(skills.GetDefaultSkillId())->GetSkillLevel(), 1u);
    EXPECT_EQ(log.Count(1, "SkillManager: saved skill '" + attack +
                               "' level 0 lies outside 1 to 1, held at 1"),
              1u);
}

TEST_F(DamagedSaveTest, ASkillAtLevelZeroIsKeptAndItsHotbarSlotRefusesASave)
{
    Player* saved = MakeHero();
    ASSERT_NE(saved, nullptr);
    SkillManager& skills = saved->GetSkillManager();
    HotSlotOptionSkill option(skills.FindSkillId(kSkill));
    option.SetPlayer(saved);
    saved->GetPlayerHotSlotCtrl().SetHotSlot(0, &option);
    std::string path;
    Player* loaded =
        LoadEdited(SavedText(*saved), "int skillLevel = 1", "int skillLevel = 0", path);
    ASSERT_NE(loaded, nullptr);

    // The bar empties a slot of a skill at level 0 at its first look, so the save is refused.
    std::string error;
    EXPECT_FALSE(PlayerSaveFile::KeepsAll(*loaded, path, error));
    EXPECT_EQ(error, "save file '" + path + "' names a hotbar skill at level 0 (" + kSkill +
                         "); saving him would lose it");
    // The skill itself goes out as it came in.
    const std::string resaved = SavedText(*loaded);
    EXPECT_NE(resaved.find("int max = 1\n  {\n    string skillName = \"Records/Skills/Tough.dbr\"\n"
                           "    int skillLevel = 0\n"),
              std::string::npos)
        << resaved;
}

} // namespace
} // namespace GAME::Test
