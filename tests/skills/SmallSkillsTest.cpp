#include "ai/ControllerSpiritHost.h"
#include "characters/Monster.h"
#include "characters/Ormenos.h"
#include "characters/TyphonChained.h"
#include "core/BinaryWriter.h"
#include "engine/BinaryReader.h"
#include "skills/SkillSecondary_BuffRadius.h"
#include "skills/SkillSecondary_ChainLightning.h"
#include "skills/SkillSecondary_ForkLightning.h"
#include "skills/SkillSecondary_PetSpawn.h"
#include "skills/Skill_AktaiosLightOfRa.h"
#include "skills/Skill_AktaiosMirage.h"
#include "skills/Skill_DefensiveGround.h"
#include "skills/Skill_DefensiveWall.h"
#include "skills/Skill_DispelMagic.h"
#include "skills/Skill_FauxAttack.h"
#include "skills/Skill_GiveBonus.h"
#include "skills/Skill_MonsterGenerator.h"
#include "skills/Skill_OnDeathSpawnActor.h"
#include "skills/Skill_OrmenosChainLaser.h"
#include "skills/Skill_RefreshCooldown.h"
#include "skills/Skill_SpawnMegalesiosSpirit.h"
#include "skills/Skill_SpawnPet.h"
#include "skills/Skill_SpawnPetMonster.h"
#include "skills/Skill_Teleport.h"
#include "skills/Skill_TyphonSkillTransfer.h"
#include "tests/support/PlacedOwnerFixture.h"
#include "tests/support/SkillsFixture.h"
#include "world/LightOfRaMarker.h"
#include "world/Lightning.h"
#include "world/ProjectileInfo.h"
#include "world/TyphonChains.h"

#include <cmath>
#include <numbers>
#include <set>

namespace GAME::Test {
namespace {

bool Living(uint32_t id)
{
    const auto* character = ObjectManager::Instance().GetObject<Character>(id);
    return character != nullptr && character->IsAlive();
}

class SmallSkillsTest : public PlacedOwnerFixture {
protected:
    void SetUp() override
    {
        PlacedOwnerFixture::SetUp();
        for (const char* pet : {"Records/Creatures/PetA.dbr", "Records/Creatures/PetB.dbr",
                                "Records/Creatures/PetC.dbr"})
            database.WriteRecord(pet, {"Class = Monster", "characterLife = 50"});
        database.WriteRecord("Records/Props/Remains.dbr", {"Class = Actor"});
    }

    Skill_MonsterGenerator* Generator(const std::string& records)
    {
        return Owned<Skill_MonsterGenerator>({"spawnObjects = " + records});
    }

