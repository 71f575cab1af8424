#pragma once

#include "game/GameUIInterface.h"

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

    bool saveAnswer = true;
    bool questSaveAnswer = true;
    bool windowAnswer = true;
    int saves = 0;
    int questSaves = 0;
    std::vector<GameDifficulty> savedDifficulties;
    std::vector<uint32_t> reallocationNpcs;

private:
    static bool Record(int& count, bool answer)
    {
        ++count;
        return answer;
    }
};

} // namespace GAME::Test
