#pragma once

#include "combat/CombatAttribute.h"

namespace GAME {

// The modifiers: each hands its amounts to every attribute of the list it acts on, and only
// attributes of the modifier's own type take them up.

class CombatAttributeAbsDamageMod : public CombatAttribute {
public:
    CombatAttributeAbsDamageMod(CombatAttributeType type, float value)
        : CombatAttribute(type), value(value)
    {}

    std::unique_ptr<CombatAttribute> Clone() const override;
    void Execute(CombatAttribute* target, CombatAttributeRegion region) override;

protected:
    CombatAttributeAbsDamageMod(const CombatAttributeAbsDamageMod&) = default;

private:
    float value;
};

class CombatAttributeDurDamageMod : public CombatAttribute {
public:
    CombatAttributeDurDamageMod(CombatAttributeType type, float valueModifier,
                                float durationModifier)
        : CombatAttribute(type), valueModifier(valueModifier), durationModifier(durationModifier)
    {}

    std::unique_ptr<CombatAttribute> Clone() const override;
    void Execute(CombatAttribute* target, CombatAttributeRegion region) override;

protected:
    CombatAttributeDurDamageMod(const CombatAttributeDurDamageMod&) = default;

private:
    float valueModifier;
    float durationModifier;
};

class CombatAttributeAbsDefenseMod : public CombatAttribute {
public:
    CombatAttributeAbsDefenseMod(CombatAttributeType type, float value)
        : CombatAttribute(type), value(value)
    {}

    std::unique_ptr<CombatAttribute> Clone() const override;
    void Execute(CombatAttribute* target, CombatAttributeRegion region) override;

protected:
    CombatAttributeAbsDefenseMod(const CombatAttributeAbsDefenseMod&) = default;

private:
    float value;
};

class CombatAttributeDurDefenseMod : public CombatAttribute {
public:
    CombatAttributeDurDefenseMod(CombatAttributeType type, float value)
        : CombatAttribute(type), value(value)
    {}

    std::unique_ptr<CombatAttribute> Clone() const override;
    void Execute(CombatAttribute* target, CombatAttributeRegion region) override;

protected:
    CombatAttributeDurDefenseMod(const CombatAttributeDurDefenseMod&) = default;

private:
    float value;
};

} // namespace GAME
