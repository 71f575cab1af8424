#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace GAME {

class Character;

// A monster's hate list: how angry it is at each enemy, which enemy is nearest and whom to fight
// next. Enemies are held by object id and looked up at each use, so one destroyed meanwhile
// simply drops off.
class AngerManager {
public:
    AngerManager();
    ~AngerManager();
    AngerManager(const AngerManager&) = default;
    AngerManager& operator=(const AngerManager&) = default;

    // Forgets every enemy; the current target stays until the next choice replaces it.
    void Clear();
    // A forced enemy: while it exists it is always the target.
    void SetMostHatedEnemy(uint32_t enemyId) { mostHatedEnemy = enemyId; }
    // As the last `Update` found them; the distance is 10,000,000 when no enemy was left.
    void GetClosestEnemy(uint32_t& enemyId, float& distance) const;
    static float GetMaxAnger() { return kMaxAnger; }

    // Anger at one enemy grows (up to the maximum) and every other enemy's falls by a share of
    // it; may leave others below 0 until the next `Update`.
    void AddAnger(uint32_t enemyId, float amount);
    // Decays every entry and drops enemies that are gone, dead, friends, out of reach or no
    // longer hated.
    void Update(int32_t elapsedMs, float decayPerSecond, Character* self);
    // The forced enemy, else the most hated living one (the current target's anger counting
    // double) when its score beats the threshold; null otherwise.
    Character* GetNewTarget(float threshold) const;
    // Another monster takes over this one's grudges.
    void TransferAnger(AngerManager& other) const;
    // One debug bar per enemy, the forced one first at full anger.
    void ShowAngerLevels() const;
    // The anger held against one enemy; 0 for one not on the list.
    float GetAnger(uint32_t enemyId) const;

private:
    static constexpr float kMaxAnger = 100.0f;

    bool ShouldRemoveEnemy(const Character* self, const Character* enemy) const;
    // The same, handing back the squared distance measured for a kept enemy (left alone when
    // none was measured) so that the update need not measure it again.
    bool ShouldRemoveEnemy(const Character* self, const Character* enemy,
                           float& distanceSquared) const;
    void AddAngerGraph(uint32_t enemyId, float value) const;

    // Enemy id and anger, kept sorted by id: walked every frame, a flat list beats a tree.
    std::vector<std::pair<uint32_t, float>> angerLevels;
    uint32_t mostHatedEnemy = 0;
    // Written by the const choice of target, which remembers what it chose.
    mutable uint32_t currentTarget = 0;
    uint32_t closestEnemy = 0;
    float closestEnemyDistance = 0.0f;
};

} // namespace GAME
