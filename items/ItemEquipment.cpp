// Rolling an equipment piece.
//
// `Load` reads what the base record fixes: names, pictures, the set, the base augment and the
// five designer equations of this kind from the item cost record. `InitializeItem` then rolls
// everything else, and it may run more than once on one object (a replica record applied
// again, a restored level), so it first takes back all that a previous roll added. The roll
// lends one generator, seeded from the replica record, to the five stores in a fixed order;
// the affixes add their names, costs, scale and level; the stores' summaries feed the cost
// equation and the requirement equations, which read them back through `GetDesignerVariable`.

#include "items/ItemEquipment.h"
#include "core/Helpers.h"
#include "items/ItemRelic.h"

#include "characters/Character.h"
#include "core/DesignerEquation_Algebra.h"
#include "core/RandomUniform.h"
#include "core/StringHelpers.h"
#include "engine/Engine.h"
#include "engine/GraphicsEngine.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "items/ItemSet.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace GAME {

GAME_IMPLEMENT_CLASS(ItemEquipment, Item);

namespace {

constexpr const char* kItemEquipmentSource = "Project\\Game\\ItemEquipment";

const LoadTable* LoadRecord(const std::string& name)
{
    ObjectManager& objects = ObjectManager::Instance();
    if (name.empty() || !objects.LoadTableFile(name))
        return nullptr;
    return &objects.GetLoadTable(name);
}

// A requirement or price the equations give, kept inside what 32 bits hold.
unsigned RoundToUnsigned(double value)
{
    const double rounded = std::trunc(value + 0.5);
    if (!(rounded > 0.0))
        return 0;
    return rounded >= 4294967295.0 ? 0xFFFFFFFFu : static_cast<unsigned>(rounded);
}

} // namespace

ItemEquipment::ItemEquipment() = default;

ItemEquipment::~ItemEquipment()
{
    ObjectManager& objects = ObjectManager::Instance();
    if (ItemRelic* relic = GetRelic())
        objects.DestroyObjectEx(relic, kItemEquipmentSource, 94);
}

void ItemEquipment::AddSeparator(std::vector<GameTextLine>& lines)
{
    lines.emplace_back(GameTextClass::Default, L" ", false);
}

void ItemEquipment::SetRequirementEquationKeys(const std::string& prefix)
{
    strengthEquationKey = prefix + "StrengthEquation";
    dexterityEquationKey = prefix + "DexterityEquation";
    intelligenceEquationKey = prefix + "IntelligenceEquation";
    levelRequirementEquationKey = prefix + "LevelEquation";
}

void ItemEquipment::SetKindReductions(CharAttributeType strength, CharAttributeType dexterity,
                                      CharAttributeType intelligence)
{
    kindStrengthReduction = strength;
    kindDexterityReduction = dexterity;
    kindIntelligenceReduction = intelligence;
}

// ---- loading ----

void ItemEquipment::Load(const LoadTable& table)
{
    Item::Load(table);
    nameTag = table.GetString("itemNameTag", "");
    styleTag = table.GetString("itemStyleTag", "");
    qualityTag = table.GetString("itemQualityTag", "");
    bitmap = table.GetString("bitmap", "");
    bitmapFemale = table.GetString("bitmapFemale", "");
    attributeScalePercent = table.GetFloat("attributeScalePercent", 0.0f);
    itemSetName = table.GetString("itemSetName", "");
    hidePrefixName = table.GetBool("hidePrefixName", false);
    hideSuffixName = table.GetBool("hideSuffixName", false);
    skillAugment.Reset();
    skillAugment.Load(table);
    recordRequirements[0] = Item::GetStrengthRequirement();
    recordRequirements[1] = Item::GetDexterityRequirement();
    recordRequirements[2] = Item::GetIntelligenceRequirement();
    recordRequirements[3] = Item::GetLevelRequirement();

    std::string costName = table.GetString("itemCostName", "");
    if (costName.empty())
        costName =
            gGameEngine != nullptr
                ? gGameEngine->GetDatabase().GetString("itemCostName", "Records/Game/ItemCost.dbr")
                : std::string("Records/Game/ItemCost.dbr");
    const LoadTable* cost = LoadRecord(costName);
    const auto read = [cost](const std::string& key) {
        return cost != nullptr && !key.empty() ? cost->GetString(key.c_str(), "") : std::string();
    };
    SetItemCostEquation(read(costEquationKey));
    SetStrengthEquation(read(strengthEquationKey));
    SetDexterityEquation(read(dexterityEquationKey));
    SetIntelligenceEquation(read(intelligenceEquationKey));
    SetLevelRequirementEquation(read(levelRequirementEquationKey));
}

