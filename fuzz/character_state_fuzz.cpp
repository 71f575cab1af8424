// Hostile bytes as a character's level state or as its replication record; the first byte picks
// which. Nothing may crash or hang, and nothing may allocate beyond what the bytes could hold.
#include "characters/Megalesios.h"
#include "characters/Monster.h"
#include "characters/Npc.h"
#include "characters/Ormenos.h"
#include "characters/SpiritHost.h"
#include "combat/DurationDamageTrack.h"
#include "engine/BinaryReader.h"
#include "engine/Engine.h"
#include "engine/NetPacketInBuffer.h"
#include "fuzz/AllocationWatch.h"
#include "fuzz/InputLookups.h"
#include "fuzz/QuietGame.h"
#include "game/GameEngine.h"
#include "multiplayer/SpawnPlayerPacket.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using namespace GAME;

enum Kind : uint8_t {
    Kind_MonsterLevelState = 0,
    Kind_MonsterReplication = 1,
    Kind_NpcLevelState = 2,
    Kind_NpcReplication = 3,
    Kind_OrmenosLevelState = 4,
    Kind_MegalesiosLevelState = 5,
    Kind_SpiritHostLevelState = 6,
    Kind_Count = 7
};

template <typename Kind> void Restore(const uint8_t* data, size_t size)
{
    Kind character;
    BinaryReader reader(data, size);
    character.RestoreState(reader);
}

template <typename Kind> void Replicate(const uint8_t* data, size_t size)
{
    Kind character;
    SpawnPlayerPacket carrier;
    NetPacketInBuffer in(carrier, data, static_cast<int>(size));
    character.ReadReplicationData(in);
    character.ApplyReplicationData();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Characters live in a running game: one hub for the whole run, without a database.
    StartQuietGame();
    const InputLookups lookups;
    if (size == 0)
        return 0;

    const auto kind = static_cast<Kind>(data[0] % Kind_Count);
    ++data;
    --size;
    // Lists grow by doubling; every element costs more bytes than it takes in memory. A
    // replicated damage run holds its ticks, bounded by the track's own limit whatever it asks.
    const size_t limit = 8 * size + 64 * 1024 + 2 * sizeof(float) * DurationDamageTrack::kMaxTicks;
    AllocationWatch::Start();
    switch (kind) {
    case Kind_MonsterLevelState:
        Restore<Monster>(data, size);
        break;
    case Kind_MonsterReplication:
        Replicate<Monster>(data, size);
        break;
    case Kind_NpcLevelState:
        Restore<Npc>(data, size);
        break;
    case Kind_NpcReplication:
        Replicate<Npc>(data, size);
        break;
    case Kind_OrmenosLevelState:
        Restore<Ormenos>(data, size);
        break;
    case Kind_MegalesiosLevelState:
        Restore<Megalesios>(data, size);
        break;
    case Kind_SpiritHostLevelState:
        Restore<SpiritHost>(data, size);
        break;
    case Kind_Count:
        break;
    }
    if (AllocationWatch::Stop() > limit)
        abort();
    return 0;
}
