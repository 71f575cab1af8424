// The bag at work: a potion picked up into a bag of four sacks holding 150 items and ten potion
// kinds, then drunk by need (budget 15 us); that bag's save block written and read back
// (budget 1 ms); and the making of a potion from its cached record, against the bare object
// creation of the same record (budget 1.5 times). A sword rolled with a prefix and a suffix
// (five stores, five equations, a racial bonus, an augment; records cached) beside the same
// sword without affixes (budget 30 us); a worn sword's six attribute getters (budget 2 us); its
// full tooltip (budget 50 us). A player wearing eleven items with requirements sifts his
// equipment (budget 5 us); one side of a whole trade, five items and gold each way, the
// partner's side fed from recorded packets, to the exchange (budget 200 us).
#include "ai/ControllerPlayer.h"
#include "bench/BenchWorld.h"
#include "characters/CharAttributeAccumulator.h"
#include "characters/Player.h"
#include "combat/CombatAttributeAccumulator.h"
#include "core/GameTextLine.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"
#include "engine/NetPacket.h"
#include "engine/NetworkShim.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "items/EquipmentCtrl.h"
#include "items/Item.h"
#include "items/ItemEquipment.h"
#include "items/OneShot_Potion.h"
#include "items/PlayerInventoryCtrl.h"
#include "items/TradeManager.h"
#include "multiplayer/GameEngineNetworkInterface.h"
#include "multiplayer/InboundPacketDispatcher.h"
#include "multiplayer/PlayerManagerClient.h"
#include "skills/SkillAttributeAccumulator.h"
#include "tests/support/TempDatabase.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {
namespace {

constexpr const char* kRing = "Records/Items/Ring.dbr";
constexpr const char* kHero = "Records/Creatures/Hero.dbr";
constexpr const char* kSword = "Records/Items/Sword.dbr";
constexpr const char* kPrefix = "Records/Items/Sharp.dbr";
constexpr const char* kSuffix = "Records/Items/OfMight.dbr";
constexpr int kPotionKinds = 10;
constexpr int kItems = 150;

std::string PotionRecord(int kind)
{
    return "Records/Items/Heal" + std::to_string(kind) + ".dbr";
}

// The hero, his ring and potions, the sword with its affixes and the cost formulas.
struct ItemRecords {
    ItemRecords()
    {
        folder.WriteRecord(
            "Records/Game/GameEngine.dbr",
            {"UICharWindowInventorySack0DimsX = 384", "UICharWindowInventorySack0DimsY = 160",
             "UICharWindowInventorySack1DimsX = 384", "UICharWindowInventorySack1DimsY = 160"});
        folder.WriteRecord(kRing, {"Class = ItemEquipment", "bitmap = ring.tex"});
        folder.WriteRecord(kHero, {"Class = Player", "characterLife = 100"});
        WriteSword();
        for (int kind = 0; kind < kPotionKinds; ++kind)
            folder.WriteRecord(PotionRecord(kind),
                               {"Class = OneShot_PotionHealth", "bitmap = heal.tex",
                                "useDelayTime = 1",
                                "bonusLifePoints = " + std::to_string(10 * kind)});
    }
    void WriteSword()
    {
        folder.WriteRecord(kSword,
                           {"Class = WeaponMelee_Sword", "itemNameTag = tagSword", "itemCost = 100",
                            "characterBaseAttackSpeed = 1", "offensivePhysicalMin = 10",
                            "offensivePhysicalMax = 20", "characterStrength = 10",
                            "defensiveProtection = 5", "racialBonusRace = Undead",
                            "racialBonusPercentDamage = 10", "augmentAllLevel = 1"});
        folder.WriteRecord(kPrefix, {"lootRandomizerName = tagSharp", "lootRandomizerCost = 50",
                                     "offensivePhysicalModifier = 20", "skillCooldownReduction = 5",
                                     "levelRequirement = 10"});
        folder.WriteRecord(kSuffix, {"lootRandomizerName = tagOfMight", "characterDexterity = 8",
                                     "retaliationPhysicalMin = 3"});
        folder.WriteRecord(
            "Records/Game/ItemCost.dbr",
            {"weaponCostEquation = (itemBaseCost+(charPrimaryAtt*10))+itemPrefixCost",
             "swordStrengthEquation = charPrimaryAtt*2", "swordDexterityEquation = 5",
             "swordIntelligenceEquation = 0", "swordLevelEquation = itemLevel+1"});
    }

