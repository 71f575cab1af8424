#include "skills/SkillProfile.h"

#include "engine/WorldVec3.h"
#include "skills/Skill_AttackProjectile.h"
#include "tests/support/Records.h"
#include "tests/support/SkillsFixture.h"

#include <gtest/gtest.h>

#include <string>

namespace GAME::Test {
namespace {

class SkillLevelListsTest : public SkillsOwnerFixture {
protected:
    void SetUp() override
    {
        SkillsOwnerFixture::SetUp();
        MakeOwner(true);
    }
    template <typename T = Skill> T* MakeSkill(const std::string& kind, const std::string& lines)
    {
        return MakeOwned<T>({"Class = " + kind, "skillMaxLevel = 3", lines});
    }
};

TEST_F(SkillLevelListsTest, ARecordWithoutAProjectileNumberStillLaunchesOne)
{
    const struct {
        const char* line;
        size_t shots;
    } rows[] = {{"", 1},
                {"skillProjectileNumber = 0", 1},
                {"skillProjectileNumber = -3", 1},
                {"skillProjectileNumber = 3", 3}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        auto* skill = MakeSkill<Skill_AttackProjectile>("Skill_AttackProjectile", row.line);
        services.launches.clear();
        EXPECT_TRUE(skill->ExecuteRangedAttack(*owner, owner->GetCoords(), 0,
                                               WorldVec3(kRegion, Vec3(0, 0, 10)), 0));
        EXPECT_EQ(services.launches.size(), row.shots);
    }
}

TEST_F(SkillLevelListsTest, CostAndCooldownWrittenOnceServeEveryLevel)
{
    const struct {
        const char* lines;
        float mana[3];
        int32_t cooldownMs[3];
    } rows[] = {{"skillManaCost = 7\nskillCooldownTime = 2", {7, 7, 7}, {2000, 2000, 2000}},
                {"skillManaCost = 5;6\nskillCooldownTime = 1;1.5", {5, 6, 6}, {1000, 1500, 1500}}};
    for (const auto& row : rows) {
        Skill* skill = MakeSkill("Skill", row.lines);
        for (uint32_t level = 1; level <= 3; ++level) {
            SCOPED_TRACE(std::string(row.lines) + " at level " + std::to_string(level));
            skill->SetSkillLevel(level);
            EXPECT_FLOAT_EQ(skill->GetManaCost(), row.mana[level - 1]);
            skill->EndCooldown();
            skill->StartCooldown();
            EXPECT_EQ(skill->GetCooldownTotal(), row.cooldownMs[level - 1]);
        }
    }
}

using Read = float (*)(const SkillProfile&, uint32_t);

template <auto Getter> float Modifier(const SkillProfile& profile, uint32_t level)
{
    return static_cast<float>((profile.GetSkillModifierData(level).*Getter)());
}

template <auto Getter> float ProjectileModifier(const SkillProfile& profile, uint32_t level)
{
    return static_cast<float>((profile.GetSkillProjectileModifierData(level).*Getter)());
}

TEST_F(SkillLevelListsTest, PerLevelModifiersRepeatTheirLastEntry)
{
    using M = SkillProfile_Modifiers;
    using P = SkillProfile_ProjectileModifiers;
    const struct {
        const char* key;
        Read read;
    } rows[] = {
        {"skillTargetRadius", Modifier<&M::GetTargetRadius>},
        {"skillTargetNumber", Modifier<&M::GetTargetNumber>},
        {"projectileFragmentsLaunchNumberMin", ProjectileModifier<&P::GetFragmentsLaunchNumberMin>},
        {"projectilePiercingChance", ProjectileModifier<&P::GetPiercingChance>},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.key);
        SkillProfile once;
        once.LoadProfile(Record(std::string("skillMaxLevel = 3\n") + row.key + " = 4"));
        SkillProfile twice;
        twice.LoadProfile(Record(std::string("skillMaxLevel = 3\n") + row.key + " = 2;5"));
        EXPECT_EQ(row.read(once, 0), 0.0f);
        for (uint32_t level = 1; level <= 3; ++level) {
            EXPECT_EQ(row.read(once, level), 4.0f) << "level " << level;
            EXPECT_EQ(row.read(twice, level), level == 1 ? 2.0f : 5.0f) << "level " << level;
        }
    }
}

} // namespace
} // namespace GAME::Test
