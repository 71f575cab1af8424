#include "host/scenarios/QuestReport.h"

#include "core/GameEvents.h"
#include "engine/Engine.h"
#include "engine/EventHandler.h"
#include "engine/EventManager.h"
#include "engine/FileSystem.h"
#include "engine/Trigger.h"
#include "engine/World.h"
#include "host/HostOptions.h"
#include "host/ShownName.h"
#include "quests/Quest.h"
#include "quests/QuestEvents.h"
#include "quests/QuestRepository.h"
#include "quests/QuestStep.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <system_error>

namespace GAME {

namespace {

const char* YesOrNo(bool value)
{
    return value ? "yes" : "no";
}

std::string HexOf(uint32_t value)
{
    char text[16];
    snprintf(text, sizeof(text), "0x%08x", value);
    return text;
}

// Prints the quest events while it lives.
class QuestEventPrinter {
public:
    explicit QuestEventPrinter(std::ostream& out)
        : out(out), inherit("GameEvent_InheritQuest", &QuestEventPrinter::OnInherit, this),
          complete("GameEvent_QuestComplete", &QuestEventPrinter::OnComplete, this)
    {}

    void OnInherit(const GameEvent_QuestHandle&) { out << "  event GameEvent_InheritQuest\n"; }
    void OnComplete(const GameEvent_QuestComplete& event)
    {
        out << "  event GameEvent_QuestComplete (flags " << YesOrNo(event.flagA) << ", "
            << YesOrNo(event.flagB) << ")\n";
    }

private:
    std::ostream& out;
    EventHandler<QuestEventPrinter, GameEvent_QuestHandle> inherit;
    EventHandler<QuestEventPrinter, GameEvent_QuestComplete> complete;
};

int32_t StepsCompleted(const Quest& quest)
{
    int32_t count = 0;
    for (int32_t i = 0; i < quest.GetStepCount(); ++i)
        count += quest.GetQuestStepAtIndx(i)->IsComplete() ? 1 : 0;
    return count;
}

} // namespace

QuestReport::QuestReport(const HostOptions& options, std::ostream& out, std::ostream& err)
    : options(options), out(out), err(err)
{}

bool QuestReport::Run()
{
    if (!options.questStateFolder.empty()) {
        std::error_code error;
        std::filesystem::create_directories(options.questStateFolder, error);
        return Play(options.questStateFolder);
    }
    std::string why;
    std::string scratch = FileSystem::TemporaryFolder(&why);
    if (scratch.empty()) {
        err << "gamehost: no scratch folder for the quest state: " << ShownName(why) << '\n';
        return false;
    }
    const std::string folder = scratch;
    scratch += "/gamehost-quests-XXXXXX";
    if (mkdtemp(scratch.data()) == nullptr) {
        err << "gamehost: no scratch folder for the quest state in '" << ShownName(folder) << "' ("
            << std::generic_category().message(errno) << ")\n";
        return false;
    }
    const bool played = Play(scratch);
    std::error_code error;
    std::filesystem::remove_all(scratch, error);
    return played;
}

void QuestReport::PrintQuest(const Quest& quest)
{
    out << "quest 0: " << kQuestFile << ", " << quest.GetStepCount() << " steps, state file "
        << QuestRepository::StateFileName(quest) << '\n';
    for (int32_t s = 0; s < quest.GetStepCount(); ++s) {
        const QuestStep* step = quest.GetQuestStepAtIndx(s);
        out << "  step " << s << ' ' << HexOf(step->GetId()) << " \"" << step->GetName()
            << "\", enabled by \"" << step->GetEnablingTokensFunction() << "\"\n";
        for (int32_t t = 0; t < step->GetTriggerCount(); ++t) {
            const Trigger* trigger = step->GetTriggerOfIdx(t);
            out << "    trigger " << t << ' ' << HexOf(trigger->GetId()) << " \""
                << trigger->GetDisplayTag() << "\", " << trigger->GetNumConditions()
                << " conditions, " << trigger->GetNumActions() << " actions loaded\n";
        }
    }
}

bool QuestReport::Play(const std::string& folder)
{
    gEngine->GetWorld()->ClearQuestFiles();
    gEngine->GetWorld()->AddQuestFile(kQuestFile);
    QuestRepository::Destroy();
    QuestRepository& repository = QuestRepository::Get();
    repository.Load();
    Quest* quest = repository.GetQuestByIndex(0);
    if (quest == nullptr) {
        err << "gamehost: the quest file " << kQuestFile << " did not load\n";
        QuestRepository::Destroy();
        return false;
    }
    PrintQuest(*quest);
    {
        QuestEventPrinter printer(out);
        GameEvent_CompleteQuestNow event;
        event.questFile = kQuestFile;
        event.flagA = event.flagB = true;
        out << "GameEvent_CompleteQuestNow " << kQuestFile << '\n';
        EventManager::Instance().Send("GameEvent_CompleteQuestNow", event);
    }
    repository.SaveQuestState(folder, kRepositoryFile, true);
    repository.WaitDone();
    if (const uint32_t failed = repository.GetFailedWrites(); failed != 0) {
        err << "gamehost: the quest state save failed: " << failed << " of its files could not "
            << "be written to '" << ShownName(folder) << "'\n";
        QuestRepository::Destroy();
        gEngine->GetWorld()->ClearQuestFiles();
        return false;
    }
    out << "saved in the background to the state folder\n";

    QuestRepository::Destroy();
    QuestRepository& restored = QuestRepository::Get();
    restored.Load();
    restored.LoadQuestState(folder, kRepositoryFile);
    const Quest* back = restored.GetQuestByIndex(0);
    if (back == nullptr) {
        err << "gamehost: the quest did not come back\n";
        QuestRepository::Destroy();
        return false;
    }
    out << "restored quest 0: active " << YesOrNo(back->IsActive()) << ", complete "
        << YesOrNo(back->IsComplete()) << ", " << StepsCompleted(*back) << " of "
        << back->GetStepCount() << " steps complete\n";
    QuestRepository::Destroy();
    gEngine->GetWorld()->ClearQuestFiles();
    return true;
}

} // namespace GAME
