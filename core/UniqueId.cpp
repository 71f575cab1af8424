#include "core/UniqueId.h"

#include "engine/Platform.h"

namespace GAME {

UniqueId::UniqueId(uint32_t word0, uint32_t word1, uint32_t word2, uint32_t word3)
    : words{word0, word1, word2, word3}
{}

void UniqueId::Generate()
{
    const Platform::Guid guid = Platform::CreateGuid();
    auto bigEndian = [&guid](int first) {
        return (uint32_t(guid.data4[first]) << 24) | (uint32_t(guid.data4[first + 1]) << 16) |
               (uint32_t(guid.data4[first + 2]) << 8) | uint32_t(guid.data4[first + 3]);
    };
    words[0] = guid.data1;
    words[1] = (uint32_t(guid.data2) << 16) | guid.data3;
    words[2] = bigEndian(0);
    words[3] = bigEndian(4);
}

uint32_t UniqueId::GetPart(int index) const
{
    return index >= 0 && index < 4 ? words[index] : 0;
}

void UniqueId::SetPart(int index, uint32_t word)
{
    if (index >= 0 && index < 4)
        words[index] = word;
}

bool UniqueId::IsZero() const
{
    return (words[0] | words[1] | words[2] | words[3]) == 0;
}

bool UniqueId::operator==(const UniqueId& other) const
{
    return words[0] == other.words[0] && words[1] == other.words[1] && words[2] == other.words[2] &&
           words[3] == other.words[3];
}

bool UniqueId::operator<(const UniqueId& other) const
{
    for (int i = 0; i < 4; ++i) {
        if (words[i] != other.words[i])
            return words[i] < other.words[i];
    }
    return false;
}

} // namespace GAME
