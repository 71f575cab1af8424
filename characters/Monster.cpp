#include "characters/Monster.h"

#include "ai/ControllerBaseCharacter.h"
#include "ai/ControllerCombat.h"
#include "ai/ControllerMonster.h"
#include "characters/AttributePak.h"
#include "characters/MonsterReplicationRecord.h"
#include "characters/Player.h"
#include "characters/TeamManager.h"
#include "core/Helpers.h"
#include "core/RandomHelpers.h"
#include "core/Saturate.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "game/GameEngine.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Monster, Character);

namespace {

constexpr const char* kMonsterSource = "characters/Monster.cpp";

constexpr std::array<const char*, Monster::kNumSpeedCapKeys> kBossSpeedCapKeys = {
    "bossRunSpeedCapMin",       "bossRunSpeedCapMax",    "bossSpellCastSpeedCapMin",
    "bossSpellCastSpeedCapMax", "bossAttackSpeedCapMin", "bossAttackSpeedCapMax"};
constexpr std::array<const char*, Monster::kNumSpeedCapKeys> kMonsterSpeedCapKeys = {
    "monsterRunSpeedCapMin",       "monsterRunSpeedCapMax",    "monsterSpellCastSpeedCapMin",
    "monsterSpellCastSpeedCapMax", "monsterAttackSpeedCapMin", "monsterAttackSpeedCapMax"};

constexpr size_t kRunCap = 0;
constexpr size_t kSpellCastCap = 2;
constexpr size_t kAttackCap = 4;

// Equipment slot, then the location handed to the drop.
struct DropStep {
    size_t slot;
    int32_t location;
};
constexpr std::array<DropStep, 6> kLooseDrops = {{{3, 2}, {2, 1}, {0, 5}, {1, 6}, {7, 7}, {8, 7}}};
constexpr std::array<DropStep, 3> kFirmDrops = {{{4, 3}, {5, 4}, {6, 8}}};

void DestroyMonsterObject(uint32_t id, int line)
{
    if (id == 0)
        return;
    ObjectManager& objects = ObjectManager::Instance();
    objects.DestroyObjectEx(objects.GetObject(id), kMonsterSource, line);
}

} // namespace

Monster::Monster()
    : gameBalanceLevelHandler("GameEvent_GameBalanceLevel", &Monster::OnGameBalanceLevel, this)
{}

Monster::~Monster()
{
    confusionEffect.UnLoad();
    confusionEffect.SetParent(0);
    for (uint32_t sound : {alertSound, rallySound, rampageSound, ambientSound, fleeSound,
                           petAttackSound, petAcknowledgeSound, aliveSound})
        DestroyMonsterObject(sound, __LINE__);
    // The shown banner is attached to the monster and goes with it.
    for (uint32_t banner : {baseBanner, convertBanner, controlBanner})
        if (banner != shownBanner)
            DestroyMonsterObject(banner, __LINE__);
}

