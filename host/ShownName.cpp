#include "host/ShownName.h"

#include <cstdint>
#include <cstdio>

namespace GAME {

namespace {

// The length of the well-formed UTF-8 character that starts `text`, 0 when it is none (a stray
// or missing continuation byte, an overlong form, a surrogate, past U+10FFFF).
size_t CharacterLength(std::string_view text)
{
    const auto byte = [&text](size_t i) { return static_cast<uint8_t>(text[i]); };
    const uint8_t lead = byte(0);
    if (lead < 0x80)
        return 1;
    size_t length = 0;
    uint32_t low = 0x80;
    uint32_t high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length || byte(1) < low || byte(1) > high)
        return 0;
    for (size_t i = 2; i < length; ++i) {
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    }
    return length;
}

void AppendEscaped(std::string& shown, uint8_t byte)
{
    switch (byte) {
    case '\n':
        shown += "\\n";
        return;
    case '\t':
        shown += "\\t";
        return;
    case '\r':
        shown += "\\r";
        return;
    default:
        break;
    }
    char text[8];
    std::snprintf(text, sizeof text, "\\x%02x", byte);
    shown += text;
}

} // namespace

std::string ShownName(std::string_view name)
{
    std::string shown;
    shown.reserve(name.size());
    for (size_t at = 0; at < name.size();) {
        const auto lead = static_cast<uint8_t>(name[at]);
        const size_t length = CharacterLength(name.substr(at));
        // C0 controls, DEL and the C1 controls (U+0080-U+009F, lead byte C2) print nothing.
        const bool control =
            lead < 0x20 || lead == 0x7F ||
            (length == 2 && lead == 0xC2 && static_cast<uint8_t>(name[at + 1]) < 0xA0);
        if (length == 0 || control) {
            const size_t bytes = length == 0 ? 1 : length;
            for (size_t i = 0; i < bytes; ++i)
                AppendEscaped(shown, static_cast<uint8_t>(name[at + i]));
            at += bytes;
            continue;
        }
        shown.append(name.substr(at, length));
        at += length;
    }
    return shown;
}

} // namespace GAME
