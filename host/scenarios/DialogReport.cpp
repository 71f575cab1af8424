#include "host/scenarios/DialogReport.h"

#include "characters/Npc.h"
#include "characters/Player.h"
#include "core/GameEvents.h"
#include "engine/ABBox.h"
#include "engine/Engine.h"
#include "engine/EventManager.h"
#include "engine/FileSystem.h"
#include "engine/Platform.h"
#include "engine/VoidCallbackFunctor.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "host/HostOptions.h"
#include "host/HostSamples.h"
#include "host/HostUserInterface.h"
#include "host/ShownName.h"
#include "multiplayer/PlayerManagerClient.h"
#include "quests/Dialog.h"
#include "quests/DialogPak.h"
#include "quests/NpcConversationManager.h"
#include "quests/Quest.h"
#include "quests/QuestEvents.h"
#include "quests/QuestRepository.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <ostream>
#include <system_error>

#include <unistd.h>

namespace GAME {

namespace {

constexpr uint32_t kDialogRegion = 1;
constexpr int32_t kDialogFrameMs = 100;
// Frames enough for a silent line and the elder's wait between two talks.
constexpr int32_t kFramesPerTalk = 60;
constexpr const char* kRepositoryFile = "QuestRepository.dat";

// The screen's dialog window: it says the shown pack's next line at once, and quietly, since
// this report prints the lines itself.
class TalkWindow : public HostUserInterface {
public:
    explicit TalkWindow(std::ostream& quiet) : HostUserInterface(quiet, true) {}

    bool ShowNpcDialog(uint32_t npcId, uint32_t playerId, DialogPak* pak) override
    {
        HostUserInterface::ShowNpcDialog(npcId, playerId, pak);
        shown = pak;
        if (pak == nullptr)
            return true;
        pak->Speak(&done);
        const auto* line = dynamic_cast<const Dialog*>(pak->GetCurrentDialog());
        if (narrate != nullptr)
            *narrate << "    0x" << std::hex << npcId << std::dec << " says "
                     << (line != nullptr ? line->GetTextTag() : "(nothing)") << '\n';
        return true;
    }

    // The NPC closes the window before it lets go of the pack.
    bool CloseNpcDialog() override
    {
        shown = nullptr;
        return HostUserInterface::CloseNpcDialog();
    }

    DialogPak* shown = nullptr;
    // Where the lines said outside the hero's own talks are printed; null prints none.
    std::ostream* narrate = nullptr;

private:
    VoidCallbackFunctor done{[](int) {}};
};

std::string Hex(uint32_t id)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%x", id);
    return text;
}

} // namespace

DialogReport::DialogReport(const HostOptions& options, std::ostream& out, std::ostream& err)
    : options(options), out(out), err(err)
{}

int DialogReport::Run()
{
    std::string why;
    const std::string scratch = FileSystem::TemporaryFolder(&why);
    if (scratch.empty()) {
        err << "gamehost: no scratch folder for the quest state: " << ShownName(why) << '\n';
        return 2;
    }
    stateFolder = scratch + "/gamehost-dialog-" + std::to_string(getpid());
    return HostSamples::AsSinglePlayer(err, [this] { return Play(); }) ? 0 : 2;
}

bool DialogReport::Play()
{
    out << "scenario dialog as single player, seed " << options.seed << ":\n";
    // The order of the elder's lines is the C library's draw.
    Platform::SRand(options.seed);
    GameEngine& game = GameEngine::Get();
    game.SetGameLoading(false);
    std::ostream quiet(nullptr);
    TalkWindow window(quiet);
    game.SetUI(&window);
    std::unique_ptr<World> previousWorld = gEngine->SetWorld(std::make_unique<World>());
    World& world = *gEngine->GetWorld();
    world.CreateRegion(kDialogRegion, {0, 0, 0}, ABBox({-20, -10, -20}, {20, 10, 20}));
    world.AddQuestFile(kQuestFile);
    QuestRepository::Destroy();
    QuestRepository::Get().Load();

    bool done = Stage();
    if (done) {
        TalkToTheElder();
        FireQuest();
        PlayConversation();
        done = SaveAndRestore();
    }
    std::error_code error;
    std::filesystem::remove_all(stateFolder, error);
    QuestRepository::Destroy();
    HostSamples::ClearWorld(world);
    gEngine->SetWorld(std::move(previousWorld));
    game.SetUI(nullptr);
    return done;
}

