#include "skills/SkillManager.h"

#include "core/RandomUniform.h"
#include "skills/Skill.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

namespace GAME {

uint32_t SkillManager::SelectWeaponPoolSkill(RandomUniform& random)
{
    // Record weights are unsigned: their sum is kept in 64 bits and the draw's range cut to what
    // the generator takes, so a hostile record can neither wrap the total nor the draw.
    constexpr int64_t kMaxTotal = std::numeric_limits<int>::max();
    std::vector<std::pair<int64_t, uint32_t>> runningTotals;
    runningTotals.reserve(weaponPoolAttacks.size() + 1);
    int64_t total = 0;
    for (const Skill* attack : weaponPoolAttacks) {
        if (attack == nullptr || attack->GetCurrentLevel() == 0)
            continue;
        const uint32_t weight = attack->GetChanceWeight(false);
        if (weight == 0)
            continue;
        total += weight;
        runningTotals.emplace_back(total, attack->GetObjectId());
    }
    // The default attack fills the pool up to 100 at least. A character without one draws
    // among its pooled attacks only: a share for a missing attack would fail the swing.
    if (defaultWPSkillId != 0) {
        total += std::max<int64_t>(100 - total, defaultWPChanceWeight);
        runningTotals.emplace_back(total, defaultWPSkillId);
    }

    const int draw = random.IGenerate(0, static_cast<int>(std::min(total, kMaxTotal)));
    for (const auto& [runningTotal, skillId] : runningTotals) {
        if (runningTotal >= draw)
            return skillId;
    }
    return 0;
}

} // namespace GAME
