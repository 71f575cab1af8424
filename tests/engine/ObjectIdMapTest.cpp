#include "engine/ObjectIdMap.h"

#include "core/RandomUniform.h"

#include <gtest/gtest.h>

#include <unordered_map>

namespace GAME {
namespace {

Object* Fake(uint32_t n)
{
    return reinterpret_cast<Object*>(static_cast<uintptr_t>(n) * 16);
}

TEST(ObjectIdMap, RefusesIdZeroAndDuplicates)
{
    ObjectIdMap map;
    EXPECT_FALSE(map.Insert(0, Fake(1)));
    EXPECT_TRUE(map.Insert(7, Fake(7)));
    EXPECT_FALSE(map.Insert(7, Fake(8)));
    EXPECT_EQ(map.Find(7), Fake(7));
}

// Random inserts and erases against a reference map: backward-shift deletion must keep every
// surviving id reachable, across growth and with host bits in the top of the ids.
TEST(ObjectIdMap, MatchesReferenceMapUnderChurn)
{
    ObjectIdMap map;
    std::unordered_map<uint32_t, Object*> reference;
    RandomUniform random;
    random.Seed(99);
    for (int step = 0; step < 20000; ++step) {
        const uint32_t id =
            (uint32_t(random.IGenerate(0, 3)) << 28) | uint32_t(random.IGenerate(1, 3000));
        if (random.IGenerate(0, 2) == 0) {
            auto found = reference.find(id);
            EXPECT_EQ(map.Erase(id), found != reference.end() ? found->second : nullptr);
            if (found != reference.end())
                reference.erase(found);
        } else {
            EXPECT_EQ(map.Insert(id, Fake(id)), reference.emplace(id, Fake(id)).second);
        }
    }
    ASSERT_EQ(map.Size(), reference.size());
    for (const auto& [id, object] : reference)
        ASSERT_EQ(map.Find(id), object) << id;
    size_t visited = 0;
    map.ForEach([&](uint32_t id, Object* object) {
        EXPECT_EQ(reference.at(id), object);
        ++visited;
    });
    EXPECT_EQ(visited, reference.size());
}

} // namespace
} // namespace GAME
