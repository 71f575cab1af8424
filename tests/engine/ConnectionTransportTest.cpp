#include "engine/ConnectionManager.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"
#include "engine/ObjectManager.h"
#include "tests/support/ConnectionBounds.h"
#include "tests/support/ListeningServerFixture.h"
#include "tests/support/LogCapture.h"
#include "tests/support/PacketBytes.h"
#include "tests/support/UdpRelay.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <atomic>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace GAME::Test {
namespace {

using Farewell = ConnectionManager::Farewell;
using Clock = std::chrono::steady_clock;

// A numbered message that anyone may send to every other machine.
class CountedPacket : public NetPacket {
public:
    static constexpr uint32_t kType = 242;
    static constexpr uint32_t kBulk = 244;
    explicit CountedPacket(uint32_t number = 0, uint32_t type = kType)
        : NetPacket(type), number(number)
    {}

    uint32_t PrepareOutBuffer() override
    {
        NetPacketOutBuffer out(*this);
        out.AddUInt(number);
        if (GetType() == kBulk)
            out.Add(std::string(1000, 'x'));
        return out.Done();
    }
    void CopyInbound(const uint8_t* data, int length) override
    {
        NetPacketInBuffer in(*this, data, length);
        std::string filler;
        in.RemoveUInt(number);
        if (GetType() == kBulk)
            in.Remove(filler);
    }
    std::string GetPacketDescription(bool) const override { return std::string(); }

    uint32_t number = 0;
};

template <uint32_t Type> struct Numbered : CountedPacket {
    static constexpr uint32_t kType = Type;
    explicit Numbered(uint32_t number = 0) : CountedPacket(number, Type) {}
};
// A numbered state: a later one replaces one still waiting to go.
using StatePacket = Numbered<243>;
// A numbered message with a kilobyte of filler.
using BulkPacket = Numbered<CountedPacket::kBulk>;

const bool registered =
    ConnectionManager::RegisterPacketClass<CountedPacket>() &&
    ConnectionManager::RegisterPacketRule(CountedPacket::kType,
                                          {ConnectionManager::Addressee::EveryoneButSender}) &&
    ConnectionManager::RegisterPacketClass<StatePacket>() &&
    ConnectionManager::RegisterPacketRule(
        StatePacket::kType,
        {.addressee = ConnectionManager::Addressee::EveryoneButSender, .state = true}) &&
    ConnectionManager::RegisterPacketClass<BulkPacket>() &&
    ConnectionManager::RegisterPacketRule(BulkPacket::kType,
                                          {ConnectionManager::Addressee::EveryoneButSender});

// What a client hears: the numbers of the counted messages, in order.
struct ClientEar : ConnectionManager::Listener {
    void OnMessage(int, NetPacket& packet) override
    {
        if (packet.GetType() == CountedPacket::kType || packet.GetType() == BulkPacket::kType)
            numbers.push_back(static_cast<CountedPacket&>(packet).number);
    }
    std::vector<uint32_t> numbers;
};

bool InOrderFromOne(const std::vector<uint32_t>& numbers)
{
    for (size_t i = 0; i < numbers.size(); ++i)
        if (numbers[i] != i + 1)
            return false;
    return true;
}

// A server that welcomes whoever joins, serviced on a thread of its own: joining waits for the
// welcome. Whatever the test does to the server runs on that thread (OnServer), between its
// frames; the server may also count messages out to its clients while `talking`.
class ConnectionTransport : public ListeningServerFixture {
protected:
    void SetUp() override
    {
        ListeningServerFixture::SetUp();
        worker = std::thread([this] {
            for (; !stop; std::this_thread::sleep_for(std::chrono::milliseconds(2))) {
                RunTasks();
                server.Service();
                if (talking > 0) {
                    CountedPacket counted(++told);
                    server.BroadcastPacket(counted);
                    --talking;
                }
                server.Flush();
            }
        });
    }
    void TearDown() override
    {
        stop = true;
        worker.join();
        ListeningServerFixture::TearDown();
    }
    void OnMessage(int, NetPacket& packet) override
    {
        if (packet.GetType() == CountedPacket::kType)
            heard.push_back(static_cast<CountedPacket&>(packet).number);
    }
    // Every client brings its player at once, as far as the door knows, unless told otherwise.
    void OnHostJoined(int host) override
    {
        Welcome(host, 41);
        if (bringsPlayer)
            server.MarkPlaying(host);
    }
    void OnHostLeft(int host) override { departures.push_back("left " + std::to_string(host)); }
    void OnHostLost(int host, uint32_t) override
    {
        departures.push_back("lost " + std::to_string(host));
    }