void ItemEquipment::SetEquation(Equation& equation, const std::string& text, const char* failure)
{
    equation.reset();
    if (text.empty())
        return;
    equation = std::make_unique<DesignerEquation_Algebra>();
    if (equation->ParseEquation(text.c_str(), this))
        return;
    gEngine->Log(Engine::LogData, "-=- Item Equation load failure : %s ", failure);
    equation.reset();
}

void ItemEquipment::SetStrengthEquation(const std::string& text)
{
    SetEquation(strengthEquation, text, "itemStrengthEquation");
}

void ItemEquipment::SetDexterityEquation(const std::string& text)
{
    SetEquation(dexterityEquation, text, "itemDexterityEquation");
}

void ItemEquipment::SetIntelligenceEquation(const std::string& text)
{
    SetEquation(intelligenceEquation, text, "itemIntelligenceEquation");
}

void ItemEquipment::SetLevelRequirementEquation(const std::string& text)
{
    SetEquation(levelRequirementEquation, text, "levelRequirementEquation");
}

void ItemEquipment::SetItemCostEquation(const std::string& text)
{
    SetEquation(costEquation, text, "itemCostEquation");
}

// ---- rolling ----

void ItemEquipment::ResetRoll()
{
    racialBonuses.clear();
    skillAugment.Reset();
    characterCost.Reset();
    skillCost.Reset();
    defenseCost.Reset();
    damageCost.Reset();
    retaliationCost.Reset();
    augmentCost.Reset();
    prefixCost = 0;
    suffixCost = 0;
    marketAdjustmentPercent = 0.0f;
    calculatedCost = 0;
    prefixDisplayTag.clear();
    suffixDisplayTag.clear();
    SetRequirements(recordRequirements[0], recordRequirements[1], recordRequirements[2],
                    recordRequirements[3]);
}

void ItemEquipment::CreateItemRacialBonus(const LoadTable& table)
{
    std::unique_ptr<RacialBonus> bonus = RacialBonus::Create(table);
    if (bonus != nullptr)
        racialBonuses.push_back(std::move(bonus));
}

void ItemEquipment::LendGenerator(RandomUniform* random)
{
    characterStore.SetRandomGen(random);
    skillStore.SetRandomGen(random);
    damageStore.SetRandomGen(random);
    retaliationStore.SetRandomGen(random);
    defenseStore.SetRandomGen(random);
}

void ItemEquipment::RollStores(const LoadTable& base, const LoadTable* prefix,
                               const LoadTable* suffix)
{
    characterStore.Load(base, prefix, suffix, isArmor);
    skillStore.Load(base, prefix, suffix, isArmor);
    damageStore.Load(base, prefix, suffix, isArmor);
    retaliationStore.Load(base, prefix, suffix, isArmor);
    defenseStore.Load(base, prefix, suffix, isArmor,
                      static_cast<CombatAttributeRegion>(bodyRegion));
}

float ItemEquipment::ReadAffix(const LoadTable& table, std::string& displayTag, int32_t& cost,
                               unsigned& level, bool hideName)
{
    displayTag = table.GetString("lootRandomizerName", "");
    cost = table.GetInt("lootRandomizerCost", 0);
    const float scale = table.GetFloat("lootRandomizerScale", 0.0f);
    level = static_cast<unsigned>(std::max(table.GetInt("levelRequirement", 0), 0));
    marketAdjustmentPercent += table.GetFloat("marketAdjustmentPercent", 0.0f);
    skillAugment.Load(table);
    SetItemClassification(table);
    if (hideName)
        displayTag.clear();
    return scale;
}

