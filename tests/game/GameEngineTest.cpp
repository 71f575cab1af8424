#include "game/GameEngine.h"

#include "characters/AttributePak.h"
#include "characters/Player.h"
#include "engine/InstanceGroupManager.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "multiplayer/GameEngineServerServicesModule.h"
#include "tests/support/GameEngineFixture.h"
#include "world/GameCamera.h"
#include "world/Proxy.h"

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
    std::string groups;
    for (const auto& affiliation : InstanceGroupManager::Instance().GetGroupAffiliations()) {
        groups += affiliation.groupName + ":";
        for (const RTTI_ClassInfo* info : affiliation.classes)
            groups += std::string(" ") + info->GetName();
        groups += "\n";
    }
    EXPECT_EQ(groups, "Unified Proxies: Proxy\nUnique Proxies: Proxy\nAny Entity: Entity\n"
                      "Decorations: Decoration\nMonsters And Weapons: Monster Weapon\n"
                      "Patrol Points: PatrolPoint\nPatrollers: Monster\nProxyPatrollers: Proxy\n"
                      "Wander Points: NpcWanderPoint\nNpc Wanderers: Npc\n"
                      "TeleportShrine: StrategicMovementTeleportShrine\n"
                      "RespawnShrine: StrategicMovementRespawnShrine\nBandari: Monster Proxy\n"
                      "Bandari Teleport Points: BandariTeleportPoint\n"
                      "Terracotta Warriors: Monster Proxy\n");

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

class GameEngineProxyPools : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
    }

    static Proxy* NewProxy(uint32_t word)
    {
        auto* proxy = static_cast<Proxy*>(ObjectManager::Instance().CreateObject("Proxy"));
        proxy->SetUniqueID(UniqueId(word, 0, 0, 1));
        return proxy;
    }

    static void AddGroup(const std::string& type, const std::string& name,
                         const std::vector<const Proxy*>& members)
    {
        std::vector<UniqueId> ids;
        for (const Proxy* proxy : members)
            ids.push_back(proxy->GetUniqueID());
        InstanceGroupManager::Instance().AddGroup(InstanceGroup(type, name, ids));
    }
};

TEST_F(GameEngineProxyPools, AUniqueGroupSelectsExactlyOneProxyUntilCleared)
{
    Proxy* first = NewProxy(1);
    Proxy* second = NewProxy(2);
    Proxy* loner = NewProxy(3);
    AddGroup("Unique Proxies", "Camp", {first, second});
    AddGroup("Unique Proxies", "Empty", {});

    EXPECT_EQ(Game().GetProxyType(first), GameEngine::ProxyType_Unique);
    EXPECT_EQ(Game().GetProxyType(loner), GameEngine::ProxyType_None);
    const bool firstChosen = Game().IsUniqueProxySelected(first);
    EXPECT_NE(firstChosen, Game().IsUniqueProxySelected(second));
    EXPECT_EQ(Game().IsUniqueProxySelected(first), firstChosen) << "asked again";
    EXPECT_FALSE(Game().IsUniqueProxySelected(loner));

    // After a clear the group chooses again, and still exactly one.
    Game().ClearProxyInfo();
    EXPECT_NE(Game().IsUniqueProxySelected(first), Game().IsUniqueProxySelected(second));
}

TEST_F(GameEngineProxyPools, AnEmptyUniqueGroupSelectsNobody)
{
    Proxy* member = NewProxy(7);
    // An empty group holds no proxy, so nothing is chosen for it and nothing is stored.
    InstanceGroupManager::Instance().AddGroup(InstanceGroup("Unique Proxies", "Hollow", {}));
    EXPECT_FALSE(Game().IsUniqueProxySelected(member));
    AddGroup("Unique Proxies", "Solo", {member});
    EXPECT_TRUE(Game().IsUniqueProxySelected(member));
}

TEST_F(GameEngineProxyPools, UnifiedPoolsAreSharedByGroupAndTheLaterWins)
{
    Proxy* a = NewProxy(1);
    Proxy* b = NewProxy(2);
    Proxy* patrol = NewProxy(3);
    Proxy* loner = NewProxy(4);
    AddGroup("Unified Proxies", "Crypt", {a, b});
    // Its first group is of another type; a unique group later still types it.
    AddGroup("Patrol Points", "Road", {patrol});
    AddGroup("Unique Proxies", "Road Camp", {patrol});

    EXPECT_EQ(Game().GetProxyType(a), GameEngine::ProxyType_Unified);
    EXPECT_EQ(Game().GetProxyType(patrol), GameEngine::ProxyType_Unique);
    uint32_t pool = 99;
    EXPECT_FALSE(Game().GetUnifiedProxyPool(a, pool));
    Game().SetUnifiedProxyPool(a, 3);
    Game().SetUnifiedProxyPool(b, 5);
    ASSERT_TRUE(Game().GetUnifiedProxyPool(a, pool));
    EXPECT_EQ(pool, 5u);

    Game().SetUnifiedProxyPool(patrol, 8);
    ASSERT_TRUE(Game().GetUnifiedProxyPool(patrol, pool));
    EXPECT_EQ(pool, 8u);

    Game().SetUnifiedProxyPool(loner, 1);
    pool = 99;
    EXPECT_FALSE(Game().GetUnifiedProxyPool(loner, pool));
    EXPECT_EQ(pool, 99u);

    Game().ClearProxyInfo();
    EXPECT_FALSE(Game().GetUnifiedProxyPool(a, pool));
}

TEST_F(GameEngineProxyPools, HeroBossRegistryAndDump)
{
    Game().RegisterProxyHeroBoss("Boss");
    Game().RegisterProxyHeroBoss("Boss");
    EXPECT_TRUE(Game().IsProxyHeroBossInGame("Boss"));
    Game().UnregisterProxyHeroBoss("Boss");
    EXPECT_FALSE(Game().IsProxyHeroBossInGame("Boss"));

    InstanceGroupManager::Instance().AddGroup(
        InstanceGroup("Unique Proxies", "Camp", {UniqueId(0x1a, 2, 3, 0xff)}));
    InstanceGroupManager::Instance().AddGroup(
        InstanceGroup("Patrol Points", "Road", {UniqueId(9, 9, 9, 9)}));
    log.Clear();
    Game().DumpGroupProxyData();
    const std::vector<LogCapture::Line> expected{
        {0, "^gGroup Type (Unique Proxies)  Name (Camp)"},
        {0, "^b    ID (0x 1a 2 3 ff)"},
    };
    EXPECT_EQ(log.GetLines(), expected);
}

} // namespace
} // namespace GAME::Test
