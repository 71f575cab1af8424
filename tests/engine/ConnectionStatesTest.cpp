#include "engine/ConnectionManager.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"
#include "tests/support/ConnectionBounds.h"
#include "tests/support/ListeningServerFixture.h"
#include "tests/support/LoopbackClients.h"
#include "tests/support/UdpRelay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <map>
#include <thread>
#include <vector>

namespace GAME::Test {
namespace {

using Clock = std::chrono::steady_clock;

// A numbered message about `subject`; as a state, a later one about the same subject replaces
// one still waiting.
class AboutPacket : public NetPacket {
public:
    explicit AboutPacket(uint32_t type, uint32_t subject = 0, uint32_t number = 0)
        : NetPacket(type), subject(subject), number(number)
    {}
    uint32_t PrepareOutBuffer() override
    {
        NetPacketOutBuffer out(*this);
        out.AddUInt(subject);
        out.AddUInt(number);
        return out.Done();
    }
    void CopyInbound(const uint8_t* data, int length) override
    {
        NetPacketInBuffer in(*this, data, length);
        in.RemoveUInt(subject);
        in.RemoveUInt(number);
    }
    std::string GetPacketDescription(bool) const override { return std::string(); }

    uint32_t subject = 0;
    uint32_t number = 0;
};

constexpr uint32_t kPlace = 246;
constexpr uint32_t kEvent = 247;

template <uint32_t Type> struct Typed : AboutPacket {
    Typed() : AboutPacket(Type) {}
};

uint32_t SubjectOf(const NetPacket& packet)
{
    return static_cast<const AboutPacket&>(packet).subject;
}

const bool registered =
    ConnectionManager::RegisterPacketClass<Typed<kPlace>>() &&
    ConnectionManager::RegisterPacketRule(kPlace, {.state = true, .subject = &SubjectOf}) &&
    ConnectionManager::RegisterPacketClass<Typed<kEvent>>() &&
    ConnectionManager::RegisterPacketRule(kEvent, {});

struct Heard {
    uint32_t type;
    uint32_t subject;
    uint32_t number;
};

struct Ear : ConnectionManager::Listener {
    void OnMessage(int, NetPacket& packet) override
    {
        if (packet.GetType() == kPlace || packet.GetType() == kEvent) {
            const auto& about = static_cast<const AboutPacket&>(packet);
            heard.push_back({packet.GetType(), about.subject, about.number});
        }
    }
    std::vector<Heard> heard;
};

class ConnectionStates : public ListeningServerFixture {
protected:
    void OnMessage(int, NetPacket&) override {}
    void OnHostJoined(int host) override
    {
        Welcome(host);
        server.MarkPlaying(host);
    }
    void OnHostLost(int, uint32_t) override { ++lost; }

    std::atomic<int> lost{0};
};

// Of what waited for a client that reads nothing, only each subject's latest place is left, where
// it was posted among the events; every event comes, in order.
TEST_F(ConnectionStates, OnlyTheLatestOfEachSubjectWaitsAndEveryEventIsKeptInOrder)
{
    auto clients = JoinClients(server, 1);
    ASSERT_EQ(clients.size(), 1u);
    constexpr uint32_t kSteps = 3000;
    for (uint32_t step = 1; step <= kSteps; ++step) {
        AboutPacket place(kPlace, 7 + step % 2 * 2, 2 * step - 1);
        server.BroadcastPacket(place);
        AboutPacket event(kEvent, 0, 2 * step);
        server.BroadcastPacket(event);
    }
    const uint64_t replaced = server.GetCounters(1).replaced;
    EXPECT_GT(replaced, kSteps / 2);

    Ear ear;
    clients[0]->SetListener(&ear);
    const auto events = [&ear] {
        return size_t(std::count_if(ear.heard.begin(), ear.heard.end(),
                                    [](const Heard& h) { return h.type == kEvent; }));
    };
    ASSERT_TRUE(ServiceUntil(*clients[0], [&] {
        server.Service();
        server.Flush();
        return events() == kSteps;
    }));
    clients[0]->SetListener(nullptr);

    EXPECT_EQ(ear.heard.size(), 2 * kSteps - replaced);
    std::map<uint32_t, uint32_t> latest;
    uint32_t previous = 0;
    for (const Heard& h : ear.heard) {
        EXPECT_LT(previous, h.number);
        previous = h.number;
        if (h.type == kPlace)
            latest[h.subject] = h.number;
    }
    // The odd steps' subject is 9, the even steps' 7.
    EXPECT_EQ(latest, (std::map<uint32_t, uint32_t>{{7, 2 * kSteps - 1}, {9, 2 * kSteps - 3}}));
}

// The server lets a client whose upstream alone is cut go for its silence, and the client, whose
// own bound is far off, ends on hearing it was dropped.
TEST_F(ConnectionStates, AClientWhoseUpstreamAloneIsCutHearsThatItWasDropped)
{
    ConnectionBounds::SetLinkTimeout(server, 1000);
    std::atomic<bool> stop{false};
    std::thread serving([&] {
        while (!stop) {
            server.Service();
            server.Flush();
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    });
    UdpRelay relay({.targetPort = server.GetListenPort()});
    ConnectionManager client;
    ConnectionBounds::SetLinkTimeout(client, 60000);
    const bool joined = client.Connect("127.0.0.1", relay.GetPort());
    if (joined) {
        relay.SetCut(true, false);
        ServiceUntil(client, [&] { return !client.IsConnected(); });
    }
    stop = true;
    serving.join();
    ASSERT_TRUE(joined);
    EXPECT_FALSE(client.IsConnected());
    EXPECT_EQ(client.GetFarewell(), ConnectionManager::Farewell::Dropped);
    EXPECT_EQ(client.GetFarewellText(), "dropped by the server");
    EXPECT_EQ(lost, 1);
}

} // namespace
} // namespace GAME::Test
