#include "world/ProjectileFireballLike.h"

#include "characters/Character.h"
#include "characters/TeamManager.h"
#include "engine/ABBox.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "skills/Skill.h"
#include "tests/support/GameEngineFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace GAME::Test {

// Keeps every id a projectile reports to it, in order.
class ReportedSkill : public Skill {
    GAME_DECLARE_CLASS(ReportedSkill)

public:
    void TargetInformation(const ProjectileInfo&, const WorldCoords&,
                           const std::vector<uint32_t>& targets) override
    {
        ++reports;
        reported.insert(reported.end(), targets.begin(), targets.end());
    }
    int reports = 0;
    std::vector<uint32_t> reported;
};

GAME_IMPLEMENT_CLASS(ReportedSkill, Skill);

namespace {

constexpr uint32_t kRegion = 1;

class FireballTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
        previousWorld = gEngine->SetWorld(std::make_unique<World>());
        gEngine->GetWorld()->CreateRegion(kRegion, {0, 0, 0},
                                          ABBox({-100, -10, -100}, {100, 10, 100}));
        database.WriteRecord("Records/Projectiles/Fireball.dbr",
                             {"Class = ProjectileFireballLike", "projectileVelocity = 10",
                              "projectileDistance = 12"});
        owner = Place({0, 0, 0}, TeamManager::DefaultPlayerTeam());
        near = Place({0, 0, 3}, TeamManager::DefaultMonsterTeam());
        far = Place({0, 0, 6}, TeamManager::DefaultMonsterTeam());
        own = static_cast<ReportedSkill*>(ObjectManager::Instance().CreateObject("ReportedSkill"));
        other =
            static_cast<ReportedSkill*>(ObjectManager::Instance().CreateObject("ReportedSkill"));
    }

    void TearDown() override
    {
        GameEngineFixture::TearDown();
        gEngine->SetWorld(std::move(previousWorld));
    }

    Character* Place(const Vec3& position, const Team& team)
    {
        auto* character =
            static_cast<Character*>(ObjectManager::Instance().CreateObject("Character"));
        character->SetTeam(team);
        gEngine->GetWorld()->AddEntity(character, WorldCoords(WorldVec3(kRegion, position)), true);
        character->InitialUpdate();
        return character;
    }

    // Launched from the owner at a point straight ahead, with one modifier of each skill.
    ProjectileFireballLike* Launch(float piercing)
    {
        auto* fireball = ObjectManager::Instance().CreateObjectFromFile<ProjectileFireballLike>(
            "Records/Projectiles/Fireball.dbr");
        ProjectileInfo info;
        info.skillId = own->GetObjectId();
        info.ownerId = owner->GetObjectId();
        info.launchCoords = WorldCoords(WorldVec3(kRegion, {0, 0, 0}));
        info.targetPoint = WorldVec3(kRegion, {0, -1, 20});
        info.team = owner->GetTeam();
        info.piercingChance = piercing;
        fireball->LoadInfo(info, 7);
        ProjectileBase::ProjectileModifierStruct modifier;
        modifier.ownerSkillId = own->GetObjectId();
        fireball->AddProjectileModifier(modifier);
        modifier.ownerSkillId = other->GetObjectId();
        fireball->AddProjectileModifier(modifier);
        fireball->ProjectileGo();
        return fireball;
    }

    std::unique_ptr<World> previousWorld;
    Character* owner = nullptr;
    Character* near = nullptr;
    Character* far = nullptr;
    ReportedSkill* own = nullptr;
    ReportedSkill* other = nullptr;
};

TEST_F(FireballTest, PiercingFireballReportsEachTargetOncePerModifierAndStopsAtItsRange)
{
    ProjectileFireballLike* fireball = Launch(100.0f);
    // Short frames: every foe lies on several overlapping path checks.
    int frames = 0;
    while (fireball->GetState() == ProjectileFireballLike::State_Flying && frames < 100) {
        fireball->UpdateSelf(50);
        ++frames;
    }
    const std::vector<uint32_t> both{near->GetObjectId(), far->GetObjectId()};
    EXPECT_EQ(own->reported, both);
    EXPECT_EQ(other->reported, both);
    // 12 units at 10 per second.
    EXPECT_EQ(frames, 24);
    EXPECT_NEAR(fireball->GetCoords().GetRegionCoords().origin.z, 12.0f, 1e-3f);
    const uint32_t id = fireball->GetObjectId();
    fireball->UpdateSelf(50);
    EXPECT_EQ(fireball->GetState(), ProjectileFireballLike::State_Done);
    EXPECT_EQ(ObjectManager::Instance().GetObject(id), nullptr);
}

TEST_F(FireballTest, PlainFireballStopsAtTheFirstTarget)
{
    ProjectileFireballLike* fireball = Launch(0.0f);
    for (int i = 0; i < 10 && fireball->GetState() == ProjectileFireballLike::State_Flying; ++i)
        fireball->UpdateSelf(50);
    EXPECT_EQ(fireball->GetState(), ProjectileFireballLike::State_Stopped);
    EXPECT_EQ(own->reported, std::vector<uint32_t>{near->GetObjectId()});
    EXPECT_EQ(other->reported, std::vector<uint32_t>{near->GetObjectId()});
    EXPECT_EQ(fireball->GetFlightVelocity(), Vec3());
}

} // namespace
} // namespace GAME::Test