    // Runs `task` on the server's thread; waits for it unless told not to.
    void OnServer(std::function<void()> task, bool wait = true)
    {
        auto done = std::make_shared<std::promise<void>>();
        std::future<void> finished = done->get_future();
        {
            std::lock_guard<std::mutex> lock(mutex);
            tasks.push_back([task = std::move(task), done] {
                task();
                done->set_value();
            });
        }
        if (wait)
            finished.wait();
    }
    // Asks the server's thread until `condition` holds or a generous deadline passes.
    bool ServerUntil(const std::function<bool()>& condition)
    {
        const Clock::time_point deadline = Clock::now() + std::chrono::seconds(30);
        bool held = false;
        while (Clock::now() < deadline) {
            OnServer([&] { held = condition(); });
            if (held)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return false;
    }
    // Tells every client counted messages 1 to `count`, on the server's thread.
    void TellEveryone(uint32_t count)
    {
        OnServer([&] {
            for (uint32_t number = 1; number <= count; ++number) {
                CountedPacket counted(number);
                server.BroadcastPacket(counted);
            }
        });
    }
    std::vector<std::string> Departures()
    {
        std::vector<std::string> copy;
        OnServer([&] { copy = departures; });
        return copy;
    }

    std::atomic<bool> stop{false};
    std::atomic<int> talking{0};
    std::atomic<bool> bringsPlayer{true};
    std::thread worker;
    // Kept on the server's thread.
    uint32_t told = 0;
    std::vector<uint32_t> heard;
    std::vector<std::string> departures;

private:
    void RunTasks()
    {
        std::deque<std::function<void()>> now;
        {
            std::lock_guard<std::mutex> lock(mutex);
            now.swap(tasks);
        }
        for (auto& task : now)
            task();
    }

    std::mutex mutex;
    std::deque<std::function<void()>> tasks;
};

TEST_F(ConnectionTransport, ClientsTakeTheLowestFreeIndexAndASixteenthIsToldTheServerIsFull)
{
    const uint16_t port = server.GetListenPort();
    std::vector<std::unique_ptr<ConnectionManager>> clients;
    for (int host = 1; host <= ConnectionManager::kMaxClients; ++host) {
        SCOPED_TRACE(host);
        clients.push_back(std::make_unique<ConnectionManager>());
        ASSERT_TRUE(clients.back()->Connect("127.0.0.1", port));
        EXPECT_EQ(clients.back()->GetLocalHostID(), host);
        EXPECT_EQ(ObjectManager::Instance().GetHostIndex(), uint32_t(host));
    }
    ConnectionManager sixteenth;
    EXPECT_FALSE(sixteenth.Connect("127.0.0.1", port));
    EXPECT_EQ(sixteenth.GetFarewell(), Farewell::Full);
    EXPECT_EQ(sixteenth.GetFarewellText(), "the server is full: 15 of 15 clients");
}

TEST_F(ConnectionTransport, AServerForTwoTellsAThirdItIsFullAndTakesItWhenOneLeaves)
{
    OnServer([&] { server.SetClientLimit(2); });
    const uint16_t port = server.GetListenPort();
    ConnectionManager first, second, third;
    ASSERT_TRUE(first.Connect("127.0.0.1", port));
    ASSERT_TRUE(second.Connect("127.0.0.1", port));
    EXPECT_FALSE(third.Connect("127.0.0.1", port));
    EXPECT_EQ(third.GetFarewell(), Farewell::Full);
    EXPECT_EQ(third.GetFarewellText(), "the server is full: 2 of 2 clients");

    first.Disconnect();
    ASSERT_TRUE(ServerUntil([&] { return server.GetClientHosts() == std::vector<int>{2}; }));
    ASSERT_TRUE(third.Connect("127.0.0.1", port));
    EXPECT_EQ(third.GetLocalHostID(), 1);
    EXPECT_EQ(third.GetFarewell(), Farewell::None);
    OnServer([&] { EXPECT_EQ(server.GetRefusedPeers(), 1u); });
}

TEST_F(ConnectionTransport, ADroppedClientAndOneAtASessionsEndAreToldWhy)
{
    const uint16_t port = server.GetListenPort();
    ConnectionManager dropped;
    ASSERT_TRUE(dropped.Connect("127.0.0.1", port));
    OnServer([&] { server.DropHost(1, "forged"); });
    ASSERT_TRUE(ServiceUntil(dropped, [&] { return !dropped.IsConnected(); }));
    EXPECT_EQ(dropped.GetFarewell(), Farewell::Dropped);
    EXPECT_EQ(dropped.GetFarewellText(), "dropped by the server");
    EXPECT_EQ(Departures(), std::vector<std::string>{"left 1"});

    ConnectionManager ended;
    ASSERT_TRUE(ended.Connect("127.0.0.1", port));
    EXPECT_EQ(ended.GetLocalHostID(), 1);
    // The server waits for the goodbye's answer, so the client must be serviced meanwhile.
    OnServer([&] { server.Disconnect(Farewell::SessionEnded); }, false);
    ASSERT_TRUE(ServiceUntil(ended, [&] { return !ended.IsConnected(); }));
    EXPECT_EQ(ended.GetFarewell(), Farewell::SessionEnded);
    EXPECT_EQ(ended.GetFarewellText(), "the session ended");
}

TEST_F(ConnectionTransport, ADepartedHostsCountsSurviveTheReuseOfItsIndex)
{
    const uint16_t port = server.GetListenPort();
    auto forger = std::make_unique<ConnectionManager>();
    ASSERT_TRUE(forger->Connect("127.0.0.1", port));
    HostLeftPacket forged;
    forged.host = 2;
    forger->SendPacket(forged);
    forger->Flush();
    ASSERT_TRUE(ServerUntil([&] { return server.GetCounters(1).dropped == 1; }));
    forger->Disconnect();
    ASSERT_TRUE(ServerUntil([&] { return server.GetClientHosts().empty(); }));

    ConnectionManager next;
    ASSERT_TRUE(next.Connect("127.0.0.1", port));
    ASSERT_EQ(next.GetLocalHostID(), 1);
    OnServer([&] {
        const ConnectionManager::HostCounters counters = server.GetCounters(1);
        EXPECT_EQ(counters.dropped, 1u);
        EXPECT_EQ(counters.messagesIn, 1u);
        EXPECT_EQ(counters.messagesOut, 2u); // the welcomes of both
    });
}

// Every datagram either way waits 50 to 300 ms, overtaking others, and one in five is lost.
TEST_F(ConnectionTransport, ALinkThroughLossAndJitterStaysUpAndKeepsItsOrderBothWays)
{
    UdpRelay relay({.targetPort = server.GetListenPort(),
                    .minDelayMs = 50,
                    .maxDelayMs = 300,
                    .lossPercent = 20,
                    .seed = 7});
    ASSERT_TRUE(relay.IsRunning());
    ConnectionManager client;
    ClientEar ear;
    client.SetListener(&ear);
    ASSERT_TRUE(client.Connect("127.0.0.1", relay.GetPort()));

    constexpr uint32_t kEachWay = 300;
    talking = int(kEachWay);
    uint32_t sent = 0;
    const auto done = [&] {
        if (sent < kEachWay) {
            CountedPacket counted(++sent);
            client.SendPacket(counted);
        }
        bool heardAll = false;
        OnServer([&] { heardAll = heard.size() >= kEachWay; });
        return heardAll && ear.numbers.size() >= kEachWay;
    };
    ASSERT_TRUE(ServiceUntil(client, done));
    EXPECT_TRUE(client.IsConnected());
    EXPECT_EQ(client.GetFarewell(), Farewell::None);
    EXPECT_TRUE(InOrderFromOne(ear.numbers));
    OnServer([&] {
        EXPECT_TRUE(InOrderFromOne(heard));
        EXPECT_EQ(server.GetClientHosts(), std::vector<int>{1});
    });
    EXPECT_TRUE(Departures().empty());
    EXPECT_GT(relay.GetCounts().lost, 0u);
}

// A frame's small messages to a peer leave together as a few packets: through loss they arrive
// in order, and the peer acknowledges a few packets, not every message (8 bytes each).
TEST_F(ConnectionTransport, AFramesMessagesLeaveTogetherAndArriveInOrderThroughLoss)
{
    UdpRelay relay({.targetPort = server.GetListenPort(), .lossPercent = 20, .seed = 5});
    ASSERT_TRUE(relay.IsRunning());
    ConnectionManager client;
    ClientEar ear;
    client.SetListener(&ear);
    ASSERT_TRUE(client.Connect("127.0.0.1", relay.GetPort()));
    const uint64_t before = relay.GetCounts().bytesToServer;
    constexpr uint32_t kMessages = 2000;
    TellEveryone(kMessages);
    ASSERT_TRUE(ServiceUntil(client, [&] { return ear.numbers.size() >= kMessages; }));
    EXPECT_TRUE(InOrderFromOne(ear.numbers));
    EXPECT_EQ(ear.numbers.size(), kMessages);
    EXPECT_LT(relay.GetCounts().bytesToServer - before, kMessages);
}

// A bundle's messages are each taken as if they came alone, in order; one whose messages do not
// fill it exactly, that holds none or holds another bundle is refused whole, and counted.
TEST_F(ConnectionTransport, ABundleIsTakenWholeOrRefusedWhole)
{
    ConnectionManager client;
    ASSERT_TRUE(client.Connect("127.0.0.1", server.GetListenPort()));
    const auto message = [](uint32_t number) {
        CountedPacket counted(number);
        return EncodePacket(counted);
    };
    const auto bundle = [](const std::vector<std::vector<uint8_t>>& messages, uint32_t slack = 0) {
        std::vector<uint8_t> bytes(NetPacketHeader::kSize);
        for (const std::vector<uint8_t>& each : messages)
            bytes.insert(bytes.end(), each.begin(), each.end());
        const auto size = uint32_t(bytes.size() - NetPacketHeader::kSize + slack);
        for (size_t i = 0; i < 4; ++i)
            bytes[4 + i] = uint8_t(size >> (8 * i));
        return bytes;
    };
    std::vector<uint8_t> overlong = message(5);
    ++overlong[4];
    const std::vector<std::vector<uint8_t>> bundles = {
        bundle({message(1), message(2)}), bundle({message(3)}, 1),
        bundle({message(4), overlong}),   bundle({}),
        bundle({bundle({message(6)})}),   bundle({message(3)}),
    };
    uint64_t dropped = 0;
    size_t lines = 0;
    OnServer([&] {
        const LogCapture log;
        for (const std::vector<uint8_t>& bytes : bundles)
            server.Receive(1, bytes.data(), bytes.size());
        dropped = server.GetCounters(1).dropped;
        lines = log.CountContaining("from host 1 dropped: bundle's messages do not fit it");
    });
    OnServer([&] { EXPECT_EQ(heard, (std::vector<uint32_t>{1, 2, 3})); });
    EXPECT_EQ(dropped, 4u);
    // The rest are counted, not printed.
    EXPECT_EQ(lines, 1u);
    client.Disconnect();
}

// Through 30% loss each way, or an 8 s outage begun as it connects: a peer still heard from, or
// silent for less than the link's bound, is never let go at the door.
TEST_F(ConnectionTransport, AHandshakeThroughLossOrAnOutageJoins)
{
    UdpRelay lossy({.targetPort = server.GetListenPort(), .lossPercent = 30, .seed = 11});
    ASSERT_TRUE(lossy.IsRunning());
    std::vector<std::unique_ptr<ConnectionManager>> joined;
    for (int host = 1; host <= 6; ++host) {
        joined.push_back(std::make_unique<ConnectionManager>());
        ASSERT_TRUE(joined.back()->Connect("127.0.0.1", lossy.GetPort())) << host;
        EXPECT_EQ(joined.back()->GetLocalHostID(), host);
    }
    EXPECT_GT(lossy.GetCounts().lost, 0u);

    UdpRelay cut({.targetPort = server.GetListenPort()});
    std::thread outage([&cut] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        cut.SetCut(true);
        std::this_thread::sleep_for(std::chrono::seconds(8));
        cut.SetCut(false);
    });
    // Those who joined answer meanwhile: the late handshake may outlast the link's bound.
    std::atomic<bool> connecting{true};
    std::thread answering([&] {
        for (; connecting; std::this_thread::sleep_for(std::chrono::milliseconds(20)))
            for (auto& client : joined)
                client->Service();
    });
    ConnectionManager late;
    const bool welcomed = late.Connect("127.0.0.1", cut.GetPort());
    connecting = false;
    answering.join();
    outage.join();
    ASSERT_TRUE(welcomed) << late.GetFarewellText();
    EXPECT_EQ(late.GetLocalHostID(), 7);
    EXPECT_GT(cut.GetCounts().lost, 0u);
    EXPECT_TRUE(Departures().empty());
    for (auto& client : joined)
        client->Disconnect();
    late.Disconnect();
}

// A link cut without a word: the server reports the host lost, not left, and the client says
// its server gave no answer. One that says goodbye has left.
TEST_F(ConnectionTransport, ALinkThatFallsSilentIsLostAndAGoodbyeIsALeaving)
{
    OnServer([&] { ConnectionBounds::SetLinkTimeout(server, 1000); });
    ConnectionManager polite;
    ASSERT_TRUE(polite.Connect("127.0.0.1", server.GetListenPort()));
    polite.Disconnect();
    ASSERT_TRUE(ServerUntil([&] { return departures == std::vector<std::string>{"left 1"}; }));

    UdpRelay relay({.targetPort = server.GetListenPort()});
    ConnectionManager vanished;
    ConnectionBounds::SetLinkTimeout(vanished, 1000);
    ASSERT_TRUE(vanished.Connect("127.0.0.1", relay.GetPort()));
    EXPECT_EQ(vanished.GetLocalHostID(), 1);
    relay.SetCut(true);
    ASSERT_TRUE(ServiceUntil(vanished, [&] { return !vanished.IsConnected(); }));
    EXPECT_EQ(vanished.GetFarewell(), Farewell::NoAnswer);
    EXPECT_EQ(vanished.GetFarewellText().rfind("no answer for ", 0), 0u);
    ASSERT_TRUE(ServerUntil([&] { return departures.size() == 2; }));
    EXPECT_EQ(Departures(), (std::vector<std::string>{"left 1", "lost 1"}));
}

// A link cut one way past the bound of the side that still hears (the other's bound is long, so
// it does not judge): that side keeps its peer, and the link carries on after both cuts.
TEST_F(ConnectionTransport, APeerStillHeardIsNotLostWhicheverWayTheCutRuns)
{
    UdpRelay relay({.targetPort = server.GetListenPort()});
    ClientEar ear;
    ConnectionManager client;
    ASSERT_TRUE(client.Connect("127.0.0.1", relay.GetPort()));
    for (const bool up : {true, false}) {
        OnServer([&] { ConnectionBounds::SetLinkTimeout(server, up ? 60000 : 1000); });
        ConnectionBounds::SetLinkTimeout(client, up ? 1000 : 60000);
        for (const bool cut : {true, false}) {
            // Cut, then a while for the link to be heard again both ways.
            relay.SetCut(cut && up, cut && !up);
            const Clock::time_point until =
                Clock::now() + std::chrono::milliseconds(cut ? 1800 : 600);
            ServiceUntil(client, [&] { return Clock::now() >= until || !client.IsConnected(); });
        }
        EXPECT_TRUE(client.IsConnected()) << (up ? "up" : "down");
    }
    client.SetListener(&ear);
    talking = 20;
    ASSERT_TRUE(ServiceUntil(client, [&] { return ear.numbers.size() >= 20; }));
    EXPECT_TRUE(InOrderFromOne(ear.numbers));
    EXPECT_TRUE(Departures().empty());
    client.Disconnect();
}

// A welcomed client's word that it is on its way reaches the door alone; a word for another
// host is refused and counted.
TEST_F(ConnectionTransport, AClientsWordThatItIsOnItsWayIsTheDoorsAndItsOwn)
{
    ConnectionManager client;
    ASSERT_TRUE(client.Connect("127.0.0.1", server.GetListenPort()));
    client.SayJoining();
    ASSERT_TRUE(ServerUntil([&] { return server.GetCounters(1).messagesIn == 1; }));
    HostJoiningPacket forged;
    forged.host = 2;
    client.SendPacket(forged);
    client.Flush();
    ASSERT_TRUE(ServerUntil([&] { return server.GetCounters(1).dropped == 1; }));
    OnServer([&] { EXPECT_EQ(server.GetCounters(1).messagesIn, 2u); });
    client.Disconnect();
}

// What a client sent while its server slept 1.5 s is no flood: the window allows two seconds'
// worth more, what it counted before still counted, and past that it is a flood.
TEST_F(ConnectionTransport, AStopOfTheServerAllowsItsClientsASecondsWorthMoreForEachSecond)
{
    ConnectionManager client;
    ASSERT_TRUE(client.Connect("127.0.0.1", server.GetListenPort()));
    CountedPacket counted(1);
    const std::vector<uint8_t> bytes = EncodePacket(counted);
    const auto receive = [&](uint32_t count) {
        for (uint32_t i = 0; i < count; ++i)
            server.Receive(1, bytes.data(), bytes.size());
    };
    constexpr uint32_t kBefore = ConnectionManager::kFloodMessages * 3 / 4;
    std::vector<std::string> gone;
    OnServer([&] {
        receive(kBefore);
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        server.Service();
        receive(3 * ConnectionManager::kFloodMessages - kBefore);
        gone = departures;
        receive(1);
    });
    EXPECT_TRUE(gone.empty());
    EXPECT_EQ(Departures(), std::vector<std::string>{"left 1"});
    client.Disconnect();
}

// The server stopped 1.2 s three times, 0.3 s apart, from 0.5 s into play, its client sending
// 1,200 messages a second through a link that carries 2,400: what piled up in each stop arrives
// once the server runs, then over the seconds after, above a second's limit in each: no flood.
TEST_F(ConnectionTransport, AServerStoppedThriceInPlayTakesTheBacklogAsItArrivesOverSeconds)
{
    ConnectionManager client;
    ASSERT_TRUE(client.Connect("127.0.0.1", server.GetListenPort()));
    CountedPacket counted(1);
    const std::vector<uint8_t> bytes = EncodePacket(counted);
    uint64_t waiting = 0;
    std::vector<std::string> gone;
    OnServer([&] {
        Clock::time_point last = Clock::now();
        // Sends what the client sent since the last call and carries what the link took.
        const auto run = [&](std::chrono::milliseconds length, bool stopped) {
            const Clock::time_point until = Clock::now() + length;
            while (Clock::now() < until) {
                std::this_thread::sleep_for(stopped ? length : std::chrono::milliseconds(5));
                const Clock::time_point now = Clock::now();
                const auto ms = uint64_t(
                    std::chrono::duration_cast<std::chrono::milliseconds>(now - last).count());
                last = now;
                waiting += ms * 6 / 5;
                server.Service();
                for (uint64_t carried = stopped ? 0 : std::min(waiting, ms * 12 / 5); carried > 0;
                     --carried, --waiting)
                    server.Receive(1, bytes.data(), bytes.size());
            }
        };
        run(std::chrono::milliseconds(500), false);
        for (int stop = 0; stop < 3; ++stop) {
            run(std::chrono::milliseconds(1200), true);
            run(std::chrono::milliseconds(300), false);
        }
        while (waiting > 0 && departures.empty())
            run(std::chrono::milliseconds(100), false);
        gone = departures;
    });
    EXPECT_EQ(gone, std::vector<std::string>{});
    EXPECT_EQ(waiting, 0u);
    client.Disconnect();
}

void Put16(std::vector<uint8_t>& bytes, uint32_t value)
{
    bytes.push_back(uint8_t(value >> 8));
    bytes.push_back(uint8_t(value));
}

// A connect request as ENet writes it, big-endian: a header for a peer not yet known, with a
// sent time, then the acknowledged connect command on no channel; its data word `word`.
std::vector<uint8_t> ConnectRequest(uint32_t connectId, uint32_t word = 0)
{
    std::vector<uint8_t> bytes{0x8F, 0xFF, 0, 0, 0x80 | 2, 0xFF, 0, 1, 0, 0, 0xFF, 0xFF};
    // Its MTU, window, channels, bandwidths, throttle, connect id and data.
    for (uint32_t field : {1400u, 65536u, 1u, 0u, 0u, 5000u, 2u, 2u, connectId, word}) {
        Put16(bytes, field >> 16);
        Put16(bytes, field & 0xFFFF);
    }
    return bytes;
}

// A UDP socket of the test's, speaking to the server in ENet's bytes.
class Stranger {
public:
    explicit Stranger(uint16_t port) : fd(::socket(AF_INET, SOCK_DGRAM, 0))
    {
        server.sin_family = AF_INET;
        server.sin_port = htons(port);
        server.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        const timeval wait{5, 0};
        ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait);
    }
    ~Stranger() { ::close(fd); }
    Stranger(const Stranger&) = delete;
    Stranger& operator=(const Stranger&) = delete;

