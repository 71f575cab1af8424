#pragma once

#include "characters/Npc.h"
#include "engine/World.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/RecordingUserInterface.h"

namespace GAME::Test {

inline constexpr const char* kNpcRecord = "Records/Creatures/Npc/Tester.dbr";
inline constexpr const char* kDialogRecord = "Records/Dialog/Tester.dbr";
inline constexpr const char* kQuestion01 = "Records/Effects/ObjectEffects/Question01.dbr";
inline constexpr const char* kQuestion03 = "Records/Effects/ObjectEffects/Question03.dbr";
inline constexpr const char* kNpcEffect = "Records/Effects/EnvironmentFX/NPCEffect.dbr";

// A main player, a recording user interface, the mark records and one NPC.
class NpcFixture : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
        for (const char* effect : {kQuestion01, kQuestion03, kNpcEffect,
                                   "Records/Effects/ObjectEffects/Reallocation01.dbr",
                                   "Records/Effects/ObjectEffects/Exclaimation03.dbr"})
            database.WriteRecord(effect, {"Class = EffectEntity"});
        database.WriteRecord(kNpcRecord, {"Class = Npc", "characterLife = 10"});
        database.WriteRecord(kDialogRecord, {"defaultDialogTextTag = tagHello",
                                             "shortGreetingTimerTime = 2", "resetDistance = 4.0"});
        Game().SetUI(&ui);
        player = MakeMainPlayer();
        ASSERT_NE(player, nullptr);
        npc = NewNpc();
        ASSERT_NE(npc, nullptr);
    }

    void TearDown() override
    {
        Game().SetUI(nullptr);
        GameEngineFixture::TearDown();
    }

    static Npc* NewNpc() { return ObjectManager::Instance().CreateObjectFromFile<Npc>(kNpcRecord); }

    // Both stand in one region, the player `distance` units along x from the NPC.
    void PlaceApart(float distance)
    {
        World& world = *gEngine->GetWorld();
        if (world.GetRegionById(1) == nullptr)
            world.CreateRegion(
                1, Vec3(), ABBox(Vec3(-100.0f, -100.0f, -100.0f), Vec3(100.0f, 100.0f, 100.0f)));
        world.AddEntity(npc, WorldCoords(1, Coords::Identity()), false);
        world.AddEntity(player, WorldCoords(1, Coords::FromTranslation(Vec3(distance, 0, 0))),
                        false);
    }

    RecordingUserInterface ui;
    Player* player = nullptr;
    Npc* npc = nullptr;
};

} // namespace GAME::Test
