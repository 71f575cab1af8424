#pragma once

#include <cstdint>
#include <set>

namespace GAME {

// The keyboard as the host reports it: which key numbers are held down now.
class InputDevice {
public:
    bool IsKeyDown(int32_t key) const { return down.count(key) != 0; }
    void SetKeyDown(int32_t key, bool held)
    {
        if (held)
            down.insert(key);
        else
            down.erase(key);
    }
    void ReleaseAll() { down.clear(); }

private:
    std::set<int32_t> down;
};

} // namespace GAME
