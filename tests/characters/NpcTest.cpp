#include "characters/Npc.h"

#include "characters/ChatAction.h"
#include "characters/EngageNpcAction.h"
#include "characters/NpcSkillReallocator.h"
#include "core/BinaryWriter.h"
#include "engine/BinaryReader.h"
#include "engine/EffectEntity.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"
#include "multiplayer/SpawnPlayerPacket.h"
#include "quests/Action_IlluminateNpc.h"
#include "quests/MerchantDialogPak.h"
#include "quests/QuestRepository.h"
#include "tests/characters/CharacterHelpers.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/HeardEvents.h"
#include "tests/support/MarketFixture.h"
#include "tests/support/RecordingUserInterface.h"

#include <gtest/gtest.h>

#include <vector>

namespace GAME::Test {
namespace {

constexpr const char* kNpcRecord = "Records/Creatures/Npc/Tester.dbr";
constexpr const char* kDialogRecord = "Records/Dialog/Tester.dbr";
constexpr const char* kQuestion01 = "Records/Effects/ObjectEffects/Question01.dbr";

constexpr const char* kNpcEffect = "Records/Effects/EnvironmentFX/NPCEffect.dbr";

// A main player, a recording user interface, the mark records and one NPC.
class NpcFixture : public StartedFixture {
protected:
    void SetUp() override
    {
        StartedFixture::SetUp();
        for (const char* effect : {kQuestion01, "Records/Effects/ObjectEffects/Question03.dbr",
                                   kNpcEffect, "Records/Effects/ObjectEffects/Reallocation01.dbr",
                                   "Records/Effects/ObjectEffects/Exclaimation03.dbr"})
            database.WriteRecord(effect, {"Class = EffectEntity"});
        database.WriteRecord(kNpcRecord, {"Class = Npc", "characterLife = 10"});
        database.WriteRecord(kDialogRecord, {"defaultDialogTextTag = tagHello",
                                             "shortGreetingTimerTime = 2", "resetDistance = 4.0"});
        Game().SetUI(&ui);
        player = Must(MakeMainPlayer());
        npc = Must(NewNpc());
    }

    void TearDown() override
    {
        Game().SetUI(nullptr);
        GameEngineFixture::TearDown();
    }

    static Npc* NewNpc() { return ObjectManager::Instance().CreateObjectFromFile<Npc>(kNpcRecord); }

