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
    // Exit status: 0 done, 1 bad command line, 2 database not usable.
    static int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

    // Prints a saved keyed stream as text; 2 when it cannot be read or is malformed.
    static int DumpStream(const std::string& path, std::ostream& out, std::ostream& err);

    // The class tree below `root`, one class a line, indented two blanks a level.
    static void PrintClassTree(const RTTI_ClassInfo& root, std::ostream& out, int depth = 0);
};

} // namespace GAME
