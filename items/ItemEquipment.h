#pragma once

#include "characters/CharAttributeStore_Equipment.h"
#include "characters/CharAttributeType.h"
#include "combat/DamageAttributeStore_Equipment.h"
#include "combat/DefenseAttributeStore_Equipment.h"
#include "combat/RacialBonus.h"
#include "combat/RetaliationAttributeStore_Equipment.h"
#include "core/DesignerEquation.h"
#include "items/CostInfo_CharacterAttributes.h"
#include "items/CostInfo_DamageAttributes.h"
#include "items/CostInfo_DefenseAttributes.h"
#include "items/CostInfo_RetaliationAttributes.h"
#include "items/CostInfo_SkillAttributes.h"
#include "items/Item.h"
#include "items/ItemSkillAugment.h"
#include "skills/SkillAttributeStore_Equipment.h"

#include <memory>
#include <string>
#include <vector>

namespace GAME {

class CharAttributeAccumulator;
class ItemRelic;

// An item that is worn or wielded. Everything it gives is rolled in `InitializeItem` from its
// record, its affixes and one generator seeded from the replica record, so every machine that
// applies the same record rolls the same item, and the price follows from what was rolled.
class ItemEquipment : public Item {
    GAME_DECLARE_CLASS(ItemEquipment)

public:
    ItemEquipment();
    ~ItemEquipment() override;

    void Load(const LoadTable& table) override;
    void InitializeItem() override;
    GraphicsTexture* GetBitmap() const override;
    void GetUIDisplayText(const Character* character,
                          std::vector<GameTextLine>& lines) const override;
    void GetUIRequirementText(const Character* character,
                              std::vector<GameTextLine>& lines) const override;
    void GetSkillAttributes(SkillAttributeAccumulator& accumulator) const override;
    void GetOffensiveDamageAttributes(CombatAttributeAccumulator& accumulator) const override;
    void GetOffensiveModifierAttributes(CombatAttributeAccumulator& accumulator) const override;
    void GetRetaliationAttributes(CombatAttributeAccumulator& accumulator) const override;
    void GetDefenseAttributes(CombatAttributeAccumulator& accumulator) const override;
    void ContributeRacialBonusDamage(const std::vector<std::string>& races,
                                     RacialBonus_Damage& damage) const override;
    void ContributeRacialBonusDefense(const std::vector<std::string>& races,
                                      RacialBonus_Defense& defense) const override;
    bool AreRequirementsMet(const Character* character) const override;
    void AttachItem(Character& character, const char* attachPoint) override;
    void DetachItem(Character& character) override;
    uint32_t GetItemCost(bool forStack) const override;
    void DumpCostAttributes() override;

    bool GetDesignerVariable(const char* name, float& value) override;

    virtual void GetCharAttributes(CharAttributeAccumulator& accumulator) const;
    virtual void InitializeEquipmentSpecial(const LoadTable* prefix, const LoadTable* suffix);
    virtual void CreateUIAttributeText(std::vector<GameTextLine>& lines) const;

    // The old relic's bonuses leave the wearer and it is destroyed; a name that makes no relic
    // leaves the slot empty, while the record keeps the names given.
    void AddRelic(const std::string& relicName, const std::string& relicBonus, uint32_t var1);
    bool HasRelic() const { return GetRelic() != nullptr; }
    ItemRelic* GetRelic() const;
    // The record follows the relic held, and the wearer its grown bonuses.
    void UpdateReplicaInfo() override;
    ItemClassification GetItemClassification() const override;
    GraphicsTexture* GetUIBitmapOverlay() const override;
    uint32_t GetStrengthRequirement() const override;
    uint32_t GetDexterityRequirement() const override;
    uint32_t GetIntelligenceRequirement() const override;

    const std::string& GetItemSetName() const { return itemSetName; }
    const ItemSkillAugment& GetSkillAugment() const { return skillAugment; }
    const CostInfo_CharacterAttributes& GetCharacterCost() const { return characterCost; }
    float GetMarketAdjustmentPercent() const { return marketAdjustmentPercent; }

protected:
    void SetStrengthEquation(const std::string& text);
    void SetDexterityEquation(const std::string& text);
    void SetIntelligenceEquation(const std::string& text);
    void SetLevelRequirementEquation(const std::string& text);
    void SetItemCostEquation(const std::string& text);
    void CreateItemRacialBonus(const LoadTable& table);
    void GetUIDisplayText_RacialBonus(std::vector<GameTextLine>& lines) const;
    float GetTotalAttrCostCount() const override;
    // A line of class "Default" holding one blank: what parts the tooltip's sections.
    static void AddSeparator(std::vector<GameTextLine>& lines);
    // The name from one of two localised formats: the magical one when an affix tag is shown.
    std::wstring FormatName(const char* magicalFormat, const char* commonFormat) const;
    std::wstring GetGameDescriptionFrom(const char* magicalFormat, const char* commonFormat) const;
    void AddNameLine(const char* magicalFormat, const char* commonFormat,
                     std::vector<GameTextLine>& lines) const;

