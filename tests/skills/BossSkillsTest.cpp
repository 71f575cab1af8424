#include "characters/Ormenos.h"
#include "characters/TyphonChained.h"
#include "engine/ChaosBeam.h"
#include "engine/EffectEntity.h"
#include "skills/Skill_AktaiosLightOfRa.h"
#include "skills/Skill_OrmenosChainLaser.h"
#include "skills/Skill_Teleport.h"
#include "skills/Skill_TyphonSkillTransfer.h"
#include "tests/support/SkillsFixture.h"
#include "world/ChainLaserBeam.h"
#include "world/LightOfRaMarker.h"
#include "world/TyphonChains.h"

namespace GAME::Test {
namespace {

class BossSkillsTest : public SkillsOwnerFixture {
protected:
    void SetUp() override
    {
        SkillsOwnerFixture::SetUp();
        MakeOwner(true);
        database.WriteRecord(Monster::kDefaultControllerRecord, {"Class = ControllerMonster"});
        database.WriteRecord("Records/Boss/Beam.dbr", {"Class = ChainLaserBeam"});
        database.WriteRecord("Records/Boss/GodBeam.dbr", {"Class = SkillGodBeam"});
        database.WriteRecord("Records/Boss/End.dbr", {"Class = EffectEntity"});
        database.WriteRecord("Records/Boss/Chains.dbr", {"Class = TyphonChains"});
        database.WriteRecord("Records/Boss/Giant.dbr",
                             {"Class = TyphonChained", "chains = Records/Boss/Chains.dbr"});
        database.WriteRecord("Records/Boss/Ormenos.dbr",
                             {"Class = Ormenos", "characterLife = 500"});
    }

    template <class Kind> Kind* Boss(std::vector<std::string> lines)
    {
        lines.push_back("skillMaxLevel = 3");
        return MakeOwned<Kind>(lines);
    }

