#include "engine/Entity.h"
#include "engine/Actor.h"
#include "engine/Name.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace GAME {
namespace {

TEST(EntityAttach, AChildHasOneParentAndOnlyThatParentDetachesIt)
{
    Entity first, second, child;
    const Coords placement = Coords::FromTranslation({0.0f, 1.0f, 0.0f});
    first.Attach(&child, placement, "R Hand");
    EXPECT_EQ(child.GetAttachParent(), &first);
    EXPECT_EQ(child.GetAttachPointName(), "R Hand");
    EXPECT_EQ(child.GetAttachPlacement(), placement);

    second.Attach(&child, Coords::Identity(), nullptr);
    EXPECT_TRUE(first.GetAttachedChildren().empty());
    EXPECT_EQ(second.GetAttachedChildren(), std::vector<Entity*>{&child});
    EXPECT_EQ(child.GetAttachPointName(), "");

    first.Detach(&child);
    EXPECT_EQ(child.GetAttachParent(), &second);
    second.Detach(&child);
    EXPECT_EQ(child.GetAttachParent(), nullptr);
    EXPECT_TRUE(second.GetAttachedChildren().empty());

    first.Attach(&first, Coords::Identity(), "");
    first.Attach(nullptr, Coords::Identity(), "");
    EXPECT_TRUE(first.GetAttachedChildren().empty());
}

TEST(EntityAttach, WhicheverSideGoesFirstUnlinksTheOther)
{
    Entity parent;
    {
        Entity child;
        parent.Attach(&child, Coords::Identity(), "Head");
    }
    EXPECT_TRUE(parent.GetAttachedChildren().empty());

    Entity child;
    {
        Entity shortLived;
        shortLived.Attach(&child, Coords::Identity(), "Head");
    }
    EXPECT_EQ(child.GetAttachParent(), nullptr);
}

TEST(ActorAttachPoints, APointIsPlacedInTheActorsFrameAndAnUnknownOneIsTheActorItself)
{
    Actor actor;
    actor.SetAttachPointPlacement(Name::Create("R Hand"),
                                  Coords::FromTranslation({1.0f, 2.0f, 3.0f}));
    const WorldCoords hand = actor.GetAttachedCoords(Name::Create("R Hand"));
    EXPECT_EQ(hand.GetRegionCoords().origin, Vec3(1.0f, 2.0f, 3.0f));
    EXPECT_EQ(actor.GetAttachedCoords(Name::Create("Tail")), actor.GetCoords());
}

} // namespace
} // namespace GAME
