#include "game/GameEngine.h"

#include "characters/AttributePak.h"
#include "characters/Player.h"
#include "engine/InstanceGroupManager.h"
#include "engine/SoundPak.h"
#include "multiplayer/GameEngineServerServicesModule.h"
#include "tests/support/GameEngineFixture.h"
#include "world/GameCamera.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace GAME::Test {
namespace {

using GameEngineLifeCycle = GameEngineFixture;

TEST_F(GameEngineLifeCycle, InitializeAndShutdownAreIdempotent)
{
    ShutdownObjects();
    EXPECT_EQ(gGameEngine, nullptr);

    Start();
    GameEngine* first = gGameEngine;
    InitializeObjects();
    EXPECT_EQ(gGameEngine, first);

    ShutdownObjects();
    ShutdownObjects();
    EXPECT_EQ(gGameEngine, nullptr);
}

TEST_F(GameEngineLifeCycle, RolesChooseInterfaceAndServerServices)
{
    Start();
    GameEngineNetworkInterface* inbound = Game().GetInboundNetworkInterface();
    GameEngineClientServicesModule* client = Game().GetClientServices();
    GameEngineServerServicesModuleBase* fullServer = Game().GetServerServices();
    EXPECT_NE(Game().GetPlayerManagerServer(), nullptr);

    Game().SetAsNetworkServer();
    EXPECT_NE(Game().GetNetworkInterface(), inbound);
    EXPECT_EQ(Game().GetServerServices(), fullServer);
    GameEngineNetworkInterface* outbound = Game().GetNetworkInterface();

    Game().SetAsNetworkClient();
    EXPECT_EQ(Game().GetNetworkInterface(), outbound);
    EXPECT_EQ(Game().GetClientServices(), client);
    EXPECT_NE(Game().GetServerServices(), fullServer);
    EXPECT_EQ(Game().GetPlayerManagerServer(), nullptr);
    EXPECT_FALSE(Game().IsServerOrSingle());

    Game().SetAsNetworkStub();
    EXPECT_EQ(Game().GetNetworkInterface(), inbound);
    EXPECT_EQ(Game().GetServerServices(), fullServer);
}

TEST_F(GameEngineLifeCycle, InitializeDeclaresTheEditorGroupsInOrder)
{
    Start();
    using Group = std::pair<std::string, std::vector<std::string>>;
    std::vector<Group> groups;
    for (const auto& affiliation : InstanceGroupManager::Instance().GetGroupAffiliations()) {
        Group group{affiliation.groupName, {}};
        for (const RTTI_ClassInfo* info : affiliation.classes)
            group.second.push_back(info->GetName());
        groups.push_back(group);
    }
    const std::vector<Group> expected = {
        {"Unified Proxies", {"Proxy"}},
        {"Unique Proxies", {"Proxy"}},
        {"Any Entity", {"Entity"}},
        {"Decorations", {"Decoration"}},
        {"Monsters And Weapons", {"Monster", "Weapon"}},
        {"Patrol Points", {"PatrolPoint"}},
        {"Patrollers", {"Monster"}},
        {"ProxyPatrollers", {"Proxy"}},
        {"Wander Points", {"NpcWanderPoint"}},
        {"Npc Wanderers", {"Npc"}},
        {"TeleportShrine", {"StrategicMovementTeleportShrine"}},
        {"RespawnShrine", {"StrategicMovementRespawnShrine"}},
        {"Bandari", {"Monster", "Proxy"}},
        {"Bandari Teleport Points", {"BandariTeleportPoint"}},
        {"Terracotta Warriors", {"Monster", "Proxy"}},
    };
    EXPECT_EQ(groups, expected);

    ShutdownObjects();
    EXPECT_TRUE(InstanceGroupManager::Instance().GetGroupAffiliations().empty());
}

TEST_F(GameEngineLifeCycle, MarketSoundsAreDestroyedLastWithTheirLines)
{
    database.WriteRecord("Records/Sounds/Buy.dbr", {"Class = SoundPak", "soundFiles = buy.wav"});
    database.WriteRecord("Records/Sounds/Sell.dbr", {"Class = SoundPak", "soundFiles = sell.wav"});
    Start({"marketPurchaseSound = Records/Sounds/Buy.dbr",
           "marketSaleSound = Records/Sounds/Sell.dbr"});
    ObjectManager& objects = ObjectManager::Instance();
    uint32_t buyId = 0, sellId = 0;
    for (uint32_t id = 1; id < 64; ++id) {
        if (SoundPak* sound = objects.GetObject<SoundPak>(id))
            (sound->GetObjectName() == "Records/Sounds/Buy.dbr" ? buyId : sellId) = id;
    }
    ASSERT_TRUE(buyId != 0 && sellId != 0);

    Game().PlayMarketPurchaseSound();
    EXPECT_EQ(objects.GetObject<SoundPak>(buyId)->GetPlayRequests().size(), 1u);
    EXPECT_TRUE(objects.GetObject<SoundPak>(sellId)->GetPlayRequests().empty());

    ShutdownObjects();
    const auto& history = objects.GetDestroyHistory();
    ASSERT_GE(history.size(), 2u);
    for (const auto& [offset, id, line] : {std::tuple{2u, buyId, 203}, {1u, sellId, 204}}) {
        const auto& destroyed = history[history.size() - offset];
        EXPECT_EQ(destroyed.objectId, id);
        EXPECT_EQ(destroyed.file, "Project/Game/GameEngine");
        EXPECT_EQ(destroyed.line, line);
    }
}

TEST_F(GameEngineLifeCycle, AMarketSoundThatIsNoSoundPakIsDroppedAtOnce)
{
    database.WriteRecord("Records/Sounds/Odd.dbr", {"Class = Decoration"});
    Start({"marketSaleSound = Records/Sounds/Odd.dbr"});
    const auto& history = ObjectManager::Instance().GetDestroyHistory();
    ASSERT_FALSE(history.empty());
    EXPECT_EQ(history.back().file, "Engine/ObjectManager");
    Game().PlayMarketSaleSound();
    const size_t destroyed = history.size();
    ShutdownObjects();
    EXPECT_EQ(history.size(), destroyed) << "no sale sound is left to destroy";
}

using GameEngineSettings = GameEngineFixture;

// Absent ranges read as zero; angles are given in degrees.
TEST_F(GameEngineSettings, RangesAnglesItemClassesAndSacks)
{
    Start({"CameraPitchDefault = 45", "magicalItemColor = ^y",
           "UICharWindowInventorySack0DimsX = 12", "UICharWindowInventorySack0DimsY = 5",
           "UICharWindowInventorySack1DimsX = 4", "UICharWindowInventorySack1DimsY = 6"});
    EXPECT_EQ(Game().GetMaximumRange(), 0.0f);
    EXPECT_FLOAT_EQ(Game().GetCamera().GetCameraPitch(), 45.0f * 0.017453292f);

    // Item classes without an entry are common.
    const auto stray = static_cast<ItemClassification>(7);
    EXPECT_EQ(Game().GetItemTextClass(stray), GameTextClass::ItemNameCommon);
    EXPECT_EQ(Game().GetItemTextClass(ItemClassification_Quest), GameTextClass::ItemNameQuest);
    EXPECT_EQ(Game().GetItemColorText(stray), L"");
    EXPECT_EQ(Game().GetItemColorText(ItemClassification_Magical), L"^y");

    // Any sack but the first is the second.
    EXPECT_EQ(Game().GetInventorySackDims(0), Vec2(12, 5));
    for (int32_t sack : {1, 5, -1})
        EXPECT_EQ(Game().GetInventorySackDims(sack), Vec2(4, 6)) << sack;
}

TEST_F(GameEngineSettings, DesignerVariablesAnswerExactNamesOnly)
{
    Start({"experienceEquation = ((monsterExperience*(1+(gameDifficultyDV*0.5))))"});
    Game().SetGameDifficulty(GameDifficulty_Legendary);
    EXPECT_EQ(Game().CalculateExperienceReward(12, 100), 200u);

    float value = -1.0f;
    for (const auto& [name, expected] : {std::pair{"gameDifficultyDV", 2.0f},
                                         {"monsterLevel", 12.0f},
                                         {"monsterExperience", 100.0f},
                                         {"numberOfPlayers", 0.0f}}) {
        EXPECT_TRUE(Game().GetDesignerVariable(name, value)) << name;
        EXPECT_EQ(value, expected) << name;
    }
    for (const char* name : {"gameDifficulty", "gameDifficultyDVx", "", "GameDifficultyDV"}) {
        value = -1.0f;
        EXPECT_FALSE(Game().GetDesignerVariable(name, value)) << name;
        EXPECT_EQ(value, 0.0f) << name;
    }
    EXPECT_FALSE(Game().GetDesignerVariable(nullptr, value));
}

TEST_F(GameEngineSettings, LootWeightsAreTruncatedTowardZero)
{
    Start({"noPrefixNoSuffixModifierChampion = 2.9", "bothPrefixSuffixModifierChampion = -1.5",
           "prefixOnlyModifierChampion = 3", "brokenOnlyModifierChampion = 1e12",
           "suffixOnlyModifierHeroChest = -7.99"});
    RandomizerWeightModifiers weights;
    Game().GetMonsterLootWeightModifiers(MonsterClassification_Champion, weights);
    EXPECT_EQ(weights.noPrefixNoSuffix, 2);
    EXPECT_EQ(weights.bothPrefixSuffix, -1);
    EXPECT_EQ(weights.prefixOnly, 3);
    EXPECT_EQ(weights.suffixOnly, 0);
    EXPECT_EQ(weights.brokenOnly, INT32_MAX);

    Game().GetChestLootWeightModifiers(ChestClassification_Hero, weights);
    EXPECT_EQ(weights, (RandomizerWeightModifiers{0, 0, 0, -7, 0}));

    RandomizerWeightModifiers untouched{1, 2, 3, 4, 5};
    Game().GetMonsterLootWeightModifiers(static_cast<MonsterClassification>(4), untouched);
    Game().GetChestLootWeightModifiers(static_cast<ChestClassification>(3), untouched);
    EXPECT_EQ(untouched, (RandomizerWeightModifiers{1, 2, 3, 4, 5}));
}

// The caps are kept between hits, so a change of difficulty or of the settings record must reach
// the next hit.
TEST_F(GameEngineSettings, DefenseCapsFollowTheDifficultyAndAReloadedRecord)
{
    Start({"monsterDefenseCap = 40;60;80", "playerDefenseCap = 50;70;90"});
    Player* player = MakeMainPlayer();
    auto* monster = static_cast<Character*>(ObjectManager::Instance().CreateObject("Monster"));
    ASSERT_NE(player, nullptr);
    ASSERT_NE(monster, nullptr);
    const auto caps = [&] {
        return std::pair(monster->GetDefenseAttributeCap(), player->GetDefenseAttributeCap());
    };
    EXPECT_EQ(caps(), std::pair(40.0f, 50.0f));
    gEngine->GetGameInfo().SetDifficulty(2);
    EXPECT_EQ(caps(), std::pair(80.0f, 90.0f));
    database.WriteRecord(kSettings, {"monsterDefenseCap = 45;65;85"});
    ObjectManager::Instance().GetDatabase().SetRoot(database.GetRoot());
    EXPECT_EQ(caps(), std::pair(85.0f, 0.0f)) << "an entry gone is no cap";
}

TEST_F(GameEngineSettings, AnEquationThatDoesNotParseIsLoggedAndDropped)
{
    Start({"experienceEquation = (monsterExperience*",
           "deathPenaltyEquation = (currentPlayerLevel+"});
    EXPECT_EQ(log.Count(1, "-=- GameEngine Equation load failure : experienceEquation "), 1u);
    EXPECT_EQ(log.Count(1, "-=- GameEngine Equation load failure : deathPenaltyEquation "), 1u);
    EXPECT_EQ(Game().CalculateExperienceReward(10, 250), 250u);
}

TEST_F(GameEngineSettings, ShippedRecordLoadsCleanly)
{
    const char* source = getenv("GAME_SOURCE_DIR");
    if (source == nullptr)
        GTEST_SKIP() << "GAME_SOURCE_DIR is not set";
    ObjectManager::Instance().GetDatabase().SetRoot(std::string(source) + "/data/database");
    Start();
    EXPECT_EQ(log.CountContaining("Equation load failure"), 0u);
}

// Without its settings the game runs on zeros: the log must say why.
TEST_F(GameEngineSettings, AMissingRecordIsLogged)
{
    Start();
    EXPECT_EQ(log.Count(1, "GameEngine: could not load record 'Records/Game/GameEngine.dbr'"), 1u);
    EXPECT_EQ(Game().GetMeleeRange(), 0.0f);
}

TEST(GameEngineNames, DifficultiesAndClassificationsFromText)
{
    EXPECT_STREQ(GameEngine::GetGameDifficultyAsString(GameDifficulty_Epic), "Epic");
    EXPECT_STREQ(GameEngine::GetGameDifficultyAsString(static_cast<GameDifficulty>(3)), "Invalid");
    EXPECT_EQ(GameEngine::ResolveItemClassificationEnum("Relic"), ItemClassification_Relic);
    EXPECT_EQ(GameEngine::ResolveItemClassificationEnum("relic"), ItemClassification_Common);
    EXPECT_EQ(GameEngine::ResolveChestClassificationEnum("HeroChest"), ChestClassification_Common);
}

} // namespace
} // namespace GAME::Test