void ItemEquipment::InitializeItem()
{
    Item::InitializeItem();
    ResetRoll();
    const LoadTable* base = LoadRecord(GetObjectName());
    if (base == nullptr)
        return;
    skillAugment.Load(*base);
    const ItemReplicaInfo& info = GetItemInfo();
    const LoadTable* prefix = LoadRecord(info.prefixName);
    const LoadTable* suffix = LoadRecord(info.suffixName);
    for (const LoadTable* table : {prefix, suffix, base})
        if (table != nullptr)
            CreateItemRacialBonus(*table);

    RandomUniform random;
    random.Seed(info.seed);
    LendGenerator(&random);
    RollStores(*base, prefix, suffix);

    float scale = 0.0f;
    unsigned prefixLevel = 0;
    unsigned suffixLevel = 0;
    if (prefix != nullptr)
        scale += ReadAffix(*prefix, prefixDisplayTag, prefixCost, prefixLevel, hidePrefixName);
    if (suffix != nullptr)
        scale += ReadAffix(*suffix, suffixDisplayTag, suffixCost, suffixLevel, hideSuffixName);
    scale += attributeScalePercent;
    if (scale != 0.0f) {
        characterStore.ScaleAttributes(scale);
        skillStore.ScaleAttributes(scale);
        damageStore.ScaleAttributes(scale);
        retaliationStore.ScaleAttributes(scale);
        defenseStore.ScaleAttributes(scale);
    }
    skillStore.AddJitter(20.0f);
    FillCostRecords();
    if (costEquation != nullptr) {
        const double c = (*costEquation)();
        calculatedCost = RoundToUnsigned(
            c * (static_cast<double>(marketAdjustmentPercent) + GetCostScalePercent()) * 0.01 + c);
    }
    ComputeRequirements(prefixLevel, suffixLevel);
    if (!itemSetName.empty() && gGameEngine != nullptr)
        gGameEngine->LoadItemSet(itemSetName);
    skillAugment.CreateItemSkills();
    AddRelic(info.relicName, info.relicBonus, info.var1);
    LendGenerator(nullptr);
    InitializeEquipmentSpecial(prefix, suffix);
}

void ItemEquipment::FillCostRecords()
{
    characterStore.GetCostInfo(characterCost);
    skillStore.GetCostInfo(skillCost);
    defenseStore.GetCostInfo(defenseCost);
    damageStore.GetCostInfo(damageCost);
    retaliationStore.GetCostInfo(retaliationCost);
    skillAugment.GetCostInfo(augmentCost);
}

void ItemEquipment::ComputeRequirements(unsigned prefixLevel, unsigned suffixLevel)
{
    unsigned values[4] = {Item::GetStrengthRequirement(), Item::GetDexterityRequirement(),
                          Item::GetIntelligenceRequirement(), Item::GetLevelRequirement()};
    const Equation* equations[4] = {&strengthEquation, &dexterityEquation, &intelligenceEquation,
                                    &levelRequirementEquation};
    for (int i = 0; i < 4; ++i)
        if (values[i] == 0 && *equations[i] != nullptr)
            values[i] = RoundToUnsigned(std::max((**equations[i])(), 0.0f));
    values[3] = std::max({values[3], prefixLevel, suffixLevel});
    SetRequirements(values[0], values[1], values[2], values[3]);
}

void ItemEquipment::InitializeEquipmentSpecial(const LoadTable* /*prefix*/,
                                               const LoadTable* /*suffix*/)
{}

ItemRelic* ItemEquipment::GetRelic() const
{
    return ObjectManager::Instance().GetObject<ItemRelic>(relicId);
}

void ItemEquipment::AddRelic(const std::string& relicName, const std::string& relicBonus,
                             uint32_t var1)
{
    ObjectManager& objects = ObjectManager::Instance();
    Character* wearer = GetCharacter();
    if (ItemRelic* old = GetRelic()) {
        if (wearer != nullptr)
            old->RemoveFromCharacter(*wearer);
        objects.DestroyObjectEx(old, kItemEquipmentSource, __LINE__);
    }
    relicId = 0;
    if (relicName.empty())
        return;
    ItemReplicaInfo info;
    info.baseName = relicName;
    info.relicBonus = relicBonus;
    info.var1 = var1;
    if (Item* made = Item::CreateItem(info)) {
        if (DynamicCast<ItemRelic>(made) != nullptr)
            relicId = made->GetObjectId();
        else
            objects.DestroyObjectEx(made, kItemEquipmentSource, __LINE__);
    }
    SetRelicInfo(relicName, relicBonus, var1);
    if (ItemRelic* relic = GetRelic(); relic != nullptr && wearer != nullptr)
        relic->InstallOnCharacter(*wearer);
}

