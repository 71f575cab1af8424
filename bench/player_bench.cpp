// The player's three hot paths, on a well-equipped player: 40 skills in two trees, eleven
// equipment slots filled and four sacks of 12 x 5 cells each full of one-cell items (240).
//
// - Its save written and read back into a fresh player: the budget is 1 millisecond.
// - Its frame beyond the character's: Player::UpdateSelf and Character::UpdateSelf run on the
//   same object; the difference has a budget of 2 microseconds.
// - Its replication record written, then read and applied to a fresh copy: the budget for the
//   two together is 20 microseconds. Every carried item travels in it, so the player with its
//   equipment only is measured too.
#include "ai/ControllerPlayer.h"
#include "bench/BenchWorld.h"
#include "characters/Player.h"
#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "items/EquipmentCtrl.h"
#include "items/Item.h"
#include "items/ItemReplicaInfo.h"
#include "items/PlayerInventoryCtrl.h"
#include "multiplayer/PlayerManagerClient.h"
#include "multiplayer/SpawnPlayerPacket.h"
#include "skills/Skill.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

namespace GAME {

// The plainest skill a record can name.
class PlayerBenchSkill : public Skill {
    GAME_DECLARE_CLASS(PlayerBenchSkill)

public:
    uint32_t GetCurrentLevel() const override { return GetSkillLevel(); }
    void CollectPassiveCharAttributes(CharAttributeAccumulator&) const override {}
};

GAME_IMPLEMENT_CLASS(PlayerBenchSkill, Skill);

// Reaches the character's own frame on the same object.
class PlayerBenchPlayer : public Player {
    GAME_DECLARE_CLASS(PlayerBenchPlayer)

public:
    void CharacterUpdateSelf(int32_t elapsedMs) { Character::UpdateSelf(elapsedMs); }
};

GAME_IMPLEMENT_CLASS(PlayerBenchPlayer, Player);

namespace {

constexpr const char* kHero = "Records/Creatures/PC/BenchHero.dbr";
constexpr const char* kHelm = "Records/Items/Helm.dbr";
constexpr const char* kSword = "Records/Items/Sword.dbr";
constexpr const char* kShield = "Records/Items/Shield.dbr";
constexpr int kSkillsPerTree = 20;
constexpr int32_t kSackWidth = 12;
constexpr int32_t kSackHeight = 5;
constexpr int32_t kFrameMs = 33;

std::string GearRecord(int kind)
{
    return "Records/Items/Gear" + std::to_string(kind) + ".dbr";
}

// A database folder holding the player and what it names, removed again afterwards.
class PlayerDatabase : public Bench::BenchRecords {
public:
    PlayerDatabase()
    {
        Write(kHero, "Class = PlayerBenchPlayer\n"
                     "characterLife = 300\ncharacterMana = 120\ncharacterStrength = 50\n"
                     "characterDexterity = 50\ncharacterIntelligence = 50\n"
                     "defaultGold = 5000\n"
                     "skillTree1 = Records/Skills/Tree1.dbr\n"
                     "skillTree2 = Records/Skills/Tree2.dbr\n");
        for (int tree = 1; tree <= 2; ++tree) {
            std::string text;
            for (int i = 1; i <= kSkillsPerTree; ++i) {
                const std::string number = std::to_string(i);
                const std::string skill =
                    "Records/Skills/Skill" + std::to_string(tree * 100 + i) + ".dbr";
                text += "skillName" + number + " = " + skill + "\n";
                text += "skillLevel" + number + " = " + std::to_string(i % 8) + "\n";
                Write(skill, "Class = PlayerBenchSkill\n");
            }
            Write("Records/Skills/Tree" + std::to_string(tree) + ".dbr", text);
        }
        Write("Records/Skills/Default/DefaultWPBasicAttack.dbr", "Class = PlayerBenchSkill\n");
        Write("Records/Skills/Default/DefaultWeaponAttack.dbr", "Class = PlayerBenchSkill\n");
        Write(Player::kStubControllerRecord, "Class = ControllerCombat\n");
        Write(Player::kPlayerControllerRecord, "Class = ControllerPlayer\n");
        Write(kHelm, "Class = Item\n");
        Write(kSword, "Class = WeaponMelee_Sword\n");
        Write(kShield, "Class = WeaponArmor_Shield\n");
        for (int kind = 0; kind < 6; ++kind)
            Write(GearRecord(kind), "Class = Item\n");
    }
};

void EquipmentSlot(IOStreamWrite& out, const char* record, bool attached, uint32_t seed)
{
    ItemReplicaInfo info;
    info.baseName = record;
    info.seed = seed;
    info.StreamProperties(&out, attached);
}

// Seven body slots and both hands of both weapon sets; the alternate set is carried, not worn.
std::vector<uint8_t> FullEquipment()
{
    IOStreamWrite out;
    bool no = false, yes = true;
    out.BeginBlock();
    out.StreamBool("useAlternate", no);
    for (uint32_t slot = 0; slot < 7u; ++slot)
        EquipmentSlot(out, kHelm, true, 100 + slot);
    for (bool alternate : {false, true}) {
        out.BeginBlock();
        out.StreamBool("alternate", alternate ? yes : no);
        EquipmentSlot(out, kSword, !alternate, alternate ? 201 : 200);
        EquipmentSlot(out, kShield, !alternate, alternate ? 211 : 210);
        out.EndBlock();
    }
    out.EndBlock();
    return out.GetBytes();
}

// The engine and its database for one benchmark, and the players it makes.
class PlayerBench {
public:
    PlayerBench() = default;
    ~PlayerBench() { DestroyPlayers(); }
    PlayerBench(const PlayerBench&) = delete;
    PlayerBench& operator=(const PlayerBench&) = delete;

