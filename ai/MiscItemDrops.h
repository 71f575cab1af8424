#pragma once

namespace GAME {

class Character;
class GameEngine;
class LoadTable;
class LootLoader;
class ItemReplicaInfo;

// The extra drops a dying creature rolls from the three misc slots of its own record. One draw
// from the engine's generator per slot, whatever the chance, so every machine stays on the
// same sequence; the caller sets the loader's level and rules up first.
void DropMiscItems(GameEngine& game, const Character& character, const LoadTable& record,
                   LootLoader& loader);

// Makes the item at the character's feet under a fresh id and seed.
void DropItemAt(GameEngine& game, const Character& character, ItemReplicaInfo info);

} // namespace GAME
