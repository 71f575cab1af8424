#pragma once

#include "combat/CombatAttributeDamage.h"

#include <cstdint>

namespace GAME {

// A hit that bends the defender's will rather than taking life: taunt, conversion, fear,
// confusion. It counts in no damage total and is never reflected.
class CombatAttributeInfluenceDamage : public CombatAttributeAbsDamage {
public:
    CombatAttributeInfluenceDamage(CombatAttributeType type, float value)
        : CombatAttributeAbsDamage(type, value)
    {
        SetFilterForReflectDamage();
    }

    void Execute(Character& defender) override = 0;
    void GetTotalDamage(float& absolute, float& overTime) override;

protected:
    CombatAttributeInfluenceDamage(const CombatAttributeInfluenceDamage&) = default;
    // Whole milliseconds of an influence lasting `value` seconds.
    int32_t GetMilliseconds() const;
};

class CombatAttributeInfluenceDamage_Taunt : public CombatAttributeInfluenceDamage {
public:
    using CombatAttributeInfluenceDamage::CombatAttributeInfluenceDamage;

    std::unique_ptr<CombatAttribute> Clone() const override;
    void Execute(Character& defender) override;

protected:
    CombatAttributeInfluenceDamage_Taunt(const CombatAttributeInfluenceDamage_Taunt&) = default;
};

// Makes the defender fight for the attacker for `value` seconds.
class CombatAttributeInfluenceDamage_Convert : public CombatAttributeInfluenceDamage {
public:
    using CombatAttributeInfluenceDamage::CombatAttributeInfluenceDamage;

    std::unique_ptr<CombatAttribute> Clone() const override;
    void Process(const Character& who, float scalePercent, float flat, float percentReduction,
                 float absoluteReduction) override;
    void Execute(Character& defender) override;

    uint32_t GetCasterId() const { return casterId; }

protected:
    CombatAttributeInfluenceDamage_Convert(const CombatAttributeInfluenceDamage_Convert&) = default;

private:
    uint32_t casterId = 0;
};

class CombatAttributeInfluenceDamage_Fear : public CombatAttributeInfluenceDamage {
public:
    using CombatAttributeInfluenceDamage::CombatAttributeInfluenceDamage;

    std::unique_ptr<CombatAttribute> Clone() const override;
    void Execute(Character& defender) override;

protected:
    CombatAttributeInfluenceDamage_Fear(const CombatAttributeInfluenceDamage_Fear&) = default;
};

class CombatAttributeInfluenceDamage_Confusion : public CombatAttributeInfluenceDamage {
public:
    using CombatAttributeInfluenceDamage::CombatAttributeInfluenceDamage;

    std::unique_ptr<CombatAttribute> Clone() const override;
    void Execute(Character& defender) override;

protected:
    CombatAttributeInfluenceDamage_Confusion(const CombatAttributeInfluenceDamage_Confusion&) =
        default;
};

} // namespace GAME
