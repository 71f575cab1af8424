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
#include "host/GameSession.h"
#include "host/HostInterrupt.h"
#include "host/HostOptions.h"
#include "host/InputReport.h"
#include "host/LevelNetworkPlay.h"
#include "host/LevelPlay.h"
#include "host/NetworkPlay.h"
#include "host/ShownName.h"
#include "host/scenarios/AiReport.h"
#include "host/scenarios/ArenaReport.h"
#include "host/scenarios/BagReport.h"
#include "host/scenarios/BossReport.h"
#include "host/scenarios/CastReport.h"
#include "host/scenarios/CharacterReport.h"
#include "host/scenarios/CommandReport.h"
#include "host/scenarios/DeathReport.h"
#include "host/scenarios/DialogReport.h"
#include "host/scenarios/DropsReport.h"
#include "host/scenarios/DuelReport.h"
#include "host/scenarios/HordeFight.h"
#include "host/scenarios/ItemsReport.h"
#include "host/scenarios/KillReport.h"
#include "host/scenarios/LevelReport.h"
#include "host/scenarios/MarketReport.h"
#include "host/scenarios/PacketCatalogue.h"
#include "host/scenarios/PlayersReport.h"
#include "host/scenarios/QuestActionsReport.h"
#include "host/scenarios/QuestPlayReport.h"
#include "host/scenarios/QuestReport.h"
#include "host/scenarios/RangeReport.h"
#include "host/scenarios/ScenarioReport.h"
#include "host/scenarios/SkillReport.h"
#include "host/scenarios/SkillShowReport.h"
#include "host/scenarios/TownReport.h"
#include "host/scenarios/TradeReport.h"
#include "host/scenarios/WearReport.h"
#include "quests/QuestRepository.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <ostream>
#include <set>
#include <string>
#include <system_error>
#include <type_traits>
#include <utility>
#include <vector>

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

// Sends the engine's log to the host's error stream while it lives; its information lines
// (level 0, the game's dumps and traces for whoever debugs it) only when asked for.
class LogToStream {
public:
    LogToStream(std::ostream& err, bool verbose)
        : previous(gEngine->SetLogSink([&err, verbose](int level, const std::string& line) {
              if (level != Engine::LogInfo || verbose)
                  err << "[log " << level << "] " << ShownName(line) << '\n';
          }))
    {}
    // What still waits to be told as a count is told before the run's stream goes.
    ~LogToStream()
    {
        gEngine->TellCounts();
        gEngine->SetLogSink(std::move(previous));
    }
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
    const std::string name = ShownName(folder);
    if (status.type() == std::filesystem::file_type::not_found) {
        err << "gamehost: database folder '" << name << "' does not exist\n";
    } else if (std::filesystem::status_known(status) && !std::filesystem::is_directory(status)) {
        err << "gamehost: database '" << name << "' is not a folder\n";
    } else if (!database.SetRoot(folder)) {
        err << "gamehost: database folder '" << name << "' cannot be read\n";
    } else if (!database.LoadTableFile(settings)) {
        err << "gamehost: database '" << name << "' has no readable settings record '" << settings
            << "'\n";
    } else if (database.GetLoadTable(settings).GetKeyCount() == 0) {
        err << "gamehost: settings record '" << settings << "' of database '" << name
            << "' is empty\n";
    } else {
        return true;
    }
    return false;
}

// How a report or a scenario is played: its exit status, 0 when done.
using Play = int (*)(const HostOptions& options, std::ostream& out, std::ostream& err);

// A report answers whether it was shown; a scenario answers its own status.
template <class Showcase>
int Played(const HostOptions& options, std::ostream& out, std::ostream& err)
{
    if constexpr (std::is_same_v<decltype(Showcase(options, out, err).Run()), bool>)
        return Showcase(options, out, err).Run() ? 0 : 2;
    else
        return Showcase(options, out, err).Run();
}

template <bool HostOptions::*flag> bool Asked(const HostOptions& options)
{
    return options.*flag;
}

