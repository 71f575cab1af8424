#include "characters/Player.h"

#include "ai/Controller.h"
#include "engine/Engine.h"
#include "engine/Light.h"
#include "engine/ObjectManager.h"
#include "engine/PathFinder.h"
#include "engine/SoundPak.h"
#include "items/Item.h"
#include "tests/characters/CharacterHelpers.h"
#include "tests/support/GameEngineFixture.h"

namespace GAME {

// Reads the fields a loaded player keeps to itself.
class LoadTestPlayer : public Player {
    GAME_DECLARE_CLASS(LoadTestPlayer)

public:
    std::vector<uint32_t> SoundIds() const
    {
        return {inventoryFullSound, pickUpSound,           lockedChestSound,
                lockedShrineSound,  lockedDoorSound,       lockedQuestObjectSound,
                notEnoughManaSound, invalidEquipmentSound, skillCooldownSound};
    }
    float LongIdleTriggerTime() const { return longIdleTriggerTime; }
    const std::vector<std::string>& Textures() const { return playerTextures; }
};

GAME_IMPLEMENT_CLASS(LoadTestPlayer, Player);

namespace {

using Test::New;
using Test::RecordText;

constexpr const char* kRecord = "Records/Creatures/PC/TestPlayer.dbr";

class PlayerTest : public GAME::Test::GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        database.WriteRecord(Player::kStubControllerRecord, {"Class = ControllerCombat"});
        for (const char* key : kSoundKeys)
            database.WriteRecord(std::string("Records/Sounds/") + key + ".dbr",
                                 {"Class = SoundPak"});
    }

    LoadTestPlayer* Load(const std::vector<std::string>& lines)
    {
        database.WriteFile(kRecord, RecordText(lines, "Class = LoadTestPlayer\n"));
        return ObjectManager::Instance().CreateObjectFromFile<LoadTestPlayer>(kRecord);
    }

    static constexpr const char* kSoundKeys[] = {
        "inventoryFullSound", "pickUpSoundName",       "lockedChestSound",
        "lockedShrineSound",  "lockedDoorSound",       "lockedQuestObjectSound",
        "notEnoughManaSound", "invalidEquipmentSound", "skillCooldownSound"};
};

TEST_F(PlayerTest, ANewPlayerHoldsTheDocumentedValues)
{
    Start();
    auto* player = New<Player>();
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->GetPlayerName(), L"Player");
    EXPECT_EQ(player->GetPlayerNameInChar(), "Player");
    EXPECT_EQ(player->GetPlayerCharacterClass(), Player::kNoClass);
    EXPECT_EQ(player->GetGreatestDifficultyCompleted(), GameDifficulty_Normal);
    EXPECT_TRUE(player->IsInMainQuest());
    EXPECT_TRUE(player->GetSkillWindowShowsHelp());
    EXPECT_FALSE(player->IsSaveNeeded());
    EXPECT_EQ(player->GetLightId(), 0u);
    EXPECT_TRUE(player->GetPets().empty());
}

TEST_F(PlayerTest, LoadReadsTheSoundsInOrderTheGoldAndTheStubController)
{
    Start();
    std::vector<std::string> lines;
    for (const char* key : kSoundKeys)
        lines.push_back(std::string(key) + " = Records/Sounds/" + key + ".dbr");
    lines.push_back("defaultGold = 250");
    lines.push_back("longIdleTriggerTime = 7000");
    LoadTestPlayer* player = Load(lines);
    ASSERT_NE(player, nullptr);

    const std::vector<uint32_t> ids = player->SoundIds();
    for (size_t i = 0; i < ids.size(); ++i) {
        SoundPak* pack = ObjectManager::Instance().GetObject<SoundPak>(ids[i]);
        ASSERT_NE(pack, nullptr) << kSoundKeys[i];
        EXPECT_EQ(pack->GetObjectName(), std::string("Records/Sounds/") + kSoundKeys[i] + ".dbr");
        if (i > 0) {
            EXPECT_GT(ids[i], ids[i - 1]) << "made in key order";
        }
    }
    EXPECT_EQ(player->GetCurrentMoney(), 250u);
    EXPECT_EQ(player->LongIdleTriggerTime(), 7000.0f);
    EXPECT_EQ(player->GetLightId(), 0u) << "no light without playerLight";

    auto* controller = ObjectManager::Instance().GetObject<Controller>(player->GetControllerId());
    ASSERT_NE(controller, nullptr);
    EXPECT_EQ(controller->GetObjectName(), Player::kStubControllerRecord);
    EXPECT_EQ(player->GetControllerPlayer(), nullptr);
}

