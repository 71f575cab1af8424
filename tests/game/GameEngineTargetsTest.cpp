#include "game/GameEngine.h"

#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "characters/TeamManager.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldRay.h"
#include "game/EntityFilters.h"
#include "tests/support/AiScopedWorld.h"
#include "tests/support/CombatWorldFixture.h"
#include "world/NpcTrafficNode.h"
#include "world/PlayerSpawnPoint.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace GAME::Test {
namespace {

constexpr uint32_t kRegion = AiScopedWorld::kRegion;

class GameEngineTargets : public CombatGameFixture {
protected:
    void SetUp() override
    {
        CombatGameFixture::SetUp();
        world.emplace(10.0f, 500.0f);
    }

    Character* Place(const char* className, const Vec3& position, const Team& team,
                     bool initialUpdate = true)
    {
        auto* character =
            static_cast<Character*>(ObjectManager::Instance().CreateObject(className));
        character->SetTeam(team);
        gEngine->GetWorld()->AddEntity(character, WorldCoords(WorldVec3(kRegion, position)), true);
        if (initialUpdate)
            character->InitialUpdate();
        return character;
    }

    std::vector<uint32_t> InRadius(float radius, bool friends, uint32_t excludeId = 0)
    {
        std::vector<uint32_t> out;
        Game().GetTargetsInRadius(TeamManager::DefaultPlayerTeam(), WorldVec3(kRegion, {}), radius,
                                  out, excludeId, friends);
        return out;
    }

    std::optional<AiScopedWorld> world;
};

TEST_F(GameEngineTargets, OnlyLivingVisibleUpdatedCharactersOfTheSideAreTargets)
{
    const Team monsters = TeamManager::DefaultMonsterTeam();
    Character* foe = Place("Character", {1, 0, 0}, monsters);
    Place("Character", {2, 0, 0}, monsters)->SetLifeState(LifeState_Dead);
    Place("Character", {3, 0, 0}, monsters)->SetVisibility(false);
    Place("Character", {4, 0, 0}, monsters, false);
    Place("Npc", {5, 0, 0}, monsters);
    Character* excluded = Place("Character", {6, 0, 0}, monsters);
    Place("Character", {50, 0, 0}, monsters);

    EXPECT_EQ(InRadius(10.0f, false, excluded->GetObjectId()),
              std::vector<uint32_t>{foe->GetObjectId()});
    EXPECT_TRUE(InRadius(10.0f, true).empty());
}

TEST_F(GameEngineTargets, FriendsSkipBarriersAndAllTargetsAppendFriendsThenFoes)
{
    const Team friendly = TeamManager::BuildTeam(0, 0);
    Character* barrier = Place("DynamicBarrier", {1, 0, 0}, friendly);
    Character* ally = Place("Character", {2, 0, 0}, friendly);
    Character* foe = Place("Character", {3, 0, 0}, TeamManager::DefaultMonsterTeam());
    Character* hostileBarrier = Place("DynamicBarrier", {4, 0, 0}, TeamManager::BuildTeam(1, 0));

    EXPECT_EQ(InRadius(10.0f, true), std::vector<uint32_t>{ally->GetObjectId()});
    std::vector<uint32_t> foes = InRadius(10.0f, false);
    std::sort(foes.begin(), foes.end());
    EXPECT_EQ(foes, (std::vector<uint32_t>{foe->GetObjectId(), hostileBarrier->GetObjectId()}));

    // `out` keeps what it held; no character counts as both friend and foe, so none twice.
    std::vector<uint32_t> all{999};
    Game().GetAllTargetsInRadius(TeamManager::DefaultPlayerTeam(), WorldVec3(kRegion, {}), 10.0f,
                                 all, 0);
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[0], 999u);
    EXPECT_EQ(all[1], ally->GetObjectId());
    EXPECT_EQ(std::count(all.begin(), all.end(), barrier->GetObjectId()), 0);
}

TEST_F(GameEngineTargets, RayAndConeFindTargetsAlongTheirShape)
{
    const Team monsters = TeamManager::DefaultMonsterTeam();
    Character* ahead = Place("Character", {0, 0, 8}, monsters);
    Character* aside = Place("Character", {8, 0, 0}, monsters);
    Place("Character", {0, 0, -8}, monsters);

    std::vector<uint32_t> out;
    Game().GetTargetsAlongRay(TeamManager::DefaultPlayerTeam(),
                              WorldRay(WorldVec3(kRegion, {}), {0, 0, 1}), 10.0f, out, 0, false);
    EXPECT_EQ(out, std::vector<uint32_t>{ahead->GetObjectId()});

    // 46 degrees about the diagonal reaches both axes; 44 neither.
    out.clear();
    Game().GetTargetsInCone(TeamManager::DefaultPlayerTeam(), WorldVec3(kRegion, {}), {1, 0, 1},
                            46.0f, 10.0f, out, 0, false);
    std::sort(out.begin(), out.end());
    EXPECT_EQ(out, (std::vector<uint32_t>{ahead->GetObjectId(), aside->GetObjectId()}));
    out.clear();
    Game().GetTargetsInCone(TeamManager::DefaultPlayerTeam(), WorldVec3(kRegion, {}), {1, 0, 1},
                            44.0f, 10.0f, out, 0, false);
    EXPECT_TRUE(out.empty());
}

TEST_F(GameEngineTargets, MapNameIsTheModAndTheWholeTailOrTheDefault)
{
    LocalizationManager::Instance().AddText("tagDefaultMap", L"Main Game");
    GameInfo& info = gEngine->GetGameInfo();
    info.SetModName(L"");
    info.SetLevelName("Levels/World/Town.lvl");
    EXPECT_EQ(Game().GetMapName(), L"Main Game");

    info.SetModName(L"Mod");
    const std::string tail(300, 'x');
    info.SetLevelName("Levels/Custom/" + tail);
    EXPECT_EQ(Game().GetMapName(), L"Mod ~ " + std::wstring(300, L'x'));
    info.SetLevelName("NoSlash");
    EXPECT_EQ(Game().GetMapName(), L"Mod ~ NoSlash");
    info.SetModName(L"");
}

} // namespace
} // namespace GAME::Test

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
