#include "multiplayer/CharacterActionPackets.h"

#include "ai/ControllerBaseCharacter.h"
#include "characters/AttackAction.h"
#include "characters/Character.h"
#include "characters/ChatAction.h"
#include "characters/DieAction.h"
#include "characters/EngageNpcAction.h"
#include "characters/IdleAction.h"
#include "characters/ImmobilizeAction.h"
#include "characters/LongIdleAction.h"
#include "characters/MoveToAction.h"
#include "characters/PickUpAction.h"
#include "characters/PlayAnimationAction.h"
#include "characters/RespawnAction.h"
#include "characters/SpawnAction.h"
#include "characters/TakeStunAction.h"
#include "characters/TakeTrapAction.h"
#include "characters/UseAction.h"
#include "characters/WalkAction.h"
#include "engine/ConnectionManager.h"
#include "engine/NetworkShim.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"

namespace GAME {

namespace {
// A move's start and goal, each in a region of the world.
bool MoveIsOfWorld(const World& world, const WorldVec3& start, const WorldVec3& goal)
{
    return world.GetRegionById(start.GetRegionId()) != nullptr &&
           world.GetRegionById(goal.GetRegionId()) != nullptr;
}
} // namespace

bool MoveToPacket::IsOfWorld(const World& world) const
{
    return MoveIsOfWorld(world, startLocation, worldLocation);
}

bool WalkPacket::IsOfWorld(const World& world) const
{
    return MoveIsOfWorld(world, startLocation, worldLocation);
}

namespace {
// A packet type and the action it rebuilds on the receiving machine.
template <typename Packet, typename Action> void RegisterAction()
{
    ConnectionManager::RegisterPacketClass<Packet>();
    NetworkShim::RegisterActionBuilder(Packet().GetType(), [](const CharacterActionPacket& packet) {
        const auto* typed = dynamic_cast<const Packet*>(&packet);
        return typed != nullptr ? std::unique_ptr<CharacterAction>(new Action(*typed)) : nullptr;
    });
}

// A received action runs as if its character's controller had chosen it, without being sent
// on again from there.
bool GiveToController(uint32_t characterId, std::unique_ptr<CharacterAction> action)
{
    const ObjectManager& objects = ObjectManager::Instance();
    const Character* character = objects.GetObject<Character>(characterId);
    ControllerBaseCharacter* controller =
        character != nullptr
            ? objects.GetObject<ControllerBaseCharacter>(character->GetControllerId())
            : nullptr;
    if (controller == nullptr)
        return false;
    controller->LocalHandleAction(action.release());
    return true;
}

[[maybe_unused]] const bool characterActionPacketsRegistered = [] {
    RegisterAction<IdleActionPacket, IdleAction>();
    RegisterAction<LongIdleActionPacket, LongIdleAction>();
    RegisterAction<MoveToPacket, MoveToAction>();
    RegisterAction<WalkPacket, WalkAction>();
    RegisterAction<PickUpItemPacket, PickUpAction>();
    RegisterAction<UseItemPacket, UseAction>();
    RegisterAction<AttackPacket, AttackAction>();
    RegisterAction<TakeStunPacket, TakeStunAction>();
    RegisterAction<ImmobilizePacket, ImmobilizeAction>();
    RegisterAction<TakeTrapPacket, TakeTrapAction>();
    RegisterAction<DiePacket, DieAction>();
    RegisterAction<ChatActionPacket, ChatAction>();
    RegisterAction<PlayAnimationActionPacket, PlayAnimationAction>();
    RegisterAction<EngageNpcPacket, EngageNpcAction>();
    RegisterAction<SpawnActionPacket, SpawnAction>();
    RegisterAction<RespawnPacket, RespawnAction>();
    NetworkShim::SetActionReceiver(&GiveToController);
    return true;
}();
} // namespace

} // namespace GAME
