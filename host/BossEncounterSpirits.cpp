#include "host/BossEncounterSpirits.h"

#include "characters/SpiritHost.h"
#include "host/BossStage.h"

#include <memory>
#include <set>
#include <string>

namespace GAME {

namespace {

// The spirits find their hosts by themselves; the hero then meets what rose.
constexpr const char* kOrders = "200 click @Statue1\n"
                                "201 hold\n"
                                "600 release\n";

constexpr const char* kHosts[] = {"Statue1", "Statue2"};

} // namespace

bool PlaySpiritsEncounter(const HostOptions& options, std::ostream& out, std::ostream& err)
{
    auto risen = std::make_shared<std::set<std::string>>();
    BossStage::Script script;
    script.builtInOrders = kOrders;
    script.entries = {{"Statue1", "Records/Creatures/Bosses/SpiritHost.dbr", 6.0f, 2.0f},
                      {"Statue2", "Records/Creatures/Bosses/SpiritHost.dbr", 7.0f, -4.0f},
                      {"Spirit1", "Records/Creatures/Bosses/Spirit.dbr", 10.0f, 1.0f},
                      {"Spirit2", "Records/Creatures/Bosses/Spirit.dbr", 11.0f, -2.0f}};
    script.hitAnimations = {"Creatures/Monster/Bosses/Animations/Rise.anm"};
    script.watch = [risen](BossStage& stage, int32_t frame) {
        for (const char* name : kHosts) {
            const auto* host = stage.Find<SpiritHost>(name);
            if (host != nullptr && host->IsAnimated() && risen->insert(name).second)
                stage.Event(frame, std::string(name) + " rises");
        }
    };
    script.outcome = [risen](BossStage& stage) {
        size_t standing = 0;
        for (const char* name : kHosts) {
            const auto* host = stage.Find<SpiritHost>(name);
            standing += host != nullptr && host->IsAlive() ? 1 : 0;
        }
        return std::to_string(risen->size()) + " of 2 hosts rose, " + std::to_string(standing) +
               " still stand";
    };
    BossStage stage(options, out, err, "spirits");
    return stage.Run(script);
}

} // namespace GAME
