#include "multiplayer/PartyManager.h"

#include "core/DialogManager.h"
#include "multiplayer/GameEngineInboundInterface.h"
#include "multiplayer/GameEngineOutboundInterface.h"
#include "multiplayer/GameEnginePackets.h"
#include "multiplayer/InboundPacketDispatcher.h"
#include "multiplayer/PartyConsent.h"
#include "multiplayer/PlayerInfoPackets.h"
#include "multiplayer/PlayerManagerClient.h"
#include "multiplayer/PlayerManagerServer.h"

#include "tests/multiplayer/WireBytes.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/PlayerListRecords.h"

#include <gtest/gtest.h>

namespace GAME {
namespace {

constexpr uint32_t kAna = 0x10000001;
constexpr uint32_t kBob = 0x20000001;
constexpr uint32_t kCy = 0x30000001;
constexpr uint32_t kDee = 0x40000001;
constexpr uint32_t kUnknown = 0x70000001;

class Parties : public GAME::Test::GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
    }

    PartyManager& Party() { return *Game().GetPartyManager(); }
    PlayerManagerClient& Players() { return *Game().GetPlayerManagerClient(); }

    static PlayerNetBasicInfo Record(uint32_t id, const std::wstring& name, uint32_t party,
                                     float x = 0)
    {
        PlayerNetBasicInfo record = GAME::Test::ListedPlayer(id, name, static_cast<int32_t>(party));
        record.position = WorldVec3(1, Vec3(x, 0.0f, 0.0f));
        return record;
    }

    // Ana leads Bob and Cy; Dee is on her own.
    void FourPlayers(uint32_t local = 0)
    {
        if (local != 0)
            Players().SetMainPlayer(local);
        Players().HandlePlayerUpdate({Record(kAna, L"Ana", kAna), Record(kBob, L"Bob", kAna, 10),
                                      Record(kCy, L"Cy", kAna, 40), Record(kDee, L"Dee", 0)});
    }

    uint32_t PartyOf(uint32_t id) { return Party().GetParty(id); }
};

TEST_F(Parties, CountMembersAndKnowWhoIsTogetherFromThePlayerRecords)
{
    FourPlayers();
    EXPECT_EQ(Party().GetNumInPlayersParty(kBob), 3u);
    EXPECT_EQ(Party().GetNumInPlayersParty(kDee), 1u);
    EXPECT_EQ(Party().GetNumInPlayersParty(kUnknown), 1u);
    EXPECT_EQ(Party().GetNumPlayersInParty(0), 1u);
    EXPECT_EQ(Party().GetNumPlayersInPartyNear(kAna, WorldVec3(1, Vec3()), 10.0f), 2u);
    EXPECT_EQ(Party().GetPlayerFaction(kCy), kAna);
    EXPECT_EQ(Party().GetPlayerFaction(kDee), kDee);

    std::vector<uint32_t> members{99};
    Party().GetPartyMembers(kCy, members);
    EXPECT_EQ(members, (std::vector<uint32_t>{99, kAna, kBob, kCy}));
    members.clear();
    Party().GetPartyMembers(kDee, members);
    EXPECT_EQ(members, (std::vector<uint32_t>{kDee}));

    EXPECT_TRUE(Party().AreInPartyTogether(kBob, kCy));
    EXPECT_FALSE(Party().AreInPartyTogether(kAna, kDee));
    EXPECT_TRUE(Party().AreInPartyTogether(kUnknown, kUnknown));
    EXPECT_FALSE(Party().AreInPartyTogether(kUnknown, 0x70000002));
    // Two players without a party share party 0 but are not together.
    Players().HandlePlayerUpdate({Record(kAna, L"Ana", 0), Record(kBob, L"Bob", 0)});
    EXPECT_FALSE(Party().AreInPartyTogether(kAna, kBob));
}

TEST_F(Parties, ALeaderWhoLeavesHandsThePartyToTheNextMember)
{
    FourPlayers();
    Party().CleanUpForPlayerLeave(kAna);
    EXPECT_EQ(PartyOf(kBob), kBob);
    EXPECT_EQ(PartyOf(kCy), kBob);
    EXPECT_EQ(PartyOf(kDee), 0u);

    Party().CleanUpForPlayerLeave(kBob);
    EXPECT_EQ(PartyOf(kCy), 0u);
}

TEST_F(Parties, OnlyTheLeaderMayKickAndAPartyOfTwoDissolves)
{
    FourPlayers(kBob);
    Party().AttemptToKickFromLocalParty(kCy);
    EXPECT_EQ(PartyOf(kCy), kAna);

    Players().HandlePlayerUpdate({Record(kAna, L"Ana", kAna), Record(kBob, L"Bob", kAna)});
    Players().SetMainPlayer(kAna);
    Party().AttemptToKickFromLocalParty(kBob);
    EXPECT_EQ(PartyOf(kAna), 0u);
    EXPECT_EQ(PartyOf(kBob), 0u);
}

