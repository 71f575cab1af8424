#include "core/RTTI_ClassInfo.h"

#include "engine/Actor.h"
#include "engine/Object.h"

#include <gtest/gtest.h>

#include <memory>
#include <new>
#include <utility>

namespace GAME {
namespace {

class TestCreature : public Actor {
    GAME_DECLARE_CLASS(TestCreature)
};
class TestMonster : public TestCreature {
    GAME_DECLARE_CLASS(TestMonster)
};
class TestPlayer : public TestCreature {
    GAME_DECLARE_CLASS(TestPlayer)
};

GAME_IMPLEMENT_CLASS(TestCreature, Actor);
GAME_IMPLEMENT_CLASS(TestMonster, TestCreature);
GAME_IMPLEMENT_CLASS(TestPlayer, TestCreature);

TEST(RTTI_ClassInfo, ChildRegisteredBeforeParentConstructionIsKept)
{
    // Static, hence zeroed, like the storage of a record whose initialiser has not run yet.
    alignas(RTTI_ClassInfo) static unsigned char storage[sizeof(RTTI_ClassInfo)];
    RTTI_ClassInfo* parent = nullptr;
    {
        RTTI_ClassInfo child("EarlyChild", reinterpret_cast<RTTI_ClassInfo*>(storage), nullptr);
        parent = new (storage) RTTI_ClassInfo("LateParent", nullptr, nullptr);
        EXPECT_EQ(parent->GetChildCount(), 1);
        EXPECT_EQ(parent->GetChild(0), &child);
        EXPECT_TRUE(child.IsA(*parent));
    }
    EXPECT_EQ(parent->GetChildCount(), 0);
    parent->~RTTI_ClassInfo();
}

TEST(RTTI_ClassInfo, IsAFollowsTheParentChainOnly)
{
    const RTTI_ClassInfo& monster = TestMonster::classInfo;
    EXPECT_TRUE(monster.IsA(Object::classInfo));
    EXPECT_FALSE(monster.IsA(TestPlayer::classInfo));
    EXPECT_FALSE(TestCreature::classInfo.IsA(TestMonster::classInfo));
    EXPECT_FALSE(monster.IsDerivedFrom(TestMonster::classInfo));

    // A record is identified by its name, so a same-named copy answers alike.
    RTTI_ClassInfo twin("TestCreature", nullptr, nullptr);
    EXPECT_TRUE(twin == TestCreature::classInfo);
    EXPECT_TRUE(monster.IsA(twin));
    EXPECT_FALSE(Actor::classInfo.IsA(twin));
}

TEST(RTTI_ClassInfo, CreateObjectSearchesTheSubtreeByName)
{
    EXPECT_EQ(Object::classInfo.CreateObject("NoSuchClass"), nullptr);
    EXPECT_EQ(Object::classInfo.CreateObject(nullptr), nullptr);

    using Info = const RTTI_ClassInfo*;
    for (auto [root, wanted] : {std::pair<Info, Info>{&Object::classInfo, &TestPlayer::classInfo},
                                {&TestMonster::classInfo, &TestMonster::classInfo}}) {
        std::unique_ptr<Object> made(static_cast<Object*>(root->CreateObject(wanted->GetName())));
        ASSERT_NE(made, nullptr) << wanted->GetName();
        EXPECT_EQ(made->GetClassInfo(), wanted);
    }
    EXPECT_EQ(TestMonster::classInfo.CreateObject("TestPlayer"), nullptr);
    EXPECT_EQ(TestMonster::classInfo.CreateObject("Actor"), nullptr);
}

TEST(RTTI_ClassInfo, RemoveChildKeepsOrderAndIgnoresStrangers)
{
    // Static so that the child list starts zeroed; it ends empty, so repeated runs still pass.
    static RTTI_ClassInfo parent("RemovalParent", nullptr, nullptr);
    RTTI_ClassInfo stranger("Stranger", nullptr, nullptr);
    {
        RTTI_ClassInfo first("First", &parent, nullptr);
        RTTI_ClassInfo second("Second", &parent, nullptr);
        RTTI_ClassInfo third("Third", &parent, nullptr);
        parent.RemoveChild(&stranger);
        parent.RemoveChild(&second);
        ASSERT_EQ(parent.GetChildCount(), 2);
        EXPECT_EQ(parent.GetChild(0), &first);
        EXPECT_EQ(parent.GetChild(1), &third);
        EXPECT_EQ(parent.GetChild(2), nullptr);

        parent.RemoveChild(&first);
        parent.RemoveChild(&third);
        EXPECT_EQ(parent.GetChildCount(), 0);
        EXPECT_EQ(parent.GetChild(-1), nullptr);
    } // The destructors remove themselves again: a no-op on a parent that no longer lists them.
    EXPECT_EQ(parent.GetChildCount(), 0);
}

TEST(RTTI_ClassInfo, AClassFoundOnceIsNotFoundOnceItLeavesTheTree)
{
    // Static storage, zeroed like every record's: a record's child list is never initialised.
    static RTTI_ClassInfo root("FoundRoot", nullptr, nullptr);
    alignas(RTTI_ClassInfo) static unsigned char storage[sizeof(RTTI_ClassInfo)];
    auto* leaf = new (storage) RTTI_ClassInfo("FoundLeaf", &root, nullptr);
    EXPECT_EQ(root.FindClass("FoundLeaf"), leaf);
    leaf->~RTTI_ClassInfo();
    EXPECT_EQ(root.FindClass("FoundLeaf"), nullptr);
    EXPECT_EQ(root.GetChildCount(), 0);
}

} // namespace
} // namespace GAME
