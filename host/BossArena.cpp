#include "host/BossArena.h"

#include "ai/ControllerAI.h"
#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "engine/Engine.h"
#include "engine/Vec3.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "host/HostOptions.h"
#include "host/HostSamples.h"
#include "host/HostUserInterface.h"
#include "multiplayer/PlayerManagerClient.h"

#include <ostream>

namespace GAME {

namespace {

// The game talks to the screen while it is shown, and to none after.
struct ScreenShown {
    explicit ScreenShown(GameUIInterface& screen) { GameEngine::Get().SetUI(&screen); }
    ~ScreenShown() { GameEngine::Get().SetUI(nullptr); }
    ScreenShown(const ScreenShown&) = delete;
    ScreenShown& operator=(const ScreenShown&) = delete;
};

} // namespace

bool BossArena::Run(const std::string& name, const std::vector<std::string>& names,
                    const char* builtInOrders, const std::function<bool()>& stage,
                    const std::function<void(int32_t frame)>& watch,
                    const std::function<std::string()>& outcome)
{
    HostOptions own = options;
    if (own.bossName != name)
        own.inputFile.clear();
    const auto play = [&](const std::vector<ScriptOrder>& orders) {
        ScriptedStage level(own, out, name);
        // The screen hears what the game tells it, as in a session: the final boss's death.
        HostUserInterface screen(out, true);
        const ScreenShown shown(screen);
        if (!EnterHero() || !stage())
            return false;
        int32_t frame = 0;
        level.Play(
            orders,
            [this](const ScriptOrder& order) { ScriptedStage::Give(out, order, mouse, roster); },
            [&] {
                ScriptedStage::RepeatHeld(mouse, roster);
                if (frame > 0)
                    watch(frame - 1);
                ++frame;
            },
            cast,
            [this](const Character& character, const ScriptedStage::Member&) {
                return Line(character);
            });
        watch(frame - 1);
        out << "encounter " << name << ": " << outcome() << '\n';
        return true;
    };
    return ScriptedStage::Run(own, names, builtInOrders, err, play) == 0;
}

bool BossArena::EnterHero()
{
    Player* hero = HostSamples::Make<Player>(kHero, err);
    if (hero == nullptr)
        return false;
    gEngine->GetWorld()->AddEntity(hero, WorldCoords(WorldVec3(ScriptedStage::kRegion, Vec3())),
                                   false);
    hero->InitialUpdate();
    hero->GetCharacterBio().Update(*hero, 0);
    hero->SetIsControllingCharacter(true);
    GameEngine::Get().GetPlayerManagerClient()->SetMainPlayer(hero->GetObjectId());
    cast.push_back({"Hero", hero->GetObjectId(), {}, false});
    roster.Add("Hero", hero->GetObjectId());
    out << "  Hero: " << kHero << " at " << HostSamples::PointText(Vec3()) << '\n';
    return true;
}

void BossArena::Place(Monster& monster, const std::string& name, const char* record, float x,
                      float z)
{
    gEngine->GetWorld()->AddEntity(
        &monster, WorldCoords(WorldVec3(ScriptedStage::kRegion, Vec3(x, 0.0f, z))), false);
    monster.InitialUpdate();
    monster.GetCharacterBio().Update(monster, 0);
    cast.push_back({name, monster.GetObjectId(), {}, false});
    roster.Add(name, monster.GetObjectId());
    out << "  " << name << ": " << record << " at " << HostSamples::PointText(Vec3(x, 0, z))
        << '\n';
}

void BossArena::Event(int32_t frame, const std::string& text) const
{
    out << "  frame " << frame << ": " << text << '\n';
}

// "State | life L | enemy": the state its mind is in, its life and whom it works against.
std::string BossArena::Line(const Character& character) const
{
    const auto* mind =
        ObjectManager::Instance().GetObject<ControllerAI>(character.GetControllerId());
    const char* state = mind != nullptr ? mind->GetExecutingStateName() : nullptr;
    std::string line = std::string(state != nullptr ? state : "no state") + " | life " +
                       HostSamples::OneDecimal(character.GetCurrentLife());
    const uint32_t enemy = mind != nullptr ? mind->GetCurrentEnemy() : 0;
    return line + " | " + (enemy != 0 ? roster.Label(enemy) : std::string("no enemy"));
}

} // namespace GAME
