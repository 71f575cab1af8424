#include "ai/ControllerMonster.h"

#include "ai/ControllerAIState.h"
#include "ai/ControllerAIStateT.h"
#include "ai/ControllerMonsterHidden.h"
#include "ai/ControllerStationaryMonster.h"
#include "ai/ControllerStooge.h"
#include "characters/AmbientCharacter.h"
#include "characters/CharacterMovementManager.h"
#include "characters/Monster.h"
#include "characters/TeamManager.h"
#include "core/PlayStatsDamageType.h"
#include "core/RandomUniform.h"
#include "engine/LoadTable.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "multiplayer/PlayerManagerClient.h"
#include "multiplayer/PlayerNetBasicInfo.h"
#include "skills/Skill.h"
#include "skills/SkillState.h"
#include "tests/ai/AiWorldFixture.h"
#include "tests/support/AiItemRecorder.h"
#include "tests/support/EngineFixture.h"
#include "world/Proxy.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace GAME::Test {
namespace {

class ControllerMonsterTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        database.WriteRecord("Records/Controllers/Monster/Brute.dbr",
                             {"Class = ControllerMonster"});
        controller = ObjectManager::Instance().CreateObjectFromFile<ControllerMonster>(
            "Records/Controllers/Monster/Brute.dbr");
    }

    // An enemy the anger table forces as the target while it exists.
    uint32_t ForcedEnemy()
    {
        Object* enemy = ObjectManager::Instance().CreateObject("Monster");
        controller->SetMostHatedEnemy(enemy->GetObjectId());
        return enemy->GetObjectId();
    }

    ControllerMonster* controller = nullptr;
};

TEST_F(ControllerMonsterTest, IgnoresRequirementsAndASpecialFirstWaitsItsTimeout)
{
    EXPECT_TRUE(controller->GetIgnoreEquipmentRequirements());
    controller->SetSpecialAttack5Skill(9, 1200, 300, 40, SkillUseRange_Long);
    const ControllerMonster::SpecialAttack fifth = controller->GetSpecialAttack(4);
    EXPECT_EQ(fifth.initialWait, 1200);
    EXPECT_EQ(controller->GetSpecialAttack(5).skill, 0u);
    EXPECT_EQ(controller->GetSpecialAttack(-1).skill, 0u);
}

TEST_F(ControllerMonsterTest, RangeWordsAreExact)
{
    EXPECT_EQ(ControllerMonster::GetSkillUseRangeFromText("ShortRange"), SkillUseRange_Short);
    EXPECT_EQ(ControllerMonster::GetSkillUseRangeFromText("MediumRange"), SkillUseRange_Medium);
    EXPECT_EQ(ControllerMonster::GetSkillUseRangeFromText("LongRange"), SkillUseRange_Long);
    EXPECT_EQ(ControllerMonster::GetSkillUseRangeFromText("longrange"), SkillUseRange_None);
    EXPECT_EQ(ControllerMonster::GetSkillUseRangeFromText(""), SkillUseRange_None);
}

TEST_F(ControllerMonsterTest, NewLeaderTeamChangeAndClearForgetTheGrudges)
{
    for (int step = 0; step < 3; ++step) {
        const uint32_t enemy = ForcedEnemy();
        EXPECT_EQ(controller->GetAngerManager().GetNewTarget(10.0f)->GetObjectId(), enemy);
        if (step == 0)
            controller->NewLeader(77);
        else if (step == 1)
            controller->TeamChanged();
        else
            controller->ClearAnger();
        EXPECT_EQ(controller->GetAngerManager().GetNewTarget(10.0f), nullptr) << step;
    }
}

