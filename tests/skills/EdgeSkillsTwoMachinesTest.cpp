#include "tests/host/HostRun.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace GAME::Test {
namespace {

const std::vector<std::string> kScenes = {
    "generator",  "ondeath",     "refresh",        "attackanim", "telekinesis", "dispel",
    "faux",       "spiritburst", "walls",          "ground",     "givebonus",   "lightofra",
    "mirage",     "chainlaser",  "chainlightning", "chainbonus", "fork",        "bonus",
    "buffradius", "petmodifier", "petspawn",       "teleport",   "transfer"};

// The controlling machine plays every edge skill; its commands, replayed into a client engine
// started afresh, must leave the same lives, places and walls in every scene.
class EdgeSkillsTwoMachines : public testing::TestWithParam<const char*> {};

TEST_P(EdgeSkillsTwoMachines, TheMirroringClientEndsEveryKindAsTheServerDid)
{
    const HostRun run =
        RunSample({"--scenario", "skillshow", "--role", "server", "--seed", GetParam()});
    ASSERT_EQ(run.status, 0) << run.err;
    std::vector<std::string> headers;
    for (const std::string& scene : kScenes)
        headers.push_back("scene " + scene + " (");
    ExpectInOrder(run.out, headers);
    EXPECT_EQ(LineAfter(run.out, "client agrees: "), "yes") << run.out;
    EXPECT_EQ(DataErrors(run.err), "");
}

INSTANTIATE_TEST_SUITE_P(Seeds, EdgeSkillsTwoMachines, testing::Values("1", "3", "977"));

} // namespace
} // namespace GAME::Test
