#include "items/PlayerHotSlotCtrl.h"

#include "ai/ControllerPlayer.h"
#include "characters/Player.h"
#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"
#include "engine/ObjectManager.h"
#include "items/HotSlotOption.h"
#include "skills/Skill.h"
#include "skills/SkillManager.h"
#include "tests/items/BagFixture.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/Must.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {

class HotSlotSkill : public Skill {
    GAME_DECLARE_CLASS(HotSlotSkill)

public:
    uint32_t GetCurrentLevel() const override { return GetSkillLevel(); }
    void CollectPassiveCharAttributes(CharAttributeAccumulator&) const override {}
    int32_t GetReason() const override { return reasonAnswer; }
    void UseAtOnce() { SetSkillType(SkillType_UseAtOnce); }

    int32_t reasonAnswer = 0;
};

GAME_IMPLEMENT_CLASS(HotSlotSkill, Skill);

namespace {

class PlayerHotSlotCtrlTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        for (const char* name : {"Records/Skills/Fire.dbr", "Records/Skills/Ice.dbr",
                                 "Records/Skills/Default/DefaultWeaponAttack.dbr"})
            database.WriteRecord(name, {"Class = HotSlotSkill"});
        player = static_cast<Player*>(ObjectManager::Instance().CreateObject("Player"));
        SkillManager& skills = player->GetSkillManager();
        skills.LoadSkills(Record("skillName1 = Records/Skills/Fire.dbr\nskillLevel1 = 2\n"
                                 "skillName2 = Records/Skills/Ice.dbr\nskillLevel2 = 1\n"),
                          2);
        defaultId = skills.LoadDefaultSkills();
        fire = skills.FindSkillId("Records/Skills/Fire.dbr");
        ice = skills.FindSkillId("Records/Skills/Ice.dbr");
        ctrl.SetPlayer(player);
    }

    HotSlotOptionSkill Skill(uint32_t id) const
    {
        HotSlotOptionSkill option(id);
        option.SetPlayer(player);
        return option;
    }
    HotSlotOptionPotion Potion(int32_t kind) const
    {
        HotSlotOptionPotion option(kind);
        option.SetPlayer(player);
        return option;
    }
    void Forget(uint32_t id) { player->GetSkillManager().GetSkill(id)->SetSkillLevel(0); }

    Player* player = nullptr;
    uint32_t defaultId = 0;
    uint32_t fire = 0;
    uint32_t ice = 0;
    PlayerHotSlotCtrl ctrl;
};

TEST_F(PlayerHotSlotCtrlTest, EqualOptionsShareOneObjectAndClearingOneKeepsTheOther)
{
    const HotSlotOptionSkill option = Skill(fire);
    ctrl.SetHotSlot(0, &option);
    ctrl.SetHotSlot(3, &option);
    ASSERT_NE(ctrl.GetHotSlotOption(0), nullptr);
    EXPECT_EQ(ctrl.GetHotSlotOption(0), ctrl.GetHotSlotOption(3));

    const HotSlotOptionSkill other = Skill(ice);
    ctrl.SetHotSlot(4, &other);
    EXPECT_NE(ctrl.GetHotSlotOption(4), ctrl.GetHotSlotOption(3));

    ctrl.SetHotSlot(0, nullptr);
    ASSERT_NE(ctrl.GetHotSlotOption(3), nullptr);
    EXPECT_EQ(ctrl.GetHotSlotOption(3)->GetSkillId(), fire);
    // Overwriting the last holder frees the shared object (the sanitizer watches).
    ctrl.SetHotSlot(3, &other);
    EXPECT_EQ(ctrl.GetHotSlotOption(3), ctrl.GetHotSlotOption(4));

    ctrl.SetHotSlot(PlayerHotSlotCtrl::kNumSlots, &option);
    EXPECT_EQ(ctrl.GetHotSlotOption(PlayerHotSlotCtrl::kNumSlots), nullptr);
}

