#include "world/Prop.h"

#include "characters/Character.h"
#include "engine/GraphicsAnim.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "engine/WorldVec3.h"
#include "items/Item.h"
#include "skills/Skill.h"
#include "skills/SkillManager.h"
#include "tests/support/CombatWorldFixture.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

class CarriedProp : public CombatGameFixture {
protected:
    void SetUp() override
    {
        CombatGameFixture::SetUp();
        database.WriteRecord("Records/Sounds/Torch.dbr", {"Class = SoundPak"});
        database.WriteRecord(
            "Records/Props/Torch.dbr",
            {"Class = Prop", "propAnimation = Torch_Burn.anm", "propAnimationSpeed = 1.5",
             "animationSound = Records/Sounds/Torch.dbr", "propAttachPoint = R Hand"});
        owner = static_cast<Character*>(ObjectManager::Instance().CreateObject("Character"));
    }

    Item* Equip(const char* className, EquipLocations location)
    {
        Object* object = ObjectManager::Instance().CreateObject(className);
        owner->GetCombatManager().GetEquipManager().AttachItemAction(object->GetObjectId(),
                                                                     location);
        return static_cast<Item*>(object);
    }

    Character* owner = nullptr;
};

TEST_F(CarriedProp, AttachPlaysItsLoopAndSoundAtItsPoint)
{
    Prop* torch = ObjectManager::Instance().CreateObjectFromFile<Prop>("Records/Props/Torch.dbr");
    torch->AttachProp(*owner);
    EXPECT_EQ(torch->GetAttachPointName(), "R Hand");
    const AnimationChannel* channel = torch->GetAnimationChannel(0);
    ASSERT_TRUE(channel != nullptr && channel->animation != nullptr);
    EXPECT_TRUE(channel->keepPlaying);
    EXPECT_EQ(torch->GetSound()->GetPlayRequests().size(), 1u);
    torch->DetachProp(*owner);
    EXPECT_EQ(torch->GetAttachParent(), nullptr);
}

TEST_F(CarriedProp, APropWithoutAttachPointLeavesUnseenItemsUnseen)
{
    database.WriteRecord("Records/Props/Bare.dbr", {"Class = Prop"});
    Item* ring = Equip("Item", EquipLocations_Finger);
    ASSERT_FALSE(ring->GetVisibility());
    Prop* bare = ObjectManager::Instance().CreateObjectFromFile<Prop>("Records/Props/Bare.dbr");
    owner->AddEquipmentProp(bare);
    owner->RemoveEquipmentProp(bare->GetObjectId());
    EXPECT_FALSE(ring->GetVisibility());
}

TEST_F(CarriedProp, SkillAnimationEventsCarryTheSkillsPropOverTheWeapon)
{
    database.WriteRecord("Records/Skills/Torchlight.dbr",
                         {"Class = SkillActivated", "propName1 = Records/Props/Torch.dbr"});
    SkillManager& skills = owner->GetSkillManager();
    skills.LoadSkills(Record("skillName1 = Records/Skills/Torchlight.dbr\nskillLevel1 = 1\n"), 1);
    Skill* skill = skills.GetSkill(skills.FindSkillId("Records/Skills/Torchlight.dbr"));
    Prop* torch = skill->GetProp1();
    Item* sword = Equip("WeaponMelee_Sword", EquipLocations_RightHand);
    Item* shield = Equip("WeaponArmor_Shield", EquipLocations_LeftHand);
    auto event = [&](const char* name) {
        EXPECT_FALSE(skills.HandleSkillAnimationCallback(Name::Create(name), 0, 0, WorldVec3()));
    };

    event("SkillPropAdd");
    event("SkillProp2Add"); // the skill has no second prop
    EXPECT_EQ(torch->GetAttachParent(), owner);
    EXPECT_FALSE(sword->GetVisibility());
    EXPECT_TRUE(shield->GetVisibility());
    event("SkillProp1Hide");
    EXPECT_FALSE(torch->GetVisibility());
    event("SkillProp1Remove");
    EXPECT_TRUE(torch->GetVisibility());
    EXPECT_TRUE(sword->GetVisibility());

    // Cancelling takes it off too; a second removal finds nothing recorded.
    event("SkillProp1Add");
    skills.CancelSkillAction(0);
    EXPECT_EQ(torch->GetAttachParent(), nullptr);
    EXPECT_TRUE(sword->GetVisibility());
    sword->SetVisibility(false);
    event("SkillPropRemove");
    EXPECT_FALSE(sword->GetVisibility());
}

} // namespace
} // namespace GAME::Test
