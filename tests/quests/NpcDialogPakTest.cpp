#include "quests/NpcDialogPak.h"

#include "engine/VoidCallbackFunctor.h"
#include "quests/Dialog.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace GAME {
namespace {

constexpr const char* kElder = "Records/Dialog/Elder.dbr";

class NpcDialogPakTalk : public Test::EngineFixture {
protected:
    std::unique_ptr<NpcDialogPak> Elder(int irritationRoundTrips)
    {
        database.WriteRecord(
            kElder, {"defaultDialogTextTag = tagVillageElderGreeting", "dialogTextTag1 = tagA",
                     "dialogTextTag2 = tagB", "dialogTextTag3 = tagC", "dialogTextTag5 = tagNever",
                     "irritationDialogTextTag = tagVillageElderIrritated",
                     "irritationRoundTrips = " + std::to_string(irritationRoundTrips)});
        std::srand(59);
        return std::unique_ptr<NpcDialogPak>(NpcDialogPak::Spawn(kElder));
    }
    // One talk to the end: the tag said, or empty when the pack said nothing.
    std::string Talk(NpcDialogPak& pak)
    {
        pak.Speak(&callback);
        const Dialog* line = static_cast<const Dialog*>(pak.GetCurrentDialog());
        const std::string tag = line != nullptr ? line->GetTextTag() : "";
        pak.Update(Dialog::kSilentTime);
        return tag;
    }

    int completions = 0;
    VoidCallbackFunctor callback{[this](int value) { completions += value == 0 ? 1 : 100; }};
};

TEST_F(NpcDialogPakTalk, ElderGreetsSaysEachLineOncePerRoundThenStaysIrritated)
{
    auto pak = Elder(2);
    ASSERT_NE(pak, nullptr);
    EXPECT_EQ(Talk(*pak), "tagVillageElderGreeting");
    for (int round = 1; round <= 2; ++round) {
        SCOPED_TRACE(round);
        std::multiset<std::string> said;
        for (int talk = 0; talk < 3; ++talk)
            said.insert(Talk(*pak));
        EXPECT_EQ(said, (std::multiset<std::string>{"tagA", "tagB", "tagC"}));
        EXPECT_FALSE(pak->IsIrritated());
    }
    for (int talk = 8; talk <= 11; ++talk) {
        EXPECT_EQ(Talk(*pak), "tagVillageElderIrritated") << "talk " << talk;
        EXPECT_TRUE(pak->IsIrritated());
    }
    EXPECT_EQ(completions, 11);

    pak->ResetRoundTrips();
    EXPECT_FALSE(pak->IsIrritated());
    const std::set<std::string> lines{"tagA", "tagB", "tagC"};
    EXPECT_EQ(lines.count(Talk(*pak)), 1u);
}

TEST_F(NpcDialogPakTalk, WithoutRoundTripsTheIrritationLineNeverComes)
{
    auto pak = Elder(-1);
    ASSERT_NE(pak, nullptr);
    for (int talk = 1; talk <= 30; ++talk) {
        const std::string tag = Talk(*pak);
        EXPECT_NE(tag, "tagVillageElderIrritated") << "talk " << talk;
        EXPECT_NE(tag, "tagNever");
    }
    EXPECT_FALSE(pak->IsIrritated());
}

TEST_F(NpcDialogPakTalk, LinesFallBackToWhatThePackHas)
{
    // Without other lines the irritation line answers, with or without a greeting first.
    const std::vector<std::pair<const char*, std::vector<std::string>>> rows = {
        {"defaultDialogTextTag = tagHi\nirritationDialogTextTag = tagGo\n",
         {"tagHi", "tagGo", "tagGo"}},
        {"irritationDialogTextTag = tagGo\n", {"tagGo", "tagGo"}},
    };
    for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i].first);
        const std::string path = "Records/Dialog/Row" + std::to_string(i) + ".dbr";
        database.WriteFile(path, rows[i].first);
        std::unique_ptr<NpcDialogPak> pak(NpcDialogPak::Spawn(path));
        ASSERT_NE(pak, nullptr);
        for (const std::string& expected : rows[i].second)
            EXPECT_EQ(Talk(*pak), expected);
    }
    std::unique_ptr<NpcDialogPak> empty(NpcDialogPak::Spawn());
    EXPECT_EQ(Talk(*empty), "");
}

TEST_F(NpcDialogPakTalk, ACompletionThatSpeaksAgainKeepsTheRunningCallbackAlive)
{
    auto pak = Elder(2);
    int lines = 0;
    VoidCallbackFunctor again;
    again = VoidCallbackFunctor([&](int) {
        if (++lines < 5)
            pak->Speak(&again);
    });
    pak->Speak(&again);
    for (int frame = 0; frame < 10; ++frame)
        pak->Update(Dialog::kSilentTime);
    EXPECT_EQ(lines, 5);
    EXPECT_EQ(pak->GetCurrentDialog(), nullptr);
}

} // namespace
} // namespace GAME
