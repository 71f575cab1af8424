#include "skills/SkillManager.h"

#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"
#include "skills/Skill.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/Records.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

constexpr const char* kSkills = "skillName1 = Records/Skills/Fire.dbr\n"
                                "skillName2 = Records/Skills/Ice.dbr\n"
                                "skillName3 = Records/Skills/Wind.dbr\n";

class SkillManagerStreamTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        for (const char* name : {"Fire", "Ice", "Wind"})
            database.WriteRecord(std::string("Records/Skills/") + name + ".dbr",
                                 {"Class = LoadedSkill"});
    }

    static void Learn(SkillManager& manager) { manager.LoadSkills(Record(kSkills), 3); }

    static Skill* Get(const SkillManager& manager, const char* name)
    {
        return manager.GetSkill(
            manager.FindSkillId(std::string("Records/Skills/") + name + ".dbr"));
    }

    // A skills block as a hostile file might hold it: the count and then nothing.
    static std::vector<uint8_t> BlockWithCount(int32_t count)
    {
        IOStreamWrite out;
        out.BeginBlock();
        out.StreamInt("max", count);
        uint32_t zero = 0;
        out.StreamUInt("masteriesAllowed", zero);
        out.StreamUInt("skillReclamationPointsUsed", zero);
        out.EndBlock();
        return out.GetBytes();
    }
};

TEST_F(SkillManagerStreamTest, SavedLevelsComeBackButNotTheRunningState)
{
    SkillManager saved;
    Learn(saved);
    Get(saved, "Fire")->ReceiveStateUpdate(SkillState{4, true}, false);
    Get(saved, "Wind")->ReceiveStateUpdate(SkillState{9, false}, false);
    Get(saved, "Wind")->ReceiveActiveUpdate(nullptr, SkillActiveState(3, true, true), false);
    saved.SetMasteriesAllowed(2);
    saved.SetSkillReclamationPointsUsed(17);
    IOStreamWrite out;
    saved.StreamProperties(&out);

    std::string text;
    ASSERT_TRUE(IOStreamRead::Describe(out.GetBytes(), text));
    EXPECT_NE(text.find("max"), std::string::npos);

    SkillManager restored;
    Learn(restored);
    IOStreamRead in(out.GetBytes());
    restored.StreamProperties(&in);
    ASSERT_FALSE(in.HasFailed());
    EXPECT_EQ(Get(restored, "Fire")->GetSkillLevel(), 4u);
    EXPECT_TRUE(Get(restored, "Fire")->GetSkillState().enabled);
    EXPECT_EQ(Get(restored, "Ice")->GetSkillLevel(), 0u);
    EXPECT_EQ(Get(restored, "Wind")->GetSkillLevel(), 9u);
    EXPECT_EQ(Get(restored, "Wind")->GetSkillActiveState().subLevel, 0);
    EXPECT_EQ(restored.GetMasteriesAllowed(), 2u);
    EXPECT_EQ(restored.GetSkillReclamationPointsUsed(), 17u);

    // A save naming a skill this character lacks passes over it.
    SkillManager other;
    IOStreamRead again(out.GetBytes());
    other.StreamProperties(&again);
    EXPECT_FALSE(again.HasFailed());
    EXPECT_EQ(other.GetSkillReclamationPointsUsed(), 17u);
}

TEST_F(SkillManagerStreamTest, HostileCountsReadNothing)
{
    for (int32_t count : {-1, 65537}) {
        SkillManager manager;
        IOStreamRead in(BlockWithCount(count));
        manager.StreamProperties(&in);
        EXPECT_FALSE(in.HasFailed()) << count;
    }
    EXPECT_EQ(log.Count(1, "SkillManager: (no character): 65537 saved skills refused"), 1u);

    // A count the stream cannot back stops at the first failed block.
    SkillManager manager;
    IOStreamRead in(BlockWithCount(3));
    manager.StreamProperties(&in);
    EXPECT_TRUE(in.HasFailed());
}

TEST_F(SkillManagerStreamTest, ReplicasCarryLearnedSkillsAboveLevelZero)
{
    SkillManager owner;
    Learn(owner);
    Get(owner, "Ice")->ReceiveStateUpdate(SkillState{5, true}, false);
    Get(owner, "Ice")->ReceiveActiveUpdate(nullptr, SkillActiveState(1, true, false), false);
    std::vector<SkillManager::_SkillReplica> replicas;
    owner.GetSkillReplica(replicas);
    ASSERT_EQ(replicas.size(), 1u);
    EXPECT_EQ(replicas[0].skillName, "Records/Skills/Ice.dbr");

    replicas.push_back({"Records/Skills/Unknown.dbr", SkillState{8, true}, {}});
    SkillManager mirror;
    Learn(mirror);
    mirror.SetSkillReplica(replicas);
    EXPECT_EQ(Get(mirror, "Ice")->GetSkillLevel(), 5u);
    EXPECT_EQ(Get(mirror, "Ice")->GetSkillActiveState().subLevel, 1);
    EXPECT_TRUE(Get(mirror, "Ice")->GetSkillActiveState().active);
    EXPECT_EQ(Get(mirror, "Fire")->GetSkillLevel(), 0u);
}

} // namespace
} // namespace GAME::Test