void Monster::Load(const LoadTable& table)
{
    classification =
        GameEngine::ResolveMonsterClassificationEnum(table.GetString("monsterClassification", ""));
    if (classification == MonsterClassification_Hero ||
        classification == MonsterClassification_Boss)
        classifiedLoot = true;
    const auto& capKeys =
        classification == MonsterClassification_Boss ? kBossSpeedCapKeys : kMonsterSpeedCapKeys;
    for (size_t i = 0; i < kNumSpeedCapKeys; ++i)
        speedCapKeys[i] = capKeys[i];
    if (gGameEngine != nullptr)
        gGameEngine->GetMonsterLootWeightModifiers(classification, lootWeightModifiers);

    Character::Load(table);

    LoadSoundPak(table, ambientSound, "ambientSound", nullptr);
    LoadSoundPak(table, alertSound, "alertSound", nullptr);
    LoadSoundPak(table, rallySound, "rallySound", nullptr);
    LoadSoundPak(table, rampageSound, "rampageSound", nullptr);
    LoadSoundPak(table, fleeSound, "fleeSound", nullptr);
    LoadSoundPak(table, petAttackSound, "petAttackSound", nullptr);
    LoadSoundPak(table, petAcknowledgeSound, "petAcknowledgeSound", nullptr);
    LoadSoundPak(table, aliveSound, "aliveSound", nullptr);
    alertSoundChance = table.GetFloat("alertSoundChance", 0.0f);
    rallySoundChance = table.GetFloat("rallySoundChance", 0.0f);
    rampageSoundChance = table.GetFloat("rampageSoundChance", 0.0f);
    rampageSoundDelay = SaturateToInt(table.GetFloat("rampageSoundDelay", 0.0f) * 1000.0);
    ambientPeriodMin =
        static_cast<float>(SaturateToInt(table.GetFloat("ambientPeriodMin", 0.0f) * 1000.0));
    ambientPeriodMax =
        static_cast<float>(SaturateToInt(table.GetFloat("ambientPeriodMax", 0.0f) * 1000.0));

    monsterMusic = table.GetString("MonsterMusic", "");
    const float musicRadius = table.GetFloat("MonsterMusicRadius", 0.0f);
    monsterMusicRadiusSquared = musicRadius * musicRadius;
    showStatusWidgetWhenPet = table.GetBool("showStatusWidgetWhenPet", false);
    statusIcon = table.GetString("StatusIcon", "");
    statusIconRed = table.GetString("StatusIconRed", "");

    if (!team.IsInitialized())
        SetTeam(TeamManager::DefaultMonsterTeam());
    SetOutlineColor(Color(1.0f, 0.0f, 0.0f, 0.3f));
    deathFromEnemyRange = table.GetFloat("deathFromEnemyRange", 0.0f);

    CreateController(table);

    skillManager.SetIsMonster(true);
    skillManager.LoadSkills(table, kNumSkillsToLoad);
    const uint32_t defaultSkillId = skillManager.LoadDefaultSkills();
    if (ControllerMonster* controller = GetControllerMonster())
        InitSkillsInController(table, controller, defaultSkillId);

    bossBoundingVolumes = table.GetString("bossBoundingVolumes", "");
    ambientTimer = RandomFloat(ambientPeriodMin, ambientPeriodMax);

    if (gGameEngine != nullptr) {
        const LoadTable& settings = gGameEngine->GetDatabase();
        confusionEffect.LoadFromDatabase(
            settings.GetStringAt("confusionDamageFxPak", GetEffectIndex(), ""));
    }

    table.GetStringList("monsterMesh", monsterMeshes);
    table.GetStringList("monsterBaseTexture", baseTextures);
    table.GetStringList("monsterBumpTexture", bumpTextures);

    const std::string dropItem = table.GetString("perPartyMemberDropItemName", "");
    if (!dropItem.empty())
        dropPerPartyMemberItem.baseName = dropItem;
    const int32_t lifetime = table.GetInt("lifeTime", 0);
    if (lifetime != 0)
        SetLifetime(lifetime);
    treasureProxyName = table.GetString("treasureProxyName", "");
}

void Monster::CreateController(const LoadTable& table)
{
    std::string record;
    bool controlling = true;
    if (gEngine != nullptr && gEngine->IsNetworkClient()) {
        record = kStubControllerRecord;
        controlling = false;
    } else if (gEngine != nullptr && gEngine->IsLevelEditor()) {
        record = kEditorControllerRecord;
    } else {
        record = table.GetString("controller", kDefaultControllerRecord);
        skillManager.SetAsControllingManager();
    }
    if (auto* controller =
            ObjectManager::Instance().CreateObjectFromFile<ControllerBaseCharacter>(record))
        controllerId = controller->GetObjectId();
    SetIsControllingCharacter(controlling);
}

void Monster::PreLoad(bool flag)
{
    Character::PreLoad(flag);
    for (uint32_t sound : {ambientSound, alertSound, rallySound, rampageSound})
        if (SoundPak* pack = GetSoundPak(sound))
            pack->PreLoad(false);
    confusionEffect.PreLoad();
}

void Monster::InitialUpdate()
{
    if (Controller* controller = ObjectManager::Instance().GetObject<Controller>(controllerId))
        controller->AttachParent(GetObjectId());
    Character::InitialUpdate();
    confusionEffect.SetParent(GetObjectId());
    AttachBossVolumes();
    for (uint32_t sound : {alertSound, rallySound, rampageSound, fleeSound})
        if (SoundPak* pack = GetSoundPak(sound))
            RegisterNetSound(pack);
    confusionEffect.InitializeFxPak();
    SelectAlternativeMesh();
    savedTeam = TeamManager::DefaultMonsterTeam();
    RestoreLifeState();
    if (lifeState != LifeState_Dead)
        StartAliveSound();
    SetTreasureProxy(treasureProxyName);
    if (gGameEngine != nullptr)
        balanceLevel = static_cast<uint32_t>(gGameEngine->GetBalanceDifficulty());
    bio.BalanceHasChanged();
}

