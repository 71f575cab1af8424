#pragma once

#include <iosfwd>

namespace GAME {

struct HostOptions;

// The final boss between the statues of zeus and hades: it strikes a statue for that god's
// powers, loses them when the period runs out, and its death ends the game.
bool PlayTyphonEncounter(const HostOptions& options, std::ostream& out, std::ostream& err);

} // namespace GAME
