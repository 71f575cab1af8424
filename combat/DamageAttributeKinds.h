#pragma once

#include "combat/DamageAttribute.h"
#include "combat/DamageAttributeAbs.h"
#include "combat/DamageAttributeAbsMod.h"
#include "combat/DamageAttributeAbs_ManaBurn.h"
#include "combat/DamageAttributeDur.h"
#include "combat/DamageAttributeDurMod.h"
#include "combat/DamageAttribute_BasePhysical.h"
#include "combat/DamageAttribute_Physical.h"

#include <string_view>
#include <vector>

namespace GAME {

class CombatAttributeAbsDamage_Disruption;
class CombatAttributeAbsDamage_LifeLeech;
class CombatAttributeAbsDamage_PercentLife;
class CombatAttributeDamage_BonusPhysical;
class CombatAttributeInfluenceDamage_Confusion;
class CombatAttributeInfluenceDamage_Convert;
class CombatAttributeInfluenceDamage_Fear;
class CombatAttributeInfluenceDamage_Taunt;

// The literal keys of every damage attribute kind, named after the kind's class without its
// "DamageAttribute" head.
namespace DamageAttributeKindKeys {
extern const DamageAttributeKeys AbsMod_Physical;
extern const DamageAttributeKeys AbsMod_PierceRatio;
extern const DamageAttributeKeys AbsMod_Pierce;
extern const DamageAttributeKeys AbsMod_Bleeding;
extern const DamageAttributeKeys AbsMod_Cold;
extern const DamageAttributeKeys AbsMod_Fire;
extern const DamageAttributeKeys AbsMod_Poison;
extern const DamageAttributeKeys AbsMod_Lightning;
extern const DamageAttributeKeys AbsMod_Life;
extern const DamageAttributeKeys AbsMod_Stun;
extern const DamageAttributeKeys AbsMod_ManaBurn;
extern const DamageAttributeKeys AbsMod_Elemental;
extern const DamageAttributeKeys DurMod_Physical;
extern const DamageAttributeKeys DurMod_Bleeding;
extern const DamageAttributeKeys DurMod_Cold;
extern const DamageAttributeKeys DurMod_Fire;
extern const DamageAttributeKeys DurMod_Poison;
extern const DamageAttributeKeys DurMod_Lightning;
extern const DamageAttributeKeys DurMod_Life;
extern const DamageAttributeKeys DurMod_AttackSpeed;
extern const DamageAttributeKeys DurMod_SpellCastSpeed;
extern const DamageAttributeKeys DurMod_RunSpeed;
extern const DamageAttributeKeys DurMod_LifeLeach;
extern const DamageAttributeKeys DurMod_ManaLeach;
extern const DamageAttributeKeys DurMod_OffensiveAbility;
extern const DamageAttributeKeys DurMod_DefensiveAbility;
extern const DamageAttributeKeys DurMod_OffensiveReduction;
extern const DamageAttributeKeys Reflex_Stun;
extern const DamageAttributeKeys Reflex_Freeze;
extern const DamageAttributeKeys Reflex_Petrify;
extern const DamageAttributeKeys Reflex_Trap;
extern const DamageAttributeKeys Abs_Taunt;
extern const DamageAttributeKeys Abs_Convert;
extern const DamageAttributeKeys Abs_Fear;
extern const DamageAttributeKeys Abs_Confusion;
extern const DamageAttributeKeys Abs_PercentCurrentLife;
extern const DamageAttributeKeys Abs_Disruption;
extern const DamageAttributeKeys Abs_LifeLeech;
extern const DamageAttributeKeys AbsBase_Cold;
extern const DamageAttributeKeys AbsBase_Fire;
extern const DamageAttributeKeys AbsBase_Poison;
extern const DamageAttributeKeys AbsBase_Lightning;
extern const DamageAttributeKeys AbsBase_Life;
extern const DamageAttributeKeys Abs_Pierce;
extern const DamageAttributeKeys Abs_Cold;
extern const DamageAttributeKeys Abs_Fire;
extern const DamageAttributeKeys Abs_Poison;
extern const DamageAttributeKeys Abs_Lightning;
extern const DamageAttributeKeys Abs_Life;
extern const DamageAttributeKeys Abs_ElementalDamage;
extern const DamageAttributeKeys Abs_BonusPhysical;
extern const DamageAttributeKeys Dur_Physical;
extern const DamageAttributeKeys Dur_Bleeding;
extern const DamageAttributeKeys Dur_Cold;
extern const DamageAttributeKeys Dur_Fire;
extern const DamageAttributeKeys Dur_Poison;
extern const DamageAttributeKeys Dur_Lightning;
extern const DamageAttributeKeys Dur_Life;
extern const DamageAttributeKeys Dur_LifeLeach;
extern const DamageAttributeKeys Dur_ManaLeach;
extern const DamageAttributeKeys Dur_OffensiveAbility;
extern const DamageAttributeKeys Dur_DefensiveAbility;
extern const DamageAttributeKeys Dur_OffensiveReduction;
extern const DamageAttributeKeys Dur_DefensiveReduction;
extern const DamageAttributeKeys Dur_TotalDamageReductionPercent;
extern const DamageAttributeKeys Dur_TotalDamageReductionAbsolute;
extern const DamageAttributeKeys Dur_TotalResistanceReductionPercent;
extern const DamageAttributeKeys Dur_TotalResistanceReductionAbsolute;
extern const DamageAttributeKeys Dur_Fumble;
extern const DamageAttributeKeys Dur_ProjectileFumble;
extern const DamageAttributeKeys Dur_TotalSpeed;
extern const DamageAttributeKeys Dur_AttackSpeed;
extern const DamageAttributeKeys Dur_SpellCastSpeed;
extern const DamageAttributeKeys Dur_RunSpeed;
} // namespace DamageAttributeKindKeys

// The elemental group: one draw split in three equal plain damages, cold, fire and lightning.
// Offense and retaliation share it under their own keys.
class DamageAttributeAbsElementalSplit : public DamageAttributeAbsBonus {
public:
    explicit DamageAttributeAbsElementalSplit(const DamageAttributeKeys& keys)
        : DamageAttributeAbsBonus(keys)
    {}

protected:
    void AddDrawnDamage(CombatAttributeAccumulator& accumulator, uint32_t level,
                        float value) const override;
};

using DamageAttributeAbs_ElementalDamage =
    DamageAttributeKind<DamageAttributeAbsElementalSplit,
                        DamageAttributeKindKeys::Abs_ElementalDamage>;

// The elemental group's modifier: the whole modifier to each of cold, fire and lightning.
class DamageAttributeAbsMod_Elemental final : public DamageAttributeAbsModBase {
public:
    DamageAttributeAbsMod_Elemental();
    std::unique_ptr<DamageAttribute> Clone() const override;

protected:
    void AddDrawnModifier(CombatAttributeAccumulator& accumulator, float value) const override;
};

// Slows attack, spell-cast and run speed together.
class DamageAttributeDur_TotalSpeed final : public DamageAttributeDurFixed {
public:
    DamageAttributeDur_TotalSpeed();
    std::unique_ptr<DamageAttribute> Clone() const override;

protected:
    void AddDrawnDamage(CombatAttributeAccumulator& accumulator, uint32_t level, float value,
                        float duration) const override;
};

// The flat families whose damage acts in a way of its own are made once, in the kinds' source,
// so that users of the kinds need not see every combat attribute class.
extern template class DamageAttributeAbsAs<DamageAttributeInfluenceHidden,
                                           CombatAttributeInfluenceDamage_Taunt>;
extern template class DamageAttributeAbsAs<DamageAttributeInfluence,
                                           CombatAttributeInfluenceDamage_Convert>;
extern template class DamageAttributeAbsAs<DamageAttributeInfluence,
                                           CombatAttributeInfluenceDamage_Fear>;
extern template class DamageAttributeAbsAs<DamageAttributeInfluence,
                                           CombatAttributeInfluenceDamage_Confusion>;
extern template class DamageAttributeAbsAs<DamageAttributeAbsBonus,
                                           CombatAttributeAbsDamage_PercentLife>;
extern template class DamageAttributeAbsAs<DamageAttributeInfluence,
                                           CombatAttributeAbsDamage_Disruption>;
extern template class DamageAttributeAbsAs<DamageAttributeAbsBonus,
                                           CombatAttributeAbsDamage_LifeLeech>;
extern template class DamageAttributeAbsAs<DamageAttributeAbsBonus,
                                           CombatAttributeDamage_BonusPhysical>;

using DamageAttributeAbsMod_Physical =
    DamageAttributeKind<DamageAttributeAbsModBase, DamageAttributeKindKeys::AbsMod_Physical>;
using DamageAttributeAbsMod_PierceRatio =
    DamageAttributeKind<DamageAttributeAbsModBase, DamageAttributeKindKeys::AbsMod_PierceRatio>;
using DamageAttributeAbsMod_Pierce =
    DamageAttributeKind<DamageAttributeAbsModBase, DamageAttributeKindKeys::AbsMod_Pierce>;
using DamageAttributeAbsMod_Bleeding =
    DamageAttributeKind<DamageAttributeAbsModBase, DamageAttributeKindKeys::AbsMod_Bleeding>;
using DamageAttributeAbsMod_Cold =
    DamageAttributeKind<DamageAttributeAbsModBase, DamageAttributeKindKeys::AbsMod_Cold>;
using DamageAttributeAbsMod_Fire =
    DamageAttributeKind<DamageAttributeAbsModBase, DamageAttributeKindKeys::AbsMod_Fire>;
using DamageAttributeAbsMod_Poison =
    DamageAttributeKind<DamageAttributeAbsModBase, DamageAttributeKindKeys::AbsMod_Poison>;
using DamageAttributeAbsMod_Lightning =
    DamageAttributeKind<DamageAttributeAbsModBase, DamageAttributeKindKeys::AbsMod_Lightning>;
using DamageAttributeAbsMod_Life =
    DamageAttributeKind<DamageAttributeAbsModBase, DamageAttributeKindKeys::AbsMod_Life>;
using DamageAttributeAbsMod_Stun =
    DamageAttributeKind<DamageAttributeAbsModBonus, DamageAttributeKindKeys::AbsMod_Stun>;
using DamageAttributeAbsMod_ManaBurn =
    DamageAttributeKind<DamageAttributeAbsModBase, DamageAttributeKindKeys::AbsMod_ManaBurn>;
using DamageAttributeDurMod_Physical =
    DamageAttributeKind<DamageAttributeDurModBase, DamageAttributeKindKeys::DurMod_Physical>;
using DamageAttributeDurMod_Bleeding =
    DamageAttributeKind<DamageAttributeDurModBase, DamageAttributeKindKeys::DurMod_Bleeding>;
using DamageAttributeDurMod_Cold =
    DamageAttributeKind<DamageAttributeDurModBase, DamageAttributeKindKeys::DurMod_Cold>;
using DamageAttributeDurMod_Fire =
    DamageAttributeKind<DamageAttributeDurModBase, DamageAttributeKindKeys::DurMod_Fire>;
using DamageAttributeDurMod_Poison =
    DamageAttributeKind<DamageAttributeDurModBase, DamageAttributeKindKeys::DurMod_Poison>;
using DamageAttributeDurMod_Lightning =
    DamageAttributeKind<DamageAttributeDurModBase, DamageAttributeKindKeys::DurMod_Lightning>;
using DamageAttributeDurMod_Life =
    DamageAttributeKind<DamageAttributeDurModBase, DamageAttributeKindKeys::DurMod_Life>;
using DamageAttributeDurMod_AttackSpeed =
    DamageAttributeKind<DamageAttributeDurModBonus, DamageAttributeKindKeys::DurMod_AttackSpeed>;
using DamageAttributeDurMod_SpellCastSpeed =
    DamageAttributeKind<DamageAttributeDurModBonus, DamageAttributeKindKeys::DurMod_SpellCastSpeed>;
using DamageAttributeDurMod_RunSpeed =
    DamageAttributeKind<DamageAttributeDurModBonus, DamageAttributeKindKeys::DurMod_RunSpeed>;
using DamageAttributeDurMod_LifeLeach =
    DamageAttributeKind<DamageAttributeDurModBase, DamageAttributeKindKeys::DurMod_LifeLeach>;
using DamageAttributeDurMod_ManaLeach =
    DamageAttributeKind<DamageAttributeDurModBase, DamageAttributeKindKeys::DurMod_ManaLeach>;
using DamageAttributeDurMod_OffensiveAbility =
    DamageAttributeKind<DamageAttributeDurModBonus,
                        DamageAttributeKindKeys::DurMod_OffensiveAbility>;
using DamageAttributeDurMod_DefensiveAbility =
    DamageAttributeKind<DamageAttributeDurModBonus,
                        DamageAttributeKindKeys::DurMod_DefensiveAbility>;
using DamageAttributeDurMod_OffensiveReduction =
    DamageAttributeKind<DamageAttributeDurModBonus,
                        DamageAttributeKindKeys::DurMod_OffensiveReduction>;
using DamageAttributeReflex_Stun =
    DamageAttributeKind<DamageAttributeReflex, DamageAttributeKindKeys::Reflex_Stun>;
using DamageAttributeReflex_Freeze =
    DamageAttributeKind<DamageAttributeReflex, DamageAttributeKindKeys::Reflex_Freeze>;
using DamageAttributeReflex_Petrify =
    DamageAttributeKind<DamageAttributeReflex, DamageAttributeKindKeys::Reflex_Petrify>;
using DamageAttributeReflex_Trap =
    DamageAttributeKind<DamageAttributeReflex, DamageAttributeKindKeys::Reflex_Trap>;
using DamageAttributeAbs_Taunt = DamageAttributeKind<
    DamageAttributeAbsAs<DamageAttributeInfluenceHidden, CombatAttributeInfluenceDamage_Taunt>,
    DamageAttributeKindKeys::Abs_Taunt>;
using DamageAttributeAbs_Convert = DamageAttributeKind<
    DamageAttributeAbsAs<DamageAttributeInfluence, CombatAttributeInfluenceDamage_Convert>,
    DamageAttributeKindKeys::Abs_Convert>;
using DamageAttributeAbs_Fear = DamageAttributeKind<
    DamageAttributeAbsAs<DamageAttributeInfluence, CombatAttributeInfluenceDamage_Fear>,
    DamageAttributeKindKeys::Abs_Fear>;
using DamageAttributeAbs_Confusion = DamageAttributeKind<
    DamageAttributeAbsAs<DamageAttributeInfluence, CombatAttributeInfluenceDamage_Confusion>,
    DamageAttributeKindKeys::Abs_Confusion>;
using DamageAttributeAbs_PercentCurrentLife = DamageAttributeKind<
    DamageAttributeAbsAs<DamageAttributeAbsBonus, CombatAttributeAbsDamage_PercentLife>,
    DamageAttributeKindKeys::Abs_PercentCurrentLife>;
using DamageAttributeAbs_Disruption = DamageAttributeKind<
    DamageAttributeAbsAs<DamageAttributeInfluence, CombatAttributeAbsDamage_Disruption>,
    DamageAttributeKindKeys::Abs_Disruption>;
using DamageAttributeAbs_LifeLeech = DamageAttributeKind<
    DamageAttributeAbsAs<DamageAttributeAbsBonus, CombatAttributeAbsDamage_LifeLeech>,
    DamageAttributeKindKeys::Abs_LifeLeech>;
using DamageAttributeAbsBase_Cold =
    DamageAttributeKind<DamageAttributeAbsBaseElemental, DamageAttributeKindKeys::AbsBase_Cold>;
using DamageAttributeAbsBase_Fire =
    DamageAttributeKind<DamageAttributeAbsBaseElemental, DamageAttributeKindKeys::AbsBase_Fire>;
using DamageAttributeAbsBase_Poison =
    DamageAttributeKind<DamageAttributeAbsBase, DamageAttributeKindKeys::AbsBase_Poison>;
using DamageAttributeAbsBase_Lightning =
    DamageAttributeKind<DamageAttributeAbsBaseElemental,
                        DamageAttributeKindKeys::AbsBase_Lightning>;
using DamageAttributeAbsBase_Life =
    DamageAttributeKind<DamageAttributeAbsBase, DamageAttributeKindKeys::AbsBase_Life>;
using DamageAttributeAbs_Pierce =
    DamageAttributeKind<DamageAttributeAbsBonus, DamageAttributeKindKeys::Abs_Pierce>;
using DamageAttributeAbs_Cold =
    DamageAttributeKind<DamageAttributeAbsBonusElemental, DamageAttributeKindKeys::Abs_Cold>;
using DamageAttributeAbs_Fire =
    DamageAttributeKind<DamageAttributeAbsBonusElemental, DamageAttributeKindKeys::Abs_Fire>;
using DamageAttributeAbs_Poison =
    DamageAttributeKind<DamageAttributeAbsBonus, DamageAttributeKindKeys::Abs_Poison>;
using DamageAttributeAbs_Lightning =
    DamageAttributeKind<DamageAttributeAbsBonusElemental, DamageAttributeKindKeys::Abs_Lightning>;
using DamageAttributeAbs_Life =
    DamageAttributeKind<DamageAttributeAbsBonus, DamageAttributeKindKeys::Abs_Life>;
using DamageAttributeAbs_BonusPhysical = DamageAttributeKind<
    DamageAttributeAbsAs<DamageAttributeAbsBonus, CombatAttributeDamage_BonusPhysical>,
    DamageAttributeKindKeys::Abs_BonusPhysical>;
using DamageAttributeDur_Physical =
    DamageAttributeKind<DamageAttributeDurBase, DamageAttributeKindKeys::Dur_Physical>;
using DamageAttributeDur_Bleeding =
    DamageAttributeKind<DamageAttributeDurBase, DamageAttributeKindKeys::Dur_Bleeding>;
using DamageAttributeDur_Cold =
    DamageAttributeKind<DamageAttributeDurBaseElemental, DamageAttributeKindKeys::Dur_Cold>;
using DamageAttributeDur_Fire =
    DamageAttributeKind<DamageAttributeDurBaseElemental, DamageAttributeKindKeys::Dur_Fire>;
using DamageAttributeDur_Poison =
    DamageAttributeKind<DamageAttributeDurBase, DamageAttributeKindKeys::Dur_Poison>;
using DamageAttributeDur_Lightning =
    DamageAttributeKind<DamageAttributeDurBaseElemental, DamageAttributeKindKeys::Dur_Lightning>;
using DamageAttributeDur_Life =
    DamageAttributeKind<DamageAttributeDurBase, DamageAttributeKindKeys::Dur_Life>;
using DamageAttributeDur_LifeLeach =
    DamageAttributeKind<DamageAttributeDurBase, DamageAttributeKindKeys::Dur_LifeLeach>;
using DamageAttributeDur_ManaLeach =
    DamageAttributeKind<DamageAttributeDurBase, DamageAttributeKindKeys::Dur_ManaLeach>;
using DamageAttributeDur_OffensiveAbility =
    DamageAttributeKind<DamageAttributeDurFixed, DamageAttributeKindKeys::Dur_OffensiveAbility>;
using DamageAttributeDur_DefensiveAbility =
    DamageAttributeKind<DamageAttributeDurFixed, DamageAttributeKindKeys::Dur_DefensiveAbility>;
using DamageAttributeDur_OffensiveReduction =
    DamageAttributeKind<DamageAttributeDurFixed, DamageAttributeKindKeys::Dur_OffensiveReduction>;
using DamageAttributeDur_DefensiveReduction =
    DamageAttributeKind<DamageAttributeDurFixed, DamageAttributeKindKeys::Dur_DefensiveReduction>;
using DamageAttributeDur_TotalDamageReductionPercent =
    DamageAttributeKind<DamageAttributeDurFixed,
                        DamageAttributeKindKeys::Dur_TotalDamageReductionPercent>;
using DamageAttributeDur_TotalDamageReductionAbsolute =
    DamageAttributeKind<DamageAttributeDurFixed,
                        DamageAttributeKindKeys::Dur_TotalDamageReductionAbsolute>;
using DamageAttributeDur_TotalResistanceReductionPercent =
    DamageAttributeKind<DamageAttributeDurFixed,
                        DamageAttributeKindKeys::Dur_TotalResistanceReductionPercent>;
using DamageAttributeDur_TotalResistanceReductionAbsolute =
    DamageAttributeKind<DamageAttributeDurFixed,
                        DamageAttributeKindKeys::Dur_TotalResistanceReductionAbsolute>;
using DamageAttributeDur_Fumble =
    DamageAttributeKind<DamageAttributeDurFixed, DamageAttributeKindKeys::Dur_Fumble>;
using DamageAttributeDur_ProjectileFumble =
    DamageAttributeKind<DamageAttributeDurFixed, DamageAttributeKindKeys::Dur_ProjectileFumble>;
using DamageAttributeDur_AttackSpeed =
    DamageAttributeKind<DamageAttributeDurFixed, DamageAttributeKindKeys::Dur_AttackSpeed>;
using DamageAttributeDur_SpellCastSpeed =
    DamageAttributeKind<DamageAttributeDurFixed, DamageAttributeKindKeys::Dur_SpellCastSpeed>;
using DamageAttributeDur_RunSpeed =
    DamageAttributeKind<DamageAttributeDurFixed, DamageAttributeKindKeys::Dur_RunSpeed>;

// One kind that a store can load, by class name.
struct DamageAttributeKindInfo {
    const char* className;
    std::unique_ptr<DamageAttribute> (*create)();

    template <typename T> static DamageAttributeKindInfo Of(const char* className)
    {
        return {className, [] { return std::unique_ptr<DamageAttribute>(std::make_unique<T>()); }};
    }
};

// A new attribute of the kind of that class name in the list, or null when none is.
std::unique_ptr<DamageAttribute>
CreateDamageAttributeKind(const std::vector<DamageAttributeKindInfo>& kinds,
                          std::string_view className);

// The kinds the damage attribute stores load from records (the weapon's base physical damage,
// made by `DamageAttribute_BasePhysical::Create_BasePhysical`, is not among them).
const std::vector<DamageAttributeKindInfo>& GetDamageAttributeKinds();
// A new attribute of the named kind, or null for a name that is none.
std::unique_ptr<DamageAttribute> CreateDamageAttribute(std::string_view className);

} // namespace GAME
