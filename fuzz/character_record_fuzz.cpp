// A hostile character record and the records it names, split on NUL bytes: the character, the
// game settings, a combat record, a level file, an animation table, a sound pack, an effect pack
// and its particle effect, and the regeneration record. The database holds them for the input;
// the character is made from its record by class name, enters the world, takes a
// wound and a few updates, then dies in a world of its own: the death runs through its updates
// and every callback to its end, a bounded number of frames. Before it dies it fights: its
// combat record (the one "combatManagerRecord" names) draws regions by its weights, runs its
// formulas and bands, and the character takes a blow of each style, damage over time included,
// from an attacker it strikes back at. Then it is destroyed. Nothing may crash, a region is a
// region, life and mana stay numbers, and nothing it made may outlive it: no object, loaded
// animation or forced update. Its starting equipment is rolled too, as a replica would roll it,
// from loot keys of any weight or name: whatever it makes is an item. A second body of the
// record, driven by a controller made from the controller record, is killed: it drops the gold
// its gold record gives, every pile a named actor, none negative, never more piles than allowed;
// and the gold record splits any amount into piles that add up to it. Last, a monster thinks
// with a hostile AI record (its personality and its skill slots in one): with an ally and an
// enemy beside it, it is hurt, scared, taunted, stunned, trapped and confused over frames long
// and short, asked for skills and ranges, then killed: no crash, no hang, and its place stays
// finite.
#include "ai/ControllerCombat.h"
#include "ai/ControllerMonster.h"
#include "characters/AnimationSet.h"
#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/TeamManager.h"
#include "combat/CombatAttributeDamage.h"
#include "combat/CombatAttributeDamage_BasePhysical.h"
#include "combat/CombatManager.h"
#include "combat/DeathManager.h"
#include "combat/DurationDamageManager.h"
#include "combat/ParametersCombat.h"
#include "core/PlayStatsDamageType.h"
#include "core/RTTI_ClassInfo.h"
#include "core/RandomUniform.h"
#include "engine/ABBox.h"
#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/FilterFunction.h"
#include "engine/GraphicsEngine.h"
#include "engine/LoadTable.h"
#include "engine/Name.h"
#include "engine/Object.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "fuzz/InputStart.h"
#include "fuzz/QuietGame.h"
#include "fuzz/RecordInput.h"
#include "game/GameEngine.h"
#include "items/EquipManager_HandState.h"
#include "items/GoldGenerator.h"
#include "items/Item.h"
#include "items/ItemReplicaInfo.h"
#include "multiplayer/GameEngineInboundInterface.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace GAME;

// Where each piece of the input goes, in its order. The seeds' records name these paths.
constexpr const char* kRecords[] = {
    "Records/Fuzz/Character.dbr", "Records/Game/GameEngine.dbr", "Records/Fuzz/Combat.dbr",
    "Records/Fuzz/Levels.dbr",    "Records/Fuzz/Animations.dbr", "Records/Fuzz/Sound.dbr",
    "Records/Fuzz/FxPak.dbr",     "Records/Fuzz/Effect.dbr",     "Records/Game/HealthManaRegen.dbr",
    "Records/Fuzz/Item.dbr",      "Records/Fuzz/Gold.dbr",       "Records/Fuzz/Controller.dbr",
    "Records/Fuzz/MonsterAI.dbr",
};
constexpr const char* kGoldRecord = "Records/Fuzz/Gold.dbr";
constexpr const char* kControllerRecord = "Records/Fuzz/Controller.dbr";
constexpr const char* kMonsterAIRecord = "Records/Fuzz/MonsterAI.dbr";
// The monster that thinks with the AI record, and the one it fights.
constexpr const char* kThinkerRecord = "Records/Fuzz/Thinker.dbr";
constexpr const char* kEnemyRecord = "Records/Fuzz/Enemy.dbr";
constexpr int32_t kThinkFrameMs[] = {0,   33, 33,        450, 1000, 16, 1 << 30, 33, 5000,
                                     333, 1,  INT32_MAX, 33,  200,  33, 2000,    33};

