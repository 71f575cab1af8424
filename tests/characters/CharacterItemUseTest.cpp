#include "characters/Character.h"
#include "characters/CharacterBio.h"
#include "core/PlayStatsDamageType.h"
#include "engine/ObjectManager.h"
#include "engine/PhysicsEngine.h"
#include "items/Item.h"
#include "items/OneShot_PotionHealth.h"
#include "tests/combat/DeathFixture.h"
#include "tests/support/LogCapture.h"

#include <gtest/gtest.h>

namespace GAME {
namespace {

class CharacterItemUseTest : public GAME::Test::DeathFixture {
protected:
    void SetUp() override
    {
        DeathFixture::SetUp();
        // Slow life is stored up to the limit; without the regen record nothing is stored.
        database.WriteRecord(CharacterBio::kRegenRecord, {"healthOverStorageLimit = 1"});
        database.WriteRecord("Records/Items/Heal.dbr",
                             {"Class = OneShot_PotionHealth", "bonusLifePoints = 40"});
        user = Spawn<Character>("Records/Creatures/User.dbr", {"characterLife = 100"});
        other = Spawn<Character>("Records/Creatures/Other.dbr", {"characterLife = 100"});
        ASSERT_NE(user, nullptr);
        ASSERT_NE(other, nullptr);
    }

    OneShot_PotionHealth* GivePotion(Character& holder)
    {
        auto* potion = ObjectManager::Instance().CreateObjectFromFile<OneShot_PotionHealth>(
            "Records/Items/Heal.dbr");
        if (potion != nullptr)
            holder.GetInventory().AddItemToInventory(potion->GetObjectId(), false);
        return potion;
    }

    static uint32_t HealthPotions(Character& character)
    {
        float value = 0.0f;
        character.GetPlayStats().GetDesignerVariable("healthPotionsUsed", value);
        return static_cast<uint32_t>(value);
    }

    Character* user = nullptr;
    Character* other = nullptr;
};

TEST_F(CharacterItemUseTest, AHealthPotionAddsSlowLifeAndCountsOnce)
{
    OneShot_PotionHealth* potion = GivePotion(*user);
    ASSERT_NE(potion, nullptr);
    const uint32_t id = potion->GetObjectId();
    user->GetCharacterBio().Update(*user, 0);
    user->SubtractLife(60.0f, PlayStatsDamageType());
    const float life = user->GetCurrentLife();
    ASSERT_FLOAT_EQ(life, 40.0f);

    user->UseInventoryItem(id, false);
    EXPECT_FLOAT_EQ(user->GetCurrentLife(), life); // slow: nothing arrives at once
    EXPECT_FLOAT_EQ(user->GetPotentialLife(), life + 40.0f);
    EXPECT_EQ(HealthPotions(*user), 1u);
    EXPECT_TRUE(user->HasItem(id));
    EXPECT_EQ(ObjectManager::Instance().GetObject<Item>(id), potion);
}

TEST_F(CharacterItemUseTest, TheDestroyFlagTakesAndDestroysTheItem)
{
    const uint32_t id = GivePotion(*user)->GetObjectId();
    user->UseInventoryItem(id, true);
    EXPECT_FALSE(user->HasItem(id));
    EXPECT_EQ(ObjectManager::Instance().GetObject<Item>(id), nullptr);
    EXPECT_EQ(HealthPotions(*user), 1u);
}

// Ids come from peers: an item someone else holds must stay where it is.
TEST_F(CharacterItemUseTest, AnItemNotHeldIsLoggedAndLeftAlone)
{
    OneShot_PotionHealth* theirs = GivePotion(*other);
    const uint32_t id = theirs->GetObjectId();
    const float life = user->GetPotentialLife();
    GAME::Test::LogCapture log;

    user->UseInventoryItem(id, true);
    user->UseRelic(id, id);
    EXPECT_EQ(ObjectManager::Instance().GetObject<Item>(id), theirs);
    EXPECT_TRUE(other->HasItem(id));
    EXPECT_FLOAT_EQ(user->GetPotentialLife(), life);
    EXPECT_EQ(HealthPotions(*user), 0u);
    ASSERT_EQ(log.GetLines().size(), 2u);
    EXPECT_EQ(log.GetLines()[0].level, 2);
    EXPECT_EQ(log.GetLines()[1].level, 2);
}

TEST_F(CharacterItemUseTest, ARelicUseOnHeldItemsChangesNothingYet)
{
    const uint32_t a = GivePotion(*user)->GetObjectId();
    const uint32_t b = GivePotion(*user)->GetObjectId();
    GAME::Test::LogCapture log;
    user->UseRelic(a, b);
    EXPECT_TRUE(user->HasItem(a));
    EXPECT_TRUE(user->HasItem(b));
    EXPECT_TRUE(log.GetLines().empty());
}

} // namespace
} // namespace GAME
