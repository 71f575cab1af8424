#pragma once

#include <iosfwd>

namespace GAME {

struct HostOptions;

// The "ormenos" encounter of `gamehost --scenario bosses`.
bool PlayOrmenosEncounter(const HostOptions& options, std::ostream& out, std::ostream& err);

} // namespace GAME
