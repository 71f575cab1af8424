#include "game/GameEngine.h"

#include "characters/AttributePak.h"
#include "core/DesignerEquationLoader.h"
#include "core/DesignerEquation_Algebra.h"
#include "core/MathUtils.h"
#include "core/Saturate.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "world/GameCamera.h"

#include <cstring>

namespace GAME {

namespace {

// The colour conversion wrote into a buffer of 511 characters, its terminator included.
constexpr size_t kColorTextLength = 510;

std::wstring ToColorText(const std::string& text)
{
    std::wstring wide = LocalizationManager::ToWChar(text);
    if (wide.size() > kColorTextLength)
        wide.resize(kColorTextLength);
    return wide;
}

struct ItemColorKeys {
    ItemClassification classification;
    const char* colorKey;
    const char* sparkleKey;
    GameTextClass textClass;
};
// Common items (0) and 7 have no entry.
const ItemColorKeys kItemColorKeys[] = {
    {ItemClassification_Magical, "magicalItemColor", "magicalItemSparkle",
     GameTextClass::ItemNameMagical},
    {ItemClassification_Rare, "rareItemColor", "rareItemSparkle", GameTextClass::ItemNameRare},
    {ItemClassification_Epic, "epicItemColor", "epicItemSparkle", GameTextClass::ItemNameEpic},
    {ItemClassification_Legendary, "legendaryItemColor", "legendaryItemSparkle",
     GameTextClass::ItemNameLegendary},
    {ItemClassification_Broken, "brokenItemColor", "brokenItemSparkle",
     GameTextClass::ItemNameBroken},
    {ItemClassification_Potion, "potionItemColor", "potionItemSparkle",
     GameTextClass::ItemNamePotion},
    {ItemClassification_Relic, "relicItemColor", "relicItemSparkle", GameTextClass::ItemNameRelic},
    {ItemClassification_Quest, "questItemColor", "questItemSparkle", GameTextClass::ItemNameQuest},
};

const char* const kMonsterColorKeys[] = {"commonMonsterColor", "championMonsterColor",
                                         "heroMonsterColor", "bossMonsterColor"};
const char* const kMonsterWeightSuffixes[] = {"Common", "Champion", "Hero", "Boss"};
const char* const kChestWeightSuffixes[] = {"CommonChest", "ChampionChest", "HeroChest"};

// The five weights of one class, in the order of the modifier record's words.
RandomizerWeightModifiers ReadWeights(const LoadTable& table, const std::string& suffix)
{
    auto read = [&](const char* key) {
        return SaturateToInt(table.GetFloat((key + suffix).c_str(), 0.0f));
    };
    RandomizerWeightModifiers weights;
    weights.noPrefixNoSuffix = read("noPrefixNoSuffixModifier");
    weights.bothPrefixSuffix = read("bothPrefixSuffixModifier");
    weights.prefixOnly = read("prefixOnlyModifier");
    weights.suffixOnly = read("suffixOnlyModifier");
    weights.brokenOnly = read("brokenOnlyModifier");
    return weights;
}

template <typename Enum> struct EnumText {
    const char* text;
    Enum value;
};

template <typename Enum, size_t Count>
Enum ResolveEnum(const EnumText<Enum> (&table)[Count], const std::string& text)
{
    for (const EnumText<Enum>& entry : table) {
        if (text == entry.text)
            return entry.value;
    }
    return static_cast<Enum>(0);
}

} // namespace

void GameEngine::LoadFromDatabase(const std::string& recordName)
{
    ObjectManager& objects = ObjectManager::Instance();
    if (!objects.LoadTableFile(recordName))
        gEngine->Log(Engine::LogData, "GameEngine: could not load record '%s'", recordName.c_str());
    const LoadTable& table = objects.GetLoadTable(recordName);

    LoadTuning(table);
    LoadMarketSounds(table);
    LoadEquations(table);
    deathPenaltyMin = table.GetInt("deathPenaltyMin", 0);
    deathPenaltyMax = table.GetInt("deathPenaltyMax", 0);
    LoadItemAndMonsterColors(table);
    LoadCamera(table);

    const std::string monsterPak = table.GetString("monsterAttributePak", "");
    if (!monsterPak.empty())
        monsterAttributePak->LoadFromDatabase(monsterPak);
    const std::string playerPak = table.GetString("playerAttributePak", "");
    if (!playerPak.empty())
        playerAttributePak->LoadFromDatabase(playerPak);

    LoadInventorySacks(table);
    table.GetIntList("skillMasteryTierLevel", skillMasteryTierLevels);
    LoadGameTextStyles(table, gameTextStyles);
    LoadLootWeights(table);
}

void GameEngine::LoadTuning(const LoadTable& table)
{
    // A record without ranges means 0.
    armorDefensiveAbsorption = table.GetFloat("armorDefensiveAbsorption", 0.0f);
    meleeRange = table.GetFloat("meleeRange", 0.0f);
    shortRange = table.GetFloat("shortRange", 0.0f);
    moderateRange = table.GetFloat("moderateRange", 0.0f);
    longRange = table.GetFloat("longRange", 0.0f);
    maximumRange = table.GetFloat("maximumRange", 0.0f);
    minRotationSpeed = table.GetFloat("minRotationSpeed", 0.0f);
    maxRotationSpeed = table.GetFloat("maxRotationSpeed", 0.0f);
    pathSlowdownLength = table.GetFloat("pathSlowdownLength", 0.0f);
    minPlayerRotationSpeed = table.GetFloat("minPlayerRotationSpeed", 0.0f);
    maxPlayerRotationSpeed = table.GetFloat("maxPlayerRotationSpeed", 0.0f);
    playerPathSlowdownLength = table.GetFloat("playerPathSlowdownLength", 0.0f);
}

void GameEngine::LoadMarketSounds(const LoadTable& table)
{
    // A record that makes something other than a sound pack is destroyed again on creation.
    auto create = [](const std::string& record) -> uint32_t {
        if (record.empty())
            return 0;
        SoundPak* sound = ObjectManager::Instance().CreateObjectFromFile<SoundPak>(record);
        return sound != nullptr ? sound->GetObjectId() : 0;
    };
    marketPurchaseSoundId = create(table.GetString("marketPurchaseSound", ""));
    marketSaleSoundId = create(table.GetString("marketSaleSound", ""));
}

void GameEngine::LoadEquations(const LoadTable& table)
{
    constexpr const char* kFailure = "-=- GameEngine Equation load failure : %s ";
    experienceEquation = LoadDesignerEquation(table, "experienceEquation", this, kFailure);
    deathPenaltyEquation = LoadDesignerEquation(table, "deathPenaltyEquation", this, kFailure);
}

void GameEngine::LoadItemAndMonsterColors(const LoadTable& table)
{
    // "commonItemColor" gives no entry: common items keep the empty defaults.
    for (const ItemColorKeys& keys : kItemColorKeys) {
        itemClassifications.try_emplace(
            keys.classification,
            ItemClassificationInfo{ToColorText(table.GetString(keys.colorKey, "")),
                                   table.GetString(keys.sparkleKey, ""), keys.textClass});
    }
    itemForearmAnimationName = table.GetString("itemForearmAnimationName", "");

    for (int32_t i = 0; i < 4; ++i) {
        monsterColors.try_emplace(static_cast<MonsterClassification>(i),
                                  ToColorText(table.GetString(kMonsterColorKeys[i], "")));
    }
}

void GameEngine::LoadCamera(const LoadTable& table)
{
    const float distanceMin = table.GetFloat("CameraDistanceMin", 0.0f);
    const float distanceMax = table.GetFloat("CameraDistanceMax", 0.0f);
    const float pitchMin = table.GetFloat("CameraPitchMin", 0.0f);
    const float pitchMax = table.GetFloat("CameraPitchMax", 0.0f);
    const float distanceDefault = table.GetFloat("CameraDistanceDefault", 0.0f);
    const float pitchDefault = table.GetFloat("CameraPitchDefault", 0.0f);
    camera->SetCameraDistanceDefault(distanceDefault);
    camera->SetCameraPitchDefault(pitchDefault);
    camera->SetCameraDistance(distanceDefault);
    camera->SetCameraPitch(DegreesToRadians(pitchDefault));
    camera->SetMovementExtents(distanceMin, distanceMax, pitchMin, pitchMax);
}

void GameEngine::LoadInventorySacks(const LoadTable& table)
{
    // The record gives sizes for the full-size screen; a headless engine has no graphics engine
    // that could be downsizing, so they stand as read.
    inventorySackDims[0] =
        Vec2(static_cast<float>(table.GetInt("UICharWindowInventorySack0DimsX", 0)),
             static_cast<float>(table.GetInt("UICharWindowInventorySack0DimsY", 0)));
    inventorySackDims[1] =
        Vec2(static_cast<float>(table.GetInt("UICharWindowInventorySack1DimsX", 0)),
             static_cast<float>(table.GetInt("UICharWindowInventorySack1DimsY", 0)));
}

void GameEngine::LoadLootWeights(const LoadTable& table)
{
    // Saturated rather than cast: a designer's huge or not-a-number weight must not become
    // undefined behaviour. Truncation toward zero is kept (2.9 gives 2, -1.5 gives -1).
    for (int32_t i = 0; i < 4; ++i) {
        monsterLootWeights.try_emplace(static_cast<MonsterClassification>(i),
                                       ReadWeights(table, kMonsterWeightSuffixes[i]));
    }
    for (int32_t i = 0; i < 3; ++i) {
        chestLootWeights.try_emplace(static_cast<ChestClassification>(i),
                                     ReadWeights(table, kChestWeightSuffixes[i]));
    }
}

const Vec2& GameEngine::GetInventorySackDims(int sack) const
{
    return sack == 0 ? inventorySackDims[0] : inventorySackDims[1];
}

std::wstring GameEngine::GetItemColorText(ItemClassification classification) const
{
    auto found = itemClassifications.find(classification);
    return found == itemClassifications.end() ? std::wstring() : found->second.colorText;
}

std::string GameEngine::GetItemSparkleName(ItemClassification classification) const
{
    auto found = itemClassifications.find(classification);
    return found == itemClassifications.end() ? std::string() : found->second.sparkleName;
}

GameTextClass GameEngine::GetItemTextClass(ItemClassification classification) const
{
    auto found = itemClassifications.find(classification);
    return found == itemClassifications.end() ? GameTextClass::ItemNameCommon
                                              : found->second.textClass;
}

std::wstring GameEngine::GetMonsterColorText(MonsterClassification classification) const
{
    auto found = monsterColors.find(classification);
    return found == monsterColors.end() ? std::wstring() : found->second;
}

void GameEngine::GetMonsterLootWeightModifiers(MonsterClassification classification,
                                               RandomizerWeightModifiers& out) const
{
    auto found = monsterLootWeights.find(classification);
    if (found != monsterLootWeights.end())
        out = found->second;
}

void GameEngine::GetChestLootWeightModifiers(ChestClassification classification,
                                             RandomizerWeightModifiers& out) const
{
    auto found = chestLootWeights.find(classification);
    if (found != chestLootWeights.end())
        out = found->second;
}

std::string GameEngine::GetGameTextStyleName(GameTextClass style) const
{
    return gameTextStyles.GetStyleName(style);
}

float GameEngine::GetGameTextStyleIndent(GameTextClass style) const
{
    return gameTextStyles.GetStyleIndent(style);
}

bool GameEngine::GetDesignerVariable(const char* name, float& value)
{
    value = 0.0f;
    if (name == nullptr)
        return false;
    // Equations ask on every evaluation: the first letters pick the one candidate, and a single
    // whole-string comparison confirms it.
    const char* expected = nullptr;
    const uint32_t* variable = nullptr;
    switch (name[0]) {
    case 'a':
        expected = "averagePlayerLevel";
        variable = &playerInfo.averagePlayerLevel;
        break;
    case 'c':
        expected = "currentPlayerLevel";
        variable = &currentPlayerLevel;
        break;
    case 'g':
        expected = "gameDifficultyDV";
        variable = &playerInfo.gameDifficulty;
        break;
    case 'n':
        expected = "numberOfPlayers";
        variable = &playerInfo.numberOfPlayers;
        break;
    case 'm':
        switch (name[1]) {
        case 'i':
            expected = "minPlayerLevel";
            variable = &playerInfo.minPlayerLevel;
            break;
        case 'a':
            expected = "maxPlayerLevel";
            variable = &playerInfo.maxPlayerLevel;
            break;
        case 'o': {
            // The two monster names part at their eighth letter.
            const bool level = strncmp(name, "monsterL", 8) == 0;
            expected = level ? "monsterLevel" : "monsterExperience";
            variable = level ? &monsterLevel : &monsterExperience;
            break;
        }
        default:
            return false;
        }
        break;
    default:
        return false;
    }
    if (strcmp(name, expected) != 0)
        return false;
    value = static_cast<float>(*variable);
    return true;
}

const char* GameEngine::GetGameDifficultyAsString(GameDifficulty difficulty)
{
    switch (difficulty) {
    case GameDifficulty_Normal:
        return "Normal";
    case GameDifficulty_Epic:
        return "Epic";
    case GameDifficulty_Legendary:
        return "Legendary";
    }
    return "Invalid";
}

ItemClassification GameEngine::ResolveItemClassificationEnum(const std::string& text)
{
    static const EnumText<ItemClassification> table[] = {
        {"Common", ItemClassification_Common},       {"Magical", ItemClassification_Magical},
        {"Rare", ItemClassification_Rare},           {"Epic", ItemClassification_Epic},
        {"Legendary", ItemClassification_Legendary}, {"Broken", ItemClassification_Broken},
        {"Potion", ItemClassification_Potion},       {"Relic", ItemClassification_Relic},
        {"Quest", ItemClassification_Quest}};
    return ResolveEnum(table, text);
}

MonsterClassification GameEngine::ResolveMonsterClassificationEnum(const std::string& text)
{
    static const EnumText<MonsterClassification> table[] = {
        {"Common", MonsterClassification_Common},
        {"Champion", MonsterClassification_Champion},
        {"Hero", MonsterClassification_Hero},
        {"Boss", MonsterClassification_Boss}};
    return ResolveEnum(table, text);
}

ChestClassification GameEngine::ResolveChestClassificationEnum(const std::string& text)
{
    static const EnumText<ChestClassification> table[] = {
        {"Common", ChestClassification_Common},
        {"Champion", ChestClassification_Champion},
        {"Hero", ChestClassification_Hero}};
    return ResolveEnum(table, text);
}

} // namespace GAME
