#pragma once

#include "characters/AttributePak.h"
#include "combat/RacialBonus.h"
#include "items/Item.h"
#include "items/ItemSkillAugment.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class CharAttributeAccumulator;
class Entity;

// A relic is made of shards: each shard is a relic of level 1 or more, and shards of one record
// dropped onto each other add up until the completion level, when the relic rolls its bonus.
// Complete or not, it can be set into a piece of equipment that holds none yet. The shard count
// travels as var1 of the replica record, the bonus as relicBonus.
class ItemRelic : public Item {
    GAME_DECLARE_CLASS(ItemRelic)

public:
    // The fourteen kinds of equipment a record may allow, in the order of its keys.
    static constexpr size_t kKindCount = 14;
    // The localisation tags of the kind's texts.
    struct TextTags {
        const char* shard;
        const char* complete;
        const char* ratio;
        const char* bonus;
        const char* directions;
        const char* error;
    };

    ItemRelic();
    ~ItemRelic() override;

    void Load(const LoadTable& table) override;
    void InitializeItem() override;
    std::unique_ptr<CursorHandler>
    CreateSecondaryCursorHandler(const Character* character) override;
    GraphicsTexture* GetBitmap() const override;
    void GetUIBitmapText(std::wstring& text) const override;
    void GetUIDisplayText(const Character* character,
                          std::vector<GameTextLine>& lines) const override;
    void GetUIRequirementText(const Character* character,
                              std::vector<GameTextLine>& lines) const override;
    bool AreRequirementsMet(const Character* character) const override;
    void GetSkillAttributes(SkillAttributeAccumulator& accumulator) const override;
    void GetOffensiveDamageAttributes(CombatAttributeAccumulator& accumulator) const override;
    void GetOffensiveModifierAttributes(CombatAttributeAccumulator& accumulator) const override;
    void GetRetaliationAttributes(CombatAttributeAccumulator& accumulator) const override;
    void GetDefenseAttributes(CombatAttributeAccumulator& accumulator) const override;
    void ContributeRacialBonusDamage(const std::vector<std::string>& races,
                                     RacialBonus_Damage& damage) const override;
    void ContributeRacialBonusDefense(const std::vector<std::string>& races,
                                      RacialBonus_Defense& defense) const override;
    uint32_t GetItemCost(bool forStack) const override;

    virtual GraphicsTexture* GetRelicOverlayBitmap() const;
    // The relic's part of the tooltip of the equipment holding it.
    virtual void GetBoundUIDisplayText(const Character* character,
                                       std::vector<GameTextLine>& lines) const;
    virtual void SetRelicLevel(uint32_t level);
    virtual uint32_t GetRelicLevel() const { return relicLevel; }
    virtual bool IsComplete() const { return relicLevel >= completedRelicLevel; }
    // Onto a relic, onto bare equipment or onto equipment holding a relic; false when refused.
    // What becomes of a relic left at level 0 is the caller's business.
    virtual bool UseRelicOn(Entity* target);
    // needsConfirmation: the relic would go into equipment for good.
    virtual bool CanRelicBeUsedOn(Entity* target, bool& needsConfirmation) const;

    // The own attributes at the relic level, then the bonus at level 1.
    void GetCharAttributes(CharAttributeAccumulator& accumulator) const;
    void InstallOnCharacter(Character& character) const;
    void RemoveFromCharacter(Character& character) const;
    uint32_t GetCompletedRelicLevel() const { return completedRelicLevel; }
    const std::string& GetRelicBonus() const { return GetItemInfo().relicBonus; }
    uint32_t GetSoundId(int index) const { return sounds[index]; }

protected:
    explicit ItemRelic(const TextTags& tags);

    // Returns the shards that did not fit.
    virtual uint32_t AddToRelicLevel(uint32_t shards);
    virtual bool TestCompatibility(const ItemRelic* other) const;
    virtual bool ItemUseFilter(const Entity* entity) const;

private:
    enum Sound { RelicToRelic, RelicToItem, RelicComplete, SoundCount };

    // The own attributes at the relic level, then the bonus at level 1.
    template <typename Accumulator>
    void AddBoth(Accumulator& accumulator,
                 void (AttributePak::*get)(Accumulator&, uint32_t) const) const;
    // The bonus record's attributes, augment and racial bonus, once one was rolled.
    void LoadBonus();
    void AddNumberLine(std::vector<GameTextLine>& lines) const;
    void AddAttributeLines(bool separateBonus, std::vector<GameTextLine>& lines) const;
    void GetRequirementInputs(const Character* character, float values[3], float& reduction) const;
    void PlaySound(Sound sound) const;

    uint32_t relicLevel = 1;
    uint32_t completedRelicLevel = 0;
    std::string shardBitmap;
    std::string relicBitmap;
    std::string overlayBitmap;
    AttributePak ownAttributes;
    AttributePak bonusAttributes;
    std::string bonusTableName;
    ItemSkillAugment skillAugment;
    std::unique_ptr<RacialBonus> ownRacialBonus;
    std::unique_ptr<RacialBonus> bonusRacialBonus;
    // Sound pack object ids; 0 when absent.
    std::array<uint32_t, SoundCount> sounds{};
    std::array<bool, kKindCount> allowedKinds{};
    TextTags tags;
};

// Animal parts: relics under other names.
class ItemCharm : public ItemRelic {
    GAME_DECLARE_CLASS(ItemCharm)

public:
    ItemCharm();
};

} // namespace GAME
