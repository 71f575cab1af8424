#include "skills/SkillActivatedBuffSelf.h"

#include "characters/Character.h"
#include "characters/CharacterBio.h"
#include "engine/ObjectManager.h"
#include "skills/SkillManager.h"
#include "tests/support/GameEngineFixture.h"

#include <gtest/gtest.h>

namespace GAME::Test {

// A self buff that counts how often it was stopped.
class CountingSelfBuff : public SkillActivatedBuffSelf {
    GAME_DECLARE_CLASS(CountingSelfBuff)

public:
    void StopSkill(Character& /*owner*/) override { ++stops; }
    int stops = 0;
};

GAME_IMPLEMENT_CLASS(CountingSelfBuff, SkillActivated);

namespace {

class SelfBuffCostTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        database.WriteRecord(CharacterBio::kRegenRecord, {"manaOverStorageLimit = 1"});
        Start();
        database.WriteRecord("Records/Creatures/Caster.dbr",
                             {"Class = Character", "characterLife = 1000", "characterMana = 100"});
        owner = ObjectManager::Instance().CreateObjectFromFile<Character>(
            "Records/Creatures/Caster.dbr");
        ASSERT_NE(owner, nullptr);
        owner->InitialUpdate();
        owner->GetCharacterBio().Update(*owner, 0);
        manager.Initialize(nullptr, owner);
    }

    CountingSelfBuff* Make(std::initializer_list<std::string> extra)
    {
        std::vector<std::string> lines{"Class = CountingSelfBuff", "skillMaxLevel = 1",
                                       "skillManaCost = 7", "skillCooldownTime = 2"};
        lines.insert(lines.end(), extra);
        std::string text;
        for (const std::string& line : lines)
            text += line + "\n";
        // Records are cached by path: each one gets its own.
        const std::string path = "Records/Skills/Aura" + std::to_string(++made) + ".dbr";
        database.WriteFile(path, text);
        auto* skill = ObjectManager::Instance().CreateObjectFromFile<CountingSelfBuff>(path);
        if (skill != nullptr) {
            skill->SetManager(&manager);
            skill->ReceiveStateUpdate(SkillState{1, true}, true);
        }
        return skill;
    }

    Character* owner = nullptr;
    int made = 0;
    SkillManager manager;
};

TEST_F(SelfBuffCostTest, LifeCostNeverKillsAndTheBuffStopsTheFrameManaRunsOut)
{
    CountingSelfBuff* buff = Make({"skillActiveLifeCost = 10", "skillActiveManaCost = 20"});
    ASSERT_NE(buff, nullptr);
    EXPECT_EQ(buff->GetTargetType(), SkillTargetType_Self);
    owner->SetCurrentMana(15.0f);

    // The character drains mana at its own update.
    auto frame = [&](int32_t ms) {
        buff->ApplyActiveCosts(*owner, ms);
        owner->GetCharacterBio().Update(*owner, 0);
    };
    frame(500);
    EXPECT_FLOAT_EQ(owner->GetCurrentLife(), 995.0f);
    EXPECT_FLOAT_EQ(owner->GetCharacterBio().GetManaAfterDrain(), 5.0f);
    EXPECT_EQ(buff->stops, 0);

    // The second 10 is still queued for draining, yet it empties the pool this frame.
    frame(500);
    EXPECT_FLOAT_EQ(owner->GetCurrentLife(), 990.0f);
    EXPECT_FLOAT_EQ(owner->GetCurrentMana(), 15.0f);
    EXPECT_FLOAT_EQ(owner->GetCharacterBio().GetManaAfterDrain(), 0.0f);
    EXPECT_EQ(buff->stops, 1);

    // 99 seconds would cost 990: not below the life left, so nothing is taken.
    buff->ApplyActiveCosts(*owner, 99000);
    owner->GetCharacterBio().Update(*owner, 0);
    EXPECT_FLOAT_EQ(owner->GetCurrentLife(), 990.0f);
}

TEST_F(SelfBuffCostTest, CooldownStartsAtTheEndUnlessTheKindSaysOtherwise)
{
    CountingSelfBuff* buff = Make({});
    ASSERT_NE(buff, nullptr);
    owner->SetCurrentMana(50.0f);
    EXPECT_TRUE(buff->IsCooldownAtEnd());
    buff->ApplyCost(true);
    owner->GetCharacterBio().Update(*owner, 0);
    EXPECT_EQ(buff->GetCooldownRemaining(), 0);
    buff->ApplyCost(false);
    EXPECT_EQ(buff->GetCooldownRemaining(), 2000);
}

TEST_F(SelfBuffCostTest, DispelStopsOnlyADispelableBuff)
{
    CountingSelfBuff* buff = Make({});
    ASSERT_NE(buff, nullptr);
    buff->DispellSelfBuff(*owner);
    EXPECT_EQ(buff->stops, 1);

    CountingSelfBuff* kept = Make({"notDispelable = 1"});
    ASSERT_NE(kept, nullptr);
    kept->DispellSelfBuff(*owner);
    EXPECT_EQ(kept->stops, 0);

    uint32_t target = 0;
    EXPECT_TRUE(kept->GetValidTarget(*owner, target, WorldVec3(), false, 0.0f));
    EXPECT_EQ(target, owner->GetObjectId());
}

} // namespace
} // namespace GAME::Test