    void Send(const std::vector<uint8_t>& bytes)
    {
        ::sendto(fd, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&server),
                 sizeof server);
    }
    // The next datagram; empty after 5 s without one.
    std::vector<uint8_t> Receive()
    {
        std::vector<uint8_t> bytes(1500);
        const ssize_t count = ::recv(fd, bytes.data(), bytes.size(), 0);
        bytes.resize(count > 0 ? size_t(count) : 0);
        return bytes;
    }

private:
    int fd;
    sockaddr_in server{};
};

uint32_t Word16(const std::vector<uint8_t>& bytes, size_t at)
{
    return at + 1 < bytes.size() ? uint32_t(bytes[at]) << 8 | bytes[at + 1] : 0;
}

// The first command of a datagram, after a header with or without its sent time.
uint8_t CommandOf(const std::vector<uint8_t>& bytes)
{
    const size_t at = !bytes.empty() && (bytes[0] & 0x80) != 0 ? 4 : 2;
    return at < bytes.size() ? bytes[at] : 0;
}

// Acknowledges the server's verify, finishing ENet's part of the stranger's handshake.
void AcknowledgeVerify(Stranger& stranger)
{
    const std::vector<uint8_t> verify = stranger.Receive();
    ASSERT_GE(verify.size(), 12u);
    ASSERT_EQ(CommandOf(verify) & 0x0F, 3);
    // Its peer for us, our session with it, the command's sequence number and the sent time.
    std::vector<uint8_t> ack;
    Put16(ack, 0x8000 | uint32_t(verify[11] & 3) << 12 | Word16(verify, 8));
    ack.insert(ack.end(), {0, 0, 1, 0xFF, 0, 1});
    Put16(ack, Word16(verify, 6));
    Put16(ack, Word16(verify, 2));
    stranger.Send(ack);
}

