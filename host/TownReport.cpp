#include "host/TownReport.h"

#include "ai/ControllerAI.h"
#include "ai/ControllerPlayer.h"
#include "ai/NpcHerdManager.h"
#include "characters/AmbientCharacter.h"
#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/Npc.h"
#include "characters/Player.h"
#include "engine/Engine.h"
#include "engine/InstanceGroup.h"
#include "engine/InstanceGroupManager.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "host/HostSamples.h"
#include "host/ScriptedStage.h"
#include "multiplayer/PlayerManagerClient.h"
#include "world/NpcWanderPoint.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <ostream>

namespace GAME {

const char* const TownReport::kDefaultOrders = "1 click @Elder\n"
                                               "90 quest @Elder walk -6,6\n"
                                               "150 quest @Elder anim Chat\n"
                                               "200 click @Crab\n"
                                               "201 hold\n"
                                               "400 release\n";

namespace {

constexpr uint32_t kRegion = ScriptedStage::kRegion;
// The first word of the unique ids of the town's wanderers and their points.
constexpr uint32_t kTownIdWord = 0x7011;
constexpr float kWanderPoints[][2] = {{6.0f, 6.0f}, {10.0f, 6.0f}, {8.0f, 10.0f}};

WorldCoords At(float x, float z)
{
    return WorldCoords(WorldVec3(kRegion, Vec3(x, 0.0f, z)));
}

} // namespace

TownReport::TownReport(const HostOptions& options, std::ostream& out, std::ostream& err)
    : options(options), out(out), err(err)
{}

std::vector<std::string> TownReport::Names()
{
    return {"Hero",  "Baker",  "Weaver", "Juggler", "Elder",  "Deer1",   "Deer2",
            "Deer3", "Herder", "Crab",   "Militia", "Turret", "Ambusher"};
}

int TownReport::Run()
{
    return ScriptedStage::Run(
        options, Names(), kDefaultOrders, err,
        [this](const std::vector<ScriptOrder>& orders) { return Play(orders); });
}

bool TownReport::Play(const std::vector<ScriptOrder>& orders)
{
    // The herds of an earlier town are no herds of this one.
    NpcHerdManager::Get().Clear();
    bool staged = false;
    {
        ScriptedStage stage(options, out, "town");
        staged = Stage();
        if (staged)
            stage.Play(
                orders,
                [this](const ScriptOrder& order) {
                    ScriptedStage::Give(out, order, mouse, roster);
                },
                [this] { ScriptedStage::RepeatHeld(mouse, roster); }, cast,
                [](const Character& character, const ScriptedStage::Member&) {
                    return Line(character);
                });
    }
    InstanceGroupManager::Instance().Destroy();
    NpcHerdManager::Get().Clear();
    return staged;
}

template <typename Kind>
Kind* TownReport::Enter(const std::string& name, const char* record, float x, float z,
                        uint32_t uniqueWord)
{
    Kind* character = HostSamples::Make<Kind>(record, err);
    if (character == nullptr)
        return nullptr;
    if (uniqueWord != 0)
        character->SetUniqueID(UniqueId(kTownIdWord, 0, 0, uniqueWord));
    gEngine->GetWorld()->AddEntity(character, At(x, z), false);
    character->InitialUpdate();
    character->GetCharacterBio().Update(*character, 0);
    cast.push_back({name, character->GetObjectId(), {}, false});
    roster.Add(name, character->GetObjectId());
    out << "  " << name << ": " << record << " at " << HostSamples::PointText(Vec3(x, 0, z))
        << '\n';
    return character;
}

bool TownReport::Stage()
{
    Player* hero = Enter<Player>("Hero", kPlayer, 0.0f, 0.0f);
    if (hero == nullptr)
        return false;
    hero->SetIsControllingCharacter(true);
    if (roster.HeroController() == nullptr) {
        err << "gamehost: controller record '" << Player::kPlayerControllerRecord
            << "' does not make a player controller\n";
        return false;
    }
    GameEngine::Get().GetPlayerManagerClient()->SetMainPlayer(hero->GetObjectId());
    if (!StageTownsfolk())
        return false;
    // The herd forms as its members start: three deer, then the herder that trails them.
    for (int i = 0; i < 3; ++i) {
        const std::string name = "Deer" + std::to_string(i + 1);
        if (Enter<Npc>(name, kDeer, -10.0f - 2.0f * static_cast<float>(i), -6.0f) == nullptr)
            return false;
    }
    return Enter<Npc>("Herder", kHerder, -18.0f, -6.0f) != nullptr &&
           Enter<AmbientCharacter>("Crab", kCrab, 6.0f, -6.0f) != nullptr &&
           Enter<Monster>("Militia", kMilitiaman, 3.0f, -4.0f) != nullptr &&
           Enter<Monster>("Turret", kTurret, 8.0f, -9.0f) != nullptr &&
           Enter<Monster>("Ambusher", kAmbusher, 4.0f, -8.0f) != nullptr;
}

// The points and the wanderers' group exist before the townsfolk take their own controller,
// which gathers its points then.
bool TownReport::StageTownsfolk()
{
    InstanceGroupManager& groups = InstanceGroupManager::Instance();
    std::vector<UniqueId> points;
    out << "  wander points:";
    for (const auto& point : kWanderPoints) {
        auto* made = HostSamples::Make<NpcWanderPoint>(kWanderPoint, err);
        if (made == nullptr)
            return false;
        const UniqueId id(kTownIdWord, 1, 0, static_cast<uint32_t>(points.size()));
        made->SetUniqueID(id);
        gEngine->GetWorld()->AddEntity(made, At(point[0], point[1]), false);
        points.push_back(id);
        out << ' ' << HostSamples::PointText(Vec3(point[0], 0.0f, point[1]));
    }
    out << '\n';
    const int32_t pointsGroup = groups.GetNumGroups();
    groups.AddGroup(InstanceGroup("Wander Points", "Town Square", points));
    InstanceGroup wanderers("Npc Wanderers", "Town Folk",
                            {UniqueId(kTownIdWord, 0, 0, 1), UniqueId(kTownIdWord, 0, 0, 2)});
    wanderers.AddChild(pointsGroup);
    groups.AddGroup(wanderers);
    Npc* baker = Enter<Npc>("Baker", kTownsman, 6.0f, 4.0f, 1);
    Npc* weaver = Enter<Npc>("Weaver", kTownsman, 10.0f, 9.0f, 2);
    if (baker == nullptr || weaver == nullptr ||
        Enter<Npc>("Juggler", kJuggler, 12.0f, 11.0f) == nullptr ||
        Enter<Npc>("Elder", kElder, -4.0f, 4.0f) == nullptr)
        return false;
    baker->SetController(kTownsfolkController);
    weaver->SetController(kTownsfolkController);
    return true;
}

// "STATE | at (x, z) | life L": the thinking state (the action for a creature that does not
// think), where it stands to the unit, and its life.
std::string TownReport::Line(const Character& character)
{
    const auto* thinking =
        ObjectManager::Instance().GetObject<ControllerAI>(character.GetControllerId());
    const char* state = thinking != nullptr ? thinking->GetExecutingStateName() : nullptr;
    const Vec3 at = character.GetCoords().GetRegionCoords().origin;
    return (state != nullptr ? std::string(state) : character.GetActionStateAsText()) + " | at " +
           std::to_string(static_cast<int>(std::lround(at.x))) + ',' +
           std::to_string(static_cast<int>(std::lround(at.z))) + " | life " +
           HostSamples::OneDecimal(character.GetCurrentLife());
}

} // namespace GAME
