#pragma once

#include "core/GameTextLine.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class LoadTable;

// What racial bonuses add to one attack: one structure collects every source's share.
struct RacialBonus_Damage {
    float percent = 0.0f;
    float absolute = 0.0f;
};

struct RacialBonus_Defense {
    float percent = 0.0f;
    float absolute = 0.0f;
};

// Extra damage against, and extra defense from, characters of certain monster races; every
// value is given per level.
class RacialBonus {
public:
    RacialBonus() = default;
    virtual ~RacialBonus() = default;

    virtual void Load(const LoadTable& table);

    // Null when the record names no race and no value.
    static std::unique_ptr<RacialBonus> Create(const LoadTable& table);
    static std::unique_ptr<RacialBonus> CreateFromFile(const std::string& recordName);

    bool IsEmpty() const;

    float GetPercentDamage(uint32_t level) const;
    float GetAbsoluteDamage(uint32_t level) const;
    float GetPercentDefense(uint32_t level) const;
    float GetAbsoluteDefense(uint32_t level) const;

    // Add this bonus once when any of the opponent's races is one of ours.
    void GetDamage(const std::vector<std::string>& opponentRaces, RacialBonus_Damage& damage,
                   uint32_t level) const;
    void GetDefense(const std::vector<std::string>& opponentRaces, RacialBonus_Defense& defense,
                    uint32_t level) const;

    void GetUIDisplayText(uint32_t level, GameTextClass textClass,
                          std::vector<GameTextLine>& lines) const;
    // Only the values that change at the next level, shown with their next-level value.
    void GetUIDisplayTextIncrease(uint32_t level, uint32_t nextLevel, GameTextClass textClass,
                                  std::vector<GameTextLine>& lines) const;

private:
    bool AppliesTo(const std::vector<std::string>& opponentRaces) const;
    void AddRaceLines(const char* tag, float value, GameTextClass textClass,
                      std::vector<GameTextLine>& lines) const;
    void AddTextLines(uint32_t currentLevel, uint32_t shownLevel, bool onlyChanges,
                      GameTextClass textClass, std::vector<GameTextLine>& lines) const;

    std::vector<std::string> races;
    std::vector<float> percentDamage;
    std::vector<float> absoluteDamage;
    std::vector<float> percentDefense;
    std::vector<float> absoluteDefense;
};

} // namespace GAME
