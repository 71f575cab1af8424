#include "ai/ControllerMonster.h"

#include "ai/MiscItemDrops.h"
#include "characters/Monster.h"
#include "core/PlayerInfo.h"
#include "core/RTTI_ClassInfo.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "items/ItemReplicaInfo.h"
#include "items/LootLoader.h"
#include "items/RandomizerWeightModifiers.h"
#include "multiplayer/PartyManager.h"

#include <string>

namespace GAME {

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
    DropMiscItems(game, *monster, ObjectManager::Instance().GetLoadTable(monster->GetObjectName()),
                  loader);

    const ItemReplicaInfo& perMember = monster->GetDropPerPartyMemberItem();
    if (perMember.baseName.empty())
        return;
    uint32_t copies = 1;
    if (const PartyManager* parties = game.GetPartyManager())
        copies = parties->GetNumInPlayersParty(monster->GetAttackerId());
    for (uint32_t copy = 0; copy < copies; ++copy)
        DropItemAt(game, *monster, perMember);
}

} // namespace GAME
