// Hostile bytes as the level state of a spawner or a landmark; the first byte picks the kind:
// a proxy's has-run word, an ambush's waiting list (names of records to make again, none of
// which the empty database holds) or a strategic state word of each landmark. Nothing may
// crash, hang or allocate beyond what the bytes could hold, and the object goes cleanly.
#include "engine/BinaryReader.h"
#include "engine/Entity.h"
#include "engine/ObjectManager.h"
#include "fuzz/AllocationWatch.h"
#include "fuzz/InputLookups.h"
#include "fuzz/QuietGame.h"

#include <cstdint>
#include <cstdlib>

namespace {

using namespace GAME;

constexpr const char* kKinds[] = {"Proxy", "ProxyAmbush", "StrategicMovementMarker",
                                  "StrategicMovementRespawnShrine",
                                  "StrategicMovementTeleportShrine"};
constexpr size_t kKindCount = sizeof(kKinds) / sizeof(kKinds[0]);

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    StartQuietGame();
    const InputLookups lookups;
    if (size == 0)
        return 0;
    const char* kind = kKinds[data[0] % kKindCount];
    ++data;
    --size;
    ObjectManager& objects = ObjectManager::Instance();
    // A name costs its bytes and its length word; every failed one is logged and dropped.
    const size_t limit = 8 * size + 64 * 1024;
    AllocationWatch::Start();
    auto* entity = DynamicCast<Entity>(objects.CreateObject(kind));
    if (entity == nullptr)
        abort();
    BinaryReader reader(data, size);
    entity->RestoreState(reader);
    entity->UpdateSelf(33);
    objects.DestroyObjectEx(entity, "fuzz", 1);
    objects.ProcessDestroyedObjects();
    if (AllocationWatch::Stop() > limit)
        abort();
    return 0;
}
