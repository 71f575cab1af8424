#include "engine/Name.h"

#include <cstring>
#include <mutex>
#include <unordered_map>

namespace GAME {

const Name Name::noName;

namespace {

uint32_t Mix(uint32_t h)
{
    h ^= h >> 16;
    h *= 0x85EBCA6Bu;
    h ^= h >> 13;
    h *= 0xC2B2AE35u;
    h ^= h >> 16;
    return h;
}

// Four independently seeded FNV-1a passes, each finished with an avalanche mix.
uint32_t HashWord(const char* text, size_t length, uint32_t seed)
{
    uint32_t h = 2166136261u ^ seed;
    for (size_t i = 0; i < length; ++i) {
        h ^= static_cast<uint8_t>(text[i]);
        h *= 16777619u;
    }
    return Mix(h ^ static_cast<uint32_t>(length));
}

// A name's words are already an avalanched hash: the first one spreads the buckets.
struct NameWordHash {
    size_t operator()(const Name& name) const { return name.GetWord(0); }
};

struct NameTable {
    std::mutex lock;
    std::unordered_map<Name, std::string, NameWordHash> texts;
};

NameTable& TableOfNames()
{
    static NameTable table;
    return table;
}

} // namespace

Name Name::Create(const char* text)
{
    if (text == nullptr || text[0] == '\0')
        return noName;
    const size_t length = strlen(text);
    Name name;
    for (uint32_t i = 0; i < 4; ++i)
        name.words[i] = HashWord(text, length, 0x9E3779B9u * (i + 1));
    if (name.IsEmpty())
        name.words[0] = 1; // never collide with noName
    NameTable& table = TableOfNames();
    std::lock_guard<std::mutex> guard(table.lock);
    // Most names are made again and again: the text is copied only the first time.
    table.texts.try_emplace(name, text);
    return name;
}

Name Name::FromWords(uint32_t word0, uint32_t word1, uint32_t word2, uint32_t word3)
{
    Name name;
    name.words[0] = word0;
    name.words[1] = word1;
    name.words[2] = word2;
    name.words[3] = word3;
    return name;
}

std::string Name::GetString() const
{
    if (IsEmpty())
        return std::string();
    NameTable& table = TableOfNames();
    std::lock_guard<std::mutex> guard(table.lock);
    auto found = table.texts.find(*this);
    return found != table.texts.end() ? found->second : std::string();
}

bool Name::operator<(const Name& other) const
{
    for (int i = 0; i < 4; ++i) {
        if (words[i] != other.words[i])
            return words[i] < other.words[i];
    }
    return false;
}

} // namespace GAME
