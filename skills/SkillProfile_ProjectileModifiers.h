#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class LoadTable;
struct GameTextLine;
enum class GameTextClass : int32_t;

// One level's additions to the projectiles of the skill a projectile-modifier skill modifies.
class SkillProfile_ProjectileModifiers {
public:
    SkillProfile_ProjectileModifiers() = default;
    virtual ~SkillProfile_ProjectileModifiers() = default;
    SkillProfile_ProjectileModifiers(const SkillProfile_ProjectileModifiers&) = default;
    SkillProfile_ProjectileModifiers& operator=(const SkillProfile_ProjectileModifiers&) = default;

    // Fills every entry of `levels` from the record's per-level lists: entry i serves level
    // i + 1 and reads entry i of each list, or its last entry when the list is shorter; the
    // fragments name is one for all levels.
    static void LoadLevels(const LoadTable& table,
                           std::vector<SkillProfile_ProjectileModifiers>& levels);

    // The receiver keeps its own fragments name.
    SkillProfile_ProjectileModifiers& operator+=(const SkillProfile_ProjectileModifiers& other);

    void CreateText(GameTextClass style, std::vector<GameTextLine>& lines) const;
    // Called on the next level's record: only the values that change from `current`.
    void CreateNextText(const SkillProfile_ProjectileModifiers& current,
                        std::vector<GameTextLine>& lines) const;

    float GetExplosionRadius() const { return explosionRadius; }
    const std::string& GetFragmentsName() const { return fragmentsName; }
    int32_t GetFragmentsLaunchNumberMin() const { return fragmentsLaunchNumberMin; }
    int32_t GetFragmentsLaunchNumberMax() const { return fragmentsLaunchNumberMax; }
    float GetPiercingChance() const { return piercingChance; }

private:
    // Without `current` the values themselves decide; with it, their change from it does.
    void AddLines(const SkillProfile_ProjectileModifiers* current, GameTextClass style,
                  std::vector<GameTextLine>& lines) const;

    float explosionRadius = 0.0f;
    std::string fragmentsName;
    int32_t fragmentsLaunchNumberMin = 0;
    int32_t fragmentsLaunchNumberMax = 0;
    float piercingChance = 0.0f;
};

} // namespace GAME
