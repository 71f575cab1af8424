#pragma once

#include "game/GameUIInterface.h"

#include <iosfwd>

namespace GAME {

// The headless host's user interface: what the game asks of a player's screen is printed, and
// questions are answered with a fixed choice (yes unless told otherwise).
class HostUserInterface : public GameUIInterface {
public:
    HostUserInterface(std::ostream& out, bool answerYes) : out(out), answerYes(answerYes) {}

    bool SaveGame() override;
    bool SaveGame(GameDifficulty difficulty) override;
    bool SaveQuest(bool flag) override;
    bool DisplaySkillReallocationWindow(uint32_t npcId) override;
    bool QueryNpcConversation(uint32_t npcId) override;
    bool ShowNpcDialog(uint32_t npcId, uint32_t playerId, DialogPak* pak) override;
    bool IsShowingNpcDialog(const DialogPak* pak) const override;
    bool CloseNpcDialog() override;
    // The yes at the end portal and the final boss's death.
    void EnterEndGame() override;

    bool GetAnswer() const { return answerYes; }

private:
    std::ostream& out;
    bool answerYes;
    const DialogPak* shownDialog = nullptr;
};

} // namespace GAME
