#pragma once

#include "host/GameHost.h"

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace GAME::Test {

// One run of `gamehost`, as the program would make it, with what it printed.
struct HostRun {
    int status;
    std::string out;
    std::string err;
};

inline HostRun RunHost(const std::vector<std::string>& args)
{
    std::ostringstream out;
    std::ostringstream err;
    const int status = GameHost::Run(args, out, err);
    return {status, out.str(), err.str()};
}

// The data errors a run logged, one a line.
inline std::string DataErrors(const std::string& err)
{
    std::istringstream lines(err);
    std::string errors;
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("[log 1]", 0) == 0)
            errors += line + '\n';
    }
    return errors;
}

// The database shipped with the sources.
inline std::string SampleDatabase()
{
    const char* source = std::getenv("GAME_SOURCE_DIR");
    return std::string(source != nullptr ? source : ".") + "/data/database";
}

} // namespace GAME::Test
