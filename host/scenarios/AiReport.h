#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace GAME {

class Character;
class Monster;
class Player;
struct HostOptions;

// `gamehost --scenario ai`: in single player four jackalman raiders close on the hero. Each frame
// prints who holds which of the three attack places round him, who lost his place, the move
// goals bent round the points already taken, and whether each raider sees the hero past a wall
// and a palisade. Then the nearest raider dies, with its gold piles and its death event, and its
// place goes to one still waiting.
class AiReport {
public:
    static constexpr const char* kPlayer = "Records/Creatures/PC/Hero.dbr";
    static constexpr const char* kRaider =
        "Records/Creatures/Monster/Jackalman/JackalmanRaider.dbr";
    static constexpr const char* kBarrier = "Records/Creatures/Barrier/Palisade.dbr";
    static constexpr uint32_t kSlots = 3;
    static constexpr float kSlotRadius = 2.0f;
    static constexpr int kFrames = 5;

    AiReport(const HostOptions& options, std::ostream& out, std::ostream& err);
    AiReport(const AiReport&) = delete;
    AiReport& operator=(const AiReport&) = delete;

    // False, with one line on `err`, when the library does not start or a sample record does
    // not make its character.
    bool Run();

private:
    struct Raider {
        Monster* monster = nullptr;
        // World units a frame: the scripted pace, not the record's.
        float step = 0.0f;
    };

    bool Play();
    bool Approach(Player& hero, Character& barrier);
    void Frame(Player& hero, int frame);
    void ShowSight(Raider& raider, const Player& hero);
    void Kill(Raider& victim);
    void ShowRing(Player& hero);
    // "hero", "palisade", "raider N" or the bare id.
    std::string Label(uint32_t id) const;

    const HostOptions& options;
    std::ostream& out;
    std::ostream& err;
    std::vector<Raider> raiders;
    uint32_t heroId = 0;
    uint32_t barrierId = 0;
};

} // namespace GAME
