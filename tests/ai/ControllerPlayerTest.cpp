#include "ai/ControllerPlayer.h"

#include "ai/ControllerPlayerStateMoveTo.h"
#include "ai/ControllerPlayerStateUseSkill.h"
#include "characters/CharacterConfigCommands.h"
#include "characters/Monster.h"
#include "characters/Npc.h"
#include "core/RTTI_ClassInfo.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "game/ActivityManager.h"
#include "items/HotSlotOption.h"
#include "items/Item.h"
#include "items/PlayerHotSlotCtrl.h"
#include "skills/Skill.h"
#include "skills/SkillManager.h"
#include "tests/ai/AiWorldFixture.h"
#include "tests/support/AiScopedWorld.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/LogCapture.h"
#include "tests/support/MadeObjects.h"
#include "tests/support/RecordingPlayers.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace GAME {

// A melee skill that keeps the target it is given.
class ControllerPlayerTestSkill : public Skill {
    GAME_DECLARE_CLASS(ControllerPlayerTestSkill)

public:
    bool GetValidTarget(const Character& /*owner*/, uint32_t& /*target*/,
                        const WorldVec3& /*point*/, bool /*aroundSelf*/, float /*radius*/) override
    {
        return true;
    }
    bool GetWarmUpWasActive() const override { return warmingUp; }
    void SetRepeatable(bool value) { repeatable = value; }
    using Skill::SetReason;
    bool warmingUp = false;
};

GAME_IMPLEMENT_CLASS(ControllerPlayerTestSkill, Skill);

// Counts as lying in the world while its coordinates never got a region.
class ControllerPlayerTestLostItem : public Item {
    GAME_DECLARE_CLASS(ControllerPlayerTestLostItem)

public:
    bool IsInWorld() const override { return true; }
};

GAME_IMPLEMENT_CLASS(ControllerPlayerTestLostItem, Item);

namespace Test {
namespace {

class ControllerPlayerTest : public GameEngineFixture {
protected:
    void SetUp() override { Build({}); }

    void Build(std::initializer_list<std::string> settings, const char* defaultSkillClass = nullptr)
    {
        GameEngineFixture::SetUp();
        if (defaultSkillClass != nullptr)
            database.WriteRecord("Records/Skills/Default/DefaultWeaponAttack.dbr",
                                 {std::string("Class = ") + defaultSkillClass});
        Start(settings);
        World& world = *scopedWorld.emplace(100.0f);
        ObjectManager& objects = ObjectManager::Instance();
        // A run animation lets the character walk.
        database.WriteRecord("Records/Creatures/PC/Tester.dbr",
                             {"Class = CommandLogPlayer", "unarmedRunAnim = Run"});
        player = objects.CreateObjectFromFile<CommandLogPlayer>("Records/Creatures/PC/Tester.dbr");
        Game().GetPlayerManagerClient()->SetMainPlayer(player->GetObjectId());
        world.AddEntity(player, WorldCoords(1, Coords::Identity()), false);
        player->InitialUpdate();
        controller = GiveController<ControllerPlayer>(*player);
        controller->InitialUpdate();
    }

    static WorldVec3 At(float x, float z) { return WorldVec3(1, Vec3(x, 0, z)); }
    std::string State() const
    {
        const char* name = controller->GetExecutingStateName();
        return name != nullptr ? name : "";
    }
    bool Click(const WorldVec3& point, uint32_t target = 0, bool repeat = false)
    {
        return controller->HandleActionFromMouse(true, false, false, repeat, point, target);
    }
    template <class T>
    T* Place(const char* record, const char* className, float x, const char* extra = "")
    {
        database.WriteRecord(record, {std::string("Class = ") + className, extra});
        T* made = ObjectManager::Instance().CreateObjectFromFile<T>(record);
        gEngine->GetWorld()->AddEntity(made, WorldCoords(1, Coords::FromTranslation(Vec3(x, 0, 0))),
                                       false);
        return made;
    }

