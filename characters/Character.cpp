#include "characters/Character.h"

#include "ai/ControllerCombat.h"
#include "ai/SlotManager.h"
#include "characters/AnimationSet.h"
#include "characters/CharacterActionHandler.h"
#include "characters/CharacterMovementManager.h"
#include "characters/Player.h"
#include "combat/DeathHandler.h"
#include "combat/DeathManager.h"
#include "core/GameEvents.h"
#include "core/PlayerInfo.h"
#include "core/StringHelpers.h"
#include "engine/Engine.h"
#include "engine/EventManager.h"
#include "engine/GraphicsEngine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/PhysicsEngine.h"
#include "engine/SoundPak.h"
#include "engine/World.h"
#include "game/GameEngine.h"
#include "world/FxPak.h"

#include <charconv>
#include <new>
#include <string>

namespace GAME {

GAME_IMPLEMENT_CLASS(Character, Actor);

namespace {

constexpr const char* kCharacterSource = "Project/Game/Character";

// The weapon styles in the order of the sets.
enum Style : size_t {
    Style_Unarmed,
    Style_SingleHanded,
    Style_DualWielded,
    Style_Spear,
    Style_Bow,
    Style_Staff,
};

struct StyleKeys {
    const char* prefix;
    // Special rows an animation table gives the style; a character's own record gives 10.
    int32_t tableSpecialRows;
};

constexpr StyleKeys kStyles[Character::kNumAnimationSets] = {
    {"unarmed", 10}, {"sHanded", 15}, {"dHanded", 15}, {"spear", 15}, {"bow", 10}, {"staff", 10},
};
constexpr int32_t kOwnSpecialRows = 10;

// Hand states 3 and 4 are bow and spear, the other way round from the sets.
Style StyleOfHandState(EquipManager_HandState handState)
{
    switch (handState) {
    case EquipManager_HandState_SingleHanded:
        return Style_SingleHanded;
    case EquipManager_HandState_DualWielded:
        return Style_DualWielded;
    case EquipManager_HandState_Bow:
        return Style_Bow;
    case EquipManager_HandState_Spear:
        return Style_Spear;
    case EquipManager_HandState_Staff:
        return Style_Staff;
    default:
        return Style_Unarmed;
    }
}

// One row of the animation keys. Numbered rows read `first` to `last` with the number at the
// end of each key; a `last` of 0 means the keys carry no number, -1 the loader's Special rows.
struct AnimationRow {
    AnimationSet_Type type;
    const char* name;
    const char* speed;
    const char* weight; // null: the fixed weight
    float fixedWeight;
    int32_t first;
    int32_t last;
    const char* reference;
};

constexpr int32_t kSpecialRows = -1;

constexpr AnimationRow kAnimationRows[] = {
    {AnimationSet_AttackIdle, "AttackIdleAnim", "AttackIdleAnimSpeed", nullptr, 100.0f, 0, 0,
     nullptr},
    {AnimationSet_AttackIdle, "AttackIdleAnim", "AttackIdleAnimSpeed", "AttackIdleAnimWeight", 0.0f,
     2, 5, nullptr},
    {AnimationSet_IdleTransition, "IdleTransAnim", "IdleTranAnimSpeed", nullptr, 0.0f, 0, 0,
     nullptr},
    {AnimationSet_LongIdle, "LongIdleAnim", "LongIdleAnimSpeed", nullptr, 0.0f, 0, 0, nullptr},
    {AnimationSet_Fidget, "FidgetAnim", "FidgetAnimSpeed", "FidgetAnimWeight", 0.0f, 1, 3, nullptr},
    {AnimationSet_Run, "RunAnim", "RunAnimSpeed", nullptr, 0.0f, 0, 0, nullptr},
    {AnimationSet_Walk, "WalkAnim", "WalkAnimSpeed", nullptr, 0.0f, 0, 0, nullptr},
    {AnimationSet_Pickup, "PickupAnim", "PickupAnimSpeed", nullptr, 0.0f, 0, 0, nullptr},
    {AnimationSet_PassItem, "PassItemAnim", "PassItemAnimSpeed", nullptr, 0.0f, 0, 0, nullptr},
    {AnimationSet_Chat, "ChatAnim", "ChatAnimSpeed", nullptr, 0.0f, 0, 0, nullptr},
    {AnimationSet_Stun, "StunAnim", "StunAnimSpeed", nullptr, 0.0f, 0, 0, nullptr},
    {AnimationSet_CriticalHit, "CriticalHitAnim", "CriticalHitAnimSpeed", nullptr, 0.0f, 0, 0,
     nullptr},
    {AnimationSet_Die, "DieAnim", "DieAnimSpeed", "DieAnimWeight", 0.0f, 1, 3, nullptr},
    {AnimationSet_BuffSelf, "BuffSelfAnim", "BuffSelfSpeed", "BuffSelfWeight", 0.0f, 1, 3, nullptr},
    {AnimationSet_BuffOther, "BuffOtherAnim", "BuffOtherSpeed", "BuffOtherWeight", 0.0f, 1, 3,
     nullptr},
    {AnimationSet_SpellCast, "SpellAttackAnim", "SpellAttackAnimSpeed", nullptr, 0.0f, 0, 0,
     nullptr},
    {AnimationSet_Attack, "AttackAnim", "AttackAnimSpeed", "AttackAnimWeight", 0.0f, 1, 3, nullptr},
    {AnimationSet_Special, "SpecialAnim", "SpecialAnimSpeed", nullptr, 0.0f, 1, kSpecialRows,
     "SpecialAnimRef"},
    {AnimationSet_Spawn, "SpawnAnim", "SpawnAnimSpeed", nullptr, 0.0f, 0, 0, nullptr},
    {AnimationSet_Respawn, "RespawnAnim", "RespawnAnimSpeed", nullptr, 0.0f, 0, 0, nullptr},
    {AnimationSet_AttTurnRight90, "AttTurnRight90Anim", "AttTurnRight90AnimSpeed", nullptr, 0.0f, 0,
     0, nullptr},
    {AnimationSet_AttTurnLeft90, "AttTurnLeft90Anim", "AttTurnLeft90AnimSpeed", nullptr, 0.0f, 0, 0,
     nullptr},
    {AnimationSet_AttTurnRight180, "AttTurnRight180Anim", "AttTurnRight180AnimSpeed", nullptr, 0.0f,
     0, 0, nullptr},
    {AnimationSet_AttTurnLeft180, "AttTurnLeft180Anim", "AttTurnLeft180AnimSpeed", nullptr, 0.0f, 0,
     0, nullptr},
    {AnimationSet_TurnRight90, "TurnRight90Anim", "TurnRight90AnimSpeed", nullptr, 0.0f, 0, 0,
     nullptr},
    {AnimationSet_TurnLeft90, "TurnLeft90Anim", "TurnLeft90AnimSpeed", nullptr, 0.0f, 0, 0,
     nullptr},
    {AnimationSet_TurnRight180, "TurnRight180Anim", "TurnRight180AnimSpeed", nullptr, 0.0f, 0, 0,
     nullptr},
    {AnimationSet_TurnLeft180, "TurnLeft180Anim", "TurnLeft180AnimSpeed", nullptr, 0.0f, 0, 0,
     nullptr},
};

// Every row of the key table under the style's prefix, in the table's order. A character looks
// up some hundreds of these keys per style and most are absent, so keys are built in place and
// a row naming no animation and no reference (which every holder ignores) reads no more; a
// record with no key of the style, as most characters' own records, is asked none.
void LoadAnimationRows(const LoadTable& table, AnimationSet& set, const char* prefix,
                       int32_t specialRows)
{
    if (!table.HasKeyStartingWith(prefix))
        return;
    std::string key(prefix);
    const size_t prefixLength = key.size();
    key.reserve(64);
    auto build = [prefixLength, &key](const char* part, const char* number) -> const char* {
        key.resize(prefixLength);
        key.append(part).append(number);
        return key.c_str();
    };
    // The row's first value without a copy: most rows name nothing.
    auto firstValue = [&table](const char* rowKey) -> std::string_view {
        const LoadTable::Values values = table.GetValues(rowKey);
        return values.empty() ? std::string_view() : values.front();
    };
    for (const AnimationRow& row : kAnimationRows) {
        const int32_t last = row.last == kSpecialRows ? specialRows : row.last;
        const int32_t first = last == 0 ? 0 : row.first;
        for (int32_t n = first; n <= last; ++n) {
            char number[12] = "";
            if (n != 0)
                *std::to_chars(number, number + sizeof(number) - 1, n).ptr = '\0';
            const std::string_view name = firstValue(build(row.name, number));
            const std::string_view reference = row.reference != nullptr
                                                   ? firstValue(build(row.reference, number))
                                                   : std::string_view();
            if (name.empty() && reference.empty())
                continue;
            const float weight = row.weight != nullptr
                                     ? table.GetFloat(build(row.weight, number), 0.0f)
                                     : row.fixedWeight;
            const float speed = table.GetFloat(build(row.speed, number), 1.0f);
            set.AddAnimation(row.type, std::string(name), speed, weight, std::string(reference));
        }
    }
}

// The damage packs' keys, in the order of the packs; then the two buff packs'.
constexpr const char* kDamageFxKeys[Character::kNumDamageFx] = {
    "coldDamageFxPak",
    "lightningDamageFxPak",
    "fireDamageFxPak",
    "poisonDamageFxPak",
    "lifeDamageFxPak",
    "bleedingDamageFxPak",
    "attackSpeedDamageFxPak",
    "spellCastSpeedDamageFxPak",
    "runSpeedDamageFxPak",
    "offensiveAbilityDamageFxPak",
    "defensiveAbilityDamageFxPak",
    "offensiveReductionDamageFxPak",
    "defensiveReductionDamageFxPak",
    "lifeLeachDamageFxPak",
    "manaLeachDamageFxPak",
    "fumbleDamageFxPak",
};

constexpr struct {
    const char* effect;
    const char* sound;
    CombatAttributeType type;
} kAbsEffectKeys[] = {
    {"absColdFx", "absColdFxSound", CombatAttributeType_Cold},
    {"absFireFx", "absFireFxSound", CombatAttributeType_Fire},
    {"absPoisonFx", "absPoisonFxSound", CombatAttributeType_Poison},
    {"absLightningFx", "absLightningFxSound", CombatAttributeType_Lightning},
    {"absLifeFx", "absLifeFxSound", CombatAttributeType_Life},
    {"absManaBurnFx", "absManaBurnFxSound", CombatAttributeType_ManaBurn},
    {"absDisruptionFx", "absDisruptionFxSound", CombatAttributeType_Disruption},
    {"absPercentCurrentLifeFx", "absPercentCurrentLifeFxSound",
     CombatAttributeType_PercentCurrentLife},
};

uint32_t CreateSoundPak(const std::string& record)
{
    if (record.empty())
        return 0;
    const SoundPak* sound = ObjectManager::Instance().CreateObjectFromFile<SoundPak>(record);
    return sound != nullptr ? sound->GetObjectId() : 0;
}

void DestroyObject(uint32_t id, int line)
{
    ObjectManager& objects = ObjectManager::Instance();
    objects.DestroyObjectEx(objects.GetObject(id), kCharacterSource, line);
}

Character_Gender GenderFromText(const std::string& text)
{
    static constexpr struct {
        const char* text;
        Character_Gender gender;
    } kGenders[] = {
        {"Male", Gender_Male},   {"Female", Gender_Female},       {"Native", Gender_Native},
        {"Satyr", Gender_Satyr}, {"JackalMan", Gender_JackalMan}, {"Tigerman", Gender_Tigerman},
    };
    for (const auto& entry : kGenders) {
        if (text == entry.text)
            return entry.gender;
    }
    return Gender_None;
}

PathingSize PathingSizeFromText(const std::string& text)
{
    if (text == "Medium")
        return PathingSize_Medium;
    if (text == "Large")
        return PathingSize_Large;
    return PathingSize_Small;
}

} // namespace

Character::Character()
{
    SetPhysicsType(1);
    combatManager.AssignParent(this);
    pfxManager.AttachActor(this);
    skillManager.Initialize(&combatManager, this);
    experienceLevelControl.SetOwner(this);
    movementManager = std::make_unique<CharacterMovementManager>(this);
    attackSlots = std::make_unique<SlotManager>(this);
    defenseSlots = std::make_unique<SlotManager>(this);
    actionHandler = std::make_unique<CharacterActionHandler>();
    buffFx[CharacterBuff_Fire] = &fireBuffFx;
    buffFx[CharacterBuff_Poison] = &poisonBuffFx;
    movementDisallowed = false;
    frameTimer.Reset();
    frameTimer.Update();
    frameTime = 0;
}

void Character::Load(const LoadTable& table)
{
    Actor::Load(table);
    skillManager.Load(table);
    bio.Load(table);

    turnRate = table.GetFloat("turnRate", 0.0f);
    avoidForce = table.GetFloat("avoidForce", 0.0f);
    pathMass = table.GetFloat("pathMass", pathMass);
    disallowRotation = table.GetBool("disallowRotation", false);
    rotateWhenChatting = table.GetBool("rotateWhenChatting", true);
    deathAnimBlendTime = table.GetFloat("deathAnimBlendTime", 250.0f);

    experienceLevelControl.Load(table);

    causesAnger = table.GetBool("causesAnger", true);
    angerMultiplier = table.GetFloat("angerMultiplier", 1.0f);
    weaponScale = table.GetFloat("weaponScale", 0.0f);

    GameEngine& game = GameEngine::Get();
    combatManager.Load(table);
    std::string combatRecord = table.GetString("combatManagerRecord");
    if (combatRecord.empty())
        combatRecord = game.GetDatabase().GetString("defaultCombatManagerRecord");
    combatManager.LoadRecord(combatRecord);

    gender = GenderFromText(table.GetString("characterGenderProfile"));

    // The starting equipment comes before the sets, so they follow what the hands hold.
    if (ShouldLoadLoot()) {
        PlayerInfo info;
        game.GetPlayerInfo(info);
        LoadLootFromSeed(static_cast<uint16_t>(game.GetRandomSeed()),
                         static_cast<uint16_t>(info.averagePlayerLevel));
    } else {
        AllocateAnimSets();
        LoadAnimations();
    }

    LoadSoundPaks(table);
    levelUpFx = table.GetString("levelUpFx");
    dyingFxPak = table.GetString("dyingFxPak");
    lowHealthTriggerLevel = table.GetFloat("lowHealthTriggerLevel", 0.0f);
    lowHealthResetLevel = table.GetFloat("lowHealthResetLevel", 0.0f);
    impactSoundChance = table.GetFloat("impactSoundChance", 0.0f);
    LoadAnimationSounds(table);

    loopingRunningSoundFadeTime = table.GetInt("loopingRunningSoundFadeTime", 500);
    pathingSize = PathingSizeFromText(table.GetString("pathingSize", "Small"));
    table.GetStringList("characterRacialProfile", racialProfile);
    spawnEffect = table.GetString("spawnEffect");
    prespawnEffect = table.GetString("prespawnEffect");
    LoadSoundPak(table, spawnSoundId, "spawnSoundEffect", nullptr);

    const std::string teamMajor = table.GetString("defaultTeamMajor");
    const std::string teamMinor = table.GetString("defaultTeamMinor");
    if (!teamMajor.empty() || !teamMinor.empty())
        team.ConvertFromHistoricalTeam(teamMajor, teamMinor);

    inventory.SetOwner(GetObjectId());
    inventory.SetGender(GetGender());
    // A negative count reads as a huge one, which the slot manager caps.
    attackSlots->SetNumSlots(static_cast<uint32_t>(table.GetInt("numAttackSlots", 4)));
    defenseSlots->SetNumSlots(static_cast<uint32_t>(table.GetInt("numDefenseSlots", 4)));

    tweakSpineOnTurn = table.GetBool("tweakSpineOnTurn", false);
    pathGenerationStyle = EnumConverter::GetStringAsEnum<CharacterPathGenerationStyle>(
        table.GetString("pathGenerationStyle"));
    deleteBehavior = table.GetString("deleteBehavior");
    actorToSpawnOnDeath = table.GetString("actorToSpawnOnDeath");
    waitForCallbackToSpawn = table.GetBool("waitForCallbackToSpawn", false);
    actorToSpawnForMyBones = table.GetString("actorToSpawnForMyBones");
    dissolveEffect = table.GetString("dissolveEffect");
    dissolveLight = table.GetString("dissolveLight");
    dissolveTime = table.GetFloat("dissolveTime", 0.0f);
    dissolveTexture = table.GetString("dissolveTexture");
    dissolveColorR = table.GetInt("dissolveColorR", 0);
    dissolveColorG = table.GetInt("dissolveColorG", 0);
    dissolveColorB = table.GetInt("dissolveColorB", 0);
    deathEffect = table.GetString("deathEffect");
    overrideRagdollBehavior = table.GetString("overrideRagdollBehavior");
    overrideRagdollSpeed = table.GetFloat("overrideRagdollSpeed", 0.0f);
    doLateCrumple = table.GetBool("doLateCrumple", false);

    LoadSharedEffects();
    const uint32_t id = GetObjectId();
    ForEachFxPak([id](CharFxPak& pack) { pack.SetParent(id); });
    ForEachFxPak([](CharFxPak& pack) { pack.InitializeFxPak(); });

    portraitName = table.GetString("portraitName");
    goldGeneratorChance = table.GetFloat("goldGeneratorChance", 0.0f);
    goldGenerator = table.GetString("goldGenerator");
    if (!table.GetBool("startVisible", true))
        SetVisibility(false);
    hiddenFromCombat = table.GetBool("hiddenFromCombat", false);
    distressCall = table.GetBool("distressCall", true);
    distressCallRange = table.GetFloat("distressCallRange", 15.0f);
    distressCallTime = table.GetInt("distressCallTime", 5000);
    distressCallsLeft = table.GetInt("maxDistressCalls", 1);
    distressCallWhenDying = table.GetBool("distressCallWhenDying", true);
    minRotationSpeed = table.GetFloat("minRotationSpeed", 9.0f);
    maxRotationSpeed = table.GetFloat("maxRotationSpeed", 12.0f);
    invincible = table.GetBool("invincible", false);
}

void Character::LoadSoundPaks(const LoadTable& table)
{
    static constexpr struct {
        uint32_t Character::*field;
        const char* key;
    } kSounds[] = {
        {&Character::footGrassSound, "footGrass"},
        {&Character::footDirtSound, "footDirt"},
        {&Character::footSandSound, "footSand"},
        {&Character::footSnowSound, "footSnow"},
        {&Character::footStoneSound, "footStone"},
        {&Character::footWoodSound, "footWood"},
        {&Character::footWaterSound, "footWater"},
        {&Character::loopingRunningSound, "loopingRunningSound"},
        {&Character::attackSound, "attackSound"},
        {&Character::swipeSound, "swipeSound"},
        {&Character::criticalHitSound, "criticalHitSound"},
        {&Character::stunSound, "stunSound"},
        {&Character::lootSound, "lootSound"},
        {&Character::levelUpSound, "levelUpSound"},
        {&Character::lowHealthSound, "lowHealthSound"},
        {&Character::impactSound, "impactSound"},
    };
    for (const auto& sound : kSounds)
        LoadSoundPak(table, this->*sound.field, sound.key, nullptr);
    LoadSoundPak(table, splashSound, "splashSound",
                 "records/sounds/soundpak/bodyfalls/FallMdGooPak.dbr");
}

void Character::LoadAnimationSounds(const LoadTable& table)
{
    LoadAnimationSound(table, "voxSound", "voxSoundChance");
    LoadAnimationSound(table, "criticalHitSound", 100.0f);
    static constexpr const char* kNumbered[][2] = {
        {"specialAttackSound1", "specialAttackSound1Chance"},
        {"specialAttackSound2", "specialAttackSound2Chance"},
        {"specialAttackSound3", "specialAttackSound3Chance"},
        {"specialAttackSound4", "specialAttackSound4Chance"},
        {"genericSound1", "genericSound1Chance"},
        {"genericSound2", "genericSound2Chance"},
        {"genericSound3", "genericSound3Chance"},
        {"genericSound4", "genericSound4Chance"},
    };
    for (const auto& sound : kNumbered)
        LoadAnimationSound(table, sound[0], sound[1]);
    for (const char* key : {"deathSound1", "deathSound2", "deathSound3"})
        LoadAnimationSound(table, key, 100.0f);
    LoadAnimationSound(table, "bodyFallSound", "bodyFallSoundChance");
    LoadAnimationSound(table, "voiceSound1", "voiceSound1Chance");
    LoadAnimationSound(table, "voiceSound2", "voiceSound2Chance");
    LoadAnimationSound(table, "voiceSound3", "voiceSound3Chance");
}

void Character::LoadSharedEffects()
{
    const LoadTable& settings = GameEngine::Get().GetDatabase();
    const uint32_t row = GetEffectIndex();
    for (size_t i = 0; i < kNumDamageFx; ++i)
        damageFx[i].LoadFromDatabase(settings.GetStringAt(kDamageFxKeys[i], row));
    fireBuffFx.LoadFromDatabase(settings.GetStringAt("fireBuffFxPak", row));
    poisonBuffFx.LoadFromDatabase(settings.GetStringAt("poisonBuffFxPak", row));
    for (const auto& keys : kAbsEffectKeys) {
        const uint32_t soundId = CreateSoundPak(settings.GetString(keys.sound));
        const auto [entry, inserted] = absEffects.try_emplace(
            keys.type, AbsEffect{settings.GetStringAt(keys.effect, row), soundId, false});
        // An entry from an earlier load stays; its new sound would be nobody's.
        if (!inserted)
            DestroyObject(soundId, __LINE__);
    }
}

template <typename Function> void Character::ForEachFxPak(Function function)
{
    for (CharFxPak& pack : damageFx)
        function(pack);
    function(fireBuffFx);
    function(poisonBuffFx);
}

void Character::SetControllerId(uint32_t id)
{
    if (id != controllerId)
        DestroyObject(controllerId, __LINE__);
    controllerId = id;
}

Character::~Character()
{
    actionHandler.reset();
    ForEachFxPak([](CharFxPak& pack) { pack.SetParent(0); });
    DestroyObject(controllerId, __LINE__);
    for (uint32_t sound :
         {footGrassSound, footDirtSound, footSandSound, footSnowSound, footStoneSound,
          footWoodSound, footWaterSound, loopingRunningSound, attackSound, swipeSound, stunSound,
          criticalHitSound, impactSound, levelUpSound, lowHealthSound, lootSound, splashSound})
        DestroyObject(sound, __LINE__);
    // Made by the record like the others, so it goes with them.
    DestroyObject(spawnSoundId, __LINE__);
    for (const auto& [type, effect] : absEffects)
        DestroyObject(effect.soundId, __LINE__);
    movementManager.reset();
    attackSlots.reset();
    defenseSlots.reset();
    deathHandlers.reset();
    currentAnimationSet = nullptr;
    for (std::unique_ptr<AnimationSet>& set : animationSets)
        set.reset();
    // What was registered, rather than what the record last said.
    if (registeredForForcedUpdates)
        gEngine->UnregisterForForcedUpdates(GetObjectId());
}

void Character::PreLoad(bool flag)
{
    Actor::PreLoad(flag);
    for (const std::unique_ptr<AnimationSet>& set : animationSets) {
        if (set != nullptr)
            set->PreLoad();
    }
    // The splash is not warmed: it plays rarely.
    for (uint32_t id :
         {footGrassSound, footDirtSound, footSandSound, footSnowSound, footStoneSound,
          footWoodSound, footWaterSound, loopingRunningSound, attackSound, swipeSound, stunSound,
          criticalHitSound, impactSound, levelUpSound, lowHealthSound, lootSound}) {
        if (SoundPak* sound = GetSoundPak(id))
            sound->PreLoad(false);
    }
    animationSounds.PreLoad();
    for (const auto& [type, effect] : absEffects) {
        if (SoundPak* sound = GetSoundPak(effect.soundId))
            sound->PreLoad(false);
    }
    ForEachFxPak([](CharFxPak& pack) { pack.PreLoad(); });
    skillManager.PreLoad(flag);
    combatManager.PreLoad(flag);
    if (deathHandlers != nullptr)
        deathHandlers->PreLoad();
    if (forcedUpdates && !registeredForForcedUpdates) {
        gEngine->RegisterForForcedUpdates(GetObjectId());
        registeredForForcedUpdates = true;
    }
}

void Character::InitialUpdate()
{
    Actor::InitialUpdate();
    spawnPoint = GetCoords();

    deathHandlers.reset(new (std::nothrow) DeathManager(this));
    if (deathHandlers != nullptr)
        AddDeathHandlers();

    SetAnimation(combatManager.GetHandState());
    bio.InitialUpdate(*this);

    GameEvent_CreatureSpawn spawn;
    spawn.objectName = GetObjectName();
    spawn.objectId = GetObjectId();
    spawn.isPlayer = GetClassInfo()->IsA(Player::classInfo);
    EventManager::Instance().Send("GameEvent_CreatureSpawn", spawn);
    GameEvent_CreatureInitialUpdate initialUpdate;
    initialUpdate.objectName = GetObjectName();
    initialUpdate.objectId = GetObjectId();
    EventManager::Instance().Send("GameEvent_CreatureInitialUpdate", initialUpdate);
}

void Character::AddDeathHandlers()
{
    deathHandlers->AddHandler(std::make_unique<DefaultDeathHandler>(this));
    if (deleteBehavior == "Delete" || deleteBehavior == "Dissolve" ||
        deleteBehavior == "DissolveOnCallback")
        deathHandlers->AddHandler(std::make_unique<DissolveActorDeathHandler>(this));
    else if (deleteBehavior == "Fade")
        deathHandlers->AddHandler(std::make_unique<FadeActorDeathHandler>(this));
    else if (deleteBehavior == "PlaySound")
        deathHandlers->AddHandler(std::make_unique<PlaySoundDeathHandler>(this));
    if (!actorToSpawnOnDeath.empty())
        deathHandlers->AddHandler(std::make_unique<SpawnActorDeathHandler>(this));
    if (!actorToSpawnForMyBones.empty())
        deathHandlers->AddHandler(std::make_unique<SpawnMyBonesDeathHandler>(this));
    if (!deathEffect.empty())
        deathHandlers->AddHandler(std::make_unique<PlayEffectDeathHandler>(this));
}

void Character::ImDying()
{
    combatManager.ImDying();
    skillManager.ImDead();
    auraManager.Clear(*this);
    if (auto* controller = ObjectManager::Instance().GetObject<ControllerCombat>(controllerId))
        controller->CharacterIsDying();
    if (!dyingFxPak.empty()) {
        FxPak* fx = ObjectManager::Instance().CreateObjectFromFile<FxPak>(dyingFxPak);
        World* world = gEngine->GetWorld();
        // A pack the world will not take would be nobody's.
        if (fx != nullptr && (world == nullptr || !world->AddEntity(fx, GetCoords(), true)))
            DestroyObject(fx->GetObjectId(), __LINE__);
    }
    CharacterIsDying();
}

void Character::ImDead()
{
    combatManager.ImDead();
    gEngine->GetPhysicsEngine().RemoveEntityFromSimulation(this);
    if (auto* controller = ObjectManager::Instance().GetObject<ControllerCombat>(controllerId))
        controller->CharacterIsDead();
    CharacterHasDied();
}

void Character::CharacterIsDying()
{
    if (distressCallWhenDying)
        DoDistressCall(combatManager.GetAttackerId());
    GameEvent_CreatureDeath death;
    death.name = GetObjectName();
    death.victimId = GetObjectId();
    death.killerId = combatManager.GetAttackerId();
    EventManager::Instance().Send("GameEvent_CreatureDeath", death);
}

bool Character::ShouldDoRagDoll() const
{
    return InRenderPreLoadFrustum() && HasRigidBodyData();
}

void Character::SetRagdollData(const CharacterRagDoll::EffectData& data, bool force)
{
    if (!force && !(GetCurrentLife() > 0.0f))
        return;
    ragdollData = data;
    if (!overrideRagdollBehavior.empty())
        ragdollData.effect = CharacterRagDoll::GetEffectEnum(overrideRagdollBehavior);
    if (overrideRagdollSpeed != 0.0f)
        ragdollData.speed = overrideRagdollSpeed;
}

void Character::PlayAnimationSound(Actor& actor, const Name& name)
{
    animationSounds.PlaySound(actor, name, nullptr);
}

void Character::PlayDeathSound()
{
    static const Name deathSound = Name::Create("deathSound1");
    animationSounds.PlaySound(*this, deathSound, nullptr);
}

uint32_t Character::AddAura(const std::string& recordName, bool permanent, int32_t seconds)
{
    return auraManager.AddAura(*this, recordName, permanent, seconds);
}

void Character::RemoveAura(uint32_t id)
{
    auraManager.RemoveAura(id);
}

void Character::RemoveAura(const std::string& recordName)
{
    auraManager.RemoveAura(recordName);
}

float Character::GetExtents() const
{
    switch (pathingSize) {
    case PathingSize_Medium:
        return 1.0f;
    case PathingSize_Large:
        return 1.75f;
    default:
        return 0.5f;
    }
}

uint32_t Character::GetEffectIndex() const
{
    switch (pathingSize) {
    case PathingSize_Medium:
        return 1;
    case PathingSize_Large:
        return 2;
    default:
        return 0;
    }
}

GraphicsAnim* Character::LoadAnimation(const std::string& name)
{
    if (name.empty())
        return nullptr;
    return GraphicsEngine::Instance().LoadAnimation(name);
}

void Character::SetAnimation(EquipManager_HandState handState)
{
    AnimationSet* set = animationSets[StyleOfHandState(handState)].get();
    if (set == nullptr || set == currentAnimationSet)
        return;
    if (currentAnimationSet != nullptr)
        currentAnimationSet->Cancel();
    currentAnimationSet = set;
}

GraphicsAnim* Character::GetCurrentAnimation() const
{
    if (currentAnimationSet == nullptr)
        return nullptr;
    return currentAnimationSet->GetAnimationBase().GetCurrentAnimation();
}

bool Character::CanPlayAnimation(AnimationSet_Type type) const
{
    return currentAnimationSet != nullptr && currentAnimationSet->DoesAnimationExist(type);
}

void Character::AllocateAnimSets()
{
    if (AllocateAllAnimSets()) {
        for (std::unique_ptr<AnimationSet>& set : animationSets) {
            if (set == nullptr)
                set = std::make_unique<AnimationSet>();
        }
        currentAnimationSet = animationSets[Style_Unarmed].get();
        return;
    }
    const EquipManager_HandState handState = combatManager.GetHandState();
    if (handState < EquipManager_HandState_Unarmed || handState > EquipManager_HandState_Staff)
        return;
    std::unique_ptr<AnimationSet>& set = animationSets[StyleOfHandState(handState)];
    if (set == nullptr)
        set = std::make_unique<AnimationSet>();
    currentAnimationSet = set.get();
}

void Character::LoadAnimations()
{
    ObjectManager& objects = ObjectManager::Instance();
    objects.LoadTableFile(GetObjectName());
    const LoadTable& own = objects.GetLoadTable(GetObjectName());
    const std::string tableName = own.GetString("charAnimationTableName");
    if (!tableName.empty() && objects.LoadTableFile(tableName)) {
        const LoadTable& animationTable = objects.GetLoadTable(tableName);
        for (size_t style = 0; style < kNumAnimationSets; ++style) {
            if (animationSets[style] != nullptr)
                LoadAnimationRows(animationTable, *animationSets[style], kStyles[style].prefix,
                                  kStyles[style].tableSpecialRows);
        }
    } else {
        LoadUnarmedAnimationSet(own);
        LoadSingleHandedAnimationSet(own);
        LoadDualWieldedAnimationSet(own);
        LoadSpearAnimationSet(own);
        LoadBowAnimationSet(own);
        LoadStaffAnimationSet(own);
    }
    forcedUpdates = own.GetBool("forcedUpdates", false);
}

void Character::LoadUnarmedAnimationSet(const LoadTable& table)
{
    LoadOwnAnimationSet(table, Style_Unarmed);
}

void Character::LoadSingleHandedAnimationSet(const LoadTable& table)
{
    LoadOwnAnimationSet(table, Style_SingleHanded);
}

void Character::LoadDualWieldedAnimationSet(const LoadTable& table)
{
    LoadOwnAnimationSet(table, Style_DualWielded);
}

void Character::LoadSpearAnimationSet(const LoadTable& table)
{
    LoadOwnAnimationSet(table, Style_Spear);
}

void Character::LoadBowAnimationSet(const LoadTable& table)
{
    LoadOwnAnimationSet(table, Style_Bow);
}

void Character::LoadStaffAnimationSet(const LoadTable& table)
{
    LoadOwnAnimationSet(table, Style_Staff);
}

// Nothing for a set never allocated.
void Character::LoadOwnAnimationSet(const LoadTable& table, size_t style)
{
    AnimationSet* set = animationSets[style].get();
    if (set == nullptr)
        return;
    LoadAnimationRows(table, *set, kStyles[style].prefix, kOwnSpecialRows);
    set->SetAnimationBlendTime(AnimationSet_Die, deathAnimBlendTime);
}

void Character::LoadAnimationSound(const LoadTable& table, const char* key, float chance)
{
    // Most records name few of these sounds: the name is hashed only for one that is added.
    const std::string record = table.GetString(key);
    if (record.empty() || !(chance > 0.0f))
        return;
    animationSounds.AddSound(Name::Create(key), record, chance);
}

void Character::LoadAnimationSound(const LoadTable& table, const char* key, const char* chanceKey)
{
    LoadAnimationSound(table, key, table.GetFloat(chanceKey, 0.0f));
}

void Character::LoadSoundPak(const LoadTable& table, uint32_t& field, const char* key,
                             const char* defaultRecord)
{
    const std::string record = table.GetString(key, defaultRecord != nullptr ? defaultRecord : "");
    if (record.empty())
        return;
    DestroyObject(field, __LINE__);
    field = CreateSoundPak(record);
}

SoundPak* Character::GetSoundPak(uint32_t id) const
{
    return ObjectManager::Instance().GetObject<SoundPak>(id);
}

const char* Character::GetLifeStateAsText() const
{
    switch (lifeState) {
    case LifeState_Unknown:
        return "Life: Unknown";
    case LifeState_Initializing:
        return "Life: Initializing";
    case LifeState_Alive:
        return "Life: Alive";
    case LifeState_Dying:
        return "Life: Dying";
    case LifeState_Dead:
        return "Life: Dead";
    case LifeState_Respawning:
        return "Life: Respawning";
    default:
        return "Life: Illegal";
    }
}

const char* Character::GetActionStateAsText(Character_ActionState state)
{
    switch (state) {
    case ActionState_Unknown:
        return "Action State: Unknown";
    case ActionState_ForcedStop:
        return "Action State: Forced Stop";
    case ActionState_Idle:
        return "Action State: Idle";
    case ActionState_Fidget:
        return "Action State: Fidget";
    case ActionState_Move:
        return "Action State: Move";
    case ActionState_Walk:
        return "Action State: Walk";
    case ActionState_Attack:
        return "Action State: Attack";
    case ActionState_Stun:
        return "Action State: Stun";
    case ActionState_Immobilize:
        return "Action State: Immobilize";
    case ActionState_Trap:
        return "Action State: Trap";
    case ActionState_Pickup:
        return "Action State: Pickup";
    case ActionState_Chatting:
        return "Action State: Chatting";
    case ActionState_Fallen:
        return "Action State: Fallen";
    case ActionState_Dying:
        return "Action State: Dying";
    default:
        return "Illegal";
    }
}

bool Character::IsAlive() const
{
    if (observerMode)
        return false;
    return lifeState == LifeState_Alive || lifeState == LifeState_Unknown;
}

void Character::SubtractLife(float amount, const PlayStatsDamageType& statsType)
{
    if (invincible || god)
        return;
    bio.SubtractLife(amount);
    playStats.TallyDamageReceived(amount, statsType);
}

void Character::SubtractMana(float amount)
{
    if (omnipotent)
        return;
    bio.SubtractMana(amount);
    playStats.UseMana(amount);
}

void Character::SetCurrentMana(float value)
{
    bio.AddManaFast(value - GetCurrentMana());
}

uint32_t Character::GetExperienceReward() const
{
    return GameEngine::Get().CalculateExperienceReward(GetCharLevel(), GetExperiencePoints());
}

// Items add nothing yet: the item classes do not carry attributes.
void Character::GetEquipCharAttributes(CharAttributeAccumulator& /*accumulator*/) const {}

void Character::GetSkillCharAttributes(CharAttributeAccumulator& accumulator) const
{
    skillManager.GetCharAttributes(accumulator);
}

// Kept in the form `RemoveItemFromSet` looks for, so that taking a piece off always finds it.
void Character::AddItemToSet(const std::string& setName, const std::string& itemName)
{
    std::string name = itemName;
    NormalizeFileNameLower(name);
    itemSets[setName].push_back(std::move(name));
}

uint32_t Character::AddParticleEffect(const std::string& record, const std::string& attachPoint)
{
    return pfxManager.AddParticleEffect(record, attachPoint);
}

void Character::StartParticleEffect(uint32_t id)
{
    pfxManager.StartParticleEffect(id);
}

void Character::StopParticleEffect(uint32_t id)
{
    pfxManager.StopParticleEffect(id);
}

void Character::RemoveParticleEffect(uint32_t& id)
{
    pfxManager.RemoveParticleEffect(id);
}

uint32_t Character::AddMeshEffect(const std::string& record)
{
    return pfxManager.AddMeshEffect(record);
}

void Character::StartMeshEffect(uint32_t id)
{
    pfxManager.StartMeshEffect(id);
}

void Character::StopMeshEffect(uint32_t id)
{
    pfxManager.StopMeshEffect(id);
}

void Character::RemoveMeshEffect(uint32_t& id)
{
    pfxManager.RemoveMeshEffect(id);
}

DurationDamageManager& Character::GetDurationDamageMgr() const
{
    return combatManager.GetDurationDamageMgr();
}

bool Character::ApplyDamage(float damage, const PlayStatsDamageType& statsType,
                            CombatAttributeType damageType) const
{
    return combatManager.ApplyDamage(damage, statsType, damageType);
}

float Character::DesignerCalculatePhysicalDamage(float damage) const
{
    return combatManager.DesignerCalculatePhysicalDamage(damage);
}

float Character::DesignerCalculatePierceDamage(float damage) const
{
    return combatManager.DesignerCalculatePierceDamage(damage);
}

float Character::DesignerCalculateElementalDamage(float damage) const
{
    return combatManager.DesignerCalculateElementalDamage(damage);
}

float Character::DesignerCalculateElementalDurationDamage(float damage) const
{
    return combatManager.DesignerCalculateElementalDurationDamage(damage);
}

void Character::CombatAddLifeLeechDamage(float percent)
{
    combatManager.ApplyLifeLeech(percent);
}

} // namespace GAME