void ItemEquipment::UpdateReplicaInfo()
{
    ItemRelic* relic = GetRelic();
    if (relic == nullptr)
        return;
    SetRelicInfo(relic->GetObjectName(), relic->GetRelicBonus(), relic->GetRelicLevel());
    if (Character* wearer = GetCharacter()) {
        relic->RemoveFromCharacter(*wearer);
        relic->InstallOnCharacter(*wearer);
    }
}

ItemClassification ItemEquipment::GetItemClassification() const
{
    const ItemRelic* relic = GetRelic();
    return relic != nullptr ? relic->GetItemClassification() : classification;
}

GraphicsTexture* ItemEquipment::GetUIBitmapOverlay() const
{
    const ItemRelic* relic = GetRelic();
    return relic != nullptr ? relic->GetRelicOverlayBitmap() : nullptr;
}

namespace {

// Compared as floats, as the designers' figures are.
unsigned MaxRequirement(unsigned own, const ItemRelic* relic, unsigned (ItemRelic::*get)() const)
{
    if (relic == nullptr)
        return own;
    return static_cast<unsigned>(Max(static_cast<float>(own), static_cast<float>((relic->*get)())));
}

} // namespace

uint32_t ItemEquipment::GetStrengthRequirement() const
{
    return MaxRequirement(Item::GetStrengthRequirement(), GetRelic(),
                          &ItemRelic::GetStrengthRequirement);
}

uint32_t ItemEquipment::GetDexterityRequirement() const
{
    return MaxRequirement(Item::GetDexterityRequirement(), GetRelic(),
                          &ItemRelic::GetDexterityRequirement);
}

uint32_t ItemEquipment::GetIntelligenceRequirement() const
{
    return MaxRequirement(Item::GetIntelligenceRequirement(), GetRelic(),
                          &ItemRelic::GetIntelligenceRequirement);
}

// ---- price ----

uint32_t ItemEquipment::GetItemCost(bool forStack) const
{
    const ItemRelic* relic = GetRelic();
    const uint64_t total =
        uint64_t{calculatedCost} + (relic != nullptr ? relic->GetItemCost(forStack) : 0u);
    return static_cast<uint32_t>(std::min<uint64_t>(total, 0xFFFFFFFFu));
}

float ItemEquipment::GetTotalAttrCostCount() const
{
    return static_cast<float>(characterCost.GetTotalCount() + skillCost.GetTotalCount() +
                              defenseCost.GetTotalCount() + damageCost.GetTotalCount() +
                              retaliationCost.GetTotalCount() + augmentCost.GetTotalCount());
}

void ItemEquipment::DumpCostAttributes()
{
    Item::DumpCostAttributes();
    characterCost.Dump();
    skillCost.Dump();
    defenseCost.Dump();
    damageCost.Dump();
    retaliationCost.Dump();
    augmentCost.Dump();
    shieldCost.Dump();
    gEngine->Log(Engine::LogInfo, "Total Attr Count %f",
                 static_cast<double>(GetTotalAttrCostCount()));
    if (costEquation != nullptr) {
        const double c = (*costEquation)();
        gEngine->Log(Engine::LogInfo, "^bCalculated Cost: %f, Rounded Cost: %f", c,
                     std::trunc(c + 0.5));
    }
}

