#pragma once

#include "host/ArenaSamples.h"
#include "host/OrderScript.h"
#include "host/scenarios/StagedCast.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace GAME {

class Character;
class ControllerMonster;
class ControllerPlayer;
class Player;
struct HostOptions;

// `gamehost --scenario arena`: monsters that think for themselves against the hero. A pack of
// two walks its patrol route, a chieftain leads two followers and a mender heals whoever is
// hurt. The hero obeys an order script: `--input FILE`, or the built-in one. Each frame prints
// the hero and each monster whose line changed: its state, most hated enemy with the anger
// held against it, the skill its state uses and the attack place it holds round that enemy.
// A death prints the records and gold the monster drops.
class ArenaReport : private StagedCast, public ArenaSamples {
public:
    static constexpr const char* kChieftain = "Records/Creatures/Monster/Arena/PackChieftain.dbr";
    static constexpr const char* kFollower = "Records/Creatures/Monster/Arena/PackFollower.dbr";
    static constexpr const char* kMender = "Records/Creatures/Monster/Arena/PackMender.dbr";
    static constexpr const char* kPatrolPoint = "Records/Game/Arena/PatrolPoint.dbr";
    static constexpr const char* kBarSkillTree = "Records/Skills/Brawling/BrawlingTree.dbr";
    static constexpr const char* kBarSkill = "Records/Skills/Brawling/Haymaker.dbr";
    // The orders played without `--input`: the hero goes for the chieftain, then a follower.
    static const char* const kDefaultOrders;

    ArenaReport(const HostOptions& options, std::ostream& out, std::ostream& err)
        : StagedCast(options, out, err)
    {}

    // The names an order may give with "@NAME".
    static std::vector<std::string> Names();

    // 0 when played; 2, with one line on `err`, when the script cannot be used (nothing is run
    // then), the library does not start or a sample record does not make its thing.
    int Run();

private:
    bool Play(const std::vector<ScriptOrder>& orders);
    bool Stage();
    bool StagePatrol();
    bool Enter(const std::string& name, const char* record, float x, float z, uint32_t uniqueWord);
    std::string HeroLine(const Player& hero) const;
    std::string MonsterLine(const Character& monster, const ControllerMonster* controller) const;
};

} // namespace GAME
