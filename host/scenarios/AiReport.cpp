#include "host/scenarios/AiReport.h"

#include "ai/ControllerAI.h"
#include "ai/ControllerAIStateData.h"
#include "ai/ControllerAIStateT.h"
#include "ai/MovementGoalManager.h"
#include "ai/SlotManager.h"
#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "core/GameEvents.h"
#include "engine/ABBox.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/EventHandlerInterface.h"
#include "engine/EventManager.h"
#include "engine/GameEvent.h"
#include "engine/ObjectManager.h"
#include "engine/Region.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "host/HostOptions.h"
#include "host/HostSamples.h"
#include "host/ShownName.h"
#include "items/ItemReplicaInfo.h"
#include "multiplayer/GameEngineInboundInterface.h"
#include "world/DynamicBarrier.h"

#include <functional>
#include <memory>
#include <ostream>
#include <string>

namespace GAME {

namespace {

constexpr uint32_t kAiRegion = 1;
// The surface kind that stops sight: solid level geometry.
constexpr uint32_t kWallSurface = 7;
// Between the westerly raider and the hero, clear of the ring.
const ABBox kWall({-5.0f, -5.0f, -3.0f}, {-4.5f, 5.0f, 3.0f});

// Where each raider starts and how far it runs a frame: the last one is fast enough to take a
// place from the slow one.
struct Start {
    float x;
    float z;
    float step;
};
constexpr Start kStarts[] = {{6, 1, 1.5f}, {1, 6, 1.5f}, {-9, -1, 0.5f}, {0, -12, 3.0f}};
constexpr float kBarrierZ = -6.0f;

// The raider's thinking while the host drives it: it only says when it loses its place, and
// lends the host its sight queries.
class CloseInState final : public ControllerAIStateT<ControllerAI, Character> {
public:
    CloseInState(ControllerAI* controller, std::function<void()> lost)
        : ControllerAIStateT(controller), lost(std::move(lost))
    {}

    void OnBegin() override {}
    void OnEnd() override {}
    void OnUpdate(int32_t /*elapsedMs*/) override {}
    void LostSlot() override { lost(); }

    using ControllerAIState::IsBarrierBlocking;
    using ControllerAIState::IsPathClear;

private:
    std::function<void()> lost;
};

// Single player drops nothing on the floor here: the piles are caught on their way.
class PileCatcher final : public GameEngineInboundInterface {
public:
    explicit PileCatcher(std::ostream& out) : out(out) {}

    void CreateItem(uint32_t /*characterId*/, const WorldCoords& coords,
                    const ItemReplicaInfo& item, std::wstring* /*nameOut*/) override
    {
        ++count;
        out << "    gold pile " << count << ": " << ShownName(item.baseName) << ", " << item.var1
            << " gold at " << HostSamples::PointText(coords.GetPosition().GetRegionPosition())
            << (item.id != 0 ? ", fresh id\n" : ", no id\n");
    }

    int count = 0;

private:
    std::ostream& out;
};

class DeathEcho final : public EventHandlerInterface {
public:
    explicit DeathEcho(std::function<void(uint32_t)> heard) : heard(std::move(heard))
    {
        EventManager::Instance().Register(kName, this);
    }
    ~DeathEcho() override { EventManager::Instance().Unregister(kName, this); }
    DeathEcho(const DeathEcho&) = delete;
    DeathEcho& operator=(const DeathEcho&) = delete;

    void HandleEvent(const GameEvent& event) override
    {
        const auto* entity = dynamic_cast<const GameEvent_GenericEntity*>(&event);
        heard(entity != nullptr ? entity->objectId : 0);
    }
    void SendEvent(const GameEvent* event) override
    {
        if (event != nullptr)
            EventManager::Instance().Send(kName, *event);
    }
    const char* GetOwnerTypeName() const override { return "AiReport"; }

