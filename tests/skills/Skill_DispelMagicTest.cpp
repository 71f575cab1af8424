#include "skills/Skill_DispelMagic.h"
#include "ai/ControllerSpiritHost.h"
#include "characters/Monster.h"
#include "skills/SkillSecondary_BuffRadius.h"
#include "skills/Skill_AktaiosMirage.h"
#include "skills/Skill_SpawnMegalesiosSpirit.h"
#include "tests/support/SkillsFixture.h"
#include "world/ProjectileInfo.h"

namespace GAME::Test {
namespace {

// Dispels, spirit bursts, mirages and the pulsing and pet secondaries, on a controlling owner.
class DispelAndSpiritsTest : public SkillsOwnerFixture {
protected:
    void SetUp() override
    {
        SkillsOwnerFixture::SetUp();
        MakeOwner(true);
        // Players are friends only on a side of their own.
        owner->SetTeam(kSide);
        database.WriteRecord(Monster::kDefaultControllerRecord, {"Class = ControllerMonster"});
        database.WriteRecord("Records/Spirits/HostMind.dbr", {"Class = ControllerSpiritHost"});
        database.WriteRecord(
            "Records/Spirits/Host.dbr",
            {"Class = Monster", "characterLife = 80", "controller = Records/Spirits/HostMind.dbr"});
        database.WriteRecord("Records/Spirits/Glow.dbr", {"Class = EffectEntity"});
        database.WriteRecord("Records/Spirits/Imp.dbr", {"Class = Monster", "characterLife = 9"});
    }

    template <class Kind> Kind* Owned(std::vector<std::string> lines)
    {
        lines.push_back("skillMaxLevel = 3");
        return MakeOwned<Kind>(lines);
    }

    static inline const Team kSide = TeamManager::BuildTeam(2, 1);

