#include "characters/Character.h"

#include "characters/Monster.h"
#include "combat/AuraManager.h"
#include "combat/DeathManager.h"
#include "core/GameEvents.h"
#include "core/PlayStatsDamageType.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "tests/characters/CharacterHelpers.h"
#include "tests/combat/DeathFixture.h"
#include "tests/support/HeardEvents.h"
#include "world/FxPak.h"

#include <initializer_list>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

constexpr const char* kHalo = "Records/Fx/Halo.dbr";

// A monster that notes the notices of its death and shows its auras.
class Mortal : public Monster {
public:
    void CharacterIsDying() override
    {
        journal.push_back("dying");
        Monster::CharacterIsDying();
    }
    void CharacterHasDied() override { journal.push_back("died"); }
    AuraManager& Auras() { return auraManager; }

    std::vector<std::string> journal;
};

class CharacterDeathTest : public DeathFixture {
protected:
    void SetUp() override
    {
        DeathFixture::SetUp();
        database.WriteRecord(kHalo, {"Class = EffectEntity"});
        database.WriteRecord("Records/Fx/Dying.dbr", {"Class = FxPak"});
    }

    Mortal* Make(std::initializer_list<std::string> lines)
    {
        return Place<Mortal>(database, "Records/Creatures/Mortal.dbr", lines);
    }

    static size_t CountFxPaks()
    {
        struct IsFxPak : FilterFunction<Entity> {
            bool operator()(const Entity* entity) const override
            {
                return DynamicCast<FxPak>(entity) != nullptr;
            }
        };
        std::vector<Entity*> found;
        gEngine->GetWorld()->GetEntities(found, IsFxPak());
        return found.size();
    }
};

TEST_F(CharacterDeathTest, DyingClearsTheAurasLeavesTheDyingEffectAndAnnouncesTheDeath)
{
    Heard<GameEvent_CreatureDeath> listener{"GameEvent_CreatureDeath"};
    Mortal* mortal = Make({"dyingFxPak = Records/Fx/Dying.dbr"});
    gEngine->GetWorld()->AddEntity(mortal, kPlace, false);
    mortal->InitialUpdate();
    const uint32_t aura = mortal->AddAura(kHalo, true, 0);
    ASSERT_NE(aura, 0u);

    mortal->GetDeathManager()->Execute();
    EXPECT_EQ(ObjectManager::Instance().GetObject(aura), nullptr);
    EXPECT_TRUE(mortal->GetAttachedChildren().empty());
    EXPECT_EQ(CountFxPaks(), 1u);
    ASSERT_EQ(listener.events.size(), 1u);
    EXPECT_EQ(listener.events[0].victimId, mortal->GetObjectId());

    mortal->GetDeathManager()->PostProcess();
    mortal->GetDeathManager()->PostProcess();
    EXPECT_EQ(mortal->journal, (std::vector<std::string>{"dying", "died", "died"}));
}

TEST_F(CharacterDeathTest, ADyingEffectTheWorldRefusesIsNotLeftBehind)
{
    Mortal* mortal = Make({"dyingFxPak = Records/Fx/Dying.dbr"});
    const size_t objects = ObjectManager::Instance().GetObjectCount();
    mortal->ImDying();
    ObjectManager::Instance().ProcessDestroyedObjects();
    EXPECT_EQ(ObjectManager::Instance().GetObjectCount(), objects);
    EXPECT_EQ(CountFxPaks(), 0u);
}

TEST_F(CharacterDeathTest, TheBlowThatKillsKeepsItsRagDollData)
{
    Mortal* mortal = Make(
        {"characterLife = 100", "overrideRagdollBehavior = TakeHit", "overrideRagdollSpeed = 7"});
    mortal->InitialUpdate();
    mortal->GetCharacterBio().Update(*mortal, 1);

    CharacterRagDoll::EffectData blow;
    blow.effect = CharacterRagDoll::Crumple;
    blow.direction.x = 2.0f;
    mortal->SetRagdollData(blow, false);
    EXPECT_EQ(mortal->GetRagdollData().effect, CharacterRagDoll::TakeHit)
        << "the record's override";
    EXPECT_EQ(mortal->GetRagdollData().speed, 7.0f);

    mortal->SubtractLife(100.0f, PlayStatsDamageType());
    CharacterRagDoll::EffectData later;
    later.direction.x = 9.0f;
    mortal->SetRagdollData(later, false);
    EXPECT_EQ(mortal->GetRagdollData().direction.x, 2.0f);
    mortal->SetRagdollData(later, true);
    EXPECT_EQ(mortal->GetRagdollData().direction.x, 9.0f);
}

TEST_F(CharacterDeathTest, AurasGoByRecordNameOrById)
{
    Mortal* mortal = Make({});
    mortal->AddAura(kHalo, false, 60);
    mortal->AddAura(kHalo, false, 60);
    const uint32_t permanent = mortal->AddAura(kHalo, true, 0);
    EXPECT_EQ(mortal->GetAttachedChildren().size(), 3u);

    mortal->RemoveAura(std::string(kHalo));
    mortal->Auras().Update(*mortal, 1);
    EXPECT_TRUE(mortal->GetAttachedChildren().empty());

    const uint32_t again = mortal->AddAura(kHalo, true, 0);
    mortal->RemoveAura(permanent);
    mortal->Auras().Update(*mortal, 1);
    EXPECT_EQ(mortal->GetAttachedChildren().size(), 1u) << "an id already gone matches nothing";
    mortal->RemoveAura(again);
    mortal->Auras().Update(*mortal, 1);
    EXPECT_TRUE(mortal->GetAttachedChildren().empty());
}

} // namespace
} // namespace GAME::Test
