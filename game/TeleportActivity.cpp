#include "game/TeleportActivity.h"

#include "characters/Player.h"
#include "core/Helpers.h"
#include "core/Saturate.h"
#include "engine/Engine.h"
#include "engine/GraphicsCanvas.h"
#include "engine/GraphicsEngine.h"
#include "engine/ObjectManager.h"
#include "engine/PieOmatic.h"
#include "engine/Region.h"
#include "engine/SoundPak.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "multiplayer/NetworkRegionLoaderBase.h"

#include <algorithm>
#include <utility>

namespace GAME {

namespace {

constexpr const char* kHourglassTexture = "UI/UI_Hourglass.tex";
constexpr const char* kDepartureSound = "Sounds/Soundpak/Player/PlayerTeleportOutgoing.dbr";
constexpr float kTeleportPieBox = 100.0f;

template <typename Operation> void ForEachMesh(Player& player, Operation operation)
{
    operation(static_cast<Actor&>(player));
    for (Entity* child : player.GetAttachedChildren())
        if (Actor* actor = DynamicCast<Actor>(child))
            operation(*actor);
}

} // namespace

TeleportActivity::TeleportActivity()
    : pie(std::make_unique<PieOmatic>("InGameUI/UI_LoadingArt_01.tex",
                                      "InGameUI/UI_LoadingArt_Grey01.tex"))
{
    hourglass = GraphicsEngine::Instance().LoadTexture(kHourglassTexture);
    if (auto* sound = ObjectManager::Instance().CreateObjectFromFile<SoundPak>(kDepartureSound))
        departureSoundId = sound->GetObjectId();
}

TeleportActivity::~TeleportActivity()
{
    GraphicsEngine::Instance().UnloadTexture(hourglass);
    ObjectManager& objects = ObjectManager::Instance();
    if (auto* sound = objects.GetObject<SoundPak>(departureSoundId))
        objects.DestroyObjectEx(sound, "Project/Game/TeleportActivity", 56);
    if (raisedNeedsSleep && gGameEngine != nullptr)
        gGameEngine->DecrementNeedsSleepCounter();
}

void TeleportActivity::SetDestination(int32_t x, int32_t y, int32_t z, uint32_t player)
{
    integerDestination[0] = x;
    integerDestination[1] = y;
    integerDestination[2] = z;
    playerId = player;
    World* world = gEngine->GetWorld();
    const Vec3 point(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
    const Region* region = world != nullptr ? world->GetRegionContainingPoint(point) : nullptr;
    if (region == nullptr)
        return;
    destination = WorldVec3(region->GetId(), region->GetRelativePosition(point));
    if (auto* sound = ObjectManager::Instance().GetObject<SoundPak>(departureSoundId))
        sound->Play(WorldCoords(destination), false, true);
    StartOutbound();
    if (regionLoader)
        regionLoader->Register(destination, playerId);
}

void TeleportActivity::Update(int ms)
{
    AddStatisticText();
    stateTimer = AddSaturating(stateTimer, Max(ms, 0));
    pie->Update(ms);
    if (regionLoader && regionLoader->HasPlayerId())
        regionLoader->Update();
    // Without a destination region the teleport could never arrive; it ends rather than leave
    // the screen dark for good.
    if (GetPlayer() == nullptr || !destination.HasRegion()) {
        SetState(kFinishedState);
        return;
    }
    UpdateState();
}

void TeleportActivity::Render(GraphicsCanvas& canvas)
{
    if (!DrawsOverlay())
        return;
    Player* player = GetPlayer();
    if (player == nullptr || !player->IsControllingCharacter())
        return;
    const float t =
        std::clamp(static_cast<float>(stateTimer) / static_cast<float>(fadeTime), 0.0f, 1.0f);
    const float width = static_cast<float>(canvas.GetWidth());
    const float height = static_cast<float>(canvas.GetHeight());
    float opacity = -1.0f;
    if (state == 1)
        opacity = t;
    else if (state == 2)
        opacity = 1.0f;
    else if (state == 3)
        opacity = 1.0f - t;
    if (opacity >= 0.0f)
        canvas.RenderRect(Rect(0.0f, 0.0f, width, height), Color(0.0f, 0.0f, 0.0f, opacity));
    pie->Render(canvas, Rect(width - kTeleportPieBox, height - kTeleportPieBox, kTeleportPieBox,
                             kTeleportPieBox));
}

void TeleportActivity::SetState(int32_t newState)
{
    state = newState;
    stateTimer = 0;
}

Player* TeleportActivity::GetPlayer() const
{
    return ObjectManager::Instance().GetObject<Player>(playerId);
}

bool TeleportActivity::IsLoaderDone() const
{
    return !regionLoader || regionLoader->IsDone();
}

void TeleportActivity::WaitForLoading()
{
    if (loaded || !IsLoaderDone())
        return;
    stateTimer %= loadingStep;
    loaded = true;
}

void TeleportActivity::Depart(Player& player)
{
    player.SetTeleporting(true);
    player.SetInvincible(true);
    BeginDissolve(player);
    AddTeleportEffect(player);
    SetState(1);
}

void TeleportActivity::BeginDissolve(Player& player) const
{
    const float seconds = static_cast<float>(fadeTime) / 1000.0f;
    ForEachMesh(player, [&](Actor& actor) {
        actor.BeginDissolve(player.GetDissolveColorRed(), player.GetDissolveColorGreen(),
                            player.GetDissolveColorBlue(), seconds, dissolveTexture);
    });
}

void TeleportActivity::BeginUnDissolve(Player& player) const
{
    const float seconds = static_cast<float>(fadeTime) / 1000.0f;
    ForEachMesh(player, [&](Actor& actor) {
        actor.BeginUnDissolve(player.GetDissolveColorRed(), player.GetDissolveColorGreen(),
                              player.GetDissolveColorBlue(), seconds, dissolveTexture);
    });
}

void TeleportActivity::AddTeleportEffect(Player& player) const
{
    World* world = gEngine->GetWorld();
    if (world == nullptr || !player.IsInWorld())
        return;
    if (auto* effect = ObjectManager::Instance().CreateObjectFromFile<Entity>(effectRecord))
        world->AddEntity(effect, player.GetCoords(), false);
}

void TeleportActivity::PlaceCharacterAtDestination(Player& player) const
{
    World* world = gEngine->GetWorld();
    if (world == nullptr)
        return;
    WorldVec3 floor = destination;
    floor.TranslateToFloor(Vec3());
    const WorldCoords coords(floor);
    if (player.IsInWorld())
        world->SetCoords(&player, coords);
    else
        world->AddEntity(&player, coords, false);
    player.ResetMovementManager();
}

void TeleportActivity::RaiseNeedsSleep()
{
    if (raisedNeedsSleep)
        return;
    GameEngine::Get().IncrementNeedsSleepCounter();
    raisedNeedsSleep = true;
}

void TeleportActivity::SetRegionLoader(std::unique_ptr<NetworkRegionLoaderBase> loader)
{
    regionLoader = std::move(loader);
}

} // namespace GAME
