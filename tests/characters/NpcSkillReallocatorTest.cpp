#include "characters/NpcSkillReallocator.h"

#include "game/MinimapGameNugget.h"
#include "quests/MerchantDialogPak.h"
#include "tests/characters/NpcFixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace GAME::Test {
namespace {

using NpcSkillReallocatorTest = NpcFixture;

TEST_F(NpcSkillReallocatorTest, AReallocatorIgnoresAnotherPlayerAndKeepsItsMark)
{
    database.WriteRecord("Records/Creatures/Npc/Reallocator.dbr",
                         {"Class = NpcSkillReallocator", "characterLife = 10"});
    auto* reallocator = ObjectManager::Instance().CreateObjectFromFile<NpcSkillReallocator>(
        "Records/Creatures/Npc/Reallocator.dbr");
    ASSERT_NE(reallocator, nullptr);
    EXPECT_EQ(reallocator->GetDialogType(), Npc::DialogType_Reallocation);
    const std::string mark = reallocator->GetPunctuationRecord();
    EXPECT_EQ(mark, "Records/Effects/ObjectEffects/Reallocation01.dbr");

    reallocator->Dialog_ReplaceStatic(kDialogRecord, nullptr, true);
    EXPECT_NE(dynamic_cast<MerchantDialogPak*>(reallocator->GetDialogPak()), nullptr);
    EXPECT_EQ(reallocator->GetPunctuationRecord(), mark);

    reallocator->OnPlayerInteract(player->GetObjectId() + 1000, false, false);
    EXPECT_TRUE(ui.reallocationNpcs.empty());
    reallocator->OnPlayerInteract(player->GetObjectId(), false, false);
    EXPECT_EQ(ui.reallocationNpcs, std::vector<uint32_t>{reallocator->GetObjectId()});
    std::vector<MinimapGameNugget> map;
    reallocator->AppendDetailMapData(map);
    ASSERT_EQ(map.size(), 1u);
    EXPECT_EQ(map[0].type, 10u);
}

} // namespace
} // namespace GAME::Test
