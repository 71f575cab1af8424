#pragma once

#include <iosfwd>
#include <string>

namespace GAME {

struct HostOptions;

// `gamehost --scenario quest-actions`: the showcase quest commands the world. The hero, the
// elder, the raider, a chest, two gates, the well and the raiders' camp stand in a one-region
// world; only the showcase quest loads, and its one trigger fires on "GameEvent_PreRun". Each
// action prints "fired NAME: DESCRIPTION", then "applied NAME" when it acts (a waiting one
// when its object announces itself), with the engine calls, events and commands it caused. The
// quest state is then saved and reloaded into a fresh session ("refired NAME" for each action
// that fires again), and last the quest fires on an engine started as a client, which prints
// the packets it sent, by class.
class QuestActionsReport {
public:
    static constexpr const char* kQuestFile = "Quests/Showcase/WorldCommands.qst";
    static constexpr const char* kRepositoryFile = "QuestRepository.dat";

    QuestActionsReport(const HostOptions& options, std::ostream& out, std::ostream& err);

    // 0 when played; 2, with one line on `err`, when the quest or a record does not load.
    int Run();

private:
    class Stage;

    bool PlaySingle();
    bool PlayClient();

    const HostOptions& options;
    std::ostream& out;
    std::ostream& err;
    std::string stateFolder;
};

} // namespace GAME
