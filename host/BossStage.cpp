#include "host/BossStage.h"

#include "ai/ControllerAI.h"
#include "characters/Character.h"
#include "characters/CharacterBio.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "core/RTTI_ClassInfo.h"
#include "engine/Engine.h"
#include "engine/GraphicsEngine.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "host/ArenaReport.h"
#include "host/HostSamples.h"
#include "multiplayer/PlayerManagerClient.h"

#include <cmath>
#include <ostream>
#include <string>

namespace GAME {

namespace {

WorldCoords At(float x, float z)
{
    return WorldCoords(WorldVec3(ScriptedStage::kRegion, Vec3(x, 0.0f, z)));
}

} // namespace

bool BossStage::Run(const Script& script)
{
    std::vector<std::string> names{"Hero"};
    for (const Entry& entry : script.entries)
        names.emplace_back(entry.name);
    return ScriptedStage::Run(options, names, script.builtInOrders, err,
                              [this, &script](const std::vector<ScriptOrder>& orders) {
                                  return Play(script, orders);
                              }) == 0;
}

bool BossStage::Play(const Script& script, const std::vector<ScriptOrder>& orders)
{
    std::vector<GraphicsAnim*> marked;
    bool staged = false;
    {
        ScriptedStage stage(options, out, name);
        for (const char* animation : script.hitAnimations)
            marked.push_back(
                HostSamples::MarkHitEvent(animation, ArenaReport::kHitEvent, ArenaReport::kHitMs));
        staged = Stage(script) && (!script.setUp || script.setUp(*this));
        // The watch runs when the frame's lines are drawn up; what it saw is printed after them.
        int32_t frame = -1;
        int32_t watched = -1;
        auto flush = [this] {
            out << pending;
            pending.clear();
        };
        auto line = [this, &script, &frame, &watched](const Character& character) {
            if (watched != frame && script.watch) {
                watched = frame;
                script.watch(*this, frame);
            }
            return Line(character);
        };
        if (staged) {
            stage.Play(
                orders,
                [this](const ScriptOrder& order) {
                    ScriptedStage::Give(out, order, mouse, roster);
                },
                [&flush, &frame] {
                    flush();
                    ++frame;
                },
                cast,
                [&line](const Character& character, const ScriptedStage::Member&) {
                    return line(character);
                });
            flush();
            out << "encounter " << name << ": " << (script.outcome ? script.outcome(*this) : "")
                << '\n';
        }
    }
    for (GraphicsAnim* animation : marked)
        GraphicsEngine::Instance().UnloadAnimation(animation);
    return staged;
}

bool BossStage::Stage(const Script& script)
{
    Player* hero = HostSamples::Make<Player>(ArenaReport::kPlayer, err);
    if (hero == nullptr)
        return false;
    gEngine->GetWorld()->AddEntity(hero, At(0.0f, 0.0f), false);
    hero->InitialUpdate();
    hero->GetCharacterBio().Update(*hero, 0);
    hero->SetIsControllingCharacter(true);
    cast.push_back({"Hero", hero->GetObjectId(), {}, false});
    roster.Add("Hero", hero->GetObjectId());
    if (roster.HeroController() == nullptr) {
        err << "gamehost: controller record '" << Player::kPlayerControllerRecord
            << "' does not make a player controller\n";
        return false;
    }
    GameEngine::Get().GetPlayerManagerClient()->SetMainPlayer(hero->GetObjectId());
    out << "  Hero: " << ArenaReport::kPlayer << " at " << HostSamples::PointText(Vec3(0, 0, 0))
        << '\n';
    for (const Entry& entry : script.entries) {
        if (!Enter(entry))
            return false;
    }
    return true;
}

// Made by its record's class, as a level makes what it places.
bool BossStage::Enter(const Entry& entry)
{
    auto* character = ObjectManager::Instance().CreateObjectFromFile<Character>(entry.record);
    if (character == nullptr) {
        err << "gamehost: " << entry.record << " does not make a character\n";
        return false;
    }
    gEngine->GetWorld()->AddEntity(character, At(entry.x, entry.z), false);
    character->InitialUpdate();
    character->GetCharacterBio().Update(*character, 0);
    cast.push_back({entry.name, character->GetObjectId(), {}, false});
    roster.Add(entry.name, character->GetObjectId());
    out << "  " << entry.name << ": " << entry.record << " at "
        << HostSamples::PointText(Vec3(entry.x, 0, entry.z)) << '\n';
    return true;
}

Character* BossStage::Find(const std::string& member) const
{
    return ObjectManager::Instance().GetObject<Character>(roster.IdOf(member));
}

void BossStage::Event(int32_t frame, const std::string& text)
{
    pending += "  frame " + std::to_string(frame) + ": " + text + '\n';
}

// "State | life L", with the marks a boss fight turns on: who cannot be hurt, who sits on
// which side.
std::string BossStage::Line(const Character& character) const
{
    const auto* controller =
        ObjectManager::Instance().GetObject<ControllerAI>(character.GetControllerId());
    const char* state = controller != nullptr ? controller->GetExecutingStateName() : nullptr;
    // Whole points: a regenerating hero would otherwise print every frame.
    std::string line = std::string(state != nullptr ? state : "no state") + " | life " +
                       std::to_string(std::lround(character.GetCurrentLife()));
    if (character.IsInvincible())
        line += " | invincible";
    return line;
}

} // namespace GAME
