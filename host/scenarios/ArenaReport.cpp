#include "host/scenarios/ArenaReport.h"

#include "ai/ControllerMonster.h"
#include "ai/ControllerPlayer.h"
#include "ai/SlotManager.h"
#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "engine/InstanceGroup.h"
#include "engine/ObjectManager.h"
#include "engine/Vec3.h"
#include "engine/WorldCoords.h"
#include "host/HostSamples.h"
#include "host/ShownName.h"
#include "host/scenarios/ScriptedStage.h"
#include "items/PlayerHotSlotCtrl.h"
#include "skills/Skill.h"
#include "skills/SkillManager.h"
#include "world/PatrolPoint.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <ostream>

namespace GAME {

const char* const ArenaReport::kDefaultOrders = "1 click @Chieftain\n"
                                                "2 hold\n"
                                                "150 click @Follower1\n"
                                                "300 release\n";

namespace {

constexpr uint32_t kArenaBarSlot = 0;
// The first word of the unique ids the arena gives its pack and route, the last the place.
constexpr uint32_t kArenaIdWord = 0xA7E7A;

struct Placing {
    const char* name;
    const char* record;
    float x;
    float z;
};

// The pack walks between the three points east of the hero; the chieftain's band waits west.
constexpr Placing kArenaPack[] = {{"Jackal1", ArenaReport::kJackal, 10.0f, -6.0f},
                                  {"Jackal2", ArenaReport::kJackal, 11.0f, -7.0f}};
constexpr float kRoute[][2] = {{10.0f, -8.0f}, {10.0f, 6.0f}, {16.0f, 0.0f}};
constexpr Placing kBand[] = {{"Chieftain", ArenaReport::kChieftain, -11.0f, 5.0f},
                             {"Follower1", ArenaReport::kFollower, -12.0f, 6.0f},
                             {"Follower2", ArenaReport::kFollower, -10.0f, 6.0f},
                             {"Mender", ArenaReport::kMender, -13.0f, 3.0f}};

std::string ArenaStem(const std::string& record)
{
    const size_t slash = record.find_last_of("/\\");
    const std::string file = slash == std::string::npos ? record : record.substr(slash + 1);
    const size_t dot = file.rfind('.');
    return dot == std::string::npos ? file : file.substr(0, dot);
}

} // namespace

std::vector<std::string> ArenaReport::Names()
{
    std::vector<std::string> names{"Hero"};
    for (const Placing& placing : kArenaPack)
        names.emplace_back(placing.name);
    for (const Placing& placing : kBand)
        names.emplace_back(placing.name);
    return names;
}

int ArenaReport::Run()
{
    return ScriptedStage::Run(
        options, Names(), kDefaultOrders, err,
        [this](const std::vector<ScriptOrder>& orders) { return Play(orders); });
}

bool ArenaReport::Play(const std::vector<ScriptOrder>& orders)
{
    ScriptedStage stage(options, out, "arena");
    if (!Stage())
        return false;
    PlayCast(
        stage, orders, [this] { RepeatHeld(); },
        [this](const Character& character, const ScriptedStage::Member& member) {
            if (member.name == "Hero")
                return HeroLine(static_cast<const Player&>(character));
            return MonsterLine(character, ObjectManager::Instance().GetObject<ControllerMonster>(
                                              character.GetControllerId()));
        });
    return true;
}

bool ArenaReport::Stage()
{
    Player* hero = JoinHero(kPlayer, At(0.0f, 0.0f));
    if (hero == nullptr)
        return false;
    hero->GetPlayerHotSlotCtrl().SetToDefaults();
    hero->GetSkillManager().LoadSkills(kBarSkillTree, 1);
    HostSamples::PutSkillOnBar(*hero, kBarSkill, kArenaBarSlot);

    if (!StagePatrol())
        return false;
    uint32_t word = static_cast<uint32_t>(std::size(kArenaPack));
    for (const Placing& placing : kBand) {
        if (!Enter(placing.name, placing.record, placing.x, placing.z, ++word))
            return false;
    }
    // The followers join the chieftain as a level's pool would join them.
    const uint32_t chieftain = roster.IdOf("Chieftain");
    for (const char* name : {"Follower1", "Follower2"}) {
        auto* follower = ObjectManager::Instance().GetObject<Monster>(roster.IdOf(name));
        follower->JoinMe(chieftain, -1, false);
        out << "  " << name << " follows Chieftain\n";
    }
    return true;
}

// The route's points and the pack's group must exist before the pack's controllers attach:
// they gather their route then.
bool ArenaReport::StagePatrol()
{
    std::vector<UniqueId> points;
    if (!PlaceMarkers<PatrolPoint>("route", kPatrolPoint, kRoute, kArenaIdWord, points))
        return false;
    std::vector<UniqueId> members;
    for (uint32_t word = 1; word <= std::size(kArenaPack); ++word)
        members.emplace_back(kArenaIdWord, 0, 0, word);
    GroupFollowers(InstanceGroup("Patrol Points", "Arena Route", points),
                   InstanceGroup("Patrollers", "Arena Pack", members));
    uint32_t word = 0;
    for (const Placing& placing : kArenaPack) {
        if (!Enter(placing.name, placing.record, placing.x, placing.z, ++word))
            return false;
    }
    return true;
}

bool ArenaReport::Enter(const std::string& name, const char* record, float x, float z,
                        uint32_t uniqueWord)
{
    return JoinMonster(name, record, At(x, z), UniqueId(kArenaIdWord, 0, 0, uniqueWord)) != nullptr;
}

std::string ArenaReport::HeroLine(const Player& hero) const
{
    const ControllerPlayer* controller = hero.GetControllerPlayer();
    const char* state = controller != nullptr ? controller->GetExecutingStateName() : nullptr;
    return HostSamples::PointText(hero.GetCoords().GetRegionCoords().origin) + ' ' +
           (state != nullptr ? state : "no state") + " | life " +
           HostSamples::OneDecimal(hero.GetCurrentLife());
}

// "State | enemy anger | skill | slot": whom it hates most (the enemy its anger names, or the
// state's own), the skill its state holds and which attack place round that enemy it holds.
std::string ArenaReport::MonsterLine(const Character& monster,
                                     const ControllerMonster* controller) const
{
    if (controller == nullptr)
        return "no controller";
    const char* state = controller->GetExecutingStateName();
    std::string line = std::string(state != nullptr ? state : "no state") + " | life " +
                       HostSamples::OneDecimal(monster.GetCurrentLife()) + " | ";
    uint32_t enemy = controller->GetMostHatedEnemy();
    if (enemy == 0)
        enemy = controller->GetCurrentEnemy();
    if (enemy != 0)
        line += roster.Label(enemy) + ' ' +
                HostSamples::OneDecimal(controller->GetAngerManager().GetAnger(enemy));
    else
        line += "no enemy";
    const uint32_t skillId = controller->GetCurrentSkillID();
    const auto* skill = ObjectManager::Instance().GetObject<Skill>(skillId);
    line += " | skill " +
            (skill != nullptr ? ShownName(ArenaStem(skill->GetObjectName())) : std::string("none"));
    line += " | slot ";
    auto* foe = ObjectManager::Instance().GetObject<Character>(enemy);
    if (foe != nullptr) {
        const SlotManager& ring = foe->GetAttackSlotManager();
        for (uint32_t index = 0; index < ring.GetNumSlots(); ++index) {
            if (ring.GetSlotHolder(index) == monster.GetObjectId())
                return line + std::to_string(index);
        }
    }
    return line + "none";
}

} // namespace GAME
