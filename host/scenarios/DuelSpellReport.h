#pragma once

#include <cstdint>
#include <iosfwd>
#include <map>
#include <string>
#include <vector>

namespace GAME {

class Character;
class Monster;
class Player;
struct Vec3;

// The spell half of `gamehost --duel`: as a server, a jackalman raises its stone shield,
// throws a fireball, calls a lightning strike and raises bones past its limit at the hero, who
// switches on a battle aura, arms a retaliating burst and answers with a charged swing and a
// chaos beam. Each frame prints where projectiles fly, the commands sent (switches, target
// reports, launches, spawns), pet deaths and the combat transcript. The commands are then
// replayed into a fresh client engine and both machines print their lives.
class DuelSpellReport {
public:
    static constexpr const char* kJackalmanSpells = "Records/Skills/Duel/JackalmanSpells.dbr";
    static constexpr const char* kHeroArts = "Records/Skills/Duel/HeroArts.dbr";
    static constexpr const char* kFireball = "Records/Skills/Duel/Fireball.dbr";
    static constexpr const char* kLightning = "Records/Skills/Duel/LightningStrike.dbr";
    static constexpr const char* kShield = "Records/Skills/Duel/StoneShield.dbr";
    static constexpr const char* kBones = "Records/Skills/Duel/RaiseBones.dbr";
    static constexpr const char* kSwing = "Records/Skills/Duel/ChargedSwing.dbr";
    static constexpr const char* kBeam = "Records/Skills/Duel/ChaosBeam.dbr";
    static constexpr const char* kAura = "Records/Skills/Duel/BattleAura.dbr";
    static constexpr const char* kRetribution = "Records/Skills/Duel/Retribution.dbr";
    static constexpr int32_t kSeconds = 6;
    static constexpr int32_t kFrameMs = 100;
    // How long a projectile may fly before it lands on its target anyway.
    static constexpr int32_t kLandMs = 1000;

    DuelSpellReport(std::ostream& out, std::ostream& err, uint32_t seed);
    DuelSpellReport(const DuelSpellReport&) = delete;
    DuelSpellReport& operator=(const DuelSpellReport&) = delete;

    // False, with one line on `err`, when the library does not start or a sample record does
    // not make its object.
    bool Run();

private:
    struct Cast {
        Player* hero = nullptr;
        Monster* jackalman = nullptr;
        bool made = false;
    };
    using Packets = std::vector<std::vector<uint8_t>>;

    bool PlayServer();
    bool ReplayClient();
    Cast Stage();
    void Act(Cast& cast, int32_t second);
    void Use(Character& user, const char* record, uint32_t targetId, const Vec3& point,
             uint32_t useSeed);
    void Frame(Cast& cast, bool controlling);
    void Fly(bool controlling);
    void Track(const Packets& packets);
    void ShowPackets(const Packets& packets);
    void ShowPetDeaths();
    std::string LivesText(Cast& cast);

    std::ostream& out;
    std::ostream& err;
    uint32_t seed;
    int32_t elapsedMs = 0;
    // Every pet the jackalman raised, and whether it still stood after the last frame.
    std::map<uint32_t, bool> pets;
    // Each projectile in the air and how long it has flown, in ms.
    std::map<uint32_t, int32_t> flying;
    std::vector<Packets> steps;
    size_t sent = 0;
    size_t replayed = 0;
    std::string serverLives;
    std::string clientLives;
};

} // namespace GAME