bool DialogReport::Stage()
{
    if (QuestRepository::Get().GetQuestByIndex(0) == nullptr) {
        err << "gamehost: the quest file " << kQuestFile << " did not load\n";
        return false;
    }
    if (!EnterHero())
        return false;
    elder = Enter("Elder", kElder, 1.0f);
    fisherman = Enter("Fisherman", kFisherman, -1.0f);
    return elder != nullptr && fisherman != nullptr;
}

bool DialogReport::EnterHero()
{
    hero = HostSamples::Make<Player>(kPlayer, err);
    if (hero == nullptr)
        return false;
    gEngine->GetWorld()->AddEntity(hero, WorldCoords(WorldVec3(kDialogRegion, Vec3())), false);
    hero->InitialUpdate();
    GameEngine::Get().GetPlayerManagerClient()->SetMainPlayer(hero->GetObjectId());
    return true;
}

Npc* DialogReport::Enter(const std::string& name, const char* record, float x)
{
    Npc* npc = HostSamples::Make<Npc>(record, err);
    if (npc == nullptr)
        return nullptr;
    gEngine->GetWorld()->AddEntity(npc, WorldCoords(WorldVec3(kDialogRegion, Vec3(x, 0.0f, 2.0f))),
                                   false);
    // Its announcement is what the quest's actions wait for.
    npc->InitialUpdate();
    const Seen entry{name,
                     npc->GetObjectId(),
                     DialogOf(*npc),
                     ShownName(npc->GetPunctuationRecord()),
                     npc->GetVisibility(),
                     npc->IsBoatMasterForLocalPlayer()};
    out << "  " << name << " " << Hex(entry.id) << ": " << record << "; dialog " << entry.dialog
        << ", mark " << (entry.mark.empty() ? "(none)" : entry.mark)
        << (entry.visible ? ", shown" : ", hidden") << (entry.boatMaster ? ", ferries" : "")
        << '\n';
    const auto known =
        std::find_if(seen.begin(), seen.end(), [&](const Seen& s) { return s.name == name; });
    if (known != seen.end())
        *known = entry;
    else
        seen.push_back(entry);
    return npc;
}

void DialogReport::Frames(int32_t count)
{
    auto* window = static_cast<TalkWindow*>(GameEngine::Get().GetUI());
    for (int32_t frame = 0; frame < count; ++frame) {
        gEngine->RunFrame(kDialogFrameMs);
        GameEngine::Get().Update(kDialogFrameMs);
        if (window->shown != nullptr)
            window->shown->Update(kDialogFrameMs);
    }
}

void DialogReport::TalkToTheElder()
{
    auto* window = static_cast<TalkWindow*>(GameEngine::Get().GetUI());
    for (int talk = 1; talk <= kTalks; ++talk) {
        window->shown = nullptr;
        elder->OnPlayerInteract(hero->GetObjectId(), false, false);
        const auto* line = window->shown != nullptr
                               ? dynamic_cast<const Dialog*>(window->shown->GetCurrentDialog())
                               : nullptr;
        out << "  talk " << talk << ": " << (line != nullptr ? line->GetTextTag() : "(nothing)")
            << (window->shown != nullptr && window->shown->IsIrritated() ? " (irritated)" : "")
            << '\n';
        Frames(kFramesPerTalk);
    }
    PrintChanges();
}

