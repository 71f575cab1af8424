#include "host/scenarios/QuestPlayReport.h"

#include "core/GameEvents.h"
#include "engine/ConnectionManager.h"
#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/EventHandler.h"
#include "engine/EventManager.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"
#include "engine/Trigger.h"
#include "engine/TriggerCondition.h"
#include "engine/Vec3.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "host/HostOptions.h"
#include "host/HostSamples.h"
#include "host/HostUserInterface.h"
#include "multiplayer/MessagePackets.h"
#include "quests/GameEvent_Reward.h"
#include "quests/Quest.h"
#include "quests/QuestEvents.h"
#include "quests/QuestRepository.h"
#include "quests/QuestStep.h"
#include "world/BoundingVolume.h"

#include <filesystem>
#include <ostream>

namespace GAME {

namespace {

int32_t CompletedSteps(const Quest& quest)
{
    int32_t count = 0;
    for (int32_t i = 0; i < quest.GetStepCount(); ++i)
        count += quest.GetQuestStepAtIndx(i)->IsComplete() ? 1 : 0;
    return count;
}

template <typename Visit> void ForEachCondition(const Quest& quest, Visit visit)
{
    for (int32_t s = 0; s < quest.GetStepCount(); ++s) {
        const QuestStep* step = quest.GetQuestStepAtIndx(s);
        for (int32_t t = 0; t < step->GetTriggerCount(); ++t) {
            const Trigger* trigger = step->GetTriggerOfIdx(t);
            for (int32_t c = 0; c < trigger->GetNumConditions(); ++c)
                visit(*trigger->GetConditionAtIdx(c));
        }
    }
}

} // namespace

// Prints what the quest announces, stamped with the frame it happened in, and stands in for the
// player's screen: the journal asks the game to save, and the game's save request is answered
// with a background save of the quest state.
class QuestPlayReport::Printer : public HostUserInterface {
public:
    Printer(std::ostream& out, std::string folder)
        : HostUserInterface(out, true), out(out), folder(std::move(folder)),
          token("GameEvent_GotToken", &Printer::OnToken, this),
          banner("GameEvent_ShowTextBanner", &Printer::OnBanner, this),
          journal("GameEvent_UpdateJournal", &Printer::OnJournal, this),
          reward("GameEvent_Reward", &Printer::OnReward, this)
    {}

    // The frame running now; below 0 outside the frames.
    int32_t frame = -1;

    std::ostream& Line()
    {
        out << "  ";
        if (frame >= 0)
            out << "frame " << frame << ": ";
        return out;
    }

    bool SaveQuest(bool) override
    {
        QuestRepository& quests = QuestRepository::Get();
        const uint32_t failedBefore = quests.GetFailedWrites();
        quests.SaveQuestState(folder, kRepositoryFile, true);
        quests.WaitDone();
        if (quests.GetFailedWrites() != failedBefore) {
            Line() << "quest state save failed\n";
            saveFailed = true;
            return false;
        }
        Line() << "quest state saved in the background\n";
        return true;
    }

    // Whether a save of the quest state could not write its files.
    bool saveFailed = false;

private:
    void OnToken(const GameEvent_GotToken& event)
    {
        Line() << "token " << event.tokenName << " given\n";
    }
    void OnBanner(const GameEvent_ShowTextBanner& event)
    {
        Line() << "banner \"" << LocalizationManager::ToChar(event.text) << "\"\n";
    }
    void OnJournal(const GameEvent_UpdateJournal& event)
    {
        Line() << "journal " << event.titleTag << " in region " << event.region << ": "
               << event.fullTextTag << (event.doComplete ? ", complete" : "")
               << (event.playSound ? ", with a sound" : "") << '\n';
        EventManager::Instance().Send("GameEvent_QuestUpdate", GameEvent_QuestUpdate());
    }
    void OnReward(const GameEvent_Reward& event)
    {
        if (event.simulated)
            Line() << "reward replayed: \"" << LocalizationManager::ToChar(event.reward.text)
                   << "\"\n";
    }