    // A loaded player driven by a player controller, as a save or a copy is read into.
    PlayerBenchPlayer* NewPlayer()
    {
        auto* player = ObjectManager::Instance().CreateObjectFromFile<PlayerBenchPlayer>(kHero);
        if (player == nullptr)
            return nullptr;
        player->SetIsControllingCharacter(true);
        if (player->GetControllerPlayer() == nullptr) {
            DestroyPlayer(player);
            return nullptr;
        }
        return player;
    }

    // A new player, equipped and with four full sacks; kept until the bench ends.
    PlayerBenchPlayer* NewEquippedPlayer(bool withSacks)
    {
        PlayerBenchPlayer* player = NewPlayer();
        if (player == nullptr)
            return nullptr;
        players.push_back(player);
        ControllerPlayer* controller = player->GetControllerPlayer();
        IOStreamRead equipment(FullEquipment());
        controller->GetEquipmentCtrl().StreamProperties(&equipment);
        if (equipment.HasFailed())
            return nullptr;
        if (withSacks && !FillSacks(*player, controller->GetInventoryCtrl()))
            return nullptr;
        player->SetPlayerName(L"Benchmark Hero");
        player->ReceiveExperience(250000, true);
        for (uint32_t i = 0; i < 24; ++i)
            player->AddTeleportUID(UniqueId(1, 2, 3, i));
        return player;
    }

    // The player, its controller's items and its skills go; the player's items are freed
    // here because a character leaves its items to whoever holds their ids.
    static void DestroyPlayer(PlayerBenchPlayer* player)
    {
        ObjectManager& objects = ObjectManager::Instance();
        std::vector<uint32_t> items = player->GetInventory().GetInventoryItems();
        for (const EquipManagerContainer& attached : player->GetAttachedItems())
            items.push_back(attached.itemId);
        for (uint32_t id : items) {
            if (Object* item = objects.GetObject(id))
                objects.DestroyObjectEx(item, "bench", 1);
        }
        objects.DestroyObjectEx(player, "bench", 1);
    }

