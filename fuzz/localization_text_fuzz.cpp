// Hostile text files: the whole file is loaded, then every tag is formatted with numbers and
// with texts. Nothing may crash or hang, and no line may grow beyond its text and a bounded
// expansion of each argument, whatever width or precision a code asks for.
#include "engine/Engine.h"
#include "engine/LocalizationManager.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = [] {
        GAME::gEngine->SetLogSink([](int, const std::string&) {});
        return true;
    }();
    (void)quiet;

    GAME::LocalizationManager texts;
    texts.LoadText(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.txt");
    // A number formats to at most a few hundred characters once its width and precision are
    // clamped; the texts below are short.
    const size_t bound = size + 6 * 512;
    for (const std::string& tag : texts.GetTags()) {
        const std::wstring numbers = texts.Format(tag, -7, 3.25, 4000000000u, -1e308, 0, 255);
        const std::wstring words =
            texts.Format(tag, "narrow", L"wide", std::string("\xC3\xA9"), 1.5,
                         -9223372036854775807LL, 18446744073709551615ULL);
        if (numbers.size() > bound || words.size() > bound || texts.Format(tag).size() > size)
            abort();
    }
    return 0;
}
