#include "host/BossEncounterStage.h"

#include "ai/ControllerMonster.h"
#include "ai/ControllerPlayer.h"
#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/ObjectManager.h"
#include "engine/Vec3.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "host/HostOptions.h"
#include "host/HostSamples.h"
#include "multiplayer/PlayerManagerClient.h"

#include <ostream>
#include <utility>

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

} // namespace

BossEncounterStage::BossEncounterStage(const HostOptions& options, std::ostream& out,
                                       std::ostream& err, const char* name,
                                       std::vector<std::string> names)
    : options(options), out(out), err(err), name(name), names(std::move(names))
{}

bool BossEncounterStage::Play(const char* builtInOrders, const Staging& staging, const Watch& watch,
                              const Outcome& outcome)
{
    const int code = ScriptedStage::Run(
        options, names, builtInOrders, err, [&](const std::vector<ScriptOrder>& orders) {
            ScriptedStage stage(options, out, name);
            if (!staging(*this))
                return false;
            stage.Play(
                orders,
                [this](const ScriptOrder& order) {
                    ScriptedStage::Give(out, order, mouse, roster);
                },
                [this] { ScriptedStage::RepeatHeld(mouse, roster); }, cast,
                [this, &watch](const Character& character, const ScriptedStage::Member& member) {
                    // The hero is the first member: the frame's events come before its lines.
                    if (member.id == cast.front().id) {
                        ++frame;
                        watch(*this);
                    }
                    return LineOf(character, member);
                });
            out << "encounter " << name << ": " << outcome(*this) << '\n';
            return true;
        });
    return code == 0;
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

Monster* BossEncounterStage::Enter(const std::string& member, const char* record, float x, float z,
                                   const UniqueId& uniqueId)
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

void BossEncounterStage::PutInWorld(Entity& entity, float x, float z, const UniqueId& id)
{
    entity.SetUniqueID(id);
    gEngine->GetWorld()->AddEntity(&entity, At(x, z), false);
    entity.InitialUpdate();
}

void BossEncounterStage::Event(const std::string& text)
{
    out << "  frame " << frame << ": " << text << '\n';
}

std::string BossEncounterStage::Fate(const std::string& member) const
{
    const auto* who = ObjectManager::Instance().GetObject<Character>(roster.IdOf(member));
    if (who == nullptr || !who->IsAlive())
        return member + " falls";
    return member + " stands, life " + HostSamples::OneDecimal(who->GetCurrentLife());
}

// "STATE | life L | ENEMY": the executing state, the life and whom the character goes for.
std::string BossEncounterStage::LineOf(const Character& character,
                                       const ScriptedStage::Member& member)
{
    const auto* controller =
        ObjectManager::Instance().GetObject<ControllerAI>(character.GetControllerId());
    const char* state = controller != nullptr ? controller->GetExecutingStateName() : nullptr;
    std::string line = std::string(state != nullptr ? state : "no state") + " | life " +
                       HostSamples::OneDecimal(character.GetCurrentLife());
    if (member.name == "Hero")
        return HostSamples::PointText(character.GetCoords().GetRegionCoords().origin) + ' ' + line;
    const auto* monster = DynamicCast<ControllerMonster>(controller);
    uint32_t enemy = monster != nullptr ? monster->GetMostHatedEnemy() : 0;
    if (enemy == 0 && controller != nullptr)
        enemy = controller->GetCurrentEnemy();
    return line + " | " + (enemy != 0 ? roster.Label(enemy) : std::string("no enemy"));
}

} // namespace GAME