// The reports the flags ask for, shown in this order when several are.
struct Report {
    bool (*asked)(const HostOptions& options);
    Play play;
};
const Report kReports[] = {
    {Asked<&HostOptions::printPackets>,
     [](const HostOptions&, std::ostream& out, std::ostream&) {
         return PacketCatalogue::Print(out) ? 0 : 2;
     }},
    {Asked<&HostOptions::showItems>, Played<ItemsReport>},
    {Asked<&HostOptions::showCharacters>,
     [](const HostOptions&, std::ostream& out, std::ostream& err) {
         return CharacterReport(out, err).Run() ? 0 : 2;
     }},
    {Asked<&HostOptions::showDeaths>,
     [](const HostOptions&, std::ostream& out, std::ostream& err) {
         return DeathReport(out, err).Run() ? 0 : 2;
     }},
    {Asked<&HostOptions::showSkills>, Played<SkillReport>},
    {Asked<&HostOptions::showQuests>, Played<QuestReport>},
    {[](const HostOptions& o) { return o.duelHits > 0; },
     [](const HostOptions& o, std::ostream& out, std::ostream& err) {
         return DuelReport(out, err, o.duelHits, o.seed).Run() ? 0 : 2;
     }},
};

// `--scenario NAME`: the scene each name plays.
struct Scenario {
    const char* name;
    Play play;
};
const Scenario kScenarios[] = {
    {"actions", Played<ScenarioReport>},
    {"kill", Played<KillReport>},
    {"commands", Played<CommandReport>},
    {"cast", Played<CastReport>},
    {"ai", Played<AiReport>},
    {"players", Played<PlayersReport>},
    {"bag", Played<BagReport>},
    {"level", Played<LevelReport>},
    {"drops", Played<DropsReport>},
    {"market", Played<MarketReport>},
    {"wear", Played<WearReport>},
    {"trade", Played<TradeReport>},
    {"quest", Played<QuestPlayReport>},
    {"quest-actions", Played<QuestActionsReport>},
    {"skillshow", Played<SkillShowReport>},
    {"arena", Played<ArenaReport>},
    {"range", Played<RangeReport>},
    {"bosses", Played<BossReport>},
    {"dialog", Played<DialogReport>},
    {"horde", HordeFight::Run},
    {"town", Played<TownReport>},
};

// A database without the sample level still starts bare, as it always did.
bool HasLevel(const HostOptions& options)
{
    return !options.levelFile.empty() ||
           std::filesystem::exists(options.databaseFolder + '/' + LevelPlay::kLevel);
}

// The options only a level uses, when given to a database that has no level to play: they
// would be passed over without a word.
std::string LevelOptionsWithoutLevel(const HostOptions& options)
{
    if (!options.PlaysLevel() || HasLevel(options))
        return "";
    std::string given;
    for (const char* name :
         {"--load", "--save", "--map", "--route", "--realtime", "--difficulty"}) {
        if (options.Given(name))
            given += (given.empty() ? "" : ", ") + std::string(name);
    }
    return given;
}

// A file the run would write: the option that names it and, for a quest state, which of the
// folder's files it is.
struct Output {
    const char* option;
    const char* what;
    const std::string& given;
    std::string file;

    std::string Path() const { return file.empty() ? given : given + '/' + file; }
    std::string Shown() const
    {
        return std::string(option) + " '" + ShownName(given) + "'" +
               (file.empty() ? "" : " (" + file + ")");
    }
};

// Every file the run would write. A resumed quest state is only read.
std::vector<Output> OutputsOf(const HostOptions& options)
{
    std::vector<Output> outputs;
    if (!options.saveFile.empty())
        outputs.push_back({"--save", "the save", options.saveFile, ""});
    if (!options.mapFile.empty())
        outputs.push_back({"--map", "the map", options.mapFile, ""});
    if (options.questStateFolder.empty() || options.resumeQuest)
        return outputs;
    std::set<std::string> files{QuestReport::kRepositoryFile};
    if (options.showQuests)
        files.insert(QuestRepository::StateFileName(QuestReport::kQuestFile));
    if (options.scenario == "quest")
        files.insert(QuestRepository::StateFileName(QuestPlayReport::kQuestFile));
    if (options.scenario == "quest-actions")
        files.insert(QuestRepository::StateFileName(QuestActionsReport::kQuestFile));
    for (const std::string& file : files)
        outputs.push_back({"--quest-state", "the quest state", options.questStateFolder, file});
    return outputs;
}

// Two outputs that are one file, however their paths are spelled, would leave only the last
// written: one line and false, as for a file the run reads.
bool OutputsApart(const std::vector<Output>& outputs, std::ostream& err)
{
    for (size_t i = 0; i < outputs.size(); ++i) {
        for (size_t j = i + 1; j < outputs.size(); ++j) {
            if (FileSystem::NameOneFile(outputs[i].Path(), outputs[j].Path())) {
                err << "gamehost: " << outputs[j].Shown() << " would overwrite " << outputs[i].what
                    << '\n';
                return false;
            }
        }
    }
    return true;
}

