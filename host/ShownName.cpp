#include "host/ShownName.h"

#include "core/StringHelpers.h"

#include <cstdint>
#include <cstdio>

namespace GAME {

namespace {

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
        const size_t length = Utf8CharacterLength(name.substr(at));
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
