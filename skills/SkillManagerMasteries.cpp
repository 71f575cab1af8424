#include "skills/SkillManager.h"

#include "characters/Character.h"
#include "engine/Engine.h"
#include "game/GameEngine.h"
#include "skills/Skill.h"
#include "skills/Skill_Mastery.h"

#include <algorithm>
#include <cstdint>

namespace GAME {

namespace {

// The price of the next point when `used` are taken: within the first tier band that holds
// `used`, else the last cost. Lists of different lengths pair up to the shorter; no costs cost 0.
uint64_t CostAt(const std::vector<uint32_t>& tiers, const std::vector<uint32_t>& costs,
                uint32_t used)
{
    if (costs.empty())
        return 0;
    const size_t count = std::min(tiers.size(), costs.size());
    if (count < 2)
        return costs.front();
    for (size_t k = 0; k + 1 < count; ++k) {
        if (tiers[k] <= used && used < tiers[k + 1])
            return costs[k];
    }
    return costs[count - 1];
}

// The price holds from `used` up to the next tier above it: points are priced a band at a time,
// so a huge count costs no more work than a small one.
uint64_t BandEnd(const std::vector<uint32_t>& tiers, uint32_t used)
{
    uint64_t end = uint64_t{UINT32_MAX} + 1;
    for (uint32_t tier : tiers) {
        if (tier > used)
            end = std::min<uint64_t>(end, tier);
    }
    return end;
}

// The lowest value the price at `used` still holds for, going down.
uint32_t BandStart(const std::vector<uint32_t>& tiers, uint32_t used)
{
    uint32_t start = 0;
    for (uint32_t tier : tiers) {
        if (tier <= used)
            start = std::max(start, tier);
    }
    return start;
}

} // namespace

uint32_t SkillManager::GetSkillMasteriesActive() const
{
    uint32_t count = 0;
    for (const Skill* skill : activeSkills) {
        if (DynamicCast<Skill_Mastery>(skill) != nullptr && skill->GetCurrentLevel() != 0)
            ++count;
    }
    return count;
}

void SkillManager::GetSkillMasteries(std::vector<uint32_t>& masteries) const
{
    for (const Skill* skill : activeSkills) {
        const auto* mastery = DynamicCast<Skill_Mastery>(skill);
        if (mastery != nullptr && mastery->GetCurrentLevel() != 0)
            masteries.push_back(mastery->GetEnumeration());
    }
}

uint32_t SkillManager::GetNumOfNonMasterySkillsWithPoints() const
{
    uint32_t count = 0;
    for (const Skill* skill : activeSkills) {
        const uint32_t id = skill->GetObjectId();
        if (DynamicCast<Skill_Mastery>(skill) == nullptr && id != defaultSkillId &&
            id != defaultWPSkillId && skill->GetCurrentLevel() != 0)
            ++count;
    }
    return count;
}

void SkillManager::UpdateMasteriesAllowed(uint32_t characterLevel)
{
    if (masteriesAllowed >= masteryIncrementLevels.size())
        return;
    const uint32_t threshold = masteryIncrementLevels[masteriesAllowed];
    if (threshold == 0 || characterLevel < threshold)
        return;
    ++masteriesAllowed;
    if (gGameEngine != nullptr)
        gGameEngine->AutoSave();
}

void SkillManager::AddMasteryAllowedIncrementLevel(uint32_t level)
{
    if (level != 0)
        masteryIncrementLevels.push_back(level);
}

uint32_t SkillManager::GetCurrentSkillReclamationCost() const
{
    return static_cast<uint32_t>(
        CostAt(reclamationPointTiers, reclamationPointCosts, skillReclamationPointsUsed));
}

bool SkillManager::UseReclamationPoints(int32_t points)
{
    const std::vector<uint32_t>& tiers = reclamationPointTiers;
    const std::vector<uint32_t>& costs = reclamationPointCosts;
    uint32_t& used = skillReclamationPointsUsed;
    if (points > 0) {
        // A count that would carry the used total past its range is refused outright.
        if (uint64_t{used} + static_cast<uint64_t>(points) > UINT32_MAX)
            return false;
        const uint32_t before = used;
        uint64_t total = 0;
        uint64_t left = static_cast<uint64_t>(points);
        while (left > 0) {
            const uint64_t steps = std::min<uint64_t>(left, BandEnd(tiers, used) - used);
            total += steps * CostAt(tiers, costs, used);
            used = static_cast<uint32_t>(used + steps);
            left -= steps;
        }
        const uint32_t money = parent != nullptr ? parent->GetCurrentMoney() : 0;
        if (total > money) {
            used = before;
            return false;
        }
        if (parent != nullptr)
            parent->SubtractMoney(static_cast<uint32_t>(total));
        return true;
    }
    // A refund gives back the price of each point returned, and stops when none are left.
    uint64_t total = 0;
    uint64_t left = static_cast<uint64_t>(-static_cast<int64_t>(points));
    while (left > 0 && used > 0) {
        const uint32_t next = used - 1;
        const uint64_t steps = std::min<uint64_t>(left, next - BandStart(tiers, next) + 1);
        total += steps * CostAt(tiers, costs, next);
        used = static_cast<uint32_t>(used - steps);
        left -= steps;
    }
    if (parent != nullptr)
        parent->AddMoney(static_cast<uint32_t>(std::min<uint64_t>(total, UINT32_MAX)));
    return true;
}

} // namespace GAME
