#include "characters/Character.h"

#include "characters/AnimationHandle.h"
#include "characters/AnimationSet.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "engine/GraphicsEngine.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "items/EquipLocations.h"
#include "tests/characters/CharacterHelpers.h"
#include "tests/support/GameEngineFixture.h"

#include <initializer_list>

#include <gtest/gtest.h>

#include <string>

namespace GAME::Test {
namespace {

// Allocates its sets again on demand, as a character whose loot arrives after loading does.
template <class Base> class Reallocating : public Base {
public:
    using Base::AllocateAnimSets;
};

// Each test ends with every animation its characters loaded given back.
class CharacterAnimationTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        graphics.Reset();
        loadedBefore = graphics.GetLoadedAnimationCount();
        Start();
    }
    void TearDown() override
    {
        GameEngineFixture::TearDown();
        EXPECT_EQ(graphics.GetLoadedAnimationCount(), loadedBefore) << "an animation was kept";
        graphics.Reset();
    }

    // Made from its record like a level's character, holding `weapon` (none when empty) in
    // `location` when its record is read.
    template <class T>
    T* Make(const std::string& path, std::initializer_list<std::string> lines,
            const char* weapon = nullptr, EquipLocations location = EquipLocations_LeftHand)
    {
        return Place<T>(database, path, lines, [&](T& character) {
            if (weapon != nullptr)
                Hold(character, weapon, location);
        });
    }

    static uint32_t Hold(Character& character, const char* weapon, EquipLocations location)
    {
        Object* item = ObjectManager::Instance().CreateObject(weapon);
        character.GetCombatManager().AttachItemAction(item->GetObjectId(), location);
        return item->GetObjectId();
    }

    AnimationSet* SetOf(Character& character, EquipManager_HandState handState)
    {
        character.SetAnimation(handState);
        return character.GetAnimationSet();
    }

    GraphicsEngine& graphics = GraphicsEngine::Instance();
    size_t loadedBefore = 0;
};

TEST_F(CharacterAnimationTest, AMonsterHoldingABowGetsOnlyTheBowSet)
{
    auto* monster = Make<Monster>("Records/Creatures/Archer.dbr",
                                  {"bowAttackAnim1 = BowShot", "bowDieAnim1 = BowDie",
                                   "unarmedRunAnim = UnarmedRun", "deathAnimBlendTime = 400"},
                                  "WeaponHunting_Bow");
    AnimationSet* bow = Must(monster->GetAnimationSet());
    EXPECT_TRUE(monster->CanPlayAnimation(AnimationSet_Attack));
    EXPECT_FALSE(monster->CanPlayAnimation(AnimationSet_Run));
    EXPECT_EQ(graphics.GetLoadCount("BowShot"), 1);
    EXPECT_EQ(graphics.GetLoadCount("UnarmedRun"), 0) << "no unarmed set to fill";
    for (int32_t handState : {0, 1, 2, 4, 5, 9})
        EXPECT_EQ(SetOf(*monster, static_cast<EquipManager_HandState>(handState)), bow)
            << handState;
}

TEST_F(CharacterAnimationTest, APlayerHasSixSetsStartsUnarmedAndSwitchesByHandState)
{
    auto* player =
        Make<Player>("Records/Creatures/Hero.dbr",
                     {"unarmedRunAnim = Fist", "sHandedWalkAnim = Sword", "dHandedChatAnim = Dual",
                      "spearPickupAnim = Spear", "bowAttackAnim1 = Bow", "staffStunAnim = Staff"},
                     "WeaponHunting_Bow");
    EXPECT_TRUE(player->CanPlayAnimation(AnimationSet_Run)) << "unarmed, whatever is held";
    const std::pair<int32_t, AnimationSet_Type> styles[] = {
        {4, AnimationSet_Pickup}, {3, AnimationSet_Attack}, {1, AnimationSet_Walk},
        {2, AnimationSet_Chat},   {5, AnimationSet_Stun},   {0, AnimationSet_Run},
        {7, AnimationSet_Run},
    };
    for (const auto& [handState, type] : styles) {
        player->SetAnimation(static_cast<EquipManager_HandState>(handState));
        EXPECT_TRUE(player->CanPlayAnimation(type)) << handState;
        EXPECT_FALSE(player->CanPlayAnimation(AnimationSet_Spawn)) << handState;
    }
}

TEST_F(CharacterAnimationTest, SwitchingCancelsTheOldSetButNeverTheCurrentOne)
{
    auto* player = Make<Player>("Records/Creatures/Hero.dbr", {"bowAttackAnim1 = Bow"});
    AnimationSet* bow = SetOf(*player, EquipManager_HandState_Bow);
    ASSERT_TRUE(bow->PlayAnimation(*player, AnimationSet_Attack, Name::noName, 1.0f, false));
    EXPECT_EQ(SetOf(*player, EquipManager_HandState_Bow), bow);
    EXPECT_EQ(bow->GetCurrentType(), AnimationSet_Attack);

    EXPECT_NE(SetOf(*player, EquipManager_HandState_Staff), bow);
    EXPECT_EQ(bow->GetCurrentType(), AnimationSet_None);
}

