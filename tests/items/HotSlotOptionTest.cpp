#include "items/HotSlotOption.h"

#include "ai/ControllerPlayer.h"
#include "characters/Player.h"
#include "engine/ABBox.h"
#include "engine/Coords.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "items/PlayerHotSlotCtrl.h"
#include "skills/Skill.h"
#include "skills/SkillManager.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/Records.h"
#include "tests/support/TrimMust.h"

#include <gtest/gtest.h>

#include <memory>

namespace GAME::Test {

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

constexpr uint32_t kRegion = 1;
constexpr const char* kSelf = "Records/Skills/Self.dbr";
constexpr const char* kHero = "Records/Creatures/Hero.dbr";

class HotSlotOptionTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        database.WriteRecord(kSelf, {"Class = HotSlotSelfSkill"});
        database.WriteRecord(kHero,
                             {"Class = Player", "characterLife = 300", "characterMana = 100"});
        database.WriteRecord(Player::kPlayerControllerRecord, {"Class = ControllerPlayer"});
        database.WriteRecord(Player::kStubControllerRecord, {"Class = ControllerCombat"});
        Start();
        previousWorld = gEngine->SetWorld(std::make_unique<World>());
        gEngine->GetWorld()->CreateRegion(kRegion, {0, 0, 0}, ABBox({-20, -10, -20}, {20, 10, 20}));
        player = Must(ObjectManager::Instance().CreateObjectFromFile<Player>(kHero));
        Game().GetPlayerManagerClient()->SetMainPlayer(player->GetObjectId());
        gEngine->GetWorld()->AddEntity(
            player, WorldCoords{kRegion, Coords::FromTranslation(Vec3(1, 0, 2))}, false);
        player->InitialUpdate();
        player->GetCharacterBio().Update(*player, 0);
        player->SetIsControllingCharacter(true);
        ASSERT_NE(player->GetControllerPlayer(), nullptr);
        player->GetControllerPlayer()->Update(33);
        player->GetSkillManager().LoadSkills(Record("skillName1 = Records/Skills/Self.dbr\n"
                                                    "skillLevel1 = 1\n"),
                                             1);
        self = player->GetSkillManager().FindSkillId(kSelf);
    }
    void TearDown() override
    {
        ObjectManager::Instance().DestroyAllObjects();
        gEngine->SetWorld(std::move(previousWorld));
        GameEngineFixture::TearDown();
    }

    std::unique_ptr<World> previousWorld;
    Player* player = nullptr;
    uint32_t self = 0;
};

TEST_F(HotSlotOptionTest, AUseAtOnceSkillFiresAtOnceWithAHalfSecondHighlight)
{
    ASSERT_NE(self, 0u);
    HotSlotOptionSkill option(self);
    option.SetPlayer(player);
    PlayerHotSlotCtrl& slots = player->GetPlayerHotSlotCtrl();
    slots.SetHotSlot(4, &option);
    slots.ActivateHotSlot(4);
    EXPECT_EQ(slots.GetActiveTimer(), 500);
    EXPECT_FALSE(slots.IsAnyActiveTargetingNeeded());
    // Highlighted, not waiting: nothing is armed for the next click.
    EXPECT_FALSE(slots.IsAnySlotActive());
    EXPECT_TRUE(slots.IsHotSlotActive(4));
    EXPECT_STREQ(player->GetControllerPlayer()->GetExecutingStateName(), "UseSkill");
    slots.Update(499);
    EXPECT_TRUE(slots.IsHotSlotActive(4));
    slots.Update(1);
    EXPECT_EQ(slots.GetActiveTimer(), 0);
    EXPECT_FALSE(slots.IsHotSlotActive(4));
}

} // namespace
} // namespace GAME::Test
