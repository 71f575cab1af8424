#include "host/GameHost.h"

#include "engine/Engine.h"
#include "engine/IOStreamRead.h"
#include "engine/LocalizationManager.h"
#include "engine/Object.h"
#include "engine/ObjectManager.h"
#include "engine/Platform.h"
#include "host/GameSession.h"
#include "host/HostOptions.h"

#include <fstream>
#include <iterator>
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

} // namespace

void GameHost::PrintClassTree(const RTTI_ClassInfo& root, std::ostream& out, int depth)
{
    out << std::string(static_cast<size_t>(depth) * 2, ' ') << root.GetName() << '\n';
    for (int32_t i = 0; i < root.GetChildCount(); ++i)
        PrintClassTree(*root.GetChild(i), out, depth + 1);
}

int GameHost::DumpStream(const std::string& path, std::ostream& out, std::ostream& err)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        err << "gamehost: stream file '" << path << "' cannot be read\n";
        return 2;
    }
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    std::string text;
    const bool complete = IOStreamRead::Describe(bytes, text);
    out << text;
    if (!complete) {
        err << "gamehost: '" << path
            << "' is not a complete stream; it ends after the lines shown\n";
        return 2;
    }
    return 0;
}

int GameHost::Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    HostOptions options;
    std::string error;
    if (!options.Parse(args, error)) {
        err << "gamehost: " << error << '\n' << HostOptions::Usage();
        return 1;
    }
    if (options.showHelp) {
        out << HostOptions::Usage();
        return 0;
    }
    if (!options.dumpStreamFile.empty())
        return DumpStream(options.dumpStreamFile, out, err);

    ObjectManager& objects = ObjectManager::Instance();
    if (!objects.GetDatabase().SetRoot(options.databaseFolder)) {
        err << "gamehost: database folder '" << options.databaseFolder
            << "' does not exist or cannot be read\n";
        return 2;
    }
    auto previousSink = gEngine->SetLogSink([&err](int level, const std::string& line) {
        err << "[log " << level << "] " << line << '\n';
    });
    Platform::SRand(options.seed);
    LocalizationManager::Instance().Clear();
    LocalizationManager::Instance().LoadFile(objects.GetDatabase(), kTextFile);

    if (options.printClasses)
        PrintClassTree(Object::classInfo, out);

    const uint64_t startTime = gEngine->GetGameTime();
    if (!options.role.empty()) {
        GameSession session(options, out);
        session.Run();
    } else {
        for (int frame = 0; frame < options.frames; ++frame)
            gEngine->RunFrame(options.frameMilliseconds);
    }

    out << "database: " << options.databaseFolder << '\n'
        << "classes: " << CountClasses(Object::classInfo) << '\n'
        << "frames: " << options.frames << " (" << gEngine->GetGameTime() - startTime
        << " ms of game time)\n"
        << "objects: " << objects.GetObjectCount() << '\n';

    objects.DestroyAllObjects();
    gEngine->SetLogSink(std::move(previousSink));
    return 0;
}

} // namespace GAME
