#pragma once

#include <cstddef>
#include <cstdint>
#include <map>

namespace GAME {

// The costs of a run's frames, counted by value to the precision their figures are printed
// with rather than kept one by one: a run of a million frames holds no more than one of a
// thousand. It holds one count for each step between the cheapest and the dearest frame, however
// many frames there are. The mean and the worst are exact; a percentile is the step the frame
// of its rank falls in, which prints as that frame would.
class FrameCostHistogram {
public:
    // Costs are counted in steps of 10^-decimals of their unit.
    explicit FrameCostHistogram(int decimals);

    void Add(double cost);
    uint64_t GetCount() const { return count; }
    double GetTotal() const { return total; }
    // 0 for an empty run, as are the two below.
    double GetMean() const;
    double GetWorst() const { return worst; }
    // The cost of the frame of rank ceil(count × percent / 100) among them sorted.
    double GetPercentile(uint32_t percent) const;
    // The steps that hold a frame.
    size_t GetStepCount() const { return steps.size(); }

private:
    double stepsPerUnit;
    std::map<int64_t, uint64_t> steps;
    uint64_t count = 0;
    double total = 0.0;
    double worst = 0.0;
};

} // namespace GAME
