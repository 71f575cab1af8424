#include "host/DeathReport.h"

#include "tests/host/HostRun.h"

#include <gtest/gtest.h>

#include <string>

namespace GAME::Test {
namespace {

TEST(DeathReport, TheSampleMonstersDieFrameByFrameAndLeaveNothingBehind)
{
    const HostRun run = RunHost({"--db", SampleDatabase(), "--deaths"});
    EXPECT_EQ(run.status, 0);
    // Every record the deaths name is there and well formed.
    EXPECT_EQ(DataErrors(run.err), "") << run.err;

    const std::string die = "animation Creatures/Monster/Jackalman/Animations/Die.anm";
    const std::string warrior = DeathReport::kFadingMonster;
    const std::string bones = "Records/Creatures/Monster/Jackalman/JackalmanBones.dbr";
    const std::string lines[] = {
        // The glow dims 5 a second; "End" lets the dissolve take the body before its 1.5 s.
        std::string("death of ") + DeathReport::kDissolvingMonster +
            " (handlers: Default, Dissolve):\n"
            "  0 ms: " +
            die +
            "; dissolve over 1.5 s; light radius 10.0\n"
            "  500 ms: light radius 7.5\n"
            "  1000 ms: \"End\"; body removed; death over\n",
        // Two seconds of fading from white; the animation's end alone does not take the body.
        "death of " + warrior +
            " (handlers: Default, Fade, PlayEffect):\n"
            "  0 ms: " +
            die +
            "\n"
            "  500 ms: tint 0.8 0.8 0.8\n"
            "  1000 ms: \"End\"; tint 0.5 0.5 0.5\n"
            "  1500 ms: tint 0.2 0.2 0.2\n"
            "  2000 ms: body removed; death over\n",
        std::string("death of ") + DeathReport::kSpawningMonster +
            " (handlers: Default, Dissolve, SpawnActor, SpawnMyBones):\n"
            "  0 ms: " +
            die + "; spawned " + warrior + " in the world; spawned " + bones +
            " on the body\n"
            "  1000 ms: \"End\"; body removed; spawned " +
            bones + " in the world; death over\n",
        std::string("aura ") + DeathReport::kAura + " on " + warrior +
            " for 1 s:\n"
            "  1000 ms: aura gone\n",
        // 45 beats 30 and 20, whatever the others lost to it.
        "hate list of " + warrior +
            ":\n"
            "  attacker 1 adds anger 20.0\n"
            "  attacker 2 adds anger 45.0\n"
            "  attacker 3 adds anger 30.0\n"
            "  target: attacker 2\n",
        // The bodies, what they spawned, their effects and the attackers all went.
        "objects: 0\n",
    };
    size_t at = 0;
    for (const std::string& line : lines) {
        const size_t found = run.out.find(line, at);
        ASSERT_NE(found, std::string::npos) << "missing, in order:\n" << line << "\n" << run.out;
        at = found + line.size();
    }
}

} // namespace
} // namespace GAME::Test
