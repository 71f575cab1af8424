#pragma once

#include "core/EquationInterface.h"
#include "engine/Actor.h"
#include "items/ItemClassification.h"
#include "items/ItemReplicaInfo.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace GAME {

class Character;
class CollisionData;
class CombatAttributeAccumulator;
class CursorHandler;
class EffectEntity;
class GraphicsAnim;
class GraphicsTexture;
class LoadTable;
class WorldCoords;
struct GameTextLine;
struct RacialBonus_Damage;
struct RacialBonus_Defense;
class SkillAttributeAccumulator;
enum Character_Gender : int32_t;

// The kind a piece of equipment reports; a plain item is 0.
enum Item_Type : int32_t {
    ItemType_Plain = 0,
    ItemType_Head = 1,
    ItemType_Amulet = 2,
    ItemType_UpperBody = 3,
    ItemType_LowerBody = 4,
    ItemType_Ring = 5,
    ItemType_Forearm = 6,
    ItemType_Shield = 7,
    ItemType_Weapon = 8,
    ItemType_Clothing = 9,
};

// Which merchant stocks an item: 1-4 are the merchants' own sacks, 6-23 the stock categories.
// 5 never names a category.
enum Market_TypeEnum : int32_t {
    Market_Armor = 1,
    Market_MeleeWeapons = 2,
    Market_RangedWeapons = 3,
    Market_General = 4,
    Market_Axe = 6,
    Market_Bow = 7,
    Market_Mace = 8,
    Market_Spear = 9,
    Market_Staff = 10,
    Market_Sword = 11,
    Market_UsedWeapons = 12,
    Market_UsedWeaponsOther = 13,
    Market_Armband = 14,
    Market_BodyArmor = 15,
    Market_Greaves = 16,
    Market_Helm = 17,
    Market_Shield = 18,
    Market_UsedArmor = 19,
    Market_Ring = 20,
    Market_Bracelet = 21,
    Market_Amulet = 22,
    Market_UsedAndStaticMisc = 23,
};

// The base of everything a character can pick up, carry or equip. Every instance is named by
// its replica record, through which creation, level state, saves and replication rebuild the
// same item; each of those roads ends in `InitializeItem`, where the kinds roll from the seed.
class Item : public Actor, public EquationInterface<float> {
    GAME_DECLARE_CLASS(Item)

public:
    Item();
    ~Item() override;

    void Load(const LoadTable& table) override;
    void PreLoad(bool flag) override;
    void InitialUpdate() override;
    void UpdateSelf(int32_t elapsedMs) override;
    void AppendDetailMapData(std::vector<MinimapGameNugget>& list) const override;
    bool OccludesPathing() const override { return false; }
    void CollisionCallback(const CollisionData& data) override;
    bool ShouldServerSpawn() const override { return true; }
    void WriteReplicationData(NetPacketOutBuffer& out) override;
    void ReadReplicationData(NetPacketInBuffer& in) override;
    void ApplyReplicationData() override;
    bool ShouldSaveState() const override { return true; }
    void SaveState(BinaryWriter& writer) const override;
    bool RestoreState(BinaryReader& reader) override;
    void AnimationCallback(int32_t kind, const Name& name) override;
    virtual bool IncludeInMinimap() const;
    virtual bool GetShouldRenderAcrossPortals() const { return true; }
    virtual std::wstring GetGameDescription(bool flag) const;

    // The one way to make an item from a record: the object of the record's base name under
    // the record's id (0 takes a fresh one), then the record applied and the item initialized.
    // Null when the base names no record, a record of something else, or the id is taken.
    static Item* CreateItem(const ItemReplicaInfo& info);
    // The same for an item a save names, but null without a line when its record is missing:
    // a hostile save may name thousands, and the reader tells them in one.
    static Item* CreateSavedItem(const ItemReplicaInfo& info);

    // Takes the whole record but its id and base name, which stay the item's own.
    void SetItemReplicaInfo(const ItemReplicaInfo& info);

