#include "characters/Character.h"

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
