// A monster entering a level: created by class name from its record and loaded, with every
// record it names already read once (the database keeps them). Its bio, level file, combat
// record with formulas, sound packs, animations and the shared effect packs all load each
// time. The budget is 150 microseconds a monster.
//
// Its starting equipment: nine slots, each rolled from six weighted names of the cached record,
// every item created under its slot's id and attached. The budget is 50 microseconds.
#include "bench/BenchWorld.h"
#include "characters/Monster.h"
#include "engine/ObjectManager.h"
#include "items/Item.h"

#include <benchmark/benchmark.h>

#include <string>

namespace GAME {

namespace {

constexpr const char* kMonster = "Records/Creatures/Monster/Satyr/SatyrWarrior.dbr";
constexpr const char* kLooter = "Records/Creatures/Monster/Satyr/SatyrLooter.dbr";
constexpr const char* kLootLocations[] = {
    "Head", "Neck", "Torso", "LowerBody", "Forearm", "LeftHand", "RightHand", "Finger1", "Finger2"};

// Every slot always rolls, from six names of rising weight.
std::string LooterRecord()
{
    std::string text = "Class = Character\n";
    for (const char* location : kLootLocations) {
        text += std::string("chanceToEquip") + location + " = 100\n";
        for (int i = 1; i <= 6; ++i) {
            const std::string number = std::to_string(i);
            text += std::string("chanceToEquip") + location + "Item" + number + " = " +
                    std::to_string(i * 10) + "\n";
            text += std::string("loot") + location + "Item" + number + " = Records/Items/Gear" +
                    number + ".dbr;Records/Items/Gear" + number + ".dbr;Records/Items/Gear" +
                    number + ".dbr\n";
        }
    }
    return text;
}

class LootBenchCharacter : public Character {
public:
    using Character::LoadLootFromStruct;
    const LootStruct& Loot() const { return lootState; }
};

// A database folder holding the monster and what it names, removed again afterwards.
class MonsterDatabase : public Bench::BenchRecords {
public:
    MonsterDatabase()
    {
        Write("Records/Game/GameEngine.dbr",
              "defaultCombatManagerRecord = Records/Game/CombatManager.dbr\n"
              "coldDamageFxPak = Records/Fx/Packs/Frost.dbr;Records/Fx/Packs/Frost.dbr\n"
              "fireDamageFxPak = Records/Fx/Packs/Burn.dbr;Records/Fx/Packs/Burn.dbr\n"
              "poisonDamageFxPak = Records/Fx/Packs/Burn.dbr;Records/Fx/Packs/Burn.dbr\n"
              "fireBuffFxPak = Records/Fx/Packs/Burn.dbr;Records/Fx/Packs/Burn.dbr\n"
              "absFireFx = Records/Fx/Spark.dbr;Records/Fx/Spark.dbr\n"
              "absFireFxSound = Records/Sounds/Sizzle.dbr\n");
        Write("Records/Game/HealthManaRegen.dbr",
              "lifeRegenEquation = ((lifeRegen*(1+(lifeRegenMod*0.01)))*elapsedTime)\n"
              "manaRegenEquation = (((manaRegen*(1+(manaRegenMod*0.01)))+(intelligence*0.002))"
              "*elapsedTime)\n"
              "healthOverStorageLimit = 0.5\nhealthFeedRate = 4\nmanaFeedRate = 4\n");
        Write("Records/Game/CombatManager.dbr",
              "combatRegionHeadChance = 10\ncombatRegionTorsoChance = 60\n"
              "combatRegionArmsChance = 15\ncombatRegionLegsChance = 15\n"
              "physicalDamageEquation = (physicalDamageDV*(1+(strengthDV*0.002)))\n"
              "pierceDamageEquation = (pierceDamageDV*(1+(dexterityDV*0.002)))\n"
              "elementalDamageEquation = (elementalDamageDV*(1+(intelligenceDV*0.002)))\n"
              "probabilityToHitEquation = ((offensiveAbilityDV/(offensiveAbilityDV+"
              "defensiveAbilityDV))*100)\n"
              "pthThreshold1 = 50\npthDamageModifier1 = 1.2\n");
        Write("Records/Creatures/Monster/MonsterLevels.dbr",
              "experienceLevelEquation = ((playerLevel*playerLevel)*100)\n"
              "maxPlayerLevel = 75\ncharacterModifierPoints = 2\nskillModifierPoints = 3\n");
        for (const char* sound : {"Step", "Swing", "Hit", "Grunt", "Die", "Sizzle"})
            Write(std::string("Records/Sounds/") + sound + ".dbr",
                  "Class = SoundPak\nsoundFiles = a.wav;b.wav\n");
        Write("Records/Fx/Spark.dbr", "Class = EffectEntity\n");
        Write("Records/Fx/Packs/Frost.dbr", "particleEffectNames = Records/Fx/Spark.dbr\n");
        Write("Records/Fx/Packs/Burn.dbr",
              "particleEffectNames = Records/Fx/Spark.dbr;Records/Fx/Spark.dbr\n"
              "particleEffectAttachPoints = Chest;Head\nuseTintColor = true\ncolorRed = 1\n"
              "startSound = Records/Sounds/Sizzle.dbr\n");
        Write(kMonster,
              "Class = Monster\n"
              "characterStrength = 120;180;240\ncharacterDexterity = 80;120;160\n"
              "characterIntelligence = 40;60;80\ncharacterLife = 450;900;1600\n"
              "characterMana = 100;150;200\ncharacterLifeRegen = 1.5\n"
              "characterRunSpeed = 100\ncharacterAttackSpeed = 100\n"
              "defensivePhysical = 10;20;30\ndefensiveFire = 5;10;15\n"
              "levelFileName = Records/Creatures/Monster/MonsterLevels.dbr\n"
              "charLevel = 12;24;36\nexperiencePoints = 800\n"
              "handHitDamageMin = 12\nhandHitDamageMax = 20\n"
              "characterGenderProfile = Satyr\npathingSize = Medium\n"
              "characterRacialProfile = Beastman\n"
              "defaultTeamMajor = TeamMajor_Monster\ndefaultTeamMinor = TeamMinorMonster_Red\n"
              "turnRate = 6\nweaponScale = 1\n"
              "footDirt = Records/Sounds/Step.dbr\nfootGrass = Records/Sounds/Step.dbr\n"
              "footStone = Records/Sounds/Step.dbr\nswipeSound = Records/Sounds/Swing.dbr\n"
              "attackSound = Records/Sounds/Swing.dbr\nimpactSound = Records/Sounds/Hit.dbr\n"
              "impactSoundChance = 30\nsplashSound = Records/Sounds/Hit.dbr\n"
              "voxSound = Records/Sounds/Grunt.dbr\nvoxSoundChance = 20\n"
              "deathSound1 = Records/Sounds/Die.dbr\n"
              "unarmedAttackIdleAnim = SatyrIdle\nunarmedAttackIdleAnim2 = SatyrIdle2\n"
              "unarmedAttackIdleAnimWeight2 = 30\nunarmedRunAnim = SatyrRun\n"
              "unarmedRunAnimSpeed = 1.2\nunarmedWalkAnim = SatyrWalk\n"
              "unarmedFidgetAnim1 = SatyrFidget\nunarmedFidgetAnimWeight1 = 1\n"
              "unarmedStunAnim = SatyrStun\nunarmedCriticalHitAnim = SatyrHit\n"
              "unarmedDieAnim1 = SatyrDie1\nunarmedDieAnimWeight1 = 1\n"
              "unarmedDieAnim2 = SatyrDie2\nunarmedDieAnimWeight2 = 1\n"
              "unarmedAttackAnim1 = SatyrSwipe1\nunarmedAttackAnimWeight1 = 2\n"
              "unarmedAttackAnim2 = SatyrSwipe2\nunarmedAttackAnimWeight2 = 1\n"
              "unarmedSpecialAnim1 = SatyrRoar\nunarmedSpecialAnimRef1 = Roar\n"
              "unarmedSpawnAnim = SatyrSpawn\n"
              "deleteBehavior = Dissolve\ndissolveTime = 2\ndeathEffect = Records/Fx/Spark.dbr\n"
              "numAttackSlots = 6\ndistressCallRange = 20\n");
        Write(kLooter, LooterRecord());
        for (int i = 1; i <= 6; ++i)
            Write("Records/Items/Gear" + std::to_string(i) + ".dbr", "Class = Item\n");
    }
};

} // namespace

static void BM_Character_LoadMonsterRecord(benchmark::State& state)
{
    MonsterDatabase database;
    // The unused special rows of the set log as they load; the log is not what is measured.
    const Bench::BenchLibrary library(database.Root());
    ObjectManager& objects = ObjectManager::Instance();
    // The first load reads every record; the measured ones find them kept.
    objects.DestroyObjectEx(objects.CreateObjectFromFile<Monster>(kMonster), "bench", 1);
    objects.ProcessDestroyedObjects();
    for (auto _ : state) {
        Monster* monster = objects.CreateObjectFromFile<Monster>(kMonster);
        state.PauseTiming();
        if (monster == nullptr || monster->GetCharLevel() != 12 ||
            monster->GetAnimationSet() == nullptr) {
            state.SkipWithError("the monster did not load");
            break;
        }
        objects.DestroyObjectEx(monster, "bench", 1);
        objects.ProcessDestroyedObjects();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Character_LoadMonsterRecord)->Unit(benchmark::kMicrosecond);

static void BM_Character_RollNineLootSlots(benchmark::State& state)
{
    MonsterDatabase database;
    const Bench::BenchLibrary library(database.Root());
    ObjectManager& objects = ObjectManager::Instance();
    uint16_t seed = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto* looter = new LootBenchCharacter();
        objects.RegisterObject(looter);
        looter->SetObjectName(kLooter);
        objects.LoadTableFile(kLooter);
        looter->Load(objects.GetLoadTable(kLooter));
        Character::LootStruct loot;
        loot.seed = ++seed;
        for (uint32_t& id : loot.itemIds)
            id = objects.CreateObjectID();
        state.ResumeTiming();

        looter->LoadLootFromStruct(loot);

        state.PauseTiming();
        if (objects.GetObject<Item>(looter->Loot().itemIds[0]) == nullptr) {
            state.SkipWithError("no item was rolled");
            break;
        }
        objects.DestroyObjectEx(looter, "bench", 1);
        for (const uint32_t id : loot.itemIds) {
            if (Object* item = objects.GetObject(id))
                objects.DestroyObjectEx(item, "bench", 1);
        }
        objects.ProcessDestroyedObjects();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Character_RollNineLootSlots)->Unit(benchmark::kMicrosecond);

} // namespace GAME