    template <typename T> T* MakePets(const char* burst, const char* limit)
    {
        return Owned<T>({"spawnObjects = Records/Creatures/PetA.dbr", "skillManaCost = 5",
                         std::string("petBurstSpawn = ") + burst,
                         std::string("petLimit = ") + limit});
    }
};

TEST_F(SmallSkillsTest, AGeneratorAsksForBothMissingPetsRightThenLeftAndWaitsForThem)
{
    auto* generator = Generator("Records/Creatures/PetA.dbr");
    generator->Update(*owner, 33);
    ASSERT_EQ(services.spawns.size(), 2u);
    EXPECT_EQ(services.spawns[0].coords.at(0).GetRegionCoords().origin, Vec3(2, 0, 2));
    EXPECT_EQ(services.spawns[1].coords.at(0).GetRegionCoords().origin, Vec3(-2, 0, 2));
    EXPECT_TRUE(generator->IsSpawnPending());

    generator->Update(*owner, 33);
    EXPECT_EQ(services.spawns.size(), 2u);

    // With both pets made it asks for nothing more.
    Apply(*generator, services.spawns[0]);
    Apply(*generator, services.spawns[1]);
    generator->Update(*owner, 33);
    EXPECT_EQ(services.spawns.size(), 2u);
}

TEST_F(SmallSkillsTest, AGeneratorSendsNothingWhenDeadMirroringOrWithoutRecords)
{
    auto* none = Owned<Skill_MonsterGenerator>({});
    none->Update(*owner, 33);
    EXPECT_TRUE(services.spawns.empty());

    auto* generator = Generator("Records/Creatures/PetA.dbr");
    manager.services = nullptr;
    generator->Update(*owner, 33);
    EXPECT_TRUE(services.spawns.empty());
    manager.services = &services;
    owner->SetLifeState(LifeState_Dead);
    generator->Update(*owner, 33);
    EXPECT_TRUE(services.spawns.empty());
}

TEST_F(SmallSkillsTest, AGeneratorDrawsEveryRecordAndNeverIndexZero)
{
    auto* generator = Generator(
        "Records/Creatures/PetA.dbr;Records/Creatures/PetB.dbr;Records/Creatures/PetC.dbr");
    std::set<uint32_t> drawn;
    for (int round = 0; round < 40; ++round) {
        services.spawns.clear();
        generator->Update(*owner, 33);
        for (const SkillsSent::Spawn& sent : services.spawns) {
            drawn.insert(sent.value);
            // Returning without a pet lets the next update ask again.
            generator->SkillSpawnObject(*owner, sent.origin, sent.value, {}, {}, 0);
        }
    }
    EXPECT_EQ(drawn, (std::set<uint32_t>{1, 2, 3}));
}

TEST_F(SmallSkillsTest, PeerSpawnMessagesAreBoundedAndNeverReuseAnId)
{
    auto* generator = Generator("Records/Creatures/PetA.dbr");
    auto* remains = Owned<Skill_OnDeathSpawnActor>({"spawnObjects = Records/Props/Remains.dbr"});
    ObjectManager& objects = ObjectManager::Instance();
    const WorldCoords at(At(3));
    const std::vector<uint32_t> two = {objects.CreateObjectID(), objects.CreateObjectID()};
    log.Clear();
    generator->SkillSpawnObject(*owner, at, 1, {at, at}, two, 0);
    remains->SkillSpawnObject(*owner, at, 0, {at, at}, two, 0);
    EXPECT_EQ(objects.GetObject<Object>(two[0]), nullptr);
    EXPECT_EQ(log.Count(2, "Refused spawn of (2) companions, at most (1)"), 1u);
    EXPECT_EQ(log.Count(2, "Refused spawn of (2) actors, at most (1)"), 1u);

    remains->SkillSpawnObject(*owner, at, 0, {at}, {owner->GetObjectId()}, 0);
    EXPECT_NE(objects.GetObject<Character>(owner->GetObjectId()), nullptr);
}

TEST_F(SmallSkillsTest, AnOnDeathSkillLeavesItsActorWhereTheOwnerFellOnlyWhenLearnt)
{
    auto* remains = Owned<Skill_OnDeathSpawnActor>({"spawnObjects = Records/Props/Remains.dbr"});
    remains->ActivateOnDeathNow(*owner);
    ASSERT_EQ(services.spawns.size(), 1u);
    const SkillsSent::Spawn sent = services.spawns[0];
    ASSERT_EQ(sent.ids.size(), 1u);
    Apply(*remains, sent);
    const auto* actor = ObjectManager::Instance().GetObject<Actor>(sent.ids[0]);
    ASSERT_NE(actor, nullptr);
    EXPECT_EQ(actor->GetCoords().GetPosition(), owner->GetCoords().GetPosition());

    auto* unlearnt = MakeSkill<Skill_OnDeathSpawnActor>(
        manager, {"spawnObjects = Records/Props/Remains.dbr", "skillMaxLevel = 3"});
    unlearnt->ActivateOnDeathNow(*owner);
    EXPECT_EQ(services.spawns.size(), 1u);
}

TEST_F(SmallSkillsTest, ARefreshEndsTheOthersCooldownsAndKeepsItsOwn)
{
    auto* refresh = Owned<Skill_RefreshCooldown>({"skillCooldownTime = 10"});
    refresh->StartCooldown();
    const int32_t remaining = refresh->GetCooldownRemaining();
    ASSERT_GT(remaining, 0);
    refresh->EndCooldown();
    EXPECT_EQ(refresh->GetCooldownRemaining(), remaining);
    refresh->ActivateNow(*owner, Name(), 0, WorldVec3());
    ASSERT_EQ(services.results.size(), 1u);
    EXPECT_EQ(services.results[0].targets, std::vector<uint32_t>{owner->GetObjectId()});
}

TEST_F(SmallSkillsTest, AFauxAttackLeavesLifeAndTellsTheTargetOnceAndATransferStrikesIt)
{
    auto* faux = Owned<Skill_FauxAttack>({});
    auto* target = Foe<SkillsTarget>({4, 0, 0}, "SkillsTarget");
    faux->ActivateNow(*owner, Name(), target->GetObjectId(), WorldVec3());
    ASSERT_EQ(services.results.size(), 1u);
    const float life = target->GetCurrentLife();
    faux->TargetResult(*owner, services.results[0].targets, owner->GetCoords(), 5, 0, false);
    ASSERT_EQ(target->attacks.size(), 1u);
    EXPECT_EQ(target->attacks[0].attackerId, owner->GetObjectId());
    EXPECT_EQ(target->GetCurrentLife(), life);

    faux->ActivateNow(*owner, Name(), 0, WorldVec3());
    EXPECT_EQ(services.results.size(), 1u);

    auto* transfer = Owned<Skill_TyphonSkillTransfer>({});
    transfer->ActivateNow(*owner, Name(), target->GetObjectId(), WorldVec3());
    ASSERT_EQ(services.results.size(), 2u);
    transfer->TargetResult(*owner, services.results[1].targets, owner->GetCoords(), 9, 0, false);
    EXPECT_EQ(target->attacks.size(), 2u);
}

TEST_F(SmallSkillsTest, ABurstOfZeroSummonsOneAndTheLimitKillsTheOldest)
{
    auto* one = MakePets<Skill_SpawnPet>("0", "0");
    EXPECT_EQ(one->GetNumPets(*owner), 1u);

    auto* pets = MakePets<Skill_SpawnPet>("3", "2");
    EXPECT_EQ(pets->GetNumPets(*owner), 3u);
    pets->ActivateNow(*owner, Name(), 0, WorldVec3());
    ASSERT_EQ(services.spawns.size(), 1u);
    const std::vector<uint32_t> ids = services.spawns[0].ids;
    ASSERT_EQ(ids.size(), 3u);
    Apply(*pets, services.spawns.back());
    EXPECT_EQ(pets->GetPets(), (std::vector<uint32_t>{ids[1], ids[2]}));
    EXPECT_FALSE(Living(ids[0]));
    EXPECT_TRUE(Living(ids[2]));

    pets->StopSkill(*owner);
    EXPECT_FALSE(Living(ids[2]));
}

TEST_F(SmallSkillsTest, PeerMessagesWithTooManyIdsOrIdsInUseMakeNothing)
{
    auto* pets = MakePets<Skill_SpawnPet>("2", "0");
    const WorldCoords at(At(3));
    ObjectManager& objects = ObjectManager::Instance();
    const std::vector<uint32_t> many = {objects.CreateObjectID(), objects.CreateObjectID(),
                                        objects.CreateObjectID()};
    pets->SkillSpawnObject(*owner, at, 0, {at, at, at}, many, 0);
    EXPECT_TRUE(pets->GetPets().empty());
    EXPECT_EQ(objects.GetObject<Object>(many[0]), nullptr);

    const uint32_t fresh = objects.CreateObjectID();
    pets->SkillSpawnObject(*owner, at, 0, {at, at}, {owner->GetObjectId(), fresh}, 0);
    EXPECT_EQ(pets->GetPets(), std::vector<uint32_t>{fresh});
    EXPECT_NE(DynamicCast<Character>(objects.GetObject<Object>(owner->GetObjectId())), nullptr);

    // A pet destroyed outright leaves the list on the next update.
    objects.DestroyObjectEx(objects.GetObject<Object>(fresh), "Test", __LINE__);
    pets->Update(*owner, 33);
    EXPECT_TRUE(pets->GetPets().empty());
}

TEST_F(SmallSkillsTest, AMonsterTopsUpItsPetsThenStaysDisabled)
{
    auto* pets = MakePets<Skill_SpawnPetMonster>("2", "0");
    const WorldCoords at(At(3));
    ObjectManager& objects = ObjectManager::Instance();
    pets->SkillSpawnObject(*owner, at, 0, {at}, {objects.CreateObjectID()}, 0);
    ASSERT_EQ(pets->GetPets().size(), 1u);
    pets->Update(*owner, 33);
    EXPECT_EQ(pets->GetNumPets(*owner), 1u);

    pets->ActivateNow(*owner, Name(), 0, WorldVec3());
    ASSERT_EQ(services.spawns.size(), 1u);
    Apply(*pets, services.spawns.back());
    pets->Update(*owner, 33);
    EXPECT_EQ(pets->GetPets().size(), 2u);
    EXPECT_FALSE(pets->IsSkillEnabled());
    EXPECT_EQ(pets->GetNumPets(*owner), 0u);
}

TEST_F(SmallSkillsTest, NoFreePlaceSendsNothingAndAMissingRecordIsLogged)
{
    auto* pets = MakePets<Skill_SpawnPet>("1", "0");
    // Standing in no known region, the caster has no free place around it.
    auto* lost = Made(ObjectManager::Instance().CreateObjectFromFile<Character>(kOwner), kOwner);
    pets->ActivateNow(*lost, Name(), 0, WorldVec3());
    EXPECT_TRUE(services.spawns.empty());

    auto* ghost = Owned<Skill_SpawnPet>({"spawnObjects = Records/Creatures/Missing.dbr"});
    log.Clear();
    const WorldCoords at(At(3));
    ghost->SkillSpawnObject(*owner, at, 0, {at}, {ObjectManager::Instance().CreateObjectID()}, 0);
    EXPECT_TRUE(ghost->GetPets().empty());
    EXPECT_EQ(log.Count(1, "Failed to spawn pet object (Records/Creatures/Missing.dbr)"), 1u);
}

class BossSkillsTest : public PlacedOwnerFixture {
protected:
    void SetUp() override
    {
        PlacedOwnerFixture::SetUp();
        database.WriteRecord("Records/Boss/Beam.dbr", {"Class = ChainLaserBeam"});
        database.WriteRecord("Records/Boss/Chains.dbr", {"Class = TyphonChains"});
        database.WriteRecord("Records/Boss/Giant.dbr",
                             {"Class = TyphonChained", "chains = Records/Boss/Chains.dbr"});
        database.WriteRecord("Records/Boss/Ormenos.dbr",
                             {"Class = Ormenos", "characterLife = 500"});
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
    auto* light = Owned<Skill_AktaiosLightOfRa>({});
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
    auto* laser = Owned<Skill_OrmenosChainLaser>(
        {"chainLaserBeam = Records/Boss/Beam.dbr", "beamVelocity = 2.0"});
    laser->ActivateNow(*boss, Name(), 0, WorldVec3());
    ASSERT_EQ(services.results.size(), 1u);
    EXPECT_EQ(services.results[0].targets,
              std::vector<uint32_t>{giant->GetChains()->GetObjectId()});

    laser->TargetResult(*boss, services.results[0].targets, boss->GetCoords(), 1, 0, false);
    laser->Update(*boss, 1001);
    EXPECT_TRUE(laser->IsBeamDone(2));
    EXPECT_TRUE(boss->IsSickleExploded());

    // A new result runs the beams from the start.
    laser->TargetResult(*boss, services.results[0].targets, boss->GetCoords(), 1, 0, false);
    laser->Update(*boss, 250);
    EXPECT_FALSE(laser->IsBeamDone(2));
}

TEST_F(BossSkillsTest, ALaserWithoutBeamsOrTargetStillExplodes)
{
    auto* boss =
        Place<Ormenos>({0, 0, 2}, TeamManager::DefaultMonsterTeam(), "Records/Boss/Ormenos.dbr");
    auto* bare = Owned<Skill_OrmenosChainLaser>({});
    bare->ActivateNow(*boss, Name(), 0, WorldVec3());
    EXPECT_TRUE(services.results.empty());
    bare->TargetResult(*boss, {owner->GetObjectId()}, boss->GetCoords(), 1, 0, false);
    bare->Update(*boss, 10);
    EXPECT_TRUE(boss->IsSickleExploded());
}

TEST_F(BossSkillsTest, ATeleportSwapsTheFormerPlacesWithinTwenty)
{
    auto* swap = Owned<Skill_Teleport>({});
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

class SecondarySkillsTest : public PlacedOwnerFixture {
protected:
    void SetUp() override
    {
        PlacedOwnerFixture::SetUp();
        database.WriteRecord("Records/Sparks/Pet.dbr", {"Class = Monster", "characterLife = 50"});
        database.WriteRecord("Records/Sparks/Bolt.dbr", {"Class = Lightning", "numberOfBolts = 1",
                                                         "timeMin = 0.4", "timeMax = 0.4"});
    }

    std::vector<SkillsTarget*> Foes(int count)
    {
        std::vector<SkillsTarget*> foes;
        for (int i = 0; i < count; ++i)
            foes.push_back(
                Foe<SkillsTarget>({3.0f + 2.0f * static_cast<float>(i), 0, 0}, "SkillsTarget"));
        return foes;
    }
    static size_t Hits(const std::vector<SkillsTarget*>& foes)
    {
        size_t hits = 0;
        for (const SkillsTarget* foe : foes)
            hits += foe->attacks.size();
        return hits;
    }
};

TEST_F(SecondarySkillsTest, AForkPicksDistinctFoesBesideThePrimarysTargetAndNoChanceNever)
{
    auto* never = Owned<SkillSecondary_ChainLightning>(
        {"sparkGap = 20", "sparkChance = 0", "sparkMaxNumber = 3"});
    auto* fork = Owned<SkillSecondary_ForkLightning>(
        {"sparkGap = 20", "sparkChance = 100", "sparkMaxNumber = 3"});
    const std::vector<SkillsTarget*> foes = Foes(5);
    const uint32_t primary = foes[0]->GetObjectId();
    never->ActivateNow(*owner, 0, {}, At(0));
    EXPECT_TRUE(services.results.empty());
    for (int cast = 0; cast < 10 && services.results.empty(); ++cast)
        fork->ActivateNow(*owner, primary, {}, At(3));
    ASSERT_EQ(services.results.size(), 1u);
    const std::vector<uint32_t>& picked = services.results[0].targets;
    EXPECT_EQ(std::set<uint32_t>(picked.begin(), picked.end()).size(), 3u);
    EXPECT_EQ(std::count(picked.begin(), picked.end(), primary), 0);
}

TEST_F(SecondarySkillsTest, AChainStrikesEachFoeAsItsBoltArrivesOneAtATime)
{
    auto* chain = Owned<SkillSecondary_ChainLightning>({"sparkGap = 20", "sparkChance = 100",
                                                        "sparkMaxNumber = 3",
                                                        "lightningName = Records/Sparks/Bolt.dbr"});
    const std::vector<SkillsTarget*> foes = Foes(3);
    const std::vector<uint32_t> order = {foes[0]->GetObjectId(), foes[1]->GetObjectId(),
                                         foes[2]->GetObjectId()};
    chain->TargetResult(*owner, order, owner->GetCoords(), 11, 0, false);
    // A second chain while one runs is dropped.
    chain->TargetResult(*owner, {order[0]}, owner->GetCoords(), 12, 0, false);
    ASSERT_EQ(chain->GetLinks().size(), 3u);
    std::vector<size_t> hitsAt;
    for (int frame = 0; frame < 40 && !chain->GetLinks().empty(); ++frame) {
        for (const SkillSecondaryBolts::Link& link : chain->GetLinks()) {
            if (auto* bolt = ObjectManager::Instance().GetObject<Lightning>(link.effectId))
                bolt->UpdateSelf(50);
        }
        chain->Update(*owner, 50);
        if (hitsAt.empty() || hitsAt.back() != Hits(foes))
            hitsAt.push_back(Hits(foes));
    }
    EXPECT_EQ(hitsAt, (std::vector<size_t>{0, 1, 2, 3}));
    EXPECT_TRUE(chain->GetLinks().empty());
    for (size_t i = 0; i < foes.size(); ++i)
        EXPECT_EQ(foes[i]->attacks.size(), 1u) << i;
}

TEST_F(SecondarySkillsTest, PeerResultsLongerThanTheSparksAreRefused)
{
    auto* chain = Owned<SkillSecondary_ChainLightning>(
        {"sparkGap = 20", "sparkChance = 100", "sparkMaxNumber = 1000000"});
    EXPECT_EQ(chain->GetSparkLimit(), SkillSecondaryBolts::kMaxSparks);
    std::vector<uint32_t> links(300, owner->GetObjectId());
    log.Clear();
    chain->TargetResult(*owner, links, owner->GetCoords(), 1, 0, false);
    EXPECT_TRUE(chain->GetLinks().empty());
    EXPECT_EQ(log.CountContaining("Refused (300) sparks"), 1u);
}

TEST_F(SecondarySkillsTest, PetsSpawnOnlyWherePlacesAndIdsPairUp)
{
    auto* spawn =
        Owned<SkillSecondary_PetSpawn>({"spawnObjects = Records/Sparks/Pet.dbr", "petLimit = 3"});
    ObjectManager& objects = ObjectManager::Instance();
    const WorldCoords a(At(3)), b(At(5)), c(At(7));
    const std::vector<uint32_t> ids = {objects.CreateObjectID(), objects.CreateObjectID()};
    spawn->SkillSpawnObject(*owner, owner->GetCoords(), 0, {a, b, c}, ids, 0);
    EXPECT_NE(objects.GetObject<Monster>(ids[1]), nullptr);

    const uint32_t lone = objects.CreateObjectID();
    spawn->SkillSpawnObject(*owner, owner->GetCoords(), 0, {}, {lone}, 0);
    EXPECT_EQ(objects.GetObject<Object>(lone), nullptr);

    spawn->PrimaryActivateNow(*owner, 0, {}, At(0));
    ASSERT_EQ(services.spawns.size(), 1u);
    EXPECT_EQ(services.spawns[0].ids.size(), 3u);
}

TEST(SkillStateBytes, LevelAndFlagsAreWordsAndShortStatesChangeNothing)
{
    BinaryWriter writer = BinaryWriter::ToMemory(8);
    SkillState{7, true}.SaveState(writer);
    SkillActiveState(-2, false, true).SaveState(writer);
    const std::vector<uint8_t> expected = {7,    0,    0, 0, 1, 0, 0, 0, 0xfe, 0xff,
                                           0xff, 0xff, 0, 0, 0, 0, 1, 0, 0,    0};
    ASSERT_EQ(std::vector<uint8_t>(writer.GetData(), writer.GetData() + writer.GetPosition()),
              expected);

    BinaryReader reader(expected.data(), expected.size());
    SkillState level;
    SkillActiveState active;
    ASSERT_TRUE(level.RestoreState(reader));
    ASSERT_TRUE(active.RestoreState(reader));
    EXPECT_EQ(level.skillLevel, 7u);
    EXPECT_TRUE(level.enabled);
    EXPECT_EQ(active.subLevel, -2);
    EXPECT_TRUE(active.transition);

    BinaryReader shortOne(expected.data(), 6);
    SkillState untouched{3, false};
    EXPECT_FALSE(untouched.RestoreState(shortOne));
    EXPECT_EQ(untouched.skillLevel, 3u);
}

class DispelAndSpiritsTest : public PlacedOwnerFixture {
protected:
    void SetUp() override
    {
        PlacedOwnerFixture::SetUp();
        // Players are friends only on a side of their own.
        owner->SetTeam(kSide);
        database.WriteRecord("Records/Spirits/HostMind.dbr", {"Class = ControllerSpiritHost"});
        database.WriteRecord(
            "Records/Spirits/Host.dbr",
            {"Class = Monster", "characterLife = 80", "controller = Records/Spirits/HostMind.dbr"});
        database.WriteRecord("Records/Spirits/Glow.dbr", {"Class = EffectEntity"});
        database.WriteRecord("Records/Spirits/Imp.dbr", {"Class = Monster", "characterLife = 9"});
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
    burst->Update(*owner, 700);
    EXPECT_TRUE(burst->GetBursts().empty());
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
    pulse->Update(*owner, 1000);
    ASSERT_EQ(services.results.size(), 2u);
    pulse->PrimaryStop(*owner);
    pulse->Update(*owner, 5000);
    EXPECT_EQ(services.results.size(), 2u);
    EXPECT_EQ(services.Switches(), (std::vector<bool>{true, false}));
}

class DefensiveWallTest : public PlacedOwnerFixture {
protected:
    void SetUp() override
    {
        PlacedOwnerFixture::SetUp();
        database.WriteRecord("Records/Walls/Wall.dbr", {"Class = Monster", "characterLife = 50"});
    }

    template <class Kind = Skill_DefensiveWall>
    Kind* Walls(const std::string& spacing, const std::string& rings = "2")
    {
        return Owned<Kind>(
            {"spawnObjects = Records/Walls/Wall.dbr", "spawnObjectsSpacingAngle = " + spacing,
             "spawnObjectsNumberOfRings = " + rings, "spawnObjectsDistanceInnerCircle = 3.0",
             "spawnObjectsDistanceIncrement = 2.0", "spawnObjectsTimeToLive = 2.0",
             "skillManaCost = 10"});
    }
};

TEST_F(DefensiveWallTest, TwoRingsOfEightStandHalfASpacingApart)
{
    auto* walls = Walls("45");
    walls->ActivateNow(*owner, Name(), 0, At(30));
    ASSERT_EQ(services.spawns.size(), 1u);
    const SkillsSent::Spawn& sent = services.spawns[0];
    ASSERT_EQ(sent.ids.size(), 16u);
    for (size_t i = 0; i < sent.coords.size(); ++i) {
        SCOPED_TRACE(i);
        const Vec3 at = sent.coords[i].GetRegionCoords().origin;
        const float radius = i < 8 ? 3.0f : 5.0f;
        const double twist = i < 8 ? 0.0 : 22.5;
        const double degrees = std::fmod(
            std::atan2(at.z, at.x) * 180.0 / std::numbers::pi + 360.0 - twist + 0.001, 45.0);
        EXPECT_NEAR(std::hypot(at.x, at.z), radius, 1e-4);
        EXPECT_NEAR(degrees, 0.001, 1e-3);
    }
    // The wall kind rings its caster whatever it aimed at.
    EXPECT_EQ(sent.origin.GetPosition(), owner->GetCoords().GetPosition());
}

TEST_F(DefensiveWallTest, TimedWallsAreReleasedByAnEmptyMessageAndPaidOnce)
{
    auto* walls = Walls("45");
    const float mana = Mana();
    walls->ActivateNow(*owner, Name(), 0, WorldVec3());
    Apply(*walls, services.spawns.at(0));
    owner->GetCharacterBio().Update(*owner, 0);
    EXPECT_FLOAT_EQ(mana - Mana(), 10.0f);
    const std::vector<uint32_t> ids = walls->GetWalls();
    ASSERT_EQ(ids.size(), 16u);

    walls->Update(*owner, 2000);
    ASSERT_EQ(services.spawns.size(), 2u);
    EXPECT_TRUE(services.spawns[1].ids.empty());
    walls->Update(*owner, 500);
    EXPECT_EQ(services.spawns.size(), 2u);

    Apply(*walls, services.spawns[1]);
    owner->GetCharacterBio().Update(*owner, 0);
    EXPECT_FLOAT_EQ(mana - Mana(), 10.0f);
    EXPECT_TRUE(walls->GetWalls().empty());
    for (uint32_t id : ids)
        EXPECT_FALSE(Living(id)) << id;
}

TEST_F(DefensiveWallTest, SpacingsAndRingCountsAreBounded)
{
    struct Row {
        const char* spacing;
        const char* rings;
        size_t walls;
    };
    for (const Row& row : {Row{"50", "1", 7}, Row{"0", "2", 0}, Row{"-45", "2", 0},
                           Row{"1e-9", "1", 360}, Row{"90", "1000000000", 4 * 32}}) {
        SCOPED_TRACE(row.spacing);
        services.spawns.clear();
        Walls(row.spacing, row.rings)->ActivateNow(*owner, Name(), 0, WorldVec3());
        EXPECT_EQ(services.spawns.empty() ? 0u : services.spawns[0].ids.size(), row.walls);
    }
    auto* none = Walls("0");
    log.Clear();
    none->ActivateNow(*owner, Name(), 0, WorldVec3());
    none->ActivateNow(*owner, Name(), 0, WorldVec3());
    EXPECT_EQ(log.CountContaining("places no walls"), 1u);
}

TEST_F(DefensiveWallTest, AGroundWallRingsTheAimedPointAndRefusesLongPeerLists)
{
    auto* ground = Walls<Skill_DefensiveGround>("90", "1");
    ground->ActivateNow(*owner, Name(), 0, At(20, 5));
    ASSERT_EQ(services.spawns.size(), 1u);
    EXPECT_EQ(services.spawns[0].origin.GetPosition(), At(20, 5));

    const WorldCoords at(At(3));
    std::vector<uint32_t> five;
    for (int i = 0; i < 5; ++i)
        five.push_back(ObjectManager::Instance().CreateObjectID());
    log.Clear();
    ground->SkillSpawnObject(*owner, at, 0, {}, five, 0);
    EXPECT_TRUE(ground->GetWalls().empty());
    EXPECT_EQ(log.Count(2, "Refused spawn of (5) walls, at most (4)"), 1u);
}

// Its reach is the dispel's, pinned there.
TEST_F(DefensiveWallTest, ABonusHealsTheAllyItReaches)
{
    auto* bonus = Owned<Skill_GiveBonus>({"skillLifeBonus = 40", "skillManaBonus = 5"});
    auto* near = Place({10, 0, 0}, TeamManager::DefaultPlayerTeam(), kOwner);
    bonus->ActivateNow(*owner, Name(), near->GetObjectId(), WorldVec3());
    ASSERT_EQ(services.results.size(), 1u);

    near->GetCharacterBio().Update(*near, 0);
    near->ApplyDamage(100.0f, PlayStatsDamageType{}, CombatAttributeType_Fire);
    near->GetCharacterBio().Update(*near, 0);
    const float life = near->GetCurrentLife();
    bonus->TargetResult(*owner, services.results[0].targets, owner->GetCoords(), 0, 0, false);
    near->GetCharacterBio().Update(*near, 0);
    EXPECT_FLOAT_EQ(near->GetCurrentLife() - life, 40.0f);
}

} // namespace
} // namespace GAME::Test
