#include "engine/ConnectionManager.h"
#include "multiplayer/GameEngineNetworkInterface.h"
#include "multiplayer/MarketPackets.h"
#include "multiplayer/PartyPackets.h"
#include "multiplayer/PlayerInfoPackets.h"
#include "multiplayer/PlayerManagerClient.h"
#include "tests/support/MarketFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace GAME::Test {
namespace {

using MarketFrames = MarketFixture;

// The market requests (by market id) and the heartbeats and balance levels ('h', 'b') sent
// since the last look, in order.
std::string SentOrder(const std::vector<std::unique_ptr<NetPacket>>& sent)
{
    std::string order;
    for (const auto& packet : sent) {
        if (const auto* asked = dynamic_cast<const MarketC2SUpdateRequestPacket*>(packet.get()))
            order += std::to_string(asked->marketId) + ' ';
        else if (dynamic_cast<const SinglePlayerHeartbeatPacket*>(packet.get()) != nullptr)
            order += 'h';
        else if (dynamic_cast<const GameBalanceUpdatePacket*>(packet.get()) != nullptr)
            order += 'b';
        else if (dynamic_cast<const MarketS2CUpdatePacket*>(packet.get()) != nullptr)
            order += 'u';
    }
    return order;
}

TEST_F(MarketFrames, AClientAsksItsMarketsInIdOrderBeforeItsHeartbeat)
{
    const uint32_t first = NewMerchant()->GetObjectId();
    const uint32_t second = NewMerchant()->GetObjectId();
    NewRichHero();
    Game().SetAsNetworkClient();
    Game().CreateMarketClient(second);
    Game().CreateMarketClient(first);
    TakeSent<NetPacket>();
    Game().Update(PlayerManagerClient::kHeartbeatIntervalMs + 1);
    EXPECT_EQ(SentOrder(TakeSent<NetPacket>()),
              std::to_string(first) + ' ' + std::to_string(second) + " h");
}

TEST_F(MarketFrames, AServerSendsTheBalanceLevelBeforeItsMarketsRefresh)
{
    const uint32_t merchant = NewMerchant()->GetObjectId();
    NewRichHero();
    Game().SetAsNetworkServer();
    Game().GetInboundNetworkInterface()->C2S_MarketUpdateRequest(merchant);
    Game().ForceMarketRefresh(0);
    gEngine->GetGameInfo().SetDifficulty(1);
    TakeSent<NetPacket>();
    Game().Update(1);
    // The server's own market client then asks as every client does.
    EXPECT_EQ(SentOrder(TakeSent<NetPacket>()), "bu" + std::to_string(merchant) + ' ');
}

} // namespace
} // namespace GAME::Test