bool ItemEquipment::GetDesignerVariable(const char* name, float& value)
{
    if (name == nullptr)
        return false;
    const auto count = [](int32_t n) { return static_cast<float>(n); };
    const CostInfo_CharacterAttributes& ch = characterCost;
    const std::pair<const char*, float> table[] = {
        {"itemAttrScale", attributeScalePercent},
        {"charPrimaryAtt", ch.primaryAtt},
        {"charPrimaryAttCount", count(ch.primaryAttCount)},
        {"charSecondaryAtt", ch.secondaryAtt},
        {"charSecondaryAttCount", count(ch.secondaryAttCount)},
        {"charBonus", ch.bonus},
        {"charBonusCount", count(ch.bonusCount)},
        {"charPrimaryMod", ch.primaryMod},
        {"charPrimaryModCount", count(ch.primaryModCount)},
        {"charSecondaryMod", ch.secondaryMod},
        {"charSecondaryModCount", count(ch.secondaryModCount)},
        {"charBonusMod", ch.bonusMod},
        {"charBonusModCount", count(ch.bonusModCount)},
        {"charAttackSpeed", ch.attackSpeed},
        {"charAttackSpeedCount", count(ch.attackSpeedCount)},
        {"charOtherSpeed", ch.otherSpeed},
        {"charOtherSpeedCount", count(ch.otherSpeedCount)},
        {"charAttackSpeedMod", ch.attackSpeedMod},
        {"charAttackSpeedModCount", count(ch.attackSpeedModCount)},
        {"charOtherSpeedMod", ch.otherSpeedMod},
        {"charOtherSpeedModCount", count(ch.otherSpeedModCount)},
        {"skillAttrBase", skillCost.base},
        {"skillAttrBonus", skillCost.bonus},
        {"skillAttrModifier", skillCost.modifier},
        {"skillAttrBonusCount", count(skillCost.bonusCount)},
        {"defenseAttrArmor", defenseCost.armor},
        {"defenseAttrBase", defenseCost.base},
        {"defenseAttrBaseDuration", defenseCost.baseDuration},
        {"defenseAttrMod", defenseCost.mod},
        {"defenseAttrModDuration", defenseCost.modDuration},
        {"defenseAttrCount", count(defenseCost.count)},
        {"damageAvgBase", damageCost.avgBase},
        {"damageAvgPierceRatio", damageCost.avgPierceRatio},
        {"damageAvgBonus", damageCost.avgBonus},
        {"damageAvgOverTime", damageCost.avgOverTime},
        {"damageMod", damageCost.mod},
        {"damageModDur", damageCost.modDur},
        {"damageCount", count(damageCost.count)},
        {"retaliationAvgBonus", retaliationCost.avgBonus},
        {"retaliationAvgOverTime", retaliationCost.avgOverTime},
        {"retaliationMod", retaliationCost.mod},
        {"retaliationModDur", retaliationCost.modDur},
        {"retaliationCount", count(retaliationCost.count)},
        {"skillAugmentLevel", count(augmentCost.augmentLevel)},
        {"skillAugmentCount", count(augmentCost.augmentCount)},
        {"shieldBlockChance", shieldCost.blockChance},
        {"shieldBlockDefense", shieldCost.blockDefense},
        {"shieldBlockAbsorption", shieldCost.blockAbsorption},
        {"shieldBlockRecoveryTime", shieldCost.blockRecoveryTime},
        {"totalAttCount", GetTotalAttrCostCount()},
        {"charAttrBase", 0.0f},
        {"charAttrBonus", 0.0f},
        {"charAttrModifier", 0.0f},
        {"charAttrSpeed", 0.0f},
        {"charAttrBonusCount", 0.0f},
        {"itemBaseCost", static_cast<float>(GetBaseItemCost())},
        {"itemPrefixCost", count(prefixCost)},
        {"itemSuffixCost", count(suffixCost)},
    };
    for (const auto& [key, figure] : table) {
        if (std::strcmp(name, key) == 0) {
            value = figure;
            return true;
        }
    }
    return Item::GetDesignerVariable(name, value);
}

// ---- requirements ----

void ItemEquipment::GetReductions(const Character* character, float values[3],
                                  float reductions[3]) const
{
    const CharAttributeType stats[3] = {CharAttribute_Strength, CharAttribute_Dexterity,
                                        CharAttribute_Intelligence};
    const CharAttributeType kinds[3] = {kindStrengthReduction, kindDexterityReduction,
                                        kindIntelligenceReduction};
    const CharAttributeType families[3] = {familyStrengthReduction, familyDexterityReduction,
                                           familyIntelligenceReduction};
    for (int i = 0; i < 3; ++i) {
        values[i] = 0.0f;
        reductions[i] = 0.0f;
        if (character == nullptr)
            continue;
        values[i] = character->GetTotalCharAttribute(stats[i]);
        reductions[i] = character->GetTotalCharAttribute(kinds[i]);
        if (families[i] != CharAttributeType{})
            reductions[i] += character->GetTotalCharAttribute(families[i]);
    }
    const float global = character != nullptr
                             ? character->GetTotalCharAttribute(CharAttribute_GlobalReqReduction)
                             : 0.0f;
    if (global > 0.0f)
        for (int i = 0; i < 3; ++i)
            reductions[i] += global;
}

