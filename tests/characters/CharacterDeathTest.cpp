#include "characters/Character.h"

#include "characters/Monster.h"
#include "combat/AuraManager.h"
#include "combat/DeathManager.h"
#include "core/GameEvents.h"
#include "core/PlayStatsDamageType.h"
#include "engine/ABBox.h"
#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/EventHandler.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "tests/support/GameEngineFixture.h"
#include "world/FxPak.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
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

class DeathListener {
public:
    DeathListener() : handler("GameEvent_CreatureDeath", &DeathListener::OnDeath, this) {}
    void OnDeath(const GameEvent_CreatureDeath& event) { heard.push_back(event); }

    std::vector<GameEvent_CreatureDeath> heard;

private:
    EventHandler<DeathListener, GameEvent_CreatureDeath> handler;
};

class CharacterDeathTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
        previousWorld = gEngine->SetWorld(std::make_unique<World>());
        gEngine->GetWorld()->CreateRegion(1, {0, 0, 0}, ABBox({-100, -10, -100}, {100, 10, 100}));
        database.WriteRecord(kHalo, {"Class = EffectEntity"});
        database.WriteRecord("Records/Fx/Dying.dbr", {"Class = FxPak"});
    }

    void TearDown() override
    {
        GameEngineFixture::TearDown();
        gEngine->SetWorld(std::move(previousWorld));
    }

    Mortal* Make(std::initializer_list<std::string> lines)
    {
        const std::string path = "Records/Creatures/Mortal.dbr";
        database.WriteRecord(path, lines);
        ObjectManager& objects = ObjectManager::Instance();
        auto* mortal = new Mortal();
        objects.RegisterObject(mortal);
        mortal->SetObjectName(path);
        objects.LoadTableFile(path);
        mortal->Load(objects.GetLoadTable(path));
        return mortal;
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

    const WorldCoords place{1, Coords::FromTranslation(Vec3(2, 0, 5))};
    std::unique_ptr<World> previousWorld;
};

TEST_F(CharacterDeathTest, DyingClearsTheAurasLeavesTheDyingEffectAndAnnouncesTheDeath)
{
    DeathListener listener;
    Mortal* mortal = Make({"dyingFxPak = Records/Fx/Dying.dbr"});
    gEngine->GetWorld()->AddEntity(mortal, place, false);
    mortal->InitialUpdate();
    const uint32_t aura = mortal->AddAura(kHalo, true, 0);
    ASSERT_NE(aura, 0u);

    mortal->GetDeathManager()->Execute();
    EXPECT_EQ(ObjectManager::Instance().GetObject(aura), nullptr);
    EXPECT_TRUE(mortal->GetAttachedChildren().empty());
    EXPECT_EQ(CountFxPaks(), 1u);
    ASSERT_EQ(listener.heard.size(), 1u);
    EXPECT_EQ(listener.heard[0].name, "Records/Creatures/Mortal.dbr");
    EXPECT_EQ(listener.heard[0].victimId, mortal->GetObjectId());
    EXPECT_EQ(listener.heard[0].killerId, 0u);

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
    ASSERT_EQ(mortal->GetCurrentLife(), 100.0f);

    CharacterRagDoll::EffectData blow;
    blow.effect = CharacterRagDoll::Crumple;
    blow.direction.x = 2.0f;
    mortal->SetRagdollData(blow, false);
    EXPECT_EQ(mortal->GetRagdollData().effect, CharacterRagDoll::TakeHit)
        << "the record's override";
    EXPECT_EQ(mortal->GetRagdollData().direction.x, 2.0f);
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
    const uint32_t first = mortal->AddAura(kHalo, false, 60);
    const uint32_t second = mortal->AddAura(kHalo, false, 60);
    const uint32_t permanent = mortal->AddAura(kHalo, true, 0);
    EXPECT_NE(first, second);
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