TEST_F(PlayerHotSlotCtrlTest, ValidationEvery250MsDropsInvalidSkillsAndRefillsSlotsTenAndEleven)
{
    const HotSlotOptionSkill option = Skill(fire);
    for (uint32_t index : {2u, 10u, 12u})
        ctrl.SetHotSlot(index, &option);
    Forget(fire);
    ctrl.Update(16); // the first pass is due at once
    EXPECT_EQ(ctrl.GetHotSlotOption(2), nullptr);
    EXPECT_EQ(ctrl.GetHotSlotOption(12), nullptr);
    for (uint32_t index : {10u, 11u}) {
        ASSERT_NE(ctrl.GetHotSlotOption(index), nullptr);
        EXPECT_EQ(ctrl.GetHotSlotOption(index)->GetSkillId(), defaultId);
    }

    const HotSlotOptionSkill iceOption = Skill(ice);
    ctrl.SetHotSlot(1, &iceOption);
    Forget(ice);
    ctrl.Update(200);
    ctrl.Update(49);
    EXPECT_NE(ctrl.GetHotSlotOption(1), nullptr);
    ctrl.Update(1);
    EXPECT_EQ(ctrl.GetHotSlotOption(1), nullptr);

    // A skill option of no skill and every potion option stay.
    const HotSlotOptionSkill none = Skill(0);
    const HotSlotOptionPotion potion = Potion(HotSlotOptionPotion::Potion_None);
    ctrl.SetHotSlot(5, &none);
    ctrl.SetHotSlot(6, &potion);
    ctrl.Update(250);
    EXPECT_NE(ctrl.GetHotSlotOption(5), nullptr);
    EXPECT_NE(ctrl.GetHotSlotOption(6), nullptr);
}

TEST_F(PlayerHotSlotCtrlTest, AnOptionWaitingForUseStaysActiveUntilTakenOrDeactivated)
{
    const HotSlotOptionSkill option = Skill(fire);
    ctrl.SetHotSlot(3, &option);
    ctrl.SetHotSlot(7, &option);
    ctrl.ActivateHotSlot(3);
    EXPECT_TRUE(ctrl.IsHotSlotActive(7)) << "the shared option is active in both";
    EXPECT_FALSE(ctrl.IsHotSlotActive(0));
    EXPECT_EQ(ctrl.GetActiveSlotOption(true), ctrl.GetHotSlotOption(3));
    EXPECT_FALSE(ctrl.IsAnySlotActive());
    EXPECT_FALSE(ctrl.DeactivateActiveSlot());

    ctrl.ActivateHotSlot(7);
    EXPECT_TRUE(ctrl.DeactivateActiveSlot());
    EXPECT_FALSE(ctrl.IsAnySlotActive());

    // Nothing active: the configuration's own mouse option answers; a potion never waits.
    ctrl.SetPrimarySlot(&option);
    EXPECT_EQ(ctrl.GetActiveSlotOption(true), ctrl.GetHotSlotOption(10));
    const HotSlotOptionPotion mana = Potion(HotSlotOptionPotion::Potion_Mana);
    ctrl.SetSecondarySlot(&mana);
    ctrl.ActivateSecondarySlot();
    EXPECT_FALSE(ctrl.IsAnySlotActive());
    ctrl.ActivatePrimarySlot();
    EXPECT_TRUE(ctrl.IsPrimarySlotActive());
    // Changing any slot drops the waiting option.
    ctrl.SetHotSlot(0, nullptr);
    EXPECT_FALSE(ctrl.IsAnySlotActive());
}

