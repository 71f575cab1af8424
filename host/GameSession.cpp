#include "host/GameSession.h"

#include "characters/AttributePak.h"
#include "characters/Character.h"
#include "characters/Player.h"
#include "core/DialogManager.h"
#include "core/GameTextLine.h"
#include "engine/ABBox.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/LocalizationManager.h"
#include "engine/NetPacket.h"
#include "engine/NetPacketDescriber.h"
#include "engine/ObjectManager.h"
#include "engine/Vec3.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "game/UINotification.h"
#include "host/HeldDataLog.h"
#include "host/HostInterrupt.h"
#include "host/HostOptions.h"
#include "host/HostSamples.h"
#include "host/HostUserInterface.h"
#include "host/LevelPlay.h"
#include "host/PlayerSaveFile.h"
#include "host/ShownName.h"
#include "multiplayer/PlayerManagerClient.h"

#include <algorithm>
#include <memory>
#include <ostream>
#include <sstream>
#include <string_view>

namespace GAME {

namespace {

constexpr uint32_t kRegion = 1;
// A second region far enough away that a teleport to it loads it anew.
constexpr uint32_t kFarRegion = 2;
constexpr float kFarRegionOffset = 1000.0f;
constexpr ABBox kRegionBox({-20, -10, -20}, {20, 10, 20});

bool InRegionBox(const Vec3& point)
{
    const Vec3& low = kRegionBox.min;
    const Vec3& high = kRegionBox.max;
    return point.x >= low.x && point.x <= high.x && point.y >= low.y && point.y <= high.y &&
           point.z >= low.z && point.z <= high.z;
}

// A text of the database or a save as a line shows it.
std::string Narrow(const std::wstring& text)
{
    return ShownName(LocalizationManager::ToChar(text));
}

// Built before the interface that writes into it.
struct SaidLines {
    std::stringstream said;
};

// The host's interface, its lines printed with the frame they came in, and with the first
// line of a dialog shown.
class SessionUserInterface final : private SaidLines, public HostUserInterface {
public:
    SessionUserInterface(std::ostream& out, bool answerYes, const int64_t& frame)
        : HostUserInterface(said, answerYes), out(out), frame(frame)
    {}

    bool SaveGame() override { return Relay(HostUserInterface::SaveGame()); }
    bool SaveGame(GameDifficulty difficulty) override
    {
        return Relay(HostUserInterface::SaveGame(difficulty));
    }
    bool SaveQuest(bool flag) override { return Relay(HostUserInterface::SaveQuest(flag)); }
    bool DisplaySkillReallocationWindow(uint32_t npcId) override
    {
        return Relay(HostUserInterface::DisplaySkillReallocationWindow(npcId));
    }
    bool QueryNpcConversation(uint32_t npcId) override
    {
        return Relay(HostUserInterface::QueryNpcConversation(npcId));
    }
    bool ShowNpcDialog(uint32_t npcId, uint32_t playerId, DialogPak* pak) override
    {
        const bool shown = HostUserInterface::ShowNpcDialog(npcId, playerId, pak);
        said << "  dialog line " << HostSamples::DialogLine(pak) << '\n';
        return Relay(shown);
    }
    bool CloseNpcDialog() override { return Relay(HostUserInterface::CloseNpcDialog()); }

private:
    bool Relay(bool answer)
    {
        std::string line;
        while (std::getline(said, line)) {
            const size_t text = line.find_first_not_of(' ');
            if (text != std::string::npos)
                out << "frame " << frame << ": " << line.substr(text) << '\n';
        }
        said.clear();
        said.str("");
        return answer;
    }

