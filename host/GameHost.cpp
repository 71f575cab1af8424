#include "host/GameHost.h"

#include "engine/Database.h"
#include "engine/Engine.h"
#include "engine/FileSystem.h"
#include "engine/IOStreamRead.h"
#include "engine/LocalizationManager.h"
#include "engine/Object.h"
#include "engine/ObjectManager.h"
#include "engine/Platform.h"
#include "engine/TriggerFactory.h"
#include "host/AiReport.h"
#include "host/ArenaReport.h"
#include "host/BagReport.h"
#include "host/BossReport.h"
#include "host/CastReport.h"
#include "host/CharacterReport.h"
#include "host/CommandReport.h"
#include "host/DeathReport.h"
#include "host/DialogReport.h"
#include "host/DropsReport.h"
#include "host/DuelReport.h"
#include "host/GameSession.h"
#include "host/HordeFight.h"
#include "host/HostOptions.h"
#include "host/InputReport.h"
#include "host/ItemsReport.h"
#include "host/KillReport.h"
#include "host/LevelNetworkPlay.h"
#include "host/LevelPlay.h"
#include "host/LevelReport.h"
#include "host/MarketReport.h"
#include "host/NetworkPlay.h"
#include "host/PacketCatalogue.h"
#include "host/PlayersReport.h"
#include "host/QuestActionsReport.h"
#include "host/QuestPlayReport.h"
#include "host/QuestReport.h"
#include "host/RangeReport.h"
#include "host/ScenarioReport.h"
#include "host/SkillReport.h"
#include "host/SkillShowReport.h"
#include "host/TownReport.h"
#include "host/TradeReport.h"
#include "host/WearReport.h"

#include <filesystem>
#include <ostream>

namespace GAME {

namespace {

const char* kTextFile = "Text/English.txt";

int CountClasses(const RTTI_ClassInfo& root)
{
    int count = 1;
    for (int32_t i = 0; i < root.GetChildCount(); ++i)
        count += CountClasses(*root.GetChild(i));
    return count;
}

// Sends the engine's log to the host's error stream while it lives.
class LogToStream {
public:
    explicit LogToStream(std::ostream& err)
        : previous(gEngine->SetLogSink([&err](int level, const std::string& line) {
              err << "[log " << level << "] " << line << '\n';
          }))
    {}
    ~LogToStream() { gEngine->SetLogSink(std::move(previous)); }
    LogToStream(const LogToStream&) = delete;
    LogToStream& operator=(const LogToStream&) = delete;

private:
    Engine::LogSink previous;
};

// Makes the folder the database when it is one and holds the game's settings; otherwise one
// line says what is wrong and the answer is false.
bool OpenDatabase(const std::string& folder, std::ostream& err)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(folder, error);
    Database& database = ObjectManager::Instance().GetDatabase();
    const char* settings = GameHost::kSettingsRecord;
    if (status.type() == std::filesystem::file_type::not_found) {
        err << "gamehost: database folder '" << folder << "' does not exist\n";
    } else if (std::filesystem::status_known(status) && !std::filesystem::is_directory(status)) {
        err << "gamehost: database '" << folder << "' is not a folder\n";
    } else if (!database.SetRoot(folder)) {
        err << "gamehost: database folder '" << folder << "' cannot be read\n";
    } else if (!database.LoadTableFile(settings)) {
        err << "gamehost: database '" << folder << "' has no readable settings record '" << settings
            << "'\n";
    } else if (database.GetLoadTable(settings).GetKeyCount() == 0) {
        err << "gamehost: settings record '" << settings << "' of database '" << folder
            << "' is empty\n";
    } else {
        return true;
    }
    return false;
}

// A database without the sample level still starts bare, as it always did.
bool HasLevel(const HostOptions& options)
{
    return !options.levelFile.empty() ||
           std::filesystem::exists(options.databaseFolder + '/' + LevelPlay::kLevel);
}

} // namespace

void GameHost::PrintTriggerClasses(std::ostream& out)
{
    out << "trigger actions:\n";
    for (const std::string& name : TriggerActionFactory::Get().GetRegisteredNames())
        out << "  " << name << '\n';
    out << "trigger conditions:\n";
    for (const std::string& name : TriggerConditionFactory::Get().GetRegisteredNames())
        out << "  " << name << '\n';
}

void GameHost::PrintClassTree(const RTTI_ClassInfo& root, std::ostream& out, int depth)
{
    out << std::string(static_cast<size_t>(depth) * 2, ' ') << root.GetName() << '\n';
    for (int32_t i = 0; i < root.GetChildCount(); ++i)
        PrintClassTree(*root.GetChild(i), out, depth + 1);
}

int GameHost::DumpStream(const std::string& path, std::ostream& out, std::ostream& err)
{
    const size_t limit = IOStreamRead::kMaxFileBytes;
    std::vector<uint8_t> bytes;
    const FileSystem::ReadResult read = FileSystem::ReadWholeFile(path, limit, bytes);
    if (read != FileSystem::ReadResult::Done) {
        err << "gamehost: stream file '" << path << "' " << FileSystem::Explain(read, limit)
            << '\n';
        return 2;
    }
    if (!IOStreamRead::HasHeader(bytes)) {
        err << "gamehost: '" << path << "' is not a saved stream\n";
        return 2;
    }
    if (!IOStreamRead::Describe(bytes, out)) {
        err << "gamehost: '" << path << "' is a damaged stream; it ends after the lines shown\n";
        return 2;
    }
    return 0;
}