TEST_F(PlayerHotSlotCtrlTest, DefaultsFillTheMouseSlotsAndThePotionSlots)
{
    const HotSlotOptionSkill option = Skill(fire);
    ctrl.SetHotSlot(11, &option);
    ctrl.SetToDefaults();
    EXPECT_EQ(ctrl.GetHotSlotOption(10)->GetSkillId(), defaultId);
    EXPECT_EQ(ctrl.GetHotSlotOption(11)->GetSkillId(), fire);
    const auto* health = Must(dynamic_cast<HotSlotOptionPotion*>(ctrl.GetHotSlotOption(8)));
    const auto* mana = Must(dynamic_cast<HotSlotOptionPotion*>(ctrl.GetHotSlotOption(9)));
    EXPECT_EQ(health->GetKind(), HotSlotOptionPotion::Potion_Health);
    EXPECT_EQ(mana->GetKind(), HotSlotOptionPotion::Potion_Mana);
    // Without a hub there is no main player to judge by.
    EXPECT_TRUE(ctrl.IsInDefaultState());
}

TEST_F(PlayerHotSlotCtrlTest, TheSlotsRoundTripThroughTheSaveStream)
{
    const HotSlotOptionSkill option = Skill(ice);
    const HotSlotOptionPotion mana = Potion(HotSlotOptionPotion::Potion_Mana);
    ctrl.SetHotSlot(0, &option);
    ctrl.SetHotSlot(13, &option);
    ctrl.SetHotSlot(9, &mana);
    IOStreamWrite out;
    ctrl.StreamProperties(&out);

    PlayerHotSlotCtrl restored;
    restored.SetPlayer(player);
    const HotSlotOptionSkill stale = Skill(fire);
    restored.SetHotSlot(4, &stale);
    IOStreamRead in(out.GetBytes());
    restored.StreamProperties(&in);
    ASSERT_FALSE(in.HasFailed());
    for (uint32_t i = 0; i < PlayerHotSlotCtrl::kNumSlots; ++i) {
        const bool filled = i == 0 || i == 9 || i == 13;
        EXPECT_EQ(restored.GetHotSlotOption(i) != nullptr, filled) << i;
    }
    EXPECT_EQ(restored.GetHotSlotOption(13)->GetSkillId(), ice);
    EXPECT_EQ(static_cast<HotSlotOptionPotion*>(restored.GetHotSlotOption(9))->GetKind(),
              HotSlotOptionPotion::Potion_Mana);
}

TEST_F(PlayerHotSlotCtrlTest, UnknownTypesAndKindsReadAsEmptyOrNone)
{
    IOStreamWrite out;
    out.BeginBlock();
    int32_t type = 7;
    out.StreamInt("storedType", type);
    type = 1;
    out.StreamInt("storedType", type);
    int32_t kind = 5;
    out.StreamInt("storedDefaultType", kind);
    for (uint32_t i = 2; i < PlayerHotSlotCtrl::kNumSlots; ++i) {
        type = -1;
        out.StreamInt("storedType", type);
    }
    out.EndBlock();
    IOStreamRead in(out.GetBytes());
    ctrl.StreamProperties(&in);
    EXPECT_FALSE(in.HasFailed());
    EXPECT_EQ(ctrl.GetHotSlotOption(0), nullptr);
    ASSERT_NE(ctrl.GetHotSlotOption(1), nullptr);
    EXPECT_EQ(static_cast<HotSlotOptionPotion*>(ctrl.GetHotSlotOption(1))->GetKind(),
              HotSlotOptionPotion::Potion_None);

    // A cut stream leaves the rest of the slots empty.
    std::vector<uint8_t> bytes = out.GetBytes();
    bytes.resize(bytes.size() / 2);
    PlayerHotSlotCtrl cut;
    cut.SetPlayer(player);
    IOStreamRead truncated(bytes);
    cut.StreamProperties(&truncated);
    EXPECT_TRUE(truncated.HasFailed());
    for (uint32_t i = 2; i < PlayerHotSlotCtrl::kNumSlots; ++i)
        EXPECT_EQ(cut.GetHotSlotOption(i), nullptr);
}

