#pragma once

#include <iosfwd>

namespace GAME {

struct HostOptions;

// The chained giant: a quest has it break its chains, which opens the portal beside it, then
// sends it through.
bool PlayChainedEncounter(const HostOptions& options, std::ostream& out, std::ostream& err);

} // namespace GAME