bool ItemEquipment::AreRequirementsMet(const Character* character) const
{
    if (!Item::AreRequirementsMet(character))
        return false;
    float values[3];
    float reductions[3];
    GetReductions(character, values, reductions);
    const unsigned requirements[3] = {GetStrengthRequirement(), GetDexterityRequirement(),
                                      GetIntelligenceRequirement()};
    for (int i = 0; i < 3; ++i)
        if (!MeetsRequirements(values[i], static_cast<float>(requirements[i]), reductions[i]))
            return false;
    return true;
}

void ItemEquipment::GetUIRequirementText(const Character* character,
                                         std::vector<GameTextLine>& lines) const
{
    Item::GetUIRequirementText(character, lines);
    float values[3];
    float reductions[3];
    GetReductions(character, values, reductions);
    const unsigned requirements[3] = {GetStrengthRequirement(), GetDexterityRequirement(),
                                      GetIntelligenceRequirement()};
    const char* tags[3] = {"Strength", "Dexterity", "Intelligence"};
    for (int i = 0; i < 3; ++i)
        GenerateRequirementText(values[i], static_cast<float>(requirements[i]), reductions[i],
                                tags[i], lines);
}

// ---- what the wearer gets ----

void ItemEquipment::GetCharAttributes(CharAttributeAccumulator& accumulator) const
{
    characterStore.AddToAccumulator(accumulator, 1);
    if (const ItemRelic* relic = GetRelic())
        relic->GetCharAttributes(accumulator);
}

void ItemEquipment::GetSkillAttributes(SkillAttributeAccumulator& accumulator) const
{
    skillStore.AddToAccumulator(accumulator, 1);
    if (const ItemRelic* relic = GetRelic())
        relic->GetSkillAttributes(accumulator);
}

void ItemEquipment::GetOffensiveDamageAttributes(CombatAttributeAccumulator& accumulator) const
{
    damageStore.AddDamageToAccumulator(accumulator, 1);
    if (const ItemRelic* relic = GetRelic())
        relic->GetOffensiveDamageAttributes(accumulator);
}

void ItemEquipment::GetOffensiveModifierAttributes(CombatAttributeAccumulator& accumulator) const
{
    damageStore.AddModifierToAccumulator(accumulator, 1);
    if (const ItemRelic* relic = GetRelic())
        relic->GetOffensiveModifierAttributes(accumulator);
}

void ItemEquipment::GetRetaliationAttributes(CombatAttributeAccumulator& accumulator) const
{
    retaliationStore.AddDamageToAccumulator(accumulator, 1);
    retaliationStore.AddModifierToAccumulator(accumulator, 1);
    if (const ItemRelic* relic = GetRelic())
        relic->GetRetaliationAttributes(accumulator);
}

void ItemEquipment::GetDefenseAttributes(CombatAttributeAccumulator& accumulator) const
{
    defenseStore.AddToAccumulator(accumulator, 1);
    if (const ItemRelic* relic = GetRelic())
        relic->GetDefenseAttributes(accumulator);
}

void ItemEquipment::ContributeRacialBonusDamage(const std::vector<std::string>& races,
                                                RacialBonus_Damage& damage) const
{
    for (const auto& bonus : racialBonuses)
        bonus->GetDamage(races, damage, 1);
    if (const ItemRelic* relic = GetRelic())
        relic->ContributeRacialBonusDamage(races, damage);
}

void ItemEquipment::ContributeRacialBonusDefense(const std::vector<std::string>& races,
                                                 RacialBonus_Defense& defense) const
{
    for (const auto& bonus : racialBonuses)
        bonus->GetDefense(races, defense, 1);
    if (const ItemRelic* relic = GetRelic())
        relic->ContributeRacialBonusDefense(races, defense);
}

void ItemEquipment::AttachItem(Character& character, const char* attachPoint)
{
    Item::AttachItem(character, attachPoint);
    skillAugment.InstallOnCharacter(character);
    if (!itemSetName.empty())
        character.AddItemToSet(itemSetName, GetObjectName());
    if (const ItemRelic* relic = GetRelic())
        relic->InstallOnCharacter(character);
}