int GameHost::Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    HostOptions options;
    std::string error;
    if (!options.Parse(args, error)) {
        err << "gamehost: " << error << '\n' << HostOptions::kHelpHint;
        return 1;
    }
    if (options.showHelp) {
        out << HostOptions::Usage();
        return 0;
    }
    if (!options.dumpStreamFile.empty())
        return DumpStream(options.dumpStreamFile, out, err);

    LogToStream log(err);
    if (!OpenDatabase(options.databaseFolder, err))
        return 2;
    ObjectManager& objects = ObjectManager::Instance();
    Platform::SRand(options.seed);
    LocalizationManager::Instance().Clear();
    LocalizationManager::Instance().LoadFile(objects.GetDatabase(), kTextFile);

    if (options.IsNetworkSession()) {
        const bool level = options.scenario.empty() && HasLevel(options);
        const int status = level ? LevelNetworkPlay(options, out, err).Run()
                                 : NetworkPlay(options, out, err).Run();
        objects.DestroyAllObjects();
        return status;
    }
    if (options.PlaysLevel() && HasLevel(options)) {
        const int status = LevelPlay(options, out, err).Run();
        objects.DestroyAllObjects();
        return status;
    }
    if (options.printClasses) {
        PrintClassTree(Object::classInfo, out);
        PrintTriggerClasses(out);
    }
    if (options.printPackets && !PacketCatalogue::Print(out))
        return 2;
    if (options.showItems && !ItemsReport(options, out, err).Run())
        return 2;
    if (options.showCharacters && !CharacterReport(out, err).Run())
        return 2;
    if (options.showDeaths && !DeathReport(out, err).Run())
        return 2;
    if (options.showSkills && !SkillReport(options, out, err).Run())
        return 2;
    if (options.showQuests && !QuestReport(options, out, err).Run())
        return 2;
    if (options.duelHits > 0 && !DuelReport(out, err, options.duelHits, options.seed).Run())
        return 2;

    if (!options.inputFile.empty() && options.scenario.empty()) {
        if (const int status = InputReport(options, out, err).Run(); status != 0)
            return status;
    }
    if (options.scenario == "actions" && !ScenarioReport(options, out, err).Run())
        return 2;
    if (options.scenario == "kill" && !KillReport(options, out, err).Run())
        return 2;
    if (options.scenario == "commands" && !CommandReport(options, out, err).Run())
        return 2;
    if (options.scenario == "cast" && !CastReport(options, out, err).Run())
        return 2;
    if (options.scenario == "ai" && !AiReport(options, out, err).Run())
        return 2;
    if (options.scenario == "players" && !PlayersReport(options, out, err).Run())
        return 2;
    if (options.scenario == "bag" && !BagReport(options, out, err).Run())
        return 2;
    if (options.scenario == "level" && !LevelReport(options, out, err).Run())
        return 2;
    if (options.scenario == "drops" && !DropsReport(options, out, err).Run())
        return 2;
    if (options.scenario == "market" && !MarketReport(options, out, err).Run())
        return 2;
    if (options.scenario == "wear" && !WearReport(options, out, err).Run())
        return 2;
    if (options.scenario == "trade" && !TradeReport(options, out, err).Run())
        return 2;
    if (options.scenario == "quest") {
        if (const int status = QuestPlayReport(options, out, err).Run(); status != 0)
            return status;
    }
    if (options.scenario == "quest-actions") {
        if (const int status = QuestActionsReport(options, out, err).Run(); status != 0)
            return status;
    }
    if (options.scenario == "skillshow" && !SkillShowReport(options, out, err).Run())
        return 2;
    if (options.scenario == "arena") {
        if (const int status = ArenaReport(options, out, err).Run(); status != 0)
            return status;
    }
    if (options.scenario == "range") {
        if (const int status = RangeReport(options, out, err).Run(); status != 0)
            return status;
    }
    if (options.scenario == "bosses") {
        if (const int status = BossReport(options, out, err).Run(); status != 0)
            return status;
    }
    if (options.scenario == "dialog") {
        if (const int status = DialogReport(options, out, err).Run(); status != 0)
            return status;
    }
    if (options.scenario == "horde") {
        if (const int status = HordeFight::Run(options, out, err); status != 0)
            return status;
    }
    if (options.scenario == "town") {
        if (const int status = TownReport(options, out, err).Run(); status != 0)
            return status;
    }

    const uint64_t startTime = gEngine->GetGameTime();
    // A scenario plays its role itself.
    if (!options.role.empty() && options.scenario.empty()) {
        GameSession session(options, out);
        std::string failure;
        if (!session.Run(failure)) {
            err << "gamehost: " << failure << '\n';
            objects.DestroyAllObjects();
            return 2;
        }
    } else {
        for (int64_t frame = 0; frame < options.frames; ++frame)
            gEngine->RunFrame(options.frameMilliseconds);
    }

    out << "database: " << options.databaseFolder << '\n'
        << "classes: " << CountClasses(Object::classInfo) << '\n'
        << "frames: " << options.frames << " (" << gEngine->GetGameTime() - startTime
        << " ms of game time)\n"
        << "objects: " << objects.GetObjectCount() << '\n';

    objects.DestroyAllObjects();
    return 0;
}

} // namespace GAME