    std::pair<float, float> Shown(const LineEffect& beam)
    {
        return {beam.GetTopPercent(), beam.GetBottomPercent()};
    }
};

TEST_F(BossSkillsTest, LightFallsOnTheMarkersWithinFortyAndOnlyTheFirstCharges)
{
    for (float x : {10.0f, 30.0f, 45.0f}) {
        auto* marker = Made(
            DynamicCast<LightOfRaMarker>(ObjectManager::Instance().CreateObject("LightOfRaMarker")),
            "a marker");
        gEngine->GetWorld()->AddEntity(marker, WorldCoords(At(x)), false);
    }
    auto* light = Boss<Skill_AktaiosLightOfRa>({});
    services.IncHitIteration();
    light->ActivateNow(*owner, Name(), 0, WorldVec3());
    ASSERT_EQ(services.launches.size(), 2u);
    EXPECT_EQ(services.launches[0].hitIteration, 1u);
    EXPECT_EQ(services.launches[1].hitIteration, 0u);
}

TEST_F(BossSkillsTest, TheChainLaserGrowsFadesAndThenTheSickleExplodesOnce)
{
    auto* giant = Place<TyphonChained>({5, 0, 0}, TeamManager::DefaultMonsterTeam(),
                                       "Records/Boss/Giant.dbr");
    ASSERT_TRUE(giant->AreChainsAttached());
    auto* boss =
        Place<Ormenos>({0, 0, 2}, TeamManager::DefaultMonsterTeam(), "Records/Boss/Ormenos.dbr");
    auto* laser = Boss<Skill_OrmenosChainLaser>(
        {"chainLaserBeam = Records/Boss/Beam.dbr", "beamVelocity = 2.0"});
    laser->ActivateNow(*boss, Name(), 0, WorldVec3());
    ASSERT_EQ(services.results.size(), 1u);
    EXPECT_EQ(services.results[0].targets,
              std::vector<uint32_t>{giant->GetChains()->GetObjectId()});

    laser->TargetResult(*boss, services.results[0].targets, boss->GetCoords(), 1, 0, false);
    ChainLaserBeam* beam = laser->GetBeam(0);
    ASSERT_NE(beam, nullptr);
    struct Step {
        int32_t ms;
        std::pair<float, float> shown;
        bool done;
    };
    for (const Step& step : {Step{250, {0.5f, 0.0f}, false}, Step{500, {1.0f, 0.5f}, false},
                             Step{250, {1.0f, 1.0f}, false}, Step{1, {0.0f, 0.0f}, true}}) {
        laser->Update(*boss, step.ms);
        EXPECT_EQ(Shown(*beam), step.shown);
        EXPECT_EQ(laser->IsBeamDone(2), step.done);
    }
    EXPECT_TRUE(boss->IsSickleExploded());

    laser->TargetResult(*boss, services.results[0].targets, boss->GetCoords(), 1, 0, false);
    laser->Update(*boss, 250);
    EXPECT_EQ(Shown(*beam), std::make_pair(0.5f, 0.0f));
}

TEST_F(BossSkillsTest, ALaserWithoutBeamsOrTargetStillExplodes)
{
    auto* boss =
        Place<Ormenos>({0, 0, 2}, TeamManager::DefaultMonsterTeam(), "Records/Boss/Ormenos.dbr");
    auto* bare = Boss<Skill_OrmenosChainLaser>({});
    bare->ActivateNow(*boss, Name(), 0, WorldVec3());
    EXPECT_TRUE(services.results.empty());
    bare->TargetResult(*boss, {owner->GetObjectId()}, boss->GetCoords(), 1, 0, false);
    bare->Update(*boss, 10);
    EXPECT_TRUE(boss->IsSickleExploded());
}

TEST_F(BossSkillsTest, ATeleportSwapsTheFormerPlacesWithinTwenty)
{
    auto* swap = Boss<Skill_Teleport>({});
    auto* far = Foe({25, 0, 0});
    auto* near = Foe({6, 0, 4});
    swap->ActivateNow(*owner, Name(), far->GetObjectId(), WorldVec3());
    EXPECT_TRUE(services.results.empty());
    swap->ActivateNow(*owner, Name(), near->GetObjectId(), WorldVec3());
    ASSERT_EQ(services.results.size(), 1u);
    const WorldVec3 ownerWas = owner->GetCoords().GetPosition();
    const WorldVec3 nearWas = near->GetCoords().GetPosition();
    swap->TargetResult(*owner, services.results[0].targets, owner->GetCoords(), 1, 0, false);
    EXPECT_EQ(owner->GetCoords().GetPosition(), nearWas);
    EXPECT_EQ(near->GetCoords().GetPosition(), ownerWas);
}

TEST_F(BossSkillsTest, AGodBeamGrowsFromTheTargetThenShrinksWithItsTwoEnds)
{
    auto* transfer = Boss<Skill_TyphonSkillTransfer>(
        {"skillGodBeam = Records/Boss/GodBeam.dbr", "sourceEnd = Records/Boss/End.dbr",
         "targetEnd = Records/Boss/End.dbr", "beamVelocity = 1.0"});
    auto* target = Foe<SkillsTarget>({4, 0, 0}, "SkillsTarget");
    transfer->ActivateNow(*owner, Name(), target->GetObjectId(), WorldVec3());
    ASSERT_EQ(services.results.size(), 1u);
    transfer->TargetResult(*owner, services.results[0].targets, owner->GetCoords(), 9, 0, false);
    ASSERT_EQ(target->attacks.size(), 1u);
    ChaosBeam* beam = transfer->GetBeam();
    ASSERT_NE(beam, nullptr);

    transfer->Update(*owner, 500);
    EXPECT_EQ(Shown(*beam), std::make_pair(0.5f, 0.0f));
    EXPECT_NE(transfer->GetSourceEndEffect(), nullptr);
    EXPECT_EQ(transfer->GetTargetEndEffect(), nullptr);
    transfer->Update(*owner, 1000);
    EXPECT_EQ(Shown(*beam), std::make_pair(1.0f, 0.5f));
    EXPECT_EQ(transfer->GetSourceEndEffect(), nullptr);
    EXPECT_NE(transfer->GetTargetEndEffect(), nullptr);
    transfer->Update(*owner, 600);
    EXPECT_EQ(Shown(*beam), std::make_pair(0.0f, 0.0f));
    EXPECT_EQ(transfer->GetTargetEndEffect(), nullptr);
}

} // namespace
} // namespace GAME::Test
