#include "items/ItemRelic.h"

#include "characters/Character.h"
#include "core/GameTextLine.h"
#include "core/RandomUniform.h"
#include "core/StringHelpers.h"
#include "engine/GraphicsEngine.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "items/ArmorJewelry.h"
#include "items/ArmorProtective.h"
#include "items/CursorHandlerRelicCombine.h"
#include "items/ItemEquipment.h"
#include "items/LootRandomizerTable.h"
#include "items/WeaponArmor_Shield.h"
#include "items/WeaponHunting_Bow.h"
#include "items/WeaponHunting_Spear.h"
#include "items/WeaponMagical_Staff.h"
#include "items/WeaponMelee_Axe.h"
#include "items/WeaponMelee_Mace.h"
#include "items/WeaponMelee_Sword.h"

#include <cmath>

namespace GAME {

GAME_IMPLEMENT_CLASS(ItemRelic, Item);
GAME_IMPLEMENT_CLASS(ItemCharm, ItemRelic);

namespace {

constexpr const char* kItemRelicSource = "Project\\Game\\ItemRelic";

constexpr const char* kKindKeys[ItemRelic::kKindCount] = {
    "amulet", "bracelet", "ring",  "armband", "helmet", "greaves", "bodyArmor",
    "shield", "bow",      "spear", "staff",   "axe",    "mace",    "sword"};

// The classes the kind keys stand for, in the same order.
const RTTI_ClassInfo* const kKindClasses[ItemRelic::kKindCount] = {
    &ArmorJewelry_Amulet::classInfo,       &ArmorJewelry_Bracelet::classInfo,
    &ArmorJewelry_Ring::classInfo,         &ArmorProtective_Forearm::classInfo,
    &ArmorProtective_Head::classInfo,      &ArmorProtective_LowerBody::classInfo,
    &ArmorProtective_UpperBody::classInfo, &WeaponArmor_Shield::classInfo,
    &WeaponHunting_Bow::classInfo,         &WeaponHunting_Spear::classInfo,
    &WeaponMagical_Staff::classInfo,       &WeaponMelee_Axe::classInfo,
    &WeaponMelee_Mace::classInfo,          &WeaponMelee_Sword::classInfo};

constexpr ItemRelic::TextTags kRelicTags = {"tagRelicShard", "tagRelicComplete",   "tagRelicRatio",
                                            "tagRelicBonus", "tagRelicDirections", "tagRelicError"};
constexpr ItemRelic::TextTags kCharmTags = {"tagAnimalPart",           "tagAnimalPartComplete",
                                            "tagAnimalPartRatio",      "tagAnimalPartcompleteBonus",
                                            "tagAnimalPartDirections", "tagRelicError"};

void AddSeparator(std::vector<GameTextLine>& lines)
{
    lines.emplace_back(GameTextClass::Default, L" ", false);
}

} // namespace

ItemRelic::ItemRelic() : ItemRelic(kRelicTags) {}

ItemRelic::ItemRelic(const TextTags& tags) : tags(tags)
{
    classification = ItemClassification_Relic;
    SetRelicInfo(GetItemInfo().relicName, GetItemInfo().relicBonus, 1);
}

ItemCharm::ItemCharm() : ItemRelic(kCharmTags) {}

ItemRelic::~ItemRelic()
{
    DestroySoundPak(sounds[RelicToRelic], kItemRelicSource, 74);
    DestroySoundPak(sounds[RelicToItem], kItemRelicSource, 75);
    DestroySoundPak(sounds[RelicComplete], kItemRelicSource, 76);
}

void ItemRelic::Load(const LoadTable& table)
{
    Item::Load(table);
    completedRelicLevel = static_cast<uint32_t>(table.GetInt("completedRelicLevel", 0));
    shardBitmap = table.GetString("shardBitmap", "");
    relicBitmap = table.GetString("relicBitmap", "");
    overlayBitmap = table.GetString("itemOverlayBitmap", "");
    // Whatever the record says, a relic is shown as one.
    classification = ItemClassification_Relic;
    ownAttributes.LoadFromTable(table);
    bonusTableName = table.GetString("bonusTableName", "");
    ownRacialBonus = RacialBonus::Create(table);
    sounds[RelicToRelic] = LoadSoundPakFromTable(table, "relicToRelicSound");
    sounds[RelicToItem] = LoadSoundPakFromTable(table, "relicToItemSound");
    sounds[RelicComplete] = LoadSoundPakFromTable(table, "relicCompleteSound");
    for (size_t i = 0; i < kKindCount; ++i)
        allowedKinds[i] = table.GetBool(kKindKeys[i], false);
}

void ItemRelic::InitializeItem()
{
    Item::InitializeItem();
    // A record applied again starts from nothing rather than adding up twice.
    skillAugment.Reset();
    bonusAttributes = AttributePak();
    bonusRacialBonus.reset();
    if (GetItemInfo().var1 != 0)
        SetRelicLevel(GetItemInfo().var1);
    if (IsComplete())
        skillAugment.LoadFromFile(GetObjectName());
    LoadBonus();
    skillAugment.CreateItemSkills();
}

void ItemRelic::LoadBonus()
{
    const std::string& bonus = GetItemInfo().relicBonus;
    if (bonus.empty())
        return;
    bonusAttributes.LoadFromDatabase(bonus);
    skillAugment.LoadFromFile(bonus);
    bonusRacialBonus = RacialBonus::CreateFromFile(bonus);
}

void ItemRelic::SetRelicLevel(uint32_t level)
{
    relicLevel = level;
    SetRelicInfo(GetItemInfo().relicName, GetItemInfo().relicBonus, level);
}

uint32_t ItemRelic::AddToRelicLevel(uint32_t shards)
{
    if (IsComplete())
        return 0;
    // In 64 bits: a record's huge shard count must not wrap round to a small level.
    uint64_t level = uint64_t{relicLevel} + shards;
    uint32_t excess = 0;
    if (level > completedRelicLevel) {
        excess = static_cast<uint32_t>(level - completedRelicLevel);
        level = completedRelicLevel;
    }
    SetRelicLevel(static_cast<uint32_t>(level));
    if (!IsComplete()) {
        PlaySound(RelicToRelic);
        return excess;
    }
    skillAugment.LoadFromFile(GetObjectName());
    std::string bonus;
    if (gGameEngine != nullptr) {
        LootRandomizerTable table;
        table.ManualLoad(bonusTableName);
        table.GetRandomizerName(bonus, gGameEngine->GetRandomGen());
    }
    SetRelicInfo(GetItemInfo().relicName, bonus, relicLevel);
    LoadBonus();
    skillAugment.CreateItemSkills();
    PlaySound(RelicComplete);
    return excess;
}

void ItemRelic::PlaySound(Sound sound) const
{
    PlaySoundPak(sounds[sound], GetCoords());
}

bool ItemRelic::TestCompatibility(const ItemRelic* other) const
{
    return other != nullptr &&
           FileNameEqualsCString(GetObjectName().c_str(), other->GetObjectName().c_str()) &&
           !other->IsComplete();
}

bool ItemRelic::ItemUseFilter(const Entity* entity) const
{
    if (entity == nullptr)
        return false;
    for (size_t i = 0; i < kKindCount; ++i) {
        if (entity->GetClassInfo()->IsA(*kKindClasses[i]))
            return allowedKinds[i];
    }
    return false;
}

bool ItemRelic::CanRelicBeUsedOn(Entity* target, bool& needsConfirmation) const
{
    needsConfirmation = false;
    if (target == nullptr || target == this)
        return false;
    if (const ItemRelic* relic = DynamicCast<ItemRelic>(target))
        return !IsComplete() && TestCompatibility(relic);
    const ItemEquipment* equipment = DynamicCast<ItemEquipment>(target);
    if (equipment == nullptr)
        return false;
    if (equipment->HasRelic())
        return TestCompatibility(equipment->GetRelic());
    needsConfirmation = true;
    const ItemClassification own = equipment->GetItemClassification();
    if (own == ItemClassification_Epic || own == ItemClassification_Legendary)
        return false;
    return ItemUseFilter(target);
}

bool ItemRelic::UseRelicOn(Entity* target)
{
    bool needsConfirmation = false;
    if (!CanRelicBeUsedOn(target, needsConfirmation))
        return false;
    if (ItemRelic* relic = DynamicCast<ItemRelic>(target)) {
        SetRelicLevel(relic->AddToRelicLevel(relicLevel));
        return true;
    }
    auto* equipment = DynamicCast<ItemEquipment>(target);
    if (ItemRelic* held = equipment->GetRelic()) {
        const uint32_t excess = held->AddToRelicLevel(relicLevel);
        equipment->UpdateReplicaInfo();
        SetRelicLevel(excess);
    } else {
        equipment->AddRelic(GetObjectName(), GetItemInfo().relicBonus, relicLevel);
        SetRelicLevel(0);
    }
    PlaySound(RelicToItem);
    return true;
}

// ---- what the wearer gets ----

template <typename Accumulator>
void ItemRelic::AddBoth(Accumulator& accumulator,
                        void (AttributePak::*get)(Accumulator&, uint32_t) const) const
{
    (ownAttributes.*get)(accumulator, relicLevel);
    (bonusAttributes.*get)(accumulator, 1);
}

void ItemRelic::GetCharAttributes(CharAttributeAccumulator& accumulator) const
{
    AddBoth(accumulator, &AttributePak::GetCharAttributes);
}

void ItemRelic::GetSkillAttributes(SkillAttributeAccumulator& accumulator) const
{
    AddBoth(accumulator, &AttributePak::GetSkillAttributes);
}

void ItemRelic::GetOffensiveDamageAttributes(CombatAttributeAccumulator& accumulator) const
{
    AddBoth(accumulator, &AttributePak::GetOffensiveDamageAttributes);
}

void ItemRelic::GetOffensiveModifierAttributes(CombatAttributeAccumulator& accumulator) const
{
    AddBoth(accumulator, &AttributePak::GetOffensiveModifierAttributes);
}

void ItemRelic::GetRetaliationAttributes(CombatAttributeAccumulator& accumulator) const
{
    AddBoth(accumulator, &AttributePak::GetRetaliationAttributes);
}

void ItemRelic::GetDefenseAttributes(CombatAttributeAccumulator& accumulator) const
{
    AddBoth(accumulator, &AttributePak::GetDefenseAttributes);
}

void ItemRelic::ContributeRacialBonusDamage(const std::vector<std::string>& races,
                                            RacialBonus_Damage& damage) const
{
    if (ownRacialBonus != nullptr)
        ownRacialBonus->GetDamage(races, damage, relicLevel);
    if (bonusRacialBonus != nullptr)
        bonusRacialBonus->GetDamage(races, damage, 1);
}

void ItemRelic::ContributeRacialBonusDefense(const std::vector<std::string>& races,
                                             RacialBonus_Defense& defense) const
{
    if (ownRacialBonus != nullptr)
        ownRacialBonus->GetDefense(races, defense, relicLevel);
    if (bonusRacialBonus != nullptr)
        bonusRacialBonus->GetDefense(races, defense, 1);
}

void ItemRelic::InstallOnCharacter(Character& character) const
{
    skillAugment.InstallOnCharacter(character);
}

void ItemRelic::RemoveFromCharacter(Character& character) const
{
    skillAugment.RemoveFromCharacter(character);
}

// ---- requirements and price ----

void ItemRelic::GetRequirementInputs(const Character* character, float values[3],
                                     float& reduction) const
{
    const CharAttributeType stats[3] = {CharAttribute_Strength, CharAttribute_Dexterity,
                                        CharAttribute_Intelligence};
    reduction = 0.0f;
    for (int i = 0; i < 3; ++i)
        values[i] = character != nullptr ? character->GetTotalCharAttribute(stats[i]) : 0.0f;
    // The global reduction is the only one a relic knows.
    if (character != nullptr)
        reduction =
            std::max(0.0f, character->GetTotalCharAttribute(CharAttribute_GlobalReqReduction));
}

bool ItemRelic::AreRequirementsMet(const Character* character) const
{
    if (!Item::AreRequirementsMet(character))
        return false;
    float values[3];
    float reduction = 0.0f;
    GetRequirementInputs(character, values, reduction);
    const unsigned requirements[3] = {GetStrengthRequirement(), GetDexterityRequirement(),
                                      GetIntelligenceRequirement()};
    for (int i = 0; i < 3; ++i) {
        if (!MeetsRequirements(values[i], static_cast<float>(requirements[i]), reduction))
            return false;
    }
    return true;
}

void ItemRelic::GetUIRequirementText(const Character* character,
                                     std::vector<GameTextLine>& lines) const
{
    Item::GetUIRequirementText(character, lines);
    float values[3];
    float reduction = 0.0f;
    GetRequirementInputs(character, values, reduction);
    const unsigned requirements[3] = {GetStrengthRequirement(), GetDexterityRequirement(),
                                      GetIntelligenceRequirement()};
    const char* names[3] = {"Strength", "Dexterity", "Intelligence"};
    for (int i = 0; i < 3; ++i)
        GenerateRequirementText(values[i], static_cast<float>(requirements[i]), reduction, names[i],
                                lines);
}

uint32_t ItemRelic::GetItemCost(bool /*forStack*/) const
{
    const std::vector<int32_t>& costs = GetItemCostList();
    if (costs.empty())
        return 0;
    // Level 0, or a level past the list, prices as the last entry.
    const size_t index =
        relicLevel == 0 || relicLevel > costs.size() ? costs.size() - 1 : relicLevel - 1;
    const double c = std::max(costs[index], 0);
    const double cost = std::trunc(c * GetCostScalePercent() * 0.01 + c);
    if (!(cost > 0.0))
        return 0;
    return cost >= 4294967295.0 ? 0xFFFFFFFFu : static_cast<uint32_t>(cost);
}

// ---- pictures and text ----

GraphicsTexture* ItemRelic::GetBitmap() const
{
    return GraphicsEngine::Instance().LoadTexture(IsComplete() ? relicBitmap : shardBitmap);
}

GraphicsTexture* ItemRelic::GetRelicOverlayBitmap() const
{
    return GraphicsEngine::Instance().LoadTexture(overlayBitmap);
}

void ItemRelic::GetUIBitmapText(std::wstring& text) const
{
    if (!IsComplete())
        text +=
            LocalizationManager::Instance().Format("IntFormat", static_cast<int32_t>(relicLevel));
}

std::unique_ptr<CursorHandler> ItemRelic::CreateSecondaryCursorHandler(const Character* character)
{
    if (!AreRequirementsMet(character))
        return nullptr;
    return std::make_unique<CursorHandlerRelicCombine>();
}

void ItemRelic::AddNumberLine(std::vector<GameTextLine>& lines) const
{
    const LocalizationManager& text = LocalizationManager::Instance();
    lines.emplace_back(GameTextClass::ItemRelicNumber,
                       IsComplete() ? text.Format(tags.complete)
                                    : text.Format(tags.ratio, text.Format(tags.shard).c_str(),
                                                  static_cast<int32_t>(relicLevel),
                                                  static_cast<int32_t>(completedRelicLevel)),
                       false);
}

// The own attributes and, once complete, the bonus under its title: what the relic shows alone
// and inside the equipment holding it.
void ItemRelic::AddAttributeLines(bool separateBonus, std::vector<GameTextLine>& lines) const
{
    ownAttributes.GetUIDisplayText(relicLevel, GameTextClass::ItemRelicBonus, lines);
    if (ownRacialBonus != nullptr)
        ownRacialBonus->GetUIDisplayText(relicLevel, GameTextClass::ItemRelicBonus, lines);
    if (!IsComplete())
        return;
    if (separateBonus)
        AddSeparator(lines);
    const size_t title = lines.size();
    lines.emplace_back(GameTextClass::ItemRelicCompleteTitle,
                       LocalizationManager::Instance().Format(tags.bonus), false);
    bonusAttributes.GetUIDisplayText(1, GameTextClass::ItemRelicBonus, lines);
    skillAugment.GetUIDisplayText(GameTextClass::ItemRelicBonus, lines);
    if (bonusRacialBonus != nullptr)
        bonusRacialBonus->GetUIDisplayText(1, GameTextClass::ItemRelicBonus, lines);
    if (lines.size() == title + 1)
        lines.pop_back();
}

void ItemRelic::GetUIDisplayText(const Character* character, std::vector<GameTextLine>& lines) const
{
    const LocalizationManager& text = LocalizationManager::Instance();
    GetUIGameDescription(lines);
    AddNumberLine(lines);
    lines.emplace_back(GameTextClass::ItemRelicDescription,
                       text.Format("SimpleStringFormat", GetItemText()), true);
    AddSeparator(lines);
    AddAttributeLines(true, lines);
    AddSeparator(lines);
    GetUIRequirementText(character, lines);
    if (!AreTextDirectionsSuppressed())
        lines.emplace_back(
            GameTextClass::ItemDirections,
            text.Format(AreRequirementsMet(character) ? tags.directions : tags.error), false);
}

void ItemRelic::GetBoundUIDisplayText(const Character* /*character*/,
                                      std::vector<GameTextLine>& lines) const
{
    GetUIGameDescription(lines);
    AddNumberLine(lines);
    AddAttributeLines(false, lines);
}

} // namespace GAME
