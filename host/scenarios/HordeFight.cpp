#include "host/scenarios/HordeFight.h"

#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "engine/ABBox.h"
#include "engine/Engine.h"
#include "engine/GraphicsEngine.h"
#include "engine/ObjectManager.h"
#include "engine/Platform.h"
#include "engine/Vec3.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "host/FrameCostHistogram.h"
#include "host/HostInterrupt.h"
#include "host/HostOptions.h"
#include "host/HostSamples.h"
#include "host/scenarios/ArenaReport.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ostream>

#include <time.h>

namespace GAME {

namespace {

constexpr uint32_t kHordeRegion = 1;
// Packs stand this far apart: each fights its own guard, not its neighbours'.
constexpr float kPackSpacing = 30.0f;
constexpr int32_t kFollowers = 7;
constexpr int32_t kDefaultFrames = 300;

WorldCoords HordePlace(float x, float z)
{
    return WorldCoords(WorldVec3(kHordeRegion, Vec3(x, 0.0f, z)));
}

int32_t PacksPerRow(int32_t packs)
{
    return std::max(1, static_cast<int32_t>(std::ceil(std::sqrt(static_cast<double>(packs)))));
}

std::string Fixed(double value, int decimals)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

} // namespace

// The thread's own processor time: on a shared machine, the time others take from this core is
// not the frame's cost.
double HordeFight::ThreadMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) * 1e-6;
}

// The command line asks for whole packs; the benchmark may round up.
static_assert(HordeFight::kPackSize == HostOptions::kHordePackSize);

HordeFight::HordeFight(int32_t monsters, uint32_t seed, std::ostream& err)
    : monsters(std::clamp(monsters, 1, HostOptions::kMaxMonsters)), seed(seed), err(err)
{
    this->monsters = (this->monsters + kPackSize - 1) / kPackSize * kPackSize;
}

HordeFight::~HordeFight()
{
    if (previousWorld == nullptr)
        return;
    HostSamples::ClearWorld(*gEngine->GetWorld());
    gEngine->SetWorld(std::move(previousWorld));
    GraphicsEngine::Instance().UnloadAnimation(claw);
    GraphicsEngine::Instance().UnloadAnimation(punch);
}

bool HordeFight::Stage()
{
    Platform::SRand(seed);
    GameEngine& game = GameEngine::Get();
    game.GetRandomGen().Seed(seed);
    game.SetGameLoading(false);
    const int32_t packs = monsters / kPackSize;
    const float half = static_cast<float>(PacksPerRow(packs)) * kPackSpacing * 0.5f + kPackSpacing;
    previousWorld = gEngine->SetWorld(std::make_unique<World>());
    gEngine->GetWorld()->CreateRegion(kHordeRegion, {0, 0, 0},
                                      ABBox({-half, -10, -half}, {half, 10, half}));
    // The sample animations carry no events: the blows land where the swing does.
    claw = HostSamples::MarkHitEvent(ArenaReport::kClawAnimation, ArenaReport::kHitEvent,
                                     ArenaReport::kHitMs);
    punch = HostSamples::MarkHitEvent(ArenaReport::kPunchAnimation, ArenaReport::kHitEvent,
                                      ArenaReport::kHitMs);
    Player* hero = HostSamples::Make<Player>(kHero, err);
    if (hero == nullptr)
        return false;
    const float first = -half + kPackSpacing;
    HostSamples::EnterWorld(*hero, HordePlace(first - 4.0f, first));
    const double start = ThreadMs();
    const int32_t row = PacksPerRow(packs);
    for (int32_t pack = 0; pack < packs; ++pack) {
        const float x = first + static_cast<float>(pack % row) * kPackSpacing;
        const float z = first + static_cast<float>(pack / row) * kPackSpacing;
        if (!StagePack(pack, x, z))
            return false;
    }
    createUs = (ThreadMs() - start) * 1000.0 / static_cast<double>(monsters);
    return true;
}

