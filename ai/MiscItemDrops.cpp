#include "ai/MiscItemDrops.h"

#include "characters/Character.h"
#include "core/RandomUniform.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "items/ItemReplicaInfo.h"
#include "items/LootLoader.h"

#include <cstddef>

namespace GAME {

namespace {

constexpr const char* kMiscChanceKeys[] = {"chanceToEquipMisc1", "chanceToEquipMisc2",
                                           "chanceToEquipMisc3"};
constexpr LootLoader::Location kMiscLocations[] = {LootLoader::Misc1, LootLoader::Misc2,
                                                   LootLoader::Misc3};

} // namespace

void DropItemAt(GameEngine& game, const Character& character, ItemReplicaInfo info)
{
    info.id = ObjectManager::Instance().CreateObjectID();
    info.seed = static_cast<uint32_t>(game.GetRandomSeed());
    game.CreateItem(character.GetCoords(), info);
}

void DropMiscItems(GameEngine& game, const Character& character, const LoadTable& record,
                   LootLoader& loader)
{
    RandomUniform& random = game.GetRandomGen();
    for (size_t i = 0; i < std::size(kMiscChanceKeys); ++i) {
        const float chance = record.GetFloat(kMiscChanceKeys[i], 0.0f);
        const float roll = random.FGenerate(0.1f, 100.0f);
        if (!(roll <= chance))
            continue;
        loader.Load(record, kMiscLocations[i], LootLoader::kMaxLocationCount,
                    static_cast<uint32_t>(game.GetGameDifficulty()));
        ItemReplicaInfo info;
        loader.GetLootName(info.baseName, info.prefixName, info.suffixName, random);
        if (!info.baseName.empty())
            DropItemAt(game, character, info);
    }
}

} // namespace GAME
