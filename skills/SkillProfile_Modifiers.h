#pragma once

#include <cstdint>
#include <vector>

namespace GAME {

class LoadTable;
struct GameTextLine;
enum class GameTextClass : int32_t;

// One level's use-time numbers of a skill. A modifier skill's record is summed into the record
// of the skill it modifies, so every number here must add up meaningfully.
class SkillProfile_Modifiers {
public:
    SkillProfile_Modifiers() = default;
    virtual ~SkillProfile_Modifiers() = default;
    SkillProfile_Modifiers(const SkillProfile_Modifiers&) = default;
    SkillProfile_Modifiers& operator=(const SkillProfile_Modifiers&) = default;

    // Fills every entry of `levels` from the record's per-level lists: entry i serves level
    // i + 1 and reads entry i of each list, or its last entry when the list is shorter.
    static void LoadLevels(const LoadTable& table, std::vector<SkillProfile_Modifiers>& levels);

    SkillProfile_Modifiers& operator+=(const SkillProfile_Modifiers& other);

    void CreateText(GameTextClass style, std::vector<GameTextLine>& lines) const;
    // Called on the next level's record: only the values that change from `current`.
    void CreateNextText(const SkillProfile_Modifiers& current,
                        std::vector<GameTextLine>& lines) const;

    float GetManaCost() const { return manaCost; }
    float GetActiveLifeCost() const { return activeLifeCost; }
    float GetActiveManaCost() const { return activeManaCost; }
    float GetActiveDuration() const { return activeDuration; }
    float GetTargetRadius() const { return targetRadius; }
    float GetTargetAngle() const { return targetAngle; }
    int32_t GetTargetNumber() const { return targetNumber; }
    float GetCooldownTime() const { return cooldownTime; }
    float GetSpeedAcceleration() const { return speedAcceleration; }
    float GetExplosionRadius() const { return explosionRadius; }
    float GetProjectileLaunchRotation() const { return projectileLaunchRotation; }
    int32_t GetProjectileLaunchNumber() const { return projectileLaunchNumber; }
    float GetProjectilePiercing() const { return projectilePiercing; }

private:
    // Without `current` the values themselves decide; with it, their change from it does.
    void AddLines(const SkillProfile_Modifiers* current, GameTextClass style,
                  std::vector<GameTextLine>& lines) const;

    float manaCost = 0.0f;
    float activeLifeCost = 0.0f;
    float activeManaCost = 0.0f;
    float activeDuration = 0.0f;
    float targetRadius = 0.0f;
    float targetAngle = 0.0f;
    int32_t targetNumber = 0;
    float cooldownTime = 0.0f;
    float speedAcceleration = 0.0f;
    float explosionRadius = 0.0f;
    float projectileLaunchRotation = 0.0f;
    int32_t projectileLaunchNumber = 0;
    float projectilePiercing = 0.0f;
};

} // namespace GAME