    static constexpr const char* kName = "GameEvent_CreatureStartDeath";

private:
    std::function<void(uint32_t)> heard;
};

WorldVec3 AiPlace(float x, float z)
{
    return WorldVec3(kAiRegion, Vec3(x, 0.0f, z));
}

ControllerAI* ControllerOf(const Character& character)
{
    return ObjectManager::Instance().GetObject<ControllerAI>(character.GetControllerId());
}

CloseInState* StateOf(const Character& character)
{
    ControllerAI* controller = ControllerOf(character);
    return controller != nullptr ? dynamic_cast<CloseInState*>(controller->GetExecutingState())
                                 : nullptr;
}

// At most `step` along the way to `goal`.
WorldVec3 StepToward(const WorldVec3& from, const WorldVec3& goal, float step)
{
    Vec3 way = goal.GetRegionPosition() - from.GetRegionPosition();
    const float length = way.Length();
    if (length > step)
        way *= step / length;
    return WorldVec3(from.GetRegionId(), from.GetRegionPosition() + way);
}

// A raider without a place waits by the nearest place taken, at the goal its holder was given;
// the hero himself when no holder has a goal.
WorldVec3 NearestTakenPlace(const SlotManager& ring, const MovementGoalManager& goals,
                            const WorldVec3& from, const WorldVec3& fallback)
{
    WorldVec3 nearest = fallback;
    bool found = false;
    float best = 0.0f;
    for (const MovementGoalManager::Goal& goal : goals.GetGoals()) {
        bool holds = false;
        for (uint32_t index = 0; index < ring.GetNumSlots(); ++index)
            holds = holds || ring.GetSlotHolder(index) == goal.characterId;
        const float distance = gEngine->GetWorld()->GetDistanceSquared(goal.point, from);
        if (holds && (!found || distance < best)) {
            nearest = goal.point;
            best = distance;
            found = true;
        }
    }
    return nearest;
}

} // namespace

AiReport::AiReport(const HostOptions& options, std::ostream& out, std::ostream& err)
    : options(options), out(out), err(err)
{}

bool AiReport::Run()
{
    return HostSamples::AsSinglePlayer(err, [this] { return Play(); });
}

bool AiReport::Play()
{
    out << "scenario ai as single player, seed " << options.seed << ":\n";
    GameEngine::Get().GetRandomGen().Seed(options.seed);
    std::unique_ptr<World> previousWorld = gEngine->SetWorld(std::make_unique<World>());
    World& world = *gEngine->GetWorld();
    world.CreateRegion(kAiRegion, {0, 0, 0}, ABBox({-20, -10, -20}, {20, 10, 20}));

    // Placed as a level puts its characters; each call hands over what it made to the world.
    const auto place = [&](auto* character, float x, float z) {
        if (character != nullptr) {
            world.AddEntity(character, WorldCoords(AiPlace(x, z)), false);
            character->InitialUpdate();
        }
        return character;
    };
    Player* hero = place(HostSamples::Make<Player>(kPlayer, err), 0.0f, 0.0f);
    auto* barrier = place(HostSamples::Make<DynamicBarrier>(kBarrier, err), 0.0f, kBarrierZ);
    bool made = hero != nullptr && barrier != nullptr;
    raiders.clear();
    for (const Start& start : kStarts) {
        Monster* monster = place(HostSamples::Make<Monster>(kRaider, err), start.x, start.z);
        made = made && monster != nullptr;
        raiders.push_back({monster, start.step});
    }
    const bool played = made && Approach(*hero, *barrier);
    for (const Raider& raider : raiders) {
        if (raider.monster != nullptr)
            MovementGoalManager::GetMonsterInstance().ReleaseMoveGoal(
                raider.monster->GetObjectId());
    }
    raiders.clear();
    HostSamples::ClearWorld(world);
    gEngine->SetWorld(std::move(previousWorld));
    return played;
}

bool AiReport::Approach(Player& hero, Character& barrier)
{
    heroId = hero.GetObjectId();
    barrierId = barrier.GetObjectId();
    for (Raider& raider : raiders) {
        ControllerAI* controller = ControllerOf(*raider.monster);
        if (controller == nullptr) {
            err << "gamehost: " << kRaider << " has no thinking controller\n";
            return false;
        }
        const uint32_t id = raider.monster->GetObjectId();
        controller->AddState("CloseIn", new CloseInState(controller, [this, id] {
                                 out << "    " << Label(id) << ": LostSlot\n";
                             }));
        controller->SetState("CloseIn", ControllerAIStateData());
    }
    gEngine->GetWorld()->GetRegionById(kAiRegion)->AddGeometryBox(kWall, kWallSurface);
    hero.GetAttackSlotManager().SetNumSlots(kSlots);
    out << "  hero at " << HostSamples::PointText(hero.GetPathPosition().GetRegionPosition())
        << ", " << kSlots << " attack places at radius " << HostSamples::TwoDecimals(kSlotRadius)
        << "\n  wall from x " << HostSamples::TwoDecimals(kWall.min.x) << " to "
        << HostSamples::TwoDecimals(kWall.max.x) << ", palisade at "
        << HostSamples::PointText(barrier.GetPathPosition().GetRegionPosition()) << '\n';
    for (int frame = 1; frame <= kFrames; ++frame)
        Frame(hero, frame);
    Kill(raiders.front());
    Frame(hero, kFrames + 1);
    return true;
}

void AiReport::Frame(Player& hero, int frame)
{
    out << "  frame " << frame << ":\n";
    SlotManager& ring = hero.GetAttackSlotManager();
    MovementGoalManager& goals = MovementGoalManager::GetMonsterInstance();
    const WorldVec3 heroAt = hero.GetPathPosition();
    for (Raider& raider : raiders) {
        Monster& monster = *raider.monster;
        if (!monster.IsAlive())
            continue;
        const uint32_t id = monster.GetObjectId();
        WorldVec3 slot;
        ring.RequestSlot(slot, id, kSlotRadius, true);
        const WorldVec3 target =
            slot.HasRegion() ? slot
                             : NearestTakenPlace(ring, goals, monster.GetPathPosition(), heroAt);
        const WorldVec3 goal = goals.GetClosestMovePoint(id, monster.GetExtents(), target);
        out << "    " << Label(id) << " at "
            << HostSamples::PointText(monster.GetPathPosition().GetRegionPosition());
        if (slot.HasRegion())
            out << ": place at " << HostSamples::PointText(slot.GetRegionPosition());
        else
            out << ": no place, waits by " << HostSamples::PointText(target.GetRegionPosition());
        out << "; goal " << HostSamples::PointText(goal.GetRegionPosition())
            << (goal == target ? "\n" : " (bent round taken points)\n");
        monster.SetPathPosition(StepToward(monster.GetPathPosition(), goal, raider.step));
    }
    for (Raider& raider : raiders) {
        if (raider.monster->IsAlive())
            ShowSight(raider, hero);
    }
    ShowRing(hero);
}

void AiReport::ShowSight(Raider& raider, const Player& hero)
{
    CloseInState* state = StateOf(*raider.monster);
    if (state == nullptr)
        return;
    Entity* blocker = nullptr;
    const bool clear = state->IsPathClear(hero.GetObjectId(), blocker);
    const Character* barrier = state->IsBarrierBlocking(hero.GetObjectId());
    out << "    " << Label(raider.monster->GetObjectId()) << " sees the hero: "
        << (clear                ? "clear"
            : blocker != nullptr ? std::string("blocked by ") + Label(blocker->GetObjectId())
                                 : std::string("blocked by the wall"))
        << "; barrier: " << (barrier != nullptr ? Label(barrier->GetObjectId()) : "none") << '\n';
}

void AiReport::Kill(Raider& victim)
{
    Monster& monster = *victim.monster;
    const uint32_t id = monster.GetObjectId();
    out << "  " << Label(id) << " dies (KillMe):\n";
    PileCatcher catcher(out);
    GameEngine& game = GameEngine::Get();
    GameEngineNetworkInterface* previous = game.GetNetworkInterface();
    game.SetNetworkInterface(&catcher);
    {
        DeathEcho echo([this](uint32_t subject) {
            out << "    event: " << DeathEcho::kName << " (" << Label(subject) << ")\n";
        });
        if (ControllerAI* controller = ControllerOf(monster))
            controller->KillMe();
    }
    game.SetNetworkInterface(previous);
    if (catcher.count == 0)
        out << "    no gold\n";
    out << "    life state " << static_cast<int>(monster.GetLifeState()) << " ("
        << monster.GetLifeStateAsText() << ")\n";
    MovementGoalManager::GetMonsterInstance().ReleaseMoveGoal(id);
}

void AiReport::ShowRing(Player& hero)
{
    const SlotManager& ring = hero.GetAttackSlotManager();
    out << "    places:";
    for (uint32_t index = 0; index < ring.GetNumSlots(); ++index) {
        const uint32_t holder = ring.GetSlotHolder(index);
        out << (index == 0 ? " " : ", ") << index << ' ' << (holder != 0 ? Label(holder) : "free");
    }
    out << '\n';
}

std::string AiReport::Label(uint32_t id) const
{
    if (id == heroId)
        return "hero";
    if (id == barrierId)
        return "palisade";
    for (size_t index = 0; index < raiders.size(); ++index) {
        if (raiders[index].monster != nullptr && raiders[index].monster->GetObjectId() == id)
            return "raider " + std::to_string(index + 1);
    }
    return "object " + std::to_string(id);
}

} // namespace GAME
