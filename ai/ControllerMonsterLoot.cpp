#include "ai/ControllerMonster.h"

#include "characters/Monster.h"
#include "core/PlayerInfo.h"
#include "core/RTTI_ClassInfo.h"
#include "core/RandomUniform.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "items/ItemReplicaInfo.h"
#include "items/LootLoader.h"
#include "items/RandomizerWeightModifiers.h"
#include "multiplayer/PartyManager.h"

#include <string>

namespace GAME {

namespace {

constexpr const char* kMiscChanceKeys[] = {"chanceToEquipMisc1", "chanceToEquipMisc2",
                                           "chanceToEquipMisc3"};
constexpr LootLoader::Location kMiscLocations[] = {LootLoader::Misc1, LootLoader::Misc2,
                                                   LootLoader::Misc3};

void DropItem(GameEngine& game, const Character& monster, ItemReplicaInfo info)
{
    info.id = ObjectManager::Instance().CreateObjectID();
    info.seed = static_cast<uint32_t>(game.GetRandomSeed());
    game.CreateItem(monster.GetCoords(), info);
}

} // namespace

void ControllerMonster::CreateDropMiscItems()
{
    Monster* monster = DynamicCast<Monster>(GetCharacter());
    if (monster == nullptr || gGameEngine == nullptr)
        return;
    GameEngine& game = *gGameEngine;

    PlayerInfo player;
    game.GetPlayerInfo(player);
    LootLoader loader;
    loader.SetLevel(monster->GetCharLevel(), player.averagePlayerLevel);
    RandomizerWeightModifiers modifiers;
    game.GetMonsterLootWeightModifiers(monster->GetClassification(), modifiers);
    loader.SetRandomizerWeightModifiers(modifiers);
    if (monster->GetClassification() != MonsterClassification_Common)
        loader.SetNoBrokenItems();
    RandomUniform& random = game.GetRandomGen();

    const LoadTable& record = ObjectManager::Instance().GetLoadTable(monster->GetObjectName());
    for (size_t i = 0; i < 3; ++i) {
        const float chance = record.GetFloat(kMiscChanceKeys[i], 0.0f);
        // Drawn whatever the chance, so every machine stays on the same sequence.
        const float roll = random.FGenerate(0.1f, 100.0f);
        if (!(roll <= chance))
            continue;
        loader.Load(record, kMiscLocations[i], LootLoader::kMaxLocationCount,
                    static_cast<uint32_t>(game.GetGameDifficulty()));
        ItemReplicaInfo info;
        loader.GetLootName(info.baseName, info.prefixName, info.suffixName, random);
        if (!info.baseName.empty())
            DropItem(game, *monster, info);
    }

    const ItemReplicaInfo& perMember = monster->GetDropPerPartyMemberItem();
    if (perMember.baseName.empty())
        return;
    uint32_t copies = 1;
    if (const PartyManager* parties = game.GetPartyManager())
        copies = parties->GetNumInPlayersParty(monster->GetAttackerId());
    for (uint32_t copy = 0; copy < copies; ++copy)
        DropItem(game, *monster, perMember);
}

} // namespace GAME