TEST_F(PlayerTest, ALightRecordGivesALightThatForcesShadows)
{
    Start();
    database.WriteRecord("Records/Lights/Torch.dbr", {"Class = Light"});
    LoadTestPlayer* player =
        Load({"playerLight = Records/Lights/Torch.dbr", "playerTextures = a.tex;b.tex"});
    ASSERT_NE(player, nullptr);
    auto* light = ObjectManager::Instance().GetObject<Light>(player->GetLightId());
    ASSERT_NE(light, nullptr);
    EXPECT_TRUE(light->GetForceShadows());
    const uint32_t lightId = player->GetLightId();
    player->RemoveLight();
    EXPECT_EQ(player->GetLightId(), 0u);
    EXPECT_EQ(ObjectManager::Instance().GetObject<Light>(lightId), nullptr);
}

TEST_F(PlayerTest, CalculateStunNeedsMoreThanFifteenAboveTheResistance)
{
    Start();
    auto* player = New<Player>();
    EXPECT_FLOAT_EQ(player->CalculateStun(50.0f, 100.0f, 0.0f, 30.0f), 1001.5f);
    EXPECT_EQ(player->CalculateStun(50.0f, 100.0f, 0.0f, 35.0f), 0.0f) << "equality";
    EXPECT_FLOAT_EQ(player->CalculateStun(50.0f, 100.0f, 50.0f, 0.0f), 500.75f);
    EXPECT_EQ(player->CalculateStun(50.0f, 0.0f, 0.0f, 0.0f), 0.0f);
    EXPECT_EQ(player->CalculateStun(50.0f, -1.0f, 0.0f, -1000.0f), 0.0f);
}

TEST_F(PlayerTest, SpeedCapsOfZeroLeaveTheSpeed)
{
    Start({"playerRunSpeedCapMin = 0;0;0", "playerRunSpeedCapMax = 0;0;0",
           "playerAttackSpeedCapMin = 50;50;50", "playerAttackSpeedCapMax = -1;-1;-1"});
    auto* player = New<Player>();
    EXPECT_EQ(player->CapRunSpeed(12345.0f), 12345.0f);
    EXPECT_EQ(player->CapAttackSpeed(-7.0f), -7.0f);
    EXPECT_EQ(player->CapSpellCastSpeed(3.0f), 3.0f);
}

TEST_F(PlayerTest, AGivenItemIsHeldInTheInventoryWithPhysicsTypeTwo)
{
    Start();
    database.WriteRecord("Records/Items/Ring.dbr", {"Class = Item"});
    auto* player = New<Player>();
    Item* item = ObjectManager::Instance().CreateObjectFromFile<Item>("Records/Items/Ring.dbr");
    ASSERT_NE(item, nullptr);
    item->SetPhysicsType(0);
    player->GiveItemToCharacter(item);
    player->GiveItemToCharacter(nullptr);
    EXPECT_TRUE(player->GetInventory().IsItemInInventory(item->GetObjectId()));
    EXPECT_EQ(player->GetInventory().GetInventoryItems().size(), 1u);
    EXPECT_EQ(item->GetPhysicsType(), 2);
}

TEST_F(PlayerTest, WithoutFloorToStandOnThingsSpawnAtThePlayersOwnPlace)
{
    Start();
    auto* player = New<Player>();
    EXPECT_EQ(player->GetNearSpawnCoords().GetPosition(), player->GetCoords().GetPosition());
    // No world region: no point can be stood on, and the old contents go.
    std::vector<WorldVec3> points = {WorldVec3()};
    EXPECT_EQ(
        PathFinder::Instance().FillPointSet(0, WorldVec3(), std::vector<float>(5, 2.0f), points),
        0u);
    EXPECT_TRUE(points.empty());
}

TEST_F(PlayerTest, GameDescriptionNamesPlayerClassAndLevel)
{
    Start();
    auto* player = New<Player>();
    player->SetPlayerName(L"Ada");
    const std::wstring text = player->GetGameDescription(false);
    EXPECT_EQ(text.rfind(L"Ada - ", 0), 0u);
    EXPECT_EQ(text.substr(text.size() - 3), L"(" + std::to_wstring(player->GetCharLevel()) + L")");
}

} // namespace
} // namespace GAME