// A file the run reads, by what a refusal calls it.
struct Input {
    std::string path;
    const char* what;
    // A save may be written back over the one it loaded.
    bool savedOver;
};

// A level's file or route as the run finds it: the file named, else the database's.
std::string Found(const HostOptions& options, const std::string& path, bool onDisk)
{
    return onDisk ? path : options.databaseFolder + '/' + path;
}

// The files the run reads by name: the level and its route when it plays one, the order script
// and the save loaded. The database's other files are all kept by the database's own rule.
std::vector<Input> InputsOf(const HostOptions& options)
{
    std::vector<Input> inputs{{options.inputFile, "the order script", false},
                              {options.loadFile, "the save it loads", true}};
    if (!options.PlaysLevel())
        return inputs;
    const std::string level =
        Found(options, LevelPlay::LevelPathOf(options), LevelPlay::IsLevelOnDisk(options));
    std::error_code error;
    const std::string route =
        options.routeFile.empty()
            ? LevelPlay::RouteOf(level)
            : Found(options, options.routeFile, std::filesystem::exists(options.routeFile, error));
    inputs.insert(inputs.begin(), {{level, "the level", false}, {route, "the route", false}});
    return inputs;
}

// An output over a file the run reads, or anywhere in the database, would leave the next run
// nothing sound to read: one line and false.
bool KeepsWhatItReads(const HostOptions& options, const std::vector<Output>& outputs,
                      std::ostream& err)
{
    const std::vector<Input> inputs = InputsOf(options);
    std::vector<std::string> paths;
    for (const Output& output : outputs) {
        for (const Input& input : inputs) {
            const bool saved = input.savedOver && std::string(output.option) == "--save";
            if (!saved && FileSystem::NameOneFile(output.Path(), input.path)) {
                err << "gamehost: " << output.Shown() << " would overwrite " << input.what << '\n';
                return false;
            }
        }
        paths.push_back(output.Path());
    }
    const size_t inDatabase = FileSystem::FirstWrittenInto(paths, options.databaseFolder);
    if (inDatabase == outputs.size())
        return true;
    err << "gamehost: " << outputs[inDatabase].Shown() << " would write into the database '"
        << ShownName(options.databaseFolder) << "', which the run reads\n";
    return false;
}

// Every file the run names, read or written: a clean-up beside an output removes none of them,
// whatever its name.
std::vector<std::string> RunFilesOf(const HostOptions& options, const std::vector<Output>& outputs)
{
    std::vector<std::string> paths;
    for (const Input& input : InputsOf(options))
        paths.push_back(input.path);
    for (const Output& output : outputs)
        paths.push_back(output.Path());
    return paths;
}

// A file the run would write is judged before the first frame by what its write will do, not
// found unwritable after the last: one line and false when one cannot be written.
bool CheckOutputs(const HostOptions& options, const std::vector<Output>& outputs, std::ostream& err)
{
    std::string why;
    const std::string& state = options.questStateFolder;
    if (!state.empty() && !options.resumeQuest && !FileSystem::IsWritableFolder(state, &why)) {
        err << "gamehost: --quest-state '" << ShownName(state) << "': " << why << '\n';
        return false;
    }
    std::error_code error;
    for (const Output& output : outputs) {
        // The files of a state folder yet to be made are new names in it.
        if (!output.file.empty() && !std::filesystem::is_directory(output.given, error))
            continue;
        if (!FileSystem::IsWritableTarget(output.Path(), &why)) {
            err << "gamehost: " << output.Shown() << ": " << why << '\n';
            return false;
        }
    }
    return true;
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
        err << "gamehost: stream file '" << ShownName(path) << "' "
            << FileSystem::Explain(read, limit) << '\n';
        return 2;
    }
    if (!IOStreamRead::HasHeader(bytes)) {
        err << "gamehost: '" << ShownName(path) << "' is not a saved stream\n";
        return 2;
    }
    if (!IOStreamRead::Describe(bytes, out)) {
        err << "gamehost: '" << ShownName(path)
            << "' is a damaged stream; it ends after the lines shown\n";
        return 2;
    }
    return 0;
}