    // The equipped players and their items, gone at once so that their ids are free again.
    void DestroyPlayers()
    {
        for (PlayerBenchPlayer* player : players)
            DestroyPlayer(player);
        players.clear();
        ObjectManager::Instance().ProcessDestroyedObjects();
    }

    static size_t CarriedItems(PlayerBenchPlayer& player)
    {
        return player.GetInventory().GetInventoryItems().size() + player.GetAttachedItems().size();
    }

private:
    static bool FillSacks(PlayerBenchPlayer& player, PlayerInventoryCtrl& bag)
    {
        bag.RestoreNumberOfSacks(PlayerInventoryCtrl::kMaxSacks);
        uint32_t seed = 1000;
        for (uint32_t sack = 0; sack < PlayerInventoryCtrl::kMaxSacks; ++sack) {
            for (int32_t y = 0; y < kSackHeight; ++y) {
                for (int32_t x = 0; x < kSackWidth; ++x) {
                    ItemReplicaInfo info;
                    info.baseName = GearRecord(static_cast<int>(seed % 6));
                    info.seed = ++seed;
                    Item* item = Item::CreateItem(info);
                    if (item == nullptr || bag.GetSack(static_cast<int32_t>(sack)) == nullptr)
                        return false;
                    player.GetInventory().AddItemToInventory(item->GetObjectId(), true);
                    bag.GetSack(static_cast<int32_t>(sack))->AddItem(item->GetObjectId(), {x, y});
                }
            }
        }
        return true;
    }

