#include "tests/support/RecordingPlayers.h"

#include "engine/ActorConfigCommand.h"
#include "engine/NetPacket.h"
#include "engine/ObjectManager.h"
#include "items/Item.h"

namespace GAME::Test {

GAME_IMPLEMENT_CLASS(CommandLogPlayer, Player);

CommandLogPlayer* CommandLogPlayer::Create()
{
    return static_cast<CommandLogPlayer*>(
        ObjectManager::Instance().CreateObject("CommandLogPlayer"));
}

void CommandLogPlayer::Enqueue(std::unique_ptr<ActorConfigCommand> command)
{
    sent.push_back(command->GetNetPacket()->GetType());
    if (runsCommands)
        Player::Enqueue(std::move(command));
}

GAME_IMPLEMENT_CLASS(ReceivingPlayer, Player);

void ReceivingPlayer::GiveItemToCharacter(Item* item)
{
    GetInventory().AddItemToInventory(item->GetObjectId(), false);
    given.push_back(item->GetObjectId());
}

} // namespace GAME::Test