    // -- the item's own virtual operations --
    virtual void InitializeItem();
    virtual void PlayDropSound();
    virtual void PlayDropSoundWorld(uint32_t surface);
    // The next collision plays the drop sound.
    virtual void SetDropSoundToPlay();
    // The picture the bags show, which also sets the room the item takes in a sack. A plain
    // item has none.
    virtual GraphicsTexture* GetBitmap() const;
    virtual void GetUIBitmapText(std::wstring& text) const;
    virtual GraphicsTexture* GetUIBitmapOverlay() const { return nullptr; }
    virtual void GetUIDisplayText(const Character* character,
                                  std::vector<GameTextLine>& lines) const;
    virtual void GetUIGameDescription(std::vector<GameTextLine>& lines) const;
    virtual void SuppressTextDirections(bool suppress) { suppressTextDirections = suppress; }
    virtual void GetUIRequirementText(const Character* character,
                                      std::vector<GameTextLine>& lines) const;
    // What the item adds to its wearer; nothing here: equipment answers once it loads its
    // attribute stores.
    virtual void GetSkillAttributes(SkillAttributeAccumulator& accumulator) const;
    virtual void GetOffensiveDamageAttributes(CombatAttributeAccumulator& accumulator) const;
    virtual void GetOffensiveModifierAttributes(CombatAttributeAccumulator& accumulator) const;
    virtual void GetRetaliationAttributes(CombatAttributeAccumulator& accumulator) const;
    virtual void GetDefenseAttributes(CombatAttributeAccumulator& accumulator) const;
    virtual void ContributeRacialBonusDamage(const std::vector<std::string>& races,
                                             RacialBonus_Damage& damage) const;
    virtual void ContributeRacialBonusDefense(const std::vector<std::string>& races,
                                              RacialBonus_Defense& defense) const;
    virtual uint32_t GetLevelRequirement() const { return levelRequirement; }
    virtual uint32_t GetStrengthRequirement() const { return strengthRequirement; }
    virtual uint32_t GetDexterityRequirement() const { return dexterityRequirement; }
    virtual uint32_t GetIntelligenceRequirement() const { return intelligenceRequirement; }
    // The level only, lowered by the character's level-requirement reduction.
    virtual bool AreRequirementsMet(const Character* character) const;
    virtual Item_Type GetItemType() const { return ItemType_Plain; }
    virtual int32_t GetRightHandType() const { return 0; }
    virtual int32_t GetLeftHandType() const { return 0; }
    virtual Market_TypeEnum GetItemMarketType() const { return Market_General; }
    // Rides on the character at the attach point. An item with no point (a ring, an amulet)
    // still rides along, unseen.
    virtual void AttachItem(Character& character, const char* attachPoint);
    virtual void DetachItem(Character& character);
    virtual void UpdateReplicaInfo() {}
    virtual void GetItemReplicaInfo(ItemReplicaInfo& info) const;
    // The scaled base cost; the flag matters to stacks only.
    virtual uint32_t GetItemCost(bool forStack) const;
    virtual void DumpCostAttributes();
    virtual void GetFullItemDescription(std::wstring& text) const;
    virtual ItemClassification GetItemClassification() const { return classification; }
    // What the cursor carries when the item is picked up: the mover, for every kind.
    virtual std::unique_ptr<CursorHandler> CreatePrimaryCursorHandler(const Character* character);
    // A right click's use; none for most kinds.
    virtual std::unique_ptr<CursorHandler> CreateSecondaryCursorHandler(const Character* character);

    bool GetDesignerVariable(const char* name, float& value) override;

    unsigned GetItemLevel() const { return itemLevel; }
    void SetGender(Character_Gender value);
    Character_Gender GetGender() const { return gender; }
    // Strength, dexterity and intelligence against the record's own figures, the level against
    // the character's; failing those, whatever `AreRequirementsMet` says.
    bool IsItemAvailable(const Character* character, unsigned strength, unsigned dexterity,
                         unsigned intelligence) const;
    // A character may carry only one item of this record.
    bool CannotPickUpMultiple() const { return cannotPickUpMultiple; }
    void SetPickupOk(bool ok) { pickupOk = ok; }
    bool IsPickupOk() const { return pickupOk; }
    int32_t GetSparkleTimer() const { return sparkleTimer; }

protected:
    virtual void RandomizeItem();
    virtual float GetTotalAttrCostCount() const { return 0.0f; }