// A stranger that finishes its handshake without a hello is let go at once and counted; it
// never held an index, so the first client is host 1.
TEST_F(ConnectionTransport, AStrangerWithoutAHelloIsLetGoAndTheNextClientIsHostOne)
{
    Stranger stranger(server.GetListenPort());
    stranger.Send(ConnectRequest(7));
    ASSERT_NO_FATAL_FAILURE(AcknowledgeVerify(stranger));
    // Its goodbye, which it need not acknowledge.
    std::vector<uint8_t> answer;
    do
        answer = stranger.Receive();
    while (!answer.empty() && (CommandOf(answer) & 0x0F) != 4);
    ASSERT_FALSE(answer.empty());

    ConnectionManager client;
    ASSERT_TRUE(client.Connect("127.0.0.1", server.GetListenPort()));
    EXPECT_EQ(client.GetLocalHostID(), 1);
    OnServer([&] { EXPECT_EQ(server.GetRefusedPeers(), 1u); });
    client.Disconnect();
}

// Peers with the hello that stop before ENet's part of the handshake is done, after it, or once
// welcomed, without a player: each is let go once silent for the link's bound, the first two
// counted unfinished; those that held host 1 are lost, and a client then takes their place.
TEST_F(ConnectionTransport, APeerThatStopsOnItsWayInIsLetGoOnceSilentForTheLinksBound)
{
    bringsPlayer = false;
    OnServer([&] {
        server.SetClientLimit(1);
        ConnectionBounds::SetLinkTimeout(server, 300);
    });
    Stranger early(server.GetListenPort());
    early.Send(ConnectRequest(7, ConnectionAdmission::kHello));
    Stranger late(server.GetListenPort());
    late.Send(ConnectRequest(8, ConnectionAdmission::kHello));
    ASSERT_NO_FATAL_FAILURE(AcknowledgeVerify(late));
    ASSERT_TRUE(ServerUntil([&] {
        return departures == std::vector<std::string>{"lost 1"} && server.GetRefusedPeers() == 2;
    }));
    ConnectionManager stops;
    ASSERT_TRUE(stops.Connect("127.0.0.1", server.GetListenPort()));
    EXPECT_EQ(stops.GetLocalHostID(), 1);
    ASSERT_TRUE(ServerUntil([&] { return departures.size() == 2; }));
    EXPECT_EQ(Departures(), (std::vector<std::string>{"lost 1", "lost 1"}));
    OnServer([&] { EXPECT_EQ(server.GetAdmissionCounts().unfinished, 2u); });

    bringsPlayer = true;
    ConnectionManager client;
    ASSERT_TRUE(client.Connect("127.0.0.1", server.GetListenPort()));
    EXPECT_EQ(client.GetLocalHostID(), 1);
    client.Disconnect();
}

