#include "characters/AmbientCharacter.h"

#include "ai/ControllerStooge.h"
#include "characters/TeamManager.h"
#include "engine/CharacterAction.h"
#include "engine/ObjectManager.h"
#include "multiplayer/CharacterActionPackets.h"
#include "tests/characters/CharacterHelpers.h"
#include "tests/support/RecordSkill.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace GAME {

// Keeps every action for the test instead of running it.
class HoldingStooge : public ControllerStooge {
    GAME_DECLARE_CLASS(HoldingStooge)

public:
    CharacterActionPermission CheckAction(CharacterActionType) override
    {
        return CharacterActionPermission_AskController;
    }
};

GAME_IMPLEMENT_CLASS(HoldingStooge, ControllerStooge);

namespace Test {
namespace {

constexpr const char* kCritter = "Records/Creatures/Ambient/Crab.dbr";

class AmbientCharacterTest : public StartedFixture {
protected:
    void SetUp() override
    {
        StartedFixture::SetUp();
        database.WriteRecord("Records/Skills/Pinch.dbr", {RecordSkill::kClassLine});
        database.WriteRecord("Records/Skills/Scuttle.dbr", {RecordSkill::kClassLine});
    }

    AmbientCharacter* Make(std::initializer_list<std::string> lines)
    {
        database.WriteRecord(kCritter, lines);
        return Must(ObjectManager::Instance().CreateObjectFromFile<AmbientCharacter>(kCritter));
    }

    const char* ControllerClass(uint32_t id) const
    {
        const Object* controller = ObjectManager::Instance().GetObject(id);
        return controller != nullptr ? controller->GetClassInfo()->GetName() : "";
    }
};

TEST_F(AmbientCharacterTest, AStoogeGetsItsControllerAtTheFirstUpdateAndTheMonsterTeam)
{
    AmbientCharacter* crab =
        Make({"Class = AmbientCharacter", "controllerType = Stooge",
              "skillName14 = Records/Skills/Scuttle.dbr", "skillName15 = Records/Skills/Pinch.dbr",
              "skill1 = Records/Skills/Pinch.dbr"});
    EXPECT_STREQ(ControllerClass(crab->GetPendingControllerId()), "ControllerStooge");
    ASSERT_NE(crab->GetSkillId1(), 0u);

    const uint32_t pending = crab->GetPendingControllerId();
    crab->InitialUpdate();
    EXPECT_EQ(crab->GetControllerId(), pending);
    EXPECT_EQ(Must(ObjectManager::Instance().GetObject<ControllerStooge>(pending))->GetParentId(),
              crab->GetObjectId());
    EXPECT_EQ(crab->GetTeam().ToRaw(), TeamManager::DefaultMonsterTeam().ToRaw());
}

TEST_F(AmbientCharacterTest, OtherCapitalsOrNoTypeGiveNoControllerButAControllingManager)
{
    for (const char* type : {"controllerType = stooge", "controllerType = Critter", "#"}) {
        AmbientCharacter* crab = Make({"Class = AmbientCharacter", type});
        EXPECT_EQ(crab->GetPendingControllerId(), 0u) << type;
        EXPECT_NE(crab->GetSkillManager().GetSkillServices(), nullptr) << type;
        EXPECT_EQ(crab->GetSkillId1(), 0u) << type;
    }
}

TEST_F(AmbientCharacterTest, ANeverAttachedControllerGoesWithTheCharacter)
{
    AmbientCharacter* crab = Make({"Class = AmbientCharacter", "controllerType = Stooge"});
    const uint32_t pending = crab->GetPendingControllerId();
    ASSERT_NE(ObjectManager::Instance().GetObject(pending), nullptr);
    ObjectManager::Instance().DestroyObjectEx(crab, "test", __LINE__);
    ObjectManager::Instance().ProcessDestroyedObjects();
    EXPECT_EQ(ObjectManager::Instance().GetObject(pending), nullptr);
    bool namedSource = false;
    for (const auto& record : ObjectManager::Instance().GetDestroyHistory())
        namedSource |= record.objectId == pending && record.file == "Project/Game/AmbientCharacter";
    EXPECT_TRUE(namedSource);
}

TEST_F(AmbientCharacterTest, BeingAttackedCastsTheFirstSkillOnItselfWhoeverAttacked)
{
    AmbientCharacter* crab =
        Make({"Class = AmbientCharacter", "skillName1 = Records/Skills/Scuttle.dbr",
              "skillName2 = Records/Skills/Pinch.dbr", "skill1 = Records/Skills/Pinch.dbr"});
    auto* stooge = GiveController<HoldingStooge>(*crab);

    crab->UnderAttack(12345);
    std::unique_ptr<CharacterAction> action(stooge->GetQueuedAction());
    ASSERT_NE(action, nullptr);
    std::unique_ptr<NetPacket> packet = action->GetNetPacket();
    auto* attack = Must(dynamic_cast<AttackPacket*>(packet.get()));
    EXPECT_EQ(attack->defenderId, crab->GetObjectId());
    EXPECT_EQ(attack->skillNumber,
              crab->GetSkillManager().GetSkillReferenceNumber(crab->GetSkillId1()));
}

} // namespace
} // namespace Test
} // namespace GAME