    std::ostream& out;
    const int64_t& frame;
};

} // namespace

GameSession::GameSession(const HostOptions& options, std::ostream& out)
    : options(options), out(out),
      tutorialListener("GameEvent_TutorialUnlock", &GameSession::OnTutorialUnlock, this),
      travel(options, out)
{}

GameSession::~GameSession() = default;

bool GameSession::Run(std::string& error)
{
    if (options.role != "single" && options.role != "server" && options.role != "client") {
        error = "unknown role '" + options.role + "'";
        return false;
    }
    gEngine->SetNetworkMode(options.role != "single", options.role == "client");
    InitializeObjects();
    // The library reports an engine it could not allocate by leaving the global null.
    if (gGameEngine == nullptr) {
        gEngine->SetNetworkMode(false, false);
        error = "the game library did not start";
        return false;
    }
    SessionUserInterface ui(out, options.answerYes, frame);
    gGameEngine->SetUI(&ui);
    if (options.role == "server")
        gGameEngine->SetAsNetworkServer();
    else if (options.role == "client")
        gGameEngine->SetAsNetworkClient();
    std::unique_ptr<World> previousWorld = gEngine->SetWorld(std::make_unique<World>());
    World& world = *gEngine->GetWorld();
    world.CreateRegion(kRegion, {0, 0, 0}, kRegionBox);
    world.CreateRegion(kFarRegion, {kFarRegionOffset, 0, 0}, kRegionBox);
    bool played = options.playerRecord.empty() || StartMainPlayer(error);
    played = played && PlaceSpawns(error);
    if (played)
        Play();
    // An interrupted session leaves the last save as it was.
    if (played && !options.saveFile.empty() && HostInterrupt::Caught() == 0) {
        played = PlayerSaveFile::Save(*mainPlayer, options.saveFile, error);
        if (played)
            ReportPlayer("saved to", options.saveFile);
    }

    mainPlayer = nullptr;
    placed.clear();
    HostSamples::ClearWorld(world);
    gEngine->SetWorld(std::move(previousWorld));
    gGameEngine->SetUI(nullptr);
    ShutdownObjects();
    gEngine->SetNetworkMode(false, false);
    if (played)
        out << "session ended: " << notices << " messages to the player, " << packets
            << " packets sent\n";
    return played;
}

void GameSession::Play()
{
    gGameEngine->SetGameLoading(false);
    out << "session: " << options.role << ", " << options.frames << " frames of "
        << options.frameMilliseconds << " ms\n";
    ReportBalance();
    if (mainPlayer != nullptr && !options.loadFile.empty())
        ReportPlayer("loaded from", options.loadFile);
    for (const Placed& one : placed)
        out << "frame 0: placed " << one.where << '\n';
    ReportCast();

    for (frame = 1; frame <= options.frames && HostInterrupt::Caught() == 0; ++frame) {
        if (mainPlayer != nullptr)
            travel.Act(frame, *mainPlayer);
        gEngine->RunFrame(options.frameMilliseconds);
        gGameEngine->Update(options.frameMilliseconds);
        ReportFrame();
        if (mainPlayer != nullptr)
            travel.Report(frame, *mainPlayer);
    }
}

bool GameSession::StartMainPlayer(std::string& error)
{
    std::ostringstream why;
    mainPlayer = HostSamples::Make<Player>(options.playerRecord.c_str(), why);
    if (mainPlayer == nullptr) {
        // Make's line, without its program prefix and line end.
        error = why.str();
        if (error.rfind("gamehost: ", 0) == 0)
            error.erase(0, 10);
        while (!error.empty() && error.back() == '\n')
            error.pop_back();
        return false;
    }
    gEngine->GetWorld()->AddEntity(mainPlayer, WorldCoords{kRegion, Coords()}, false);
    gGameEngine->GetPlayerManagerClient()->SetMainPlayer(mainPlayer->GetObjectId());
    mainPlayer->InitialUpdate();
    // This machine controls him: his controller holds the bag and the equipment a save carries.
    mainPlayer->SetIsControllingCharacter(true);
    // Before a save is read: the skills it names are found in these trees.
    LevelPlay::GiveLevelSkills(*mainPlayer, options.playerRecord);
    if (options.loadFile.empty())
        return true;
    // Nothing is played when the save at the end would hold less than the one loaded; the
    // refusal's own line tells it, without the data errors behind it.
    HeldDataLog log;
    const bool kept = PlayerSaveFile::Load(*mainPlayer, options.loadFile, error) &&
                      (options.saveFile.empty() ||
                       PlayerSaveFile::KeepsAll(*mainPlayer, options.loadFile, error));
    if (!kept)
        log.Drop();
    return kept;
}

bool GameSession::PlaceSpawns(std::string& error)
{
    World& world = *gEngine->GetWorld();
    for (const HostOptions::Spawn& spawn : options.spawns) {
        const Vec3 point(spawn.x, spawn.y, spawn.z);
        const std::string shown = ShownName(spawn.record);
        if (!InRegionBox(point)) {
            error = "spawn point " + HostSamples::PointText(point) + " of '" + shown +
                    "' lies outside the session's region";
            return false;
        }
        auto* character = ObjectManager::Instance().CreateObjectFromFile<Character>(spawn.record);
        if (character == nullptr) {
            error = "spawn record '" + shown + "' does not make a character";
            return false;
        }
        if (!world.AddEntity(character, WorldCoords{kRegion, Coords::FromTranslation(point)},
                             false)) {
            HostSamples::Destroy(character);
            error = "'" + shown + "' cannot be placed in the world";
            return false;
        }
        character->InitialUpdate();
        placed.push_back({character->GetObjectId(),
                          shown + " (" + std::to_string(character->GetObjectId()) + ") at " +
                              HostSamples::PointText(point),
                          {}});
    }
    return true;
}

void GameSession::ReportCast()
{
    for (Placed& one : placed) {
        if (const auto* character = ObjectManager::Instance().GetObject<Character>(one.id))
            HostSamples::PrintCastChanges(out, "frame " + std::to_string(frame) + ": ", *character,
                                          one.view);
    }
}

// What a save keeps that a reader can check at a glance.
void GameSession::ReportPlayer(const char* what, const std::string& path) const
{
    out << "player " << what << " " << ShownName(path) << ": "
        << Narrow(mainPlayer->GetPlayerName()) << ", level " << mainPlayer->GetCharLevel() << ", "
        << mainPlayer->GetExperiencePoints() << " experience, " << mainPlayer->GetCurrentMoney()
        << " money\n";
}

// What the game balance gives every monster and every player at the difficulty played, as a
// tooltip would show it.
void GameSession::ReportBalance()
{
    const auto level = static_cast<uint32_t>(gGameEngine->GetGameDifficulty()) + 1;
    const struct {
        const char* who;
        const AttributePak& pak;
    } paks[] = {{"monsters", gGameEngine->GetMonsterAttributePak()},
                {"players", gGameEngine->GetPlayerAttributePak()}};
    for (const auto& [who, pak] : paks) {
        std::vector<GameTextLine> lines;
        pak.GetUIDisplayText(level, GameTextClass::ItemBonuses, lines);
        out << "balance for " << who << " (" << ShownName(pak.GetRecordName()) << ") at level "
            << level << ":\n";
        for (const GameTextLine& line : lines)
            out << "  " << Narrow(line.text) << '\n';
    }
}

// A tutorial page is shown by the host, not the library: its title is the text of the tag
// "tagTutorialPage<n>", and the tag alone names it when the database has no such text.
void GameSession::OnTutorialUnlock(const GameEvent_TutorialUnlock& event)
{
    const std::string tag = "tagTutorialPage" + std::to_string(event.page);
    out << "frame " << frame << ": tutorial page " << tag << " unlocked";
    if (LocalizationManager::Instance().HasTag(tag))
        out << ": " << Narrow(LocalizationManager::Instance().Format(tag));
    out << '\n';
}

void GameSession::ReportFrame()
{
    ReportCast();
    ReportNotifications();
    ReportDialogs();
    ReportPackets();
}

void GameSession::ReportNotifications()
{
    while (gGameEngine->GetNumNotifications() > 0) {
        const UINotification note = gGameEngine->TakeTopNotification();
        out << "frame " << frame << ": notification " << note.type << ':';
        for (const std::string& tag : note.tags)
            out << ' ' << Narrow(LocalizationManager::Instance().Format(tag));
        for (const std::wstring& text : note.texts)
            out << ' ' << Narrow(text);
        out << '\n';
        ++notices;
    }
}

void GameSession::ReportDialogs()
{
    DialogManager& dialogs = gGameEngine->GetDialogManager();
    while (dialogs.GetNumDialog() > 0) {
        const DialogManager::Dialog dialog = dialogs.PeekTopDialog();
        dialogs.RemoveTopDialog();
        ++notices;
        out << "frame " << frame << ": dialog \"" << Narrow(dialog.text) << '"';
        if (dialog.type == DialogManager::DialogQuestion) {
            dialogs.AddResponse({dialog.party, options.answerYes});
            out << " answered " << (options.answerYes ? "yes" : "no");
        }
        out << '\n';
    }
}

void GameSession::ReportPackets()
{
    ConnectionManager& connection = gEngine->GetNetworkConnectionManager();
    for (const ConnectionManager::SentPacket& sent : connection.TakeSentPackets()) {
        ++packets;
        HostSamples::PrintPacket(out, sent, "frame " + std::to_string(frame) + ": ", "    ");
    }
}

} // namespace GAME
