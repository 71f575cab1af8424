// Hostile record text: the parser must neither crash, hang nor allocate beyond the input.
#include "engine/Engine.h"
#include "engine/LoadTable.h"

#include <cstdint>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = [] {
        GAME::gEngine->SetLogSink([](int, const std::string&) {});
        return true;
    }();
    (void)quiet;

    GAME::LoadTable table;
    table.Parse(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.dbr");
    // Exercise every getter on a key taken from the input.
    const std::string key(reinterpret_cast<const char*>(data), size < 16 ? size : 16);
    std::vector<int32_t> ints;
    std::vector<float> floats;
    std::vector<std::string> strings;
    for (const char* k : {key.c_str(), "Class", "a"}) {
        table.GetString(k);
        table.GetInt(k, 7);
        table.GetFloat(k, 1.5f);
        table.GetBool(k, true);
        table.GetIntAt(k, 3);
        table.GetFloatAt(k, 2);
        table.GetIntList(k, ints);
        table.GetFloatList(k, floats);
        table.GetStringList(k, strings);
        table.CreateName(k);
    }
    return 0;
}