TEST_F(ControllerMonsterTest, TreasureProxyReplacesTheOldOneAndKeepsOnlyProxies)
{
    database.WriteRecord("Records/Proxies/Chest.dbr", {"Class = Proxy"});
    database.WriteRecord("Records/Proxies/NotAProxy.dbr", {"Class = Monster"});
    ObjectManager& objects = ObjectManager::Instance();

    controller->SetTreasureProxy("");
    EXPECT_EQ(controller->GetTreasureProxy(), nullptr);
    controller->SetTreasureProxy("Records/Proxies/Chest.dbr");
    Proxy* first = controller->GetTreasureProxy();
    const uint32_t firstId = first->GetObjectId();

    controller->SetTreasureProxy("");
    EXPECT_EQ(controller->GetTreasureProxy(), first);
    controller->SetTreasureProxy("Records/Proxies/Chest.dbr");
    EXPECT_NE(controller->GetTreasureProxy()->GetObjectId(), firstId);
    EXPECT_EQ(objects.GetDestroyHistory().back().objectId, firstId);
    EXPECT_EQ(objects.GetDestroyHistory().back().file, "ControllerMonster");

    const uint32_t secondId = controller->GetTreasureProxy()->GetObjectId();
    controller->SetTreasureProxy("Records/Proxies/NotAProxy.dbr");
    EXPECT_EQ(controller->GetTreasureProxy(), nullptr);
    objects.ProcessDestroyedObjects();
    EXPECT_EQ(objects.GetObject(firstId), nullptr);
    EXPECT_EQ(objects.GetObject(secondId), nullptr);
}

TEST_F(ControllerMonsterTest, EnumerationWordsInTheWrongCaseReadAsTheDefault)
{
    database.WriteRecord("Records/Controllers/Monster/Odd.dbr",
                         {"Class = ControllerMonster", "FleeTarget = towardsallies",
                          "DistressResponseBehavior = respondtosametype"});
    auto* odd = ObjectManager::Instance().CreateObjectFromFile<ControllerMonster>(
        "Records/Controllers/Monster/Odd.dbr");
    EXPECT_EQ(odd->GetFleeTarget(), AwayFromEnemy);
    EXPECT_EQ(odd->GetDistressResponseBehavior(), RespondToAll);
}

class MonsterProbe : public ControllerMonster {
public:
    using ControllerMonster::AngerUpdate;
    using ControllerMonster::FindEnemy;
    using ControllerMonster::FindEnemyUpdate;
    using ControllerMonster::TryToHealAlly;
};

// Counts what the controller asks of the executing state.
class CountingState : public ControllerAIStateT<ControllerAI, Character> {
public:
    using ControllerAIStateT::ControllerAIStateT;
    void OnBegin() override {}
    void OnEnd() override {}
    void OnUpdate(int32_t /*elapsedMs*/) override {}
    bool ShouldFindEnemy() override
    {
        ++findRounds;
        return false;
    }
    void ProjectileNotification(uint32_t /*projectileId*/) override { ++projectiles; }
    bool RespondsToFear() override { return true; }

    int findRounds = 0;
    int projectiles = 0;
};

// A monster at (0, 0, 0) thinking with a probe loaded from the test's record lines.
class MonsterDecisionsTest : public AiWorldFixture {
protected:
    void Think(const std::string& lines)
    {
        self = Make("Self", 0, 0);
        controller = std::make_unique<MonsterProbe>();
        LoadTable table;
        table.Parse(lines, "Probe.dbr");
        controller->Load(table);
        controller->SetParentId(self->GetObjectId());
        state = new CountingState(controller.get());
        controller->AddState("Counting", state);
        controller->SetState("Counting", ControllerAIStateData());
    }

    void TearDown() override
    {
        controller.reset();
        DeathFixture::TearDown();
    }

    Monster* MakeFoe(float x)
    {
        Monster* foe = Make("Foe", x, 0);
        foe->SetTeam(TeamManager::DefaultPlayerTeam());
        return foe;
    }

    uint32_t MakeSkill(const std::string& name, bool enabled)
    {
        database.WriteRecord("Records/Skills/" + name + ".dbr", {"Class = ReachSkill"});
        Skill* skill = ObjectManager::Instance().CreateObjectFromFile<Skill>("Records/Skills/" +
                                                                             name + ".dbr");
        SkillState skillState;
        skillState.skillLevel = 1;
        skillState.enabled = enabled;
        skill->ReceiveStateUpdate(skillState, true);
        return skill->GetObjectId();
    }

    Monster* self = nullptr;
    std::unique_ptr<MonsterProbe> controller;
    CountingState* state = nullptr;
};

