#pragma once

#include <iosfwd>

namespace GAME {

struct HostOptions;

// The "spirits" encounter of `gamehost --scenario bosses`.
bool PlaySpiritsEncounter(const HostOptions& options, std::ostream& out, std::ostream& err);

} // namespace GAME
