#include "ai/ControllerAI.h"
#include "ai/ControllerBaseCharacter.h"
#include "ai/ControllerCharacter.h"
#include "ai/ControllerCombat.h"
#include "characters/CharFxPak.h"
#include "characters/Character.h"
#include "core/RandomHelpers.h"
#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/PhysicsEngine.h"
#include "engine/Vec3.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "engine/WorldVec3.h"
#include "items/Inventory.h"
#include "items/InventoryReplica.h"
#include "items/Item.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace GAME {
namespace {

constexpr int32_t kThrownPhysicsType = 2;
constexpr int32_t kPlacedPhysicsType = 0;
constexpr float kConversationDistance = 0.9f;

ControllerBaseCharacter* GetBaseController(uint32_t controllerId)
{
    return ObjectManager::Instance().GetObject<ControllerBaseCharacter>(controllerId);
}

void AppendReplica(std::vector<InventoryReplica>& replicas, uint32_t itemId,
                   EquipLocations location)
{
    const Item* item = ObjectManager::Instance().GetObject<Item>(itemId);
    if (item == nullptr)
        return;
    InventoryReplica replica;
    item->GetItemReplicaInfo(replica.item);
    replica.location = location;
    replicas.push_back(std::move(replica));
}

} // namespace

void Character::SetTeam(const Team& newTeam)
{
    const Team old = team;
    team = newTeam;
    MarksChanged();
    if (old.GetTeamMajor() == newTeam.GetTeamMajor() &&
        old.GetTeamMinor() == newTeam.GetTeamMinor())
        return;
    if (auto* controller = ObjectManager::Instance().GetObject<ControllerAI>(controllerId))
        controller->TeamChanged();
}

void Character::ProjectileNotification(uint32_t projectileId)
{
    if (ControllerBaseCharacter* controller = GetBaseController(controllerId))
        controller->ProjectileNotification(projectileId);
}

void Character::ProjectileCollisionCallback(const ProjectileInfo& info, const CollisionData& data)
{
    if (ControllerBaseCharacter* controller = GetBaseController(controllerId))
        controller->ProjectileCollisionCallback(info, data);
}

void Character::AllowDualWieldWeapons(bool allow)
{
    if (auto* controller = ObjectManager::Instance().GetObject<ControllerCharacter>(controllerId))
        controller->AllowDualWieldWeapons(allow);
}

void Character::ControllerAddSkillBuff(const SkillBuffTransfer& transfer,
                                       const std::vector<Weapon_Type>& weaponTypes,
                                       bool needsTwoWeapons)
{
    if (auto* controller = ObjectManager::Instance().GetObject<ControllerCombat>(controllerId))
        controller->CreateSkillBuff(transfer, weaponTypes, needsTwoWeapons);
}

std::vector<std::string> Character::GetItemsInSet(const std::string& setName) const
{
    const auto found = itemSets.find(setName);
    return found == itemSets.end() ? std::vector<std::string>() : found->second;
}

void Character::DropItemFromEquipLocation(uint32_t& itemId, EquipLocations location, bool throwIt)
{
    if (Item* item = ObjectManager::Instance().GetObject<Item>(itemId)) {
        const WorldCoords coords = combatManager.GetAttachCoords(location);
        item->SetPose(GetPose());
        item->SetPhysicsType(throwIt ? kThrownPhysicsType : kPlacedPhysicsType);
        World* world = gEngine->GetWorld();
        const bool added = world != nullptr && world->AddEntity(item, coords, false);
        if (added && throwIt) {
            PhysicsEngine& physics = gEngine->GetPhysicsEngine();
            physics.SetEntityLinearVelocity(item, Vec3(0, 4, 0));
            const float x = RandomFloat(-4.0f, 4.0f);
            const float y = RandomFloat(-4.0f, 4.0f);
            const float z = RandomFloat(-4.0f, 4.0f);
            physics.SetEntityAngularVelocity(item, Vec3(x, y, z));
        }
        item->SetDropSoundToPlay();
        inventory.RemoveItemFromInventory(itemId);
    }
    itemId = 0;
}

void Character::GetInventoryReplica(std::vector<InventoryReplica>& replicas) const
{
    replicas.reserve(replicas.size() + inventory.GetInventoryItems().size() +
                     combatManager.GetAttachedItems().size());
    for (uint32_t id : inventory.GetInventoryItems())
        AppendReplica(replicas, id, EquipLocations_None);
    for (const EquipManagerContainer& attached : combatManager.GetAttachedItems())
        AppendReplica(replicas, attached.itemId, attached.location);
}

void Character::SetCharacterBuffFx(CharacterBuff buff, bool on)
{
    if (!on) {
        StopCharacterBuffFx(buff);
        return;
    }
    const auto found = buffFx.find(buff);
    if (found != buffFx.end() && found->second != nullptr)
        found->second->Enable(true);
}

void Character::GetConversationPartnerLocation(std::vector<WorldVec3>& points) const
{
    const WorldCoords& coords = GetCoords();
    const Vec3 offset = coords.GetRegionCoords().right * kConversationDistance;
    WorldVec3 first = coords.GetPosition();
    first.Translate(offset);
    WorldVec3 second = coords.GetPosition();
    second.Translate(-offset);
    points.push_back(first);
    points.push_back(second);
}

} // namespace GAME

namespace GAME {

void Character::AddToSkillLevel(const std::string& skillName, uint32_t amount)
{
    skillManager.IncrementSkill(skillManager.FindSkillId(skillName), amount);
}

} // namespace GAME