TEST_F(MonsterDecisionsTest, SpecialWaitsForTheEnemyItsTimeoutAndItsDelay)
{
    Think("");
    const uint32_t foe = MakeFoe(3)->GetObjectId();
    const uint32_t special = MakeSkill("Special", true);
    const uint32_t fallback = MakeSkill("Fallback", false);
    controller->SetSpecialAttackSkill(special, 2000, 500, 100, SkillUseRange_None);
    controller->SetDefaultAttackSkill(fallback);

    // The disabled default comes back: its state is never asked.
    controller->Update(3000);
    EXPECT_EQ(controller->ChooseBestSkill(foe, false), fallback);
    controller->SetMostHatedEnemy(foe);
    controller->FindEnemy();
    EXPECT_EQ(controller->ChooseBestSkill(foe, false), fallback);
    controller->Update(1999);
    EXPECT_EQ(controller->ChooseBestSkill(foe, false), fallback);
    controller->Update(1);
    EXPECT_EQ(controller->ChooseBestSkill(foe, false), special);

    controller->SetSpecialAttackCooldown(0, 500);
    EXPECT_EQ(controller->ChooseBestSkill(foe, false), fallback);
    controller->Update(500);
    EXPECT_EQ(controller->ChooseBestSkill(foe, false), special);
}

TEST_F(MonsterDecisionsTest, NoSkillAtAllLogsAndGivesZero)
{
    Think("");
    const uint32_t foe = MakeFoe(3)->GetObjectId();
    log.Clear();
    EXPECT_EQ(controller->ChooseBestSkill(foe, true), 0u);
    EXPECT_EQ(log.GetLines().size(), 0u);
    EXPECT_EQ(controller->ChooseBestSkill(foe, false), 0u);
    EXPECT_EQ(log.Count(2, "ControllerMonster::ChooseBestSkill picked an invalid skill for "
                           "Records/Creatures/Self.dbr"),
              1u);
}

TEST_F(MonsterDecisionsTest, BandBoundsAreExcludedAfterTheRadii)
{
    Think("");
    Monster* foe = MakeFoe(0);
    const float radii = self->GetExtents() + foe->GetExtents();
    const uint32_t id = foe->GetObjectId();
    foe->SetPathPosition(WorldVec3(kRegion, Vec3(4.0f + radii, 0, 0)));
    EXPECT_FALSE(controller->IsSkillInProperRange(id, SkillUseRange_Short));
    EXPECT_FALSE(controller->IsSkillInProperRange(id, SkillUseRange_Medium));
    foe->SetPathPosition(WorldVec3(kRegion, Vec3(3.5f + radii, 0, 0)));
    EXPECT_TRUE(controller->IsSkillInProperRange(id, SkillUseRange_Short));
    foe->SetPathPosition(WorldVec3(kRegion, Vec3(radii, 0, 0)));
    EXPECT_FALSE(controller->IsSkillInProperRange(id, SkillUseRange_Short));
    EXPECT_TRUE(controller->IsSkillInProperRange(999, SkillUseRange_None));
    EXPECT_FALSE(controller->IsSkillInProperRange(999, SkillUseRange_Short));
}

TEST_F(MonsterDecisionsTest, SightAngerGrowsPerPeriodAndTheTimerKeepsTheRest)
{
    Think("ForgiveRate = 0\nViewDistance = 20");
    Monster* foe = MakeFoe(10);
    // Without "MaxPursuitDistance" every character is in range.
    EXPECT_TRUE(controller->InPursuitRange(foe->GetObjectId()));
    EXPECT_FLOAT_EQ(controller->ProcessAngerTarget(*foe, 200), 3.8f);

    controller->AngerUpdate(450);
    EXPECT_EQ(controller->GetAngerTimer(), 150.0f);
    // 11.4 in all: above 11.3, not above 11.5.
    EXPECT_EQ(controller->GetAngerManager().GetNewTarget(11.5f), nullptr);
    EXPECT_EQ(controller->GetAngerManager().GetNewTarget(11.3f), foe);
}

TEST_F(MonsterDecisionsTest, HugeTimesSaturate)
{
    Think("ViewDistance = 20");
    Monster* foe = MakeFoe(10);
    // 10,737,419 periods: their 2,147,483,800 ms reach the table as 2,147,483,647, so the
    // anger fades instead of growing by a wrapped negative time.
    controller->AngerUpdate(2147483647);
    EXPECT_GE(controller->GetAngerTimer(), 0.0f);
    EXPECT_LT(controller->GetAngerTimer(), 400.0f);
    EXPECT_EQ(controller->GetAngerManager().GetNewTarget(0.0f), nullptr);

    controller->AddState("Scared", new CountingState(controller.get()));
    controller->ScareMe(foe->GetObjectId(), 1.0e12f);
    EXPECT_EQ(controller->GetScareTimer(), 2147483647);
    EXPECT_TRUE(controller->StillScared());
    EXPECT_EQ(controller->GetCurrentEnemy(), foe->GetObjectId());
}

