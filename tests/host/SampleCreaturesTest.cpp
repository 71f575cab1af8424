#include "characters/AnimationSet.h"
#include "characters/Character.h"
#include "engine/ObjectManager.h"
#include "host/HostSamples.h"

#include "tests/host/HostRun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace GAME::Test {
namespace {

// A creature that has an attack to play, its own or its animation table's.
bool Fights(const LoadTable& record)
{
    if (record.GetString("Class").empty())
        return false;
    for (const char* key :
         {"unarmedAttackAnim1", "unarmedSpellAttackAnim", "charAnimationTableName"})
        if (!record.GetString(key).empty())
            return true;
    return false;
}

// An attack or a cast played at speed 0 never reaches its hit: the creature's blow never lands.
TEST(SampleCreatures, EveryFighterSwingsAndCastsAtAPositiveSpeed)
{
    const std::filesystem::path root = SampleDatabase();
    std::vector<std::string> records;
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(root / "Records/Creatures"))
        if (entry.path().extension() == ".dbr")
            records.push_back(entry.path().lexically_relative(root).generic_string());
    std::sort(records.begin(), records.end());

    ObjectManager& objects = ObjectManager::Instance();
    ASSERT_TRUE(objects.GetDatabase().SetRoot(root.string()));
    std::ostringstream err;
    size_t fighters = 0;
    ASSERT_TRUE(HostSamples::InWorld(err, [&] {
        for (const std::string& path : records) {
            SCOPED_TRACE(path);
            if (!objects.LoadTableFile(path) || !Fights(objects.GetLoadTable(path)))
                continue;
            auto* creature = objects.CreateObjectFromFile<Character>(path);
            if (creature == nullptr)
                continue;
            creature->GetCharacterBio().Update(*creature, 0);
            EXPECT_GT(creature->GetAttackSpeed(), 0.0f);
            EXPECT_GT(creature->GetSpellCastSpeed(), 0.0f);
            // A healer with no animation for his touch never starts it.
            if (!objects.GetLoadTable(path).GetString("healSkillName").empty()) {
                EXPECT_TRUE(creature->CanPlayAnimation(AnimationSet_BuffOther));
            }
            ++fighters;
        }
        return true;
    })) << err.str();
    // The arena's pack, the town's, the jackalmen, the village's, the bosses, guards and heroes.
    EXPECT_GE(fighters, 30u);
}

} // namespace
} // namespace GAME::Test