// The chieftain in the middle, his followers in a ring, the menders behind; the guard a few
// steps off, within every member's sight.
bool HordeFight::StagePack(int32_t /*pack*/, float x, float z)
{
    uint32_t leader = 0;
    if (!Enter(kLeader, x, z, leader))
        return false;
    for (int32_t i = 0; i < kFollowers; ++i) {
        const float angle = static_cast<float>(i) * 6.2831853f / static_cast<float>(kFollowers);
        uint32_t id = 0;
        if (!Enter(kFollower, x + 2.0f * std::cos(angle), z + 2.0f * std::sin(angle), id))
            return false;
        ObjectManager::Instance().GetObject<Monster>(id)->JoinMe(leader, -1, false);
    }
    uint32_t id = 0;
    if (!Enter(kMender, x - 3.0f, z - 1.0f, id) || !Enter(kMender, x - 3.0f, z + 1.0f, id))
        return false;
    Monster* guard = HostSamples::Make<Monster>(kGuard, err);
    if (guard == nullptr)
        return false;
    HostSamples::EnterWorld(*guard, HordePlace(x + 5.0f, z));
    return true;
}

bool HordeFight::Enter(const char* record, float x, float z, uint32_t& id)
{
    Monster* monster = HostSamples::Make<Monster>(record, err);
    if (monster == nullptr)
        return false;
    HostSamples::EnterWorld(*monster, HordePlace(x, z));
    id = monster->GetObjectId();
    horde.push_back(id);
    return true;
}

double HordeFight::Frame(int32_t elapsedMs)
{
    const double start = ThreadMs();
    gEngine->RunFrame(elapsedMs);
    GameEngine::Get().Update(elapsedMs);
    return (ThreadMs() - start);
}

int32_t HordeFight::CountDeaths() const
{
    int32_t deaths = 0;
    for (uint32_t id : horde) {
        const auto* monster = ObjectManager::Instance().GetObject<Character>(id);
        deaths += monster == nullptr || !monster->IsAlive() ? 1 : 0;
    }
    return deaths;
}

HordeFight::Figures HordeFight::Sum(const FrameCostHistogram& frameMs, int32_t monsters)
{
    Figures figures;
    figures.monsters = monsters;
    figures.meanMs = frameMs.GetMean();
    figures.p99Ms = frameMs.GetPercentile(99);
    figures.worstMs = frameMs.GetWorst();
    figures.perMonsterUs = figures.meanMs * 1000.0 / static_cast<double>(std::max(monsters, 1));
    return figures;
}

bool HordeFight::Play(int32_t frames, int32_t elapsedMs, Figures& figures)
{
    if (!Stage())
        return false;
    const double spawn = Frame(elapsedMs);
    FrameCostHistogram frameMs(kFrameMsDecimals);
    for (int32_t frame = 0; frame < frames && HostInterrupt::Caught() == 0; ++frame)
        frameMs.Add(Frame(elapsedMs));
    figures = Sum(frameMs, monsters);
    figures.spawnFrameMs = spawn;
    figures.createPerMonsterUs = createUs;
    figures.deaths = CountDeaths();
    return true;
}

int HordeFight::Run(const HostOptions& options, std::ostream& out, std::ostream& err)
{
    gEngine->SetNetworkMode(false, false);
    const int32_t frames = options.frames > 0 ? options.frames : kDefaultFrames;
    Figures figures;
    const bool played = HostSamples::WithLibrary(err, [&] {
        HordeFight fight(options.monsters, options.seed, err);
        return fight.Play(frames, options.frameMilliseconds, figures);
    });
    if (!played)
        return 2;
    out << "scenario horde, seed " << options.seed << ", " << figures.monsters << " monsters in "
        << figures.monsters / kPackSize << " packs, " << frames << " frames of "
        << options.frameMilliseconds << " ms:\n"
        << "  spawn: " << Fixed(figures.createPerMonsterUs, 1)
        << " us a monster to make, first frame " << Fixed(figures.spawnFrameMs, 3) << " ms\n"
        << "  frame: mean " << Fixed(figures.meanMs, 3) << " ms, p99 " << Fixed(figures.p99Ms, 3)
        << " ms, worst " << Fixed(figures.worstMs, 3) << " ms, " << Fixed(figures.perMonsterUs, 3)
        << " us a monster\n"
        << "  fallen: " << figures.deaths << " of " << figures.monsters << '\n';
    return 0;
}

} // namespace GAME