    CommandLogPlayer* player = nullptr;
    ControllerPlayer* controller = nullptr;
    std::optional<AiScopedWorld> scopedWorld;
};

TEST_F(ControllerPlayerTest, AHeldTargetThatDiedOrVanishedOrATeleportEndsTheRepeat)
{
    Monster* enemy = Place<Monster>("Records/Creatures/Foe.dbr", "Monster", 4.0f);
    controller->SetMouseRepeat(enemy->GetObjectId(), At(4, 0));
    enemy->SetLifeState(LifeState_Dead);
    uint32_t target = 0;
    controller->HandleActionFromMouse(true, false, false, true, At(4, 0), target);
    EXPECT_EQ(controller->GetRepeatTarget(), 0u);

    // An id that names nothing any more: the same, where it used to act on a stale id.
    controller->SetMouseRepeat(123456, At(4, 0));
    target = 5;
    EXPECT_FALSE(controller->HandleActionFromMouse(true, false, false, true, At(4, 0), target));
    EXPECT_EQ(target, 0u);

    controller->SetMouseRepeat(7, At(1, 1));
    player->SetTeleporting(true);
    target = 9;
    EXPECT_FALSE(controller->HandleActionFromMouse(true, false, false, true, At(5, 0), target));
    EXPECT_EQ(controller->GetRepeatTarget(), 0u);
}

TEST_F(ControllerPlayerTest, GroundClicksCloserThanTheLeastMoveDoNothing)
{
    EXPECT_TRUE(Click(At(1.59f, 0)));
    EXPECT_EQ(State(), "LongIdle");
    EXPECT_TRUE(Click(At(5, 0)));
    EXPECT_EQ(State(), "MoveTo");
    EXPECT_EQ(controller->GetCurrentPointOfInterest(), At(5, 0));
}

TEST_F(ControllerPlayerTest, WalkingOrdersWithinThreeDegreesWaitForTheEndOfThePath)
{
    ASSERT_TRUE(Click(At(20, 0)));
    auto* moveTo = static_cast<ControllerPlayerStateMoveTo*>(controller->GetState("MoveTo"));
    EXPECT_EQ(moveTo->GetHeading(), Vec3(1, 0, 0));
    const float rad2 = 2.0f * 3.14159265f / 180.0f;
    const WorldVec3 twoOff = At(20 * std::cos(rad2), 20 * std::sin(rad2));
    Click(twoOff);
    EXPECT_EQ(moveTo->GetNextDestination(), twoOff);
    EXPECT_EQ(controller->GetCurrentPointOfInterest(), At(20, 0));

    const float rad4 = 4.0f * 3.14159265f / 180.0f;
    const WorldVec3 fourOff = At(20 * std::cos(rad4), 20 * std::sin(rad4));
    Click(fourOff);
    EXPECT_EQ(controller->GetCurrentPointOfInterest(), fourOff);

    // A heading over no horizontal distance is zero.
    EXPECT_EQ(
        ControllerPlayerStateMoveTo::HorizontalDirection(At(2, 3), WorldVec3(1, Vec3(2, 5, 3))),
        Vec3());
}

TEST_F(ControllerPlayerTest, NpcClicksTalkWithinThreeElseWalkThere)
{
    // Both extents 0.5: talking reaches 4.0.
    Npc* npc = Place<Npc>("Records/Creatures/Npc/Near.dbr", "Npc", 4.0f);
    EXPECT_FALSE(Click(At(4, 0), npc->GetObjectId()));
    EXPECT_EQ(State(), "TalkToNpc");

    controller->SetState("Idle", ControllerAIStateData());
    Npc* far = Place<Npc>("Records/Creatures/Npc/Far.dbr", "Npc", 4.1f);
    EXPECT_FALSE(Click(At(4.1f, 1), far->GetObjectId()));
    EXPECT_EQ(State(), "MoveToNpc");
    EXPECT_EQ(controller->GetCurrentAlly(), far->GetObjectId());
}

TEST_F(ControllerPlayerTest, ItemsWithinBothExtentsAndOneArePickedUpAndOnesWithoutARegionLogged)
{
    Item* item = Place<Item>("Records/Items/Coin.dbr", "Item", 1.8f);
    item->SetMeshBoundingBox(ABBox(Vec3(-0.3f, 0, 0), Vec3(0.3f, 0, 0)));
    EXPECT_FALSE(Click(At(1.8f, 0), item->GetObjectId()));
    EXPECT_EQ(State(), "PickupItem");
    EXPECT_EQ(controller->GetCurrentAlly(), item->GetObjectId());

    auto* lost =
        static_cast<Item*>(ObjectManager::Instance().CreateObject("ControllerPlayerTestLostItem"));
    LogCapture log;
    Click(WorldVec3(), lost->GetObjectId());
    EXPECT_EQ(log.Count(Engine::LogData, "Player tried to pick up item when item and mouse "
                                         "position had no valid region"),
              1u);
}

TEST_F(ControllerPlayerTest, ConditionsBlockOrdersButNotItemUse)
{
    const uint32_t self = player->GetObjectId();
    for (const auto& [condition, begin] : {std::pair{"Stunned", &ControllerPlayer::BeginStun},
                                           {"Trapped", &ControllerPlayer::BeginTrap},
                                           {"Immobilized", &ControllerPlayer::BeginImmobilize}}) {
        controller->SetState("Idle", ControllerAIStateData());
        (controller->*begin)();
        Click(At(6, 0));
        EXPECT_EQ(State(), condition);
        controller->BeginStun();
        EXPECT_EQ(State(), condition);
        player->sent.clear();
        EXPECT_TRUE(controller->UseItem(77, true));
        EXPECT_TRUE(controller->ReleasePet(78));
        EXPECT_TRUE(controller->UseRelic(79, 80));
        EXPECT_EQ(player->sent, (std::vector<uint32_t>{TypeOf<UseItemConfigCmd>(self, 77u, true),
                                                       TypeOf<ReleasePetConfigCmd>(self, 78u),
                                                       TypeOf<UseRelicConfigCmd>(self, 79u, 80u)}));
    }
    // Only the matching end leaves; leaving releases the trap.
    controller->EndStun();
    EXPECT_EQ(State(), "Immobilized");
    controller->SetState("Trapped", ControllerAIStateData());
    player->sent.clear();
    controller->EndTrap();
    EXPECT_EQ(State(), "Idle");
    EXPECT_EQ(player->sent, std::vector<uint32_t>{TypeOf<ReleaseTrapConfigCmd>(self)});
}

TEST_F(ControllerPlayerTest, DeadIgnoresOrdersUntilRespawnMe)
{
    controller->SetState("Dead", ControllerAIStateData());
    EXPECT_FALSE(controller->UseItem(77, true));
    Click(At(6, 0));
    controller->BeginStun();
    EXPECT_EQ(State(), "Dead");
    controller->RespawnMe();
    EXPECT_EQ(State(), "Respawning");
}

TEST_F(ControllerPlayerTest, DeathUpdateWaitsForTheRespawnActivity)
{
    player->SetLifeState(LifeState_Dead);
    controller->CharacterIsDead();
    controller->DeathUpdate(100);
    const uint32_t activity = controller->GetRespawnActivity();
    EXPECT_NE(activity, 0u);
    controller->DeathUpdate(100);
    EXPECT_EQ(controller->GetRespawnActivity(), activity);

    // A missing activity does not wait.
    ActivityManager::Destroy();
    controller->DeathUpdate(100);
    EXPECT_EQ(controller->GetRespawnActivity(), 0u);
    EXPECT_EQ(State(), "Respawning");
}

TEST_F(ControllerPlayerTest, APetAttacksAHostileMonsterMovesElseAndAnOrderOnItselfKeepsIt)
{
    uint32_t target = 42;
    controller->SetPet(42);
    EXPECT_FALSE(controller->HandlePetAction(*player, false, false, At(1, 1), target));
    EXPECT_EQ(controller->GetPet(), 42u);
    // Not a monster serving this player: refused, and the selection is spent.
    target = 0;
    EXPECT_FALSE(controller->HandlePetAction(*player, false, false, At(1, 1), target));
    EXPECT_EQ(controller->GetPet(), 0u);

    // A hostile monster is attacked; anything else is a move.
    const uint32_t self = player->GetObjectId();
    Monster* pet = Place<Monster>("Records/Creatures/Pet.dbr", "Monster", 1.0f);
    pet->SetLeader(self);
    const uint32_t petId = pet->GetObjectId();
    auto* hostile = Place<Monster>("Records/Creatures/Hostile.dbr", "Monster", 5.0f,
                                   "defaultTeamMajor = TeamMajor_Monster");
    auto* tame = Place<Monster>("Records/Creatures/Tame.dbr", "Monster", 6.0f,
                                "defaultTeamMajor = TeamMajor_Friendly");
    const WorldVec3 point = At(3, 3);
    for (uint32_t clicked : {hostile->GetObjectId(), tame->GetObjectId(), 0u}) {
        controller->SetPet(petId);
        player->sent.clear();
        target = clicked;
        EXPECT_TRUE(controller->HandlePetAction(*player, false, false, point, target));
        EXPECT_EQ(controller->GetPet(), 0u);
        const uint32_t expected = clicked == hostile->GetObjectId()
                                      ? TypeOf<RequestAllyAttackConfigCmd>(petId, self, clicked)
                                      : TypeOf<RequestAllyMoveConfigCmd>(petId, self, point);
        EXPECT_EQ(player->sent, std::vector<uint32_t>{expected}) << clicked;
    }
}

TEST_F(ControllerPlayerTest, AHugeDeathDelaySaturates)
{
    database.WriteRecord("Records/Controllers/Player/Slow.dbr",
                         {"Class = ControllerPlayer", "controllerDeathDelay = 1e12"});
    auto* slow = ObjectManager::Instance().CreateObjectFromFile<ControllerPlayer>(
        "Records/Controllers/Player/Slow.dbr");
    EXPECT_EQ(slow->GetDeathDelay(), INT32_MAX);
}

// Own extent 0.5, the foe's 0.5 and a melee range of 1.0: a target distance of 2.0.
class ControllerPlayerSkillTest : public ControllerPlayerTest {
protected:
    void SetUp() override
    {
        Build({"meleeRange = 1.0"}, "ControllerPlayerTestSkill");
        skillId = player->GetSkillManager().GetDefaultSkillId();
        skill =
            static_cast<ControllerPlayerTestSkill*>(player->GetSkillManager().GetSkill(skillId));
    }
    bool Use(uint32_t target, bool flagA = false)
    {
        return controller->SendSkillAction(*player, flagA, false, skillId, At(0, 0), target);
    }