// The kinds a character record may ask for; any other class is made a plain character, since
// other classes have fuzzers (or none) of their own.
constexpr const char* kKinds[] = {"Character",        "Player", "Monster",      "Npc",
                                  "AmbientCharacter", "Typhon", "TyphonStatue", "TyphonChained"};
constexpr const char* kControllerKinds[] = {
    "ControllerCombat",        "ControllerMonster",
    "ControllerNpc2",          "ControllerStooge",
    "ControllerNpcHerder",     "ControllerNpcHerdAnimal",
    "ControllerAlly",          "ControllerPet",
    "ControllerAktaios",       "ControllerStationaryMonster",
    "ControllerMonsterHidden", "ControllerTyphon",
    "ControllerTyphonChained", "ControllerBandari",
    "ControllerTerracotta",    "ControllerTelkine",
    "ControllerCyclops"};
// The thinking monster's controller: the plain one unless the AI record names a variant.
constexpr const char* kMonsterAIKinds[] = {"ControllerMonster",
                                           "ControllerAlly",
                                           "ControllerPet",
                                           "ControllerAktaios",
                                           "ControllerStationaryMonster",
                                           "ControllerMonsterHidden",
                                           "ControllerTyphon",
                                           "ControllerTyphonChained",
                                           "ControllerBandari",
                                           "ControllerTerracotta",
                                           "ControllerTelkine",
                                           "ControllerCyclops"};

constexpr uint32_t kRegion = 1;
// Enough frames for every callback and a few updates on each side of them; a death that is
// still running after them (a fade of years) is simply left.
constexpr int32_t kDeathFrameMs[] = {0, 16, 1, 1000, 33, 1 << 30, 16, 250, 2000, 16};
constexpr const char* kCallbacks[] = {"dissolve", "spawnDeathActor", "ragDoll", "End"};

// The text as it is when it asks for one of the kinds, else made the first kind.
template <size_t N>
std::string KindText(std::string_view text, const char* record, const char* const (&kinds)[N])
{
    LoadTable table;
    table.Parse(text, record);
    const std::string kind = table.GetString("Class");
    for (const char* allowed : kinds) {
        if (kind == allowed)
            return std::string(text);
    }
    return std::string("Class = ") + kinds[0] + "\n" + std::string(text);
}

bool HoldsNumbers(const Character& character)
{
    return std::isfinite(character.GetCurrentLife()) && std::isfinite(character.GetCurrentMana());
}

// A blow whose damage the character's own record scales, as if it had dealt it to itself, so
// that its damage formulas run too; the attacker named is the one struck back at.
void TakeBlow(Character& character, uint32_t attackerId, ParametersCombatStyle style)
{
    RandomUniform generator;
    generator.Seed(static_cast<uint32_t>(style) + 11);
    ParametersCombat parameters(generator);
    parameters.attackerId = attackerId;
    parameters.style = style;
    parameters.offensiveAbility = character.DesignerCalculateOffensiveAbility(0.0f);
    parameters.fumbleChance = 5.0f;
    CombatAttributeAccumulator& attributes = parameters.attributes;
    character.GetCombatManager().GetHandHitDamage(attributes);
    attributes.AddDamage(std::make_unique<CombatAttributeDamage_BasePhysical>(
        CombatAttributeType_Physical, 40.0f, 10.0f, true));
    attributes.AddDamage(
        std::make_unique<CombatAttributeAbsDamage>(CombatAttributeType_Fire, 12.0f));
    attributes.AddDamage(
        std::make_unique<CombatAttributeDurDamage>(CombatAttributeType_Poison, 5.0f, 3.0f));
    attributes.ProcessDamage(character, 0.0f, 0.0f, 0.0f, 0.0f);
    character.TakeAttack(parameters);
}

