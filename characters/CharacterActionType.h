#pragma once

#include <cstdint>

namespace GAME {

// The kinds of character action; 2, 17 and 18 have no action class.
enum CharacterActionType : int32_t {
    CharacterActionType_None = 0,
    CharacterActionType_Idle = 1,
    CharacterActionType_LongIdle = 3,
    CharacterActionType_MoveTo = 4,
    CharacterActionType_Walk = 5,
    CharacterActionType_PickUp = 6,
    CharacterActionType_Use = 7,
    CharacterActionType_Attack = 8,
    CharacterActionType_TakeStun = 9,
    CharacterActionType_Immobilize = 10,
    CharacterActionType_TakeTrap = 11,
    CharacterActionType_Die = 12,
    CharacterActionType_Chat = 13,
    CharacterActionType_PlayAnimation = 14,
    CharacterActionType_Spawn = 15,
    CharacterActionType_Respawn = 16,
    CharacterActionType_EngageNpc = 19
};
constexpr int32_t kCharacterActionTypeCount = 20;

// Whether a requested action may start while another runs.
enum CharacterActionPermission : int32_t {
    CharacterActionPermission_Allow = 0,
    // The controllers decide.
    CharacterActionPermission_AskController = 1,
    CharacterActionPermission_Refuse = 2
};

} // namespace GAME
