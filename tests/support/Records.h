#pragma once

#include "engine/LoadTable.h"

#include <string>

namespace GAME::Test {

// A record parsed from text, as a test writes one inline.
inline LoadTable Record(const std::string& text)
{
    LoadTable table;
    table.Parse(text, "test.dbr");
    return table;
}

} // namespace GAME::Test
