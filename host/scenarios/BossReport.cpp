#include "host/scenarios/BossReport.h"

#include "host/HostOptions.h"
#include "host/scenarios/BossEncounterAktaios.h"
#include "host/scenarios/BossEncounterBandari.h"
#include "host/scenarios/BossEncounterChained.h"
#include "host/scenarios/BossEncounterCyclops.h"
#include "host/scenarios/BossEncounterMegalesios.h"
#include "host/scenarios/BossEncounterOrmenos.h"
#include "host/scenarios/BossEncounterSpirits.h"
#include "host/scenarios/BossEncounterTelkine.h"
#include "host/scenarios/BossEncounterTyphon.h"

#include <ostream>
#include <string>

namespace GAME {

// clang-format off
const BossReport::Row BossReport::kEncounters[9] = {
    {"bandari", &BossEncounterBandari::Play},
    {"telkine", &BossEncounterTelkine::Play},
    {"ormenos", PlayOrmenosEncounter},
    {"cyclops", &BossEncounterCyclops::Play},
    {"megalesios", PlayMegalesiosEncounter},
    {"spirits", PlaySpiritsEncounter},
    {"typhon", PlayTyphonEncounter},
    {"chained", PlayChainedEncounter},
    {"aktaios", PlayAktaiosEncounter},
};
// clang-format on

bool BossReport::IsKnown(const std::string& name, std::string& error)
{
    if (name.empty())
        return true;
    error = "--boss takes";
    for (const Row& row : kEncounters) {
        if (name == row.name)
            return true;
        error += std::string(" ") + row.name;
    }
    error += ", not '" + name + "'";
    return false;
}

int BossReport::Run()
{
    int played = 0;
    for (const Row& row : kEncounters) {
        if (!options.bossName.empty() && options.bossName != row.name)
            continue;
        out << "encounter " << row.name << '\n';
        if (row.play == nullptr) {
            out << "encounter " << row.name << ": not staged\n";
            continue;
        }
        if (!row.play(options, out, err))
            return 2;
        ++played;
    }
    out << "bosses: " << played << " encounters played\n";
    return 0;
}

} // namespace GAME
