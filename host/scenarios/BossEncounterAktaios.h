#pragma once

#include <iosfwd>

namespace GAME {

struct HostOptions;

// The mirage boss: a quest has it cast its mirage on the hero, and it trades places with one of
// its copies.
bool PlayAktaiosEncounter(const HostOptions& options, std::ostream& out, std::ostream& err);

} // namespace GAME
