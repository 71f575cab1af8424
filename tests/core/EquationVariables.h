#pragma once

#include "core/EquationInterface.h"

#include <map>
#include <string>
#include <vector>

namespace GAME::Test {

// Answers the names it holds and remembers every name it was asked for, in order.
template <typename T> class Variables final : public EquationInterface<T> {
public:
    Variables(std::initializer_list<std::pair<const std::string, T>> values = {}) : values(values)
    {}

    bool GetDesignerVariable(const char* name, T& value) override
    {
        value = T();
        asked.push_back(name);
        const auto found = values.find(name);
        if (found == values.end())
            return false;
        value = found->second;
        return true;
    }

    std::map<std::string, T> values;
    std::vector<std::string> asked;
};

} // namespace GAME::Test