    static const char* StateOf(const Monster& host)
    {
        auto* controller =
            ObjectManager::Instance().GetObject<ControllerSpiritHost>(host.GetControllerId());
        return controller != nullptr ? controller->GetExecutingStateName() : nullptr;
    }
};

TEST_F(DispelAndSpiritsTest, ADirectDispelReachesOnlyWithinTwentyAndHurtsTheFoeNotTheFriend)
{
    auto* dispel = Owned<Skill_DispelMagic>({"offensiveFireMin = 10", "offensiveFireMax = 10"});
    auto* far = Foe<SkillsTarget>({30, 0, 0}, "SkillsTarget");
    auto* foe = Foe<SkillsTarget>({5, 0, 0}, "SkillsTarget");
    auto* friendly = Place<SkillsTarget>({-5, 0, 0}, kSide, "SkillsTarget");
    dispel->ActivateNow(*owner, Name(), far->GetObjectId(), WorldVec3());
    EXPECT_TRUE(services.results.empty());
    dispel->ActivateNow(*owner, Name(), foe->GetObjectId(), WorldVec3());
    ASSERT_EQ(services.results.size(), 1u);

    dispel->TargetResult(*owner, {foe->GetObjectId(), friendly->GetObjectId()}, owner->GetCoords(),
                         4, 0, false);
    EXPECT_EQ(foe->attacks.size(), 1u);
    EXPECT_TRUE(friendly->attacks.empty());
}

TEST_F(DispelAndSpiritsTest, ADispelWithAProjectileNeedsNoTargetAndForwardsFriendlyHits)
{
    auto* dispel = Owned<Skill_DispelMagic>({"skillProjectileName = Records/Spirits/Glow.dbr"});
    uint32_t none = 0;
    EXPECT_TRUE(dispel->GetValidTarget(*owner, none, WorldVec3(), false, 1.5f));
    dispel->ActivateNow(*owner, Name(), 0, At(30));
    EXPECT_EQ(services.launches.size(), 1u);

    ProjectileInfo info;
    info.ownerId = owner->GetObjectId();
    services.IncHitIteration();
    dispel->TargetFriendInformation(info, owner->GetCoords(), {owner->GetObjectId()});
    ASSERT_EQ(services.results.size(), 1u);
    EXPECT_EQ(services.results[0].hitIteration, 0u);
}

TEST_F(DispelAndSpiritsTest, BurstsFlyToTheirHostsAndWakeThemOnArrival)
{
    auto* host =
        Place<Monster>({6, 0, 0}, TeamManager::DefaultMonsterTeam(), "Records/Spirits/Host.dbr");
    Foe({4, 0, 0});
    if (auto* mind =
            ObjectManager::Instance().GetObject<ControllerSpiritHost>(host->GetControllerId()))
        mind->InitialUpdate();
    auto* burst = Owned<Skill_SpawnMegalesiosSpirit>(
        {"burstVelocity = 10", "burstName = Records/Spirits/Glow.dbr"});
    burst->ActivateNow(*owner, Name(), 0, WorldVec3());
    ASSERT_EQ(services.results.size(), 1u);
    EXPECT_EQ(services.results[0].targets, std::vector<uint32_t>{host->GetObjectId()});

    burst->TargetResult(*owner, services.results[0].targets, owner->GetCoords(), 1, 0, false);
    ASSERT_EQ(burst->GetBursts().size(), 1u);
    const uint32_t glow = burst->GetBursts()[0].effectId;
    burst->Update(*owner, 300);
    EXPECT_EQ(burst->GetBursts().size(), 1u);
    burst->Update(*owner, 400);
    EXPECT_TRUE(burst->GetBursts().empty());
    ObjectManager::Instance().ProcessDestroyedObjects();
    EXPECT_EQ(ObjectManager::Instance().GetObject<Object>(glow), nullptr);
    ASSERT_NE(StateOf(*host), nullptr);
    EXPECT_STREQ(StateOf(*host), "Animate");
}

TEST_F(DispelAndSpiritsTest, AStillBurstOrAGoneHostKeepsItsEntry)
{
    auto* host =
        Place<Monster>({6, 0, 0}, TeamManager::DefaultMonsterTeam(), "Records/Spirits/Host.dbr");
    auto* still = Owned<Skill_SpawnMegalesiosSpirit>({"burstVelocity = 0"});
    still->TargetResult(*owner, {host->GetObjectId()}, owner->GetCoords(), 1, 0, false);
    still->Update(*owner, 10000);
    EXPECT_EQ(still->GetBursts().size(), 1u);
    ObjectManager::Instance().DestroyObjectEx(host, "Test", __LINE__);
    ObjectManager::Instance().ProcessDestroyedObjects();
    still->Update(*owner, 10000);
    EXPECT_EQ(still->GetBursts().size(), 1u);
}

TEST_F(DispelAndSpiritsTest, AMirageSwapsTheCasterIntoOneOfThePlaces)
{
    auto* mirage = Owned<Skill_AktaiosMirage>({"spawnObjects = Records/Spirits/Imp.dbr"});
    std::vector<WorldVec3> one = {At(4)};
    EXPECT_EQ(mirage->GetNewCasterCoords(*owner, one), owner->GetCoords());
    EXPECT_EQ(one.size(), 1u);
    std::vector<WorldVec3> three = {At(4), At(8), At(12)};
    const WorldCoords landing = mirage->GetNewCasterCoords(*owner, three);
    EXPECT_EQ(three.size(), 2u);
    EXPECT_NE(landing.GetPosition(), owner->GetCoords().GetPosition());

    const WorldCoords at(At(3));
    mirage->SkillSpawnObject(*owner, at, 0, {at}, {ObjectManager::Instance().CreateObjectID()}, 0);
    ASSERT_EQ(mirage->GetPets().size(), 1u);
    EXPECT_EQ(owner->GetCoords().GetPosition(), at.GetPosition());
    EXPECT_FALSE(mirage->SetAvailability(true, true));
}

TEST_F(DispelAndSpiritsTest, ARadiusBuffGivesItsBonusFirstThenPulsesEverySecond)
{
    database.WriteRecord("Records/Spirits/Blessing.dbr",
                         {"Class = SkillBuff", "skillMaxLevel = 3", "skillTargetRadius = 6"});
    auto* pulse =
        Owned<SkillSecondary_BuffRadius>({"buffSkillName = Records/Spirits/Blessing.dbr"});
    pulse->PrimaryActivateNow(*owner, 0, {}, owner->GetCoords().GetPosition());
    ASSERT_EQ(services.results.size(), 1u);
    EXPECT_EQ(services.Switches(), std::vector<bool>{true});
    pulse->Update(*owner, 999);
    EXPECT_EQ(services.results.size(), 1u);
    pulse->Update(*owner, 1);
    ASSERT_EQ(services.results.size(), 2u);
    pulse->PrimaryStop(*owner);
    pulse->Update(*owner, 5000);
    EXPECT_EQ(services.results.size(), 2u);
    EXPECT_EQ(services.Switches(), (std::vector<bool>{true, false}));
}

} // namespace
} // namespace GAME::Test
