// A hostile character record and the records it names (see fuzz/CharacterInput.h): the
// character is made from its record by class name and rolls its starting equipment again, as a
// replica would, from loot keys of any weight or name: whatever it makes is an item. Nothing may
// crash, and nothing it made may outlive it (no object, loaded animation or forced update). The
// same character's life, fight and death, the kill by a controller and the monster that thinks
// have fuzzers of their own (character_fight, character_death, character_kill, monster_ai).
#include "characters/Character.h"
#include "engine/Object.h"
#include "engine/ObjectManager.h"
#include "fuzz/CharacterInput.h"
#include "items/Item.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

using namespace GAME;
using namespace GAME::CharacterInput;

// The loot rolling that a replica's record drives, reached on any character.
class LootRoller : public Character {
public:
    using Character::LoadLootFromStruct;
};

// The character rolls its equipment again from a seed of the input's, as a replica would: loot
// keys of any weight or name, and whatever it makes is an item. A replica rolls once; here the
// first roll's items are left to the input's end, with the second's, as the level's end would
// take them. Returns the second roll's ids.
std::vector<uint32_t> RollLoot(Character& character, uint16_t seed)
{
    ObjectManager& objects = ObjectManager::Instance();
    Character::LootStruct loot;
    loot.seed = seed;
    loot.levelArgument = seed;
    for (uint32_t& id : loot.itemIds)
        id = objects.CreateObjectID();
    (character.*&LootRoller::LoadLootFromStruct)(loot);
    const std::vector<uint32_t> ids = RolledLoot(character);
    for (const uint32_t id : ids) {
        Object* item = objects.GetObject(id);
        if (item != nullptr && DynamicCast<Item>(item) == nullptr)
            abort();
    }
    return ids;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    WithFuzzCharacter(data, size, [size](Character& character) {
        const std::vector<uint32_t> rolled = RollLoot(character, static_cast<uint16_t>(size));
        for (const uint32_t item : rolled)
            DestroyIfRegistered(item);
    });
    return 0;
}
