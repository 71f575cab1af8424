#pragma once

#include "characters/CharAttributeAccumulator.h"
#include "characters/CharAttributeStore_Bio.h"
#include "characters/CharAttributeType.h"
#include "combat/DefenseAttributeStore_Character.h"
#include "core/DesignerEquation.h"
#include "core/EquationInterface.h"

#include <cstdint>
#include <memory>

namespace GAME {

class Bonus;
class Character;
class CharacterBioReplicaInfo;
class CombatAttributeAccumulator;
class IOStream;
class LoadTable;

// A character's life and mana pools and its base attributes. Fast additions change a pool at
// once; slow ones wait in a pending amount that feeds the pool at a share of its limit per
// second, and spent mana drains the same way. Each update gathers the character's attribute
// totals and turns them into regeneration through the equations of the shared regeneration
// record, which read the bio's designer variables.
//
// Untouched (not tainted) the pools refill to their limits on every update; the first loss,
// attribute increment or `BioIsTainted` ends that, and `ReloadValues` asks for one refill.
class CharacterBio : public EquationInterface<float>, public DesignerSlots<float> {
public:
    static constexpr const char* kRegenRecord = "Records/Game/HealthManaRegen.dbr";

    CharacterBio();
    virtual ~CharacterBio();
    CharacterBio(const CharacterBio&) = delete;
    CharacterBio& operator=(const CharacterBio&) = delete;

    // The base attributes and defenses from the character's record, the rates and equations
    // from the regeneration record.
    void Load(const LoadTable& table);
    void InitialUpdate(Character& character);
    void Update(Character& character, int elapsedMs);

    // Limits and values.
    float GetLifeLimit() const { return totalAttributes.GetValue(CharAttribute_Life); }
    float GetManaLimit() const { return totalAttributes.GetValue(CharAttribute_Mana); }
    float GetCurrentLife() const;
    float GetCurrentMana() const;
    // The mana left once the drains already asked for have been taken.
    float GetManaAfterDrain() const;
    float GetLifePotential() const;
    float GetManaPotential() const;
    float GetManaReserve() const;

    // Attributes.
    float GetAttribute(CharAttributeType type) const { return totalAttributes.GetValue(type); }
    float GetModifier(CharAttributeType type) const { return totalAttributes.GetModifier(type); }
    const CharAttributeAccumulator& GetCharAttributes() const { return totalAttributes; }
    float GetBaseCharAttribute(CharAttributeType type) const { return baseTotals.GetValue(type); }
    void GetBaseCharAttributes(CharAttributeAccumulator& accumulator) const;
    void GetDefenseAttributes(CombatAttributeAccumulator& accumulator) const;
    void IncrementBaseAttribute(CharAttributeType type, float amount);

    // The pools.
    void SubtractLife(float amount);
    void SubtractMana(float amount);
    void AddLifeFast(float amount);
    void AddManaFast(float amount);
    void AddLifeSlow(float amount);
    void AddManaSlow(float amount);
    void TakeBonus(const Bonus& bonus, bool slow);
    float GetBonusLifeAmount(const Bonus& bonus) const;

    // Flags.
    void ReloadValues() { reloadValues = true; }
    void BalanceHasChanged() { balanceChanged = true; }
    void BioIsTainted();
    bool GetTaintedBio() const { return tainted; }
    void SetAcceleratedLifeRegen(bool enabled) { acceleratedLifeRegen = enabled; }

    // Replicas, level states and the player's save.
    void GetCurrentBioStats(CharacterBioReplicaInfo& replica) const;
    void RestoreCurrentBioStats(const CharacterBioReplicaInfo& replica, bool withBase);
    void StreamProperties(IOStream* stream);

    // "elapsedTime", "lifeRegen", "lifeRegenMod", "lifeTotal", "manaRegen", "manaRegenMod",
    // "manaTotal", "intelligence" and "charLevel".
    bool GetDesignerVariable(const char* name, float& value) override;
    uint32_t ResolveDesignerSlot(const char* name) const override;
    float ReadDesignerSlot(uint32_t slot) override;
    const float* DesignerSlotAddress(uint32_t slot) const override;
    // 0 without an equation.
    float GetLifeRegenValue(float regen, float regenModifier, float seconds);
    float GetManaRegenValue(float regen, float regenModifier, float seconds);

protected:
    void UpdateResources(Character& character);

private:
    void LoadRegenRecord();
    void LoadEquation(const LoadTable& record, const char* key,
                      std::unique_ptr<DesignerEquation<float>>& equation);
    void Regenerate(Character& character, int elapsedMs, float seconds);
    // The base store for a change; the next update sums it again.
    CharAttributeStore_Bio& ChangeBase()
    {
        baseTotalsLevel = 0;
        return baseAttributes;
    }

    // Rates in milliseconds: the time in which a whole limit would feed or drain.
    float healthOverStorageLimit = 0.0f;
    float healthFeedRate = 0.0f;
    float manaOverStorageLimit = 0.0f;
    float manaFeedRate = 0.0f;
    float manaDrainRate = 0.0f;
    float currentLife = 0.0f;
    float pendingLife = 0.0f;
    float damageSinceUpdate = 0.0f;
    float acceleratedLifeRegenPercent = 0.0f;
    bool acceleratedLifeRegen = false;
    float currentMana = 0.0f;
    float pendingMana = 0.0f;
    float manaToDrain = 0.0f;
    CharAttributeStore_Bio baseAttributes;
    CharAttributeAccumulator totalAttributes;
    CharAttributeAccumulator baseTotals;
    // The difficulty level `baseTotals` was summed at; 0 while they are stale.
    uint32_t baseTotalsLevel = 0;
    std::unique_ptr<DesignerEquation<float>> lifeRegenEquation;
    std::unique_ptr<DesignerEquation<float>> manaRegenEquation;
    // What the equations read.
    float elapsedTime = 0.0f;
    float manaRegen = 0.0f;
    float lifeRegen = 0.0f;
    float manaRegenMod = 0.0f;
    float lifeRegenMod = 0.0f;
    float manaTotal = 0.0f;
    float lifeTotal = 0.0f;
    float intelligence = 0.0f;
    uint32_t charLevel = 0;
    DefenseAttributeStore_Character defenseAttributes;
    bool tainted = false;
    bool reloadValues = false;
    bool balanceChanged = false;
    float lastLifeModifier = 0.0f;
    bool lifeModifierChanged = false;
    float lastManaModifier = 0.0f;
    bool manaModifierChanged = false;
    bool bioInitialized = false;
};

} // namespace GAME
