#pragma once

#include <iosfwd>

namespace GAME {

struct HostOptions;

// The "megalesios" encounter of `gamehost --scenario bosses`.
bool PlayMegalesiosEncounter(const HostOptions& options, std::ostream& out, std::ostream& err);

} // namespace GAME
