#include "host/RouteHero.h"

#include "ai/ControllerPlayer.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "core/StringHelpers.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/FilterFunction.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "host/HostInterrupt.h"
#include "host/LevelPlay.h"
#include "items/Item.h"

#include <algorithm>
#include <functional>
#include <set>

namespace GAME {

namespace {

class Matching final : public FilterFunction<Entity> {
public:
    explicit Matching(std::function<bool(const Entity&)> accept) : accept(std::move(accept)) {}
    bool operator()(const Entity* candidate) const override { return accept(*candidate); }

private:
    std::function<bool(const Entity&)> accept;
};

// The entity nearest `from` that `accept` takes, its region's place in the world counted; 0 for
// none.
uint32_t NearestTo(const WorldVec3& from, const std::function<bool(const Entity&)>& accept)
{
    const World* world = gEngine->GetWorld();
    std::vector<Entity*> found;
    world->GetEntities(found, Matching(accept));
    uint32_t best = 0;
    float bestDistance = 0.0f;
    for (const Entity* entity : found) {
        const float distance = world->GetDistanceSquared(entity->GetCoords().GetPosition(), from);
        if (best == 0 || distance < bestDistance) {
            best = entity->GetObjectId();
            bestDistance = distance;
        }
    }
    return best;
}

bool IsLiving(const Entity& entity)
{
    const auto* monster = DynamicCast<const Monster>(&entity);
    return monster != nullptr && monster->IsAlive() && monster->GetCurrentLife() > 0.0f;
}

// A client's copy of a monster has no mind of its own: the server's thinks for it.
bool IsFoe(const Entity& entity)
{
    return IsLiving(entity) && (DynamicCast<const Monster>(&entity)->GetControllerId() != 0 ||
                                gEngine->IsNetworkClient());
}

} // namespace

bool RouteHero::Load(const LevelFile& level, const std::string& route, std::string& error)
{
    this->level = &level;
    names = LevelPlay::EntityNames(level);
    std::vector<std::string> known = names;
    known.insert(known.end(),
                 {"Hero", LevelPlay::kNearestMonster, LevelPlay::kNearestLoot, kLeader});
    OrderScript script(known);
    if (!script.Load(route, error))
        return false;
    orders = script.GetOrders();
    return true;
}

void RouteHero::Cast(uint32_t heroId)
{
    roster.Add("Hero", heroId);
    // Only what the orders name is looked for: each look walks the whole world, and a client
    // taking a level at the limit must not spend seconds unheard on names no order uses.
    std::set<std::string> named;
    for (const ScriptOrder& order : orders)
        named.insert({order.name, order.target});
    for (size_t i = 0; i < names.size() && HostInterrupt::Caught() == 0; ++i) {
        if (named.count(names[i]) == 0)
            continue;
        const LevelFile::EntityLine& line = level->entities[i];
        roster.Add(names[i],
                   NearestTo(WorldVec3(line.regionId, line.position), [&](const Entity& entity) {
                       return entity.GetObjectName() == line.record;
                   }));
    }
}

uint32_t RouteHero::TargetOf(const std::string& name) const
{
    const Player* hero = roster.Hero();
    if (name.empty() || hero == nullptr)
        return 0;
    const WorldVec3 at = hero->GetCoords().GetPosition();
    if (name == LevelPlay::kNearestMonster)
        return NearestTo(at, IsFoe);
    if (name == LevelPlay::kNearestLoot)
        return NearestTo(at, [](const Entity& entity) { return DynamicCast<const Item>(&entity); });
    if (name == kLeader)
        return NearestTo(at, [](const Entity& entity) {
            return DynamicCast<const Player>(&entity) != nullptr &&
                   ConnectionManager::HostOfId(entity.GetObjectId()) ==
                       ConnectionManager::kServerHost;
        });
    return roster.IdOf(name);
}

void RouteHero::Frame(int32_t frame)
{
    Player* hero = roster.Hero();
    ControllerPlayer* controller = roster.HeroController();
    if (hero == nullptr || controller == nullptr || !hero->IsAlive())
        return;
    for (; next < orders.size() && orders[next].frame <= frame; ++next) {
        const ScriptOrder& order = orders[next];
        const uint32_t target = TargetOf(order.name);
        WorldVec3 point = hero->GetCoords().GetPosition();
        if (const auto* thing = ObjectManager::Instance().GetObject<Entity>(target))
            point = thing->GetCoords().GetPosition();
        else if (order.name.empty())
            point = WorldVec3(point.GetRegionId(), Vec3(order.x, 0.0f, order.z));
        mouse.Give(order, *hero, *controller, target, point);
    }
    RepeatHeld(*hero, *controller);
}

void RouteHero::RepeatHeld(Player& hero, ControllerPlayer& controller)
{
    if (!mouse.IsRepeating())
        return;
    const auto* thing = ObjectManager::Instance().GetObject<Entity>(mouse.GetLastTarget());
    const WorldVec3 here = hero.GetCoords().GetPosition();
    mouse.Repeat(controller, thing != nullptr
                                 ? thing->GetCoords().GetPosition()
                                 : WorldVec3(here.GetRegionId(),
                                             Vec3(mouse.GetLastX(), 0.0f, mouse.GetLastZ())));
}

bool RouteHero::IsFinished(int32_t frame) const
{
    return orders.empty() || frame > LastFrame() + kTrailingFrames;
}

bool RouteHero::IsOverdue(int32_t frame) const
{
    return frame > LastFrame() + kTrailingFrames + kFightOnFrames;
}

// A hero fallen and back at the village finds his foe again on the next pick.
void RouteHero::FightOn(int32_t frame, const std::vector<std::string>& records)
{
    Player* hero = roster.Hero();
    ControllerPlayer* controller = roster.HeroController();
    if (hero == nullptr || controller == nullptr || !hero->IsAlive())
        return;
    // A button the route left held on a living monster stays on him.
    const auto* held = ObjectManager::Instance().GetObject<Entity>(mouse.GetLastTarget());
    if (frame >= nextFoeFrame && !(mouse.IsRepeating() && held != nullptr && IsLiving(*held))) {
        nextFoeFrame = frame + kFightOnEveryFrames;
        const uint32_t foe =
            NearestTo(hero->GetCoords().GetPosition(), [&records](const Entity& entity) {
                return IsLiving(entity) &&
                       std::any_of(records.begin(), records.end(),
                                   [&entity](const std::string& record) {
                                       return FileNameEquals(record, entity.GetObjectName());
                                   });
            });
        if (const auto* thing = ObjectManager::Instance().GetObject<Entity>(foe)) {
            ScriptOrder order;
            order.kind = ScriptOrder::Kind::Click;
            mouse.Give(order, *hero, *controller, foe, thing->GetCoords().GetPosition());
            order.kind = ScriptOrder::Kind::Hold;
            mouse.Give(order, *hero, *controller, foe, thing->GetCoords().GetPosition());
            return;
        }
    }
    RepeatHeld(*hero, *controller);
}

} // namespace GAME
