#pragma once

#include "game/GameUIInterface.h"

#include <string>
#include <vector>

namespace GAME::Test {

// The host's user interface as tests see it: it records what the game asked of it and answers
// what the test sets.
class RecordingUserInterface : public GameUIInterface {
public:
    bool SaveGame() override { return Record(saves, saveAnswer); }
    bool SaveGame(GameDifficulty difficulty) override
    {
        savedDifficulties.push_back(difficulty);
        return Record(saves, saveAnswer);
    }
    bool SaveQuest(bool) override { return Record(questSaves, questSaveAnswer); }
    bool DisplaySkillReallocationWindow(uint32_t npcId) override
    {
        reallocationNpcs.push_back(npcId);
        return windowAnswer;
    }
    bool QueryNpcConversation(uint32_t npcId) override
    {
        conversationQueries.push_back(npcId);
        return conversationAnswer;
    }
    bool ShowNpcDialog(uint32_t npcId, uint32_t playerId, DialogPak* pak) override
    {
        shownDialogs.push_back({npcId, playerId, pak});
        shownDialog = pak;
        return true;
    }
    bool IsShowingNpcDialog(const DialogPak* pak) const override
    {
        return pak != nullptr && pak == shownDialog;
    }
    bool CloseNpcDialog() override
    {
        ++dialogCloses;
        shownDialog = nullptr;
        return true;
    }

    void EnterEndGame() override { ++endGameEntries; }
    void DisplayDebugText(const std::wstring& text, const Color&, float, float) override
    {
        debugTexts.push_back(text);
    }

    struct ShownDialog {
        uint32_t npcId = 0;
        uint32_t playerId = 0;
        DialogPak* pak = nullptr;
    };

    bool saveAnswer = true;
    bool questSaveAnswer = true;
    bool windowAnswer = true;
    int saves = 0;
    std::vector<std::wstring> debugTexts;
    int questSaves = 0;
    std::vector<GameDifficulty> savedDifficulties;
    std::vector<uint32_t> reallocationNpcs;
    bool conversationAnswer = true;
    std::vector<uint32_t> conversationQueries;
    std::vector<ShownDialog> shownDialogs;
    // What the screen shows now; a test may set it to play a dialog left open.
    DialogPak* shownDialog = nullptr;
    int dialogCloses = 0;
    int endGameEntries = 0;

private:
    static bool Record(int& count, bool answer)
    {
        ++count;
        return answer;
    }
};

} // namespace GAME::Test
