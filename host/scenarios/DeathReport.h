#pragma once

#include <cstdint>
#include <iosfwd>

namespace GAME {

// `gamehost --deaths`: three sample monsters die in a world of the host's own, one frame at a
// time, and each frame prints what the death asked of the engine; then an aura times out on a
// monster and a monster picks its target from the hate list of three attackers.
class DeathReport {
public:
    static constexpr const char* kDissolvingMonster =
        "Records/Creatures/Monster/Jackalman/JackalmanShaman.dbr";
    static constexpr const char* kFadingMonster =
        "Records/Creatures/Monster/Jackalman/JackalmanWarrior.dbr";
    static constexpr const char* kSpawningMonster =
        "Records/Creatures/Monster/Jackalman/JackalmanNecromancer.dbr";
    static constexpr const char* kAura = "Records/Effects/Particles/Swirl.dbr";
    static constexpr int32_t kFrameMs = 500;
    // Until the die action plays the animation through, its "End" comes this long after the
    // death starts.
    static constexpr int32_t kAnimationEndMs = 1000;
    // A death that has not finished by then is reported as stuck.
    static constexpr int32_t kMaxDeathMs = 10000;

    DeathReport(std::ostream& out, std::ostream& err);
    DeathReport(const DeathReport&) = delete;
    DeathReport& operator=(const DeathReport&) = delete;

    // False, with one line on `err`, when the library does not start or a sample record does
    // not make its monster. The library is shut down again either way.
    bool Run();

private:
    bool ShowDeaths();
    bool ShowDeath(const char* record);
    bool ShowAura();
    bool ShowTarget();

    std::ostream& out;
    std::ostream& err;
};

} // namespace GAME