    RecordingUserInterface ui;
    Player* player = nullptr;
    Npc* npc = nullptr;
};

using NpcTest = NpcFixture;

TEST_F(NpcTest, ASecondConverseWithinACoolDownDoesNothing)
{
    npc->Dialog_ReplaceStatic(kDialogRecord, nullptr, false);
    npc->Converse(player->GetObjectId());
    npc->UpdateSelf(999);
    npc->Converse(player->GetObjectId());
    EXPECT_EQ(ui.shownDialogs.size(), 1u);
    npc->UpdateSelf(1);
    npc->Converse(player->GetObjectId());
    EXPECT_EQ(ui.shownDialogs.size(), 2u);
}

TEST_F(NpcTest, EngagingTalksAndTheEndOfTheChatLetsThePlayerGo)
{
    npc->Dialog_ReplaceStatic(kDialogRecord, nullptr, false);
    const uint32_t playerId = player->GetObjectId();
    EngageNpcAction engage(playerId, npc->GetObjectId(), false, false);
    engage.Execute();
    ASSERT_EQ(ui.shownDialogs.size(), 1u);

    npc->AddSocialTarget(playerId);
    ASSERT_TRUE(npc->IsChatting());
    ChatAction chat(playerId, npc->GetObjectId());
    chat.Finish();
    EXPECT_FALSE(npc->IsChatting());
}

TEST_F(NpcTest, ADestroyedNpcTakesItsMarkAlong)
{
    npc->AttachPunctuation(kQuestion01);
    const uint32_t markId = npc->GetPunctuationEffect()->GetObjectId();
    ObjectManager::Instance().DestroyObjectEx(npc, __FILE__, __LINE__);
    ObjectManager::Instance().ProcessDestroyedObjects();
    EXPECT_EQ(ObjectManager::Instance().GetObject(markId), nullptr);
}

TEST_F(NpcTest, DelayedQuestActionsStayOnOnlyWhenTheQueryAnswersFalse)
{
    npc->Dialog_ReplaceStatic(kDialogRecord, nullptr, false);
    npc->Converse(player->GetObjectId());
    EXPECT_FALSE(QuestRepository::Get().IsDelayedActionsEnabled());

    ui.conversationAnswer = false;
    npc->UpdateSelf(1000);
    npc->Converse(player->GetObjectId());
    EXPECT_TRUE(QuestRepository::Get().IsDelayedActionsEnabled());
    QuestRepository::Get().EnableDelayedActions(false);
}

TEST_F(NpcTest, ABoatMasterIgnoresReplaceStatic)
{
    npc->SetBoatMaster(true, "tagFerry", 1, 2, 3);
    npc->Dialog_ReplaceStatic(kDialogRecord, nullptr, false);
    EXPECT_FALSE(npc->HasDialog());
    EXPECT_TRUE(npc->IsOfInterest());
}

TEST_F(NpcTest, TypeThreeDeluminatesByRemovingTheIllumination)
{
    npc->SetDialogType(Npc::DialogType_Illumination);
    Action_IlluminateNpc action(0x01020304u, nullptr);
    action.SetType(3);
    npc->Dialog_Illuminate(&action);
    ASSERT_NE(npc->GetIlluminationEffect(), nullptr);
    NpcIlluminationData recorded;
    ASSERT_TRUE(player->GetNpcIllumination(npc->GetObjectName(), recorded));
    EXPECT_EQ(recorded.actionId, 0x01020304u);

    npc->Dialog_Deluminate();
    EXPECT_EQ(npc->GetIlluminationEffect(), nullptr);
    EXPECT_EQ(npc->GetPunctuationEffect(), nullptr);
    EXPECT_TRUE(action.IsDeluminate());
}

TEST_F(NpcTest, ReplacingAPakOnScreenClosesTheDialogFirst)
{
    npc->Dialog_ReplaceStatic(kDialogRecord, nullptr, false);
    npc->Converse(player->GetObjectId());
    ASSERT_NE(ui.shownDialog, nullptr);
    npc->Dialog_ReplaceStatic("", nullptr, false);
    EXPECT_EQ(ui.dialogCloses, 1);
    EXPECT_EQ(ui.shownDialog, nullptr);
    EXPECT_FALSE(npc->HasDialog());
}

TEST_F(NpcTest, LevelStateOrderAndAShortState)
{
    npc->Dialog_ReplaceStatic(kDialogRecord, nullptr, false);
    npc->SetDialogType(Npc::DialogType_Question);
    npc->Converse(player->GetObjectId());
    BinaryWriter writer = BinaryWriter::ToMemory(64);
    npc->SaveState(writer);
    ASSERT_EQ(writer.GetSize(), 16u);
    const std::vector<uint8_t> bytes(writer.GetData(), writer.GetData() + writer.GetSize());
    EXPECT_EQ(bytes[4], 1u);     // save state wanted
    EXPECT_EQ(bytes[8], 2u);     // dialog type
    EXPECT_EQ(bytes[12], 0xD0u); // 2000 ms
    EXPECT_EQ(bytes[13], 0x07u);

    Npc* copy = NewNpc();
    BinaryReader reader(bytes.data(), bytes.size());
    EXPECT_TRUE(copy->RestoreState(reader));
    EXPECT_EQ(copy->GetDialogTimer(), 2000);

    Npc* shortCopy = NewNpc();
    BinaryReader shortReader(bytes.data(), 12);
    EXPECT_TRUE(shortCopy->RestoreState(shortReader));
    EXPECT_EQ(shortCopy->GetDialogType(), Npc::DialogType_Question);
    EXPECT_EQ(shortCopy->GetDialogTimer(), -1);
    EXPECT_EQ(log.CountContaining("Npc::RestoreState: the level state of"), 1u);
}

TEST_F(NpcTest, ReplicationCarriesTheSeedBytesAndNineIds)
{
    const std::vector<uint8_t> bytes =
        Written([this](NetPacketOutBuffer& out) { npc->WriteReplicationData(out); });
    SpawnPlayerPacket carrier;
    EXPECT_EQ(bytes.size(), 2u + 9u * 4u);

    Npc* copy = NewNpc();
    NetPacketInBuffer shortIn(carrier, bytes.data(), static_cast<int>(bytes.size()) - 1);
    copy->ReadReplicationData(shortIn);
    EXPECT_TRUE(shortIn.HasFailed());
    copy->ApplyReplicationData();
    EXPECT_EQ(copy->GetInventoryItems().size(), 0u);

    NetPacketInBuffer in(carrier, bytes.data(), static_cast<int>(bytes.size()));
    copy->ReadReplicationData(in);
    EXPECT_FALSE(in.HasFailed());
    copy->ApplyReplicationData();
}

using NpcSkillReallocatorTest = NpcFixture;

TEST_F(NpcSkillReallocatorTest, AReallocatorTradesAndIgnoresAnotherPlayer)
{
    database.WriteRecord("Records/Creatures/Npc/Reallocator.dbr",
                         {"Class = NpcSkillReallocator", "characterLife = 10"});
    auto* reallocator = Must(ObjectManager::Instance().CreateObjectFromFile<NpcSkillReallocator>(
        "Records/Creatures/Npc/Reallocator.dbr"));
    reallocator->Dialog_ReplaceStatic(kDialogRecord, nullptr, true);
    EXPECT_NE(dynamic_cast<MerchantDialogPak*>(reallocator->GetDialogPak()), nullptr);

    reallocator->OnPlayerInteract(player->GetObjectId() + 1000, false, false);
    EXPECT_TRUE(ui.reallocationNpcs.empty());
    reallocator->OnPlayerInteract(player->GetObjectId(), false, false);
    EXPECT_EQ(ui.reallocationNpcs, std::vector<uint32_t>{reallocator->GetObjectId()});
}

using NpcMerchantTest = MarketFixture;

TEST_F(NpcMerchantTest, HasAMarketClientExactlyWhileInALevel)
{
    NpcMerchant* merchant = NewMerchant();
    const uint32_t id = merchant->GetObjectId();
    ASSERT_NE(Game().GetMarketClient(id), nullptr);
    TheWorld().RemoveEntity(merchant);
    EXPECT_EQ(Game().GetMarketClient(id), nullptr);
    TheWorld().AddEntity(merchant, kPlace, false);
    EXPECT_NE(Game().GetMarketClient(id), nullptr);
    ObjectManager::Instance().DestroyObjectEx(merchant, "test", 1);
    ObjectManager::Instance().ProcessDestroyedObjects();
    EXPECT_EQ(Game().GetMarketClient(id), nullptr);
}

TEST_F(NpcMerchantTest, ReadsItsMarketByDifficultyAndItsKindWithUnknownKindsGeneric)
{
    gEngine->GetGameInfo().SetDifficulty(1);
    auto* merchant = Spawn<NpcMerchant>(
        kMerchant, {"marketFileName = Normal.dbr;Epic.dbr", "merchantType = Melee"});
    EXPECT_EQ(merchant->GetMarketName(), "Epic.dbr");
    EXPECT_EQ(merchant->GetMerchantType(), MarketMerchantType_Melee);
    auto* other = Spawn<NpcMerchant>("Records/Creatures/Npc/Other.dbr", {"merchantType = Wizard"});
    EXPECT_EQ(other->GetMarketName(), "");
    EXPECT_EQ(other->GetMerchantType(), MarketMerchantType_Generic);
}

TEST_F(NpcMerchantTest, AnInteractionOpensTheMarketAndHoldsTheMerchantInTalk)
{
    NpcMerchant* merchant = NewMerchant();
    Heard<GameEvent_ActivateNPCMarket> heard("GameEvent_ActivateNPCMarket");
    merchant->OnPlayerInteract(77, false, false);
    ASSERT_EQ(heard.events.size(), 1u);
    EXPECT_EQ(heard.events[0].merchantId, merchant->GetObjectId());
    EXPECT_TRUE(merchant->IsChatting());
    merchant->UpdateSelf(1);
    EXPECT_TRUE(merchant->IsChattingLatched());
}

} // namespace
} // namespace GAME::Test