TEST_F(MonsterDecisionsTest, FindRoundsCatchUpTwiceAtMost)
{
    Think("");
    controller->FindEnemyUpdate(1000);
    EXPECT_EQ(state->findRounds, 2);
    EXPECT_EQ(controller->GetFindEnemyTimer(), 200);
    controller->FindEnemyUpdate(350);
    EXPECT_EQ(state->findRounds, 3);
    EXPECT_EQ(controller->GetFindEnemyTimer(), 50);
}

TEST_F(MonsterDecisionsTest, AnAllyExactlyAtTheThresholdIsNotHealed)
{
    Think("healAllyHealthPercentage = 50");
    controller->AddTemporaryState("UseSkillOnAlly", new CountingState(controller.get()));
    Monster* ally = Make("Ally", 2, 0, {"characterLife = 100"});
    ally->ForceSpeedUpdate();
    ally->SubtractLife(50.0f, PlayStatsDamageType{});
    controller->TryToHealAlly();
    EXPECT_EQ(controller->GetTemporaryQueueSize(), 0u);
    ally->SubtractLife(1.0f, PlayStatsDamageType{});
    controller->TryToHealAlly();
    EXPECT_EQ(controller->GetTemporaryQueueSize(), 1u);
}

TEST_F(MonsterDecisionsTest, AProjectileInTheDodgeCooldownOnlyRestartsIt)
{
    Think("");
    controller->ProjectileNotification(0);
    EXPECT_EQ(state->projectiles, 1);
    EXPECT_EQ(controller->GetDodgeCooldown(), 5000);
    controller->Update(1000);
    controller->ProjectileNotification(0);
    EXPECT_EQ(state->projectiles, 1);
    EXPECT_EQ(controller->GetDodgeCooldown(), 5000);
}

TEST_F(MonsterDecisionsTest, MiscDropsFollowTheirChanceAndThePerMemberItemComesOnce)
{
    AiItemRecorder recorder;
    database.WriteRecord("Records/Items/Ring.dbr", {"Class = ItemEquipment"});
    database.WriteRecord("Records/Items/Charm.dbr", {"Class = ItemEquipment"});
    Think("");
    Monster* dying =
        Make("Dying", 1, 0,
             {"chanceToEquipMisc1 = 0", "lootMisc1Item1 = Records/Items/Charm.dbr",
              "chanceToEquipMisc1Item1 = 100", "chanceToEquipMisc2 = 100",
              "lootMisc2Item1 = Records/Items/Ring.dbr", "chanceToEquipMisc2Item1 = 100",
              "perPartyMemberDropItemName = Records/Items/Charm.dbr"});
    controller->SetParentId(dying->GetObjectId());
    controller->CreateDropMiscItems();
    ASSERT_EQ(recorder.drops.size(), 2u);
    EXPECT_EQ(recorder.drops[0].baseName, "Records/Items/Ring.dbr");
    EXPECT_EQ(recorder.drops[1].baseName, "Records/Items/Charm.dbr");
}

constexpr uint32_t kAna = 0x10000001;
constexpr uint32_t kBob = 0x20000001;
constexpr uint32_t kCy = 0x30000001;
constexpr uint32_t kDee = 0x40000001;

class ControllerMonsterLootTest : public DeathFixture {
protected:
    static PlayerNetBasicInfo Player(uint32_t id, uint32_t party)
    {
        PlayerNetBasicInfo record;
        record.playerId = id;
        record.partyId = static_cast<int32_t>(party);
        record.position = WorldVec3(kRegion, Vec3());
        return record;
    }