int GameHost::Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    HostOptions options;
    std::string error;
    if (!options.Parse(args, error) || !BossReport::IsKnown(options.bossName, error)) {
        err << "gamehost: " << ShownName(error) << '\n' << HostOptions::kHelpHint;
        return 1;
    }
    if (options.showHelp) {
        out << HostOptions::Usage();
        return 0;
    }
    if (!options.dumpStreamFile.empty())
        return DumpStream(options.dumpStreamFile, out, err);
    const std::vector<Output> outputs = OutputsOf(options);
    FileSystem::Instance().SetRunFiles(RunFilesOf(options, outputs));
    if (!OutputsApart(outputs, err) || !KeepsWhatItReads(options, outputs, err))
        return 1;
    if (!CheckOutputs(options, outputs, err))
        return 2;

    LogToStream log(err, options.verbose);
    // A signal while the database opens ends the run before any play begins.
    if (!OpenDatabase(options.databaseFolder, err) || HostInterrupt::Caught() != 0)
        return 2;
    ObjectManager& objects = ObjectManager::Instance();
    Platform::SRand(options.seed);
    LocalizationManager::Instance().Clear();
    LocalizationManager::Instance().LoadFile(objects.GetDatabase(), kTextFile);

    if (options.IsNetworkSession()) {
        // The pack is a scene of its own, asked for by name: a session never falls back to it.
        if (options.scenario.empty() && !HasLevel(options)) {
            err << "gamehost: database '" << ShownName(options.databaseFolder) << "' has no level '"
                << LevelPlay::kLevel << "' for a network session (--scenario pack plays one "
                << "without it)\n";
            return 2;
        }
        // The server's difficulty goes out in its welcome, which a client then plays at.
        gEngine->GetGameInfo().SetDifficulty(options.difficulty);
        const bool level = options.scenario.empty();
        const int status = level ? LevelNetworkPlay(options, out, err).Run()
                                 : NetworkPlay(options, out, err).Run();
        gEngine->GetGameInfo().SetDifficulty(0);
        objects.DestroyAllObjects();
        return status;
    }
    if (const std::string unused = LevelOptionsWithoutLevel(options); !unused.empty()) {
        err << "gamehost: database '" << ShownName(options.databaseFolder) << "' has no level '"
            << LevelPlay::kLevel << "' to play with " << unused << '\n';
        return 2;
    }
    if (options.PlaysLevel() && HasLevel(options)) {
        const int status = LevelPlay(options, out, err).Run();
        objects.DestroyAllObjects();
        return status;
    }
    // The footer counts every frame the engine played, a report's or a scenario's among them.
    const uint32_t startFrame = gEngine->GetFrameCount();
    const uint64_t startTime = gEngine->GetGameTime();
    if (options.printClasses) {
        PrintClassTree(Object::classInfo, out);
        PrintTriggerClasses(out);
    }
    for (const Report& report : kReports) {
        if (report.asked(options)) {
            if (const int status = report.play(options, out, err); status != 0)
                return status;
        }
    }
    if (!options.inputFile.empty() && options.scenario.empty()) {
        if (const int status = InputReport(options, out, err).Run(); status != 0)
            return status;
    }
    for (const Scenario& scenario : kScenarios) {
        if (options.scenario == scenario.name) {
            if (const int status = scenario.play(options, out, err); status != 0)
                return status;
        }
    }

    // A scenario plays its role itself.
    if (!options.role.empty() && options.scenario.empty()) {
        GameSession session(options, out);
        std::string failure;
        gEngine->GetGameInfo().SetDifficulty(options.difficulty);
        const bool played = session.Run(failure);
        gEngine->GetGameInfo().SetDifficulty(0);
        if (!played) {
            err << "gamehost: " << failure << '\n';
            objects.DestroyAllObjects();
            return 2;
        }
    } else {
        // The horde's --frames are its own fight's.
        const int64_t frames = options.scenario == "horde" ? 0 : options.frames;
        for (int64_t frame = 0; frame < frames && HostInterrupt::Caught() == 0; ++frame)
            gEngine->RunFrame(options.frameMilliseconds);
    }

    out << "database: " << ShownName(options.databaseFolder) << '\n'
        << "classes: " << CountClasses(Object::classInfo) << '\n';
    // A scene that steps its world itself has told its frames; the engine's clock stood still.
    const uint32_t frames = gEngine->GetFrameCount() - startFrame;
    const bool scene =
        !options.scenario.empty() ||
        std::any_of(std::begin(kReports), std::end(kReports),
                    [&options](const Report& report) { return report.asked(options); });
    if (frames > 0 || !scene)
        out << "frames: " << frames << " (" << gEngine->GetGameTime() - startTime
            << " ms of game time)\n";
    out << "objects: " << objects.GetObjectCount() << '\n';

    objects.DestroyAllObjects();
    return 0;
}

} // namespace GAME
