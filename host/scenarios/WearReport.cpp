#include "host/scenarios/WearReport.h"

#include "ai/ControllerPlayer.h"
#include "characters/CharAttributeAccumulator.h"
#include "characters/Player.h"
#include "core/DialogManager.h"
#include "core/RandomUniform.h"
#include "engine/ABBox.h"
#include "engine/Engine.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "host/HostOptions.h"
#include "host/HostSamples.h"
#include "host/ShownName.h"
#include "items/CursorHandler.h"
#include "items/EquipManager.h"
#include "items/EquipmentCtrl.h"
#include "items/ItemEquipment.h"
#include "items/ItemRelic.h"
#include "items/PlayerInventoryCtrl.h"
#include "multiplayer/PlayerManagerClient.h"

#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace GAME {

namespace {

constexpr uint32_t kWearRegion = 1;
constexpr const char* kSlotNames[] = {"",        "Head",    "Neck",    "UpperBody", "LowerBody",
                                      "Finger1", "Finger2", "Forearm", "HandRight", "HandLeft"};

Item* FindItem(uint32_t id)
{
    return ObjectManager::Instance().GetObject<Item>(id);
}

std::string NameOf(uint32_t id)
{
    const Item* item = FindItem(id);
    return item != nullptr ? item->GetObjectName() : std::string("nothing");
}

// Picked up from the bag (or from nowhere) and ready for clicks.
std::unique_ptr<CursorHandler> PickUp(Player& hero, Item& item, bool secondary)
{
    std::unique_ptr<CursorHandler> cursor = secondary ? item.CreateSecondaryCursorHandler(&hero)
                                                      : item.CreatePrimaryCursorHandler(&hero);
    if (cursor != nullptr) {
        cursor->SetPlayer(&hero);
        cursor->SetId(item.GetObjectId());
    }
    return cursor;
}

// Into the hero's inventory and the first free place of his bag.
Item* Give(Player& hero, const char* record, std::ostream& err)
{
    ItemReplicaInfo info;
    info.baseName = record;
    info.seed = static_cast<uint32_t>(GameEngine::Get().GetRandomGen().IGenerate(0, 0x7FFFFFFF));
    Item* item = Item::CreateItem(info);
    if (item == nullptr) {
        err << "gamehost: sample record '" << record << "' makes no item\n";
        return nullptr;
    }
    hero.GetInventory().AddItemToInventory(item->GetObjectId(), false);
    // What has no picture is carried outside the bag.
    if (item->GetBitmap() != nullptr)
        hero.GetControllerPlayer()->GetInventoryCtrl().AddItem(item->GetObjectId(), false);
    return item;
}

} // namespace

WearReport::WearReport(const HostOptions& options, std::ostream& out, std::ostream& err)
    : options(options), out(out), err(err)
{}

bool WearReport::Run()
{
    return HostSamples::AsSinglePlayer(err, [this] {
        std::unique_ptr<World> previous = gEngine->SetWorld(std::make_unique<World>());
        gEngine->GetWorld()->CreateRegion(kWearRegion, {0, 0, 0},
                                          ABBox({-30, -10, -30}, {30, 10, 30}));
        GameEngine::Get().GetRandomGen().Seed(options.seed);
        Player* hero = HostSamples::Make<Player>(kPlayer, err);
        bool played = false;
        if (hero != nullptr) {
            HostSamples::EnterWorld(*hero, WorldCoords(kWearRegion, Coords()));
            hero->SetIsControllingCharacter(true);
            GameEngine::Get().GetPlayerManagerClient()->SetMainPlayer(hero->GetObjectId());
            played = hero->GetControllerPlayer() != nullptr && Play(*hero);
        }
        HostSamples::ClearWorld(*gEngine->GetWorld());
        gEngine->SetWorld(std::move(previous));
        return played;
    });
}

bool WearReport::Play(Player& hero)
{
    out << "scenario wear as single player, seed " << options.seed << ":\n";
    ControllerPlayer& controller = *hero.GetControllerPlayer();
    controller.Update(0);
    if (!Equip(hero, kHelm, EquipmentCtrlLocation_Head) ||
        !Equip(hero, kSword, EquipmentCtrlLocation_HandRight) ||
        !Equip(hero, kShield, EquipmentCtrlLocation_HandLeft))
        return false;
    PrintSlots(hero);

    CharacterBio& bio = hero.GetCharacterBio();
    bio.IncrementBaseAttribute(CharAttribute_Strength, -15.0f);
    bio.Update(hero, 0);
    out << "strength falls to "
        << HostSamples::OneDecimal(hero.GetTotalCharAttribute(CharAttribute_Strength)) << '\n';
    controller.Update(250);
    const EquipmentCtrl& equipment = controller.GetEquipmentCtrl();
    const uint32_t helm = equipment.GetItem_Head();
    out << "after the next sift: " << NameOf(helm) << " is "
        << (equipment.IsItemAttached(helm) ? "still worn" : "shed") << ", and stays in Head\n";
    PrintSlots(hero);
    return CombineShards(hero);
}

