#include "engine/ConnectionAdmission.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME {
namespace {

using Act = ConnectionAdmission::Act;
using Farewell = ConnectionAdmission::Farewell;
constexpr uint32_t kHello = ConnectionAdmission::kHello;

// A decision as a line, so that a sequence of them compares at once.
std::string Said(const ConnectionAdmission::Decision& decision)
{
    static const char* const kActs[] = {"keep", "admit", "refuse", "forget", "lose", "let go"};
    char word[16];
    snprintf(word, sizeof word, "%#x", decision.word);
    return std::string(kActs[int(decision.act)]) + " " + std::to_string(decision.host) + " " + word;
}

TEST(ConnectionAdmission, ClientsTakeTheLowestFreeIndexAndOthersAreRefusedWithoutOne)
{
    ConnectionAdmission door;
    door.SetClientLimit(2);
    std::vector<std::string> said;
    said.push_back(Said(door.Connected(3, kHello, 0)));
    said.push_back(Said(door.Connected(7, 0x1234, 0)));
    said.push_back(Said(door.Connected(8, kHello, 0)));
    said.push_back(Said(door.Connected(9, kHello, 0)));
    door.Gone(1, 0);
    said.push_back(Said(door.Connected(10, kHello, 0)));
    door.SetUnderWay(true);
    door.Gone(2, 0);
    said.push_back(Said(door.Connected(11, kHello, 0)));
    // A refused peer's slot taken again before it is tended is a new peer.
    said.push_back(Said(door.Connected(11, kHello, 0)));
    EXPECT_EQ(said,
              (std::vector<std::string>{"admit 1 0", "refuse 0 0", "admit 2 0", "refuse 0 0x20203",
                                        "admit 1 0", "refuse 0 0x4", "refuse 0 0x4"}));
    EXPECT_EQ(door.HostMask(), 1u << 1);
    EXPECT_EQ(door.SlotOf(1), 10u);
    EXPECT_EQ(door.HostOf(3), 0);
    const ConnectionAdmission::Counts& counts = door.GetCounts();
    EXPECT_EQ(counts.noHello, 1u);
    EXPECT_EQ(counts.full, 1u);
    EXPECT_EQ(counts.underWay, 2u);
    EXPECT_EQ(counts.Refused(), 4u);
}

// Silence for the link's bound lets any slot go; a peer still heard from goes on to the bound
// of what it came for: a stranger's handshake, a client's welcome and its join. A player stays
// for as long as it is heard.
TEST(ConnectionAdmission, SilenceOrTheBoundOfWhatItCameForLetsGoAndAPlayerStays)
{
    ConnectionAdmission door;
    std::vector<std::string> said;
    const auto tend = [&](size_t slot, bool heard, uint32_t silent, uint64_t at) {
        said.push_back(Said(door.Tend(slot, true, heard, silent, at)));
    };
    tend(0, false, 0, 1000);
    tend(0, false, 14999, 60999);
    tend(0, false, 0, 61000);
    tend(5, false, 0, 1000);
    tend(5, false, 15000, 16000);
    said.push_back(Said(door.Connected(1, kHello, 0)));
    tend(1, false, 14999, 59999);
    tend(1, false, 15000, 59999);
    said.push_back(Said(door.Connected(2, kHello, 0)));
    tend(2, true, 0, 100);
    tend(2, false, 14999, 119999);
    tend(2, false, 0, 120000);
    // Its goodbye has the handshake's time to be answered, or the link's silence.
    tend(2, false, 14999, 150000);
    tend(2, false, 15000, 150001);
    said.push_back(Said(door.Connected(3, kHello, 0)));
    door.Playing(1);
    tend(3, false, 14999, 1000000);
    EXPECT_EQ(said, (std::vector<std::string>{
                        "keep 0 0", "keep 0 0", "forget 0 0", "keep 0 0", "forget 0 0", "admit 1 0",
                        "keep 0 0", "lose 1 0", "admit 1 0", "keep 0 0", "keep 0 0",
                        "let go 1 0x7807", "keep 0 0", "forget 0 0", "admit 1 0", "keep 0 0"}));
    EXPECT_TRUE(door.HasPlayed(1));
    EXPECT_EQ(door.GetCounts().unfinished, 3u);
    EXPECT_EQ(door.GetCounts().noPlayer, 1u);
    EXPECT_EQ(Said(door.Tend(3, true, false, 15000, 1000001)), "lose 1 0");
    // A player's slot that ENet let go without a word is a client lost.
    ASSERT_EQ(Said(door.Connected(6, kHello, 0)), "admit 1 0");
    door.Playing(1);
    EXPECT_EQ(Said(door.Tend(6, false, false, 0, 100001)), "lose 1 0");
    EXPECT_EQ(door.HostMask(), 0u);
    // The handshake's time runs from its first datagram, not from ENet's part done.
    said.clear();
    tend(4, false, 0, 1000);
    said.push_back(Said(door.Connected(4, kHello, 4000)));
    tend(4, false, 0, 60999);
    tend(4, false, 0, 61000);
    EXPECT_EQ(said, (std::vector<std::string>{"keep 0 0", "admit 1 0", "keep 0 0", "lose 1 0"}));
}

// What the server's wait for its clients asks: a client is on its way from its welcome until it
// brings its player or goes; a stranger holds no index and is on no one's way.
TEST(ConnectionAdmission, AClientIsJoiningFromItsWelcomeUntilItPlaysOrGoes)
{
    ConnectionAdmission door;
    std::vector<bool> joining{door.IsAnyJoining()};
    door.Tend(0, true, false, 0, 0);
    joining.push_back(door.IsAnyJoining());
    ASSERT_EQ(Said(door.Connected(1, kHello, 0)), "admit 1 0");
    joining.push_back(door.IsAnyJoining());
    door.Tend(1, true, true, 0, 100);
    joining.push_back(door.IsAnyJoining());
    door.Playing(1);
    joining.push_back(door.IsAnyJoining());
    ASSERT_EQ(Said(door.Connected(2, kHello, 0)), "admit 2 0");
    joining.push_back(door.IsAnyJoining());
    ASSERT_EQ(Said(door.Tend(2, true, false, 15000, 200)), "lose 2 0");
    joining.push_back(door.IsAnyJoining());
    EXPECT_EQ(joining, (std::vector<bool>{false, false, true, true, false, true, false}));
}

// A welcomed client that has said nothing for a while gives its place to one that comes while
// the server is full and gathering; one that spoke, or brought its player, keeps it.
TEST(ConnectionAdmission, AnIdlePlaceGoesToAClientThatComes)
{
    ConnectionAdmission door;
    door.SetClientLimit(2);
    std::vector<std::string> said{Said(door.Connected(0, kHello, 0)),
                                  Said(door.Connected(1, kHello, 1000)),
                                  Said(door.Connected(2, kHello, 4999))};
    door.Spoke(1);
    const ConnectionAdmission::Decision took = door.Connected(3, kHello, 7000);
    said.push_back(Said(took));
    EXPECT_EQ(took.gave, 2);
    EXPECT_EQ(took.gaveSlot, 1u);
    door.Playing(2);
    said.push_back(Said(door.Connected(4, kHello, 60000)));
    door.SetUnderWay(true);
    said.push_back(Said(door.Connected(5, kHello, 60000)));
    EXPECT_EQ(said,
              (std::vector<std::string>{"admit 1 0", "admit 2 0", "refuse 0 0x20203",
                                        "admit 2 0x20203", "refuse 0 0x20203", "refuse 0 0x4"}));
    EXPECT_EQ(door.SlotOf(2), 3u);
    EXPECT_EQ(door.GetCounts().noPlayer, 1u);
    EXPECT_EQ(door.GetCounts().full, 2u);
}

TEST(ConnectionAdmission, ACrowdLetsTheOldestPeersWithoutAnIndexGoFirst)
{
    ConnectionAdmission door;
    ASSERT_EQ(door.Connected(0, kHello, 0).act, Act::Admit);
    for (size_t slot = 0; slot < ConnectionAdmission::kSlots; ++slot)
        door.Tend(slot, true, false, 0, 1000 + slot);
    std::vector<size_t> oldest;
    for (size_t slot = 1; slot <= ConnectionAdmission::kSlots / 8; ++slot)
        oldest.push_back(slot);
    EXPECT_EQ(door.Crowd(), oldest);
    EXPECT_TRUE(door.Crowd().empty());
    EXPECT_EQ(door.GetCounts().unfinished, oldest.size());
    EXPECT_EQ(door.HostOf(0), 1);
}

TEST(ConnectionAdmission, RefusalsAreLoggedAsACountAtMostOnceASecond)
{
    ConnectionAdmission door;
    door.SetClientLimit(1);
    door.Connected(0, kHello, 0);
    door.Connected(1, kHello, 0);
    std::vector<std::string> lines{door.TakeCountLine(0, false)};
    door.Connected(2, 7, 500);
    door.SetUnderWay(true);
    door.Gone(1, 500);
    door.Connected(3, kHello, 500);
    door.Tend(4, true, false, 0, 500);
    door.Tend(4, true, false, 0, 60500);
    lines.push_back(door.TakeCountLine(999, false));
    lines.push_back(door.TakeCountLine(1000, false));
    lines.push_back(door.TakeCountLine(1001, true));
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "1 peers refused (1 full), 1 in all", "",
                         "3 peers refused (1 without a hello, 1 under way, 1 with the handshake "
                         "unfinished), 4 in all",
                         ""}));
}