    // Every store's text at level 1, in the lists the stores give it.
    struct StoreText {
        std::vector<std::wstring> damage[3];
        std::vector<std::wstring> retaliation[3];
        std::vector<std::wstring> defense[2];
        std::vector<std::wstring> character[2];
        std::vector<std::wstring> skill;
    };
    void CreateStoreText(StoreText& text) const;
    static void AddLines(const std::vector<std::wstring>& texts, GameTextClass textClass,
                         std::vector<GameTextLine>& lines);
    // No section follows the last separator, so it goes.
    static void RemoveTrailingSeparator(std::vector<GameTextLine>& lines);

    // The kind's four requirement keys are the prefix followed by "StrengthEquation",
    // "DexterityEquation", "IntelligenceEquation" and "LevelEquation".
    void SetRequirementEquationKeys(const std::string& prefix);
    void SetKindReductions(CharAttributeType strength, CharAttributeType dexterity,
                           CharAttributeType intelligence);

    CostInfo_CharacterAttributes characterCost;
    CostInfo_SkillAttributes skillCost;
    CostInfo_DefenseAttributes defenseCost;
    CostInfo_DamageAttributes damageCost;
    CostInfo_RetaliationAttributes retaliationCost;
    CostInfo_AugmentAttributes augmentCost;
    CostInfo_ShieldAttributes shieldCost;
    std::vector<std::unique_ptr<RacialBonus>> racialBonuses;
    std::string costEquationKey;
    std::string dexterityEquationKey;
    std::string strengthEquationKey;
    std::string intelligenceEquationKey;
    std::string levelRequirementEquationKey;
    bool isArmor = false;
    int32_t bodyRegion = 0;
    std::string nameTag;
    std::string qualityTag;
    std::string styleTag;
    float attributeScalePercent = 0.0f;
    CharAttributeType familyStrengthReduction{};
    CharAttributeType familyDexterityReduction{};
    CharAttributeType familyIntelligenceReduction{};
    CharAttributeType kindStrengthReduction{};
    CharAttributeType kindDexterityReduction{};
    CharAttributeType kindIntelligenceReduction{};
    CharAttributeStore_Equipment characterStore;
    SkillAttributeStore_Equipment skillStore;
    DamageAttributeStore_Equipment damageStore;
    RetaliationAttributeStore_Equipment retaliationStore;
    DefenseAttributeStore_Equipment defenseStore;
    // One generator, lent to the five stores for one roll, keeps every machine's roll alike.
    void LendGenerator(RandomUniform* random);
    void RollStores(const LoadTable& base, const LoadTable* prefix, const LoadTable* suffix);

private:
    using Equation = std::unique_ptr<DesignerEquation<float>>;
    void SetEquation(Equation& equation, const std::string& text, const char* failure);
    void ResetRoll();
    float ReadAffix(const LoadTable& table, std::string& displayTag, int32_t& cost, unsigned& level,
                    bool hideName);
    void FillCostRecords();
    void ComputeRequirements(unsigned prefixLevel, unsigned suffixLevel);
    void GetReductions(const Character* character, float values[3], float reductions[3]) const;

    Equation strengthEquation;
    Equation dexterityEquation;
    Equation intelligenceEquation;
    Equation levelRequirementEquation;
    Equation costEquation;
    std::string bitmap;
    std::string bitmapFemale;
    std::string itemSetName;
    ItemSkillAugment skillAugment;
    uint32_t relicId = 0;
    bool hidePrefixName = false;
    bool hideSuffixName = false;
    uint32_t calculatedCost = 0;
    int32_t prefixCost = 0;
    int32_t suffixCost = 0;
    float marketAdjustmentPercent = 0.0f;
    // The requirements as the record set them, which a fresh roll starts from again.
    unsigned recordRequirements[4] = {0, 0, 0, 0};
};

} // namespace GAME