void ItemEquipment::DetachItem(Character& character)
{
    Item::DetachItem(character);
    skillAugment.RemoveFromCharacter(character);
    if (!itemSetName.empty())
        character.RemoveItemFromSet(itemSetName, GetObjectName());
    if (const ItemRelic* relic = GetRelic())
        relic->RemoveFromCharacter(character);
}

// ---- text ----

GraphicsTexture* ItemEquipment::GetBitmap() const
{
    const std::string& name =
        GetGender() == Character_Gender{2} && !bitmapFemale.empty() ? bitmapFemale : bitmap;
    return GraphicsEngine::Instance().LoadTexture(name);
}

void ItemEquipment::CreateUIAttributeText(std::vector<GameTextLine>& /*lines*/) const {}

std::wstring ItemEquipment::FormatName(const char* magicalFormat, const char* commonFormat) const
{
    const bool magical = !prefixDisplayTag.empty() || !suffixDisplayTag.empty();
    return LocalizationManager::Instance().Format(
        magical ? magicalFormat : commonFormat, nameTag.c_str(), qualityTag.c_str(),
        styleTag.c_str(), prefixDisplayTag.c_str(), suffixDisplayTag.c_str());
}

std::wstring ItemEquipment::GetGameDescriptionFrom(const char* magicalFormat,
                                                   const char* commonFormat) const
{
    std::wstring text = gGameEngine != nullptr
                            ? gGameEngine->GetItemColorText(GetItemClassification())
                            : std::wstring();
    text += FormatName(magicalFormat, commonFormat);
    StripLineBreaks(text);
    TrimSpacesAndBraces(text);
    return text;
}

void ItemEquipment::AddNameLine(const char* magicalFormat, const char* commonFormat,
                                std::vector<GameTextLine>& lines) const
{
    std::wstring text = FormatName(magicalFormat, commonFormat);
    TrimSpacesAndBraces(text);
    const GameTextClass style = gGameEngine != nullptr
                                    ? gGameEngine->GetItemTextClass(classification)
                                    : GameTextClass::ItemNameCommon;
    lines.emplace_back(style, text, false);
}

void ItemEquipment::CreateStoreText(StoreText& text) const
{
    damageStore.CreateText(text.damage[0], text.damage[1], text.damage[2], 1);
    retaliationStore.CreateText(text.retaliation[0], text.retaliation[1], text.retaliation[2], 1);
    defenseStore.CreateText(text.defense[0], text.defense[1], 1);
    characterStore.CreateText(text.character[0], text.character[1], 1);
    skillStore.CreateText(text.skill, 1);
}

void ItemEquipment::AddLines(const std::vector<std::wstring>& texts, GameTextClass textClass,
                             std::vector<GameTextLine>& lines)
{
    for (const std::wstring& text : texts)
        lines.emplace_back(textClass, text, false);
}

void ItemEquipment::RemoveTrailingSeparator(std::vector<GameTextLine>& lines)
{
    if (!lines.empty() && lines.back().style == GameTextClass::Default)
        lines.pop_back();
}

void ItemEquipment::GetUIDisplayText_RacialBonus(std::vector<GameTextLine>& lines) const
{
    for (const auto& bonus : racialBonuses)
        bonus->GetUIDisplayText(1, GameTextClass::ItemBonuses, lines);
}

void ItemEquipment::GetUIDisplayText(const Character* character,
                                     std::vector<GameTextLine>& lines) const
{
    Item::GetUIDisplayText(character, lines);
    CreateUIAttributeText(lines);
    GetUIDisplayText_RacialBonus(lines);
    skillAugment.GetUIDisplayText(GameTextClass::ItemBonuses, lines);
    const ItemSet* set = !itemSetName.empty() && gGameEngine != nullptr
                             ? gGameEngine->GetItemSet(itemSetName)
                             : nullptr;
    if (set != nullptr) {
        AddSeparator(lines);
        const std::vector<std::string> worn = character != nullptr
                                                  ? character->GetItemsInSet(itemSetName)
                                                  : std::vector<std::string>();
        set->GetUIDisplayText(worn, lines);
    }
    if (const ItemRelic* relic = GetRelic()) {
        AddSeparator(lines);
        relic->GetBoundUIDisplayText(character, lines);
    }
    AddSeparator(lines);
    GetUIRequirementText(character, lines);
}

} // namespace GAME
