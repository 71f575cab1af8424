#include "combat/DamageAttributeKinds.h"

#include "combat/CombatAttributeAbsDamage_Disruption.h"
#include "combat/CombatAttributeAbsDamage_LifeLeech.h"
#include "combat/CombatAttributeAbsDamage_PercentLife.h"
#include "combat/CombatAttributeAccumulator.h"
#include "combat/CombatAttributeDamage.h"
#include "combat/CombatAttributeDamage_BonusPhysical.h"
#include "combat/CombatAttributeInfluenceDamage.h"
#include "combat/CombatAttributeMod.h"

namespace GAME {

// Every key is written out whole, so that a search for any record key finds its kind.
namespace DamageAttributeKindKeys {
const DamageAttributeKeys AbsMod_Physical{.type = CombatAttributeType_Physical,
                                          .chance = "offensivePhysicalModifierChance",
                                          .xorKey = "offensivePhysicalXOR",
                                          .global = "offensivePhysicalGlobal",
                                          .display = "DamageModifierPhysical",
                                          .modifier = "offensivePhysicalModifier"};
const DamageAttributeKeys AbsMod_PierceRatio{.type = CombatAttributeType_PierceRatio,
                                             .chance = "offensivePierceRatioModifierChance",
                                             .xorKey = "offensivePierceRatioXOR",
                                             .global = "offensivePierceRatioGlobal",
                                             .display = "DamageModifierPierceRatio",
                                             .modifier = "offensivePierceRatioModifier"};
const DamageAttributeKeys AbsMod_Pierce{.type = CombatAttributeType_Pierce,
                                        .chance = "offensivePierceModifierChance",
                                        .xorKey = "offensivePierceXOR",
                                        .global = "offensivePierceGlobal",
                                        .display = "DamageModifierPierce",
                                        .modifier = "offensivePierceModifier"};
const DamageAttributeKeys AbsMod_Bleeding{.type = CombatAttributeType_Bleeding,
                                          .chance = "offensiveBleedingModifierChance",
                                          .xorKey = "offensiveBleedingXOR",
                                          .global = "offensiveBleedingGlobal",
                                          .display = "DamageModifierBleeding",
                                          .modifier = "offensiveBleedingModifier"};
const DamageAttributeKeys AbsMod_Cold{.type = CombatAttributeType_Cold,
                                      .chance = "offensiveColdModifierChance",
                                      .xorKey = "offensiveColdXOR",
                                      .global = "offensiveColdGlobal",
                                      .display = "DamageModifierCold",
                                      .modifier = "offensiveColdModifier"};
const DamageAttributeKeys AbsMod_Fire{.type = CombatAttributeType_Fire,
                                      .chance = "offensiveFireModifierChance",
                                      .xorKey = "offensiveFireXOR",
                                      .global = "offensiveFireGlobal",
                                      .display = "DamageModifierFire",
                                      .modifier = "offensiveFireModifier"};
const DamageAttributeKeys AbsMod_Poison{.type = CombatAttributeType_Poison,
                                        .chance = "offensivePoisonModifierChance",
                                        .xorKey = "offensivePoisonXOR",
                                        .global = "offensivePoisonGlobal",
                                        .display = "DamageModifierPoison",
                                        .modifier = "offensivePoisonModifier"};
const DamageAttributeKeys AbsMod_Lightning{.type = CombatAttributeType_Lightning,
                                           .chance = "offensiveLightningModifierChance",
                                           .xorKey = "offensiveLightningXOR",
                                           .global = "offensiveLightningGlobal",
                                           .display = "DamageModifierLightning",
                                           .modifier = "offensiveLightningModifier"};
const DamageAttributeKeys AbsMod_Life{.type = CombatAttributeType_Life,
                                      .chance = "offensiveLifeModifierChance",
                                      .xorKey = "offensiveLifeXOR",
                                      .global = "offensiveLifeGlobal",
                                      .display = "DamageModifierLife",
                                      .modifier = "offensiveLifeModifier"};
const DamageAttributeKeys AbsMod_Stun{.type = CombatAttributeType_Stun,
                                      .chance = "offensiveStunModifierChance",
                                      .xorKey = "offensiveStunXOR",
                                      .global = "offensiveStunGlobal",
                                      .display = "DamageModifierStun",
                                      .modifier = "offensiveStunModifier"};
const DamageAttributeKeys AbsMod_ManaBurn{.type = CombatAttributeType_ManaBurn,
                                          .chance = "offensiveManaBurnRatioAdderChance",
                                          .xorKey = "offensiveManaBurnXOR",
                                          .global = "offensiveManaBurnGlobal",
                                          .display = "DamageModifierManaBurn",
                                          .modifier = "offensiveManaBurnRatioAdder"};
const DamageAttributeKeys AbsMod_Elemental{.type = CombatAttributeType_ElementalGroup,
                                           .chance = "offensiveElementalModifierChance",
                                           .xorKey = "offensiveElementalXOR",
                                           .global = "offensiveElementalGlobal",
                                           .display = "DamageModifierElemental",
                                           .modifier = "offensiveElementalModifier"};
const DamageAttributeKeys DurMod_Physical{.type = CombatAttributeType_Physical,
                                          .chance = "offensiveSlowPhysicalModifierChance",
                                          .xorKey = "offensiveSlowPhysicalXOR",
                                          .global = "offensiveSlowPhysicalGlobal",
                                          .display = "DamageDurationModifierPhysical",
                                          .modifier = "offensiveSlowPhysicalModifier",
                                          .durationModifier =
                                              "offensiveSlowPhysicalDurationModifier"};
const DamageAttributeKeys DurMod_Bleeding{.type = CombatAttributeType_Bleeding,
                                          .chance = "offensiveSlowBleedingModifierChance",
                                          .xorKey = "offensiveSlowBleedingXOR",
                                          .global = "offensiveSlowBleedingGlobal",
                                          .display = "DamageDurationModifierBleeding",
                                          .modifier = "offensiveSlowBleedingModifier",
                                          .durationModifier =
                                              "offensiveSlowBleedingDurationModifier"};
const DamageAttributeKeys DurMod_Cold{.type = CombatAttributeType_Cold,
                                      .chance = "offensiveSlowColdModifierChance",
                                      .xorKey = "offensiveSlowColdXOR",
                                      .global = "offensiveSlowColdGlobal",
                                      .display = "DamageDurationModifierCold",
                                      .modifier = "offensiveSlowColdModifier",
                                      .durationModifier = "offensiveSlowColdDurationModifier"};
const DamageAttributeKeys DurMod_Fire{.type = CombatAttributeType_Fire,
                                      .chance = "offensiveSlowFireModifierChance",
                                      .xorKey = "offensiveSlowFireXOR",
                                      .global = "offensiveSlowFireGlobal",
                                      .display = "DamageDurationModifierFire",
                                      .modifier = "offensiveSlowFireModifier",
                                      .durationModifier = "offensiveSlowFireDurationModifier"};
const DamageAttributeKeys DurMod_Poison{.type = CombatAttributeType_Poison,
                                        .chance = "offensiveSlowPoisonModifierChance",
                                        .xorKey = "offensiveSlowPoisonXOR",
                                        .global = "offensiveSlowPoisonGlobal",
                                        .display = "DamageDurationModifierPoison",
                                        .modifier = "offensiveSlowPoisonModifier",
                                        .durationModifier = "offensiveSlowPoisonDurationModifier"};
const DamageAttributeKeys DurMod_Lightning{.type = CombatAttributeType_Lightning,
                                           .chance = "offensiveSlowLightningModifierChance",
                                           .xorKey = "offensiveSlowLightningXOR",
                                           .global = "offensiveSlowLightningGlobal",
                                           .display = "DamageDurationModifierLightning",
                                           .modifier = "offensiveSlowLightningModifier",
                                           .durationModifier =
                                               "offensiveSlowLightningDurationModifier"};
const DamageAttributeKeys DurMod_Life{.type = CombatAttributeType_Life,
                                      .chance = "offensiveSlowLifeModifierChance",
                                      .xorKey = "offensiveSlowLifeXOR",
                                      .global = "offensiveSlowLifeGlobal",
                                      .display = "DamageDurationModifierLife",
                                      .modifier = "offensiveSlowLifeModifier",
                                      .durationModifier = "offensiveSlowLifeDurationModifier"};
const DamageAttributeKeys DurMod_AttackSpeed{.type = CombatAttributeType_AttackSpeed,
                                             .chance = "offensiveSlowAttackSpeedModifierChance",
                                             .xorKey = "offensiveSlowAttackSpeedXOR",
                                             .global = "offensiveSlowAttackSpeedGlobal",
                                             .display = "DamageDurationModifierAttackSpeed",
                                             .modifier = "offensiveSlowAttackSpeedModifier",
                                             .durationModifier =
                                                 "offensiveSlowAttackSpeedDurationModifier"};
const DamageAttributeKeys DurMod_SpellCastSpeed{
    .type = CombatAttributeType_SpellCastSpeed,
    .chance = "offensiveSlowSpellCastSpeedModifierChance",
    .xorKey = "offensiveSlowSpellCastSpeedXOR",
    .global = "offensiveSlowSpellCastSpeedGlobal",
    .display = "DamageDurationModifierSpellCastSpeed",
    .modifier = "offensiveSlowSpellCastSpeedModifier",
    .durationModifier = "offensiveSlowSpellCastSpeedDurationModifier"};
const DamageAttributeKeys DurMod_RunSpeed{.type = CombatAttributeType_RunSpeed,
                                          .chance = "offensiveSlowRunSpeedModifierChance",
                                          .xorKey = "offensiveSlowRunSpeedXOR",
                                          .global = "offensiveSlowRunSpeedGlobal",
                                          .display = "DamageDurationModifierRunSpeed",
                                          .modifier = "offensiveSlowRunSpeedModifier",
                                          .durationModifier =
                                              "offensiveSlowRunSpeedDurationModifier"};
const DamageAttributeKeys DurMod_LifeLeach{.type = CombatAttributeType_LifeLeach,
                                           .chance = "offensiveSlowLifeLeachModifierChance",
                                           .xorKey = "offensiveSlowLifeLeachXOR",
                                           .global = "offensiveSlowLifeLeachGlobal",
                                           .display = "DamageDurationModifierLifeLeach",
                                           .modifier = "offensiveSlowLifeLeachModifier",
                                           .durationModifier =
                                               "offensiveSlowLifeLeachDurationModifier"};
const DamageAttributeKeys DurMod_ManaLeach{.type = CombatAttributeType_ManaLeach,
                                           .chance = "offensiveSlowManaLeachModifierChance",
                                           .xorKey = "offensiveSlowManaLeachXOR",
                                           .global = "offensiveSlowManaLeachGlobal",
                                           .display = "DamageDurationModifierManaLeach",
                                           .modifier = "offensiveSlowManaLeachModifier",
                                           .durationModifier =
                                               "offensiveSlowManaLeachDurationModifier"};
const DamageAttributeKeys DurMod_OffensiveAbility{
    .type = CombatAttributeType_OffensiveAbility,
    .chance = "offensiveSlowOffensiveAbilityModifierChance",
    .xorKey = "offensiveSlowOffensiveAbilityXOR",
    .global = "offensiveSlowOffensiveAbilityGlobal",
    .display = "DamageDurationModifierOffensiveAbility",
    .modifier = "offensiveSlowOffensiveAbilityModifier",
    .durationModifier = "offensiveSlowOffensiveAbilityDurationModifier"};
const DamageAttributeKeys DurMod_DefensiveAbility{
    .type = CombatAttributeType_DefensiveAbility,
    .chance = "offensiveSlowDefensiveAbilityModifierChance",
    .xorKey = "offensiveSlowDefensiveAbilityXOR",
    .global = "offensiveSlowDefensiveAbilityGlobal",
    .display = "DamageDurationModifierDefensiveAbility",
    .modifier = "offensiveSlowDefensiveAbilityModifier",
    .durationModifier = "offensiveSlowDefensiveAbilityDurationModifier"};
const DamageAttributeKeys DurMod_OffensiveReduction{
    .type = CombatAttributeType_OffensiveReduction,
    .chance = "offensiveSlowOffensiveReductionModifierChance",
    .xorKey = "offensiveSlowOffensiveReductionXOR",
    .global = "offensiveSlowOffensiveReductionGlobal",
    .display = "DamageDurationModifierOffensiveReduction",
    .modifier = "offensiveSlowOffensiveReductionModifier",
    .durationModifier = "offensiveSlowOffensiveReductionDurationModifier"};
const DamageAttributeKeys Reflex_Stun{.type = CombatAttributeType_Stun,
                                      .chance = "offensiveStunChance",
                                      .xorKey = "offensiveStunXOR",
                                      .global = "offensiveStunGlobal",
                                      .display = "DamageStun",
                                      .valueMin = "offensiveStunMin",
                                      .valueMax = "offensiveStunMax"};
const DamageAttributeKeys Reflex_Freeze{.type = CombatAttributeType_Freeze,
                                        .chance = "offensiveFreezeChance",
                                        .xorKey = "offensiveFreezeXOR",
                                        .global = "offensiveFreezeGlobal",
                                        .display = "DamageFreeze",
                                        .valueMin = "offensiveFreezeMin",
                                        .valueMax = "offensiveFreezeMax"};
const DamageAttributeKeys Reflex_Petrify{.type = CombatAttributeType_Petrify,
                                         .chance = "offensivePetrifyChance",
                                         .xorKey = "offensivePetrifyXOR",
                                         .global = "offensivePetrifyGlobal",
                                         .display = "DamagePetrify",
                                         .valueMin = "offensivePetrifyMin",
                                         .valueMax = "offensivePetrifyMax"};
const DamageAttributeKeys Reflex_Trap{.type = CombatAttributeType_Trap,
                                      .chance = "offensiveTrapChance",
                                      .xorKey = "offensiveTrapXOR",
                                      .global = "offensiveTrapGlobal",
                                      .display = "DamageTrap",
                                      .valueMin = "offensiveTrapMin",
                                      .valueMax = "offensiveTrapMax"};
const DamageAttributeKeys Abs_Taunt{.type = CombatAttributeType_Taunt,
                                    .chance = "offensiveTauntChance",
                                    .xorKey = "offensiveTauntXOR",
                                    .global = "offensiveTauntGlobal",
                                    .display = "DamageTaunt",
                                    .valueMin = "offensiveTauntMin",
                                    .valueMax = "offensiveTauntMax"};
const DamageAttributeKeys Abs_Convert{.type = CombatAttributeType_Convert,
                                      .chance = "offensiveConvertChance",
                                      .xorKey = "offensiveConvertXOR",
                                      .global = "offensiveConvertGlobal",
                                      .display = "DamageConvert",
                                      .valueMin = "offensiveConvertMin",
                                      .valueMax = "offensiveConvertMax"};
const DamageAttributeKeys Abs_Fear{.type = CombatAttributeType_Fear,
                                   .chance = "offensiveFearChance",
                                   .xorKey = "offensiveFearXOR",
                                   .global = "offensiveFearGlobal",
                                   .display = "DamageFear",
                                   .valueMin = "offensiveFearMin",
                                   .valueMax = "offensiveFearMax"};
const DamageAttributeKeys Abs_Confusion{.type = CombatAttributeType_Confusion,
                                        .chance = "offensiveConfusionChance",
                                        .xorKey = "offensiveConfusionXOR",
                                        .global = "offensiveConfusionGlobal",
                                        .display = "DamageConfusion",
                                        .valueMin = "offensiveConfusionMin",
                                        .valueMax = "offensiveConfusionMax"};
const DamageAttributeKeys Abs_PercentCurrentLife{.type = CombatAttributeType_PercentCurrentLife,
                                                 .chance = "offensivePercentCurrentLifeChance",
                                                 .xorKey = "offensivePercentCurrentLifeXOR",
                                                 .global = "offensivePercentCurrentLifeGlobal",
                                                 .display = "DamagePercentCurrentLife",
                                                 .valueMin = "offensivePercentCurrentLifeMin",
                                                 .valueMax = "offensivePercentCurrentLifeMax"};
const DamageAttributeKeys Abs_Disruption{.type = CombatAttributeType_Disruption,
                                         .chance = "offensiveDisruptionChance",
                                         .xorKey = "offensiveDisruptionXOR",
                                         .global = "offensiveDisruptionGlobal",
                                         .display = "DamageDisruption",
                                         .valueMin = "offensiveDisruptionMin",
                                         .valueMax = "offensiveDisruptionMax"};
const DamageAttributeKeys Abs_LifeLeech{.type = CombatAttributeType_LifeLeach,
                                        .chance = "offensiveLifeLeechChance",
                                        .xorKey = "offensiveLifeLeechXOR",
                                        .global = "offensiveLifeLeechGlobal",
                                        .display = "DamageLifeLeech",
                                        .valueMin = "offensiveLifeLeechMin",
                                        .valueMax = "offensiveLifeLeechMax"};
const DamageAttributeKeys AbsBase_Cold{.type = CombatAttributeType_Cold,
                                       .chance = "offensiveBaseColdChance",
                                       .xorKey = "offensiveBaseColdXOR",
                                       .global = "offensiveBaseColdGlobal",
                                       .display = "tagDamageBaseCold",
                                       .valueMin = "offensiveBaseColdMin",
                                       .valueMax = "offensiveBaseColdMax"};
const DamageAttributeKeys AbsBase_Fire{.type = CombatAttributeType_Fire,
                                       .chance = "offensiveBaseFireChance",
                                       .xorKey = "offensiveBaseFireXOR",
                                       .global = "offensiveBaseFireGlobal",
                                       .display = "tagDamageBaseFire",
                                       .valueMin = "offensiveBaseFireMin",
                                       .valueMax = "offensiveBaseFireMax"};
const DamageAttributeKeys AbsBase_Poison{.type = CombatAttributeType_Poison,
                                         .chance = "offensiveBasePoisonChance",
                                         .xorKey = "offensiveBasePoisonXOR",
                                         .global = "offensiveBasePoisonGlobal",
                                         .display = "tagDamageBasePoison",
                                         .valueMin = "offensiveBasePoisonMin",
                                         .valueMax = "offensiveBasePoisonMax"};
const DamageAttributeKeys AbsBase_Lightning{.type = CombatAttributeType_Lightning,
                                            .chance = "offensiveBaseLightningChance",
                                            .xorKey = "offensiveBaseLightningXOR",
                                            .global = "offensiveBaseLightningGlobal",
                                            .display = "tagDamageBaseLightning",
                                            .valueMin = "offensiveBaseLightningMin",
                                            .valueMax = "offensiveBaseLightningMax"};
const DamageAttributeKeys AbsBase_Life{.type = CombatAttributeType_Life,
                                       .chance = "offensiveBaseLifeChance",
                                       .xorKey = "offensiveBaseLifeXOR",
                                       .global = "offensiveBaseLifeGlobal",
                                       .display = "tagDamageBaseVitality",
                                       .valueMin = "offensiveBaseLifeMin",
                                       .valueMax = "offensiveBaseLifeMax"};
const DamageAttributeKeys Abs_Pierce{.type = CombatAttributeType_Pierce,
                                     .chance = "offensivePierceChance",
                                     .xorKey = "offensivePierceXOR",
                                     .global = "offensivePierceGlobal",
                                     .display = "DamagePierce",
                                     .valueMin = "offensivePierceMin",
                                     .valueMax = "offensivePierceMax"};
const DamageAttributeKeys Abs_Cold{.type = CombatAttributeType_Cold,
                                   .chance = "offensiveColdChance",
                                   .xorKey = "offensiveColdXOR",
                                   .global = "offensiveColdGlobal",
                                   .display = "DamageCold",
                                   .valueMin = "offensiveColdMin",
                                   .valueMax = "offensiveColdMax"};
const DamageAttributeKeys Abs_Fire{.type = CombatAttributeType_Fire,
                                   .chance = "offensiveFireChance",
                                   .xorKey = "offensiveFireXOR",
                                   .global = "offensiveFireGlobal",
                                   .display = "DamageFire",
                                   .valueMin = "offensiveFireMin",
                                   .valueMax = "offensiveFireMax"};
const DamageAttributeKeys Abs_Poison{.type = CombatAttributeType_Poison,
                                     .chance = "offensivePoisonChance",
                                     .xorKey = "offensivePoisonXOR",
                                     .global = "offensivePoisonGlobal",
                                     .display = "DamagePoison",
                                     .valueMin = "offensivePoisonMin",
                                     .valueMax = "offensivePoisonMax"};
const DamageAttributeKeys Abs_Lightning{.type = CombatAttributeType_Lightning,
                                        .chance = "offensiveLightningChance",
                                        .xorKey = "offensiveLightningXOR",
                                        .global = "offensiveLightningGlobal",
                                        .display = "DamageLightning",
                                        .valueMin = "offensiveLightningMin",
                                        .valueMax = "offensiveLightningMax"};
const DamageAttributeKeys Abs_Life{.type = CombatAttributeType_Life,
                                   .chance = "offensiveLifeChance",
                                   .xorKey = "offensiveLifeXOR",
                                   .global = "offensiveLifeGlobal",
                                   .display = "DamageLife",
                                   .valueMin = "offensiveLifeMin",
                                   .valueMax = "offensiveLifeMax"};
const DamageAttributeKeys Abs_ElementalDamage{.type = CombatAttributeType_ElementalGroup,
                                              .chance = "offensiveElementalChance",
                                              .xorKey = "offensiveElementalXOR",
                                              .global = "offensiveElementalGlobal",
                                              .display = "DamageElemental",
                                              .valueMin = "offensiveElementalMin",
                                              .valueMax = "offensiveElementalMax"};
const DamageAttributeKeys Abs_BonusPhysical{.type = CombatAttributeType_Physical,
                                            .chance = "offensiveBonusPhysicalChance",
                                            .xorKey = "offensiveBonusPhysicalXOR",
                                            .global = "offensiveBonusPhysicalGlobal",
                                            .display = "DamageBonusPhysical",
                                            .valueMin = "offensiveBonusPhysicalMin",
                                            .valueMax = "offensiveBonusPhysicalMax"};
const DamageAttributeKeys Dur_Physical{.type = CombatAttributeType_Physical,
                                       .chance = "offensiveSlowPhysicalChance",
                                       .xorKey = "offensiveSlowPhysicalXOR",
                                       .global = "offensiveSlowPhysicalGlobal",
                                       .display = "DamageDurationPhysical",
                                       .valueMin = "offensiveSlowPhysicalMin",
                                       .valueMax = "offensiveSlowPhysicalMax",
                                       .durationMin = "offensiveSlowPhysicalDurationMin",
                                       .durationMax = "offensiveSlowPhysicalDurationMax"};
const DamageAttributeKeys Dur_Bleeding{.type = CombatAttributeType_Bleeding,
                                       .chance = "offensiveSlowBleedingChance",
                                       .xorKey = "offensiveSlowBleedingXOR",
                                       .global = "offensiveSlowBleedingGlobal",
                                       .display = "DamageDurationBleeding",
                                       .valueMin = "offensiveSlowBleedingMin",
                                       .valueMax = "offensiveSlowBleedingMax",
                                       .durationMin = "offensiveSlowBleedingDurationMin",
                                       .durationMax = "offensiveSlowBleedingDurationMax"};
const DamageAttributeKeys Dur_Cold{.type = CombatAttributeType_Cold,
                                   .chance = "offensiveSlowColdChance",
                                   .xorKey = "offensiveSlowColdXOR",
                                   .global = "offensiveSlowColdGlobal",
                                   .display = "DamageDurationCold",
                                   .valueMin = "offensiveSlowColdMin",
                                   .valueMax = "offensiveSlowColdMax",
                                   .durationMin = "offensiveSlowColdDurationMin",
                                   .durationMax = "offensiveSlowColdDurationMax"};
const DamageAttributeKeys Dur_Fire{.type = CombatAttributeType_Fire,
                                   .chance = "offensiveSlowFireChance",
                                   .xorKey = "offensiveSlowFireXOR",
                                   .global = "offensiveSlowFireGlobal",
                                   .display = "DamageDurationFire",
                                   .valueMin = "offensiveSlowFireMin",
                                   .valueMax = "offensiveSlowFireMax",
                                   .durationMin = "offensiveSlowFireDurationMin",
                                   .durationMax = "offensiveSlowFireDurationMax"};
const DamageAttributeKeys Dur_Poison{.type = CombatAttributeType_Poison,
                                     .chance = "offensiveSlowPoisonChance",
                                     .xorKey = "offensiveSlowPoisonXOR",
                                     .global = "offensiveSlowPoisonGlobal",
                                     .display = "DamageDurationPoison",
                                     .valueMin = "offensiveSlowPoisonMin",
                                     .valueMax = "offensiveSlowPoisonMax",
                                     .durationMin = "offensiveSlowPoisonDurationMin",
                                     .durationMax = "offensiveSlowPoisonDurationMax"};
const DamageAttributeKeys Dur_Lightning{.type = CombatAttributeType_Lightning,
                                        .chance = "offensiveSlowLightningChance",
                                        .xorKey = "offensiveSlowLightningXOR",
                                        .global = "offensiveSlowLightningGlobal",
                                        .display = "DamageDurationLightning",
                                        .valueMin = "offensiveSlowLightningMin",
                                        .valueMax = "offensiveSlowLightningMax",
                                        .durationMin = "offensiveSlowLightningDurationMin",
                                        .durationMax = "offensiveSlowLightningDurationMax"};
const DamageAttributeKeys Dur_Life{.type = CombatAttributeType_Life,
                                   .chance = "offensiveSlowLifeChance",
                                   .xorKey = "offensiveSlowLifeXOR",
                                   .global = "offensiveSlowLifeGlobal",
                                   .display = "DamageDurationLife",
                                   .valueMin = "offensiveSlowLifeMin",
                                   .valueMax = "offensiveSlowLifeMax",
                                   .durationMin = "offensiveSlowLifeDurationMin",
                                   .durationMax = "offensiveSlowLifeDurationMax"};
const DamageAttributeKeys Dur_LifeLeach{.type = CombatAttributeType_LifeLeach,
                                        .chance = "offensiveSlowLifeLeachChance",
                                        .xorKey = "offensiveSlowLifeLeachXOR",
                                        .global = "offensiveSlowLifeLeachGlobal",
                                        .display = "DamageDurationLifeLeach",
                                        .valueMin = "offensiveSlowLifeLeachMin",
                                        .valueMax = "offensiveSlowLifeLeachMax",
                                        .durationMin = "offensiveSlowLifeLeachDurationMin",
                                        .durationMax = "offensiveSlowLifeLeachDurationMax"};
const DamageAttributeKeys Dur_ManaLeach{.type = CombatAttributeType_ManaLeach,
                                        .chance = "offensiveSlowManaLeachChance",
                                        .xorKey = "offensiveSlowManaLeachXOR",
                                        .global = "offensiveSlowManaLeachGlobal",
                                        .display = "DamageDurationManaLeach",
                                        .valueMin = "offensiveSlowManaLeachMin",
                                        .valueMax = "offensiveSlowManaLeachMax",
                                        .durationMin = "offensiveSlowManaLeachDurationMin",
                                        .durationMax = "offensiveSlowManaLeachDurationMax"};
const DamageAttributeKeys Dur_OffensiveAbility{
    .type = CombatAttributeType_OffensiveAbility,
    .chance = "offensiveSlowOffensiveAbilityChance",
    .xorKey = "offensiveSlowOffensiveAbilityXOR",
    .global = "offensiveSlowOffensiveAbilityGlobal",
    .display = "DamageDurationOffensiveAbility",
    .valueMin = "offensiveSlowOffensiveAbilityMin",
    .valueMax = "offensiveSlowOffensiveAbilityMax",
    .durationMin = "offensiveSlowOffensiveAbilityDurationMin",
    .durationMax = "offensiveSlowOffensiveAbilityDurationMax"};
const DamageAttributeKeys Dur_DefensiveAbility{
    .type = CombatAttributeType_DefensiveAbility,
    .chance = "offensiveSlowDefensiveAbilityChance",
    .xorKey = "offensiveSlowDefensiveAbilityXOR",
    .global = "offensiveSlowDefensiveAbilityGlobal",
    .display = "DamageDurationDefensiveAbility",
    .valueMin = "offensiveSlowDefensiveAbilityMin",
    .valueMax = "offensiveSlowDefensiveAbilityMax",
    .durationMin = "offensiveSlowDefensiveAbilityDurationMin",
    .durationMax = "offensiveSlowDefensiveAbilityDurationMax"};
const DamageAttributeKeys Dur_OffensiveReduction{
    .type = CombatAttributeType_OffensiveReduction,
    .chance = "offensiveSlowOffensiveReductionChance",
    .xorKey = "offensiveSlowOffensiveReductionXOR",
    .global = "offensiveSlowOffensiveReductionGlobal",
    .display = "DamageDurationOffensiveReduction",
    .valueMin = "offensiveSlowOffensiveReductionMin",
    .valueMax = "offensiveSlowOffensiveReductionMax",
    .durationMin = "offensiveSlowOffensiveReductionDurationMin",
    .durationMax = "offensiveSlowOffensiveReductionDurationMax"};
const DamageAttributeKeys Dur_DefensiveReduction{
    .type = CombatAttributeType_DefensiveReduction,
    .chance = "offensiveSlowDefensiveReductionChance",
    .xorKey = "offensiveSlowDefensiveReductionXOR",
    .global = "offensiveSlowDefensiveReductionGlobal",
    .display = "DamageDurationDefensiveReduction",
    .valueMin = "offensiveSlowDefensiveReductionMin",
    .valueMax = "offensiveSlowDefensiveReductionMax",
    .durationMin = "offensiveSlowDefensiveReductionDurationMin",
    .durationMax = "offensiveSlowDefensiveReductionDurationMax"};
const DamageAttributeKeys Dur_TotalDamageReductionPercent{
    .type = CombatAttributeType_TotalDamageReductionPercent,
    .chance = "offensiveTotalDamageReductionPercentChance",
    .xorKey = "offensiveTotalDamageReductionPercentXOR",
    .global = "offensiveTotalDamageReductionPercentGlobal",
    .display = "DamageTotalDamageReductionPercent",
    .valueMin = "offensiveTotalDamageReductionPercentMin",
    .valueMax = "offensiveTotalDamageReductionPercentMax",
    .durationMin = "offensiveTotalDamageReductionPercentDurationMin",
    .durationMax = "offensiveTotalDamageReductionPercentDurationMax"};
const DamageAttributeKeys Dur_TotalDamageReductionAbsolute{
    .type = CombatAttributeType_TotalDamageReductionAbsolute,
    .chance = "offensiveTotalDamageReductionAbsoluteChance",
    .xorKey = "offensiveTotalDamageReductionAbsoluteXOR",
    .global = "offensiveTotalDamageReductionAbsoluteGlobal",
    .display = "DamageTotalDamageReductionAbsolute",
    .valueMin = "offensiveTotalDamageReductionAbsoluteMin",
    .valueMax = "offensiveTotalDamageReductionAbsoluteMax",
    .durationMin = "offensiveTotalDamageReductionAbsoluteDurationMin",
    .durationMax = "offensiveTotalDamageReductionAbsoluteDurationMax"};
const DamageAttributeKeys Dur_TotalResistanceReductionPercent{
    .type = CombatAttributeType_TotalResistanceReductionPercent,
    .chance = "offensiveTotalResistanceReductionPercentChance",
    .xorKey = "offensiveTotalResistanceReductionPercentXOR",
    .global = "offensiveTotalResistanceReductionPercentGlobal",
    .display = "DamageTotalResistanceReductionPercent",
    .valueMin = "offensiveTotalResistanceReductionPercentMin",
    .valueMax = "offensiveTotalResistanceReductionPercentMax",
    .durationMin = "offensiveTotalResistanceReductionPercentDurationMin",
    .durationMax = "offensiveTotalResistanceReductionPercentDurationMax"};
const DamageAttributeKeys Dur_TotalResistanceReductionAbsolute{
    .type = CombatAttributeType_TotalResistanceReductionAbsolute,
    .chance = "offensiveTotalResistanceReductionAbsoluteChance",
    .xorKey = "offensiveTotalResistanceReductionAbsoluteXOR",
    .global = "offensiveTotalResistanceReductionAbsoluteGlobal",
    .display = "DamageTotalResistanceReductionAbsolute",
    .valueMin = "offensiveTotalResistanceReductionAbsoluteMin",
    .valueMax = "offensiveTotalResistanceReductionAbsoluteMax",
    .durationMin = "offensiveTotalResistanceReductionAbsoluteDurationMin",
    .durationMax = "offensiveTotalResistanceReductionAbsoluteDurationMax"};
const DamageAttributeKeys Dur_Fumble{.type = CombatAttributeType_Fumble,
                                     .chance = "offensiveFumbleChance",
                                     .xorKey = "offensiveFumbleXOR",
                                     .global = "offensiveFumbleGlobal",
                                     .display = "DamageDurationFumble",
                                     .valueMin = "offensiveFumbleMin",
                                     .valueMax = "offensiveFumbleMax",
                                     .durationMin = "offensiveFumbleDurationMin",
                                     .durationMax = "offensiveFumbleDurationMax"};
const DamageAttributeKeys Dur_ProjectileFumble{
    .type = CombatAttributeType_ProjectileFumble,
    .chance = "offensiveProjectileFumbleChance",
    .xorKey = "offensiveProjectileFumbleXOR",
    .global = "offensiveProjectileFumbleGlobal",
    .display = "DamageDurationProjectileFumble",
    .valueMin = "offensiveProjectileFumbleMin",
    .valueMax = "offensiveProjectileFumbleMax",
    .durationMin = "offensiveProjectileFumbleDurationMin",
    .durationMax = "offensiveProjectileFumbleDurationMax"};
const DamageAttributeKeys Dur_TotalSpeed{.type = CombatAttributeType_TotalSpeed,
                                         .chance = "offensiveSlowTotalSpeedChance",
                                         .xorKey = "offensiveSlowTotalSpeedXOR",
                                         .global = "offensiveSlowTotalSpeedGlobal",
                                         .display = "DamageDurationTotalSpeed",
                                         .valueMin = "offensiveSlowTotalSpeedMin",
                                         .valueMax = "offensiveSlowTotalSpeedMax",
                                         .durationMin = "offensiveSlowTotalSpeedDurationMin",
                                         .durationMax = "offensiveSlowTotalSpeedDurationMax"};
const DamageAttributeKeys Dur_AttackSpeed{.type = CombatAttributeType_AttackSpeed,
                                          .chance = "offensiveSlowAttackSpeedChance",
                                          .xorKey = "offensiveSlowAttackSpeedXOR",
                                          .global = "offensiveSlowAttackSpeedGlobal",
                                          .display = "DamageDurationAttackSpeed",
                                          .valueMin = "offensiveSlowAttackSpeedMin",
                                          .valueMax = "offensiveSlowAttackSpeedMax",
                                          .durationMin = "offensiveSlowAttackSpeedDurationMin",
                                          .durationMax = "offensiveSlowAttackSpeedDurationMax"};
const DamageAttributeKeys Dur_SpellCastSpeed{
    .type = CombatAttributeType_SpellCastSpeed,
    .chance = "offensiveSlowSpellCastSpeedChance",
    .xorKey = "offensiveSlowSpellCastSpeedXOR",
    .global = "offensiveSlowSpellCastSpeedGlobal",
    .display = "DamageDurationSpellCastSpeed",
    .valueMin = "offensiveSlowSpellCastSpeedMin",
    .valueMax = "offensiveSlowSpellCastSpeedMax",
    .durationMin = "offensiveSlowSpellCastSpeedDurationMin",
    .durationMax = "offensiveSlowSpellCastSpeedDurationMax"};
const DamageAttributeKeys Dur_RunSpeed{.type = CombatAttributeType_RunSpeed,
                                       .chance = "offensiveSlowRunSpeedChance",
                                       .xorKey = "offensiveSlowRunSpeedXOR",
                                       .global = "offensiveSlowRunSpeedGlobal",
                                       .display = "DamageDurationRunSpeed",
                                       .valueMin = "offensiveSlowRunSpeedMin",
                                       .valueMax = "offensiveSlowRunSpeedMax",
                                       .durationMin = "offensiveSlowRunSpeedDurationMin",
                                       .durationMax = "offensiveSlowRunSpeedDurationMax"};
} // namespace DamageAttributeKindKeys

template class DamageAttributeAbsAs<DamageAttributeInfluenceHidden,
                                    CombatAttributeInfluenceDamage_Taunt>;
template class DamageAttributeAbsAs<DamageAttributeInfluence,
                                    CombatAttributeInfluenceDamage_Convert>;
template class DamageAttributeAbsAs<DamageAttributeInfluence, CombatAttributeInfluenceDamage_Fear>;
template class DamageAttributeAbsAs<DamageAttributeInfluence,
                                    CombatAttributeInfluenceDamage_Confusion>;
template class DamageAttributeAbsAs<DamageAttributeAbsBonus, CombatAttributeAbsDamage_PercentLife>;
template class DamageAttributeAbsAs<DamageAttributeInfluence, CombatAttributeAbsDamage_Disruption>;
template class DamageAttributeAbsAs<DamageAttributeAbsBonus, CombatAttributeAbsDamage_LifeLeech>;
template class DamageAttributeAbsAs<DamageAttributeAbsBonus, CombatAttributeDamage_BonusPhysical>;

namespace {
// The three elements the elemental group stands for, in the order they are added.
constexpr CombatAttributeType kElements[] = {CombatAttributeType_Cold, CombatAttributeType_Fire,
                                             CombatAttributeType_Lightning};
// The single-precision third; the shares are worked out in it on every machine.
constexpr float kThird = 0.33333334f;
} // namespace

void DamageAttributeAbsElementalSplit::AddDrawnDamage(CombatAttributeAccumulator& accumulator,
                                                      uint32_t /*level*/, float value) const
{
    const float share = value * kThird;
    for (CombatAttributeType element : kElements)
        accumulator.AddDamage(std::make_unique<CombatAttributeAbsDamage>(element, share));
}

DamageAttributeAbsMod_Elemental::DamageAttributeAbsMod_Elemental()
    : DamageAttributeAbsModBase(DamageAttributeKindKeys::AbsMod_Elemental)
{}

std::unique_ptr<DamageAttribute> DamageAttributeAbsMod_Elemental::Clone() const
{
    return std::make_unique<DamageAttributeAbsMod_Elemental>(*this);
}

void DamageAttributeAbsMod_Elemental::AddDrawnModifier(CombatAttributeAccumulator& accumulator,
                                                       float value) const
{
    for (CombatAttributeType element : kElements)
        accumulator.AddDamageModifier(
            std::make_unique<CombatAttributeAbsDamageMod>(element, value));
}

DamageAttributeDur_TotalSpeed::DamageAttributeDur_TotalSpeed()
    : DamageAttributeDurFixed(DamageAttributeKindKeys::Dur_TotalSpeed)
{}

std::unique_ptr<DamageAttribute> DamageAttributeDur_TotalSpeed::Clone() const
{
    return std::make_unique<DamageAttributeDur_TotalSpeed>(*this);
}

void DamageAttributeDur_TotalSpeed::AddDrawnDamage(CombatAttributeAccumulator& accumulator,
                                                   uint32_t /*level*/, float value,
                                                   float duration) const
{
    for (CombatAttributeType speed :
         {CombatAttributeType_AttackSpeed, CombatAttributeType_SpellCastSpeed,
          CombatAttributeType_RunSpeed})
        accumulator.AddDamage(
            std::make_unique<CombatAttributeDurFixedDamage>(speed, value, duration));
}

const std::vector<DamageAttributeKindInfo>& GetDamageAttributeKinds()
{
    static const std::vector<DamageAttributeKindInfo> kinds = {
        DamageAttributeKindInfo::Of<DamageAttributeAbsMod_Physical>(
            "DamageAttributeAbsMod_Physical"),
        DamageAttributeKindInfo::Of<DamageAttributeAbsMod_PierceRatio>(
            "DamageAttributeAbsMod_PierceRatio"),
        DamageAttributeKindInfo::Of<DamageAttributeAbsMod_Pierce>("DamageAttributeAbsMod_Pierce"),
        DamageAttributeKindInfo::Of<DamageAttributeAbsMod_Bleeding>(
            "DamageAttributeAbsMod_Bleeding"),
        DamageAttributeKindInfo::Of<DamageAttributeAbsMod_Cold>("DamageAttributeAbsMod_Cold"),
        DamageAttributeKindInfo::Of<DamageAttributeAbsMod_Fire>("DamageAttributeAbsMod_Fire"),
        DamageAttributeKindInfo::Of<DamageAttributeAbsMod_Poison>("DamageAttributeAbsMod_Poison"),
        DamageAttributeKindInfo::Of<DamageAttributeAbsMod_Lightning>(
            "DamageAttributeAbsMod_Lightning"),
        DamageAttributeKindInfo::Of<DamageAttributeAbsMod_Life>("DamageAttributeAbsMod_Life"),
        DamageAttributeKindInfo::Of<DamageAttributeAbsMod_Stun>("DamageAttributeAbsMod_Stun"),
        DamageAttributeKindInfo::Of<DamageAttributeAbsMod_ManaBurn>(
            "DamageAttributeAbsMod_ManaBurn"),
        DamageAttributeKindInfo::Of<DamageAttributeAbsMod_Elemental>(
            "DamageAttributeAbsMod_Elemental"),
        DamageAttributeKindInfo::Of<DamageAttributeDurMod_Physical>(
            "DamageAttributeDurMod_Physical"),
        DamageAttributeKindInfo::Of<DamageAttributeDurMod_Bleeding>(
            "DamageAttributeDurMod_Bleeding"),
        DamageAttributeKindInfo::Of<DamageAttributeDurMod_Cold>("DamageAttributeDurMod_Cold"),
        DamageAttributeKindInfo::Of<DamageAttributeDurMod_Fire>("DamageAttributeDurMod_Fire"),
        DamageAttributeKindInfo::Of<DamageAttributeDurMod_Poison>("DamageAttributeDurMod_Poison"),
        DamageAttributeKindInfo::Of<DamageAttributeDurMod_Lightning>(
            "DamageAttributeDurMod_Lightning"),
        DamageAttributeKindInfo::Of<DamageAttributeDurMod_Life>("DamageAttributeDurMod_Life"),
        DamageAttributeKindInfo::Of<DamageAttributeDurMod_AttackSpeed>(
            "DamageAttributeDurMod_AttackSpeed"),
        DamageAttributeKindInfo::Of<DamageAttributeDurMod_SpellCastSpeed>(
            "DamageAttributeDurMod_SpellCastSpeed"),
        DamageAttributeKindInfo::Of<DamageAttributeDurMod_RunSpeed>(
            "DamageAttributeDurMod_RunSpeed"),
        DamageAttributeKindInfo::Of<DamageAttributeDurMod_LifeLeach>(
            "DamageAttributeDurMod_LifeLeach"),
        DamageAttributeKindInfo::Of<DamageAttributeDurMod_ManaLeach>(
            "DamageAttributeDurMod_ManaLeach"),
        DamageAttributeKindInfo::Of<DamageAttributeDurMod_OffensiveAbility>(
            "DamageAttributeDurMod_OffensiveAbility"),
        DamageAttributeKindInfo::Of<DamageAttributeDurMod_DefensiveAbility>(
            "DamageAttributeDurMod_DefensiveAbility"),
        DamageAttributeKindInfo::Of<DamageAttributeDurMod_OffensiveReduction>(
            "DamageAttributeDurMod_OffensiveReduction"),
        DamageAttributeKindInfo::Of<DamageAttributeReflex_Stun>("DamageAttributeReflex_Stun"),
        DamageAttributeKindInfo::Of<DamageAttributeReflex_Freeze>("DamageAttributeReflex_Freeze"),
        DamageAttributeKindInfo::Of<DamageAttributeReflex_Petrify>("DamageAttributeReflex_Petrify"),
        DamageAttributeKindInfo::Of<DamageAttributeReflex_Trap>("DamageAttributeReflex_Trap"),
        DamageAttributeKindInfo::Of<DamageAttributeAbs_Taunt>("DamageAttributeAbs_Taunt"),
        DamageAttributeKindInfo::Of<DamageAttributeAbs_Convert>("DamageAttributeAbs_Convert"),
        DamageAttributeKindInfo::Of<DamageAttributeAbs_Fear>("DamageAttributeAbs_Fear"),
        DamageAttributeKindInfo::Of<DamageAttributeAbs_Confusion>("DamageAttributeAbs_Confusion"),
        DamageAttributeKindInfo::Of<DamageAttributeAbs_PercentCurrentLife>(
            "DamageAttributeAbs_PercentCurrentLife"),
        DamageAttributeKindInfo::Of<DamageAttributeAbs_Disruption>("DamageAttributeAbs_Disruption"),
        DamageAttributeKindInfo::Of<DamageAttributeAbs_LifeLeech>("DamageAttributeAbs_LifeLeech"),
        DamageAttributeKindInfo::Of<DamageAttributeAbsBase_Cold>("DamageAttributeAbsBase_Cold"),
        DamageAttributeKindInfo::Of<DamageAttributeAbsBase_Fire>("DamageAttributeAbsBase_Fire"),
        DamageAttributeKindInfo::Of<DamageAttributeAbsBase_Poison>("DamageAttributeAbsBase_Poison"),
        DamageAttributeKindInfo::Of<DamageAttributeAbsBase_Lightning>(
            "DamageAttributeAbsBase_Lightning"),
        DamageAttributeKindInfo::Of<DamageAttributeAbsBase_Life>("DamageAttributeAbsBase_Life"),
        DamageAttributeKindInfo::Of<DamageAttributeAbs_Pierce>("DamageAttributeAbs_Pierce"),
        DamageAttributeKindInfo::Of<DamageAttributeAbs_Cold>("DamageAttributeAbs_Cold"),
        DamageAttributeKindInfo::Of<DamageAttributeAbs_Fire>("DamageAttributeAbs_Fire"),
        DamageAttributeKindInfo::Of<DamageAttributeAbs_Poison>("DamageAttributeAbs_Poison"),
        DamageAttributeKindInfo::Of<DamageAttributeAbs_Lightning>("DamageAttributeAbs_Lightning"),
        DamageAttributeKindInfo::Of<DamageAttributeAbs_Life>("DamageAttributeAbs_Life"),
        DamageAttributeKindInfo::Of<DamageAttributeAbs_ElementalDamage>(
            "DamageAttributeAbs_ElementalDamage"),
        DamageAttributeKindInfo::Of<DamageAttributeAbs_BonusPhysical>(
            "DamageAttributeAbs_BonusPhysical"),
        DamageAttributeKindInfo::Of<DamageAttributeDur_Physical>("DamageAttributeDur_Physical"),
        DamageAttributeKindInfo::Of<DamageAttributeDur_Bleeding>("DamageAttributeDur_Bleeding"),
        DamageAttributeKindInfo::Of<DamageAttributeDur_Cold>("DamageAttributeDur_Cold"),
        DamageAttributeKindInfo::Of<DamageAttributeDur_Fire>("DamageAttributeDur_Fire"),
        DamageAttributeKindInfo::Of<DamageAttributeDur_Poison>("DamageAttributeDur_Poison"),
        DamageAttributeKindInfo::Of<DamageAttributeDur_Lightning>("DamageAttributeDur_Lightning"),
        DamageAttributeKindInfo::Of<DamageAttributeDur_Life>("DamageAttributeDur_Life"),
        DamageAttributeKindInfo::Of<DamageAttributeDur_LifeLeach>("DamageAttributeDur_LifeLeach"),
        DamageAttributeKindInfo::Of<DamageAttributeDur_ManaLeach>("DamageAttributeDur_ManaLeach"),
        DamageAttributeKindInfo::Of<DamageAttributeDur_OffensiveAbility>(
            "DamageAttributeDur_OffensiveAbility"),
        DamageAttributeKindInfo::Of<DamageAttributeDur_DefensiveAbility>(
            "DamageAttributeDur_DefensiveAbility"),
        DamageAttributeKindInfo::Of<DamageAttributeDur_OffensiveReduction>(
            "DamageAttributeDur_OffensiveReduction"),
        DamageAttributeKindInfo::Of<DamageAttributeDur_DefensiveReduction>(
            "DamageAttributeDur_DefensiveReduction"),
        DamageAttributeKindInfo::Of<DamageAttributeDur_TotalDamageReductionPercent>(
            "DamageAttributeDur_TotalDamageReductionPercent"),
        DamageAttributeKindInfo::Of<DamageAttributeDur_TotalDamageReductionAbsolute>(
            "DamageAttributeDur_TotalDamageReductionAbsolute"),
        DamageAttributeKindInfo::Of<DamageAttributeDur_TotalResistanceReductionPercent>(
            "DamageAttributeDur_TotalResistanceReductionPercent"),
        DamageAttributeKindInfo::Of<DamageAttributeDur_TotalResistanceReductionAbsolute>(
            "DamageAttributeDur_TotalResistanceReductionAbsolute"),
        DamageAttributeKindInfo::Of<DamageAttributeDur_Fumble>("DamageAttributeDur_Fumble"),
        DamageAttributeKindInfo::Of<DamageAttributeDur_ProjectileFumble>(
            "DamageAttributeDur_ProjectileFumble"),
        DamageAttributeKindInfo::Of<DamageAttributeDur_TotalSpeed>("DamageAttributeDur_TotalSpeed"),
        DamageAttributeKindInfo::Of<DamageAttributeDur_AttackSpeed>(
            "DamageAttributeDur_AttackSpeed"),
        DamageAttributeKindInfo::Of<DamageAttributeDur_SpellCastSpeed>(
            "DamageAttributeDur_SpellCastSpeed"),
        DamageAttributeKindInfo::Of<DamageAttributeDur_RunSpeed>("DamageAttributeDur_RunSpeed"),
        DamageAttributeKindInfo::Of<DamageAttributeAbs_ManaBurn>("DamageAttributeAbs_ManaBurn"),
        DamageAttributeKindInfo::Of<DamageAttribute_Physical>("DamageAttribute_Physical"),
    };
    return kinds;
}

std::unique_ptr<DamageAttribute>
CreateDamageAttributeKind(const std::vector<DamageAttributeKindInfo>& kinds,
                          std::string_view className)
{
    for (const DamageAttributeKindInfo& kind : kinds)
        if (className == kind.className)
            return kind.create();
    return nullptr;
}

std::unique_ptr<DamageAttribute> CreateDamageAttribute(std::string_view className)
{
    return CreateDamageAttributeKind(GetDamageAttributeKinds(), className);
}

} // namespace GAME
