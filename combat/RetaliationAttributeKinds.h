#pragma once

#include "combat/CombatAttributeAbsDamage_PercentLife.h"
#include "combat/DamageAttribute.h"
#include "combat/DamageAttributeAbs.h"
#include "combat/DamageAttributeAbsMod.h"
#include "combat/DamageAttributeDur.h"
#include "combat/DamageAttributeDurMod.h"
#include "combat/DamageAttributeKinds.h"

#include <string_view>
#include <vector>

namespace GAME {

// The literal keys of every retaliation attribute kind, named after the kind's class without its
// "RetaliationAttribute" head.
namespace RetaliationAttributeKindKeys {
extern const DamageAttributeKeys Abs_PercentCurrentLife;
extern const DamageAttributeKeys Abs_Physical;
extern const DamageAttributeKeys Abs_Pierce;
extern const DamageAttributeKeys Abs_Cold;
extern const DamageAttributeKeys Abs_Fire;
extern const DamageAttributeKeys Abs_Poison;
extern const DamageAttributeKeys Abs_Lightning;
extern const DamageAttributeKeys Abs_Life;
extern const DamageAttributeKeys Abs_ElementalDamage;
extern const DamageAttributeKeys Dur_Physical;
extern const DamageAttributeKeys Dur_Bleeding;
extern const DamageAttributeKeys Dur_Cold;
extern const DamageAttributeKeys Dur_Fire;
extern const DamageAttributeKeys Dur_Poison;
extern const DamageAttributeKeys Dur_Lightning;
extern const DamageAttributeKeys Dur_Life;
extern const DamageAttributeKeys Dur_LifeLeach;
extern const DamageAttributeKeys Dur_ManaLeach;
extern const DamageAttributeKeys Dur_AttackSpeed;
extern const DamageAttributeKeys Dur_SpellCastSpeed;
extern const DamageAttributeKeys Dur_RunSpeed;
extern const DamageAttributeKeys Dur_OffensiveAbility;
extern const DamageAttributeKeys Dur_DefensiveAbility;
extern const DamageAttributeKeys Dur_OffensiveReduction;
extern const DamageAttributeKeys AbsMod_Physical;
extern const DamageAttributeKeys AbsMod_PierceRatio;
extern const DamageAttributeKeys AbsMod_Pierce;
extern const DamageAttributeKeys AbsMod_Cold;
extern const DamageAttributeKeys AbsMod_Fire;
extern const DamageAttributeKeys AbsMod_Poison;
extern const DamageAttributeKeys AbsMod_Lightning;
extern const DamageAttributeKeys AbsMod_Life;
extern const DamageAttributeKeys AbsMod_Stun;
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
} // namespace RetaliationAttributeKindKeys

// The elemental group struck back splits like the offensive one: plain damages, which the
// retaliating character's elemental equation does not touch.
using RetaliationAttributeAbs_ElementalDamage =
    DamageAttributeKind<DamageAttributeAbsElementalSplit,
                        RetaliationAttributeKindKeys::Abs_ElementalDamage>;

// Retaliated elements are plain damage: the Abs and Dur kinds of cold, fire and lightning sit on
// the plain Bonus families, never on the Elemental ones.
using RetaliationAttributeAbs_PercentCurrentLife = DamageAttributeKind<
    DamageAttributeAbsAs<DamageAttributeAbsBonus, CombatAttributeAbsDamage_PercentLife>,
    RetaliationAttributeKindKeys::Abs_PercentCurrentLife>;
using RetaliationAttributeAbs_Physical =
    DamageAttributeKind<DamageAttributeAbsBonus, RetaliationAttributeKindKeys::Abs_Physical>;
using RetaliationAttributeAbs_Pierce =
    DamageAttributeKind<DamageAttributeAbsBonus, RetaliationAttributeKindKeys::Abs_Pierce>;
using RetaliationAttributeAbs_Cold =
    DamageAttributeKind<DamageAttributeAbsBonus, RetaliationAttributeKindKeys::Abs_Cold>;
using RetaliationAttributeAbs_Fire =
    DamageAttributeKind<DamageAttributeAbsBonus, RetaliationAttributeKindKeys::Abs_Fire>;
using RetaliationAttributeAbs_Poison =
    DamageAttributeKind<DamageAttributeAbsBonus, RetaliationAttributeKindKeys::Abs_Poison>;
using RetaliationAttributeAbs_Lightning =
    DamageAttributeKind<DamageAttributeAbsBonus, RetaliationAttributeKindKeys::Abs_Lightning>;
using RetaliationAttributeAbs_Life =
    DamageAttributeKind<DamageAttributeAbsBonus, RetaliationAttributeKindKeys::Abs_Life>;

using RetaliationAttributeDur_Physical =
    DamageAttributeKind<DamageAttributeDurBonus, RetaliationAttributeKindKeys::Dur_Physical>;
using RetaliationAttributeDur_Bleeding =
    DamageAttributeKind<DamageAttributeDurBonus, RetaliationAttributeKindKeys::Dur_Bleeding>;
using RetaliationAttributeDur_Cold =
    DamageAttributeKind<DamageAttributeDurBonus, RetaliationAttributeKindKeys::Dur_Cold>;
using RetaliationAttributeDur_Fire =
    DamageAttributeKind<DamageAttributeDurBonus, RetaliationAttributeKindKeys::Dur_Fire>;
using RetaliationAttributeDur_Poison =
    DamageAttributeKind<DamageAttributeDurBonus, RetaliationAttributeKindKeys::Dur_Poison>;
using RetaliationAttributeDur_Lightning =
    DamageAttributeKind<DamageAttributeDurBonus, RetaliationAttributeKindKeys::Dur_Lightning>;
using RetaliationAttributeDur_Life =
    DamageAttributeKind<DamageAttributeDurBonus, RetaliationAttributeKindKeys::Dur_Life>;
using RetaliationAttributeDur_LifeLeach =
    DamageAttributeKind<DamageAttributeDurBonus, RetaliationAttributeKindKeys::Dur_LifeLeach>;
using RetaliationAttributeDur_ManaLeach =
    DamageAttributeKind<DamageAttributeDurBonus, RetaliationAttributeKindKeys::Dur_ManaLeach>;
using RetaliationAttributeDur_AttackSpeed =
    DamageAttributeKind<DamageAttributeDurFixed, RetaliationAttributeKindKeys::Dur_AttackSpeed>;
using RetaliationAttributeDur_SpellCastSpeed =
    DamageAttributeKind<DamageAttributeDurFixed, RetaliationAttributeKindKeys::Dur_SpellCastSpeed>;
using RetaliationAttributeDur_RunSpeed =
    DamageAttributeKind<DamageAttributeDurFixed, RetaliationAttributeKindKeys::Dur_RunSpeed>;
using RetaliationAttributeDur_OffensiveAbility =
    DamageAttributeKind<DamageAttributeDurFixed,
                        RetaliationAttributeKindKeys::Dur_OffensiveAbility>;
using RetaliationAttributeDur_DefensiveAbility =
    DamageAttributeKind<DamageAttributeDurFixed,
                        RetaliationAttributeKindKeys::Dur_DefensiveAbility>;
using RetaliationAttributeDur_OffensiveReduction =
    DamageAttributeKind<DamageAttributeDurFixed,
                        RetaliationAttributeKindKeys::Dur_OffensiveReduction>;

using RetaliationAttributeAbsMod_Physical =
    DamageAttributeKind<DamageAttributeAbsModBonus, RetaliationAttributeKindKeys::AbsMod_Physical>;
using RetaliationAttributeAbsMod_PierceRatio =
    DamageAttributeKind<DamageAttributeAbsModBonus,
                        RetaliationAttributeKindKeys::AbsMod_PierceRatio>;
using RetaliationAttributeAbsMod_Pierce =
    DamageAttributeKind<DamageAttributeAbsModBonus, RetaliationAttributeKindKeys::AbsMod_Pierce>;
using RetaliationAttributeAbsMod_Cold =
    DamageAttributeKind<DamageAttributeAbsModBonus, RetaliationAttributeKindKeys::AbsMod_Cold>;
using RetaliationAttributeAbsMod_Fire =
    DamageAttributeKind<DamageAttributeAbsModBonus, RetaliationAttributeKindKeys::AbsMod_Fire>;
using RetaliationAttributeAbsMod_Poison =
    DamageAttributeKind<DamageAttributeAbsModBonus, RetaliationAttributeKindKeys::AbsMod_Poison>;
using RetaliationAttributeAbsMod_Lightning =
    DamageAttributeKind<DamageAttributeAbsModBonus, RetaliationAttributeKindKeys::AbsMod_Lightning>;
using RetaliationAttributeAbsMod_Life =
    DamageAttributeKind<DamageAttributeAbsModBonus, RetaliationAttributeKindKeys::AbsMod_Life>;
using RetaliationAttributeAbsMod_Stun =
    DamageAttributeKind<DamageAttributeAbsModBonus, RetaliationAttributeKindKeys::AbsMod_Stun>;

using RetaliationAttributeDurMod_Physical =
    DamageAttributeKind<DamageAttributeDurModBonus, RetaliationAttributeKindKeys::DurMod_Physical>;
using RetaliationAttributeDurMod_Bleeding =
    DamageAttributeKind<DamageAttributeDurModBonus, RetaliationAttributeKindKeys::DurMod_Bleeding>;
using RetaliationAttributeDurMod_Cold =
    DamageAttributeKind<DamageAttributeDurModBonus, RetaliationAttributeKindKeys::DurMod_Cold>;
using RetaliationAttributeDurMod_Fire =
    DamageAttributeKind<DamageAttributeDurModBonus, RetaliationAttributeKindKeys::DurMod_Fire>;
using RetaliationAttributeDurMod_Poison =
    DamageAttributeKind<DamageAttributeDurModBonus, RetaliationAttributeKindKeys::DurMod_Poison>;
using RetaliationAttributeDurMod_Lightning =
    DamageAttributeKind<DamageAttributeDurModBonus, RetaliationAttributeKindKeys::DurMod_Lightning>;
using RetaliationAttributeDurMod_Life =
    DamageAttributeKind<DamageAttributeDurModBonus, RetaliationAttributeKindKeys::DurMod_Life>;
using RetaliationAttributeDurMod_AttackSpeed =
    DamageAttributeKind<DamageAttributeDurModBonus,
                        RetaliationAttributeKindKeys::DurMod_AttackSpeed>;
using RetaliationAttributeDurMod_SpellCastSpeed =
    DamageAttributeKind<DamageAttributeDurModBonus,
                        RetaliationAttributeKindKeys::DurMod_SpellCastSpeed>;
using RetaliationAttributeDurMod_RunSpeed =
    DamageAttributeKind<DamageAttributeDurModBonus, RetaliationAttributeKindKeys::DurMod_RunSpeed>;
using RetaliationAttributeDurMod_LifeLeach =
    DamageAttributeKind<DamageAttributeDurModBonus, RetaliationAttributeKindKeys::DurMod_LifeLeach>;
using RetaliationAttributeDurMod_ManaLeach =
    DamageAttributeKind<DamageAttributeDurModBonus, RetaliationAttributeKindKeys::DurMod_ManaLeach>;
using RetaliationAttributeDurMod_OffensiveAbility =
    DamageAttributeKind<DamageAttributeDurModBonus,
                        RetaliationAttributeKindKeys::DurMod_OffensiveAbility>;
using RetaliationAttributeDurMod_DefensiveAbility =
    DamageAttributeKind<DamageAttributeDurModBonus,
                        RetaliationAttributeKindKeys::DurMod_DefensiveAbility>;
using RetaliationAttributeDurMod_OffensiveReduction =
    DamageAttributeKind<DamageAttributeDurModBonus,
                        RetaliationAttributeKindKeys::DurMod_OffensiveReduction>;

// A stun struck back: the drawn value is its duration in seconds.
using RetaliationAttributeReflex_Stun =
    DamageAttributeKind<DamageAttributeReflex, RetaliationAttributeKindKeys::Reflex_Stun>;

// The 49 kinds the retaliation stores load.
const std::vector<DamageAttributeKindInfo>& GetRetaliationAttributeKinds();
// A new attribute of the named kind, or null for a name that is none.
std::unique_ptr<DamageAttribute> CreateRetaliationAttribute(std::string_view className);

} // namespace GAME
