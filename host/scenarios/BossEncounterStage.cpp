#include "host/scenarios/BossEncounterStage.h"

#include "ai/ControllerMonster.h"
#include "characters/Character.h"
#include "characters/Monster.h"
#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/GraphicsEngine.h"
#include "engine/Vec3.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "host/HostOptions.h"
#include "host/HostUserInterface.h"

#include <cmath>
#include <optional>
#include <ostream>

namespace GAME {

namespace {

// Facing -z, towards the hero, who stands south of every boss.
WorldCoords FacingSouth(float x, float z)
{
    return WorldCoords(ScriptedStage::kRegion,
                       Coords({-1, 0, 0}, {0, 1, 0}, {0, 0, -1}, Vec3(x, 0.0f, z)));
}

// The game talks to the screen while it is shown, and to none after.
struct ScreenShown {
    explicit ScreenShown(GameUIInterface& screen) { GameEngine::Get().SetUI(&screen); }
    ~ScreenShown() { GameEngine::Get().SetUI(nullptr); }
    ScreenShown(const ScreenShown&) = delete;
    ScreenShown& operator=(const ScreenShown&) = delete;
};

} // namespace

BossEncounterStage::~BossEncounterStage()
{
    for (GraphicsAnim* animation : marked)
        GraphicsEngine::Instance().UnloadAnimation(animation);
}

bool BossEncounterStage::Play(const Encounter& encounter)
{
    HostOptions own = options;
    if (own.bossName != encounter.name)
        own.inputFile.clear();
    return ScriptedStage::Run(own, encounter.names, encounter.builtInOrders, err,
                              [&](const std::vector<ScriptOrder>& orders) {
                                  ScriptedStage stage(own, out, encounter.name);
                                  return PlayOrders(stage, encounter, orders);
                              }) == 0;
}

bool BossEncounterStage::PlayOrders(ScriptedStage& stage, const Encounter& encounter,
                                    const std::vector<ScriptOrder>& orders)
{
    HostUserInterface screen(out, true);
    std::optional<ScreenShown> shown;
    if (encounter.screen)
        shown.emplace(screen);
    if (!encounter.stage(*this))
        return false;
    const bool first = encounter.style.events == Events::BeforeLines;
    PlayCast(
        stage, orders,
        [&] {
            FlushEvents();
            if (encounter.style.repeatHeld)
                RepeatHeld();
        },
        [&](const Character& character, const ScriptedStage::Member& member) {
            // The hero is the first member: the watch looks once a frame, before any line.
            if (member.id == cast.front().id) {
                ++frame;
                if (encounter.watch)
                    encounter.watch(*this);
                if (first)
                    FlushEvents();
            }
            return LineOf(encounter.style.lines, character, member);
        });
    FlushEvents();
    out << "encounter " << encounter.name << ": " << encounter.outcome(*this) << '\n';
    return true;
}

bool BossEncounterStage::StageHero(float x, float z)
{
    return JoinHero(kHero, At(x, z)) != nullptr;
}

Monster* BossEncounterStage::EnterFacingHero(const std::string& member, const char* record, float x,
                                             float z, const UniqueId& uniqueId)
{
    return JoinMonster(member, record, FacingSouth(x, z), uniqueId);
}

void BossEncounterStage::PutInWorld(Entity& entity, float x, float z, const UniqueId& id)
{
    entity.SetUniqueID(id);
    gEngine->GetWorld()->AddEntity(&entity, At(x, z), false);
    entity.InitialUpdate();
}

void BossEncounterStage::MarkHitEvent(const char* animation, const char* event, float ms)
{
    if (GraphicsAnim* marking = HostSamples::MarkHitEvent(animation, event, ms))
        marked.push_back(marking);
}

void BossEncounterStage::Event(const std::string& text)
{
    pending += "  frame " + std::to_string(frame) + ": " + text + '\n';
}

void BossEncounterStage::FlushEvents()
{
    out << pending;
    pending.clear();
}

std::string BossEncounterStage::Fate(const std::string& member) const
{
    const Character* who = Find(member);
    if (who == nullptr || !who->IsAlive())
        return member + " falls";
    return member + " stands, life " + HostSamples::OneDecimal(who->GetCurrentLife());
}

std::string BossEncounterStage::LineOf(Lines lines, const Character& character,
                                       const ScriptedStage::Member& member) const
{
    const auto* controller =
        ObjectManager::Instance().GetObject<ControllerAI>(character.GetControllerId());
    const char* state = controller != nullptr ? controller->GetExecutingStateName() : nullptr;
    std::string line = std::string(state != nullptr ? state : "no state") + " | life ";
    if (lines == Lines::WholeLife) {
        line += std::to_string(std::lround(character.GetCurrentLife()));
        return character.IsInvincible() ? line + " | invincible" : line;
    }
    line += HostSamples::OneDecimal(character.GetCurrentLife());
    uint32_t enemy = 0;
    if (lines == Lines::PlaceAndHated) {
        if (member.name == "Hero")
            return HostSamples::PointText(character.GetCoords().GetRegionCoords().origin) + ' ' +
                   line;
        if (const auto* monster = DynamicCast<ControllerMonster>(controller))
            enemy = monster->GetMostHatedEnemy();
    }
    if (enemy == 0 && controller != nullptr)
        enemy = controller->GetCurrentEnemy();
    return line + " | " + (enemy != 0 ? roster.Label(enemy) : std::string("no enemy"));
}

} // namespace GAME