// A peer that says the hello and nothing more (stuck loading, or anything that knows the word)
// holds its place only until the join deadline, and is told why; then a client takes it.
TEST_F(ConnectionTransport, AClientThatBringsNoPlayerIsLetGoByTheJoinDeadlineAndItsPlaceTaken)
{
    bringsPlayer = false;
    OnServer([&] {
        server.SetClientLimit(1);
        ConnectionBounds::SetAdmissionDeadlines(server, ConnectionManager::kHelloDeadlineMs, 500);
    });
    ConnectionManager idle;
    ASSERT_TRUE(idle.Connect("127.0.0.1", server.GetListenPort()));
    ASSERT_TRUE(ServiceUntil(idle, [&] { return !idle.IsConnected(); }));
    EXPECT_EQ(idle.GetFarewell(), Farewell::NoPlayer);
    EXPECT_EQ(idle.GetFarewellText(), "no player within 1 s");
    EXPECT_EQ(Departures(), std::vector<std::string>{"left 1"});
    EXPECT_EQ(log.CountContaining("ConnectionManager: host 1 let go: no player within 1 s"), 1u);

    bringsPlayer = true;
    ConnectionManager player;
    ASSERT_TRUE(player.Connect("127.0.0.1", server.GetListenPort()));
    EXPECT_EQ(player.GetLocalHostID(), 1);
    OnServer([&] {
        EXPECT_EQ(server.GetAdmissionCounts().noPlayer, 1u);
        EXPECT_EQ(server.GetRefusedPeers(), 0u);
    });
    player.Disconnect();
}

