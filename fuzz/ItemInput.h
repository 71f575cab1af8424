#pragma once

#include "ai/ControllerPlayer.h"
#include "characters/Player.h"
#include "engine/ObjectManager.h"
#include "fuzz/InputStart.h"
#include "fuzz/QuietGame.h"
#include "fuzz/RecordInput.h"
#include "items/Item.h"
#include "items/ItemReplicaInfo.h"

#include <cstddef>
#include <cstdint>

namespace GAME {

// The item record an input holds; the records after it (see SplitRecords) are those it may name.
constexpr const char* kFuzzItem = "Records/Fuzz/Item.dbr";

// Makes the input's item, rolled with the affixes at "Records/Fuzz/Prefix.dbr" and
// "Records/Fuzz/Suffix.dbr", and hands it to `use`; what the input made goes again afterwards.
// One roll an input: the input's length picks the seed, low or high.
template <class Use> void WithFuzzItem(const uint8_t* data, size_t size, Use&& use)
{
    StartQuietGame();
    WithFuzzRecords(
        data, size, kFuzzItem, "Records/Fuzz/Bad",
        [&](const FuzzRecords&) {
            const InputStart start;
            ItemReplicaInfo info;
            info.baseName = kFuzzItem;
            info.seed = size % 2 == 0 ? 1u : 0xFFFFFFFFu;
            info.var1 = info.seed * 2654435761u;
            info.prefixName = "Records/Fuzz/Prefix.dbr";
            info.suffixName = "Records/Fuzz/Suffix.dbr";
            if (Item* item = Item::CreateItem(info))
                use(*item);
            EndInput(start);
        },
        16);
}

// A hero with his controller, and so his bag.
inline Player* MakeHero()
{
    ObjectManager& objects = ObjectManager::Instance();
    auto* hero = static_cast<Player*>(objects.CreateObject("Player"));
    auto* controller = static_cast<ControllerPlayer*>(objects.CreateObject("ControllerPlayer"));
    controller->AttachParent(hero->GetObjectId());
    hero->SetControllerId(controller->GetObjectId());
    return hero;
}

} // namespace GAME
