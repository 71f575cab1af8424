#include "host/scenarios/LevelReport.h"

#include "characters/Player.h"
#include "core/GameEvents.h"
#include "core/RandomUniform.h"
#include "engine/DayNightManager.h"
#include "engine/EffectEntity.h"
#include "engine/Engine.h"
#include "engine/EventHandler.h"
#include "engine/FilterFunction.h"
#include "engine/Jukebox.h"
#include "engine/ObjectManager.h"
#include "engine/SoundManager.h"
#include "engine/SoundPak.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "host/HostOptions.h"
#include "host/HostSamples.h"
#include "host/ShownName.h"
#include "host/scenarios/LevelFixedItems.h"
#include "multiplayer/PlayerManagerClient.h"
#include "world/Fx.h"
#include "world/FxPak.h"

#include <cstdio>
#include <memory>
#include <ostream>
#include <vector>

namespace GAME {

namespace {

// The hero's way through the level, in region 1.
const Vec3 kWaypoints[] = {{0, 0, 0}, {45, 0, 0}, {90, 0, 0}, {92, 0, 0}, {150, 0, 0}};

const char* RequestName(Jukebox::RequestType type)
{
    switch (type) {
    case Jukebox::PlayEventMusicRequest:
        return "PlayEventMusic";
    case Jukebox::FadeOutMusicRequest:
        return "FadeOutMusic";
    case Jukebox::FadeInMusicRequest:
        return "FadeInMusic";
    case Jukebox::LoadAmbientPlaylistRequest:
        return "LoadAmbientPlaylist";
    case Jukebox::LoadMusicPlaylistRequest:
        return "LoadMusicPlaylist";
    default:
        return "Other";
    }
}

class IsEffect : public FilterFunction<Entity> {
public:
    bool operator()(const Entity* candidate) const override
    {
        return DynamicCast<Fx>(candidate) != nullptr ||
               DynamicCast<EffectEntity>(candidate) != nullptr ||
               DynamicCast<FxPak>(candidate) != nullptr;
    }
};

// "enter VOLUME ENTITY" and "exit VOLUME ENTITY" as the volumes send them.
class VolumePrinter {
public:
    VolumePrinter(std::ostream& out, const int64_t& frame)
        : out(out), frame(frame),
          enter("GameEvent_EnterBoundingVolume", &VolumePrinter::OnEnter, this),
          exit("GameEvent_ExitBoundingVolume", &VolumePrinter::OnExit, this)
    {}

private:
    void OnEnter(const GameEvent_EnterBoundingVolume& event)
    {
        out << "frame " << frame << ": enter " << event.volumeId << ' ' << event.entityId << '\n';
    }
    void OnExit(const GameEvent_ExitBoundingVolume& event)
    {
        out << "frame " << frame << ": exit " << event.volumeId << ' ' << event.entityId << '\n';
    }
    std::ostream& out;
    const int64_t& frame;
    EventHandler<VolumePrinter, GameEvent_EnterBoundingVolume> enter;
    EventHandler<VolumePrinter, GameEvent_ExitBoundingVolume> exit;
};

} // namespace

LevelReport::LevelReport(const HostOptions& options, std::ostream& out, std::ostream& err)
    : options(options), out(out), err(err)
{}

bool LevelReport::Run()
{
    if (!options.inputFile.empty()) {
        OrderScript script({});
        std::string error;
        if (!script.Load(options.inputFile, error)) {
            err << "gamehost: script '" << ShownName(options.inputFile) << "' " << error << '\n';
            return false;
        }
        // The level names nothing a click could aim at: its hero only walks.
        for (const ScriptOrder& order : script.GetOrders()) {
            if (order.kind != ScriptOrder::Kind::Click) {
                err << "gamehost: script '" << ShownName(options.inputFile) << "' line "
                    << order.line << ": the level scenario takes only ground clicks\n";
                return false;
            }
        }
        orders = script.GetOrders();
    }
    gEngine->SetNetworkMode(false, false);
    Jukebox::Instance().Reset();
    DayNightManager::Instance().Reset();
    return HostSamples::WithLibrary(err, [this] { return Play(); });
}

bool LevelReport::Play()
{
    out << "scenario level as single player, seed " << options.seed << ":\n";
    GameEngine& game = GameEngine::Get();
    game.GetRandomGen().Seed(options.seed);
    std::unique_ptr<World> previousWorld = gEngine->SetWorld(std::make_unique<World>());
    World& world = *gEngine->GetWorld();
    VolumePrinter volumes(out, frame);
    // Sounds started while the level loads are heard from where the hero will stand.
    SoundManager::Instance().SetEarsPosition(WorldVec3(1, kWaypoints[0]));
    SoundPak::SetPlayObserver([this](const SoundPak& pak, const SoundPak::PlayRequest&) {
        out << "frame " << frame << ": sound " << ShownName(pak.GetObjectName()) << '\n';
    });
    std::vector<uint32_t> made;
    LevelFixedItems::DescribeAnimations();
    gEngine->GetGameInfo().SetDifficulty(options.difficulty);
    bool done = world.LoadLevel(kLevel, &made);
    Player* hero = done ? HostSamples::Make<Player>(kPlayer, err) : nullptr;
    if (!done)
        err << "the level " << kLevel << " was refused\n";
    if (hero != nullptr) {
        out << "  level objects " << made.size() << ", hero " << hero->GetObjectId() << '\n';
        game.GetPlayerManagerClient()->SetMainPlayer(hero->GetObjectId());
        hero->SetIsControllingCharacter(true);
        world.AddEntity(hero, WorldCoords(WorldVec3(1, kWaypoints[0])), false);
        hero->InitialUpdate();
        landmarks.PrintLoaded(*hero);
        PrintEffects();
        LevelFixedItems items(out, frame);
        items.Begin();
        fixedItems = &items;
        Walk(*hero);
        fixedItems = nullptr;
        items.Restore();
        game.GetPlayerManagerClient()->SetMainPlayer(0);
    }
    SoundPak::SetPlayObserver(nullptr);
    landmarks.Finish();
    HostSamples::ClearWorld(world);
    gEngine->GetGameInfo().SetDifficulty(0);
    gEngine->SetWorld(std::move(previousWorld));
    return done && hero != nullptr;
}

void LevelReport::Walk(Player& hero)
{
    if (!options.inputFile.empty())
        return WalkOrders(hero);
    Vec3 at = kWaypoints[0];
    for (const Vec3& target : kWaypoints) {
        while (!(at == target))
            Step(hero, at, target);
    }
}

// Each click sets where the hero walks from its frame on; the walk ends once he stands at the
// last click after the last order's frame.
void LevelReport::WalkOrders(Player& hero)
{
    Vec3 at = kWaypoints[0];
    Vec3 target = at;
    size_t next = 0;
    const int64_t last = orders.empty() ? 0 : orders.back().frame;
    while ((frame < last || !(at == target)) && frame < last + kMaxFramesAfterLastOrder) {
        for (; next < orders.size() && orders[next].frame <= frame + 1; ++next)
            target = Vec3(orders[next].x, 0.0f, orders[next].z);
        Step(hero, at, target);
    }
}

void LevelReport::Step(Player& hero, Vec3& at, const Vec3& target)
{
    const Vec3 left = target - at;
    const float length = left.Length();
    at = length <= kStep ? target : at + left * (kStep / length);
    gEngine->GetWorld()->SetPosition(&hero, WorldVec3(1, at));
    // The hero's ears are the listener's.
    SoundManager::Instance().SetEarsPosition(WorldVec3(1, at));
    ++frame;
    gEngine->RunFrame(kFrameMilliseconds);
    if (fixedItems != nullptr)
        fixedItems->Step(hero, kFrameMilliseconds);
    PrintJukebox();
    PrintDaylight();
    PrintEffects();
    landmarks.PrintFrame();
}

void LevelReport::PrintJukebox()
{
    Jukebox& jukebox = Jukebox::Instance();
    for (const Jukebox::Request& request : jukebox.GetRequests()) {
        out << "frame " << frame << ": jukebox " << RequestName(request.type) << ' '
            << (request.name.empty() ? std::to_string(request.milliseconds) : request.name) << '\n';
    }
    jukebox.Reset();
}

void LevelReport::PrintDaylight()
{
    const DayNightManager& dayNight = DayNightManager::Instance();
    if (dayNight.GetSetStartTimeCount() == 0)
        return;
    char hour[32];
    std::snprintf(hour, sizeof hour, "%.2f", dayNight.GetStartTime());
    if (daylight != hour)
        out << "frame " << frame << ": daylight " << hour << '\n';
    daylight = hour;
}

void LevelReport::PrintEffects()
{
    std::vector<Entity*> found;
    gEngine->GetWorld()->GetEntities(found, IsEffect());
    std::map<uint32_t, std::string> now;
    for (const Entity* effect : found) {
        now.emplace(effect->GetObjectId(), ShownName(effect->GetObjectName()));
        if (effects.count(effect->GetObjectId()) == 0)
            out << "frame " << frame << ": effect " << ShownName(effect->GetObjectName())
                << " spawned\n";
    }
    for (const auto& [id, record] : effects) {
        if (now.count(id) == 0)
            out << "frame " << frame << ": effect " << record << " removed\n";
    }
    effects = std::move(now);
}

} // namespace GAME