void Fight(Character& character)
{
    CombatManager& combat = character.GetCombatManager();
    RandomUniform generator;
    generator.Seed(7);
    for (int i = 0; i < 16; ++i) {
        const int32_t region = combat.PickRegion(generator);
        if (region < CombatAttributeRegion_FullyProtected || region > CombatAttributeRegion_Legs)
            abort();
    }
    for (const float chance : {-5.0f, 0.0f, 60.0f, 99.0f, 100.0f, 125.0f, 150.0f, 1e30f})
        for (const float roll : {0.0f, 0.5f, 0.75f, 1.0f})
            combat.CalculateDamageModifier(chance, roll);
    combat.DesignerCalculateProbabilityToHit(combat.DesignerCalculateOffensiveAbility(10.0f),
                                             combat.DesignerCalculateDefensiveAbility(10.0f));
    combat.DesignerCalculateMeleeBlockChance(20.0f, 10.0f, 90.0f, generator);
    combat.DesignerCalculateProjectileBlockChance(20.0f, 10.0f, 90.0f, generator);
    combat.DesignerCalculateShieldBlockDamageReduction(80.0f, 50.0f, 0.5f);
    combat.DesignerCalculateElementalDurationDamage(10.0f);

    auto* attacker = static_cast<Character*>(ObjectManager::Instance().CreateObject("Character"));
    if (attacker == nullptr)
        abort();
    for (const ParametersCombatStyle style :
         {ParametersCombatStyle_Probability, ParametersCombatStyle_Projectile,
          static_cast<ParametersCombatStyle>(0)}) {
        TakeBlow(character, attacker->GetObjectId(), style);
        if (!HoldsNumbers(character))
            abort();
    }
    for (const int32_t ms : {33, 100, 1000, 5000})
        combat.Update(ms, character.GetCharacterBio());
    if (!HoldsNumbers(character))
        abort();
    ObjectManager::Instance().DestroyObjectEx(attacker, "Fuzz/CharacterRecord", __LINE__);
}

void Exercise(Character& character)
{
    character.PreLoad(true);
    character.InitialUpdate();
    CharacterBio& bio = character.GetCharacterBio();
    bio.Update(character, 0);
    character.SubtractLife(character.GetCurrentLife() * 0.5f + 1.0f, PlayStatsDamageType{});
    character.SubtractMana(25.0f);
    for (const int ms : {100, 1, 500, 0, 33, 1 << 30}) {
        bio.Update(character, ms);
        // Whatever the formulas and rates, the pools hold numbers.
        if (!HoldsNumbers(character))
            abort();
    }
    Fight(character);
    for (int32_t handState = -1; handState <= 7; ++handState)
        character.SetAnimation(static_cast<EquipManager_HandState>(handState));
    for (int32_t type = 0; type <= 32; ++type)
        character.CanPlayAnimation(static_cast<AnimationSet_Type>(type));
    character.GetExperienceReward();
    character.PreLoad(false);
}

class EveryEntity final : public FilterFunction<Entity> {
public:
    bool operator()(const Entity*) const override { return true; }
};

// The death's part of the character's frame, with the animation's callbacks and the rag doll's
// rest spread over the frames; then the late callbacks a finished death may still hear.
void Die(Character& character)
{
    DeathManager* deaths = character.GetDeathManager();
    if (deaths == nullptr)
        return;
    gEngine->GetWorld()->AddEntity(&character, {kRegion, Coords::Identity()}, false);
    deaths->SetObjectIds(deaths->CreateObjectIds());
    deaths->Execute();
    deaths->PreLoad();
    size_t frame = 0;
    for (const int32_t ms : kDeathFrameMs) {
        if (frame < std::size(kCallbacks))
            deaths->AnimationCallback(Name::Create(kCallbacks[frame]));
        else if (frame == std::size(kCallbacks))
            deaths->ExternalEvent(Name::Create("PhysicsComplete"));
        ++frame;
        character.UpdateSelf(ms);
        deaths->Update(ms);
        if (deaths->IsFinished()) {
            deaths->PostProcess();
            break;
        }
    }
    for (const char* callback : kCallbacks)
        deaths->AnimationCallback(Name::Create(callback));
}

// What the death left standing goes, the body with it if it is still there.
void ClearWorld()
{
    World& world = *gEngine->GetWorld();
    std::vector<Entity*> entities;
    world.GetEntities(entities, EveryEntity());
    for (Entity* entity : entities) {
        world.RemoveEntity(entity);
        ObjectManager::Instance().DestroyObjectEx(entity, "Fuzz/CharacterRecord", __LINE__);
    }
}

class LootRoller : public Character {
public:
    using Character::LoadLootFromStruct;
    const LootStruct& Loot() const { return lootState; }
};