    // Whom the item is attached to; null when nobody (or when that character is gone).
    Character* GetCharacter() const;
    void SetItemClassification(const LoadTable& table);
    bool MeetsRequirements(float value, float requirement, float reductionPercent) const;
    void GenerateRequirementText(float value, float requirement, float reductionPercent,
                                 const char* tag, std::vector<GameTextLine>& lines) const;
    uint32_t GetBaseItemCost() const;
    void PickSparkleTime();
    void Sparkle();

public:
    // Sound packs are held by object id: the object manager owns them and may have destroyed
    // them already when the item goes. The id of the pack the key names; 0 when the key is
    // empty or its record is not a sound pack.
    static uint32_t LoadSoundPakFromTable(const LoadTable& table, const char* key,
                                          const char* fallback = "");
    // Destroys the pack (nothing for 0) and clears the id.
    static void DestroySoundPak(uint32_t& soundId, const char* sourceFile, int line);
    // Plays the pack at the position; nothing when it is absent.
    static void PlaySoundPak(uint32_t soundId, const WorldCoords& position);
    static void PreLoadSoundPak(uint32_t soundId, bool flag);

protected:
    // The picture of the kinds that have one.
    GraphicsTexture* LoadBitmap() const;

    // The trail some items leave in the world: made from the effect record "trailEffect" names,
    // not yet emitting, carried at the item's origin. Its object id; 0 when there is none.
    uint32_t LoadTrailEffect(const LoadTable& table);
    // Detaches and destroys the trail (nothing for 0) and clears the id.
    void DestroyTrailEffect(uint32_t& effectId, const char* sourceFile, int line);

    const ItemReplicaInfo& GetItemInfo() const { return itemInfo; }
    const std::vector<int32_t>& GetItemCostList() const { return itemCost; }
    const std::string& GetItemText() const { return itemText; }
    bool AreTextDirectionsSuppressed() const { return suppressTextDirections; }
    void SetRelicInfo(const std::string& name, const std::string& bonus, uint32_t var1);
    float GetCostScalePercent() const { return costScalePercent; }
    // Equipment rolls these from equations; the order is strength, dexterity, intelligence,
    // level.
    void SetRequirements(unsigned strength, unsigned dexterity, unsigned intelligence,
                         unsigned level);

    bool initialized = false;
    bool dropSoundPending = true;
    std::string bitmapName;
    ItemClassification classification = ItemClassification_Common;
    std::string prefixDisplayTag;
    std::string suffixDisplayTag;
    std::string idleAnimationName;
    // Object ids of the sound packs; 0 when absent.
    uint32_t dropSound = 0;
    uint32_t dropSound3D = 0;
    uint32_t dropSoundWater = 0;

private:
    void StartIdleAnimation();
    float LevelRequirementReduction(const Character* character) const;

    ItemReplicaInfo itemInfo;
    ItemReplicaInfo incomingInfo;
    std::vector<int32_t> itemCost;
    float costScalePercent = 0.0f;
    Character_Gender gender{};
    unsigned itemLevel = 0;
    unsigned strengthRequirement = 0;
    unsigned dexterityRequirement = 0;
    unsigned intelligenceRequirement = 0;
    unsigned levelRequirement = 0;
    std::string itemText;
    std::string descriptionTag;
    bool cannotPickUpMultiple = false;
    bool suppressTextDirections = false;
    bool pickupOk = true;
    uint32_t attachedTo = 0;
    int32_t sparkleTimer = 0;
    float sparkleMinimum = 3.0f;
    float sparkleMaximum = 5.0f;
    GraphicsAnim* idleAnimation = nullptr;
};

} // namespace GAME