    std::ostream& out;
    std::string folder;
    EventHandler<Printer, GameEvent_GotToken> token;
    EventHandler<Printer, GameEvent_ShowTextBanner> banner;
    EventHandler<Printer, GameEvent_UpdateJournal> journal;
    EventHandler<Printer, GameEvent_Reward> reward;
};

QuestPlayReport::QuestPlayReport(const HostOptions& options, std::ostream& out, std::ostream& err)
    : options(options), out(out), err(err)
{}

QuestPlayReport::~QuestPlayReport() = default;

std::string QuestPlayReport::OrdersFile() const
{
    return options.inputFile.empty()
               ? ObjectManager::Instance().GetDatabase().ResolvePath(kOrdersFile)
               : options.inputFile;
}

int QuestPlayReport::Run()
{
    const std::string orders = OrdersFile();
    if (!options.resumeQuest && orders.empty()) {
        err << "gamehost: the database has no quest orders " << kOrdersFile
            << "; give them with --input FILE\n";
        return 2;
    }
    std::error_code error;
    // Resuming from nothing would restore a quest never played and call it restored.
    const std::string repository = options.questStateFolder + '/' + kRepositoryFile;
    if (options.resumeQuest && !std::filesystem::is_regular_file(repository, error)) {
        err << "gamehost: no quest state to resume in '" << options.questStateFolder
            << "': it holds no " << kRepositoryFile << '\n';
        return 2;
    }
    std::filesystem::create_directories(options.questStateFolder, error);
    int status = 0;
    if (options.resumeQuest) {
        status = HostSamples::WithLibrary(err, [this] { return Resume(); }) ? 0 : 2;
    } else {
        status = InputReport(options, out, err, this, orders).Run();
        if (status == 0 && !loaded)
            status = 2;
        if (status == 0 && printer != nullptr && printer->saveFailed) {
            err << "gamehost: the quest state save failed: its files could not be written to '"
                << options.questStateFolder << "'\n";
            status = 2;
        }
    }
    gEngine->SetNetworkMode(false, false);
    return status;
}

void QuestPlayReport::BeforeStage()
{
    if (options.role == "server") {
        gEngine->SetNetworkMode(true, false);
        gGameEngine->SetAsNetworkServer();
        gEngine->GetNetworkConnectionManager().ClearSentPackets();
    }
    printer = std::make_unique<Printer>(out, options.questStateFolder);
    gGameEngine->SetUI(printer.get());
    gEngine->GetWorld()->AddQuestFile(kQuestFile);
    QuestRepository::Destroy();
    QuestRepository::Get().Load();
}

bool QuestPlayReport::AfterStage(const ScriptCast&)
{
    const Quest* quest = QuestRepository::Get().GetQuestByIndex(0);
    if (quest == nullptr) {
        err << "gamehost: the quest file " << kQuestFile << " did not load\n";
        return false;
    }
    loaded = true;
    ForEachCondition(*quest, [this](const TriggerCondition&) { satisfied.push_back(false); });
    auto* gate = ObjectManager::Instance().CreateObjectFromFile<BoundingVolume>(kGateVolume);
    if (gate == nullptr) {
        err << "gamehost: the gate volume " << kGateVolume << " did not load\n";
        return false;
    }
    const Vec3 place(kGateX, 0.0f, kGateZ);
    gEngine->GetWorld()->AddEntity(gate, WorldCoords{1, Coords::FromTranslation(place)}, false);
    gate->InitialUpdate();
    out << "  quest " << kQuestFile << ": " << quest->GetStepCount() << " steps; gate "
        << kGateVolume << " at " << HostSamples::PointText(place) << ", radius "
        << HostSamples::TwoDecimals(gate->GetRadius()) << '\n';
    EventManager::Instance().Send("GameEvent_PreRun", GameEvent_PreRun());
    printer->frame = 0;
    return true;
}

void QuestPlayReport::AfterFrame(int32_t frame)
{
    NoteConditions(frame);
    NoteSteps(frame);
    NoteMessages(frame);
    printer->frame = frame + 1;
}

void QuestPlayReport::NoteConditions(int32_t frame)
{
    const Quest* quest = QuestRepository::Get().GetQuestByIndex(0);
    size_t index = 0;
    ForEachCondition(*quest, [&](const TriggerCondition& condition) {
        if (index < satisfied.size() && condition.GetSatisfied() && !satisfied[index]) {
            satisfied[index] = true;
            out << "  frame " << frame << ": condition " << HostSamples::HexWord(condition.GetId())
                << ' ' << condition.GetName() << " satisfied\n";
        }
        ++index;
    });
}

void QuestPlayReport::NoteSteps(int32_t frame)
{
    const Quest* quest = QuestRepository::Get().GetQuestByIndex(0);
    for (const int32_t done = CompletedSteps(*quest); stepsComplete < done;)
        out << "  frame " << frame << ": quest " << kQuestFile << ": step " << ++stepsComplete
            << " of " << quest->GetStepCount() << " complete\n";
    if (quest->IsComplete() && !complete) {
        complete = true;
        out << "  frame " << frame << ": quest " << kQuestFile << ": complete\n";
    }
}

void QuestPlayReport::NoteMessages(int32_t frame)
{
    if (options.role != "server")
        return;
    for (const auto& sent : gEngine->GetNetworkConnectionManager().TakeSentPackets()) {
        const auto packet = ConnectionManager::DecodePacket(sent.bytes);
        const auto* message = dynamic_cast<const QuestMessagePacket*>(packet.get());
        if (message == nullptr)
            continue;
        out << "  frame " << frame << ": quest " << (message->isConditionSet ? "set" : "message");
        for (uint32_t word : message->words)
            out << ' ' << HostSamples::HexWord(word);
        out << '\n';
    }
}

void QuestPlayReport::BeforeClear()
{
    QuestRepository::Get().WaitDone();
    QuestRepository::Destroy();
    gGameEngine->SetUI(nullptr);
    gEngine->GetWorld()->ClearQuestFiles();
}

bool QuestPlayReport::Resume()
{
    printer = std::make_unique<Printer>(out, options.questStateFolder);
    gEngine->GetWorld()->ClearQuestFiles();
    gEngine->GetWorld()->AddQuestFile(kQuestFile);
    QuestRepository::Destroy();
    QuestRepository& quests = QuestRepository::Get();
    quests.Load();
    const bool restored = quests.LoadQuestState(options.questStateFolder, kRepositoryFile);
    const Quest* quest = quests.GetQuestByIndex(0);
    if (quest == nullptr || !restored) {
        if (quest == nullptr)
            err << "gamehost: the quest file " << kQuestFile << " did not load\n";
        else
            err << "gamehost: the quest state in '" << options.questStateFolder
                << "' is missing or damaged; nothing was restored\n";
        QuestRepository::Destroy();
        return false;
    }
    out << "quest " << kQuestFile << ": restored, " << CompletedSteps(*quest) << " of "
        << quest->GetStepCount() << " steps complete, "
        << (quest->IsComplete() ? "complete" : "not complete") << '\n';
    gGameEngine->SuperPreRun();
    QuestRepository::Destroy();
    gEngine->GetWorld()->ClearQuestFiles();
    return true;
}

} // namespace GAME
