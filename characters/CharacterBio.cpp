#include "characters/CharacterBio.h"

#include "characters/Bonus.h"
#include "characters/Character.h"
#include "characters/CharacterBioReplicaInfo.h"
#include "core/DesignerEquationLoader.h"
#include "core/DesignerEquation_Algebra.h"
#include "core/Helpers.h"
#include "core/PlayStats.h"
#include "engine/Engine.h"
#include "engine/IOStream.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>
#include <string_view>

namespace GAME {

namespace {

// The base values that the player's save holds, in its order, with their names in its lines.
struct SavedBase {
    CharAttributeType type;
    const char* name;
};
constexpr SavedBase kSavedBases[] = {{CharAttribute_Strength, "strength"},
                                     {CharAttribute_Dexterity, "dexterity"},
                                     {CharAttribute_Intelligence, "intelligence"},
                                     {CharAttribute_Life, "life"},
                                     {CharAttribute_Mana, "mana"}};
// Far beyond what every attribute point of the top level buys, and small enough that totals
// with every bonus stay well inside the integers they are shown and compared as.
constexpr float kMaxSavedBase = 1000000.0f;

// A pool keeps its share of the limit when the limit changes. Without an old limit there is no
// share to keep: the value stays as it is, within the new limit.
float KeepRatio(float current, float oldLimit, float newLimit)
{
    if (oldLimit != 0.0f) {
        const float ratio = current / oldLimit;
        if (std::isfinite(ratio))
            return newLimit * ratio;
    }
    return Min(current, newLimit);
}

// What one update moves out of a pending amount. A rate of 0 or less is no delay at all: the
// whole amount moves at once rather than through a division by it.
float TakeFromPending(float total, float rateMs, int elapsedMs, float pending)
{
    if (!(rateMs > 0.0f))
        return pending;
    return Min(total / rateMs * static_cast<float>(elapsedMs), pending);
}

// A broken equation (a division by 0 in the designer's text) regenerates nothing rather than
// filling or emptying a pool.
float Finite(float value)
{
    return std::isfinite(value) ? value : 0.0f;
}

// The fewest digits, from seven, that read back as this very float: 1000000.5 is not told as
// 1000000, nor 1e+30 as 1.00000002e+30.
std::string ExactText(float value)
{
    char text[32];
    for (int digits = 7; digits <= 9; ++digits) {
        std::snprintf(text, sizeof(text), "%.*g", digits, static_cast<double>(value));
        if (std::strtof(text, nullptr) == value)
            break;
    }
    return text;
}

} // namespace

CharacterBio::CharacterBio() = default;

CharacterBio::~CharacterBio() = default;

void CharacterBio::Load(const LoadTable& table)
{
    acceleratedLifeRegenPercent = table.GetFloat("acceleratedLifeRegenPercent", 0.0f);
    ChangeBase().Load(table);
    LoadRegenRecord();
    defenseAttributes.Load(table);
}

void CharacterBio::LoadRegenRecord()
{
    ObjectManager& objects = ObjectManager::Instance();
    if (!objects.LoadTableFile(kRegenRecord))
        return;
    const LoadTable& record = objects.GetLoadTable(kRegenRecord);
    LoadEquation(record, "lifeRegenEquation", lifeRegenEquation);
    LoadEquation(record, "manaRegenEquation", manaRegenEquation);
    healthOverStorageLimit = record.GetFloat("healthOverStorageLimit", 0.0f);
    healthFeedRate = record.GetFloat("healthFeedRate", 0.0f) * 1000.0f;
    manaOverStorageLimit = record.GetFloat("manaOverStorageLimit", 0.0f);
    manaFeedRate = record.GetFloat("manaFeedRate", 0.0f) * 1000.0f;
    manaDrainRate = record.GetFloat("manaDrainRate", 0.0f) * 1000.0f;
}

void CharacterBio::LoadEquation(const LoadTable& record, const char* key,
                                std::unique_ptr<DesignerEquation<float>>& equation)
{
    equation =
        LoadDesignerEquation(record, key, this, "-=- CharacterBio Equation load failure : %s ");
}

void CharacterBio::InitialUpdate(Character& character)
{
    UpdateResources(character);
    bioInitialized = true;
}

void CharacterBio::UpdateResources(Character& character)
{
    // The totals start from the base store alone, which is what the base totals hold. The store
    // changes seldom (a load, a point spent, a save read), so its sum is kept for the difficulty
    // it was made at.
    const uint32_t level = DefenseAttributeStore_Character::GetDifficultyLevel();
    if (level != baseTotalsLevel) {
        baseTotals.Clear();
        baseAttributes.AddToAccumulator(baseTotals, level);
        baseTotalsLevel = level;
    }
    totalAttributes = baseTotals;
    character.GetEquipCharAttributes(totalAttributes);
    character.GetSkillCharAttributes(totalAttributes);
    character.ContributeItemSetCharAttributes(totalAttributes);
    character.ContributeGameBalanceCharAttributes(totalAttributes);

    const float lifeModifier = GetModifier(CharAttribute_Life);
    if (lifeModifier != lastLifeModifier) {
        lastLifeModifier = lifeModifier;
        lifeModifierChanged = true;
    }
    const float manaModifier = GetModifier(CharAttribute_Mana);
    if (manaModifier != lastManaModifier) {
        lastManaModifier = manaModifier;
        manaModifierChanged = true;
    }
}

void CharacterBio::Update(Character& character, int elapsedMs)
{
    const float seconds = static_cast<float>(elapsedMs) * 0.001f;
    const float oldLifeLimit = GetLifeLimit();
    const float oldManaLimit = GetManaLimit();
    UpdateResources(character);

    if (balanceChanged || lifeModifierChanged)
        currentLife = KeepRatio(currentLife, oldLifeLimit, GetLifeLimit());
    if (balanceChanged || manaModifierChanged)
        currentMana = KeepRatio(currentMana, oldManaLimit, GetManaLimit());
    balanceChanged = false;
    lifeModifierChanged = false;
    manaModifierChanged = false;

    lifeTotal = GetLifeLimit();
    manaTotal = GetManaLimit();
    intelligence = GetAttribute(CharAttribute_Intelligence);
    charLevel = character.GetCharLevel();

    if (!tainted || reloadValues) {
        reloadValues = false;
        currentLife = lifeTotal;
        damageSinceUpdate = 0.0f;
        pendingLife = 0.0f;
        currentMana = manaTotal;
        manaToDrain = 0.0f;
        pendingMana = 0.0f;
        return;
    }
    if (elapsedMs >= 1 && currentLife > 0.0f)
        Regenerate(character, elapsedMs, seconds);
}

void CharacterBio::Regenerate(Character& character, int elapsedMs, float seconds)
{
    float accelerated = 0.0f;
    if (acceleratedLifeRegen && damageSinceUpdate == 0.0f)
        accelerated = acceleratedLifeRegenPercent * 0.01f * lifeTotal * seconds;
    damageSinceUpdate = 0.0f;

    float regen = Finite(GetLifeRegenValue(GetAttribute(CharAttribute_LifeRegen),
                                           GetModifier(CharAttribute_LifeRegen), seconds));
    // Regeneration never kills.
    if (regen < 0.0f && !(-regen < currentLife && currentLife > 1.0f))
        regen = 0.0f;
    const float feed = TakeFromPending(lifeTotal, healthFeedRate, elapsedMs, pendingLife);
    pendingLife = Max(pendingLife - feed, 0.0f);
    const float lifeBefore = currentLife;
    currentLife = Min(regen + accelerated + currentLife + feed, lifeTotal);
    character.GetPlayStats().GainLife(currentLife - lifeBefore, PlayStatsLife_Regeneration);

    manaTotal = Max(manaTotal - GetManaReserve(), 0.0f);
    const float manaGain = Finite(GetManaRegenValue(GetAttribute(CharAttribute_ManaRegen),
                                                    GetModifier(CharAttribute_ManaRegen), seconds));
    const float manaFeed = TakeFromPending(manaTotal, manaFeedRate, elapsedMs, pendingMana);
    pendingMana = Max(pendingMana - manaFeed, 0.0f);
    const float drain = TakeFromPending(manaTotal, manaDrainRate, elapsedMs, manaToDrain);
    manaToDrain = Max(manaToDrain - drain, 0.0f);
    currentMana = Clamp(manaFeed + manaGain + currentMana - drain, 0.0f, manaTotal);
}

float CharacterBio::GetCurrentLife() const
{
    return Max(currentLife, 0.0f);
}

float CharacterBio::GetCurrentMana() const
{
    return Max(currentMana, 0.0f);
}

float CharacterBio::GetManaAfterDrain() const
{
    return Max(currentMana - manaToDrain, 0.0f);
}

float CharacterBio::GetLifePotential() const
{
    return Clamp(pendingLife + currentLife, 0.0f, GetLifeLimit());
}

float CharacterBio::GetManaPotential() const
{
    return Clamp(pendingMana + currentMana, 0.0f, GetManaLimit());
}

float CharacterBio::GetManaReserve() const
{
    return GetAttribute(CharAttribute_ManaLimitReserve) *
           (1.0f - GetAttribute(CharAttribute_ManaLimitReserveReduction) * 0.01f);
}

void CharacterBio::GetBaseCharAttributes(CharAttributeAccumulator& accumulator) const
{
    baseAttributes.AddToAccumulator(accumulator,
                                    DefenseAttributeStore_Character::GetDifficultyLevel());
}

void CharacterBio::GetDefenseAttributes(CombatAttributeAccumulator& accumulator) const
{
    defenseAttributes.AddToAccumulator(accumulator,
                                       DefenseAttributeStore_Character::GetDifficultyLevel());
}

void CharacterBio::IncrementBaseAttribute(CharAttributeType type, float amount)
{
    ChangeBase().SetBaseValue(type, baseAttributes.GetBaseValue(type) + amount);
    tainted = true;
}

void CharacterBio::SubtractLife(float amount)
{
    if (amount >= 0.0f) {
        currentLife -= amount;
        damageSinceUpdate += amount;
    }
    tainted = true;
}

void CharacterBio::SubtractMana(float amount)
{
    manaToDrain += amount;
    tainted = true;
}

void CharacterBio::AddLifeFast(float amount)
{
    currentLife = Min(currentLife + amount, GetLifeLimit());
}

void CharacterBio::AddManaFast(float amount)
{
    currentMana = Min(currentMana + amount, GetManaLimit());
}

void CharacterBio::AddLifeSlow(float amount)
{
    pendingLife = Min(pendingLife + amount, GetLifeLimit() * healthOverStorageLimit);
}

void CharacterBio::AddManaSlow(float amount)
{
    const float storable = Max(GetManaLimit() - GetManaReserve(), 0.0f) * manaOverStorageLimit;
    pendingMana = Min(pendingMana + amount, storable);
}

void CharacterBio::TakeBonus(const Bonus& bonus, bool slow)
{
    AddLifeFast(bonus.lifePercent * 0.01f * GetLifeLimit());
    AddManaFast(bonus.manaPercent * 0.01f * GetManaLimit());
    AddManaFast(bonus.manaPoints);
    if (slow)
        AddLifeSlow(bonus.lifePoints);
    else
        AddLifeFast(bonus.lifePoints);
}

float CharacterBio::GetBonusLifeAmount(const Bonus& bonus) const
{
    float added = bonus.lifePoints;
    if (currentLife + added > lifeTotal)
        added = lifeTotal - currentLife;
    const float percent = bonus.lifePercent * 0.01f * GetLifeLimit();
    if (currentLife + added + percent > lifeTotal)
        return lifeTotal - currentLife;
    return added + percent;
}

void CharacterBio::BioIsTainted()
{
    if (bioInitialized)
        tainted = true;
}

void CharacterBio::GetCurrentBioStats(CharacterBioReplicaInfo& replica) const
{
    replica.currentLife = CharacterBioReplicaInfo::ToWholeNumber(GetCurrentLife());
    replica.currentMana = CharacterBioReplicaInfo::ToWholeNumber(GetCurrentMana());
    replica.tainted = tainted ? 1 : 0;
    replica.baseLife =
        CharacterBioReplicaInfo::ToWholeNumber(baseAttributes.GetBaseValue(CharAttribute_Life));
    replica.baseMana =
        CharacterBioReplicaInfo::ToWholeNumber(baseAttributes.GetBaseValue(CharAttribute_Mana));
    replica.baseStrength =
        CharacterBioReplicaInfo::ToWholeNumber(baseAttributes.GetBaseValue(CharAttribute_Strength));
    replica.baseDexterity = CharacterBioReplicaInfo::ToWholeNumber(
        baseAttributes.GetBaseValue(CharAttribute_Dexterity));
    replica.baseIntelligence = CharacterBioReplicaInfo::ToWholeNumber(
        baseAttributes.GetBaseValue(CharAttribute_Intelligence));
}

void CharacterBio::RestoreCurrentBioStats(const CharacterBioReplicaInfo& replica, bool withBase)
{
    currentLife = static_cast<float>(replica.currentLife);
    currentMana = static_cast<float>(replica.currentMana);
    tainted = replica.tainted != 0;
    if (!withBase)
        return;
    ChangeBase().SetBaseValue(CharAttribute_Life, static_cast<float>(replica.baseLife));
    ChangeBase().SetBaseValue(CharAttribute_Mana, static_cast<float>(replica.baseMana));
    ChangeBase().SetBaseValue(CharAttribute_Strength, static_cast<float>(replica.baseStrength));
    ChangeBase().SetBaseValue(CharAttribute_Dexterity, static_cast<float>(replica.baseDexterity));
    ChangeBase().SetBaseValue(CharAttribute_Intelligence,
                              static_cast<float>(replica.baseIntelligence));
}

void CharacterBio::StreamProperties(IOStream* stream)
{
    if (stream == nullptr)
        return;
    const bool reading = stream->IsReading();
    stream->BeginBlock();
    for (const SavedBase& base : kSavedBases) {
        // Every value goes under the same key; only the order tells them apart.
        float value = reading ? 0.0f : baseAttributes.GetBaseValue(base.type);
        stream->StreamFloat("temp", value);
        if (!reading || value == 0.0f)
            continue;
        // A life below 0 would kill the hero at every update, and a huge or broken value would
        // reach the integers totals are compared as.
        if (!(value > 0.0f && value <= kMaxSavedBase)) {
            gEngine->Log(Engine::LogData,
                         "CharacterBio: saved base %s %s lies outside 0 to %.0f; the record's kept",
                         base.name, ExactText(value).c_str(), static_cast<double>(kMaxSavedBase));
            continue;
        }
        ChangeBase().SetBaseValue(base.type, value);
    }
    stream->EndBlock();
    if (reading && stream->HasFailed())
        gEngine->Log(Engine::LogData, "CharacterBio: the saved block is unreadable");
}

namespace {
// The bio's variables by slot, in the order the names are resolved.
enum BioSlot : uint32_t {
    Slot_ElapsedTime,
    Slot_LifeRegen,
    Slot_LifeRegenMod,
    Slot_LifeTotal,
    Slot_ManaRegen,
    Slot_ManaRegenMod,
    Slot_ManaTotal,
    Slot_Intelligence,
    Slot_CharLevel,
};
} // namespace

bool CharacterBio::GetDesignerVariable(const char* name, float& value)
{
    value = 0.0f;
    const uint32_t slot = ResolveDesignerSlot(name);
    if (slot == NoSlot)
        return false;
    value = ReadDesignerSlot(slot);
    return true;
}

uint32_t CharacterBio::ResolveDesignerSlot(const char* name) const
{
    static constexpr const char* kNames[] = {
        "elapsedTime",  "lifeRegen", "lifeRegenMod", "lifeTotal", "manaRegen",
        "manaRegenMod", "manaTotal", "intelligence", "charLevel",
    };
    static_assert(std::size(kNames) == Slot_CharLevel + 1);
    // Compiled formulas ask by slot, so the names are compared only when a formula is built
    // or a caller asks by name.
    if (name != nullptr) {
        for (uint32_t slot = 0; slot < std::size(kNames); ++slot) {
            if (std::strcmp(name, kNames[slot]) == 0)
                return slot;
        }
    }
    return NoSlot;
}

float CharacterBio::ReadDesignerSlot(uint32_t slot)
{
    const float* address = DesignerSlotAddress(slot);
    return address != nullptr ? *address : static_cast<float>(charLevel);
}

const float* CharacterBio::DesignerSlotAddress(uint32_t slot) const
{
    switch (slot) {
    case Slot_ElapsedTime:
        return &elapsedTime;
    case Slot_LifeRegen:
        return &lifeRegen;
    case Slot_LifeRegenMod:
        return &lifeRegenMod;
    case Slot_LifeTotal:
        return &lifeTotal;
    case Slot_ManaRegen:
        return &manaRegen;
    case Slot_ManaRegenMod:
        return &manaRegenMod;
    case Slot_ManaTotal:
        return &manaTotal;
    case Slot_Intelligence:
        return &intelligence;
    default:
        // The level is a whole number, converted at each read.
        return nullptr;
    }
}

float CharacterBio::GetLifeRegenValue(float regen, float regenModifier, float seconds)
{
    lifeRegen = regen;
    lifeRegenMod = regenModifier;
    elapsedTime = seconds;
    return lifeRegenEquation ? (*lifeRegenEquation)() : 0.0f;
}

float CharacterBio::GetManaRegenValue(float regen, float regenModifier, float seconds)
{
    manaRegen = regen;
    manaRegenMod = regenModifier;
    elapsedTime = seconds;
    return manaRegenEquation ? (*manaRegenEquation)() : 0.0f;
}

} // namespace GAME
