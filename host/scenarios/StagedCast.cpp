#include "host/scenarios/StagedCast.h"

#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "core/UniqueId.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/InstanceGroup.h"
#include "engine/InstanceGroupManager.h"
#include "engine/Vec3.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "multiplayer/PlayerManagerClient.h"

#include <ostream>

namespace GAME {

WorldCoords StagedCast::At(float x, float z)
{
    return WorldCoords(WorldVec3(ScriptedStage::kRegion, Vec3(x, 0.0f, z)));
}

void StagedCast::PlayCast(ScriptedStage& stage, const std::vector<ScriptOrder>& orders,
                          const std::function<void()>& beforeFrame,
                          const ScriptedStage::LineOf& lineOf)
{
    stage.Play(
        orders,
        [this](const ScriptOrder& order) { ScriptedStage::Give(out, order, mouse, roster); },
        beforeFrame, cast, lineOf);
}

Player* StagedCast::JoinHero(const char* record, const WorldCoords& place)
{
    Player* hero = HostSamples::Make<Player>(record, err);
    if (hero == nullptr)
        return nullptr;
    Join("Hero", *hero, record, place);
    // This machine drives him: he takes the player controller as the game gives it.
    hero->SetIsControllingCharacter(true);
    if (roster.HeroController() == nullptr) {
        err << "gamehost: controller record '" << Player::kPlayerControllerRecord
            << "' does not make a player controller\n";
        return nullptr;
    }
    GameEngine::Get().GetPlayerManagerClient()->SetMainPlayer(hero->GetObjectId());
    return hero;
}

void StagedCast::Join(const std::string& name, Character& character, const char* record,
                      const WorldCoords& place)
{
    HostSamples::EnterWorld(character, place);
    AddToCast(name, character.GetObjectId(), record, place.GetRegionCoords().origin);
}

Monster* StagedCast::JoinMonster(const std::string& name, const char* record,
                                 const WorldCoords& place, const UniqueId& uniqueId)
{
    Monster* monster = ScriptedStage::EnterMonster(record, place, uniqueId, err);
    if (monster != nullptr)
        AddToCast(name, monster->GetObjectId(), record, place.GetRegionCoords().origin);
    return monster;
}

bool StagedCast::PlaceMarkers(const char* heading, std::span<const float[2]> points,
                              uint32_t idWord, std::vector<UniqueId>& ids,
                              const std::function<Entity*()>& make)
{
    out << "  " << heading << ':';
    for (uint32_t index = 0; index < points.size(); ++index) {
        const float x = points[index][0];
        const float z = points[index][1];
        Entity* marker = make();
        if (marker == nullptr)
            return false;
        const UniqueId id(idWord, 1, 0, index);
        marker->SetUniqueID(id);
        gEngine->GetWorld()->AddEntity(marker, At(x, z), false);
        ids.push_back(id);
        out << ' ' << HostSamples::PointText(Vec3(x, 0.0f, z));
    }
    out << '\n';
    return true;
}

void StagedCast::GroupFollowers(const InstanceGroup& markers, InstanceGroup followers)
{
    InstanceGroupManager& groups = InstanceGroupManager::Instance();
    followers.AddChild(groups.GetNumGroups());
    groups.AddGroup(markers);
    groups.AddGroup(followers);
}

void StagedCast::AddToCast(const std::string& name, uint32_t id, const char* record, const Vec3& at)
{
    cast.push_back({name, id, {}, false});
    roster.Add(name, id);
    out << "  " << name << ": " << record << " at " << HostSamples::PointText(at) << '\n';
}

} // namespace GAME
