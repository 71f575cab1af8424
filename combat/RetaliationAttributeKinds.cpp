#include "combat/RetaliationAttributeKinds.h"

#include "combat/CombatAttributeAccumulator.h"
#include "combat/CombatAttributeDamage.h"

namespace GAME {

// Every key is written out whole, so that a search for any record key finds its kind.
namespace RetaliationAttributeKindKeys {
const DamageAttributeKeys Abs_PercentCurrentLife{.type = CombatAttributeType_PercentCurrentLife,
                                                 .chance = "retaliationPercentCurrentLifeChance",
                                                 .xorKey = "retaliationPercentCurrentLifeXOR",
                                                 .global = "retaliationPercentCurrentLifeGlobal",
                                                 .display = "RetaliationPercentCurrentLife",
                                                 .valueMin = "retaliationPercentCurrentLifeMin",
                                                 .valueMax = "retaliationPercentCurrentLifeMax"};
const DamageAttributeKeys Abs_Physical{.type = CombatAttributeType_Physical,
                                       .chance = "retaliationPhysicalChance",
                                       .xorKey = "retaliationPhysicalXOR",
                                       .global = "retaliationPhysicalGlobal",
                                       .display = "RetaliationPhysical",
                                       .valueMin = "retaliationPhysicalMin",
                                       .valueMax = "retaliationPhysicalMax"};
const DamageAttributeKeys Abs_Pierce{.type = CombatAttributeType_Pierce,
                                     .chance = "retaliationPierceChance",
                                     .xorKey = "retaliationPierceXOR",
                                     .global = "retaliationPierceGlobal",
                                     .display = "RetaliationPierce",
                                     .valueMin = "retaliationPierceMin",
                                     .valueMax = "retaliationPierceMax"};
const DamageAttributeKeys Abs_Cold{.type = CombatAttributeType_Cold,
                                   .chance = "retaliationColdChance",
                                   .xorKey = "retaliationColdXOR",
                                   .global = "retaliationColdGlobal",
                                   .display = "RetaliationCold",
                                   .valueMin = "retaliationColdMin",
                                   .valueMax = "retaliationColdMax"};
const DamageAttributeKeys Abs_Fire{.type = CombatAttributeType_Fire,
                                   .chance = "retaliationFireChance",
                                   .xorKey = "retaliationFireXOR",
                                   .global = "retaliationFireGlobal",
                                   .display = "RetaliationFire",
                                   .valueMin = "retaliationFireMin",
                                   .valueMax = "retaliationFireMax"};
const DamageAttributeKeys Abs_Poison{.type = CombatAttributeType_Poison,
                                     .chance = "retaliationPoisonChance",
                                     .xorKey = "retaliationPoisonXOR",
                                     .global = "retaliationPoisonGlobal",
                                     .display = "RetaliationPoison",
                                     .valueMin = "retaliationPoisonMin",
                                     .valueMax = "retaliationPoisonMax"};
const DamageAttributeKeys Abs_Lightning{.type = CombatAttributeType_Lightning,
                                        .chance = "retaliationLightningChance",
                                        .xorKey = "retaliationLightningXOR",
                                        .global = "retaliationLightningGlobal",
                                        .display = "RetaliationLightning",
                                        .valueMin = "retaliationLightningMin",
                                        .valueMax = "retaliationLightningMax"};
const DamageAttributeKeys Abs_Life{.type = CombatAttributeType_Life,
                                   .chance = "retaliationLifeChance",
                                   .xorKey = "retaliationLifeXOR",
                                   .global = "retaliationLifeGlobal",
                                   .display = "RetaliationLife",
                                   .valueMin = "retaliationLifeMin",
                                   .valueMax = "retaliationLifeMax"};
const DamageAttributeKeys Abs_ElementalDamage{.type = CombatAttributeType_ElementalGroup,
                                              .chance = "retaliationElementalChance",
                                              .xorKey = "retaliationElementalXOR",
                                              .global = "retaliationElementalGlobal",
                                              .display = "RetaliationElemental",
                                              .valueMin = "retaliationElementalMin",
                                              .valueMax = "retaliationElementalMax"};
const DamageAttributeKeys Dur_Physical{.type = CombatAttributeType_Physical,
                                       .chance = "retaliationSlowPhysicalChance",
                                       .xorKey = "retaliationSlowPhysicalXOR",
                                       .global = "retaliationSlowPhysicalGlobal",
                                       .display = "RetaliationDurationPhysical",
                                       .valueMin = "retaliationSlowPhysicalMin",
                                       .valueMax = "retaliationSlowPhysicalMax",
                                       .durationMin = "retaliationSlowPhysicalDurationMin",
                                       .durationMax = "retaliationSlowPhysicalDurationMax"};
const DamageAttributeKeys Dur_Bleeding{.type = CombatAttributeType_Bleeding,
                                       .chance = "retaliationSlowBleedingChance",
                                       .xorKey = "retaliationSlowBleedingXOR",
                                       .global = "retaliationSlowBleedingGlobal",
                                       .display = "RetaliationDurationBleeding",
                                       .valueMin = "retaliationSlowBleedingMin",
                                       .valueMax = "retaliationSlowBleedingMax",
                                       .durationMin = "retaliationSlowBleedingDurationMin",
                                       .durationMax = "retaliationSlowBleedingDurationMax"};
const DamageAttributeKeys Dur_Cold{.type = CombatAttributeType_Cold,
                                   .chance = "retaliationSlowColdChance",
                                   .xorKey = "retaliationSlowColdXOR",
                                   .global = "retaliationSlowColdGlobal",
                                   .display = "RetaliationDurationCold",
                                   .valueMin = "retaliationSlowColdMin",
                                   .valueMax = "retaliationSlowColdMax",
                                   .durationMin = "retaliationSlowColdDurationMin",
                                   .durationMax = "retaliationSlowColdDurationMax"};
const DamageAttributeKeys Dur_Fire{.type = CombatAttributeType_Fire,
                                   .chance = "retaliationSlowFireChance",
                                   .xorKey = "retaliationSlowFireXOR",
                                   .global = "retaliationSlowFireGlobal",
                                   .display = "RetaliationDurationFire",
                                   .valueMin = "retaliationSlowFireMin",
                                   .valueMax = "retaliationSlowFireMax",
                                   .durationMin = "retaliationSlowFireDurationMin",
                                   .durationMax = "retaliationSlowFireDurationMax"};
const DamageAttributeKeys Dur_Poison{.type = CombatAttributeType_Poison,
                                     .chance = "retaliationSlowPoisonChance",
                                     .xorKey = "retaliationSlowPoisonXOR",
                                     .global = "retaliationSlowPoisonGlobal",
                                     .display = "RetaliationDurationPoison",
                                     .valueMin = "retaliationSlowPoisonMin",
                                     .valueMax = "retaliationSlowPoisonMax",
                                     .durationMin = "retaliationSlowPoisonDurationMin",
                                     .durationMax = "retaliationSlowPoisonDurationMax"};
const DamageAttributeKeys Dur_Lightning{.type = CombatAttributeType_Lightning,
                                        .chance = "retaliationSlowLightningChance",
                                        .xorKey = "retaliationSlowLightningXOR",
                                        .global = "retaliationSlowLightningGlobal",
                                        .display = "RetaliationDurationLightning",
                                        .valueMin = "retaliationSlowLightningMin",
                                        .valueMax = "retaliationSlowLightningMax",
                                        .durationMin = "retaliationSlowLightningDurationMin",
                                        .durationMax = "retaliationSlowLightningDurationMax"};
const DamageAttributeKeys Dur_Life{.type = CombatAttributeType_Life,
                                   .chance = "retaliationSlowLifeChance",
                                   .xorKey = "retaliationSlowLifeXOR",
                                   .global = "retaliationSlowLifeGlobal",
                                   .display = "RetaliationDurationLife",
                                   .valueMin = "retaliationSlowLifeMin",
                                   .valueMax = "retaliationSlowLifeMax",
                                   .durationMin = "retaliationSlowLifeDurationMin",
                                   .durationMax = "retaliationSlowLifeDurationMax"};
const DamageAttributeKeys Dur_LifeLeach{.type = CombatAttributeType_LifeLeach,
                                        .chance = "retaliationSlowLifeLeachChance",
                                        .xorKey = "retaliationSlowLifeLeachXOR",
                                        .global = "retaliationSlowLifeLeachGlobal",
                                        .display = "RetaliationDurationLifeLeach",
                                        .valueMin = "retaliationSlowLifeLeachMin",
                                        .valueMax = "retaliationSlowLifeLeachMax",
                                        .durationMin = "retaliationSlowLifeLeachDurationMin",
                                        .durationMax = "retaliationSlowLifeLeachDurationMax"};
const DamageAttributeKeys Dur_ManaLeach{.type = CombatAttributeType_ManaLeach,
                                        .chance = "retaliationSlowManaLeachChance",
                                        .xorKey = "retaliationSlowManaLeachXOR",
                                        .global = "retaliationSlowManaLeachGlobal",
                                        .display = "RetaliationDurationManaLeach",
                                        .valueMin = "retaliationSlowManaLeachMin",
                                        .valueMax = "retaliationSlowManaLeachMax",
                                        .durationMin = "retaliationSlowManaLeachDurationMin",
                                        .durationMax = "retaliationSlowManaLeachDurationMax"};
const DamageAttributeKeys Dur_AttackSpeed{.type = CombatAttributeType_AttackSpeed,
                                          .chance = "retaliationSlowAttackSpeedChance",
                                          .xorKey = "retaliationSlowAttackSpeedXOR",
                                          .global = "retaliationSlowAttackSpeedGlobal",
                                          .display = "RetaliationDurationAttackSpeed",
                                          .valueMin = "retaliationSlowAttackSpeedMin",
                                          .valueMax = "retaliationSlowAttackSpeedMax",
                                          .durationMin = "retaliationSlowAttackSpeedDurationMin",
                                          .durationMax = "retaliationSlowAttackSpeedDurationMax"};
const DamageAttributeKeys Dur_SpellCastSpeed{
    .type = CombatAttributeType_SpellCastSpeed,
    .chance = "retaliationSlowSpellCastSpeedChance",
    .xorKey = "retaliationSlowSpellCastSpeedXOR",
    .global = "retaliationSlowSpellCastSpeedGlobal",
    .display = "RetaliationDurationSpellCastSpeed",
    .valueMin = "retaliationSlowSpellCastSpeedMin",
    .valueMax = "retaliationSlowSpellCastSpeedMax",
    .durationMin = "retaliationSlowSpellCastSpeedDurationMin",
    .durationMax = "retaliationSlowSpellCastSpeedDurationMax"};
const DamageAttributeKeys Dur_RunSpeed{.type = CombatAttributeType_RunSpeed,
                                       .chance = "retaliationSlowRunSpeedChance",
                                       .xorKey = "retaliationSlowRunSpeedXOR",
                                       .global = "retaliationSlowRunSpeedGlobal",
                                       .display = "RetaliationDurationRunSpeed",
                                       .valueMin = "retaliationSlowRunSpeedMin",
                                       .valueMax = "retaliationSlowRunSpeedMax",
                                       .durationMin = "retaliationSlowRunSpeedDurationMin",
                                       .durationMax = "retaliationSlowRunSpeedDurationMax"};
const DamageAttributeKeys Dur_OffensiveAbility{
    .type = CombatAttributeType_OffensiveAbility,
    .chance = "retaliationSlowOffensiveAbilityChance",
    .xorKey = "retaliationSlowOffensiveAbilityXOR",
    .global = "retaliationSlowOffensiveAbilityGlobal",
    .display = "RetaliationDurationOffensiveAbility",
    .valueMin = "retaliationSlowOffensiveAbilityMin",
    .valueMax = "retaliationSlowOffensiveAbilityMax",
    .durationMin = "retaliationSlowOffensiveAbilityDurationMin",
    .durationMax = "retaliationSlowOffensiveAbilityDurationMax"};
const DamageAttributeKeys Dur_DefensiveAbility{
    .type = CombatAttributeType_DefensiveAbility,
    .chance = "retaliationSlowDefensiveAbilityChance",
    .xorKey = "retaliationSlowDefensiveAbilityXOR",
    .global = "retaliationSlowDefensiveAbilityGlobal",
    .display = "RetaliationDurationDefensiveAbility",
    .valueMin = "retaliationSlowDefensiveAbilityMin",
    .valueMax = "retaliationSlowDefensiveAbilityMax",
    .durationMin = "retaliationSlowDefensiveAbilityDurationMin",
    .durationMax = "retaliationSlowDefensiveAbilityDurationMax"};
const DamageAttributeKeys Dur_OffensiveReduction{
    .type = CombatAttributeType_OffensiveReduction,
    .chance = "retaliationSlowOffensiveReductionChance",
    .xorKey = "retaliationSlowOffensiveReductionXOR",
    .global = "retaliationSlowOffensiveReductionGlobal",
    .display = "RetaliationDurationOffensiveReduction",
    .valueMin = "retaliationSlowOffensiveReductionMin",
    .valueMax = "retaliationSlowOffensiveReductionMax",
    .durationMin = "retaliationSlowOffensiveReductionDurationMin",
    .durationMax = "retaliationSlowOffensiveReductionDurationMax"};
const DamageAttributeKeys AbsMod_Physical{.type = CombatAttributeType_Physical,
                                          .chance = "retaliationPhysicalModifierChance",
                                          .xorKey = "retaliationPhysicalXOR",
                                          .global = "retaliationPhysicalGlobal",
                                          .display = "RetaliationModifierPhysical",
                                          .modifier = "retaliationPhysicalModifier"};
const DamageAttributeKeys AbsMod_PierceRatio{.type = CombatAttributeType_PierceRatio,
                                             .chance = "retaliationPierceRatioModifierChance",
                                             .xorKey = "retaliationPierceRatioXOR",
                                             .global = "retaliationPierceRatioGlobal",
                                             .display = "RetaliationModifierPierceRatio",
                                             .modifier = "retaliationPierceRatioModifier"};
const DamageAttributeKeys AbsMod_Pierce{.type = CombatAttributeType_Pierce,
                                        .chance = "retaliationPierceModifierChance",
                                        .xorKey = "retaliationPierceXOR",
                                        .global = "retaliationPierceGlobal",
                                        .display = "RetaliationModifierPierce",
                                        .modifier = "retaliationPierceModifier"};
const DamageAttributeKeys AbsMod_Cold{.type = CombatAttributeType_Cold,
                                      .chance = "retaliationColdModifierChance",
                                      .xorKey = "retaliationColdXOR",
                                      .global = "retaliationColdGlobal",
                                      .display = "RetaliationModifierCold",
                                      .modifier = "retaliationColdModifier"};
const DamageAttributeKeys AbsMod_Fire{.type = CombatAttributeType_Fire,
                                      .chance = "retaliationFireModifierChance",
                                      .xorKey = "retaliationFireXOR",
                                      .global = "retaliationFireGlobal",
                                      .display = "RetaliationModifierFire",
                                      .modifier = "retaliationFireModifier"};
const DamageAttributeKeys AbsMod_Poison{.type = CombatAttributeType_Poison,
                                        .chance = "retaliationPoisonModifierChance",
                                        .xorKey = "retaliationPoisonXOR",
                                        .global = "retaliationPoisonGlobal",
                                        .display = "RetaliationModifierPoison",
                                        .modifier = "retaliationPoisonModifier"};
const DamageAttributeKeys AbsMod_Lightning{.type = CombatAttributeType_Lightning,
                                           .chance = "retaliationLightningModifierChance",
                                           .xorKey = "retaliationLightningXOR",
                                           .global = "retaliationLightningGlobal",
                                           .display = "RetaliationModifierLightning",
                                           .modifier = "retaliationLightningModifier"};
const DamageAttributeKeys AbsMod_Life{.type = CombatAttributeType_Life,
                                      .chance = "retaliationLifeModifierChance",
                                      .xorKey = "retaliationLifeXOR",
                                      .global = "retaliationLifeGlobal",
                                      .display = "RetaliationModifierLife",
                                      .modifier = "retaliationLifeModifier"};
const DamageAttributeKeys AbsMod_Stun{.type = CombatAttributeType_Stun,
                                      .chance = "retaliationStunModifierChance",
                                      .xorKey = "retaliationStunXOR",
                                      .global = "retaliationStunGlobal",
                                      .display = "RetaliationModifierStun",
                                      .modifier = "retaliationStunModifier"};
const DamageAttributeKeys DurMod_Physical{.type = CombatAttributeType_Physical,
                                          .chance = "retaliationSlowPhysicalModifierChance",
                                          .xorKey = "retaliationSlowPhysicalXOR",
                                          .global = "retaliationSlowPhysicalGlobal",
                                          .display = "RetaliationDurationModifierPhysical",
                                          .modifier = "retaliationSlowPhysicalModifier",
                                          .durationModifier =
                                              "retaliationSlowPhysicalDurationModifier"};
const DamageAttributeKeys DurMod_Bleeding{.type = CombatAttributeType_Bleeding,
                                          .chance = "retaliationSlowBleedingModifierChance",
                                          .xorKey = "retaliationSlowBleedingXOR",
                                          .global = "retaliationSlowBleedingGlobal",
                                          .display = "RetaliationDurationModifierBleeding",
                                          .modifier = "retaliationSlowBleedingModifier",
                                          .durationModifier =
                                              "retaliationSlowBleedingDurationModifier"};
const DamageAttributeKeys DurMod_Cold{.type = CombatAttributeType_Cold,
                                      .chance = "retaliationSlowColdModifierChance",
                                      .xorKey = "retaliationSlowColdXOR",
                                      .global = "retaliationSlowColdGlobal",
                                      .display = "RetaliationDurationModifierCold",
                                      .modifier = "retaliationSlowColdModifier",
                                      .durationModifier = "retaliationSlowColdDurationModifier"};
const DamageAttributeKeys DurMod_Fire{.type = CombatAttributeType_Fire,
                                      .chance = "retaliationSlowFireModifierChance",
                                      .xorKey = "retaliationSlowFireXOR",
                                      .global = "retaliationSlowFireGlobal",
                                      .display = "RetaliationDurationModifierFire",
                                      .modifier = "retaliationSlowFireModifier",
                                      .durationModifier = "retaliationSlowFireDurationModifier"};
const DamageAttributeKeys DurMod_Poison{.type = CombatAttributeType_Poison,
                                        .chance = "retaliationSlowPoisonModifierChance",
                                        .xorKey = "retaliationSlowPoisonXOR",
                                        .global = "retaliationSlowPoisonGlobal",
                                        .display = "RetaliationDurationModifierPoison",
                                        .modifier = "retaliationSlowPoisonModifier",
                                        .durationModifier =
                                            "retaliationSlowPoisonDurationModifier"};
const DamageAttributeKeys DurMod_Lightning{.type = CombatAttributeType_Lightning,
                                           .chance = "retaliationSlowLightningModifierChance",
                                           .xorKey = "retaliationSlowLightningXOR",
                                           .global = "retaliationSlowLightningGlobal",
                                           .display = "RetaliationDurationModifierLightning",
                                           .modifier = "retaliationSlowLightningModifier",
                                           .durationModifier =
                                               "retaliationSlowLightningDurationModifier"};
const DamageAttributeKeys DurMod_Life{.type = CombatAttributeType_Life,
                                      .chance = "retaliationSlowLifeModifierChance",
                                      .xorKey = "retaliationSlowLifeXOR",
                                      .global = "retaliationSlowLifeGlobal",
                                      .display = "RetaliationDurationModifierLife",
                                      .modifier = "retaliationSlowLifeModifier",
                                      .durationModifier = "retaliationSlowLifeDurationModifier"};
const DamageAttributeKeys DurMod_AttackSpeed{.type = CombatAttributeType_AttackSpeed,
                                             .chance = "retaliationSlowAttackSpeedModifierChance",
                                             .xorKey = "retaliationSlowAttackSpeedXOR",
                                             .global = "retaliationSlowAttackSpeedGlobal",
                                             .display = "RetaliationDurationModifierAttackSpeed",
                                             .modifier = "retaliationSlowAttackSpeedModifier",
                                             .durationModifier =
                                                 "retaliationSlowAttackSpeedDurationModifier"};
const DamageAttributeKeys DurMod_SpellCastSpeed{
    .type = CombatAttributeType_SpellCastSpeed,
    .chance = "retaliationSlowSpellCastSpeedModifierChance",
    .xorKey = "retaliationSlowSpellCastSpeedXOR",
    .global = "retaliationSlowSpellCastSpeedGlobal",
    .display = "RetaliationDurationModifierSpellCastSpeed",
    .modifier = "retaliationSlowSpellCastSpeedModifier",
    .durationModifier = "retaliationSlowSpellCastSpeedDurationModifier"};
const DamageAttributeKeys DurMod_RunSpeed{.type = CombatAttributeType_RunSpeed,
                                          .chance = "retaliationSlowRunSpeedModifierChance",
                                          .xorKey = "retaliationSlowRunSpeedXOR",
                                          .global = "retaliationSlowRunSpeedGlobal",
                                          .display = "RetaliationDurationModifierRunSpeed",
                                          .modifier = "retaliationSlowRunSpeedModifier",
                                          .durationModifier =
                                              "retaliationSlowRunSpeedDurationModifier"};
const DamageAttributeKeys DurMod_LifeLeach{.type = CombatAttributeType_LifeLeach,
                                           .chance = "retaliationSlowLifeLeachModifierChance",
                                           .xorKey = "retaliationSlowLifeLeachXOR",
                                           .global = "retaliationSlowLifeLeachGlobal",
                                           .display = "RetaliationDurationModifierLifeLeach",
                                           .modifier = "retaliationSlowLifeLeachModifier",
                                           .durationModifier =
                                               "retaliationSlowLifeLeachDurationModifier"};
const DamageAttributeKeys DurMod_ManaLeach{.type = CombatAttributeType_ManaLeach,
                                           .chance = "retaliationSlowManaLeachModifierChance",
                                           .xorKey = "retaliationSlowManaLeachXOR",
                                           .global = "retaliationSlowManaLeachGlobal",
                                           .display = "RetaliationDurationModifierManaLeach",
                                           .modifier = "retaliationSlowManaLeachModifier",
                                           .durationModifier =
                                               "retaliationSlowManaLeachDurationModifier"};
const DamageAttributeKeys DurMod_OffensiveAbility{
    .type = CombatAttributeType_OffensiveAbility,
    .chance = "retaliationSlowOffensiveAbilityModifierChance",
    .xorKey = "retaliationSlowOffensiveAbilityXOR",
    .global = "retaliationSlowOffensiveAbilityGlobal",
    .display = "RetaliationDurationModifierOffensiveAbility",
    .modifier = "retaliationSlowOffensiveAbilityModifier",
    .durationModifier = "retaliationSlowOffensiveAbilityDurationModifier"};
const DamageAttributeKeys DurMod_DefensiveAbility{
    .type = CombatAttributeType_DefensiveAbility,
    .chance = "retaliationSlowDefensiveAbilityModifierChance",
    .xorKey = "retaliationSlowDefensiveAbilityXOR",
    .global = "retaliationSlowDefensiveAbilityGlobal",
    .display = "RetaliationDurationModifierDefensiveAbility",
    .modifier = "retaliationSlowDefensiveAbilityModifier",
    .durationModifier = "retaliationSlowDefensiveAbilityDurationModifier"};
const DamageAttributeKeys DurMod_OffensiveReduction{
    .type = CombatAttributeType_OffensiveReduction,
    .chance = "retaliationSlowOffensiveReductionModifierChance",
    .xorKey = "retaliationSlowOffensiveReductionXOR",
    .global = "retaliationSlowOffensiveReductionGlobal",
    .display = "RetaliationDurationModifierOffensiveReduction",
    .modifier = "retaliationSlowOffensiveReductionModifier",
    .durationModifier = "retaliationSlowOffensiveReductionDurationModifier"};
const DamageAttributeKeys Reflex_Stun{.type = CombatAttributeType_Stun,
                                      .chance = "retaliationStunChance",
                                      .xorKey = "retaliationStunXOR",
                                      .global = "retaliationStunGlobal",
                                      .display = "RetaliationStun",
                                      .valueMin = "retaliationStunMin",
                                      .valueMax = "retaliationStunMax"};
} // namespace RetaliationAttributeKindKeys

const std::vector<DamageAttributeKindInfo>& GetRetaliationAttributeKinds()
{
    static const std::vector<DamageAttributeKindInfo> kinds = {
        DamageAttributeKindInfo::Of<RetaliationAttributeAbs_ElementalDamage>(
            "RetaliationAttributeAbs_ElementalDamage"),
        DamageAttributeKindInfo::Of<RetaliationAttributeAbs_PercentCurrentLife>(
            "RetaliationAttributeAbs_PercentCurrentLife"),
        DamageAttributeKindInfo::Of<RetaliationAttributeAbs_Physical>(
            "RetaliationAttributeAbs_Physical"),
        DamageAttributeKindInfo::Of<RetaliationAttributeAbs_Pierce>(
            "RetaliationAttributeAbs_Pierce"),
        DamageAttributeKindInfo::Of<RetaliationAttributeAbs_Cold>("RetaliationAttributeAbs_Cold"),
        DamageAttributeKindInfo::Of<RetaliationAttributeAbs_Fire>("RetaliationAttributeAbs_Fire"),
        DamageAttributeKindInfo::Of<RetaliationAttributeAbs_Poison>(
            "RetaliationAttributeAbs_Poison"),
        DamageAttributeKindInfo::Of<RetaliationAttributeAbs_Lightning>(
            "RetaliationAttributeAbs_Lightning"),
        DamageAttributeKindInfo::Of<RetaliationAttributeAbs_Life>("RetaliationAttributeAbs_Life"),
        DamageAttributeKindInfo::Of<RetaliationAttributeDur_Physical>(
            "RetaliationAttributeDur_Physical"),
        DamageAttributeKindInfo::Of<RetaliationAttributeDur_Bleeding>(
            "RetaliationAttributeDur_Bleeding"),
        DamageAttributeKindInfo::Of<RetaliationAttributeDur_Cold>("RetaliationAttributeDur_Cold"),
        DamageAttributeKindInfo::Of<RetaliationAttributeDur_Fire>("RetaliationAttributeDur_Fire"),
        DamageAttributeKindInfo::Of<RetaliationAttributeDur_Poison>(
            "RetaliationAttributeDur_Poison"),
        DamageAttributeKindInfo::Of<RetaliationAttributeDur_Lightning>(
            "RetaliationAttributeDur_Lightning"),
        DamageAttributeKindInfo::Of<RetaliationAttributeDur_Life>("RetaliationAttributeDur_Life"),
        DamageAttributeKindInfo::Of<RetaliationAttributeDur_LifeLeach>(
            "RetaliationAttributeDur_LifeLeach"),
        DamageAttributeKindInfo::Of<RetaliationAttributeDur_ManaLeach>(
            "RetaliationAttributeDur_ManaLeach"),
        DamageAttributeKindInfo::Of<RetaliationAttributeDur_AttackSpeed>(
            "RetaliationAttributeDur_AttackSpeed"),
        DamageAttributeKindInfo::Of<RetaliationAttributeDur_SpellCastSpeed>(
            "RetaliationAttributeDur_SpellCastSpeed"),
        DamageAttributeKindInfo::Of<RetaliationAttributeDur_RunSpeed>(
            "RetaliationAttributeDur_RunSpeed"),
        DamageAttributeKindInfo::Of<RetaliationAttributeDur_OffensiveAbility>(
            "RetaliationAttributeDur_OffensiveAbility"),
        DamageAttributeKindInfo::Of<RetaliationAttributeDur_DefensiveAbility>(
            "RetaliationAttributeDur_DefensiveAbility"),
        DamageAttributeKindInfo::Of<RetaliationAttributeDur_OffensiveReduction>(
            "RetaliationAttributeDur_OffensiveReduction"),
        DamageAttributeKindInfo::Of<RetaliationAttributeAbsMod_Physical>(
            "RetaliationAttributeAbsMod_Physical"),
        DamageAttributeKindInfo::Of<RetaliationAttributeAbsMod_PierceRatio>(
            "RetaliationAttributeAbsMod_PierceRatio"),
        DamageAttributeKindInfo::Of<RetaliationAttributeAbsMod_Pierce>(
            "RetaliationAttributeAbsMod_Pierce"),
        DamageAttributeKindInfo::Of<RetaliationAttributeAbsMod_Cold>(
            "RetaliationAttributeAbsMod_Cold"),
        DamageAttributeKindInfo::Of<RetaliationAttributeAbsMod_Fire>(
            "RetaliationAttributeAbsMod_Fire"),
        DamageAttributeKindInfo::Of<RetaliationAttributeAbsMod_Poison>(
            "RetaliationAttributeAbsMod_Poison"),
        DamageAttributeKindInfo::Of<RetaliationAttributeAbsMod_Lightning>(
            "RetaliationAttributeAbsMod_Lightning"),
        DamageAttributeKindInfo::Of<RetaliationAttributeAbsMod_Life>(
            "RetaliationAttributeAbsMod_Life"),
        DamageAttributeKindInfo::Of<RetaliationAttributeAbsMod_Stun>(
            "RetaliationAttributeAbsMod_Stun"),
        DamageAttributeKindInfo::Of<RetaliationAttributeDurMod_Physical>(
            "RetaliationAttributeDurMod_Physical"),
        DamageAttributeKindInfo::Of<RetaliationAttributeDurMod_Bleeding>(
            "RetaliationAttributeDurMod_Bleeding"),
        DamageAttributeKindInfo::Of<RetaliationAttributeDurMod_Cold>(
            "RetaliationAttributeDurMod_Cold"),
        DamageAttributeKindInfo::Of<RetaliationAttributeDurMod_Fire>(
            "RetaliationAttributeDurMod_Fire"),
        DamageAttributeKindInfo::Of<RetaliationAttributeDurMod_Poison>(
            "RetaliationAttributeDurMod_Poison"),
        DamageAttributeKindInfo::Of<RetaliationAttributeDurMod_Lightning>(
            "RetaliationAttributeDurMod_Lightning"),
        DamageAttributeKindInfo::Of<RetaliationAttributeDurMod_Life>(
            "RetaliationAttributeDurMod_Life"),
        DamageAttributeKindInfo::Of<RetaliationAttributeDurMod_AttackSpeed>(
            "RetaliationAttributeDurMod_AttackSpeed"),
        DamageAttributeKindInfo::Of<RetaliationAttributeDurMod_SpellCastSpeed>(
            "RetaliationAttributeDurMod_SpellCastSpeed"),
        DamageAttributeKindInfo::Of<RetaliationAttributeDurMod_RunSpeed>(
            "RetaliationAttributeDurMod_RunSpeed"),
        DamageAttributeKindInfo::Of<RetaliationAttributeDurMod_LifeLeach>(
            "RetaliationAttributeDurMod_LifeLeach"),
        DamageAttributeKindInfo::Of<RetaliationAttributeDurMod_ManaLeach>(
            "RetaliationAttributeDurMod_ManaLeach"),
        DamageAttributeKindInfo::Of<RetaliationAttributeDurMod_OffensiveAbility>(
            "RetaliationAttributeDurMod_OffensiveAbility"),
        DamageAttributeKindInfo::Of<RetaliationAttributeDurMod_DefensiveAbility>(
            "RetaliationAttributeDurMod_DefensiveAbility"),
        DamageAttributeKindInfo::Of<RetaliationAttributeDurMod_OffensiveReduction>(
            "RetaliationAttributeDurMod_OffensiveReduction"),
        DamageAttributeKindInfo::Of<RetaliationAttributeReflex_Stun>(
            "RetaliationAttributeReflex_Stun"),
    };
    return kinds;
}

std::unique_ptr<DamageAttribute> CreateRetaliationAttribute(std::string_view className)
{
    return CreateDamageAttributeKind(GetRetaliationAttributeKinds(), className);
}

} // namespace GAME
