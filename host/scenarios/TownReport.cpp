#include "host/scenarios/TownReport.h"

#include "ai/ControllerAI.h"
#include "ai/NpcHerdManager.h"
#include "characters/AmbientCharacter.h"
#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/Npc.h"
#include "engine/InstanceGroup.h"
#include "engine/InstanceGroupManager.h"
#include "engine/ObjectManager.h"
#include "engine/WorldCoords.h"
#include "host/HostSamples.h"
#include "host/scenarios/ScriptedStage.h"
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

// The first word of the unique ids of the town's wanderers and their points.
constexpr uint32_t kTownIdWord = 0x7011;
constexpr float kWanderPoints[][2] = {{6.0f, 6.0f}, {10.0f, 6.0f}, {8.0f, 10.0f}};

} // namespace

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
            PlayCast(
                stage, orders, [this] { RepeatHeld(); },
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
    Join(name, *character, record, At(x, z));
    return character;
}

bool TownReport::Stage()
{
    if (JoinHero(kPlayer, At(0.0f, 0.0f)) == nullptr || !StageTownsfolk())
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
    std::vector<UniqueId> points;
    if (!PlaceMarkers<NpcWanderPoint>("wander points", kWanderPoint, kWanderPoints, kTownIdWord,
                                      points))
        return false;
    GroupFollowers(InstanceGroup("Wander Points", "Town Square", points),
                   InstanceGroup("Npc Wanderers", "Town Folk",
                                 {UniqueId(kTownIdWord, 0, 0, 1), UniqueId(kTownIdWord, 0, 0, 2)}));
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