void RollLoot(uint16_t seed)
{
    ObjectManager& objects = ObjectManager::Instance();
    auto* roller = new LootRoller();
    if (!objects.RegisterObject(roller))
        abort();
    roller->SetObjectName(kRecords[0]);
    roller->Load(objects.GetLoadTable(kRecords[0]));
    Character::LootStruct loot;
    loot.seed = seed;
    loot.levelArgument = seed;
    for (uint32_t& id : loot.itemIds)
        id = objects.CreateObjectID();
    roller->LoadLootFromStruct(loot);
    std::vector<Object*> items;
    for (const uint32_t id : roller->Loot().itemIds) {
        if (Object* item = objects.GetObject(id)) {
            if (DynamicCast<Item>(item) == nullptr)
                abort();
            items.push_back(item);
        }
    }
    objects.DestroyObjectEx(roller, "Fuzz/CharacterRecord", __LINE__);
    for (Object* item : items)
        objects.DestroyObjectEx(item, "Fuzz/CharacterRecord", __LINE__);
}

// Takes the piles the game is asked to drop instead of making them.
class GoldCatcher final : public GameEngineInboundInterface {
public:
    void CreateItem(uint32_t, const WorldCoords&, const ItemReplicaInfo& item,
                    std::wstring*) override
    {
        if (item.baseName.empty() || item.var1 > INT32_MAX || item.id == 0)
            abort();
        ++piles;
    }
    size_t piles = 0;
};

// Any amount splits into at most the allowed piles, none negative, adding up to it.
void SplitAmounts()
{
    GoldGenerator generator;
    generator.LoadFromDatabase(kGoldRecord);
    for (const int32_t amount : {INT32_MIN, -5, 0, 1, 2, 99, 123456, INT32_MAX}) {
        std::vector<int32_t> piles;
        generator.SplitGold(amount, piles);
        int64_t sum = 0;
        for (const int32_t pile : piles) {
            if (pile < 0)
                abort();
            sum += pile;
        }
        if (piles.size() > static_cast<size_t>(GoldGenerator::kMaxPiles) ||
            sum != std::max<int64_t>(amount, 0))
            abort();
    }
}

// The AI record serves twice, its first keys winning: as the controller record, and as the
// thinking monster's own record (its skill slots and ranges) that names it. The enemy is plain.
void AddMonsterAI(FuzzRecords& records, std::string_view text)
{
    const std::string ai = KindText(text, kMonsterAIRecord, kMonsterAIKinds);
    // The bosses' minds think for their own bodies, which read their god blocks and chains.
    LoadTable kind;
    kind.Parse(ai, kMonsterAIRecord);
    const std::string mind = kind.GetString("Class");
    const char* body = mind == "ControllerTyphon"          ? "Typhon"
                       : mind == "ControllerTyphonChained" ? "TyphonChained"
                                                           : "Monster";
    records.emplace_back(kMonsterAIRecord, ai);
    records.emplace_back(
        kThinkerRecord,
        std::string("Class = ") + body + "\ncontroller = " + kMonsterAIRecord + "\n" +
            std::string(text) +
            "\ncharacterLife = 500\nunarmedRunAnim = Run.anm\nunarmedWalkAnim = Walk.anm\n");
    records.emplace_back(kEnemyRecord, "Class = Monster\ncharacterLife = 100\n");
}

// The input's pieces as the records they stand for; records past its end are missing, but the
// thinking monster always has its records, with an empty AI record if need be.
FuzzRecords SplitPieces(std::string_view input)
{
    FuzzRecords records;
    size_t start = 0;
    for (const char* record : kRecords) {
        if (start > input.size()) {
            if (record == kMonsterAIRecord)
                AddMonsterAI(records, "");
            continue;
        }
        const size_t end = std::min(input.find('\0', start), input.size());
        const std::string_view text = input.substr(start, end - start);
        if (record == kRecords[0])
            records.emplace_back(record, KindText(text, record, kKinds));
        else if (record == kControllerRecord)
            records.emplace_back(record, KindText(text, record, kControllerKinds));
        else if (record == kMonsterAIRecord)
            AddMonsterAI(records, text);
        else
            records.emplace_back(record, std::string(text));
        start = end + 1;
    }
    return records;
}

