#include "characters/Monster.h"
#include "skills/Skill_FauxAttack.h"
#include "skills/Skill_MonsterGenerator.h"
#include "skills/Skill_OnDeathSpawnActor.h"
#include "skills/Skill_PlayAttackAnimation.h"
#include "skills/Skill_RefreshCooldown.h"
#include "skills/Skill_SpawnPet.h"
#include "skills/Skill_SpawnPetMonster.h"
#include "tests/support/SkillsFixture.h"

#include <set>

namespace GAME::Test {
namespace {

class SmallSkillsTest : public SkillsOwnerFixture {
protected:
    void SetUp() override
    {
        SkillsOwnerFixture::SetUp();
        MakeOwner(true);
        database.WriteRecord(Monster::kDefaultControllerRecord, {"Class = ControllerMonster"});
        for (const char* pet : {"Records/Creatures/PetA.dbr", "Records/Creatures/PetB.dbr",
                                "Records/Creatures/PetC.dbr"})
            database.WriteRecord(pet, {"Class = Monster", "characterLife = 50"});
        database.WriteRecord("Records/Props/Remains.dbr", {"Class = Actor"});
    }

    // Learnt at level 1 of 3.
    template <class Kind> Kind* Owned(std::vector<std::string> lines)
    {
        lines.push_back("skillMaxLevel = 3");
        return MakeOwned<Kind>(lines);
    }
    Skill_MonsterGenerator* Generator(const std::string& records)
    {
        if (records.empty())
            return Owned<Skill_MonsterGenerator>({});
        return Owned<Skill_MonsterGenerator>({"spawnObjects = " + records});
    }

    // Applies a sent spawn message as every machine does.
    template <class Kind> void Apply(Kind& skill, const SkillsSent::Spawn& sent)
    {
        skill.SkillSpawnObject(*owner, sent.origin, sent.value, sent.coords, sent.ids, 7);
    }

    static Vec3 Place(const SkillsSent::Spawn& sent)
    {
        return sent.coords.at(0).GetRegionCoords().origin;
    }

    template <typename T> T* MakePets(const char* burst, const char* limit)
    {
        return Owned<T>({"spawnObjects = Records/Creatures/PetA.dbr", "skillManaCost = 5",
                         std::string("petBurstSpawn = ") + burst,
                         std::string("petLimit = ") + limit});
    }

    static bool Living(uint32_t id)
    {
        const auto* pet = ObjectManager::Instance().GetObject<Monster>(id);
        return pet != nullptr && pet->IsAlive();
    }
};

TEST_F(SmallSkillsTest, AGeneratorAsksForBothMissingPetsRightThenLeftAndWaitsForThem)
{
    auto* generator = Generator("Records/Creatures/PetA.dbr");
    generator->Update(*owner, 33);
    ASSERT_EQ(services.spawns.size(), 2u);
    EXPECT_EQ(Place(services.spawns[0]), Vec3(2, 0, 2));
    EXPECT_EQ(Place(services.spawns[1]), Vec3(-2, 0, 2));
    EXPECT_TRUE(generator->IsSpawnPending());

    generator->Update(*owner, 33);
    EXPECT_EQ(services.spawns.size(), 2u);

    Apply(*generator, services.spawns[0]);
    Apply(*generator, services.spawns[1]);
    ObjectManager& objects = ObjectManager::Instance();
    ASSERT_NE(objects.GetObject<Monster>(generator->GetFirstPetId()), nullptr);
    ASSERT_NE(objects.GetObject<Monster>(generator->GetSecondPetId()), nullptr);
    generator->Update(*owner, 33);
    EXPECT_EQ(services.spawns.size(), 2u);
}

TEST_F(SmallSkillsTest, AGeneratorSendsNothingWhenDeadMirroringOrWithoutRecords)
{
    auto* none = Generator("");
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

TEST_F(SmallSkillsTest, AnAttackAnimationIsUsableUnlearnt)
{
    auto* animation = MakeSkill<Skill_PlayAttackAnimation>(manager, {});
    EXPECT_EQ(animation->GetCurrentLevel(), 1u);
    EXPECT_TRUE(animation->EndAction(*owner));
}

TEST_F(SmallSkillsTest, AFauxAttackLeavesLifeAndTellsTheTargetOnce)
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
    EXPECT_EQ(services.spawns[0].ids.size(), 1u);
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

} // namespace
} // namespace GAME::Test
