#pragma once

#include "characters/CharFxPak.h"
#include "characters/Monster.h"
#include "characters/TyphonGod.h"

#include <array>
#include <cstdint>
#include <string>

namespace GAME {

class ControllerTyphon;
class LoadTable;

// The final boss. Striking a god statue lights that god's skill effect on it. Its record holds,
// for a ControllerTyphon only, each god's five special attacks, the skills that take a god's
// powers and the gods' effects. Its death ends the game.
class Typhon : public Monster {
    GAME_DECLARE_CLASS(Typhon)

public:
    static constexpr uint32_t kNumGods = kNumTyphonGods;

    Typhon() = default;
    ~Typhon() override;

    void Load(const LoadTable& table) override;
    void PreLoad(bool flag) override;
    void ImDying() override;

    // Nothing for a god out of range.
    void EnableSkillEffect(uint32_t god);
    void DisableSkillEffects();

    // Null for a god out of range.
    CharFxPak* GetSkillEffect(uint32_t god);
    const std::string& GetDeathVortex() const { return deathVortex; }
    const std::string& GetWisps() const { return wisps; }
    const std::string& GetGodRays() const { return godRays; }

private:
    void LoadGodBlocks(const LoadTable& table, ControllerTyphon& controller);
    // 0 for an empty name or one the boss does not hold.
    uint32_t OwnSkillId(const LoadTable& table, const std::string& key);
    void PlaceDeathEffects();
    void RecordDifficultyCompleted();

    std::array<CharFxPak, kNumGods> skillEffects;
    std::string deathVortex;
    std::string wisps;
    std::string godRays;
};

} // namespace GAME