    PlayerDatabase database;
    Bench::BenchLibrary library{database.Root()};
    std::vector<PlayerBenchPlayer*> players;
};

std::vector<uint8_t> Save(Player& player)
{
    IOStreamWrite out;
    player.StreamProperties(&out);
    return out.GetBytes();
}

} // namespace

static void BM_Player_SaveWrite(benchmark::State& state)
{
    PlayerBench bench;
    PlayerBenchPlayer* source = bench.NewEquippedPlayer(true);
    if (source == nullptr) {
        state.SkipWithError("the player was not made");
        return;
    }
    size_t bytes = 0;
    for (auto _ : state) {
        IOStreamWrite out;
        source->StreamProperties(&out);
        bytes = out.GetBytes().size();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_Player_SaveWrite)->Unit(benchmark::kMicrosecond);

static void BM_Player_SaveRead(benchmark::State& state)
{
    PlayerBench bench;
    PlayerBenchPlayer* source = bench.NewEquippedPlayer(true);
    if (source == nullptr) {
        state.SkipWithError("the player was not made");
        return;
    }
    const std::vector<uint8_t> bytes = Save(*source);
    const size_t carried = PlayerBench::CarriedItems(*source);
    for (auto _ : state) {
        state.PauseTiming();
        PlayerBenchPlayer* target = bench.NewPlayer();
        IOStreamRead in(bytes);
        state.ResumeTiming();

        if (target != nullptr)
            target->StreamProperties(&in);

        state.PauseTiming();
        const bool restored =
            target != nullptr && !in.HasFailed() && PlayerBench::CarriedItems(*target) == carried;
        if (target != nullptr)
            PlayerBench::DestroyPlayer(target);
        ObjectManager::Instance().ProcessDestroyedObjects();
        if (!restored) {
            state.SkipWithError("the save did not come back whole");
            break;
        }
        state.ResumeTiming();
    }
    state.counters["items"] = static_cast<double>(carried);
}
BENCHMARK(BM_Player_SaveRead)->Unit(benchmark::kMicrosecond);

// Both frames run on the same main, local, controlling player.
template <bool OnlyCharacter> static void PlayerFrame(benchmark::State& state)
{
    PlayerBench bench;
    PlayerBenchPlayer* player = bench.NewEquippedPlayer(true);
    if (player == nullptr) {
        state.SkipWithError("the player was not made");
        return;
    }
    gGameEngine->GetPlayerManagerClient()->SetMainPlayer(player->GetObjectId());
    player->InitialUpdate();
    for (auto _ : state) {
        if constexpr (OnlyCharacter)
            player->CharacterUpdateSelf(kFrameMs);
        else
            player->UpdateSelf(kFrameMs);
    }
    gGameEngine->GetPlayerManagerClient()->SetMainPlayer(0);
}

static void BM_Player_CharacterUpdateSelf(benchmark::State& state)
{
    PlayerFrame<true>(state);
}
BENCHMARK(BM_Player_CharacterUpdateSelf)->Unit(benchmark::kNanosecond);

static void BM_Player_UpdateSelf(benchmark::State& state)
{
    PlayerFrame<false>(state);
}
BENCHMARK(BM_Player_UpdateSelf)->Unit(benchmark::kNanosecond);

// Replication items keep their ids, so the copy can only take them once the source and its
// items are gone, as on another machine: the record is written first, then the source goes.
static std::vector<uint8_t> ReplicationRecordOf(PlayerBench& bench, bool withSacks, size_t& carried)
{
    PlayerBenchPlayer* source = bench.NewEquippedPlayer(withSacks);
    if (source == nullptr)
        return {};
    carried = PlayerBench::CarriedItems(*source);
    SpawnPlayerPacket carrier;
    NetPacketOutBuffer out(carrier);
    source->WriteReplicationData(out);
    out.Done();
    return {carrier.GetOutBuffer() + NetPacketHeader::kSize,
            carrier.GetOutBuffer() + carrier.GetOutBufferSize()};
}

// Argument: 1 with the four full sacks, 0 with the equipment only.
static void BM_Player_ReplicationWrite(benchmark::State& state)
{
    PlayerBench bench;
    PlayerBenchPlayer* source = bench.NewEquippedPlayer(state.range(0) != 0);
    if (source == nullptr) {
        state.SkipWithError("the player was not made");
        return;
    }
    size_t bytes = 0;
    for (auto _ : state) {
        SpawnPlayerPacket carrier;
        NetPacketOutBuffer out(carrier);
        source->WriteReplicationData(out);
        out.Done();
        bytes = carrier.GetOutBufferSize();
        benchmark::DoNotOptimize(bytes);
    }
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_Player_ReplicationWrite)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

static void BM_Player_ReplicationReadApply(benchmark::State& state)
{
    PlayerBench bench;
    size_t carried = 0;
    const std::vector<uint8_t> record = ReplicationRecordOf(bench, state.range(0) != 0, carried);
    bench.DestroyPlayers();
    if (record.empty()) {
        state.SkipWithError("the player was not made");
        return;
    }
    // Timed by hand: pausing the benchmark's own clock twice a round costs about as much as
    // the work measured.
    for (auto _ : state) {
        PlayerBenchPlayer* copy = bench.NewPlayer();
        SpawnPlayerPacket carrier;
        const auto start = std::chrono::steady_clock::now();
        NetPacketInBuffer in(carrier, record.data(), static_cast<int>(record.size()));
        if (copy != nullptr) {
            copy->ReadReplicationData(in);
            copy->ApplyReplicationData();
        }
        const auto stop = std::chrono::steady_clock::now();
        state.SetIterationTime(std::chrono::duration<double>(stop - start).count());

        const bool applied = copy != nullptr && copy->GetPlayerName() == L"Benchmark Hero" &&
                             PlayerBench::CarriedItems(*copy) == carried;
        if (copy != nullptr)
            PlayerBench::DestroyPlayer(copy);
        ObjectManager::Instance().ProcessDestroyedObjects();
        if (!applied) {
            state.SkipWithError("the copy did not take the record");
            break;
        }
    }
    state.counters["items"] = static_cast<double>(carried);
}
BENCHMARK(BM_Player_ReplicationReadApply)
    ->Arg(1)
    ->Arg(0)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

} // namespace GAME