    uint32_t skillId = 0;
    ControllerPlayerTestSkill* skill = nullptr;
};

TEST_F(ControllerPlayerSkillTest, InReachWhenTargetDistanceAndToleranceExceedTheDistance)
{
    Monster* near = Place<Monster>("Records/Creatures/Near.dbr", "Monster", 2.4f);
    EXPECT_TRUE(Use(near->GetObjectId()));
    EXPECT_EQ(State(), "UseSkill");
    EXPECT_EQ(controller->GetRepeatTarget(), near->GetObjectId());

    controller->SetState("Idle", ControllerAIStateData());
    Monster* far = Place<Monster>("Records/Creatures/Far.dbr", "Monster", 2.6f);
    const WorldVec3 clicked = At(2.6f, 0);
    uint32_t target = far->GetObjectId();
    EXPECT_TRUE(controller->SendSkillAction(*player, false, false, skillId, clicked, target));
    EXPECT_EQ(State(), "MoveToUseSkill");
    EXPECT_EQ(controller->GetTargetPoint(), clicked);

    controller->SetState("Idle", ControllerAIStateData());
    EXPECT_TRUE(Use(far->GetObjectId(), true));
    EXPECT_EQ(State(), "UseSkill");
}

TEST_F(ControllerPlayerSkillTest, RepeatsWithin200MsOrOfANonRepeatableSkillChangeNothing)
{
    Monster* foe = Place<Monster>("Records/Creatures/Near.dbr", "Monster", 2.0f);
    const uint32_t foeId = foe->GetObjectId();
    ASSERT_TRUE(Use(foeId));
    auto* useSkill = static_cast<ControllerPlayerStateUseSkill*>(controller->GetState("UseSkill"));
    useSkill->OnUpdate(50);
    // A held button: the order repeats on the held target.
    Click(At(30, 0), 0, true);
    ASSERT_TRUE(controller->IsCommandRepeated());
    EXPECT_TRUE(Use(foeId));
    EXPECT_EQ(useSkill->GetRepeatDelay(), 150);
    EXPECT_EQ(State(), "UseSkill");

    useSkill->OnUpdate(150);
    skill->SetRepeatable(false);
    EXPECT_TRUE(Use(foeId));
    EXPECT_EQ(useSkill->GetRepeatDelay(), 0);

    skill->SetRepeatable(true);
    EXPECT_TRUE(Use(foeId));
    EXPECT_EQ(useSkill->GetRepeatDelay(), 200);
}

TEST_F(ControllerPlayerSkillTest, APrimarySkillRefusedForManaFallsBackToTheDefault)
{
    database.WriteRecord("Records/Skills/Primary.dbr", {"Class = ControllerPlayerTestSkill"});
    player->GetSkillManager().LoadSkills(
        Record("skillName1 = Records/Skills/Primary.dbr\nskillLevel1 = 1\n"), 1);
    const uint32_t primaryId = player->GetSkillManager().FindSkillId("Records/Skills/Primary.dbr");
    auto* primary =
        static_cast<ControllerPlayerTestSkill*>(player->GetSkillManager().GetSkill(primaryId));
    primary->SetReason(Skill::UseQuery_NotEnoughMana);
    const HotSlotOptionSkill option(primaryId);
    player->GetPlayerHotSlotCtrl().SetPrimarySlot(&option);

    Monster* foe = Place<Monster>("Records/Creatures/Near.dbr", "Monster", 2.0f);
    EXPECT_FALSE(Click(At(2, 0), foe->GetObjectId()));
    EXPECT_EQ(State(), "UseSkill");
    EXPECT_EQ(controller->GetCurrentSkillID(), skillId);

    // Both refused: the order becomes a move.
    controller->SetState("Idle", ControllerAIStateData());
    skill->SetReason(Skill::UseQuery_CoolingDown);
    Monster* far = Place<Monster>("Records/Creatures/Far.dbr", "Monster", 6.0f);
    EXPECT_TRUE(Click(At(6, 0), far->GetObjectId()));
    EXPECT_EQ(State(), "MoveTo");
}

TEST_F(ControllerPlayerSkillTest, AWarmingUpSkillSwallowsRequests)
{
    Monster* foe = Place<Monster>("Records/Creatures/Near.dbr", "Monster", 2.0f);
    Monster* other = Place<Monster>("Records/Creatures/Far.dbr", "Monster", -2.0f);
    ASSERT_TRUE(Use(foe->GetObjectId()));
    skill->warmingUp = true;
    EXPECT_TRUE(Use(other->GetObjectId()));
    EXPECT_EQ(controller->GetCurrentEnemy(), foe->GetObjectId());
    skill->warmingUp = false;
    EXPECT_TRUE(Use(other->GetObjectId()));
    EXPECT_EQ(controller->GetCurrentEnemy(), other->GetObjectId());
}

TEST_F(ControllerPlayerSkillTest, ATrappedPlayerUsesASkillInReachAndIsTrappedAgain)
{
    const uint32_t self = player->GetObjectId();
    Monster* foe = Place<Monster>("Records/Creatures/Near.dbr", "Monster", 2.4f);
    Monster* far = Place<Monster>("Records/Creatures/Far.dbr", "Monster", 2.6f);
    controller->SetState("Idle", ControllerAIStateData());
    controller->BeginTrap();
    EXPECT_FALSE(Use(far->GetObjectId()));
    EXPECT_TRUE(Use(foe->GetObjectId()));
    EXPECT_EQ(State(), "UseSkillWhileTrapped");
    controller->HandleEvent(Name::Create("End"));
    EXPECT_EQ(State(), "Trapped");
    controller->SetState(
        "UseSkillWhileTrapped",
        ControllerAIStateData(foe->GetObjectId(), foe->GetObjectId(), skillId, At(2.4f, 0)));
    player->sent.clear();
    controller->EndTrap();
    EXPECT_EQ(State(), "Idle");
    EXPECT_EQ(player->sent, std::vector<uint32_t>{TypeOf<ReleaseTrapConfigCmd>(self)});
}

// The weapon attack aims at the combat enemy, and without one at the first foe near the click.
class ControllerPlayerWeaponTest : public ControllerPlayerTest {
protected:
    void SetUp() override
    {
        Build({"meleeRange = 1.0"}, "Skill_WeaponPool_Default");
        skillId = player->GetSkillManager().GetDefaultSkillId();
        ASSERT_NE(player->GetSkillManager().GetSkill(skillId), nullptr);
        option = std::make_unique<HotSlotOptionSkill>(skillId);
        player->GetPlayerHotSlotCtrl().SetPrimarySlot(option.get());
    }
    Monster* Foe(float x)
    {
        auto* foe = Place<Monster>("Records/Creatures/Hostile.dbr", "Monster", x,
                                   "defaultTeamMajor = TeamMajor_Monster");
        foe->InitialUpdate();
        return foe;
    }
    // Clicks the foe, holds the button on it and kills it.
    void KillWithAHeldButton(Monster& foe, float x)
    {
        ASSERT_FALSE(Click(At(x, 0), foe.GetObjectId()));
        ASSERT_EQ(State(), "UseSkill");
        ASSERT_EQ(controller->GetCurrentEnemy(), foe.GetObjectId());
        Click(At(x, 0), 0, true);
        ASSERT_EQ(controller->GetCombatEnemy(), foe.GetObjectId());
        foe.SetLifeState(LifeState_Dead);
        uint32_t target = 0;
        EXPECT_FALSE(controller->HandleActionFromMouse(true, false, false, true, At(x, 0), target));
        controller->SetState("Idle", ControllerAIStateData());
    }

