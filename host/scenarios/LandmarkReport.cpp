#include "host/scenarios/LandmarkReport.h"

#include "characters/Monster.h"
#include "characters/Player.h"
#include "core/MathUtils.h"
#include "engine/Engine.h"
#include "engine/FilterFunction.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "game/GameEngine.h"
#include "host/ShownName.h"
#include "world/GameCamera.h"
#include "world/ProxyAmbush.h"
#include "world/ProxyPool.h"
#include "world/StrategicMovementRespawnShrine.h"

#include <cstdio>
#include <ostream>
#include <vector>

namespace GAME {

namespace {

template <typename T> class OfClass : public FilterFunction<Entity> {
public:
    bool operator()(const Entity* candidate) const override
    {
        return DynamicCast<T>(candidate) != nullptr;
    }
};

// The world's entities of the class, in the order they joined it.
template <typename T> std::vector<T*> Find()
{
    std::vector<Entity*> found;
    gEngine->GetWorld()->GetEntities(found, OfClass<T>());
    std::vector<T*> typed;
    for (Entity* entity : found)
        typed.push_back(static_cast<T*>(entity));
    return typed;
}

// An object's record name as a line shows it; "-" for one gone.
std::string NameOf(const Object* object)
{
    return object != nullptr ? ShownName(object->GetObjectName()) : "-";
}

} // namespace

void LandmarkReport::PrintLoaded(Player& hero)
{
    for (const Proxy* proxy : Find<Proxy>()) {
        const ProxyPool* pool = proxy->GetPool();
        out << "frame " << frame << ": proxy " << NameOf(proxy) << " pool "
            << (pool != nullptr ? ShownName(pool->GetRecordName()) : "-") << " level "
            << proxy->GetProxyLevel() << '\n';
        std::vector<uint32_t> placed;
        proxy->GetPlacedObjects(placed);
        for (const uint32_t id : placed) {
            const Object* object = ObjectManager::Instance().GetObject(id);
            const auto* monster = DynamicCast<Monster>(object);
            out << "frame " << frame << ": placed " << NameOf(object) << " id " << id << " by "
                << NameOf(proxy);
            if (monster != nullptr)
                out << " siblings " << monster->GetProxyNumSiblings();
            out << '\n';
        }
    }
    GameCamera& camera = GameEngine::Get().GetCamera();
    camera.SetPlayer(&hero);
    camera.ResetToDefaults(true);
}

void LandmarkReport::PrintFrame()
{
    GameCamera& camera = GameEngine::Get().GetCamera();
    if (frame == 20)
        camera.Zoom(2.0f);
    if (frame == 60)
        camera.Shake(1500, 0.3f);
    camera.UpdateFromInput();
    camera.Update();
    PrintAmbushes();
    PrintLandmarks();
    if (frame % 10 == 0)
        PrintCamera();
}

void LandmarkReport::Finish()
{
    GameEngine::Get().GetCamera().SetPlayer(nullptr);
}

void LandmarkReport::PrintAmbushes()
{
    for (const ProxyAmbush* ambush : Find<ProxyAmbush>()) {
        size_t& seen = released[ambush->GetObjectId()];
        // The released list is pruned of the dead; what is new stands at its end.
        const std::vector<uint32_t>& now = ambush->GetReleasedObjects();
        for (size_t index = seen < now.size() ? seen : now.size(); index < now.size(); ++index) {
            const Object* object = ObjectManager::Instance().GetObject(now[index]);
            out << "frame " << frame << ": ambush " << NameOf(ambush) << " releases "
                << NameOf(object) << " id " << now[index] << '\n';
        }
        seen = now.size();
    }
}

void LandmarkReport::PrintLandmarks()
{
    for (const StrategicMovementBase* landmark : Find<StrategicMovementBase>()) {
        const auto found = states.find(landmark->GetObjectId());
        const int32_t before = found != states.end() ? found->second : 0;
        if (before != landmark->GetState())
            out << "frame " << frame << ": found " << NameOf(landmark) << " state " << before
                << " -> " << landmark->GetState() << '\n';
        states[landmark->GetObjectId()] = landmark->GetState();
        const auto* shrine = DynamicCast<StrategicMovementRespawnShrine>(landmark);
        if (shrine == nullptr || heals[shrine->GetObjectId()] == shrine->GetHealCount())
            continue;
        heals[shrine->GetObjectId()] = shrine->GetHealCount();
        for (const uint32_t id : shrine->GetLastHealed())
            out << "frame " << frame << ": heal " << NameOf(shrine) << " -> " << id << '\n';
    }
}

void LandmarkReport::PrintCamera()
{
    const GameCamera& camera = GameEngine::Get().GetCamera();
    char line[96];
    std::snprintf(line, sizeof line, "camera distance %.2f pitch %.2f yaw %.2f",
                  static_cast<double>(camera.GetCameraDistance()),
                  static_cast<double>(RadiansToDegrees(camera.GetCameraPitch())),
                  static_cast<double>(RadiansToDegrees(camera.GetCameraYaw())));
    out << "frame " << frame << ": " << line << '\n';
}

} // namespace GAME
