#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

// Wide text in byte formats is 16-bit units whatever the size of wchar_t here: characters past
// the first plane become surrogate pairs, and values that are no character become U+FFFD.
std::vector<uint16_t> ToUtf16Units(const std::wstring& text);
// The reverse, from `count` little-endian units; an unpaired surrogate becomes U+FFFD.
std::wstring FromUtf16LittleEndian(const uint8_t* bytes, size_t count);

} // namespace GAME
