#include "host/FrameCostHistogram.h"

#include <algorithm>
#include <cmath>

namespace GAME {

FrameCostHistogram::FrameCostHistogram(int decimals) : stepsPerUnit(std::pow(10.0, decimals)) {}

void FrameCostHistogram::Add(double cost)
{
    ++steps[std::llround(cost * stepsPerUnit)];
    ++count;
    total += cost;
    worst = count == 1 ? cost : std::max(worst, cost);
}

double FrameCostHistogram::GetMean() const
{
    return count == 0 ? 0.0 : total / static_cast<double>(count);
}

double FrameCostHistogram::GetPercentile(uint32_t percent) const
{
    const uint64_t rank = (count * percent + 99) / 100;
    uint64_t seen = 0;
    for (const auto& [step, frames] : steps) {
        seen += frames;
        if (seen >= rank)
            return static_cast<double>(step) / stepsPerUnit;
    }
    return steps.empty() ? 0.0 : static_cast<double>(steps.rbegin()->first) / stepsPerUnit;
}

} // namespace GAME
