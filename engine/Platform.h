#pragma once

#include <cstdint>
#include <string>

namespace GAME {

// What the game asks of the operating system and the C runtime, shaped after the platform it
// was written for: a 15-bit `rand`, GUIDs, thread ids and the runtime's number formatting.
namespace Platform {

struct Guid {
    uint32_t data1 = 0;
    uint16_t data2 = 0;
    uint16_t data3 = 0;
    uint8_t data4[8] = {};
};

// A fresh random GUID (version 4 layout).
Guid CreateGuid();

// The shared C-runtime generator: 0 to 32767, the same sequence for the same seed everywhere.
constexpr int kRandMax = 32767;
int Rand();
void SRand(uint32_t seed);

namespace Detail {
// 0 until the thread first asks. Initial-exec, so the id is one load off the thread pointer,
// cheap enough for every object look-up to ask. The host opens the library late, when such a
// block comes from glibc's small reserve: the library's thread-locals must stay small.
extern constinit thread_local uint32_t currentThreadId __attribute__((tls_model("initial-exec")));
uint32_t TakeThreadId();
} // namespace Detail

// Small, sequential and never reused, unlike the system's.
inline uint32_t GetCurrentThreadId()
{
    const uint32_t id = Detail::currentThreadId;
    return id != 0 ? id : Detail::TakeThreadId();
}
// The operating system's id of the calling thread.
int GetSystemThreadId();
// 0 lowest, 2 above normal, anything else normal. Raising above normal needs privileges the
// process may lack; the request is then ignored.
void SetThreadPriority(int systemThreadId, int level);
// Names the calling thread for debuggers (at most 15 characters are kept).
void SetCurrentThreadName(const char* name);

// Decimal text of a value in the given base (2 to 36); negative only in base 10.
std::string IntToAscii(int32_t value, int base = 10);

// The runtime's `_gcvt`: `digits` significant digits, fixed notation when the decimal exponent
// lies in [-1, digits - 1] and exponent notation ("1.5e+010") otherwise; trailing zeros go but
// the decimal point stays ("2." for 2).
std::string FormatSignificant(double value, int digits);

} // namespace Platform
} // namespace GAME
