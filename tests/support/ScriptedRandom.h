#pragma once

#include "core/RandomUniform.h"

#include <deque>
#include <utility>
#include <vector>

namespace GAME::Test {

// A generator that answers the draws a test scripts, then the lower bound of each range, and
// remembers every range it was asked for, so a test can pin both values and draw order.
class ScriptedRandom : public RandomUniform {
public:
    std::deque<float> floats;
    std::deque<int> ints;
    std::vector<std::pair<float, float>> floatCalls;
    std::vector<std::pair<int, int>> intCalls;

    float FGenerate(float min, float max) override
    {
        floatCalls.emplace_back(min, max);
        return Next(floats, min);
    }
    int IGenerate(int min, int max) override
    {
        intCalls.emplace_back(min, max);
        return Next(ints, min);
    }

private:
    template <typename T> static T Next(std::deque<T>& script, T fallback)
    {
        if (script.empty())
            return fallback;
        const T value = script.front();
        script.pop_front();
        return value;
    }
};

} // namespace GAME::Test
