#pragma once

#include "tests/support/TempDatabase.h"

#include <string>
#include <vector>

namespace GAME::Test {

// Writes a record from "key = value" lines gathered at run time.
inline void WriteLines(const TempDatabase& database, const std::string& path,
                       const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    database.WriteFile(path, text);
}

} // namespace GAME::Test