TEST(ConnectionAdmission, EveryGoodbyeWordReadsAsAFarewellOfItsOwn)
{
    const struct {
        uint32_t word;
        bool timedOut;
        const char* text;
    } rows[] = {
        {0, false, "the server said goodbye"},
        {0, true, "no answer for 20 s"},
        {ConnectionAdmission::Word(Farewell::Full, 2, 3), false,
         "the server is full: 2 of 3 clients"},
        {ConnectionAdmission::Word(Farewell::NoPlayer, 10), true, "no player within 10 s"},
        {ConnectionAdmission::Word(Farewell::UnderWay), false, "the session is under way"},
        {ConnectionAdmission::Word(Farewell::SessionEnded), false, "the session ended"},
        {0x050500u | uint32_t(Farewell::Dropped), false, "dropped by the server"},
        {0x0300u, false, "the server said goodbye"},
        {0xffu, false, "the server said goodbye"},
        // What no server says is a plain goodbye: numbers past a byte's worth of sense, and
        // a client's own finding.
        {ConnectionAdmission::Word(Farewell::NoAnswer, 255), false, "the server said goodbye"},
        {ConnectionAdmission::Word(Farewell::Full, 255, 255), false, "the server said goodbye"},
        {ConnectionAdmission::Word(Farewell::Full, 3, 2), false, "the server said goodbye"},
        {ConnectionAdmission::Word(Farewell::Full, 15, 15), false,
         "the server is full: 15 of 15 clients"},
        {ConnectionAdmission::Word(Farewell::NoPlayer, 0), false, "the server said goodbye"},
        {ConnectionAdmission::Word(Farewell::NoPlayer, 121), false, "the server said goodbye"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.word);
        EXPECT_EQ(ConnectionAdmission::Text(ConnectionAdmission::Read(row.word, row.timedOut, 20)),
                  row.text);
    }
    EXPECT_EQ(ConnectionAdmission::Text({}), "");
}

} // namespace
} // namespace GAME