    Test::TempDatabase folder;
};

// The library over the item records, with the hero and a full bag.
class ItemBench : public ItemRecords, public Bench::BenchLibrary {
public:
    ItemBench() : BenchLibrary(folder.GetRoot())
    {
        hero = NewHero();
        Fill(Bag(*hero));
    }

    static ItemEquipment* MakeSword(uint32_t seed, bool affixes)
    {
        ItemReplicaInfo info;
        info.baseName = kSword;
        info.prefixName = affixes ? kPrefix : "";
        info.suffixName = affixes ? kSuffix : "";
        info.seed = seed;
        return DynamicCast<ItemEquipment>(Item::CreateItem(info));
    }

    static Player* NewHero()
    {
        ObjectManager& objects = ObjectManager::Instance();
        auto* player = objects.CreateObjectFromFile<Player>(kHero);
        auto* controller = static_cast<ControllerPlayer*>(objects.CreateObject("ControllerPlayer"));
        controller->AttachParent(player->GetObjectId());
        player->SetControllerId(controller->GetObjectId());
        player->GetCharacterBio().Update(*player, 0);
        controller->Update(0);
        return player;
    }

    static PlayerInventoryCtrl& Bag(Player& player)
    {
        return player.GetControllerPlayer()->GetInventoryCtrl();
    }

    static uint32_t Make(const std::string& record, uint32_t seed)
    {
        ItemReplicaInfo info;
        info.baseName = record;
        info.seed = seed;
        Item* item = Item::CreateItem(info);
        return item != nullptr ? item->GetObjectId() : 0;
    }

    void PickUp(Player& player, const std::string& record, uint32_t seed)
    {
        const uint32_t id = Make(record, seed);
        player.GetInventory().AddItemToInventory(id, false);
        Bag(player).AddItem(id, true);
    }

    void Fill(PlayerInventoryCtrl& bag)
    {
        bag.RestoreNumberOfSacks(PlayerInventoryCtrl::kMaxSacks);
        for (int kind = 0; kind < kPotionKinds; ++kind)
            PickUp(*hero, PotionRecord(kind), static_cast<uint32_t>(kind));
        for (int i = kPotionKinds; i < kItems; ++i)
            PickUp(*hero, kRing, static_cast<uint32_t>(i));
    }

    size_t Placed(PlayerInventoryCtrl& bag) const
    {
        size_t placed = 0;
        for (uint32_t sack = 0; sack < bag.GetNumberOfSacks(); ++sack)
            placed += bag.GetInventoryInSack(static_cast<int32_t>(sack)).size();
        return placed;
    }

    // Whatever the drink left behind goes, so that every round starts from the same bag.
    void ForgetDrunk(uint32_t before)
    {
        ObjectManager& objects = ObjectManager::Instance();
        const uint32_t after = objects.CreateObjectID();
        for (uint32_t id = before; id != after; ++id) {
            Object* object = objects.GetObject(id);
            if (object == nullptr)
                continue;
            hero->GetInventory().RemoveItemFromInventory(id);
            objects.DestroyObjectEx(object, "Bench/Item", __LINE__);
        }
        objects.ProcessDestroyedObjects();
    }

    // 30 short of 100: the potion of 30 fits exactly.
    void Wound() { hero->GetCharacterBio().SubtractLife(hero->GetCurrentLife() - 70.0f); }

