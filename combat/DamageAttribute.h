#pragma once

#include "combat/CombatAttributeType.h"
#include "core/AttributeRolls.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class CombatAttributeAccumulator;
class DamageAttributeStore;
class LoadTable;
class RandomUniform;
struct CostInfo_DamageAttributes;

// The record keys and tooltip tag of one damage attribute kind, each a whole literal so that a
// designer can search the code for any key of a record. A family reads only the keys it needs;
// the rest stay null.
struct DamageAttributeKeys {
    CombatAttributeType type = CombatAttributeType_Unknown;
    const char* chance = nullptr;
    const char* xorKey = nullptr;
    const char* global = nullptr;
    const char* display = nullptr;
    // Modifier kinds.
    const char* modifier = nullptr;
    const char* durationModifier = nullptr;
    // Flat and duration kinds.
    const char* valueMin = nullptr;
    const char* valueMax = nullptr;
    const char* durationMin = nullptr;
    const char* durationMax = nullptr;
    // Mana burn.
    const char* damageRatio = nullptr;
};

// One number per level as a (minimum, spread) pair: a roll lands in minimum .. minimum + spread.
struct DamageAttributeRange {
    float minimum = 0.0f;
    float spread = 0.0f;
    float GetMaximum() const { return minimum + spread; }
    bool operator==(const DamageAttributeRange&) const = default;
};

// One offensive property that an item, a skill level or a character record gives to an attack.
// It loads itself from a record and names the group of its store that it joins (plain or
// global); it adds combat attributes to an attack at a level, writes its tooltip lines, and can
// be jittered, scaled and priced when loot is made.
class DamageAttribute {
public:
    // The three tooltip lists, shown in this order.
    enum TextList { TextList_First, TextList_Second, TextList_Third };
    using Lines = std::vector<std::wstring>;
    // The store's group an attribute joins: the plain one, or one of the two that share the
    // store's global chance.
    enum LoadGroup { LoadGroup_Plain, LoadGroup_GlobalAnd, LoadGroup_GlobalXor };

    virtual ~DamageAttribute() = default;

    virtual float GetChance(uint32_t level) const;
    // True when the record gives a value for at least one level.
    virtual bool LoadFromTable(const LoadTable& table) = 0;
    // The group the record puts it in.
    virtual LoadGroup GetLoadGroup(const LoadTable& table) const;
    virtual CombatAttributeType GetType() const;
    // The family's line of the level, routed to the family's list.
    virtual void CreateText(Lines& lines1, Lines& lines2, Lines& lines3, uint32_t level) const;
    virtual void CreateNextText(Lines& lines1, Lines& lines2, Lines& lines3, uint32_t level,
                                uint32_t nextLevel) const;
    // `force`: the store already rolled a group chance for this attribute, so it rolls none of
    // its own. Every draw comes from `random`, in a fixed order that peers repeat.
    virtual void AddDamageToAccumulator(CombatAttributeAccumulator& accumulator, uint32_t level,
                                        RandomUniform& random, bool force) const = 0;
    virtual void AddModifierToAccumulator(CombatAttributeAccumulator& accumulator, uint32_t level,
                                          RandomUniform& random, bool force) const = 0;
    virtual void ScaleAttribute(float percent) = 0;
    virtual void AddJitter(float jitterPercent, RandomUniform* random) = 0;
    virtual void GetCostInfo(CostInfo_DamageAttributes& info) const = 0;
    virtual const char* GetLoadChanceTag() const;
    virtual const char* GetLoadXorTag() const;
    virtual const char* GetLoadGlobalTag() const;
    virtual const char* GetDisplayTag() const;
    // A copy of the same kind, so that a copied store owns attributes of its own.
    virtual std::unique_ptr<DamageAttribute> Clone() const = 0;

    void SetHideChanceIndentLine(bool value) { hideChanceIndentLine = value; }
    bool GetHideChanceIndentLine() const { return hideChanceIndentLine; }
    const DamageAttributeKeys& GetKeys() const { return *keys; }

    // Loads a new attribute into its group of the store, which owns it then; the result points
    // at it. When the record holds nothing for it, it is destroyed and the result is null.
    static DamageAttribute* LoadInto(std::unique_ptr<DamageAttribute> attribute,
                                     DamageAttributeStore& store, const LoadTable& table);

protected:
    explicit DamageAttribute(const DamageAttributeKeys& keys, TextList list = TextList_First)
        : keys(&keys), textList(list)
    {}
    DamageAttribute(const DamageAttribute&) = default;
    DamageAttribute& operator=(const DamageAttribute&) = default;

    // One tooltip line of the level, or the next level's where it differs; empty for none.
    virtual void GetText(std::wstring& /*line*/, uint32_t /*level*/) const {}
    virtual void GetNextText(std::wstring& /*line*/, uint32_t /*level*/,
                             uint32_t /*nextLevel*/) const
    {}
    virtual float Jitter(float value, float jitterPercent, RandomUniform& random) const;
    virtual float Scale(float value, float percent) const;

    // The shared arithmetic behind `Jitter` and `Scale`; record values can be anything, so the
    // whole-number step saturates instead of overflowing.
    static float JitterValue(float value, float jitterPercent, RandomUniform& random);
    static float ScaleValue(float value, float percent);
    // The clamped jitter percent, or a negative number when no jitter applies.
    static float JitterPercent(float jitterPercent, const RandomUniform* random);

    // Level 0 and empty lists read 0; levels past the end read the last entry.
    template <typename T> static T AtLevel(const std::vector<T>& list, uint32_t level)
    {
        return GetLevelEntry(list, level);
    }
    // A per-level list; with `dropLoneZero` a record that says just 0 reads as one saying nothing.
    static void ReadLevels(const LoadTable& table, const char* key, std::vector<float>& out,
                           bool dropLoneZero);
    // Minimum and maximum lists to per-level pairs: a level without its own maximum takes the
    // last one given, a maximum below its minimum gives no spread, and no minimum gives no pairs.
    static std::vector<DamageAttributeRange> MakeRanges(const std::vector<float>& minimums,
                                                        const std::vector<float>& maximums);
    void ReadChance(const LoadTable& table);
    // The common steps of adding: rolls the chance unless forced; false when it fails.
    bool RollChance(CombatAttributeAccumulator& accumulator, uint32_t level, bool force,
                    float& multiplier) const;
    // The indent of a global group's member, or the chance of the level, or nothing.
    std::wstring ChancePrefix(float chanceValue) const;
    // Prices weigh by the chance of level 1 when there is one.
    float CostFactor() const;
    // The single format for equal ends, else the range format.
    static std::wstring FormatAmount(float low, float high,
                                     const char* singleTag = "DamageSingleFormat",
                                     const char* rangeTag = "DamageRangeFormat");
    // The mean of a range for prices, halved only when both ends are above 0.
    static float CostAverage(float minimum, float maximum);
    static void AppendLine(std::wstring line, Lines& lines);
    static Lines& PickList(TextList list, Lines& lines1, Lines& lines2, Lines& lines3);

    std::vector<float> chance;
    bool hideChanceIndentLine = false;

private:
    const DamageAttributeKeys* keys;
    TextList textList;
};

// A concrete kind: a family with its literal keys. Kinds with code of their own derive from the
// family first (see the `*As` helpers of the families) and take their keys here.
template <typename Family, const DamageAttributeKeys& Keys>
class DamageAttributeKind final : public Family {
public:
    DamageAttributeKind() : Family(Keys) {}
    std::unique_ptr<DamageAttribute> Clone() const override
    {
        return std::make_unique<DamageAttributeKind>(*this);
    }
};

} // namespace GAME