TEST_F(Parties, ASecondInvitationWaitsAndARefusalShowsIt)
{
    const uint32_t local = MakeMainPlayer()->GetObjectId();
    Players().HandlePlayerUpdate(
        {Record(local, L"Me", 0), Record(kBob, L"Bob", 0), Record(kCy, L"Cy", 0)});

    Party().HandlePartyInvite(kDee, static_cast<int32_t>(kBob)); // someone else's invitation
    EXPECT_FALSE(Party().IsInvitePending());
    Party().HandlePartyInvite(local, static_cast<int32_t>(kBob));
    Party().HandlePartyInvite(local, static_cast<int32_t>(kCy));
    EXPECT_TRUE(Party().IsInvitePending());
    EXPECT_EQ(Party().GetCurrentInviter(), kBob);
    EXPECT_EQ(Party().GetNumQueuedInvitations(), 1u);
    DialogManager& dialogs = Game().GetDialogManager();
    ASSERT_EQ(dialogs.GetNumDialog(), 1u);
    dialogs.RemoveTopDialog();

    Party().Update(); // no answer yet
    EXPECT_TRUE(Party().IsInvitePending());
    gEngine->GetNetworkConnectionManager().ClearSentPackets();
    dialogs.AddResponse({DialogManager::PartyInvitation, false});
    Party().Update();
    EXPECT_EQ(Party().GetCurrentInviter(), kCy);
    EXPECT_EQ(Party().GetNumQueuedInvitations(), 0u);
    const auto answers = TakeSent<PartyRequestResponsePacket>();
    ASSERT_EQ(answers.size(), 1u);
    EXPECT_FALSE(answers[0]->accepted);

    dialogs.AddResponse({DialogManager::PartyInvitation, true});
    Party().Update();
    EXPECT_FALSE(Party().IsInvitePending());
    EXPECT_EQ(PartyOf(local), kCy);
    EXPECT_EQ(PartyOf(kCy), kCy);
    EXPECT_EQ(PartyOf(kBob), 0u);
}

// What arrives from another machine is decoded and carried out here.
class InboundDelivery : public Parties {
protected:
    void Deliver()
    {
        for (const std::vector<uint8_t>& bytes : GAME::Test::TakeSentBytes()) {
            std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(bytes);
            ASSERT_NE(packet, nullptr);
            EXPECT_TRUE(
                InboundPacketDispatcher::Dispatch(*packet, *Game().GetInboundNetworkInterface()));
        }
    }

    GameEngineOutboundInterface remote;
};

TEST_F(InboundDelivery, PartyChatAndBalanceReachTheGame)
{
    FourPlayers();
    GAME::Test::TakeSentBytes();
    remote.AddPlayerToParty(kDee, static_cast<int32_t>(kAna));
    remote.HandleChatMessage(L"Bob", L"hello", 2, {kAna});
    remote.GameBalanceUpdate(7);
    Deliver();

    EXPECT_EQ(Party().GetNumInPlayersParty(kAna), 4u);
    std::vector<ChatMessage> chat;
    Game().RemovePendingMessages(chat);
    ASSERT_EQ(chat.size(), 1u);
    EXPECT_EQ(chat[0].sender, L"Bob");
    EXPECT_EQ(chat[0].text, L"hello");
    EXPECT_EQ(chat[0].channel, 2);
    EXPECT_EQ(Game().GetBalanceDifficulty(), 7);
}

// A server's judgement of party joins, by host: Ana (host 1) leads Bob (2) and Cy (3).
TEST_F(Parties, AClientJoinsOnlyAPartyItAcceptedOrThatItsPlayerLeads)
{
    FourPlayers();
    PartyConsent consent;
    EXPECT_FALSE(consent.MayJoin(4, kDee, kAna, &Party()));
    EXPECT_FALSE(consent.Answered(kDee, kAna, true));
    consent.Invited(kDee, kAna);
    EXPECT_TRUE(consent.Answered(kDee, kAna, true));
    EXPECT_FALSE(consent.Answered(kDee, kAna, true));
    const struct {
        int host;
        uint32_t player;
        uint32_t party;
        bool may;
    } rows[] = {
        {4, kDee, kAna, true}, {4, kAna, kAna, true},  {3, kDee, kAna, false},
        {4, kDee, kCy, false}, {3, kCy, 0, true},      {1, kBob, 0, true},
        {2, kCy, 0, false},    {4, kBob, kDee, false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(consent.MayJoin(row.host, row.player, row.party, &Party()), row.may)
            << row.host << " " << row.player << " " << row.party;
    consent.Forget(4);
    EXPECT_FALSE(consent.MayJoin(4, kDee, kAna, &Party()));
}

TEST_F(InboundDelivery, InSinglePlayerTheServersListReachesTheClientAtOnce)
{
    Game().GetPlayerManagerServer()->HandleNewPlayer(Record(kBob, L"Bob", 0));
    EXPECT_EQ(Players().GetPlayerName(kBob), L"Bob");
    EXPECT_TRUE(GAME::Test::TakeSentBytes().empty());

    // On a server the same list goes out on the wire instead.
    Game().SetAsNetworkServer();
    Game().GetPlayerManagerServer()->HandleNewPlayer(Record(kCy, L"Bob", 0));
    EXPECT_FALSE(Players().IsPlayerInList(kCy));
    EXPECT_EQ(TakeSent<AllPlayersBasicInfoPacket>().size(), 1u);
}

} // namespace
} // namespace GAME