    uint32_t skillId = 0;
    std::unique_ptr<HotSlotOptionSkill> option;
};

TEST_F(ControllerPlayerWeaponTest, AfterAKillTheNextFoeIsAttackedNotWalkedTo)
{
    Monster* first = Foe(2.0f);
    Monster* second = Foe(-6.0f);
    KillWithAHeldButton(*first, 2.0f);
    // The corpse still stands: the click on the next foe used to swing at it.
    EXPECT_FALSE(Click(At(-6, 0), second->GetObjectId()));
    EXPECT_EQ(State(), "MoveToUseSkill");
    EXPECT_EQ(controller->GetCurrentEnemy(), second->GetObjectId());
}

TEST_F(ControllerPlayerWeaponTest, AfterTheBodyIsGoneTheNextFoeInReachIsHit)
{
    Monster* first = Foe(2.0f);
    Monster* second = Foe(-2.0f);
    KillWithAHeldButton(*first, 2.0f);
    gEngine->GetWorld()->RemoveEntity(first);
    ObjectManager::Instance().DestroyObjectEx(first, "test", __LINE__);
    // A vanished combat enemy used to refuse both skills: a plain walk.
    EXPECT_FALSE(Click(At(-2, 0), second->GetObjectId()));
    EXPECT_EQ(State(), "UseSkill");
    EXPECT_EQ(controller->GetCurrentEnemy(), second->GetObjectId());
}

} // namespace
} // namespace Test
} // namespace GAME