bool WearReport::Equip(Player& hero, const char* record, int32_t location)
{
    Item* item = Give(hero, record, err);
    if (item == nullptr)
        return false;
    std::unique_ptr<CursorHandler> cursor = PickUp(hero, *item, false);
    const auto slot = static_cast<EquipmentCtrlLocation>(location);
    const bool placed = cursor != nullptr && cursor->PrimaryEquipActivate(slot);
    out << "cursor puts " << record << " on " << kSlotNames[location] << ": "
        << (placed ? "placed" : "refused") << '\n';
    return placed;
}

void WearReport::PrintSlots(Player& hero)
{
    const EquipmentCtrl& equipment = hero.GetControllerPlayer()->GetEquipmentCtrl();
    for (int32_t location = 1; location <= 9; ++location) {
        const uint32_t id = equipment.GetItem(static_cast<EquipmentCtrlLocation>(location));
        out << "  " << kSlotNames[location] << ": ";
        if (id == 0) {
            out << "empty\n";
            continue;
        }
        const bool worn = equipment.IsItemAttached(id);
        out << NameOf(id)
            << (worn ? ", worn at \"" + FindItem(id)->GetAttachPointName() + "\""
                     : std::string(", not worn"))
            << '\n';
    }
    out << "  hand state "
        << static_cast<int>(hero.GetCombatManager().GetEquipManager().GetHandState()) << '\n';
}

bool WearReport::CombineShards(Player& hero)
{
    std::vector<Item*> shards;
    for (int i = 0; i < 3; ++i) {
        Item* shard = Give(hero, kRelic, err);
        if (DynamicCast<ItemRelic>(shard) == nullptr)
            return false;
        shards.push_back(shard);
    }
    PlayerInventoryCtrl& bag = hero.GetControllerPlayer()->GetInventoryCtrl();
    ItemRelic* target = DynamicCast<ItemRelic>(shards[0]);
    for (size_t i = 1; i < shards.size(); ++i) {
        const uint32_t dropped = shards[i]->GetObjectId();
        std::unique_ptr<CursorHandler> cursor = PickUp(hero, *shards[i], true);
        const Rect& at = bag.GetSack(-1)->GetInventory().at(target->GetObjectId());
        cursor->SetRelativePosition({at.x + at.width / 2, at.y + at.height / 2});
        const bool used = cursor->PrimaryInventoryActivate();
        out << "shard set onto shard: " << (used ? "level " : "refused, level ")
            << target->GetRelicLevel() << " of " << target->GetCompletedRelicLevel()
            << (FindItem(dropped) == nullptr ? ", the dropped shard is used up" : "") << '\n';
    }
    if (!target->IsComplete()) {
        err << "gamehost: the shards did not complete the relic\n";
        return false;
    }
    out << "relic complete: " << target->GetRelicBonus() << '\n';
    return SetIntoSword(hero, target->GetObjectId());
}

bool WearReport::SetIntoSword(Player& hero, uint32_t relic)
{
    std::unique_ptr<CursorHandler> cursor = PickUp(hero, *FindItem(relic), true);
    if (cursor == nullptr || !cursor->PrimaryEquipActivate(EquipmentCtrlLocation_HandRight))
        return false;
    DialogManager& dialogs = GameEngine::Get().GetDialogManager();
    if (dialogs.GetNumDialog() == 0) {
        err << "gamehost: setting the relic asked nothing\n";
        return false;
    }
    out << "dialog \"" << LocalizationManager::ToChar(dialogs.PeekTopDialog().text)
        << "\" answered yes\n";
    dialogs.RemoveTopDialog();
    dialogs.AddResponse({DialogManager::PartyRelicCombine, true});
    cursor->Update();
    const uint32_t swordId = hero.GetControllerPlayer()->GetEquipmentCtrl().GetItem_HandRight();
    const auto* sword = ObjectManager::Instance().GetObject<ItemEquipment>(swordId);
    if (sword == nullptr || !sword->HasRelic()) {
        err << "gamehost: the relic did not go into the sword\n";
        return false;
    }
    CharAttributeAccumulator gained;
    sword->GetCharAttributes(gained);
    out << NameOf(swordId) << " holds " << ShownName(sword->GetRelic()->GetObjectName())
        << " at level " << sword->GetRelic()->GetRelicLevel() << ", classification "
        << static_cast<int>(sword->GetItemClassification()) << ", strength +"
        << HostSamples::OneDecimal(gained.GetValue(CharAttribute_Strength)) << ", dexterity +"
        << HostSamples::OneDecimal(gained.GetValue(CharAttribute_Dexterity)) << "; the relic is "
        << (FindItem(relic) == nullptr ? "used up" : "still carried") << '\n';
    return true;
}

} // namespace GAME