// Special 11 to 15 exist only in animation tables, and only for the single-handed,
// dual-wielded and spear styles; only a character's own record sets the death blend time.
TEST_F(CharacterAnimationTest, AnAnimationTableAddsLateSpecialsAndKeepsItsDeathBlend)
{
    database.WriteRecord("Records/Anims/Table.dbr",
                         {"sHandedSpecialAnim10 = Table10", "sHandedSpecialAnimRef10 = Ten",
                          "sHandedSpecialAnim11 = Table11", "sHandedSpecialAnimRef11 = Eleven",
                          "spearSpecialAnim15 = Spear15", "spearSpecialAnimRef15 = Fifteen",
                          "unarmedSpecialAnim11 = Fist11", "unarmedSpecialAnimRef11 = Eleven",
                          "sHandedDieAnim1 = TableDie"});
    auto* tabled = Make<Player>("Records/Creatures/Tabled.dbr",
                                {"charAnimationTableName = Records/Anims/Table.dbr",
                                 "deathAnimBlendTime = 400", "sHandedSpecialAnim1 = Ignored",
                                 "sHandedSpecialAnimRef1 = One"});
    EXPECT_EQ(graphics.GetLoadCount("Table10"), 1);
    EXPECT_EQ(graphics.GetLoadCount("Table11"), 1);
    EXPECT_EQ(graphics.GetLoadCount("Spear15"), 1);
    EXPECT_EQ(graphics.GetLoadCount("Fist11"), 0);
    EXPECT_EQ(graphics.GetLoadCount("Ignored"), 0) << "the table replaces the own record";
    EXPECT_EQ(SetOf(*tabled, EquipManager_HandState_SingleHanded)
                  ->GetAnimationBase(AnimationSet_Die)
                  .GetAnimationBlendTime(),
              AnimationHandle::kDefaultBlendTime);

    // A table that does not load leaves the own record in charge.
    auto* own = Make<Player>("Records/Creatures/Own.dbr",
                             {"charAnimationTableName = Records/Anims/Missing.dbr",
                              "deathAnimBlendTime = 400", "sHandedSpecialAnim10 = Own10",
                              "sHandedSpecialAnimRef10 = Ten", "sHandedSpecialAnim11 = Own11",
                              "sHandedSpecialAnimRef11 = Eleven", "sHandedDieAnim1 = OwnDie"});
    EXPECT_EQ(graphics.GetLoadCount("Own10"), 1);
    EXPECT_EQ(graphics.GetLoadCount("Own11"), 0);
    EXPECT_EQ(SetOf(*own, EquipManager_HandState_SingleHanded)
                  ->GetAnimationBase(AnimationSet_Die)
                  .GetAnimationBlendTime(),
              400.0f);
}

// Allocating again keeps every set it made and adds only what the hands now need; the fixture
// sees every animation given back once the characters go.
TEST_F(CharacterAnimationTest, AllocatingAgainKeepsTheSetsAndAddsOnlyMissingOnes)
{
    auto* monster = Make<Reallocating<Monster>>(
        "Records/Creatures/Archer.dbr", {"bowAttackAnim1 = Bow", "spearAttackAnim1 = Spear"},
        "WeaponHunting_Bow");
    AnimationSet* bow = monster->GetAnimationSet();
    monster->AllocateAnimSets();
    EXPECT_EQ(monster->GetAnimationSet(), bow);

    const uint32_t bowId = monster->GetCombatManager().GetEquipManager().GetLeftHandWeapon();
    monster->GetCombatManager().DetachItemAction(bowId);
    Hold(*monster, "WeaponHunting_Spear", EquipLocations_RightHand);
    monster->AllocateAnimSets();
    AnimationSet* spear = monster->GetAnimationSet();
    EXPECT_NE(spear, bow);
    EXPECT_EQ(SetOf(*monster, EquipManager_HandState_Bow), bow);
    EXPECT_EQ(SetOf(*monster, EquipManager_HandState_Unarmed), bow) << "never allocated";

    auto* player = Make<Reallocating<Player>>("Records/Creatures/Hero.dbr", {"bowAttackAnim1 = B"});
    AnimationSet* playerBow = SetOf(*player, EquipManager_HandState_Bow);
    AnimationSet* unarmed = SetOf(*player, EquipManager_HandState_Unarmed);
    player->AllocateAnimSets();
    EXPECT_EQ(player->GetAnimationSet(), unarmed);
    EXPECT_EQ(SetOf(*player, EquipManager_HandState_Bow), playerBow);
    EXPECT_TRUE(player->CanPlayAnimation(AnimationSet_Attack)) << "still filled";
}

} // namespace
} // namespace GAME::Test
