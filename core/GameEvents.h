#pragma once

#include "engine/GameEvent.h"
#include "engine/Name.h"
#include "engine/WorldCoords.h"

#include <cstdint>
#include <string>

namespace GAME {

// "GameEvent_GenericEntitySpawn", "...InitialUpdate", "...Destroy", conversations and the like.
class GameEvent_GenericEntity : public GameEvent {
public:
    std::string objectName;
    uint32_t objectId = 0;
};

// "GameEvent_FixedItemUse": who used which fixed item.
class GameEvent_FixedItemUse : public GameEvent {
public:
    std::string objectName;
    uint32_t userId = 0;
    uint32_t objectId = 0;
};

// "GameEvent_FixedItemSpawn": a fixed item has set itself up in the level.
class GameEvent_FixedItemSpawn : public GameEvent {
public:
    std::string objectName;
    uint32_t objectId = 0;
};

// "GameEvent_CreatureDeath": who died and who killed it.
class GameEvent_CreatureDeath : public GameEvent {
public:
    std::string name;
    uint32_t victimId = 0;
    uint32_t killerId = 0;
};

// "GameEvent_CreatureSpawn": a creature was placed in the world.
class GameEvent_CreatureSpawn : public GameEvent {
public:
    std::string objectName;
    uint32_t objectId = 0;
    bool isPlayer = false;
};

// "GameEvent_CreatureInitialUpdate": a creature placed in the world has set itself up.
class GameEvent_CreatureInitialUpdate : public GameEvent {
public:
    std::string objectName;
    uint32_t objectId = 0;
};

// "GameEvent_ScriptPoint": a script point announces itself once the level runs.
class GameEvent_ScriptPoint : public GameEvent {
public:
    WorldCoords coords;
    std::string scriptCharacter;
    int32_t sequenceNum = 0;
};

// "GameEvent_CameraShake": a skill shakes the camera for a while.
class GameEvent_CameraShake : public GameEvent {
public:
    int32_t durationMs = 0;
    float amplitude = 0.0f;
};

// "GameEvent_ScreenFade": the screen fades out, stays dark, and fades back in.
class GameEvent_ScreenFade : public GameEvent {
public:
    int32_t fadeInOutMs = 0;
    int32_t blackoutMs = 0;
    float red = 0.0f;
    float green = 0.0f;
    float blue = 0.0f;
    float alpha = 1.0f;
};

// "GameEvent_TeleportPlayer": the local player is to be moved there; the receiver moves him.
class GameEvent_TeleportPlayer : public GameEvent {
public:
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    int32_t regionId = -1;
};

// "GameEvent_PreRun": the level is loaded and the game is about to run; carries nothing.
class GameEvent_PreRun : public GameEvent {};

// "GameEvent_TutorialUnlock": a tutorial page became available to the player.
class GameEvent_TutorialUnlock : public GameEvent {
public:
    uint32_t page = 0;
};

// "GameEvent_GameBalanceLevel": the server changed the game balance level.
class GameEvent_GameBalanceLevel : public GameEvent {
public:
    int32_t level = 0;
};

// "GameEvent_ItemAttach": a character put an item on.
class GameEvent_ItemAttach : public GameEvent {
public:
    uint32_t ownerId = 0;
    uint32_t itemId = 0;
};

// "GameEvent_ItemDetach": a character took an item off.
class GameEvent_ItemDetach : public GameEvent {
public:
    uint32_t ownerId = 0;
    uint32_t itemId = 0;
};

// "GameEvent_ItemAdd": an item joined a character's inventory.
class GameEvent_ItemAdd : public GameEvent {
public:
    uint32_t ownerId = 0;
    uint32_t itemId = 0;
    // As the adder passed it to the inventory.
    bool flag = false;
};

// "GameEvent_FloatingText": text that rises over an object, such as a critical hit.
class GameEvent_FloatingText : public GameEvent {
public:
    uint32_t objectId = 0;
    WorldCoords position;
    std::string styleName;
    std::wstring text;
};

// "GameEvent_GotToken": a player took a quest trigger token.
class GameEvent_GotToken : public GameEvent {
public:
    uint32_t playerId = 0;
    std::string tokenName;
};

// "GameEvent_QuestComplete": a quest was completed; the two flags are the completion's own,
// passed on for the listeners.
class GameEvent_QuestComplete : public GameEvent {
public:
    Name handle;
    bool flagA = false;
    bool flagB = false;
};

// "GameEvent_QuestUpdate": a quest moved on; the flag is handed to the quest save.
class GameEvent_QuestUpdate : public GameEvent {
public:
    bool flag = false;
};

// "GameEvent_EnterBoundingVolume": an entity came inside a bounding volume's sphere.
class GameEvent_EnterBoundingVolume : public GameEvent {
public:
    uint32_t volumeId = 0;
    uint32_t entityId = 0;
};

// "GameEvent_ExitBoundingVolume": an entity left a bounding volume's sphere.
class GameEvent_ExitBoundingVolume : public GameEvent {
public:
    uint32_t volumeId = 0;
    uint32_t entityId = 0;
};

// "GameEvent_ActivateNPCMarket": a player asked a merchant to open his market.
class GameEvent_ActivateNPCMarket : public GameEvent {
public:
    uint32_t merchantId = 0;
    uint32_t playerId = 0;
};

} // namespace GAME