// A living body of the record, killed by a controller of the controller record.
void Kill(GoldCatcher& catcher)
{
    ObjectManager& objects = ObjectManager::Instance();
    const uint32_t firstId = objects.CreateObjectID();
    Character* victim = objects.CreateObjectFromFile<Character>(kRecords[0]);
    auto* controller = objects.CreateObjectFromFile<ControllerCombat>(kControllerRecord);
    // Inputs without a controller record get the plain combat layer.
    if (controller == nullptr)
        controller = static_cast<ControllerCombat*>(objects.CreateObject("ControllerCombat"));
    if (victim == nullptr || controller == nullptr)
        abort();
    gEngine->GetWorld()->AddEntity(victim, {kRegion, Coords::Identity()}, false);
    controller->AttachParent(victim->GetObjectId());
    catcher.piles = 0;
    controller->KillMe();
    if (catcher.piles > static_cast<size_t>(GoldGenerator::kMaxPiles))
        abort();
    gEngine->GetWorld()->RemoveEntity(victim);
    // The body, its controller and whatever its record gave it to carry.
    const uint32_t endId = objects.CreateObjectID();
    for (uint32_t id = firstId; id < endId; ++id) {
        if (Object* made = objects.GetObject(id))
            objects.DestroyObjectEx(made, "Fuzz/CharacterRecord", __LINE__);
    }
}

bool FinitePlace(Character& character)
{
    const Vec3 at = character.GetPathPosition().GetRegionPosition();
    return std::isfinite(at.x) && std::isfinite(at.y) && std::isfinite(at.z);
}

Monster* Spawn(const char* record, float x, float z)
{
    auto* monster = ObjectManager::Instance().CreateObjectFromFile<Monster>(record);
    if (monster == nullptr)
        abort();
    const WorldCoords at{kRegion, Coords::FromTranslation(Vec3(x, 0.0f, z))};
    gEngine->GetWorld()->AddEntity(monster, at, false);
    monster->SetSpawnPoint(at);
    monster->InitialUpdate();
    monster->GetCharacterBio().Update(*monster, 0);
    return monster;
}

ControllerMonster* MindOf(const Monster& monster)
{
    return ObjectManager::Instance().GetObject<ControllerMonster>(monster.GetControllerId());
}

// The notifications and questions a thinking monster hears, with the frame's index mixed in.
void Prod(ControllerMonster& controller, Monster& self, uint32_t enemyId, uint32_t allyId,
          size_t frame)
{
    switch (frame % 8) {
    case 0:
        controller.UnderAttack(enemyId);
        break;
    case 1:
        controller.AllyAttacked(allyId, enemyId);
        controller.ProjectileNotification(enemyId);
        break;
    case 2:
        controller.ScareMe(enemyId, frame % 16 == 2 ? std::nanf("") : 1e30f);
        break;
    case 3:
        controller.TauntMe(frame % 16 == 3 ? -1e30f : 50.0f, enemyId);
        controller.BeginStun();
        controller.EndStun();
        break;
    case 4:
        controller.BeginImmobilize();
        controller.BeginTrap();
        controller.EndTrap();
        controller.EndImmobilize();
        break;
    case 5:
        controller.Confuse(frame % 16 == 5 ? INT32_MAX : 700);
        self.SubtractLife(self.GetCurrentLife() * 0.6f, PlayStatsDamageType{});
        break;
    case 6:
        controller.TauntMe(std::nanf(""), 0);
        controller.ScareMe(0, 2.0f);
        break;
    default:
        controller.Panic(enemyId);
        break;
    }
    for (const bool check : {false, true})
        controller.ChooseBestSkill(enemyId, check);
    for (const SkillUseRange range : {SkillUseRange_None, SkillUseRange_Short, SkillUseRange_Medium,
                                      SkillUseRange_Long, static_cast<SkillUseRange>(-7)})
        controller.IsSkillInProperRange(enemyId, range);
    controller.ChooseBestBuffSelfSkill();
    controller.ChooseBestAllyToBuff();
    controller.ShouldHealAlly(allyId);
    controller.CanFlee();
    controller.GetHomePosition();
}

