// Hostile level state: every read must stay inside the input and fail cleanly at its end.
#include "engine/BinaryReader.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    GAME::BinaryReader reader(data, size);
    std::string text;
    uint32_t word = 0;
    uint16_t half = 0;
    bool flag = false;
    float real = 0.0f;
    uint8_t bytes[8];
    // The input's own bytes choose the read sequence, as a corrupt state would.
    for (size_t step = 0; step < 64 && !reader.HasFailed(); ++step) {
        switch ((step < size ? data[step] : step) % 6) {
        case 0:
            reader.ReadUInt32(word);
            break;
        case 1:
            reader.ReadUInt16(half);
            break;
        case 2:
            reader.ReadBool(flag);
            break;
        case 3:
            reader.ReadString(text);
            break;
        case 4:
            reader.ReadFloat(real);
            break;
        default:
            reader.ReadBytes(bytes, word % sizeof(bytes));
            break;
        }
    }
    return 0;
}
