// How a fixed item's use travels.
//
// A character's use action calls `FixedItem::RequestToUse` on every machine, but only the
// machine of the game logic (single player or server) has a controller. The controller keeps
// the touching actor and lets its kind decide: a chest opens, a door swings, a shrine wakes.
// The decision is a config command queued on the item; `Actor::Enqueue` runs it here and sends
// it on, so every machine plays the same `SetFixedItemState`. Loot never travels as a command:
// the deciding machine rolls it with the shared generator and hands each item to
// `GameEngine::CreateItem`, which spreads it. A trap skill waits its delay in `Update`, asks
// the skill for its targets here and sends them in a `FixedItemSkillTargetConfigCmd`, even an
// empty list, since the skill's firing is shown on every machine either way.
//
// Record numbers are the designers' and may be anything: equation results saturate, weights
// sum wide and the roll count is capped, so a broken record drops too little, never forever.
#include "world/FixedItemController.h"

#include "characters/Character.h"
#include "core/DesignerEquation_Algebra.h"
#include "core/RandomUniform.h"
#include "core/Saturate.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "items/GoldGenerator.h"
#include "items/ItemReplicaInfo.h"
#include "items/LootLoader.h"
#include "items/RandomizerWeightModifiers.h"
#include "multiplayer/PartyManager.h"
#include "world/FixedItemConfigCommands.h"
#include "world/FixedItemSkill.h"

#include <algorithm>
#include <vector>

