#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace GAME {

class RTTI_ClassInfo;

// The headless host: loads the game database, drives the frame loop and reports what it did.
// It stands where a windowed host would, with no rendering, sound or input.
class GameHost {
public:
    // Exit status: 0 done, 1 bad command line, 2 database or file not usable (one line on `err`
    // says which and why).
    static int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

    // Prints a saved keyed stream as text as it reads it; 2 when it cannot be read or is not a
    // well-formed stream.
    static int DumpStream(const std::string& path, std::ostream& out, std::ostream& err);

    // The class tree below `root`, one class a line, indented two blanks a level.
    static void PrintClassTree(const RTTI_ClassInfo& root, std::ostream& out, int depth = 0);
    // The quest trigger classes by name, in the order they were registered.
    static void PrintTriggerClasses(std::ostream& out);

    // The record without which the game runs on zeros: the host refuses a database that lacks it.
    static constexpr const char* kSettingsRecord = "Records/Game/GameEngine.dbr";
};

} // namespace GAME
