#include "core/DialogManager.h"

#include "engine/LocalizationManager.h"
#include "tests/support/EngineFixture.h"

namespace GAME::Test {
namespace {

using Party = DialogManager::InterestedParty;

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
    const DialogManager::Dialog& top = dialogs.PeekTopDialog();
    EXPECT_EQ(top.text, L"A");
    EXPECT_EQ(top.party, DialogManager::PartyBanPlayer);
    EXPECT_TRUE(top.option1 && !top.option2 && top.option3);
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
    EXPECT_EQ(dialogs.GetNumResponsesFor(party(5)), 2u);

    DialogManager::YesNoResponse first = dialogs.GetResponseFor(party(5));
    EXPECT_EQ(first.party, 5);
    EXPECT_TRUE(first.answer);

    DialogManager::YesNoResponse none = dialogs.GetResponseFor(party(3));
    EXPECT_EQ(none.party, 0);
    EXPECT_FALSE(none.answer);
    EXPECT_EQ(dialogs.GetNumResponsesFor(party(4)), 1u);
    EXPECT_EQ(dialogs.GetNumResponsesFor(party(5)), 1u);

    EXPECT_FALSE(dialogs.GetResponseFor(party(4)).answer);
    EXPECT_FALSE(dialogs.GetResponseFor(party(5)).answer);
    EXPECT_EQ(dialogs.GetNumResponsesFor(party(5)), 0u);
}

class DialogManagerTextTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        texts.Clear();
        texts.AddText("SimpleStringFormat", L"<%s>");
        texts.AddText("tagQuestionBan", L"Ban %s?");
    }
    void TearDown() override
    {
        texts.Clear();
        EngineFixture::TearDown();
    }

    LocalizationManager& texts = LocalizationManager::Instance();
};

TEST_F(DialogManagerTextTest, TagDialogsAreFormattedWithThePlayerNameOrAlone)
{
    DialogManager dialogs;
    dialogs.AddDialog(DialogManager::DialogQuestion, false, DialogManager::PartyFixedItemTeleport,
                      std::string("tagPortalDialog"), true, 0, true);
    EXPECT_EQ(dialogs.PeekTopDialog().text, L"<tagPortalDialog>");
    dialogs.RemoveTopDialog();

    // Without a name source the name is empty.
    dialogs.AddDialog(DialogManager::DialogQuestion, false, DialogManager::PartyBanPlayer,
                      std::string("tagQuestionBan"), true, 7, true);
    EXPECT_EQ(dialogs.PeekTopDialog().text, L"Ban ?");
    dialogs.RemoveTopDialog();

    dialogs.SetPlayerNameSource(
        [](uint32_t id) { return id == 7 ? std::wstring(L"Ann") : std::wstring(); });
    dialogs.AddDialog(DialogManager::DialogQuestion, false, DialogManager::PartyBanPlayer,
                      std::string("tagQuestionBan"), true, 7, true);
    EXPECT_EQ(dialogs.PeekTopDialog().text, L"Ban Ann?");
}

} // namespace
} // namespace GAME::Test
