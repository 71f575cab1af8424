#pragma once

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <vector>

namespace GAME {

class FrameCostHistogram;
class GraphicsAnim;
class World;
struct HostOptions;

// A whole fight at scale, timed frame by frame as the hub runs it: packs of ten sample monsters
// (a chieftain, seven followers who join him, two menders who heal them) spread over one wide
// region, each pack facing a sturdy guard of the hero's band, the hero in the first pack's
// sight. Monsters think, close in, strike, heal, die and drop their loot. Shared by
// `gamehost --scenario horde` and the frame benchmark, so both measure the same frame.
class HordeFight {
public:
    static constexpr const char* kHero = "Records/Creatures/PC/HeroBrawler.dbr";
    static constexpr const char* kGuard = "Records/Creatures/Monster/Horde/Guard.dbr";
    static constexpr const char* kLeader = "Records/Creatures/Monster/Arena/PackChieftain.dbr";
    static constexpr const char* kFollower = "Records/Creatures/Monster/Arena/PackFollower.dbr";
    static constexpr const char* kMender = "Records/Creatures/Monster/Arena/PackMender.dbr";
    static constexpr int32_t kPackSize = 10;

    struct Figures {
        int32_t monsters = 0;
        // Making, placing and first updating one monster, on average.
        double createPerMonsterUs = 0.0;
        // The first frame, in which every controller builds its states.
        double spawnFrameMs = 0.0;
        // Over the frames after it.
        double meanMs = 0.0;
        double p99Ms = 0.0;
        double worstMs = 0.0;
        double perMonsterUs = 0.0;
        int32_t deaths = 0;
    };

    // Needs the library started with the sample database; `monsters` is rounded up to whole
    // packs and bounded by `HostOptions::kMaxMonsters`.
    HordeFight(int32_t monsters, uint32_t seed, std::ostream& err);
    ~HordeFight();
    HordeFight(const HordeFight&) = delete;
    HordeFight& operator=(const HordeFight&) = delete;

    // False, with one line on `err`, when a sample record does not make its character.
    bool Stage();
    // One frame of the engine and the hub; its cost in milliseconds.
    double Frame(int32_t elapsedMs);
    // Stages, plays the spawn frame and `frames` more, and sums them up.
    bool Play(int32_t frames, int32_t elapsedMs, Figures& figures);
    int32_t CountDeaths() const;
    // The monsters by pack, in the order they were made: each pack's chieftain first.
    const std::vector<uint32_t>& GetHorde() const { return horde; }

    // `gamehost --scenario horde --monsters N`: the fight over `--frames` (300 when none are
    // given) with its figures printed; 0, or 2 with one line on `err`.
    static int Run(const HostOptions& options, std::ostream& out, std::ostream& err);
    // The frames' costs in milliseconds, counted to the microsecond the figures print.
    static constexpr int kFrameMsDecimals = 3;
    static Figures Sum(const FrameCostHistogram& frameMs, int32_t monsters);
    // This thread's processor time in milliseconds, the clock every figure is taken on.
    static double ThreadMs();

private:
    bool Enter(const char* record, float x, float z, uint32_t& id);
    bool StagePack(int32_t pack, float x, float z);

    int32_t monsters;
    uint32_t seed;
    std::ostream& err;
    std::vector<uint32_t> horde;
    std::unique_ptr<World> previousWorld;
    GraphicsAnim* claw = nullptr;
    GraphicsAnim* punch = nullptr;
    double createUs = 0.0;
};

} // namespace GAME
