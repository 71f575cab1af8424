#pragma once

#include <cstdint>
#include <string>

namespace GAME {

// An interned name: four 32-bit words of a hash of the exact text. Equality is four word
// comparisons, and the words are stable across runs and machines, so names travel in packets
// and name quest files. The text is kept in a shared table for display.
class Name {
public:
    static const Name noName;

    Name() = default;
    static Name Create(const char* text);
    static Name Create(const std::string& text) { return Create(text.c_str()); }
    static Name FromWords(uint32_t word0, uint32_t word1, uint32_t word2, uint32_t word3);

    uint32_t GetWord(int index) const { return index >= 0 && index < 4 ? words[index] : 0; }
    bool IsEmpty() const { return (words[0] | words[1] | words[2] | words[3]) == 0; }
    // The text this name was created from; empty for a name never created here.
    std::string GetString() const;

    bool operator==(const Name& other) const
    {
        return words[0] == other.words[0] && words[1] == other.words[1] &&
               words[2] == other.words[2] && words[3] == other.words[3];
    }
    bool operator!=(const Name& other) const { return !(*this == other); }
    bool operator<(const Name& other) const;

private:
    uint32_t words[4] = {0, 0, 0, 0};
};

} // namespace GAME
