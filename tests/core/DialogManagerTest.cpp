#include "core/DialogManager.h"

#include "engine/LocalizationManager.h"
#include "tests/support/EngineFixture.h"

namespace GAME::Test {
namespace {

using Party = DialogManager::InterestedParty;

TEST(DialogManager, DialogsAreShownInTheOrderQueued)
{
    DialogManager dialogs;
    EXPECT_EQ(dialogs.GetNumDialog(), 0u);
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
    EXPECT_EQ(top.type, DialogManager::DialogQuestion);
    EXPECT_TRUE(top.option1);
    EXPECT_FALSE(top.option2);
    EXPECT_TRUE(top.option3);

    dialogs.RemoveTopDialog();
    EXPECT_EQ(dialogs.GetNumDialog(), 1u);
    EXPECT_EQ(dialogs.PeekTopDialog().text, L"B");
    EXPECT_EQ(dialogs.PeekTopDialog().party, DialogManager::PartyNotice);
}

TEST(DialogManager, ResponsesAreTakenOldestFirstPerParty)
{
    DialogManager dialogs;
    dialogs.AddResponse({static_cast<Party>(5), true});
    dialogs.AddResponse({static_cast<Party>(4), false});
    dialogs.AddResponse({static_cast<Party>(5), false});
    EXPECT_EQ(dialogs.GetNumResponsesFor(static_cast<Party>(5)), 2u);

    DialogManager::YesNoResponse first = dialogs.GetResponseFor(static_cast<Party>(5));
    EXPECT_EQ(first.party, 5);
    EXPECT_TRUE(first.answer);
    EXPECT_EQ(dialogs.GetNumResponsesFor(static_cast<Party>(5)), 1u);
    EXPECT_EQ(dialogs.GetNumResponsesFor(static_cast<Party>(4)), 1u);

    DialogManager::YesNoResponse none = dialogs.GetResponseFor(static_cast<Party>(3));
    EXPECT_EQ(none.party, 0);
    EXPECT_FALSE(none.answer);
    EXPECT_EQ(dialogs.GetNumResponsesFor(static_cast<Party>(4)), 1u);
    EXPECT_EQ(dialogs.GetNumResponsesFor(static_cast<Party>(5)), 1u);

    EXPECT_FALSE(dialogs.GetResponseFor(static_cast<Party>(4)).answer);
    DialogManager::YesNoResponse last = dialogs.GetResponseFor(static_cast<Party>(5));
    EXPECT_EQ(last.party, 5);
    EXPECT_FALSE(last.answer);
    EXPECT_EQ(dialogs.GetNumResponsesFor(static_cast<Party>(5)), 0u);
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
    EXPECT_EQ(dialogs.PeekTopDialog().party, DialogManager::PartyFixedItemTeleport);
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
