#pragma once

#include <cstdint>
#include <string>

namespace GAME {

// The gods whose statues lend the final boss their powers; 4 means none.
enum TyphonGod : uint32_t {
    TyphonGod_Zeus = 0,
    TyphonGod_Demeter = 1,
    TyphonGod_Hades = 2,
    TyphonGod_Apollo = 3,
    TyphonGod_None = 4,
};
constexpr uint32_t kNumTyphonGods = 4;

// "zeus", "demeter", "hades", "apollo"; "none" for none; "invalid" for any other index.
const char* TyphonGodToName(uint32_t god);
// The god of that exact name; none for any other text.
uint32_t TyphonGodFromName(const std::string& name);
inline bool IsTyphonGod(uint32_t god)
{
    return god < kNumTyphonGods;
}

} // namespace GAME
