#include "characters/Monster.h"
#include "core/BinaryWriter.h"
#include "engine/BinaryReader.h"
#include "skills/SkillSecondary_ChainLightning.h"
#include "skills/SkillSecondary_ForkLightning.h"
#include "skills/SkillSecondary_PetSpawn.h"
#include "tests/support/SkillsFixture.h"
#include "world/Lightning.h"

#include <set>

namespace GAME::Test {
namespace {

class SecondarySkillsTest : public SkillsOwnerFixture {
protected:
    void SetUp() override
    {
        SkillsOwnerFixture::SetUp();
        MakeOwner(true);
        database.WriteRecord(Monster::kDefaultControllerRecord, {"Class = ControllerMonster"});
        database.WriteRecord("Records/Sparks/Pet.dbr", {"Class = Monster", "characterLife = 50"});
        database.WriteRecord("Records/Sparks/Bolt.dbr", {"Class = Lightning", "numberOfBolts = 1",
                                                         "timeMin = 0.4", "timeMax = 0.4"});
    }

    template <class Kind> Kind* Secondary(std::vector<std::string> lines)
    {
        lines.push_back("skillMaxLevel = 3");
        return MakeOwned<Kind>(lines);
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

TEST_F(SecondarySkillsTest, AForkPicksDistinctFoesBesideThePrimarysTarget)
{
    auto* fork = Secondary<SkillSecondary_ForkLightning>(
        {"sparkGap = 20", "sparkChance = 100", "sparkMaxNumber = 3"});
    const std::vector<SkillsTarget*> foes = Foes(5);
    const uint32_t primary = foes[0]->GetObjectId();
    for (int cast = 0; cast < 10 && services.results.empty(); ++cast)
        fork->ActivateNow(*owner, primary, {}, At(3));
    ASSERT_EQ(services.results.size(), 1u);
    const std::vector<uint32_t>& picked = services.results[0].targets;
    EXPECT_EQ(std::set<uint32_t>(picked.begin(), picked.end()).size(), 3u);
    EXPECT_EQ(std::count(picked.begin(), picked.end(), primary), 0);
}

TEST_F(SecondarySkillsTest, NoChanceNeverSparks)
{
    auto* chain = Secondary<SkillSecondary_ChainLightning>(
        {"sparkGap = 20", "sparkChance = 0", "sparkMaxNumber = 3"});
    Foes(3);
    chain->ActivateNow(*owner, 0, {}, At(0));
    EXPECT_TRUE(services.results.empty());
}

TEST_F(SecondarySkillsTest, AChainStrikesEachFoeAsItsBoltArrivesOneAtATime)
{
    auto* chain = Secondary<SkillSecondary_ChainLightning>(
        {"sparkGap = 20", "sparkChance = 100", "sparkMaxNumber = 3",
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
    auto* chain = Secondary<SkillSecondary_ChainLightning>(
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
    auto* spawn = Secondary<SkillSecondary_PetSpawn>(
        {"spawnObjects = Records/Sparks/Pet.dbr", "petLimit = 3"});
    ObjectManager& objects = ObjectManager::Instance();
    const WorldCoords a(At(3)), b(At(5)), c(At(7));
    const std::vector<uint32_t> ids = {objects.CreateObjectID(), objects.CreateObjectID()};
    spawn->SkillSpawnObject(*owner, owner->GetCoords(), 0, {a, b, c}, ids, 0);
    EXPECT_NE(objects.GetObject<Monster>(ids[0]), nullptr);
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

} // namespace
} // namespace GAME::Test
