#pragma once

#include <map>
#include <string>

namespace GAME {

// The player's options: numbered switches the game reads (quick sale, floating critical-hit
// text, ...) and named values (language and the like).
class Options {
public:
    static constexpr int kSwitchCount = 32;

    // Unknown switches read as off and ignore writes.
    bool GetBool(int index) const;
    void SetBool(int index, bool value);

    // An unknown name answers the fallback.
    std::string GetValue(const std::string& name, const std::string& fallback = "") const;
    void SetValue(const std::string& name, const std::string& value);

private:
    bool switches[kSwitchCount] = {};
    std::map<std::string, std::string> values;
};

} // namespace GAME
