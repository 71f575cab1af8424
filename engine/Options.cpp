#include "engine/Options.h"

namespace GAME {

bool Options::GetBool(int index) const
{
    return index >= 0 && index < kSwitchCount && switches[index];
}

void Options::SetBool(int index, bool value)
{
    if (index >= 0 && index < kSwitchCount)
        switches[index] = value;
}

std::string Options::GetValue(const std::string& name, const std::string& fallback) const
{
    auto found = values.find(name);
    return found != values.end() ? found->second : fallback;
}

void Options::SetValue(const std::string& name, const std::string& value)
{
    values[name] = value;
}

} // namespace GAME
