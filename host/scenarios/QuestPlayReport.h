#pragma once

#include "host/InputReport.h"

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class Quest;
struct HostOptions;

// `gamehost --scenario quest --quest-state DIR`: the hero of the --input scene plays the sample
// quest. The quest loads before the gate volume is placed, so its entry condition sees the gate
// appear; "GameEvent_PreRun" follows. Each frame prints what the quest heard and did: conditions
// met, tokens, banners, journal entries, steps, the quest's end, background saves and, as a
// server, the words of each quest message sent. The journal asks the game to save, and the
// game asks the host, which saves in the background. `--resume` restores the saved quest into a
// fresh session instead and replays its rewards.
class QuestPlayReport : private InputReport::Observer {
public:
    static constexpr const char* kQuestFile = "Quests/VillageWatch.qst";
    static constexpr const char* kRepositoryFile = "QuestRepository.dat";
    // The hero's orders when `--input` gives none, beside the quest in the database.
    static constexpr const char* kOrdersFile = "Quests/VillageWatch.route";
    static constexpr const char* kGateVolume = "Records/Quests/VillageWatch/GateVolume.dbr";
    static constexpr float kGateX = -6.0f;
    static constexpr float kGateZ = 4.0f;

    QuestPlayReport(const HostOptions& options, std::ostream& out, std::ostream& err);
    ~QuestPlayReport() override;
    QuestPlayReport(const QuestPlayReport&) = delete;
    QuestPlayReport& operator=(const QuestPlayReport&) = delete;

    // 0 when played; 2, with one line on `err`, when the quest, the scene or its state fails.
    int Run();

private:
    class Printer;

    void BeforeStage() override;
    bool AfterStage(const ScriptCast& roster) override;
    void AfterFrame(int32_t frame) override;
    void BeforeClear() override;

    bool Resume();
    void NoteConditions(int32_t frame);
    void NoteSteps(int32_t frame);
    void NoteMessages(int32_t frame);
    std::string OrdersFile() const;

    const HostOptions& options;
    std::ostream& out;
    std::ostream& err;
    std::unique_ptr<Printer> printer;
    std::vector<bool> satisfied;
    int32_t stepsComplete = 0;
    bool complete = false;
    bool loaded = false;
};

} // namespace GAME