void Monster::SelectAlternativeMesh()
{
    const uint32_t id = GetObjectId();
    const auto within = [](const std::vector<std::string>& list, size_t index) {
        return index < list.size();
    };
    if (!monsterMeshes.empty()) {
        const size_t index = id % monsterMeshes.size();
        SetMesh(monsterMeshes[index]);
        if (within(baseTextures, index))
            SetBaseTexture(baseTextures[index]);
        if (within(bumpTextures, index))
            SetBumpTexture(bumpTextures[index]);
    } else if (!baseTextures.empty()) {
        const size_t index = id % baseTextures.size();
        SetBaseTexture(baseTextures[index]);
        if (within(bumpTextures, index))
            SetBumpTexture(bumpTextures[index]);
    } else if (!bumpTextures.empty()) {
        SetBumpTexture(bumpTextures[id % bumpTextures.size()]);
    }
}

ControllerMonster* Monster::GetControllerMonster() const
{
    return ObjectManager::Instance().GetObject<ControllerMonster>(controllerId);
}

void Monster::BrainTransplant(ControllerMonster* controller)
{
    if (controller == nullptr)
        return;
    controllerId = controller->GetObjectId();
    controller->SetParentId(GetObjectId());
}

ControllerMonster* Monster::Lobotomize()
{
    ControllerMonster* old = GetControllerMonster();
    if (old == nullptr)
        return nullptr;
    Object* stub = ObjectManager::Instance().CreateObjectFromFile(kStubControllerRecord);
    controllerId = stub != nullptr ? stub->GetObjectId() : 0;
    return old;
}

bool Monster::RequestConversation(const Monster& other)
{
    ControllerAI* controller = ObjectManager::Instance().GetObject<ControllerAI>(controllerId);
    if (controller == nullptr) {
        gEngine->Log(Engine::LogRuntime, "%s does not have a controller.", GetObjectName().c_str());
        return false;
    }
    return controller->RequestConversation(other.GetObjectId());
}

void Monster::SetLifetime(int32_t milliseconds)
{
    if (ControllerMonster* controller = GetControllerMonster())
        controller->SetLifetime(milliseconds);
    else
        standInLifetime = milliseconds;
}

void Monster::TransferAnger(Monster& other)
{
    ControllerMonster* mine = GetControllerMonster();
    ControllerMonster* theirs = other.GetControllerMonster();
    if (mine != nullptr && theirs != nullptr)
        mine->TransferAnger(*theirs);
}

void Monster::ClearAnger()
{
    if (ControllerMonster* controller = GetControllerMonster())
        controller->ClearAnger();
}

void Monster::SetTreasureProxy(const std::string& name)
{
    if (ControllerMonster* controller = GetControllerMonster())
        controller->SetTreasureProxy(name);
}

void Monster::CombatExertInfluenceConfusion(int32_t milliseconds)
{
    if (ControllerMonster* controller = GetControllerMonster())
        controller->Confuse(milliseconds);
}

float Monster::GetDefenseAttributeCap() const
{
    return GameEngine::Get().GetDefenseCap(false);
}

float Monster::CapSpeed(float speed, size_t keyIndex, CharAttributeType baseType) const
{
    if (gGameEngine == nullptr)
        return speed;
    GameEngine& game = *gGameEngine;
    const auto difficulty = static_cast<size_t>(game.GetGameDifficulty());
    const LoadTable& settings = game.GetDatabase();
    const float minimum = settings.GetFloatAt(speedCapKeys[keyIndex].c_str(), difficulty, 0.0f);
    const float maximum = settings.GetFloatAt(speedCapKeys[keyIndex + 1].c_str(), difficulty, 0.0f);
    if (minimum <= 0.0f || maximum <= 0.0f)
        return speed;
    const float base = bio.GetBaseCharAttribute(baseType);
    return Clamp(speed, minimum * 0.01f * base, maximum * 0.01f * base);
}

float Monster::CapRunSpeed(float speed) const
{
    return CapSpeed(speed, kRunCap, CharAttribute_RunSpeed);
}

