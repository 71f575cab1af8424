#pragma once

#include <iosfwd>
#include <string>

namespace GAME {

class Quest;
struct HostOptions;

// `gamehost --quests`: the world lists the sample quest file; the report prints the quest with
// its steps and triggers by id, completes it through "GameEvent_CompleteQuestNow" (printing the
// events), saves its state in the background, waits, and restores it into a fresh repository.
class QuestReport {
public:
    static constexpr const char* kQuestFile = "Quests/VillageWatch.qst";
    static constexpr const char* kRepositoryFile = "QuestRepository.dat";

    QuestReport(const HostOptions& options, std::ostream& out, std::ostream& err);
    QuestReport(const QuestReport&) = delete;
    QuestReport& operator=(const QuestReport&) = delete;

    // False, with one line on `err`, when the quest does not load, the state folder cannot be
    // made or the state does not come back.
    bool Run();

private:
    bool Play(const std::string& folder);
    void PrintQuest(const Quest& quest);

    const HostOptions& options;
    std::ostream& out;
    std::ostream& err;
};

} // namespace GAME
