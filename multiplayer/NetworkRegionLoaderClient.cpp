#include "multiplayer/NetworkRegionLoaderClient.h"

#include "engine/Engine.h"
#include "engine/Region.h"
#include "engine/RegionLoader.h"
#include "engine/World.h"
#include "engine/WorldFrustum.h"
#include "game/GameEngine.h"

#include <vector>

namespace GAME {

NetworkRegionLoaderClient::NetworkRegionLoaderClient() = default;

NetworkRegionLoaderClient::~NetworkRegionLoaderClient() = default;

void NetworkRegionLoaderClient::SendStateChange(uint32_t player, int32_t state)
{
    GameEngine::Get().CtoS_HandleNRLoaderStateChangeOutbound(player, state);
}

void NetworkRegionLoaderClient::StartLoading()
{
    World* world = gEngine->GetWorld();
    if (!position.HasRegion() || world == nullptr || position.GetRegion() == nullptr)
        return;
    WorldFrustum view;
    GameEngine::Get().GetFrustumForPlayer(view, position);
    const WorldFrustum inflated(view.GetRegionId(),
                                view.GetFrustum().GetInflated(gEngine->GetLevelLoadInflation()));
    std::vector<Region*> regions;
    world->GetRegionsInFrustum(regions, inflated);
    std::vector<uint32_t> regionIds;
    regionIds.reserve(regions.size());
    for (const Region* region : regions)
        regionIds.push_back(region->GetId());
    regionLoader = std::make_unique<RegionLoader>(std::move(regionIds));
}

void NetworkRegionLoaderClient::UpdateRegionLoader()
{
    if (regionLoader != nullptr)
        regionLoader->Update();
}

bool NetworkRegionLoaderClient::RegionsLoaded() const
{
    return regionLoader != nullptr && regionLoader->GetIsDone();
}

void NetworkRegionLoaderClient::BeginLoading()
{
    StartLoading();
    SendStateChange(playerId, 1);
    SetLocalState(1);
}

void NetworkRegionLoaderClient::Update()
{
    UpdateRegionLoader();
    if (localState == 0) {
        BeginLoading();
    } else if (localState == 1 && RegionsLoaded()) {
        SendStateChange(playerId, 2);
        SetLocalState(2);
    }
}

} // namespace GAME