namespace GAME {

namespace {

constexpr const char* kLoadFailure = "-=- Fixed Item Controller Equation load failure : %s";

struct LootSlotKeys {
    const char* chance;
    const char* name;
    const char* weight;
};

constexpr LootSlotKeys kSlotKeys[FixedItemController::kLootSlots] = {
    {"loot1Chance", "loot1Name", "loot1Weight"}, {"loot2Chance", "loot2Name", "loot2Weight"},
    {"loot3Chance", "loot3Name", "loot3Weight"}, {"loot4Chance", "loot4Name", "loot4Weight"},
    {"loot5Chance", "loot5Name", "loot5Weight"}, {"loot6Chance", "loot6Name", "loot6Weight"}};

} // namespace

FixedItemController::~FixedItemController() = default;

bool FixedItemController::GetDesignerVariable(const char* name, float& value)
{
    value = 0.0f;
    if (IsDesignerName(name, "averagePlayerLevel"))
        value = static_cast<float>(playerInfo.averagePlayerLevel);
    else if (IsDesignerName(name, "minPlayerLevel"))
        value = static_cast<float>(playerInfo.minPlayerLevel);
    else if (IsDesignerName(name, "maxPlayerLevel"))
        value = static_cast<float>(playerInfo.maxPlayerLevel);
    else if (IsDesignerName(name, "numberOfPlayers"))
        value = static_cast<float>(playerInfo.numberOfPlayers);
    else if (IsDesignerName(name, "gameDifficulty"))
        value = static_cast<float>(playerInfo.gameDifficulty);
    else if (IsDesignerName(name, "proxyLevel"))
        value = static_cast<float>(GetProxyLevel());
    else
        return false;
    return true;
}

void FixedItemController::HasBeenTouchedByActor(uint32_t actor)
{
    touchingActor = actor;
    TouchedByActor();
}

void FixedItemController::RunSkill()
{
    if (parent != nullptr && parent->GetSkill() != nullptr)
        skillCountdown = parent->GetSkillDelay();
}

void FixedItemController::Update(int32_t ms)
{
    if (skillCountdown <= 0)
        return;
    skillCountdown = AddSaturating(skillCountdown, -ms);
    if (skillCountdown >= 1 || parent == nullptr)
        return;
    std::vector<uint32_t> targets;
    if (FixedItemSkill* skill = parent->GetSkill())
        skill->GetTargets(touchingActor, targets);
    Queue(std::make_unique<FixedItemSkillTargetConfigCmd>(parent->GetObjectId(), touchingActor,
                                                          targets));
}

void FixedItemController::Queue(std::unique_ptr<ActorConfigCommand> command)
{
    if (parent != nullptr)
        parent->Enqueue(std::move(command));
}

void FixedItemController::QueueStateChange(FixedItem_State state, uint32_t user)
{
    if (parent != nullptr)
        Queue(std::make_unique<FixedItemStateChangeConfigCmd>(parent->GetObjectId(), state, user,
                                                              true));
}

void FixedItemController::CreateAtDropCoords(ItemReplicaInfo info, bool newSeed)
{
    if (parent == nullptr || gGameEngine == nullptr)
        return;
    info.id = ObjectManager::Instance().CreateObjectID();
    if (newSeed)
        info.seed = static_cast<uint32_t>(gGameEngine->GetRandomSeed());
    gGameEngine->CreateItem(parent->GetLootDropCoords(), info);
}

void FixedItemController::DropAdditionalItems(const ItemReplicaInfo& info, uint32_t count)
{
    if (parent == nullptr || gGameEngine == nullptr)
        return;
    // The first copy is the record as given; one id names one object, so the others take
    // their own.
    gGameEngine->CreateItem(parent->GetLootDropCoords(), info);
    for (uint32_t copy = 1; copy < count; ++copy)
        CreateAtDropCoords(info, false);
}

int32_t FixedItemController::EvaluateEquation(const std::string& text, const char* what)
{
    if (text.empty())
        return 0;
    DesignerEquation_Algebra equation;
    if (!equation.ParseEquation(text.c_str(), this)) {
        gEngine->Log(Engine::LogData, kLoadFailure, what);
        return 0;
    }
    return SaturateToInt(equation());
}

void FixedItemController::CalculateFixedItemLevel(const LoadTable& record)
{
    fixedItemLevel = 0;
    const std::string file = record.GetString("levelEquationFile", "");
    if (file.empty())
        return;
    ObjectManager& objects = ObjectManager::Instance();
    objects.LoadTableFile(file);
    const std::string text = objects.GetLoadTable(file).GetString("levelEquation", "");
    fixedItemLevel = static_cast<uint32_t>(Max(EvaluateEquation(text, "levelEquation"), 0));
}

std::string FixedItemController::PickLootRecord(const LoadTable& record) const
{
    std::vector<std::string> tables;
    record.GetStringList("tables", tables);
    if (tables.empty())
        return std::string();
    return tables[std::min<size_t>(fixedItemLevel, tables.size() - 1)];
}

void FixedItemController::LoadDropLoot()
{
    if (gGameEngine == nullptr || parent == nullptr)
        return;
    gGameEngine->GetPlayerInfo(playerInfo);
    ObjectManager& objects = ObjectManager::Instance();
    objects.LoadTableFile(recordName);
    const LoadTable& record = objects.GetLoadTable(recordName);
    const ChestClassification classification =
        GameEngine::ResolveChestClassificationEnum(record.GetString("lootClassification", ""));
    CalculateFixedItemLevel(record);
    const std::string lootName = PickLootRecord(record);
    objects.LoadTableFile(lootName);
    const LoadTable& loot = objects.GetLoadTable(lootName);
    const float goldLevel = static_cast<float>(loot.GetInt("goldGeneratorLevel", 0));
    const uint32_t rolls = SelectLootNumber(loot);
    for (uint32_t roll = 0; roll < rolls; ++roll) {
        ItemReplicaInfo info;
        SelectLoot(loot, info.baseName, info.prefixName, info.suffixName,
                   static_cast<uint32_t>(goldLevel), classification);
        if (!info.baseName.empty())
            CreateAtDropCoords(info, true);
    }
    RunGoldGenerator(loot.GetFloat("goldGeneratorChance", 0.0f), goldLevel,
                     loot.GetString("goldGenerator", ""));

    const ItemReplicaInfo perMember = parent->GetDropPerPartyMemberItem();
    if (perMember.baseName.empty())
        return;
    uint32_t copies = 1;
    if (const PartyManager* parties = gGameEngine->GetPartyManager())
        copies = parties->GetNumInPlayersParty(touchingActor);
    for (uint32_t copy = 0; copy < copies; ++copy)
        CreateAtDropCoords(perMember, true);
}

uint32_t FixedItemController::SelectLootNumber(const LoadTable& table)
{
    RandomUniform& random = gGameEngine->GetRandomGen();
    const std::string minText = table.GetString("numSpawnMinEquation", "");
    const std::string maxText = table.GetString("numSpawnMaxEquation", "");
    int64_t count = 0;
    if (minText.empty() && maxText.empty()) {
        std::vector<int32_t> weights;
        table.GetIntList("numberWeights", weights);
        int64_t total = 0;
        for (int32_t weight : weights)
            total += Max(weight, 0);
        const int32_t roll =
            random.IGenerate(0, static_cast<int32_t>(Min<int64_t>(total, INT32_MAX)));
        int64_t sum = 0;
        for (size_t i = 0; i < weights.size(); ++i) {
            sum += Max(weights[i], 0);
            if (sum >= roll) {
                count = static_cast<int64_t>(i);
                break;
            }
        }
    } else {
        const int32_t a = EvaluateEquation(minText, "minEquation");
        const int32_t b = EvaluateEquation(maxText, "maxEquation");
        count = random.IGenerate(Min(a, b), Max(a, b));
    }
    if (count > static_cast<int64_t>(kMaxLootRolls)) {
        gEngine->Log(Engine::LogData, "Fixed item %s rolls %lld items; cut to %u",
                     recordName.c_str(), static_cast<long long>(count), kMaxLootRolls);
        count = kMaxLootRolls;
    }
    return static_cast<uint32_t>(Max<int64_t>(count, 0));
}

void FixedItemController::SelectLoot(const LoadTable& table, std::string& base, std::string& prefix,
                                     std::string& suffix, uint32_t level,
                                     ChestClassification classification)
{
    GameEngine& game = *gGameEngine;
    PlayerInfo players;
    game.GetPlayerInfo(players);
    LootLoader loader;
    RandomizerWeightModifiers modifiers;
    game.GetChestLootWeightModifiers(classification, modifiers);
    loader.SetRandomizerWeightModifiers(modifiers);
    loader.SetNoBrokenItems();
    loader.SetLevel(level, players.averagePlayerLevel);

    float sums[kLootSlots];
    float total = 0.0f;
    for (size_t i = 0; i < kLootSlots; ++i) {
        total += table.GetFloat(kSlotKeys[i].chance, 0.0f);
        sums[i] = total;
    }
    RandomUniform& random = game.GetRandomGen();
    const float roll = random.FGenerate(0.0f, total);
    for (size_t i = 0; i < kLootSlots; ++i) {
        if (sums[i] >= roll) {
            loader.Load(table, kSlotKeys[i].name, kSlotKeys[i].weight, kLootSlots,
                        players.gameDifficulty);
            loader.GetLootName(base, prefix, suffix, random);
            return;
        }
    }
}

void FixedItemController::RunGoldGenerator(float chance, float level, const std::string& record)
{
    if (record.empty() || !(chance > 0.0f))
        return;
    GoldGenerator generator;
    generator.LoadFromDatabase(record);
    generator.SetChance(chance);
    generator.SetGeneratorLevel(level);
    const auto* toucher = ObjectManager::Instance().GetObject<Character>(touchingActor);
    generator.SetPlayerLevel(toucher != nullptr ? static_cast<float>(toucher->GetCharLevel())
                                                : 0.0f);
    std::vector<ItemReplicaInfo> piles;
    generator.RunGenerator(piles);
    for (const ItemReplicaInfo& pile : piles)
        CreateAtDropCoords(pile, false);
}

} // namespace GAME
