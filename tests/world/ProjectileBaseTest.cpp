#include "world/ProjectileBase.h"

#include "engine/ObjectManager.h"
#include "tests/support/EngineFixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace GAME::Test {
namespace {

constexpr uint32_t kOwnSkill = 40;
constexpr uint32_t kOtherSkill = 41;

ProjectileBase::ProjectileModifierStruct Modifier(uint32_t skill, float radius,
                                                  const char* fragments, float piercing = 0.0f)
{
    ProjectileBase::ProjectileModifierStruct modifier;
    modifier.ownerSkillId = skill;
    modifier.explosionRadius = radius;
    modifier.fragmentsName = fragments;
    modifier.piercingChance = piercing;
    return modifier;
}

TEST(ProjectileBase, ModifiersLandOnTheirListsAndPiercingSumsPerSkill)
{
    ProjectileInfo info;
    info.skillId = kOwnSkill;
    using Lists = std::vector<size_t>; // path, explosion, fragment
    auto listsAfter = [&](const ProjectileBase::ProjectileModifierStruct& modifier) {
        ProjectileBase projectile;
        projectile.LoadInfo(info, 1);
        projectile.AddProjectileModifier(modifier);
        return Lists{projectile.GetPathModifierCount(), projectile.GetExplosionModifierCount(),
                     projectile.GetFragmentModifierCount()};
    };
    EXPECT_EQ(listsAfter(Modifier(kOtherSkill, 0.0f, "")), (Lists{1, 0, 0}));
    EXPECT_EQ(listsAfter(Modifier(kOtherSkill, 3.0f, "")), (Lists{1, 1, 0}));
    // Another skill's fragments only fragment, whatever their radius.
    EXPECT_EQ(listsAfter(Modifier(kOtherSkill, 3.0f, "Shard.dbr")), (Lists{0, 0, 1}));
    EXPECT_EQ(listsAfter(Modifier(kOwnSkill, 0.0f, "Shard.dbr")), (Lists{1, 0, 1}));
    EXPECT_EQ(listsAfter(Modifier(kOwnSkill, 3.0f, "Shard.dbr")), (Lists{1, 1, 1}));

    ProjectileBase projectile;
    projectile.LoadInfo(info, 1);
    EXPECT_FLOAT_EQ(projectile.GetPiercingModifier(kOwnSkill), 0.0f);
    projectile.AddProjectileModifier(Modifier(kOwnSkill, 0.0f, "", 25.0f));
    projectile.AddProjectileModifier(Modifier(kOtherSkill, 0.0f, "", 40.0f));
    projectile.AddProjectileModifier(Modifier(kOwnSkill, 2.0f, "Shard.dbr", 12.5f));
    EXPECT_FLOAT_EQ(projectile.GetPiercingModifier(kOwnSkill), 37.5f);
    EXPECT_FLOAT_EQ(projectile.GetPiercingModifier(kOtherSkill), 40.0f);
}

class ProjectileRecordTest : public EngineFixture {
protected:
    int made = 0;
    ProjectileBase* Make(std::initializer_list<std::string> lines)
    {
        std::vector<std::string> all{"Class = ProjectileBase"};
        all.insert(all.end(), lines);
        std::string text;
        for (const std::string& line : all)
            text += line + "\n";
        // Records are cached by path: each one gets its own.
        const std::string path = "Records/Projectiles/Bolt" + std::to_string(++made) + ".dbr";
        database.WriteFile(path, text);
        return ObjectManager::Instance().CreateObjectFromFile<ProjectileBase>(path);
    }
};

TEST_F(ProjectileRecordTest, TimesInWholeMillisecondsAndLaunchAngleKeptInRange)
{
    ProjectileBase* low = Make(
        {"launchAngle = 5", "projectileHitTimeToLive = 1.2", "projectileMissTimeToLive = 0.0015"});
    ASSERT_NE(low, nullptr);
    EXPECT_FLOAT_EQ(low->GetLaunchAngle(), 10.0f);
    EXPECT_FLOAT_EQ(low->GetHitTime(), 1200.0f);
    EXPECT_FLOAT_EQ(low->GetMissTime(), 1.0f);
    EXPECT_FLOAT_EQ(low->GetNotificationRadius(), 5.0f);
    ProjectileBase* high = Make({"launchAngle = 95"});
    ASSERT_NE(high, nullptr);
    EXPECT_FLOAT_EQ(high->GetLaunchAngle(), 80.0f);

    const uint32_t id = high->GetObjectId();
    high->DeleteProjectile();
    high->DeleteProjectile();
    EXPECT_TRUE(high->IsDeleted());
    EXPECT_EQ(ObjectManager::Instance().GetObject(id), nullptr);
    ObjectManager::Instance().ProcessDestroyedObjects();
}

} // namespace
} // namespace GAME::Test
