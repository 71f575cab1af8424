#include "skills/SkillBuff_Contageous.h"

#include "ai/ControllerCombat.h"
#include "characters/Monster.h"
#include "characters/TeamManager.h"
#include "engine/ObjectManager.h"
#include "skills/SkillManager.h"
#include "tests/combat/DeathFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

constexpr const char* kPlague = "Records/Skills/Buffs/Plague.dbr";

class SkillBuffContageousTest : public DeathFixture {
protected:
    // A victim and three allies standing together, each with its own controller.
    void Pack(const std::string& limit, const std::string& maxSpread)
    {
        database.WriteRecord(kPlague, {"Class = SkillBuff_Contageous", "contagionInterval = 1",
                                       "contagionRadius = 10", "contagionLimit = " + limit,
                                       "contagionMaxSpread = " + maxSpread, "skillMaxLevel = 1",
                                       "skillActiveDuration = 3"});
        victim = Member("Records/Creatures/Victim.dbr");
        for (int i = 0; i < 3; ++i)
            allies.push_back(Member("Records/Creatures/Ally" + std::to_string(i) + ".dbr"));
    }

    Monster* Member(const std::string& path)
    {
        Monster* monster = Spawn(path, {});
        monster->SetTeam(TeamManager::DefaultMonsterTeam());
        auto* controller = static_cast<ControllerCombat*>(
            ObjectManager::Instance().CreateObject("ControllerCombat"));
        controller->AttachParent(monster->GetObjectId());
        monster->SetControllerId(controller->GetObjectId());
        return monster;
    }

    static void Infect(Character& who, uint32_t caster)
    {
        who.GetSkillManager().CreateRemoveSkillBuff(0, kPlague, 1, "", 0, "", 0, 3000, caster,
                                                    false);
    }

    size_t Infected() const
    {
        size_t count = 0;
        for (Monster* ally : allies)
            count += ally->IsSkillBuffActive(kPlague) ? 1 : 0;
        return count;
    }

    Monster* victim = nullptr;
    std::vector<Monster*> allies;
};

TEST_F(SkillBuffContageousTest, Limit2SkipsTheAllyAlreadyInfectedAndTakesTheOtherTwo)
{
    Pack("2", "5");
    Infect(*allies[1], 5);
    Infect(*victim, 77);
    victim->GetSkillManager().Update(999);
    EXPECT_EQ(Infected(), 1u);
    victim->GetSkillManager().Update(1);
    EXPECT_EQ(Infected(), 3u);
    for (Monster* ally : {allies[0], allies[2]}) {
        SkillBuff* caught = ally->GetSkillManager().GetSkillBuff(kPlague);
        ASSERT_NE(caught, nullptr);
        EXPECT_EQ(caught->GetCasterId(), victim->GetObjectId());
        EXPECT_EQ(caught->GetTimeToLiveTotal(), 3000);
        EXPECT_EQ(caught->GetCurrentLevel(), 1u);
    }
    auto* source =
        dynamic_cast<SkillBuff_Contageous*>(victim->GetSkillManager().GetSkillBuff(kPlague));
    ASSERT_NE(source, nullptr);
    EXPECT_EQ(source->GetSpreadsLeft(), 3);
}

TEST_F(SkillBuffContageousTest, MaxSpread1InfectsOneThenNever)
{
    Pack("5", "1");
    Infect(*victim, 77);
    victim->GetSkillManager().Update(1000);
    EXPECT_EQ(Infected(), 1u);
    for (Monster* ally : allies)
        ally->GetSkillManager().CreateRemoveSkillBuff(0, kPlague, 0, "", 0, "", 0, 0, 0, false);
    victim->GetSkillManager().Update(1000);
    victim->GetSkillManager().Update(1000);
    EXPECT_EQ(Infected(), 0u);
    ObjectManager::Instance().ProcessDestroyedObjects();
}

} // namespace
} // namespace GAME::Test
