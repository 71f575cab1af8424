#include "skills/SkillActivatedSpell.h"

#include "core/GameEvents.h"
#include "engine/EventHandlerInterface.h"
#include "engine/EventManager.h"
#include "engine/SoundPak.h"
#include "items/Weapon.h"
#include "tests/support/SkillsFixture.h"
#include "world/ProjectileBase.h"

namespace GAME::Test {

class TestSpell : public SkillActivatedSpell {
    GAME_DECLARE_CLASS(TestSpell)
};

GAME_IMPLEMENT_CLASS(TestSpell, SkillActivated);

namespace {

class ShakeListener : public EventHandlerInterface {
public:
    void HandleEvent(const GameEvent& event) override
    {
        const auto& shake = static_cast<const GameEvent_CameraShake&>(event);
        shakes.push_back({shake.durationMs, shake.amplitude});
    }
    void SendEvent(const GameEvent*) override {}
    const char* GetOwnerTypeName() const override { return "ShakeListener"; }
    std::vector<std::pair<int32_t, float>> shakes;
};

class SpellTest : public SkillsOwnerFixture {
protected:
    void SetUp() override
    {
        SkillsOwnerFixture::SetUp();
        MakeOwner();
        database.WriteRecord(
            "Records/Projectiles/Arrow.dbr",
            {"Class = ProjectileBase", "projectileSwipeSound = Records/Sounds/Swish.dbr"});
        database.WriteRecord("Records/Sounds/Swish.dbr", {"Class = SoundPak"});
    }

    TestSpell* Make(std::vector<std::string> lines)
    {
        lines.insert(lines.begin(), {"Class = TestSpell", "skillMaxLevel = 1"});
        return MakeEnabled<TestSpell>(manager, lines);
    }
};

TEST_F(SpellTest, ProjectileReportsGoOutUnchargedWhileTheOwnerLives)
{
    TestSpell* spell = Make({});
    EXPECT_EQ(spell->GetTargetType(), SkillTargetType_Enemy);
    ProjectileInfo info;
    info.ownerId = owner->GetObjectId();
    info.weaponId = 77;
    services.IncHitIteration();
    spell->TargetInformation(info, WorldCoords(), {5, 6});
    ASSERT_EQ(services.results.size(), 1u);
    EXPECT_EQ(services.results[0].targets, (std::vector<uint32_t>{5, 6}));
    EXPECT_EQ(services.results[0].weaponId, 77u);
    EXPECT_EQ(services.results[0].hitIteration, 0u);
    EXPECT_FALSE(services.results[0].melee);

    info.ownerId = 999999;
    spell->TargetInformation(info, WorldCoords(), {5});
    EXPECT_EQ(services.results.size(), 1u) << "an owner gone reports nothing";
}

TEST_F(SpellTest, GroundSpellNeedsNoTarget)
{
    TestSpell* spell = Make({"skillProjectileTargetGroundOnly = 1"});
    uint32_t target = 1234;
    EXPECT_TRUE(spell->GetValidTarget(*owner, target, WorldVec3(), false, 0.0f));
    EXPECT_EQ(target, 0u);
}

TEST_F(SpellTest, CameraShakeSendsMillisecondsAboveATenthOfAMillisecond)
{
    ShakeListener listener;
    EventManager::Instance().Register("GameEvent_CameraShake", &listener);
    Make({"cameraShakeDurationSecs = 1.5", "cameraShakeAmplitude = 2.5"})->CameraShake();
    Make({"cameraShakeDurationSecs = 0.00005", "cameraShakeAmplitude = 9"})->CameraShake();
    EventManager::Instance().Unregister("GameEvent_CameraShake", &listener);
    ASSERT_EQ(listener.shakes.size(), 1u);
    EXPECT_EQ(listener.shakes[0].first, 1500);
    EXPECT_FLOAT_EQ(listener.shakes[0].second, 2.5f);
}

TEST_F(SpellTest, RangedProjectileComesFromTheWeaponOrIsLogged)
{
    TestSpell* spell = Make({"projectilePiercing = 10"});
    log.Clear();
    spell->CreateProjectile(*owner, WorldCoords(), 3, WorldVec3(), 0, 5000, 1);
    EXPECT_EQ(log.Count(1, "Failed to spawn ranged projectile () ()"), 1u);
    EXPECT_EQ(ObjectManager::Instance().GetObject(5000), nullptr);

    database.WriteRecord("Records/Items/Bow.dbr",
                         {"Class = Weapon", "basicProjectileName = Records/Projectiles/Arrow.dbr",
                          "piercingProjectile = 15"});
    auto* bow = ObjectManager::Instance().CreateObjectFromFile<Weapon>("Records/Items/Bow.dbr");
    ASSERT_NE(bow, nullptr);
    spell->CreateProjectile(*owner, WorldCoords(), 3, WorldVec3(), bow->GetObjectId(), 5001, 1);
    auto* arrow = ObjectManager::Instance().GetObject<ProjectileBase>(5001);
    ASSERT_NE(arrow, nullptr);
    EXPECT_EQ(arrow->GetInfo().skillId, spell->GetObjectId());
    EXPECT_EQ(arrow->GetInfo().ownerId, owner->GetObjectId());
    EXPECT_EQ(arrow->GetInfo().weaponId, bow->GetObjectId());
    EXPECT_EQ(arrow->GetInfo().targetId, 3u);
    EXPECT_FLOAT_EQ(arrow->GetInfo().piercingChance, 25.0f);
    ASSERT_NE(arrow->GetSwipeSound(), nullptr);
    EXPECT_EQ(arrow->GetSwipeSound()->GetPlayRequests().size(), 1u);
    EXPECT_EQ(arrow->GetSwipeSound()->GetTrackedObjectId(), 5001u);

    // Removed once however often it is asked.
    manager.DeleteProjectile(5001);
    manager.DeleteProjectile(5001);
    EXPECT_EQ(ObjectManager::Instance().GetObject(5001), nullptr);
    ObjectManager::Instance().ProcessDestroyedObjects();
}

} // namespace
} // namespace GAME::Test