// Once under way, every client that comes is refused at the door: none takes an index or a log
// line of its own. Among the hosts dropped are only those that played.
TEST_F(ConnectionTransport, LateClientsAreRefusedAtTheDoorAndLoggedAsACount)
{
    const uint16_t port = server.GetListenPort();
    OnServer([&] {
        ConnectionBounds::SetAdmissionDeadlines(server, ConnectionManager::kHelloDeadlineMs,
                                                600000);
    });
    ConnectionManager player;
    ASSERT_TRUE(player.Connect("127.0.0.1", port));
    bringsPlayer = false;
    ConnectionManager idle;
    ASSERT_TRUE(idle.Connect("127.0.0.1", port));
    OnServer([&] { server.SetUnderWay(true); });
    constexpr uint64_t kLate = 200;
    for (uint64_t i = 0; i < kLate; ++i) {
        ConnectionManager late;
        ASSERT_FALSE(late.Connect("127.0.0.1", port));
        ASSERT_EQ(late.GetFarewellText(), "the session is under way");
        player.Service();
        idle.Service();
    }
    OnServer([&] {
        EXPECT_EQ(server.GetClientHosts(), (std::vector<int>{1, 2}));
        EXPECT_EQ(server.GetAdmissionCounts().underWay, kLate);
        server.DropHost(2, "idle");
        server.DropHost(1, "cheat");
        EXPECT_EQ(server.GetDroppedHosts(),
                  (std::vector<std::pair<int, std::string>>{{1, "cheat"}}));
        server.Disconnect();
    });
    const size_t lines = log.CountContaining("peers refused");
    EXPECT_GE(lines, 1u);
    EXPECT_LT(lines, size_t(kLate / 10));
    EXPECT_EQ(log.CountContaining(", 200 in all"), 1u);
}

// ENet's goodbye carries 0 when it names no reason, as its own timeout does: a link heard from
// lately said goodbye, whichever side said it.
TEST_F(ConnectionTransport, AGoodbyeWithoutAWordIsALeavingEitherWay)
{
    const uint16_t port = server.GetListenPort();
    ConnectionManager quiet;
    ASSERT_TRUE(quiet.Connect("127.0.0.1", port));
    quiet.Disconnect(Farewell::None);
    ASSERT_TRUE(ServerUntil([&] { return !departures.empty(); }));
    EXPECT_EQ(Departures(), std::vector<std::string>{"left 1"});

    ConnectionManager told;
    ASSERT_TRUE(told.Connect("127.0.0.1", port));
    OnServer([&] { server.DropHost(1, "quietly", Farewell::None); });
    ASSERT_TRUE(ServiceUntil(told, [&] { return !told.IsConnected(); }));
    EXPECT_EQ(told.GetFarewell(), Farewell::Goodbye);
    EXPECT_EQ(told.GetFarewellText(), "the server said goodbye");
}