    Player* hero = nullptr;
};

void BM_PotionPickedUpAndDrunkByNeed(benchmark::State& state)
{
    ItemBench bench;
    PlayerInventoryCtrl& bag = ItemBench::Bag(*bench.hero);
    uint32_t seed = 1000;
    for (auto _ : state) {
        state.PauseTiming();
        const uint32_t before = ObjectManager::Instance().CreateObjectID();
        const uint32_t potion = ItemBench::Make(PotionRecord(3), ++seed);
        bench.hero->GetInventory().AddItemToInventory(potion, false);
        bench.Wound();
        state.ResumeTiming();
        bag.AddItem(potion, true);
        benchmark::DoNotOptimize(bag.UsePotionOfType(PlayerInventoryCtrl::kHealth, 0.8f, 1.2f));
        state.PauseTiming();
        bag.Update(100000);
        bench.ForgetDrunk(before);
        state.ResumeTiming();
    }
    state.counters["items placed"] = static_cast<double>(bench.Placed(bag));
    state.counters["potions of 30 left"] =
        static_cast<double>(bag.GetTotalPotions(PotionRecord(3)));
}
BENCHMARK(BM_PotionPickedUpAndDrunkByNeed)->Unit(benchmark::kMicrosecond);

void BM_BagBlockWrittenAndRead(benchmark::State& state)
{
    ItemBench bench;
    PlayerInventoryCtrl& bag = ItemBench::Bag(*bench.hero);
    for (auto _ : state) {
        IOStreamWrite writer;
        bag.StreamProperties(&writer);
        state.PauseTiming();
        Player* reader = ItemBench::NewHero();
        state.ResumeTiming();
        IOStreamRead read(writer.GetBytes());
        ItemBench::Bag(*reader).StreamProperties(&read);
        state.PauseTiming();
        ObjectManager& objects = ObjectManager::Instance();
        objects.DestroyObjectEx(objects.GetObject(reader->GetControllerId()), "Bench/Item",
                                __LINE__);
        objects.DestroyObjectEx(reader, "Bench/Item", __LINE__);
        objects.ProcessDestroyedObjects();
        state.ResumeTiming();
    }
    state.counters["items placed"] = static_cast<double>(bench.Placed(bag));
}
BENCHMARK(BM_BagBlockWrittenAndRead)->Unit(benchmark::kMicrosecond);

// Both made and destroyed alike, so the difference is what making an item adds.
void CreateAndDestroy(benchmark::State& state, bool asItem)
{
    ItemBench bench;
    ObjectManager& objects = ObjectManager::Instance();
    const std::string record = PotionRecord(1);
    uint32_t seed = 0;
    for (auto _ : state) {
        Object* made = asItem ? objects.GetObject(ItemBench::Make(record, ++seed))
                              : objects.CreateObjectFromFile<OneShot_Potion>(record);
        benchmark::DoNotOptimize(made);
        objects.DestroyObjectEx(made, "Bench/Item", __LINE__);
        objects.ProcessDestroyedObjects();
    }
}

void BM_CreateItemOfAPotion(benchmark::State& state)
{
    CreateAndDestroy(state, true);
}
BENCHMARK(BM_CreateItemOfAPotion)->Unit(benchmark::kMicrosecond);

void BM_CreateObjectFromFileOfAPotion(benchmark::State& state)
{
    CreateAndDestroy(state, false);
}
BENCHMARK(BM_CreateObjectFromFileOfAPotion)->Unit(benchmark::kMicrosecond);

void RollSword(benchmark::State& state, bool affixes)
{
    ItemBench bench;
    ObjectManager& objects = ObjectManager::Instance();
    uint32_t seed = 0;
    for (auto _ : state) {
        ItemEquipment* sword = ItemBench::MakeSword(++seed, affixes);
        benchmark::DoNotOptimize(sword);
        state.PauseTiming();
        objects.DestroyObjectEx(sword, "Bench/Item", __LINE__);
        objects.ProcessDestroyedObjects();
        state.ResumeTiming();
    }
}

void BM_CreateItemOfASwordWithAffixes(benchmark::State& state)
{
    RollSword(state, true);
}
BENCHMARK(BM_CreateItemOfASwordWithAffixes)->Unit(benchmark::kMicrosecond);

void BM_CreateItemOfAPlainSword(benchmark::State& state)
{
    RollSword(state, false);
}
BENCHMARK(BM_CreateItemOfAPlainSword)->Unit(benchmark::kMicrosecond);

void BM_WornSwordsSixAttributeGetters(benchmark::State& state)
{
    ItemBench bench;
    ItemEquipment* sword = ItemBench::MakeSword(7, true);
    sword->AttachItem(*bench.hero, "R Hand");
    for (auto _ : state) {
        CharAttributeAccumulator character;
        SkillAttributeAccumulator skills;
        CombatAttributeAccumulator damage;
        CombatAttributeAccumulator modifiers;
        CombatAttributeAccumulator retaliation;
        CombatAttributeAccumulator defense;
        sword->GetCharAttributes(character);
        sword->GetSkillAttributes(skills);
        sword->GetOffensiveDamageAttributes(damage);
        sword->GetOffensiveModifierAttributes(modifiers);
        sword->GetRetaliationAttributes(retaliation);
        sword->GetDefenseAttributes(defense);
        benchmark::DoNotOptimize(&character);
        benchmark::DoNotOptimize(&defense);
    }
    sword->DetachItem(*bench.hero);
}
BENCHMARK(BM_WornSwordsSixAttributeGetters)->Unit(benchmark::kMicrosecond);

void BM_SwordTooltip(benchmark::State& state)
{
    ItemBench bench;
    ItemEquipment* sword = ItemBench::MakeSword(7, true);
    for (auto _ : state) {
        std::vector<GameTextLine> lines;
        sword->GetUIDisplayText(bench.hero, lines);
        benchmark::DoNotOptimize(lines.data());
    }
}
BENCHMARK(BM_SwordTooltip)->Unit(benchmark::kMicrosecond);

// Seven body slots and both hands of both sets, each needing 20 strength of a hero with 50.
void BM_EquipmentSiftOfElevenItems(benchmark::State& state)
{
    ItemBench bench;
    const char* kinds[] = {"ArmorProtective_Head",      "ArmorJewelry_Amulet",
                           "ArmorProtective_UpperBody", "ArmorProtective_LowerBody",
                           "ArmorProtective_Forearm",   "ArmorJewelry_Ring",
                           "WeaponMelee_Sword",         "WeaponArmor_Shield"};
    for (const char* kind : kinds)
        bench.folder.WriteRecord(std::string("Records/Items/") + kind + ".dbr",
                                 {std::string("Class = ") + kind, "strengthRequirement = 20"});
    auto make = [](const char* kind) {
        return ItemBench::Make(std::string("Records/Items/") + kind + ".dbr", 1);
    };
    bench.hero->GetCharacterBio().IncrementBaseAttribute(CharAttribute_Strength, 50.0f);
    bench.hero->GetCharacterBio().Update(*bench.hero, 0);
    EquipmentCtrl& equipment = bench.hero->GetControllerPlayer()->GetEquipmentCtrl();
    void (EquipmentCtrl::*body[])(uint32_t&, bool) = {
        &EquipmentCtrl::PlaceItem_Head,      &EquipmentCtrl::PlaceItem_Neck,
        &EquipmentCtrl::PlaceItem_UpperBody, &EquipmentCtrl::PlaceItem_LowerBody,
        &EquipmentCtrl::PlaceItem_Forearm,   &EquipmentCtrl::PlaceItem_Finger1,
        &EquipmentCtrl::PlaceItem_Finger2};
    for (int i = 0; i < 7; ++i) {
        uint32_t id = make(kinds[i < 6 ? i : 5]);
        (equipment.*body[i])(id, true);
    }
    for (bool otherSet : {false, true}) {
        uint32_t sword = make("WeaponMelee_Sword"), shield = make("WeaponArmor_Shield");
        equipment.PlaceItem_HandRight(sword, otherSet, true);
        equipment.PlaceItem_HandLeft(shield, otherSet, true);
    }
    for (auto _ : state)
        equipment.AttributesHaveChanged();
    if (!equipment.IsItemAttached(equipment.GetItem_Head()))
        state.SkipWithError("the helmet was not worn");
}
BENCHMARK(BM_EquipmentSiftOfElevenItems)->Unit(benchmark::kMicrosecond);

// The partner's side of a trade as it arrives: the acceptance, five items, gold, confirmation.
std::vector<std::vector<uint8_t>> PartnerPackets(uint32_t partner, uint32_t me)
{
    GameEngineNetworkInterface& out = *gGameEngine->GetNetworkInterface();
    gEngine->GetNetworkConnectionManager().TakeSentPackets();
    out.TradeInitiate(partner, me);
    for (uint32_t i = 0; i < 5; ++i) {
        ItemReplicaInfo info;
        info.baseName = kRing;
        info.seed = i;
        info.id = 0x0F000001u + i;
        out.TradeAddItem(partner, me, {static_cast<float>(i), 0.0f}, info);
    }
    out.TradeSetGoldAmount(partner, me, 40);
    out.TradeFinalize(partner, me);
    std::vector<std::vector<uint8_t>> packets;
    for (ConnectionManager::SentPacket& sent :
         gEngine->GetNetworkConnectionManager().TakeSentPackets())
        packets.push_back(std::move(sent.bytes));
    return packets;
}

void BM_OneSideOfAWholeTrade(benchmark::State& state)
{
    gEngine->SetNetworkMode(true, false);
    {
        ItemBench bench;
        gGameEngine->SetAsNetworkServer();
        gGameEngine->GetPlayerManagerClient()->SetMainPlayer(bench.hero->GetObjectId());
        Player* partner = ItemBench::NewHero();
        bench.hero->AddMoney(1000);
        const std::vector<std::vector<uint8_t>> packets =
            PartnerPackets(partner->GetObjectId(), bench.hero->GetObjectId());
        TradeManager& trades = *gGameEngine->GetTradeManager();
        GameEngineNetworkInterface& inbound = *gGameEngine->GetInboundNetworkInterface();
        uint32_t seed = 0;
        for (auto _ : state) {
            state.PauseTiming();
            std::vector<uint32_t> offer;
            for (int i = 0; i < 5; ++i) {
                offer.push_back(ItemBench::Make(kRing, ++seed));
                bench.hero->GetInventory().AddItemToInventory(offer.back(), false);
            }
            state.ResumeTiming();
            trades.HandleInitiateTradeOutbound(partner->GetObjectId(), true);
            InboundPacketDispatcher::Dispatch(*ConnectionManager::DecodePacket(packets[0]),
                                              inbound);
            for (uint32_t id : offer)
                trades.HandleAddItemOutbound({0.0f, 0.0f}, id);
            trades.HandleSetGoldAmountOutbound(60);
            for (size_t i = 1; i < packets.size(); ++i)
                InboundPacketDispatcher::Dispatch(*ConnectionManager::DecodePacket(packets[i]),
                                                  inbound);
            trades.HandleFinalizeTradeOutbound();
            state.PauseTiming();
            if (trades.GetIsTradeActive() ||
                bench.hero->GetInventory().IsItemInInventory(offer[0])) {
                state.SkipWithError("the trade did not complete");
                break;
            }
            gEngine->GetNetworkConnectionManager().TakeSentPackets();
            ObjectManager::Instance().ProcessDestroyedObjects();
            state.ResumeTiming();
        }
    }
    gEngine->SetNetworkMode(false, false);
}
BENCHMARK(BM_OneSideOfAWholeTrade)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace GAME
