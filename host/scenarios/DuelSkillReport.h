#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace GAME {

class Character;
class Monster;
class Player;

// The skill half of `gamehost --duel`: as a server, the sample hunter swings a charging bow pool
// at the first of a pack of three (its pooled attack looses three arrows) once a second, while
// scripted requests put a shield on the hunter and a contagious rot on the second of the pack,
// and the pack's leader strikes the hunter. Each second prints charge, mana, cooldowns, buffs
// and the shield left. The commands the server sent are then replayed into a fresh client
// engine, step by step, and the end states of both machines are compared.
class DuelSkillReport {
public:
    static constexpr const char* kHuntingTree = "Records/Skills/Hunting/HuntingTree.dbr";
    static constexpr const char* kPool = "Records/Skills/Hunting/ChargingVolley.dbr";
    static constexpr const char* kBow = "Records/Items/Weapons/HuntingBow.dbr";
    static constexpr const char* kShield = "Records/Skills/Buffs/WardingShield.dbr";
    static constexpr const char* kRot = "Records/Skills/Buffs/PlagueRot.dbr";
    static constexpr uint32_t kShieldLevel = 1;
    static constexpr uint32_t kRotLevel = 1;
    static constexpr int32_t kShieldMs = 20000;
    static constexpr int32_t kRotMs = 8000;
    static constexpr int32_t kSeconds = 6;
    static constexpr int32_t kFrameMs = 50;

    DuelSkillReport(std::ostream& out, std::ostream& err, uint32_t seed);
    DuelSkillReport(const DuelSkillReport&) = delete;
    DuelSkillReport& operator=(const DuelSkillReport&) = delete;

    // False, with one line on `err`, when the library does not start or a sample record does
    // not make its object.
    bool Run();

    // Shared with the other duel halves: the packets sent since the last call.
    static std::vector<std::vector<uint8_t>> TakeSent();

private:
    // What both machines make alike, under the same ids.
    struct Cast {
        Player* hunter = nullptr;
        std::vector<Monster*> pack;
        bool made = false;
    };
    // One step's packets: those the scripted actions sent, then those of the frame's updates.
    struct Step {
        std::vector<std::vector<uint8_t>> actions;
        std::vector<std::vector<uint8_t>> frame;
    };

    bool PlayServer();
    bool ReplayClient();
    Cast Stage();
    void Swing(Cast& cast, int32_t second);
    void Strike(Cast& cast, int32_t second);
    void Frame(Cast& cast);
    std::string SecondText(Cast& cast);
    std::string EndState(Cast& cast);

    std::ostream& out;
    std::ostream& err;
    uint32_t seed;
    // What the server decided before the first swing; the client hears it first.
    std::vector<std::vector<uint8_t>> decided;
    std::vector<Step> steps;
    size_t replayed = 0;
    std::string serverState;
    std::string clientState;
};

} // namespace GAME
