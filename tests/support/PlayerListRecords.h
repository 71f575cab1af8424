#pragma once

#include "characters/Player.h"
#include "engine/ObjectManager.h"
#include "multiplayer/PlayerNetBasicInfo.h"

#include <cstdint>
#include <string>

namespace GAME::Test {

// A player list's record of an id, a name and a party; the rest as a new record has it.
inline PlayerNetBasicInfo ListedPlayer(uint32_t id, const std::wstring& name, int32_t party = 0)
{
    PlayerNetBasicInfo record;
    record.playerId = id;
    record.name = name;
    record.partyId = party;
    return record;
}

// A player object under that id; null when the id is taken.
inline Player* MakePlayerObject(uint32_t id)
{
    return static_cast<Player*>(ObjectManager::Instance().CreateObject("Player", id));
}

} // namespace GAME::Test
