#include "characters/Player.h"

#include "characters/CharacterActionHandler.h"
#include "characters/LongIdleAction.h"
#include "engine/ABBox.h"
#include "engine/Entity.h"
#include "engine/ObjectContainerPacket.h"
#include "engine/ObjectManager.h"
#include "engine/Region.h"

#include <memory>

namespace GAME {

namespace {

// The paper doll stands alone in a box of this size.
constexpr float kPaperDollRegionSize = 20.0f;
// Every equipment location the doll can mirror, none included.
constexpr int32_t kEquipLocationCount = 10;

// A spawn packet that never leaves the machine: it carries the original's record to its copy
// through the same bytes a remote machine would receive.
class CopyPacket : public ObjectContainerPacket {
public:
    CopyPacket() : ObjectContainerPacket(0, 0) {}
    std::string GetPacketDescription(bool /*withType*/) const override { return std::string(); }
};

// Writes the original's record and reads it into the copy; false when the copy could not take
// it whole. `beforeRead` runs on the copy just before it reads.
template <typename BeforeRead>
bool CopyReplicationRecord(uint32_t originalId, Entity& copy, BeforeRead beforeRead)
{
    auto packet = std::make_unique<CopyPacket>();
    packet->objectId = SmartObjectId(originalId);
    const uint32_t size = packet->PrepareOutBuffer();
    if (size < NetPacketHeader::kSize)
        return false;
    packet->CopyInbound(packet->GetOutBuffer() + NetPacketHeader::kSize,
                        static_cast<int>(size - NetPacketHeader::kSize));
    beforeRead();
    return packet->ReadObjectRecord(copy);
}

} // namespace

Player* Player::CreateCopy()
{
    ObjectManager& objects = ObjectManager::Instance();
    Player* copy = objects.CreateObjectFromFile<Player>(GetObjectName());
    if (copy == nullptr)
        return nullptr;
    // A record that does not read whole would build a half-player: apply nothing of it.
    if (CopyReplicationRecord(GetObjectId(), *copy, [copy] { copy->SetIsCopy(true); }))
        copy->ApplyReplicationData();
    copy->SetIsControllingCharacter(false);
    return copy;
}

Entity* Player::CreateCopy(uint32_t id) const
{
    ObjectManager& objects = ObjectManager::Instance();
    const Entity* original = objects.GetObject<Entity>(id);
    if (original == nullptr)
        return nullptr;
    Entity* copy = objects.CreateObjectFromFile<Entity>(original->GetObjectName());
    if (copy == nullptr)
        return nullptr;
    if (CopyReplicationRecord(id, *copy, [] {}))
        copy->ApplyReplicationData();
    return copy;
}

void Player::DestroyPaperDoll()
{
    ObjectManager& objects = ObjectManager::Instance();
    for (const auto& [itemId, copyId] : paperDollItems)
        objects.DestroyObjectEx(objects.GetObject(copyId), "Project/Game/Player", __LINE__);
    paperDollItems.clear();
    if (paperDoll != nullptr)
        objects.DestroyObjectEx(paperDoll, "Project/Game/Player", __LINE__);
    paperDoll = nullptr;
    paperDollRegion.reset();
}

void Player::CreatePaperDoll()
{
    // Dropping only the region would leave the old doll and its items alive and the map
    // pointing at them.
    DestroyPaperDoll();
    const ABBox box(Vec3(0.0f, 0.0f, 0.0f),
                    Vec3(kPaperDollRegionSize, kPaperDollRegionSize, kPaperDollRegionSize));
    paperDollRegion = std::make_unique<Region>(0, Vec3(0.0f, 0.0f, 0.0f), box);
    paperDoll = CreateCopy();
    if (paperDoll == nullptr)
        return;
    const EquipManager& equipment = combatManager.GetEquipManager();
    const EquipManager& dollEquipment = paperDoll->combatManager.GetEquipManager();
    for (int32_t location = 0; location < kEquipLocationCount; ++location) {
        const auto where = static_cast<EquipLocations>(location);
        const uint32_t itemId = equipment.GetItemId(where);
        if (itemId != 0)
            paperDollItems[itemId] = dollEquipment.GetItemId(where);
    }
    paperDollRegion->AddEntity(paperDoll->GetObjectId());
    if (CharacterActionHandler* handler = paperDoll->GetActionHandler())
        handler->Execute(std::make_unique<LongIdleAction>(paperDoll->GetObjectId()));
    paperDoll->RemoveLight();
}

void Player::AttachItemAction(uint32_t itemId, EquipLocations location)
{
    Character::AttachItemAction(itemId, location);
    if (paperDoll == nullptr)
        return;
    Entity* copy = CreateCopy(itemId);
    if (copy == nullptr)
        return;
    paperDollItems[itemId] = copy->GetObjectId();
    paperDoll->AttachItemAction(copy->GetObjectId(), location);
}

void Player::DetachItemAction(uint32_t itemId)
{
    Character::DetachItemAction(itemId);
    if (paperDoll == nullptr)
        return;
    auto found = paperDollItems.find(itemId);
    if (found == paperDollItems.end())
        return;
    const uint32_t copyId = found->second;
    paperDollItems.erase(found);
    paperDoll->DetachItemAction(copyId);
    paperDoll->inventory.RemoveItemFromInventory(copyId);
    ObjectManager& objects = ObjectManager::Instance();
    objects.DestroyObjectEx(objects.GetObject(copyId), "Project/Game/Player", __LINE__);
}

} // namespace GAME