// A client busy loading its world answers its server twice the link's bound and more, and then
// hears all that came meanwhile, in order.
TEST_F(ConnectionTransport, AClientKeptAliveWhileBusyStaysAndHearsAllThatCameMeanwhile)
{
    OnServer([&] { ConnectionBounds::SetLinkTimeout(server, 1000); });
    ClientEar ear;
    ConnectionManager busy;
    ConnectionBounds::SetLinkTimeout(busy, 1000);
    ASSERT_TRUE(busy.Connect("127.0.0.1", server.GetListenPort()));
    talking = 50;
    for (int i = 0; i < 50; ++i) {
        busy.KeepAlive();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_TRUE(Departures().empty());
    busy.SetListener(&ear);
    ASSERT_TRUE(ServiceUntil(busy, [&] { return ear.numbers.size() >= 50; }));
    EXPECT_TRUE(busy.IsConnected());
    EXPECT_EQ(ear.numbers.size(), 50u);
    EXPECT_TRUE(InOrderFromOne(ear.numbers));
}

// A slow reader after a load that held little of what came: each read stops with its budget, the
// link stays, and it hears what it held and then what waited in the link, in order.
TEST_F(ConnectionTransport, AClientReadingWithinABudgetHearsAllInOrderWhateverItHeld)
{
    OnServer([&] { ConnectionBounds::SetLinkTimeout(server, 1000); });
    struct SlowEar : ClientEar {
        void OnMessage(int host, NetPacket& packet) override
        {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            ClientEar::OnMessage(host, packet);
        }
    } ear;
    ConnectionManager slow;
    ConnectionBounds::SetLinkTimeout(slow, 1000);
    ConnectionBounds::SetMaxHeldBytes(slow, 1000);
    ASSERT_TRUE(slow.Connect("127.0.0.1", server.GetListenPort()));
    talking = 300;
    for (int i = 0; i < 60; ++i) {
        slow.KeepAlive();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_TRUE(Departures().empty());
    slow.SetListener(&ear);
    slow.Service(5);
    EXPECT_GT(ear.numbers.size(), 0u);
    EXPECT_LT(ear.numbers.size(), 300u);
    for (int reads = 0; reads < 2000 && ear.numbers.size() < 300; ++reads) {
        slow.Service(5);
        slow.Flush();
    }
    EXPECT_TRUE(slow.IsConnected());
    EXPECT_EQ(ear.numbers.size(), 300u);
    EXPECT_TRUE(InOrderFromOne(ear.numbers));
}

// A reader far behind, its held queue full and more coming than ENet leaves waiting, is kept past
// ENet's own timeout of what waits unacknowledged: the link's bound is its silence.
TEST_F(ConnectionTransport, AClientWhoseReaderIsBehindIsStillHeardAndKept)
{
    OnServer([&] { ConnectionBounds::SetLinkTimeout(server, 1000); });
    ConnectionManager behind;
    ConnectionBounds::SetLinkTimeout(behind, 1000);
    ConnectionBounds::SetMaxHeldBytes(behind, 1000);
    ConnectionBounds::SetMaxWaitingBytes(behind, 4096);
    ASSERT_TRUE(behind.Connect("127.0.0.1", server.GetListenPort()));
    talking = 4000;
    uint32_t loudest = 0;
    for (int i = 0; i < 150; ++i) {
        behind.KeepAlive();
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (i % 10 == 0)
            OnServer([&] { loudest = std::max(loudest, server.GetSilentMs(1)); });
    }
    EXPECT_EQ(Departures(), std::vector<std::string>{});
    EXPECT_LT(loudest, 1000u);
    EXPECT_TRUE(behind.IsConnected());
}

// A client that does not read: what waits for it on the server beyond what its link holds keeps
// only the latest of a state, and past its bound the client is let go, told it is too slow.
TEST_F(ConnectionTransport, AClientsBacklogKeepsTheLatestStateAndPastItsBoundItIsTooSlow)
{
    struct Ear : ClientEar {
        void OnMessage(int host, NetPacket& packet) override
        {
            if (packet.GetType() == StatePacket::kType)
                states.push_back(static_cast<CountedPacket&>(packet).number);
            ClientEar::OnMessage(host, packet);
        }
        std::vector<uint32_t> states;
    } ear;
    ConnectionManager idle;
    ASSERT_TRUE(idle.Connect("127.0.0.1", server.GetListenPort()));
    const auto tell = [&](uint32_t from, uint32_t count) {
        OnServer([&] {
            for (uint32_t number = from; number < from + count; ++number) {
                CountedPacket counted(number);
                server.BroadcastPacket(counted);
                StatePacket state(number);
                server.BroadcastPacket(state);
            }
        });
    };
    tell(1, 2000);
    uint64_t replaced = 0;
    OnServer([&] { replaced = server.GetCounters(1).replaced; });
    EXPECT_GT(replaced, 1000u);
    idle.SetListener(&ear);
    ASSERT_TRUE(
        ServiceUntil(idle, [&] { return !ear.states.empty() && ear.states.back() == 2000; }));
    EXPECT_TRUE(InOrderFromOne(ear.numbers));
    EXPECT_EQ(ear.states.size(), 2000 - replaced);
    EXPECT_TRUE(std::is_sorted(ear.states.begin(), ear.states.end()));

    // Past what the link holds unsent and in flight, 192 KiB of bundles.
    OnServer([&] { ConnectionBounds::SetMaxBacklogBytes(server, 4096); });
    tell(2001, 30000);
    ASSERT_TRUE(ServerUntil([&] { return !departures.empty(); }));
    EXPECT_EQ(Departures(), std::vector<std::string>{"left 1"});
    ASSERT_TRUE(ServiceUntil(idle, [&] { return !idle.IsConnected(); }));
    EXPECT_EQ(idle.GetFarewell(), Farewell::TooSlow);
    EXPECT_EQ(idle.GetFarewellText(), "too slow: the server's messages piled up");
}

// A playing client that takes in nothing while told more than ENet's window holds is let go once
// its oldest update has waited past the bound; a client that keeps up hears all.
TEST_F(ConnectionTransport, AClientWhoseOldestUpdateWaitsPastTheBoundIsToldItIsTooSlow)
{
    OnServer([&] { ConnectionBounds::SetMaxBacklogMs(server, 1500); });
    ClientEar ear;
    ConnectionManager keeps;
    ASSERT_TRUE(keeps.Connect("127.0.0.1", server.GetListenPort()));
    ConnectionManager idle;
    ASSERT_TRUE(idle.Connect("127.0.0.1", server.GetListenPort()));
    TellEveryone(20000);
    keeps.SetListener(&ear);
    ASSERT_TRUE(ServiceUntil(keeps, [&] { return ear.numbers.size() == 20000; }));
    EXPECT_TRUE(InOrderFromOne(ear.numbers));
    ASSERT_TRUE(ServerUntil([&] { return departures == std::vector<std::string>{"left 2"}; }));
    ASSERT_TRUE(ServiceUntil(idle, [&] { return !idle.IsConnected(); }));
    EXPECT_EQ(idle.GetFarewell(), Farewell::TooSlow);
    EXPECT_TRUE(keeps.IsConnected());
}

// Long messages for a client that reads nothing: ENet holds few of them unsent, and the rest
// wait on the server, where their age and their bytes are seen; all come, in order, once it reads.
TEST_F(ConnectionTransport, LongMessagesWaitOnTheServerBeyondWhatTheLinkHoldsUnsent)
{
    ClientEar ear;
    ConnectionManager idle;
    ASSERT_TRUE(idle.Connect("127.0.0.1", server.GetListenPort()));
    constexpr uint32_t kCount = 400;
    size_t waiting = 0;
    OnServer([&] {
        for (uint32_t number = 1; number <= kCount; ++number) {
            BulkPacket bulk(number);
            server.BroadcastPacket(bulk);
        }
        waiting = server.GetBacklogBytes(1);
    });
    EXPECT_GT(waiting, size_t(kCount - 128) * 1000);
    idle.SetListener(&ear);
    ASSERT_TRUE(ServiceUntil(idle, [&] { return ear.numbers.size() == kCount; }));
    EXPECT_TRUE(InOrderFromOne(ear.numbers));
}

// Behind a link of 256 KiB/s before a 24 KiB queue, sent a quarter megabyte twice: once the queue
// has overflowed, the server keeps about what it holds in flight, so little dies at the queue.
TEST_F(ConnectionTransport, APeerBehindACappedLinkIsSentWhatItCarriesAndLittleDiesAtItsQueue)
{
    UdpRelay relay({.targetPort = server.GetListenPort(),
                    .rateBytesPerSecond = 256 * 1024,
                    .queueBytes = 24 * 1024});
    ClientEar ear;
    ConnectionManager client;
    client.SetListener(&ear);
    ASSERT_TRUE(client.Connect("127.0.0.1", relay.GetPort()));
    constexpr uint32_t kEach = 250;
    UdpRelay::Counts first;
    for (const uint32_t count : {kEach, 2 * kEach}) {
        OnServer([&] {
            for (auto number = uint32_t(ear.numbers.size()) + 1; number <= count; ++number) {
                BulkPacket bulk(number);
                server.BroadcastPacket(bulk);
            }
        });
        ASSERT_TRUE(ServiceUntil(client, [&] { return ear.numbers.size() == count; }));
        if (count == kEach)
            first = relay.GetCounts();
    }
    EXPECT_TRUE(InOrderFromOne(ear.numbers));
    const UdpRelay::Counts counts = relay.GetCounts();
    const uint64_t dropped = counts.queueDropped - first.queueDropped;
    // Unpaced, more than half dies there; paced, a few in a hundred, more on a busy machine.
    EXPECT_LT(dropped * 4, counts.forwarded - first.forwarded)
        << dropped << " dropped, " << counts.forwarded - first.forwarded << " forwarded; first "
        << first.queueDropped << " dropped, " << first.forwarded << " forwarded";
}

// What waited for a client while it loaded its world ages from when it plays: it is not told it
// is too slow the moment it plays, only once the bound has passed in play.
TEST_F(ConnectionTransport, WhatWaitedWhileAClientLoadedAgesFromWhenItPlays)
{
    bringsPlayer = false;
    OnServer([&] { ConnectionBounds::SetMaxBacklogMs(server, 1500); });
    ConnectionManager idle;
    ASSERT_TRUE(idle.Connect("127.0.0.1", server.GetListenPort()));
    TellEveryone(20000);
    std::this_thread::sleep_for(std::chrono::milliseconds(2000));
    OnServer([&] {
        server.MarkPlaying(1);
        server.Flush();
    });
    EXPECT_EQ(Departures(), std::vector<std::string>{});
    ASSERT_TRUE(ServerUntil([&] { return departures == std::vector<std::string>{"left 1"}; }));
    ASSERT_TRUE(ServiceUntil(idle, [&] { return !idle.IsConnected(); }));
    EXPECT_EQ(idle.GetFarewell(), Farewell::TooSlow);
}

// A message longer than the link carries is refused at once, in one line, and the link let go:
// ENet answers none of its fragments, so all its sender sends after it would wait for ever.
TEST_F(ConnectionTransport, AMessageLongerThanTheLinkCarriesIsRefusedAtOnce)
{
    struct Long final : NetPacket {
        Long() : NetPacket(CountedPacket::kType) {}
        uint32_t PrepareOutBuffer() override
        {
            NetPacketOutBuffer out(*this);
            for (uint32_t word = 0; word < 1100; ++word)
                out.AddUInt(word);
            return out.Done();
        }
        void CopyInbound(const uint8_t*, int) override {}
        std::string GetPacketDescription(bool) const override { return {}; }
    };
    LogCapture log;
    ClientEar ear;
    ConnectionManager client;
    ConnectionBounds::SetMaxMessageBytes(client, 4096);
    ASSERT_TRUE(client.Connect("127.0.0.1", server.GetListenPort()));
    client.SetListener(&ear);
    OnServer([&] {
        CountedPacket counted(1);
        server.BroadcastPacket(counted);
        Long message;
        server.BroadcastPacket(message);
    });
    ASSERT_TRUE(ServiceUntil(client, [&] { return !client.IsConnected(); }));
    EXPECT_EQ(ear.numbers, std::vector<uint32_t>{1});
    EXPECT_EQ(log.Count(2, "ConnectionManager: message from host 0 dropped: over 4096 bytes"), 1u);
}

// A client suspended past its link's bound knows at its first service after that it was let go
// and for how long, however much of the server's traffic waited in its socket.
TEST_F(ConnectionTransport, AStoppedClientKnowsAtItsFirstServiceThatItWasLetGoAndForHowLong)
{
    OnServer([&] { ConnectionBounds::SetLinkTimeout(server, 1000); });
    ConnectionManager stopped;
    ConnectionBounds::SetLinkTimeout(stopped, 1000);
    ASSERT_TRUE(stopped.Connect("127.0.0.1", server.GetListenPort()));
    talking = 50;
    std::this_thread::sleep_for(std::chrono::milliseconds(2000));
    ASSERT_TRUE(ServerUntil([&] { return departures == std::vector<std::string>{"lost 1"}; }));
    stopped.Service();
    EXPECT_FALSE(stopped.IsConnected());
    EXPECT_EQ(stopped.GetFarewell(), Farewell::NoAnswer);
    const std::string text = stopped.GetFarewellText();
    ASSERT_EQ(text.rfind("no answer for ", 0), 0u) << text;
    EXPECT_GE(std::stoi(text.substr(14)), 2) << text;
}

} // namespace
} // namespace GAME::Test
