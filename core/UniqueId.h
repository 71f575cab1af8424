#pragma once

#include <cstdint>

namespace GAME {

// 128 bits that name spawn pools, teleports, markers and respawn points across saves and
// machines. The all-zero id means "no id".
class UniqueId {
public:
    UniqueId() = default;
    UniqueId(uint32_t word0, uint32_t word1, uint32_t word2, uint32_t word3);

    void Generate();

    uint32_t GetPart(int index) const;
    void SetPart(int index, uint32_t word);

    bool IsZero() const;
    bool operator==(const UniqueId& other) const;
    bool operator!=(const UniqueId& other) const { return !(*this == other); }
    bool operator<(const UniqueId& other) const;

private:
    uint32_t words[4] = {0, 0, 0, 0};
};

} // namespace GAME
