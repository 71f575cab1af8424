#pragma once

#include "fuzz/RecordInput.h"

namespace GAME {

// The records the seeds' bags and equipment name: a potion, a ring, a sword and a relic.
inline FuzzRecords BagRecords()
{
    return {{"Records/Items/Heal.dbr", "Class = OneShot_PotionHealth\nbitmap = heal.tex\n"},
            {"Records/Items/Ring.dbr", "Class = ItemEquipment\nbitmap = ring.tex\n"},
            {"Records/Items/Sword.dbr", "Class = WeaponMelee_Sword\n"},
            {"Records/Items/Shard.dbr", "Class = ItemRelic\ncompletedRelicLevel = 3\nsword = 1\n"
                                        "characterStrength = 1;2;3\n"}};
}

} // namespace GAME
