#include "ai/ControllerCharacter.h"

#include "characters/Character.h"
#include "characters/CharacterConfigCommands.h"
#include "engine/ActorConfigCommand.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/Platform.h"
#include "items/Inventory.h"
#include "items/Item.h"
#include "multiplayer/EntityPackets.h"

#include <cmath>
#include <numbers>
#include <utility>

namespace GAME {

GAME_IMPLEMENT_CLASS(ControllerCharacter, ControllerBaseCharacter);

void ControllerCharacter::Teleport(const WorldCoords& coords)
{
    // Only the machine that made the character tells the others where it is; a stand-in for
    // another machine's character moves here and waits to hear it from there.
    ConnectionManager& connections = gEngine->GetNetworkConnectionManager();
    if (ConnectionManager::HostOfId(GetParentId()) == connections.GetLocalHostID()) {
        UpdatePositionPacket packet;
        packet.originatorId = connections.GetLocalHostID();
        packet.entityId = GetParentId();
        packet.coords = coords;
        connections.SendPacket(packet);
    }

    Character* character = GetCharacter();
    if (character == nullptr)
        return;
    WorldVec3 position = coords.GetPosition();
    // Left as it was on failure: a teleport off the floor still lands somewhere.
    if (!position.TranslateToFloor(Vec3()))
        gEngine->Log(Engine::LogRuntime, "Could Not Translate To Floor");
    character->SetPathPosition(position);
}

void ControllerCharacter::Update(int32_t elapsedMs)
{
    ControllerBaseCharacter::Update(elapsedMs);
    attributeCountdown -= elapsedMs;
    if (attributeCountdown > 0)
        return;
    attributeCountdown = kAttributeRefreshMs;
    equipmentCtrl.AttributesHaveChanged();
}

void ControllerCharacter::PickupItem(uint32_t itemId)
{
    Send(std::make_unique<CharPickUpConfigCmd>(GetParentId(), itemId));
}

Item* ControllerCharacter::CreateItemInInventory(const std::string& record)
{
    Character* character = GetCharacter();
    if (character == nullptr)
        return nullptr;
    Item* item = ObjectManager::Instance().CreateObjectFromFile<Item>(record);
    if (item != nullptr)
        character->GetInventory().AddItemToInventory(item->GetObjectId(), false);
    return item;
}

void ControllerCharacter::SendEquipAttachAction(uint32_t itemId, EquipLocations location)
{
    Send(std::make_unique<AttachItemConfigCmd>(GetParentId(), itemId, location));
}

void ControllerCharacter::SendEquipDetachAction(uint32_t itemId)
{
    Send(std::make_unique<DetachItemConfigCmd>(GetParentId(), itemId));
}

void ControllerCharacter::SendDropFromEquipLocation(uint32_t itemId, EquipLocations location,
                                                    bool throwIt)
{
    Send(std::make_unique<DropItemFromEquipLocationConfigCmd>(GetParentId(), itemId, location,
                                                              throwIt));
}

void ControllerCharacter::SendDropItemRandom(uint32_t itemId)
{
    if (itemId == 0)
        return;
    const float angle = static_cast<float>(Platform::Rand()) /
                        static_cast<float>(Platform::kRandMax) * 2.0f * std::numbers::pi_v<float>;
    Send(std::make_unique<DropItemConfigCmd>(GetParentId(), itemId, std::cos(angle) * 1.25f,
                                             std::sin(angle) * 1.25f));
}

void ControllerCharacter::SendRemoveItemFromInventory(uint32_t itemId)
{
    if (itemId != 0)
        Send(std::make_unique<RemoveInventoryItemConfigCmd>(GetParentId(), itemId));
}

void ControllerCharacter::IncrementCharacterStrength()
{
    Send(std::make_unique<IncrementBaseStrengthConfigCmd>(GetParentId()));
}

void ControllerCharacter::IncrementCharacterIntelligence()
{
    Send(std::make_unique<IncrementBaseIntelligenceConfigCmd>(GetParentId()));
}

void ControllerCharacter::IncrementCharacterDexterity()
{
    Send(std::make_unique<IncrementBaseDexterityConfigCmd>(GetParentId()));
}

void ControllerCharacter::IncrementCharacterLife()
{
    Send(std::make_unique<IncrementBaseLifeConfigCmd>(GetParentId()));
}

void ControllerCharacter::IncrementCharacterLife(int32_t amount)
{
    Send(std::make_unique<IncrementBaseLifeConfigCmd>(GetParentId(), amount));
}

void ControllerCharacter::IncrementCharacterMana()
{
    Send(std::make_unique<IncrementBaseManaConfigCmd>(GetParentId()));
}

void ControllerCharacter::IncrementCharacterMana(int32_t amount)
{
    Send(std::make_unique<IncrementBaseManaConfigCmd>(GetParentId(), amount));
}

void ControllerCharacter::Send(std::unique_ptr<ActorConfigCommand> command) const
{
    if (Character* character = GetCharacter())
        character->Enqueue(std::move(command));
}

} // namespace GAME
