#include "host/BossEncounterStage.h"

#include "ai/ControllerMonster.h"
#include "ai/ControllerPlayer.h"
#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/Player.h"
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
#include "multiplayer/PlayerManagerClient.h"

#include <cmath>
#include <optional>
#include <ostream>

namespace GAME {

namespace {

WorldCoords At(float x, float z)
{
    return WorldCoords(WorldVec3(ScriptedStage::kRegion, Vec3(x, 0.0f, z)));
}

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
    stage.Play(
        orders,
        [this](const ScriptOrder& order) { ScriptedStage::Give(out, order, mouse, roster); },
        [&] {
            FlushEvents();
            if (encounter.style.repeatHeld)
                ScriptedStage::RepeatHeld(mouse, roster);
        },
        cast,
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
    Player* hero = HostSamples::Make<Player>(kHero, err);
    if (hero == nullptr)
        return false;
    gEngine->GetWorld()->AddEntity(hero, At(x, z), false);
    hero->InitialUpdate();
    hero->GetCharacterBio().Update(*hero, 0);
    hero->SetIsControllingCharacter(true);
    cast.push_back({"Hero", hero->GetObjectId(), {}, false});
    roster.Add("Hero", hero->GetObjectId());
    out << "  Hero: " << kHero << " at " << HostSamples::PointText(Vec3(x, 0, z)) << '\n';
    if (roster.HeroController() == nullptr) {
        err << "gamehost: controller record '" << Player::kPlayerControllerRecord
            << "' does not make a player controller\n";
        return false;
    }
    GameEngine::Get().GetPlayerManagerClient()->SetMainPlayer(hero->GetObjectId());
    return true;
}

Monster* BossEncounterStage::EnterFacingHero(const std::string& member, const char* record, float x,
                                             float z, const UniqueId& uniqueId)
{
    Monster* monster = ScriptedStage::EnterMonster(record, FacingSouth(x, z), uniqueId, err);
    if (monster == nullptr)
        return nullptr;
    cast.push_back({member, monster->GetObjectId(), {}, false});
    roster.Add(member, monster->GetObjectId());
    out << "  " << member << ": " << record << " at " << HostSamples::PointText(Vec3(x, 0, z))
        << '\n';
    return monster;
}

void BossEncounterStage::Join(const std::string& member, Character& character, const char* record,
                              float x, float z)
{
    gEngine->GetWorld()->AddEntity(&character, At(x, z), false);
    character.InitialUpdate();
    character.GetCharacterBio().Update(character, 0);
    cast.push_back({member, character.GetObjectId(), {}, false});
    roster.Add(member, character.GetObjectId());
    out << "  " << member << ": " << record << " at " << HostSamples::PointText(Vec3(x, 0, z))
        << '\n';
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
