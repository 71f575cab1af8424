#include "engine/Utf16Units.h"

namespace GAME {

std::vector<uint16_t> ToUtf16Units(const std::wstring& text)
{
    std::vector<uint16_t> units;
    units.reserve(text.size());
    for (wchar_t wc : text) {
        uint32_t code = static_cast<uint32_t>(wc);
        if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            code = 0xFFFD;
        if (code >= 0x10000) {
            code -= 0x10000;
            units.push_back(static_cast<uint16_t>(0xD800 | (code >> 10)));
            units.push_back(static_cast<uint16_t>(0xDC00 | (code & 0x3FF)));
        } else {
            units.push_back(static_cast<uint16_t>(code));
        }
    }
    return units;
}

std::wstring FromUtf16LittleEndian(const uint8_t* bytes, size_t count)
{
    std::wstring text;
    text.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        uint32_t unit = bytes[2 * i] | (bytes[2 * i + 1] << 8);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < count) {
            const uint32_t low = bytes[2 * i + 2] | (bytes[2 * i + 3] << 8);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                ++i;
            }
        }
        if (unit >= 0xD800 && unit <= 0xDFFF)
            unit = 0xFFFD;
        text.push_back(static_cast<wchar_t>(unit));
    }
    return text;
}

} // namespace GAME
