#pragma once

#include <iosfwd>
#include <string>

namespace GAME {

struct HostOptions;

// `gamehost --scenario bosses [--boss NAME] [--input FILE]`: the hero against each boss in its
// own small level, on built-in orders or, for the one `--boss` names, the `--input` script.
// The report heads each encounter "encounter NAME"; the encounter prints its frames and ends
// with "encounter NAME: OUTCOME"; the report closes with "bosses: N encounters played".
class BossReport {
public:
    // Plays one encounter; false (with a line on `err`) when it cannot be staged or its
    // script cannot be used.
    using Encounter = bool (*)(const HostOptions& options, std::ostream& out, std::ostream& err);
    struct Row {
        const char* name;
        Encounter play;
    };
    static const Row kEncounters[9];

    // Whether `--boss NAME` names an encounter (none names them all); false with `error` set,
    // a bad option's line, when it does not.
    static bool IsKnown(const std::string& name, std::string& error);

    BossReport(const HostOptions& options, std::ostream& out, std::ostream& err)
        : options(options), out(out), err(err)
    {}

    // 0 when every encounter asked for played; 2 otherwise. The options name a known boss or
    // none.
    int Run();

private:
    const HostOptions& options;
    std::ostream& out;
    std::ostream& err;
};

} // namespace GAME
