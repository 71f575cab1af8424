#pragma once

#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"
#include "quests/QuestRepository.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace GAME {

// The quests of the run's world as they were loaded. Loading parses every quest design again, so
// the repository is loaded again only when an input left it otherwise: each quest's state file
// and the repository's own, as they would be saved, and the queues a save leaves out, tell. An
// input that changed no more than the files is undone by reading them back, as a saved game is.
class FreshQuests {
public:
    // Before each input: the repository as loaded.
    void Restore()
    {
        QuestRepository& quests = QuestRepository::Get();
        if (loaded) {
            quests.ClearSatisfiedConditions();
            if (Take() == made)
                return;
            Put(made);
            if (Take() == made)
                return;
        }
        quests.Reset();
        quests.Load();
        made = Take();
        loaded = true;
    }

private:
    struct State {
        // Each quest's state file, then the repository's.
        std::vector<std::vector<uint8_t>> files;
        size_t satisfied = 0;
        size_t delayedActions = 0;
        size_t delayedMessages = 0;
        bool operator==(const State&) const = default;
    };

    static void Put(const State& state)
    {
        QuestRepository& quests = QuestRepository::Get();
        const size_t count = state.files.size() - 1;
        for (size_t index = 0; index < count && index < quests.GetNumQuests(); ++index) {
            IOStreamRead file(state.files[index]);
            quests.StreamQuestState(&file, quests.GetQuestByIndex(index));
        }
        quests.ClearTriggers();
        IOStreamRead repository(state.files.back());
        quests.StreamProperties(&repository);
    }

    static State Take()
    {
        QuestRepository& quests = QuestRepository::Get();
        State state;
        for (size_t index = 0; index < quests.GetNumQuests(); ++index) {
            IOStreamWrite file;
            quests.StreamQuestState(&file, quests.GetQuestByIndex(index));
            state.files.push_back(file.GetBytes());
        }
        IOStreamWrite repository;
        quests.StreamProperties(&repository);
        state.files.push_back(repository.GetBytes());
        state.satisfied = quests.GetSatisfiedConditions().size();
        state.delayedActions = quests.GetNumDelayedActions();
        state.delayedMessages = quests.GetNumDelayedMessages();
        return state;
    }

    bool loaded = false;
    State made;
};

} // namespace GAME
