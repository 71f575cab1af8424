#include "world/ProjectileBase.h"

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

} // namespace
} // namespace GAME::Test