float Monster::CapSpellCastSpeed(float speed) const
{
    return CapSpeed(speed, kSpellCastCap, CharAttribute_SpellCastSpeed);
}

float Monster::CapAttackSpeed(float speed) const
{
    return CapSpeed(speed, kAttackCap, CharAttribute_AttackSpeed);
}

void Monster::ContributeGameBalanceCharAttributes(CharAttributeAccumulator& accumulator) const
{
    if (gGameEngine != nullptr)
        gGameEngine->GetMonsterAttributePak().GetCharAttributes(accumulator, balanceLevel);
}

void Monster::ContributeGameBalanceSkillAttributes(SkillAttributeAccumulator& accumulator) const
{
    if (gGameEngine != nullptr)
        gGameEngine->GetMonsterAttributePak().GetSkillAttributes(accumulator, balanceLevel);
}

void Monster::ContributeGameBalanceDefenseAttributes(CombatAttributeAccumulator& accumulator) const
{
    if (gGameEngine != nullptr)
        gGameEngine->GetMonsterAttributePak().GetDefenseAttributes(accumulator, balanceLevel);
}

void Monster::ContributeGameBalanceOffensiveDamageAttributes(
    CombatAttributeAccumulator& accumulator) const
{
    if (gGameEngine != nullptr)
        gGameEngine->GetMonsterAttributePak().GetOffensiveDamageAttributes(accumulator,
                                                                           balanceLevel);
}

void Monster::ContributeGameBalanceOffensiveModifierAttributes(
    CombatAttributeAccumulator& accumulator) const
{
    if (gGameEngine != nullptr)
        gGameEngine->GetMonsterAttributePak().GetOffensiveModifierAttributes(accumulator,
                                                                             balanceLevel);
}

void Monster::ContributeGameBalanceRetaliationAttributes(
    CombatAttributeAccumulator& accumulator) const
{
    if (gGameEngine != nullptr)
        gGameEngine->GetMonsterAttributePak().GetRetaliationAttributes(accumulator, balanceLevel);
}

void Monster::OnGameBalanceLevel(const GameEvent_GameBalanceLevel& event)
{
    balanceLevel = static_cast<uint32_t>(event.level);
    bio.BalanceHasChanged();
    bio.Update(*this, 0);
}

float Monster::CalculateStun(float a, float b, float c, float d)
{
    // A defender without the base value cannot be stunned; the ratio would be meaningless.
    if (!(b > 0.0f))
        return 0.0f;
    const float ratio = a / b;
    const float keep = 1.0f - c * 0.01f;
    if (ratio * keep * 100.0f <= d + 5.0f)
        return 0.0f;
    return (ratio * 3.0f + 1000.0f) * keep;
}

void Monster::StartDamageEffect(CombatAttributeType damageType)
{
    Character::StartDamageEffect(damageType);
    if (damageType == CombatAttributeType_Confusion)
        confusionEffect.Enable(true);
}

void Monster::StopDamageEffect(CombatAttributeType damageType)
{
    Character::StopDamageEffect(damageType);
    if (damageType == CombatAttributeType_Confusion)
        confusionEffect.Enable(false);
}

bool Monster::ShouldLoadLoot() const
{
    const bool client = gEngine != nullptr && gEngine->IsNetworkClient();
    return !client && !GetRestoredFromLevelState();
}

void Monster::CharacterHasDied()
{
    Character::CharacterHasDied();
    if (Player* player = ObjectManager::Instance().GetObject<Player>(GetAttackerId()))
        player->ContactWithObject(GetObjectId());
}

void Monster::CharacterIsDying()
{
    Character::CharacterIsDying();
    if (gGameEngine != nullptr)
        gGameEngine->UnregisterLocalPet(GetObjectId());
    DropAttachedItems();
    StopAliveSound();
    if (gEngine != nullptr)
        gEngine->UnregisterForForcedUpdates(GetObjectId());
    RemoveAllPetBanners();
}

void Monster::DropAttachedItems()
{
    const auto drop = [this](const DropStep& step) {
        uint32_t& itemId = lootState.itemIds[step.slot];
        DetachItemAction(itemId);
        DropItemFromEquipLocation(itemId, static_cast<EquipLocations>(step.location), true);
    };
    for (const DropStep& step : kLooseDrops)
        drop(step);
    for (const DropStep& step : kFirmDrops)
        drop(step);
}

} // namespace GAME