void DialogReport::FireQuest()
{
    static_cast<TalkWindow*>(GameEngine::Get().GetUI())->narrate = &out;
    out << "  quest " << kQuestFile << ": GameEvent_PreRun\n";
    EventManager::Instance().Send("GameEvent_PreRun", GameEvent_PreRun());
    Frames(1);
    PrintChanges();
    out << "  quest " << kQuestFile << ": token " << kGatherToken << '\n';
    GameEvent_GotToken token;
    token.playerId = hero->GetObjectId();
    token.tokenName = kGatherToken;
    EventManager::Instance().Send("GameEvent_GotToken", token);
    Frames(1);
    PrintChanges();
}

void DialogReport::PlayConversation()
{
    NpcConversationManager& manager = NpcConversationManager::Get();
    manager._EnableConversationPak(kConversationPak);
    manager._MakeEnabled(elder->GetObjectId());
    manager._MakeEnabled(fisherman->GetObjectId());
    out << "  conversation pack " << kConversationPak << ": "
        << manager.GetAvailableConversations().size() << " conversations\n";
    if (manager.GetAvailableConversations().empty())
        return;
    Conversation* conversation = manager.GetAvailableConversations().front();
    const uint32_t ids[] = {elder->GetObjectId(), fisherman->GetObjectId()};
    manager.OnStartConversation(conversation, ids, elder->GetCoords().GetPosition());
    uint32_t speaker = 0;
    std::string tag;
    while (conversation->GetNextSpeakerAndSpeech(speaker, tag)) {
        out << "  conversation: " << Hex(speaker) << " says " << tag << '\n';
        Frames(1);
    }
    conversation->OnEndConverse();
    out << "  conversation ended; " << manager.GetAvailableNpcs().size()
        << " townsfolk free again\n";
}

bool DialogReport::SaveAndRestore()
{
    QuestRepository& quests = QuestRepository::Get();
    if (Quest* quest = quests.GetQuestByIndex(0))
        quest->SetDirty();
    std::error_code error;
    std::filesystem::create_directories(stateFolder, error);
    quests.SaveQuestState(stateFolder, kRepositoryFile, false);
    QuestRepository::Destroy();
    QuestRepository::Get().Load();
    QuestRepository::Get().LoadQuestState(stateFolder, kRepositoryFile);
    QuestRepository::Get().FireTriggers();
    out << "  quest state saved and restored; a fresh hero and townsfolk enter:\n";
    for (Character* old : {static_cast<Character*>(hero), static_cast<Character*>(elder),
                           static_cast<Character*>(fisherman)}) {
        gEngine->GetWorld()->RemoveEntity(old);
        HostSamples::Destroy(old);
    }
    if (!EnterHero())
        return false;
    elder = Enter("Elder", kElder, 1.0f);
    fisherman = Enter("Fisherman", kFisherman, -1.0f);
    return elder != nullptr && fisherman != nullptr;
}

std::string DialogReport::DialogOf(const Npc& npc)
{
    const DialogPak* pak = npc.GetDialogPak();
    const Dialog* first = pak != nullptr ? pak->GetPrimaryDialog() : nullptr;
    return first != nullptr ? first->GetTextTag() : "(none)";
}

void DialogReport::PrintChanges()
{
    for (Seen& entry : seen) {
        const Npc* npc = entry.name == "Elder" ? elder : fisherman;
        const std::string dialog = DialogOf(*npc);
        if (dialog != entry.dialog)
            out << "    " << entry.name << " dialog " << dialog << '\n';
        const std::string mark = ShownName(npc->GetPunctuationRecord());
        if (mark != entry.mark)
            out << "    " << entry.name << " mark " << (mark.empty() ? "(none)" : mark) << '\n';
        if (npc->GetVisibility() != entry.visible)
            out << "    " << entry.name << (npc->GetVisibility() ? " shown" : " hidden") << '\n';
        const bool boat = npc->IsBoatMasterForLocalPlayer();
        if (boat != entry.boatMaster)
            out << "    " << entry.name << (boat ? " ferries the hero" : " no longer ferries")
                << '\n';
        entry = {entry.name, npc->GetObjectId(), dialog, mark, npc->GetVisibility(), boat};
    }
}

} // namespace GAME
