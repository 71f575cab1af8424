#include "skills/SkillManager.h"

#include "characters/Character.h"
#include "combat/CombatAttributeAccumulator.h"
#include "combat/ParametersCombat.h"
#include "combat/RacialBonus.h"
#include "core/RandomUniform.h"
#include "engine/ObjectManager.h"
#include "skills/Skill.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/LogCapture.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

using Levels = std::vector<uint32_t>;

TEST(SkillManagerTest, LoadReadsTheThreeListsCutsUnevenPairsAndZeroesNegatives)
{
    LogCapture log;
    SkillManager manager;
    manager.Load(Record("masteryIncrementLevel = 1;8;16\n"
                        "reclamationPointTiers = 0;5;10\n"
                        "reclamationPointCosts = 100;250;500\n"));
    EXPECT_EQ(manager.GetMasteryIncrementLevels(), (Levels{1, 8, 16}));
    EXPECT_EQ(manager.GetReclamationPointTiers(), (Levels{0, 5, 10}));
    EXPECT_EQ(manager.GetReclamationPointCosts(), (Levels{100, 250, 500}));
    EXPECT_TRUE(log.GetLines().empty());

    // A second record replaces the lists, an absent key empties its list.
    manager.Load(Record("masteryIncrementLevel = 20\n"));
    EXPECT_EQ(manager.GetMasteryIncrementLevels(), (Levels{20}));
    EXPECT_TRUE(manager.GetReclamationPointTiers().empty());
    EXPECT_TRUE(manager.GetReclamationPointCosts().empty());

    manager.Load(Record("reclamationPointTiers = 0;5;10;20\nreclamationPointCosts = 100;250\n"));
    EXPECT_EQ(manager.GetReclamationPointTiers(), (Levels{0, 5}));
    EXPECT_EQ(manager.GetReclamationPointCosts(), (Levels{100, 250}));
    EXPECT_EQ(log.Count(1, "SkillManager: (no character) has 4 reclamationPointTiers but 2 "
                           "reclamationPointCosts; keeping 2"),
              1u);
    manager.Load(Record("reclamationPointCosts = 100\n"));
    EXPECT_TRUE(manager.GetReclamationPointCosts().empty());

    manager.Load(Record("masteryIncrementLevel = 4;-3\nreclamationPointTiers = 0\n"
                        "reclamationPointCosts = -1\n"));
    EXPECT_EQ(manager.GetMasteryIncrementLevels(), (Levels{4, 0}));
    EXPECT_EQ(manager.GetReclamationPointCosts(), (Levels{0}));
    EXPECT_EQ(log.Count(1, "SkillManager: masteryIncrementLevel of (no character) holds -3, "
                           "read as 0"),
              1u);
    EXPECT_EQ(log.Count(1, "SkillManager: reclamationPointCosts of (no character) holds -1, "
                           "read as 0"),
              1u);
}

// Counts what the manager asks (defense 1, retaliation 10); a racial defense answer adds the
// skill's level.
class CountingSkill : public Skill {
public:
    CountingSkill(uint32_t level, bool armed) : level(level), armed(armed) {}
    uint32_t GetCurrentLevel() const override { return level; }
    bool IsSkillOnHitActive() const override { return armed; }
    void CollectPassiveCharAttributes(CharAttributeAccumulator&) const override {}
    void OnHitActivation(Character& owner, const ParametersCombat& hit) override
    {
        hits += hit.attackerId == 7 ? 1 : 100;
        told = &owner;
    }
    void ApplyDisruptionCooldownTime(float time) override { cooldown += time; }
    void CollectPassiveRetaliationAttributes(CombatAttributeAccumulator&) const override
    {
        asked += 10;
    }
    void CollectPassiveDefenseAttributes(CombatAttributeAccumulator&) const override { ++asked; }
    void CollectPassiveRacialBonusDefense(const std::vector<std::string>& races,
                                          RacialBonus_Defense& defense) const override
    {
        defense.absolute += races.size() == 1 ? static_cast<float>(level) : 100.0f;
    }

    uint32_t level;
    bool armed;
    int hits = 0;
    const Character* told = nullptr;
    float cooldown = 0.0f;
    mutable int asked = 0;
};

class FilledSkillManager : public SkillManager {
public:
    using SkillManager::activeSkills;
    using SkillManager::itemSkillMap;
    using SkillManager::itemSkills;
};

using SkillManagerLists = EngineFixture;

TEST_F(SkillManagerLists, AsksEachListedSkillOnceByItsListsRule)
{
    ObjectManager& objects = ObjectManager::Instance();
    auto* owner = static_cast<Character*>(objects.CreateObject("Character"));
    // Active: armed, armed but unlearnt, learnt but unarmed; item: learnt, unlearnt.
    std::vector<CountingSkill*> skills;
    for (auto [level, armed] :
         {std::pair{1u, true}, {0u, true}, {2u, false}, {3u, false}, {0u, true}}) {
        skills.push_back(new CountingSkill(level, armed));
        ASSERT_TRUE(objects.RegisterObject(skills.back()));
    }
    const uint32_t itemId = skills[3]->GetObjectId();
    {
        FilledSkillManager manager;
        manager.activeSkills = {skills[0], skills[1], skills[2]};
        manager.itemSkills = {skills[3], skills[4]};
        // Granted by two items that the test does not need to make.
        manager.itemSkillMap = {{901, itemId}, {902, skills[4]->GetObjectId()}};
        RandomUniform generator;
        ParametersCombat hit(generator);
        hit.attackerId = 7;
        manager.UnderAttack(hit); // no character yet: nobody is told
        manager.Initialize(nullptr, owner);
        manager.UnderAttack(hit);
        CombatAttributeAccumulator accumulator;
        manager.GetDefenseAttributes(accumulator);
        manager.GetRetaliationAttributes(accumulator);
        RacialBonus_Defense defense;
        manager.ContributeRacialBonusDefense({"Undead"}, defense);
        EXPECT_EQ(defense.absolute, 6.0f);
        manager.ApplyCooldownDamage(1.5f);

        const int hits[] = {1, 1, 0, 1, 0};
        for (size_t i = 0; i < skills.size(); ++i) {
            EXPECT_EQ(skills[i]->hits, hits[i]) << i;
            EXPECT_EQ(skills[i]->told, hits[i] != 0 ? owner : nullptr) << i;
            EXPECT_EQ(skills[i]->asked, skills[i]->level != 0 ? 11 : 0) << i;
            EXPECT_EQ(skills[i]->cooldown, 1.5f) << i;
        }
        EXPECT_FALSE(manager.IsSpeedUpdateNeeded());
        manager.SetSpeedUpdateNeeded();
        EXPECT_TRUE(manager.IsSpeedUpdateNeeded());
        EXPECT_FALSE(manager.IsSpeedUpdateNeeded());
    }
    // The manager destroys the item skills it owns, not the active ones.
    EXPECT_EQ(objects.GetObject(itemId), nullptr);
    EXPECT_EQ(objects.GetObjectCount(), 4u); // the character and the three active skills
}

} // namespace
} // namespace GAME::Test