TEST_F(PlayerHotSlotCtrlTest, AnOptionDroppedBackOntoItsOwnSlotStaysThere)
{
    const HotSlotOptionSkill option = Skill(fire);
    ctrl.SetHotSlot(3, &option);
    // The slot's own object comes back: it must be copied before the slot lets it go.
    ctrl.SetHotSlot(3, ctrl.GetHotSlotOption(3));
    ASSERT_NE(ctrl.GetHotSlotOption(3), nullptr);
    EXPECT_EQ(ctrl.GetHotSlotOption(3)->GetSkillId(), fire);

    ctrl.SetHotSlot(7, &option);
    ctrl.SetHotSlot(7, ctrl.GetHotSlotOption(3));
    ctrl.SetHotSlot(3, nullptr);
    ASSERT_NE(ctrl.GetHotSlotOption(7), nullptr);
    EXPECT_EQ(ctrl.GetHotSlotOption(7)->GetSkillId(), fire);
}

TEST_F(PlayerHotSlotCtrlTest, AUseAtOnceSkillWithoutAControllerNeitherFiresNorWaits)
{
    static_cast<HotSlotSkill*>(player->GetSkillManager().GetSkill(ice))->UseAtOnce();
    HotSlotOptionSkill option = Skill(ice);
    bool targeting = true;
    bool activated = true;
    option.Activate(targeting, activated);
    EXPECT_FALSE(targeting);
    EXPECT_FALSE(activated);

    HotSlotOptionSkill aimed = Skill(fire);
    aimed.Activate(targeting, activated);
    EXPECT_TRUE(targeting);
    EXPECT_FALSE(activated);
}

TEST_F(PlayerHotSlotCtrlTest, DefaultPotionDataIsCutTo127CharactersAndOnlyKnownKindsHaveIt)
{
    const std::string longName(300, 'u');
    HotSlotOptionPotion::SetDefaultPotionData(HotSlotOptionPotion::Potion_Mana, longName.c_str(),
                                              "ManaDown.tex", L"Mana Potion");
    HotSlotOptionPotion::SetDefaultPotionData(5, "Wrong.tex", "Wrong.tex", L"Wrong");
    const HotSlotOptionPotion mana = Potion(HotSlotOptionPotion::Potion_Mana);
    EXPECT_EQ(mana.GetBitmapNameUp(), std::string(127, 'u'));
    for (int32_t kind : {-1, 2, 5})
        EXPECT_TRUE(Potion(kind).GetBitmapNameUp().empty()) << kind;
}

} // namespace

// A skill used on the spot, as self buffs are.
class HotSlotSelfSkill : public Skill {
    GAME_DECLARE_CLASS(HotSlotSelfSkill)

public:
    HotSlotSelfSkill() { SetSkillType(SkillType_UseAtOnce); }
    uint32_t GetCurrentLevel() const override { return GetSkillLevel(); }
    void CollectPassiveCharAttributes(CharAttributeAccumulator&) const override {}
};

GAME_IMPLEMENT_CLASS(HotSlotSelfSkill, Skill);

namespace {

using HotSlotOptionTest = BagFixture;

TEST_F(HotSlotOptionTest, AUseAtOnceSkillFiresAtOnceAndArmsNothing)
{
    database.WriteRecord("Records/Skills/Self.dbr", {"Class = HotSlotSelfSkill"});
    Player* player = NewHero();
    gGameEngine->GetPlayerManagerClient()->SetMainPlayer(player->GetObjectId());
    SkillManager& skills = player->GetSkillManager();
    skills.LoadSkills(Record("skillName1 = Records/Skills/Self.dbr\nskillLevel1 = 1\n"), 1);
    HotSlotOptionSkill option(skills.FindSkillId("Records/Skills/Self.dbr"));
    ASSERT_NE(option.GetSkillId(), 0u);
    option.SetPlayer(player);
    PlayerHotSlotCtrl& slots = player->GetPlayerHotSlotCtrl();
    slots.SetHotSlot(4, &option);
    slots.ActivateHotSlot(4);
    EXPECT_FALSE(slots.IsAnyActiveTargetingNeeded());
    EXPECT_FALSE(slots.IsAnySlotActive());
    EXPECT_STREQ(player->GetControllerPlayer()->GetExecutingStateName(), "UseSkill");
}

} // namespace
} // namespace GAME::Test
