#include "combat/AngerManager.h"

#include "characters/Character.h"
#include "characters/TeamManager.h"
#include "core/MathUtils.h"
#include "engine/Color.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "game/GameEngine.h"

#include <algorithm>
#include <cmath>

namespace GAME {

namespace {

// Beyond this an enemy is out of reach; exactly this far still counts. Compared squared: for
// floats d * d > 2500 exactly when the rounded square root of it exceeds 50.
constexpr float kMaxEnemyDistance = 50.0f;
// Squared, so it starts above any enemy worth keeping.
constexpr float kNoEnemyDistance = 10000000.0f;
// The share of new anger taken off every other enemy.
constexpr float kAngerSpread = 0.7f;

const Character* LookUpCharacter(uint32_t id)
{
    return ObjectManager::Instance().GetObject<Character>(id);
}

} // namespace

AngerManager::AngerManager() = default;

AngerManager::~AngerManager()
{
    angerLevels.clear();
}

void AngerManager::Clear()
{
    angerLevels.clear();
    mostHatedEnemy = 0;
    closestEnemy = 0;
}

void AngerManager::GetClosestEnemy(uint32_t& enemyId, float& distance) const
{
    enemyId = closestEnemy;
    distance = closestEnemyDistance;
}

void AngerManager::AddAnger(uint32_t enemyId, float amount)
{
    const Character* enemy = LookUpCharacter(enemyId);
    if (ShouldRemoveEnemy(nullptr, enemy))
        return;
    amount *= enemy->GetAngerMultiplier();
    // Rates from a record times a long frame's periods can overflow; an infinite amount would
    // leave the other entries infinite, and the next one no number.
    if (!std::isfinite(amount))
        return;
    auto entry = std::lower_bound(
        angerLevels.begin(), angerLevels.end(), enemyId,
        [](const std::pair<uint32_t, float>& level, uint32_t id) { return level.first < id; });
    if (entry == angerLevels.end() || entry->first != enemyId)
        entry = angerLevels.insert(entry, {enemyId, 0.0f});
    float& anger = entry->second;
    anger += amount;
    if (anger > kMaxAnger)
        anger = kMaxAnger;
    if (angerLevels.size() < 2)
        return;
    const float spread = amount / static_cast<float>(angerLevels.size()) * kAngerSpread;
    for (auto& [id, other] : angerLevels) {
        // A negative amount raises the others, and no anger passes the cap.
        if (id != enemyId)
            other = std::min(other - spread, kMaxAnger);
    }
}

void AngerManager::Update(int32_t elapsedMs, float decayPerSecond, Character* self)
{
    if (mostHatedEnemy != 0 && ShouldRemoveEnemy(self, LookUpCharacter(mostHatedEnemy)))
        mostHatedEnemy = 0;
    closestEnemy = 0;
    closestEnemyDistance = kNoEnemyDistance;
    const float decay = static_cast<float>(elapsedMs) * 0.001f * decayPerSecond;
    size_t kept = 0;
    for (size_t index = 0; index < angerLevels.size(); ++index) {
        auto& [id, anger] = angerLevels[index];
        // Stays infinite without a monster: there is nothing to be near to.
        float distanceSquared = gPositiveInfinity;
        // A record's negative forgiving rate makes anger grow, over a long frame past any
        // number: it stops at the cap like anger added.
        if (ShouldRemoveEnemy(self, LookUpCharacter(id), distanceSquared) ||
            (anger = std::min(anger - decay, kMaxAnger)) < 0.0f) {
            if (id == currentTarget)
                currentTarget = 0;
            continue;
        }
        if (distanceSquared < closestEnemyDistance) {
            closestEnemyDistance = distanceSquared;
            closestEnemy = id;
        }
        angerLevels[kept++] = angerLevels[index];
    }
    angerLevels.resize(kept);
    if (closestEnemy != 0)
        closestEnemyDistance = Sqrt(closestEnemyDistance);
}

float AngerManager::GetAnger(uint32_t enemyId) const
{
    const auto entry = std::lower_bound(
        angerLevels.begin(), angerLevels.end(), enemyId,
        [](const std::pair<uint32_t, float>& level, uint32_t id) { return level.first < id; });
    return entry != angerLevels.end() && entry->first == enemyId ? entry->second : 0.0f;
}

Character* AngerManager::GetNewTarget(float threshold) const
{
    const ObjectManager& objects = ObjectManager::Instance();
    if (mostHatedEnemy != 0) {
        if (Character* forced = objects.GetObject<Character>(mostHatedEnemy))
            return forced;
    }
    float best = 0.0f;
    Character* candidate = nullptr;
    for (const auto& [id, anger] : angerLevels) {
        Character* enemy = objects.GetObject<Character>(id);
        const float score = id == currentTarget ? anger * 2.0f : anger;
        if (enemy != nullptr && enemy->IsAlive() && score > best) {
            candidate = enemy;
            best = score;
        }
    }
    // A negative threshold must not pick a target that was never found.
    if (candidate == nullptr || best <= threshold)
        return nullptr;
    currentTarget = candidate->GetObjectId();
    return candidate;
}

void AngerManager::TransferAnger(AngerManager& other) const
{
    other.angerLevels = angerLevels;
    other.mostHatedEnemy = mostHatedEnemy;
}

void AngerManager::ShowAngerLevels() const
{
    AddAngerGraph(mostHatedEnemy, kMaxAnger);
    for (const auto& [id, anger] : angerLevels)
        AddAngerGraph(id, anger);
}

bool AngerManager::ShouldRemoveEnemy(const Character* self, const Character* enemy) const
{
    float distanceSquared = 0.0f;
    return ShouldRemoveEnemy(self, enemy, distanceSquared);
}

bool AngerManager::ShouldRemoveEnemy(const Character* self, const Character* enemy,
                                     float& distanceSquared) const
{
    if (enemy == nullptr || !enemy->CausesAnger() || !enemy->IsAlive())
        return true;
    if (self == nullptr)
        return false;
    const TeamManager* teams = GameEngine::Get().GetTeamManager();
    if (teams != nullptr && teams->IsFriend(self->GetTeam(), enemy->GetTeam()))
        return true;
    if (!self->IsInWorld() || !enemy->IsInWorld())
        return true;
    const World* world = gEngine->GetWorld();
    if (world == nullptr)
        return true;
    distanceSquared = world->GetDistanceSquared(self->GetCoords().GetPosition(),
                                                enemy->GetCoords().GetPosition());
    return distanceSquared > kMaxEnemyDistance * kMaxEnemyDistance;
}

void AngerManager::AddAngerGraph(uint32_t enemyId, float value) const
{
    const Character* enemy = LookUpCharacter(enemyId);
    if (enemy == nullptr)
        return;
    const float red = value * 0.01f;
    gEngine->AddStatisticGraph(enemy->GetObjectName(), value, Color(red, 1.0f - red, 0.0f, 1.0f));
}

} // namespace GAME
