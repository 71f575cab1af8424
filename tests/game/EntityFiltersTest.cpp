#include "game/EntityFilters.h"

#include "characters/Monster.h"
#include "characters/Player.h"
#include "world/NpcTrafficNode.h"
#include "world/PlayerSpawnPoint.h"

#include <gtest/gtest.h>

#include <vector>

namespace GAME {

// Kinds that later subsystems add below the filtered classes.
class FilterTestHero : public Player {
    GAME_DECLARE_CLASS(FilterTestHero)
};
class FilterTestReplicated : public Actor {
    GAME_DECLARE_CLASS(FilterTestReplicated)

public:
    bool ShouldServerSpawn() const override { return true; }
};

GAME_IMPLEMENT_CLASS(FilterTestHero, Player);
GAME_IMPLEMENT_CLASS(FilterTestReplicated, Actor);

namespace {

using Entities = std::vector<const Entity*>;

struct Lineup {
    Entity entity;
    Character character;
    Player player;
    FilterTestHero hero;
    Monster monster;
    BoundingVolume volume;
    NpcTrafficNode node;
    PlayerSpawnPoint spawnPoint;
    FilterTestReplicated replicated;

    Entities Accepted(const FilterFunction<Entity>& filter) const
    {
        const Entity* candidates[] = {&entity, &character, &player,     &hero,      &monster,
                                      &volume, &node,      &spawnPoint, &replicated};
        Entities accepted;
        for (const Entity* candidate : candidates) {
            if (filter(candidate))
                accepted.push_back(candidate);
        }
        return accepted;
    }
};

TEST(EntityFilters, EachAcceptsItsClassAndItsKinds)
{
    const Lineup all;
    EXPECT_EQ(all.Accepted(FilterGetAllPlayers()), (Entities{&all.player, &all.hero}));
    EXPECT_EQ(all.Accepted(FilterGetAllTrafficNodes()), (Entities{&all.node}));
    EXPECT_EQ(all.Accepted(FilterGetPlayerSpawnPoint()), (Entities{&all.spawnPoint}));
    EXPECT_EQ(all.Accepted(FilterGetSpawnObjects()),
              (Entities{&all.character, &all.player, &all.hero, &all.monster, &all.replicated}));

    EXPECT_FALSE(FilterGetAllPlayers()(nullptr));
    EXPECT_FALSE(FilterGetSpawnObjects()(nullptr));
}

} // namespace
} // namespace GAME
