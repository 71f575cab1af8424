#include "core/DialogManager.h"

#include <gtest/gtest.h>

#include <utility>

namespace GAME::Test {
namespace {

using Party = DialogManager::InterestedParty;

std::pair<int, bool> Answer(const DialogManager::YesNoResponse& response)
{
    return {response.party, response.answer};
}

TEST(DialogManager, DialogsAreShownInTheOrderQueued)
{
    DialogManager dialogs;
    // Peeking at an empty queue gives a blank dialog rather than a stray read.
    EXPECT_EQ(dialogs.PeekTopDialog().text, L"");
    dialogs.RemoveTopDialog();

    dialogs.AddDialog(DialogManager::DialogQuestion, true, DialogManager::PartyBanPlayer, L"A",
                      false, true);
    dialogs.AddDialog(DialogManager::DialogNotice, false, DialogManager::PartyNotice, L"B", true,
                      false);
    ASSERT_EQ(dialogs.GetNumDialog(), 2u);
    EXPECT_EQ(dialogs.PeekTopDialog().text, L"A");
    dialogs.RemoveTopDialog();
    EXPECT_EQ(dialogs.PeekTopDialog().text, L"B");
}

TEST(DialogManager, ResponsesAreTakenOldestFirstPerParty)
{
    const auto party = [](int number) { return static_cast<Party>(number); };
    DialogManager dialogs;
    dialogs.AddResponse({party(5), true});
    dialogs.AddResponse({party(4), false});
    dialogs.AddResponse({party(5), false});

    EXPECT_EQ(Answer(dialogs.GetResponseFor(party(5))), std::pair(5, true));
    EXPECT_EQ(Answer(dialogs.GetResponseFor(party(3))), std::pair(0, false)) << "none";

    EXPECT_EQ(Answer(dialogs.GetResponseFor(party(4))), std::pair(4, false));
    EXPECT_EQ(Answer(dialogs.GetResponseFor(party(5))), std::pair(5, false));
    EXPECT_EQ(dialogs.GetNumResponsesFor(party(5)), 0u);
}

} // namespace
} // namespace GAME::Test
