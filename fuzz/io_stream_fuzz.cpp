// Hostile save streams: reading and describing must stay inside the bytes, allocate no more
// than they hold and never crash, whatever the keys, kinds, lengths and blocks claim.
#include "core/UniqueId.h"
#include "engine/IOStreamRead.h"

#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> bytes(data, data + size);
    std::string text;
    GAME::IOStreamRead::Describe(bytes, text);

    // A reader that follows a fixed save layout, as the game's own stream code does.
    GAME::IOStreamRead stream(std::move(bytes));
    GAME::UniqueId id;
    std::wstring wide;
    std::string narrow;
    bool flag = false;
    uint32_t word = 0;
    int32_t number = 0;
    float real = 0.0f;
    stream.StreamInt("version", number);
    stream.BeginBlock();
    stream.StreamWideString("name", wide);
    stream.StreamUniqueId("id", id);
    stream.BeginBlock();
    stream.StreamBool("flag", flag);
    stream.StreamString("record", narrow);
    stream.EndBlock();
    stream.StreamFloat("speed", real);
    stream.StreamUInt("gold", word);
    stream.EndBlock();
    return 0;
}