    // The names of the items the monster drops when the attacker killed it.
    std::vector<std::string> DropsWhenKilledBy(uint32_t attackerId)
    {
        database.WriteRecord("Records/Items/Charm.dbr", {"Class = ItemEquipment"});
        Monster* dying = Spawn<Monster>("Records/Creatures/Dying.dbr",
                                        {"perPartyMemberDropItemName = Records/Items/Charm.dbr"});
        dying->SetPathPosition(WorldVec3(kRegion, Vec3(1, 0, 0)));
        dying->GetCombatManager().SetAttacker(attackerId);
        auto controller = std::make_unique<ControllerMonster>();
        controller->SetParentId(dying->GetObjectId());

        AiItemRecorder recorder;
        controller->CreateDropMiscItems();

        std::vector<std::string> names;
        std::set<uint32_t> ids;
        for (const ItemReplicaInfo& item : recorder.drops) {
            names.push_back(item.baseName);
            ids.insert(item.id);
        }
        EXPECT_EQ(ids.size(), names.size()) << "every copy has an id of its own";
        return names;
    }
};

TEST_F(ControllerMonsterLootTest, EveryMemberOfTheKillersPartyGetsACopy)
{
    Game().GetPlayerManagerClient()->HandlePlayerUpdate(
        {Player(kAna, kAna), Player(kBob, kAna), Player(kCy, kAna), Player(kDee, 0)});
    const std::string charm = "Records/Items/Charm.dbr";
    EXPECT_EQ(DropsWhenKilledBy(kBob), std::vector<std::string>(3, charm));
    EXPECT_EQ(DropsWhenKilledBy(kDee), std::vector<std::string>(1, charm));
}

class LesserMonsterTest : public AiWorldFixture {
protected:
    // A monster at (x, 0, z) thinking with a controller of these record lines.
    template <typename TController>
    Monster* Monsterwith(const std::string& name, float x, float z,
                         std::initializer_list<std::string> controllerLines)
    {
        const std::string controllerRecord = "Records/Controllers/" + name + ".dbr";
        std::string text = std::string("Class = ") + TController::classInfo.GetName() + "\n";
        for (const std::string& line : controllerLines)
            text += line + "\n";
        database.WriteFile(controllerRecord, text);
        Monster* monster = Make(name, x, z,
                                {"controller = " + controllerRecord, "unarmedWalkAnim = Walk",
                                 "unarmedRunAnim = Run", "unarmedSpawnAnim = Rise"});
        monster->SetLifeState(LifeState_Alive);
        Brain(*monster).InitialUpdate();
        return monster;
    }
    Monster* Other(const std::string& name, float x, bool foe)
    {
        Monster* other = Make(name, x, 0);
        other->SetLifeState(LifeState_Alive);
        if (foe)
            other->SetTeam(TeamManager::DefaultPlayerTeam());
        return other;
    }
    static ControllerMonster& Brain(const Character& character)
    {
        return ControllerOf<ControllerMonster>(character);
    }
};

TEST_F(LesserMonsterTest, AStationaryMonsterStrikesFromItsSpotOrStands)
{
    database.WriteRecord("Records/Skills/Bolt.dbr", {"Class = Skill"});
    const uint32_t bolt = ObjectManager::Instance()
                              .CreateObjectFromFile<Skill>("Records/Skills/Bolt.dbr")
                              ->GetObjectId();
    Monster* turret = Monsterwith<ControllerStationaryMonster>("Turret", 0, 0, {});
    ControllerMonster& controller = Brain(*turret);
    const Vec3 standing = turret->GetMovementManager()->GetPathTarget().GetRegionPosition();
    const uint32_t near = Other("Near", 1, true)->GetObjectId();
    const uint32_t far = Other("Far", 40, true)->GetObjectId();

    struct Row {
        const char* state;
        uint32_t enemy;
        const char* after;
    };
    for (const Row& row :
         {Row{"Pursue", far, "Idle"}, Row{"Flee", near, "Idle"}, Row{"Return", 0, "Idle"},
          Row{"Move", 0, "Idle"}, Row{"Pursue", near, "Attack"}}) {
        SCOPED_TRACE(std::string(row.state) + " -> " + row.after);
        controller.SetState(row.state, ControllerAIStateData(row.enemy, 0, bolt, WorldVec3()));
        EXPECT_EQ(StateOf(*turret), row.after);
        EXPECT_EQ(turret->GetMovementManager()->GetPathTarget().GetRegionPosition(), standing);
    }
}

class HiddenMonsterTest : public LesserMonsterTest {
protected:
    Monster* Lurker()
    {
        return Monsterwith<ControllerMonsterHidden>("Lurker", 0, 0, {"appearDistance = 5.0"});
    }
};

