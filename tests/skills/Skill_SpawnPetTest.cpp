#include "skills/Skill_SpawnPet.h"

#include "characters/Monster.h"
#include "skills/Skill_SpawnPetMonster.h"
#include "tests/support/SkillsFixture.h"

namespace GAME::Test {
namespace {

class SpawnPetTest : public SkillsOwnerFixture {
protected:
    void SetUp() override
    {
        SkillsOwnerFixture::SetUp();
        MakeOwner(true);
        database.WriteRecord(Monster::kDefaultControllerRecord, {"Class = ControllerMonster"});
        database.WriteRecord("Records/Creatures/Pet.dbr",
                             {"Class = Monster", "characterLife = 50"});
    }

    template <typename T> T* MakePets(const char* burst, const char* limit)
    {
        return MakeOwned<T>({"skillMaxLevel = 3", "spawnObjects = Records/Creatures/Pet.dbr",
                             "skillManaCost = 5", std::string("petBurstSpawn = ") + burst,
                             std::string("petLimit = ") + limit});
    }

    // Applies what the skill just sent, as every machine does.
    void Apply(Skill_SpawnPet& skill)
    {
        ASSERT_FALSE(services.spawns.empty());
        const SkillsSent::Spawn& sent = services.spawns.back();
        skill.SkillSpawnObject(*owner, sent.origin, 0, sent.coords, sent.ids, 0);
    }

    static bool Living(uint32_t id)
    {
        const auto* pet = ObjectManager::Instance().GetObject<Monster>(id);
        return pet != nullptr && pet->IsAlive();
    }
};

TEST_F(SpawnPetTest, ABurstOfZeroSummonsOneAndTheLimitKillsTheOldest)
{
    auto* one = MakePets<Skill_SpawnPet>("0", "0");
    EXPECT_EQ(one->GetNumPets(*owner), 1u);

    auto* pets =
        MakeOwned<Skill_SpawnPet>({"skillMaxLevel = 3", "spawnObjects = Records/Creatures/Pet.dbr",
                                   "petBurstSpawn = 3", "petLimit = 2"});
    EXPECT_EQ(pets->GetNumPets(*owner), 3u);
    pets->ActivateNow(*owner, Name(), 0, WorldVec3());
    ASSERT_EQ(services.spawns.size(), 1u);
    const std::vector<uint32_t> ids = services.spawns[0].ids;
    ASSERT_EQ(ids.size(), 3u);
    Apply(*pets);
    EXPECT_EQ(pets->GetPets(), (std::vector<uint32_t>{ids[1], ids[2]}));
    EXPECT_FALSE(Living(ids[0]));
    EXPECT_TRUE(Living(ids[2]));

    pets->StopSkill(*owner);
    EXPECT_FALSE(Living(ids[2]));
}

TEST_F(SpawnPetTest, PeerMessagesWithTooManyIdsOrIdsInUseMakeNothing)
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

TEST_F(SpawnPetTest, AMonsterTopsUpItsPetsThenStaysDisabled)
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
    Apply(*pets);
    pets->Update(*owner, 33);
    EXPECT_EQ(pets->GetPets().size(), 2u);
    EXPECT_FALSE(pets->IsSkillEnabled());
    EXPECT_EQ(pets->GetNumPets(*owner), 0u);
}

TEST_F(SpawnPetTest, NoFreePlaceSendsNothingAndAMissingRecordIsLogged)
{
    auto* pets = MakePets<Skill_SpawnPet>("1", "0");
    // Standing in no known region, the caster has no free place around it.
    auto* lost = Made(ObjectManager::Instance().CreateObjectFromFile<Character>(kOwner), kOwner);
    pets->ActivateNow(*lost, Name(), 0, WorldVec3());
    EXPECT_TRUE(services.spawns.empty());

    auto* ghost = MakeOwned<Skill_SpawnPet>(
        {"skillMaxLevel = 3", "spawnObjects = Records/Creatures/Missing.dbr"});
    log.Clear();
    const WorldCoords at(At(3));
    ghost->SkillSpawnObject(*owner, at, 0, {at}, {ObjectManager::Instance().CreateObjectID()}, 0);
    EXPECT_TRUE(ghost->GetPets().empty());
    EXPECT_EQ(log.Count(1, "Failed to spawn pet object (Records/Creatures/Missing.dbr)"), 1u);
}

} // namespace
} // namespace GAME::Test
