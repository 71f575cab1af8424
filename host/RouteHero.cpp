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
#include "host/LevelPlay.h"
#include "items/Item.h"

#include <algorithm>
#include <functional>
#include <unordered_map>

namespace GAME {

namespace {

class Matching final : public FilterFunction<Entity> {
public:
    explicit Matching(std::function<bool(const Entity&)> accept) : accept(std::move(accept)) {}
    bool operator()(const Entity* candidate) const override { return accept(*candidate); }

private:
    std::function<bool(const Entity&)> accept;
};

// An entity and where it stands in the world, looked up once however often it is measured.
struct Placed {
    uint32_t id = 0;
    bool placed = false;
    Vec3 at;
};

std::vector<Placed> PlacesOf(const std::vector<Entity*>& entities)
{
    std::vector<Placed> places;
    places.reserve(entities.size());
    for (const Entity* entity : entities) {
        Placed& place = places.emplace_back();
        place.id = entity->GetObjectId();
        place.placed =
            gEngine->GetWorld()->GetPositionInWorld(entity->GetCoords().GetPosition(), place.at);
    }
    return places;
}

// Of `candidates`, the one nearest `from`, its region's place in the world counted; 0 for none.
uint32_t NearestOf(const std::vector<Placed>& candidates, const WorldVec3& from)
{
    Vec3 at;
    const bool placed = gEngine->GetWorld()->GetPositionInWorld(from, at);
    uint32_t best = 0;
    float bestDistance = 0.0f;
    for (const Placed& candidate : candidates) {
        const float distance =
            placed && candidate.placed ? (candidate.at - at).LengthSquared() : gPositiveInfinity;
        if (best == 0 || distance < bestDistance) {
            best = candidate.id;
            bestDistance = distance;
        }
    }
    return best;
}

// The entity nearest `from` that `accept` takes; 0 for none.
uint32_t NearestTo(const WorldVec3& from, const std::function<bool(const Entity&)>& accept)
{
    std::vector<Entity*> found;
    gEngine->GetWorld()->GetEntities(found, Matching(accept));
    return NearestOf(PlacesOf(found), from);
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

// Each name is the entity of its line's record nearest the line's place. The world's entities
// are sorted by record once: a level at the limit names thousands, and its client casts them
// while its server waits to hear from it.
void RouteHero::Cast(uint32_t heroId)
{
    roster.Add("Hero", heroId);
    std::unordered_map<std::string, std::vector<Entity*>> records;
    std::vector<Entity*> all;
    gEngine->GetWorld()->GetEntities(all, Matching([](const Entity&) { return true; }));
    for (Entity* entity : all)
        records[entity->GetObjectName()].push_back(entity);
    std::unordered_map<std::string, std::vector<Placed>> byRecord;
    for (const auto& [record, entities] : records)
        byRecord.emplace(record, PlacesOf(entities));
    for (size_t i = 0; i < names.size(); ++i) {
        const LevelFile::EntityLine& line = level->entities[i];
        const auto found = byRecord.find(line.record);
        roster.Add(names[i],
                   found == byRecord.end()
                       ? 0
                       : NearestOf(found->second, WorldVec3(line.regionId, line.position)));
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