TEST_F(HiddenMonsterTest, OnlyAFoeNearerThanTheAppearDistanceWakesIt)
{
    Monster* lurker = Lurker();
    ControllerMonster& controller = Brain(*lurker);
    ASSERT_EQ(StateOf(*lurker), "Startup");

    Other("Friend", 1, false);
    Monster* foe = Other("Foe", 7, true);
    controller.GetExecutingState()->OnUpdate(33);
    EXPECT_EQ(StateOf(*lurker), "Startup");
    EXPECT_FALSE(lurker->GetPoppedOut());

    foe->SetPathPosition(At(4, 0));
    controller.GetExecutingState()->OnUpdate(33);
    EXPECT_TRUE(lurker->GetPoppedOut());
    controller.HandleEvent(Name::Create("End"));
    EXPECT_EQ(StateOf(*lurker), "Pursue");
    EXPECT_EQ(controller.GetCurrentEnemy(), foe->GetObjectId());
    EXPECT_GT(controller.GetAngerManager().GetAnger(foe->GetObjectId()), 0.0f);
}

TEST_F(HiddenMonsterTest, AFoeThatWentBeforeTheSpawnEndedIsNotTaunted)
{
    Monster* lurker = Lurker();
    ControllerMonster& controller = Brain(*lurker);
    Monster* foe = Other("Foe", 3, true);
    const uint32_t foeId = foe->GetObjectId();
    controller.GetExecutingState()->OnUpdate(33);
    ASSERT_TRUE(lurker->GetPoppedOut());
    ObjectManager::Instance().DestroyObjectEx(foe, __FILE__, __LINE__);
    controller.HandleEvent(Name::Create("End"));
    EXPECT_EQ(controller.GetAngerManager().GetAnger(foeId), 0.0f);
    EXPECT_EQ(controller.GetCurrentEnemy(), 0u);
}

TEST_F(HiddenMonsterTest, OnceOutItStartsIdle)
{
    Monster* lurker = Lurker();
    lurker->SetPoppedOut(true);
    Brain(*lurker).SetState("Startup", ControllerAIStateData());
    EXPECT_EQ(StateOf(*lurker), "Idle");
}

class StoogeTest : public AiWorldFixture {
protected:
    AmbientCharacter* Crab(std::initializer_list<std::string> lines)
    {
        database.WriteRecord("Records/Items/Shell.dbr", {"Class = ItemEquipment"});
        return Spawn<AmbientCharacter>("Records/Creatures/Crab.dbr", lines);
    }
};

TEST_F(StoogeTest, EverySlotDrawsOnceWhateverItsChance)
{
    AmbientCharacter* crab =
        Crab({"controllerType = Stooge", "chanceToEquipMisc1 = 0", "chanceToEquipMisc3 = 0",
              "lootMisc1Item1 = Records/Items/Shell.dbr", "chanceToEquipMisc1Item1 = 100"});
    AiItemRecorder recorder;
    RandomUniform expected = Game().GetRandomGen();
    for (int draw = 0; draw < 3; ++draw)
        expected.FGenerate(0.1f, 100.0f);
    ControllerOf<ControllerStooge>(*crab).CharacterIsDead();
    EXPECT_TRUE(recorder.drops.empty());
    EXPECT_EQ(Game().GetRandomGen().IGenerate(0, 1000000), expected.IGenerate(0, 1000000));
}

TEST_F(StoogeTest, ACertainSlotDropsItsOnlyRecordAtTheCreature)
{
    AmbientCharacter* crab =
        Crab({"controllerType = Stooge", "chanceToEquipMisc2 = 100.0",
              "lootMisc2Item1 = Records/Items/Shell.dbr", "chanceToEquipMisc2Item1 = 100"});
    AiItemRecorder recorder;
    std::vector<Vec3> where;
    recorder.onCreate = [&where](const WorldCoords& coords, const ItemReplicaInfo&) {
        where.push_back(coords.GetRegionCoords().origin);
    };
    ControllerOf<ControllerStooge>(*crab).CharacterIsDead();
    ASSERT_EQ(recorder.drops.size(), 1u);
    EXPECT_EQ(recorder.drops[0].baseName, "Records/Items/Shell.dbr");
    EXPECT_EQ(where, std::vector<Vec3>{kPlace.GetRegionCoords().origin});
}

} // namespace
} // namespace GAME::Test
