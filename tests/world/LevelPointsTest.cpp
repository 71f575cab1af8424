#include "world/NpcTrafficNode.h"
#include "world/NpcWanderPoint.h"
#include "world/PatrolPoint.h"
#include "world/PlayerSpawnPoint.h"

#include "tests/support/LevelObjectsFixture.h"

#include <gtest/gtest.h>

namespace GAME::Test {
namespace {

class LevelPointsTest : public LevelObjectsFixture {
protected:
    template <typename T>
    T* Place(const std::string& path, std::initializer_list<std::string> lines, const Vec3& at)
    {
        T* object = SpawnAt<T>(path, lines, at);
        object->InitialUpdate();
        return object;
    }
};

TEST_F(LevelPointsTest, ATrafficNodeLinksByBareNameToANodeAnnouncedLater)
{
    auto* first = Place<NpcTrafficNode>(
        "Records/Level/NodeA.dbr",
        {"Class = NpcTrafficNode", "nextTrafficNode = Records/Level/NodeB.dbr"}, {0, 0, 0});
    EXPECT_EQ(first->GetNextNodeId(), 0u);
    Vec3 direction;
    EXPECT_FALSE(first->GetDirectionToNextNode(direction));
    EXPECT_TRUE(first->CanBeFinalDestination());

    auto* second = Place<NpcTrafficNode>(
        "Other/NodeB.lvl", {"Class = NpcTrafficNode", "canBeFinalDestination = 0"}, {3, 0, 4});
    EXPECT_EQ(first->GetNextNodeId(), second->GetObjectId());
    ASSERT_TRUE(first->GetDirectionToNextNode(direction));
    EXPECT_EQ(direction, Vec3(3, 0, 4));
    EXPECT_FALSE(second->CanBeFinalDestination());

    ObjectManager::Instance().DestroyObjectEx(second, "test", 1);
    EXPECT_FALSE(first->GetDirectionToNextNode(direction));
}

TEST_F(LevelPointsTest, ATrafficNodeFindsANodeAlreadyPlacedButNeverItself)
{
    auto* target = Place<NpcTrafficNode>("Levels/NodeC", {"Class = NpcTrafficNode"}, {5, 0, 0});
    auto* node = Place<NpcTrafficNode>("Records/NodeC.dbr",
                                       {"Class = NpcTrafficNode", "nextTrafficNode = NodeC"}, {});
    EXPECT_EQ(node->GetNextNodeId(), target->GetObjectId());

    auto* selfish = Place<NpcTrafficNode>(
        "Records/Self.dbr", {"Class = NpcTrafficNode", "nextTrafficNode = x/Self.dbr"}, {});
    EXPECT_EQ(selfish->GetNextNodeId(), 0u);
}

TEST_F(LevelPointsTest, MarkersShowAndFilterThemselvesOnlyInTheEditor)
{
    struct Row {
        bool editor;
        int32_t wanderType;
        int32_t patrolType;
        float wanderScale;
    };
    for (const Row& row : {Row{false, -1, -1, 1.0f}, Row{true, 6, 5, 2.5f}}) {
        SCOPED_TRACE(row.editor);
        gEngine->SetLevelEditor(row.editor);
        auto* wander = Place<NpcWanderPoint>("Records/Wander.dbr",
                                             {"Class = NpcWanderPoint", "radius = 2.5"}, {});
        auto* patrol = Place<PatrolPoint>("Records/Patrol.dbr", {"Class = PatrolPoint"}, {});
        auto* spawn =
            Place<PlayerSpawnPoint>("Records/Spawn.dbr", {"Class = PlayerSpawnPoint"}, {});
        EXPECT_FLOAT_EQ(wander->GetRadius(), 2.5f);
        EXPECT_FLOAT_EQ(wander->GetCurrentScale(), row.wanderScale);
        EXPECT_EQ(EditorFilter::Instance().GetFilterType(wander->GetObjectId()), row.wanderType);
        EXPECT_EQ(EditorFilter::Instance().GetFilterType(patrol->GetObjectId()), row.patrolType);
        EXPECT_EQ(wander->GetVisibility(), false);
        EXPECT_EQ(spawn->GetVisibility(), row.editor);
        ObjectManager::Instance().DestroyObjectEx(wander, "test", 1);
        ObjectManager::Instance().DestroyObjectEx(patrol, "test", 2);
        ObjectManager::Instance().ProcessDestroyedObjects();
        EXPECT_EQ(EditorFilter::Instance().GetObjectCount(), 0u);
    }
}

TEST_F(LevelPointsTest, AWanderPointWithoutARadiusReachesOneAndAScriptPointKeepsItsTag)
{
    EXPECT_FLOAT_EQ(
        Place<NpcWanderPoint>("Records/W.dbr", {"Class = NpcWanderPoint"}, {})->GetRadius(), 1.0f);
    auto* script = Place<ScriptPoint>(
        "Records/S.dbr", {"Class = ScriptPoint", "scriptCharacter = Boatman", "sequenceNum = 3"},
        {});
    EXPECT_EQ(script->GetScriptCharacter(), "Boatman");
    EXPECT_EQ(script->GetSequenceNum(), 3);
    EXPECT_EQ(script->GetMeshOverride(), "System/Meshes/Sphere.msh");
}

} // namespace
} // namespace GAME::Test
