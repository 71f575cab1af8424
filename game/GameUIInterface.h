#pragma once

#include "core/GameDifficulty.h"
#include "engine/Color.h"

#include <cstdint>
#include <string>

namespace GAME {

class DialogPak;

// The host's user interface, as the game library calls it. The host implements it and hands it
// to the game engine with `SetUI`; every operation answers whether it did what was asked.
class GameUIInterface {
public:
    virtual ~GameUIInterface() = default;

    virtual bool SaveGame() = 0;
    virtual bool SaveGame(GameDifficulty difficulty) = 0;
    virtual bool SaveQuest(bool flag) = 0;
    virtual bool DisplaySkillReallocationWindow(uint32_t npcId) = 0;

    // Put before a townsperson starts talking to the player; while it answers false the quest
    // actions the talk sets off stay delayed.
    virtual bool QueryNpcConversation(uint32_t npcId) = 0;
    // The pak stays the character's; the screen only shows it until told to close.
    virtual bool ShowNpcDialog(uint32_t npcId, uint32_t playerId, DialogPak* pak) = 0;
    virtual bool IsShowingNpcDialog(const DialogPak* pak) const = 0;
    virtual bool CloseNpcDialog() = 0;
    // A skill of the controlled character went on or off; hosts without a skill bar ignore it.
    virtual void SkillActivated(uint32_t /*skillId*/) {}
    virtual void SkillDeactivated(uint32_t /*skillId*/) {}
    // The player said yes at the portal after the final boss; hosts without an ending ignore it.
    virtual void EnterEndGame() {}
    // A line of designers' debug text at the screen position; hosts without a screen ignore it.
    virtual void DisplayDebugText(const std::wstring& /*text*/, const Color& /*colour*/,
                                  float /*x*/, float /*y*/)
    {}
};

} // namespace GAME