// A monster of the AI record beside an ally of its kind and an enemy, over frames of every
// length, prodded between them; then killed, its death run and everything it made removed.
void Think()
{
    ObjectManager& objects = ObjectManager::Instance();
    const uint32_t firstId = objects.CreateObjectID();
    Monster* self = Spawn(kThinkerRecord, 0.0f, 0.0f);
    Monster* ally = Spawn(kThinkerRecord, 2.0f, 2.0f);
    Monster* enemy = Spawn(kEnemyRecord, 3.0f, 0.0f);
    enemy->SetTeam(TeamManager::DefaultPlayerTeam());
    ally->SetLeader(self->GetObjectId());
    if (MindOf(*self) == nullptr)
        abort(); // the record's class is forced
    const uint32_t selfId = self->GetObjectId();
    const uint32_t allyId = ally->GetObjectId();
    const uint32_t enemyId = enemy->GetObjectId();
    for (size_t frame = 0; frame < std::size(kThinkFrameMs); ++frame) {
        if (objects.GetObject<Monster>(selfId) == self) {
            if (ControllerMonster* controller = MindOf(*self))
                Prod(*controller, *self, enemyId, allyId, frame);
        }
        for (const uint32_t id : {selfId, allyId}) {
            // A monster may kill itself (a lifetime, an enemy in its death range).
            if (auto* monster = objects.GetObject<Monster>(id)) {
                if (ControllerMonster* mind = MindOf(*monster)) {
                    mind->Update(kThinkFrameMs[frame]);
                    // Whatever the rates, the grudge and the anger clock stay numbers.
                    if (!std::isfinite(mind->GetAngerManager().GetAnger(enemyId)) ||
                        !std::isfinite(mind->GetAngerTimer()))
                        abort();
                }
                if (!FinitePlace(*monster))
                    abort();
            }
        }
    }
    ControllerMonster* controller =
        objects.GetObject<Monster>(selfId) == self ? MindOf(*self) : nullptr;
    if (controller != nullptr) {
        controller->KillMe();
        controller->CreateDropMiscItems();
        for (const int32_t ms : {0, 33, 1000, 33})
            controller->Update(ms);
    }
    ClearWorld();
    const uint32_t endId = objects.CreateObjectID();
    for (uint32_t id = firstId; id < endId; ++id) {
        if (Object* made = objects.GetObject(id))
            objects.DestroyObjectEx(made, "Fuzz/CharacterRecord", __LINE__);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Characters live in a running game: one hub and one world for the whole run.
    static GoldCatcher catcher;
    static const bool started = [] {
        StartQuietGame();
        GameEngine::Get().SetNetworkInterface(&catcher);
        gEngine->SetWorld(std::make_unique<World>());
        gEngine->GetWorld()->CreateRegion(kRegion, {0, 0, 0},
                                          ABBox({-100, -10, -100}, {100, 10, 100}));
        HoldRunRecords({});
        return true;
    }();
    (void)started;

    const FuzzRecords records =
        SplitPieces(std::string_view(reinterpret_cast<const char*>(data), size));
    PutInputRecords(records);
    ObjectManager& objects = ObjectManager::Instance();
    const InputStart start;
    const size_t objectsBefore = objects.GetObjectCount();
    const size_t animationsBefore = GraphicsEngine::Instance().GetLoadedAnimationCount();

    Character* character = objects.CreateObjectFromFile<Character>(kRecords[0]);
    if (character == nullptr)
        abort(); // every kind above is a character
    const uint32_t id = character->GetObjectId();
    Exercise(*character);
    Die(*character);
    Kill(catcher);
    ClearWorld();
    Think();
    SplitAmounts();
    // A body the death did not take (or that never entered the world) goes here.
    if (objects.GetObject(id) == character)
        objects.DestroyObjectEx(character, "Fuzz/CharacterRecord", __LINE__);
    RollLoot(static_cast<uint16_t>(size));
    objects.ProcessDestroyedObjects();

    if (objects.GetObjectCount() != objectsBefore)
        abort();
    if (GraphicsEngine::Instance().GetLoadedAnimationCount() != animationsBefore)
        abort();
    if (!gEngine->GetForcedUpdates().empty())
        abort();
    EndInput(start);
    ForgetInputRecords(records);
    return 0;
}
