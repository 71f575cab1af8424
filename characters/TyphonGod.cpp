#include "characters/TyphonGod.h"

namespace GAME {

namespace {

constexpr const char* kGodNames[kNumTyphonGods] = {"zeus", "demeter", "hades", "apollo"};

} // namespace

const char* TyphonGodToName(uint32_t god)
{
    if (IsTyphonGod(god))
        return kGodNames[god];
    return god == TyphonGod_None ? "none" : "invalid";
}

uint32_t TyphonGodFromName(const std::string& name)
{
    for (uint32_t god = 0; god < kNumTyphonGods; ++god) {
        if (name == kGodNames[god])
            return god;
    }
    return TyphonGod_None;
}

} // namespace GAME
