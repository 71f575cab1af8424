#pragma once

#include <string>
#include <string_view>

namespace GAME {

// A file name as a line of the host shows it, so that a name cannot break its line: printable
// UTF-8 stays as it is; a line end, a tab and a carriage return show as \n, \t and \r, and any
// other control character or byte that is not part of UTF-8 as \xNN. A backslash stays, so a
// line shown once shows the same again.
std::string ShownName(std::string_view name);

} // namespace GAME
