#include "ai/ControllerMonster.h"

#include "characters/Monster.h"
#include "items/ItemReplicaInfo.h"
#include "multiplayer/GameEngineInboundInterface.h"
#include "multiplayer/PlayerManagerClient.h"
#include "multiplayer/PlayerNetBasicInfo.h"
#include "tests/combat/DeathFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace GAME::Test {
namespace {

constexpr uint32_t kAna = 0x10000001;
constexpr uint32_t kBob = 0x20000001;
constexpr uint32_t kCy = 0x30000001;
constexpr uint32_t kDee = 0x40000001;

class ItemRecorder : public GameEngineInboundInterface {
public:
    void CreateItem(uint32_t, const WorldCoords&, const ItemReplicaInfo& item,
                    std::wstring*) override
    {
        drops.push_back(item);
    }
    std::vector<ItemReplicaInfo> drops;
};

class ControllerMonsterLootTest : public DeathFixture {
protected:
    static PlayerNetBasicInfo Player(uint32_t id, uint32_t party)
    {
        PlayerNetBasicInfo record;
        record.playerId = id;
        record.partyId = static_cast<int32_t>(party);
        record.position = WorldVec3(kRegion, Vec3());
        return record;
    }

    // The names of the items the monster drops when the attacker killed it.
    std::vector<std::string> DropsWhenKilledBy(uint32_t attackerId)
    {
        database.WriteRecord("Records/Items/Charm.dbr", {"Class = ItemEquipment"});
        Monster* dying = Spawn<Monster>("Records/Creatures/Dying.dbr",
                                        {"perPartyMemberDropItemName = Records/Items/Charm.dbr"});
        dying->SetPathPosition(WorldVec3(kRegion, Vec3(1, 0, 0)));
        dying->GetCombatManager().SetAttacker(attackerId);
        auto controller = std::make_unique<ControllerMonster>();
        controller->SetParentId(dying->GetObjectId());

        ItemRecorder recorder;
        GameEngineNetworkInterface* previous = Game().GetNetworkInterface();
        Game().SetNetworkInterface(&recorder);
        controller->CreateDropMiscItems();
        Game().SetNetworkInterface(previous);

        std::vector<std::string> names;
        for (const ItemReplicaInfo& item : recorder.drops) {
            names.push_back(item.baseName);
            for (const ItemReplicaInfo& other : recorder.drops) {
                if (&other != &item) {
                    EXPECT_NE(other.id, item.id);
                }
            }
        }
        return names;
    }
};

TEST_F(ControllerMonsterLootTest, EveryMemberOfTheKillersPartyGetsACopy)
{
    Game().GetPlayerManagerClient()->HandlePlayerUpdate(
        {Player(kAna, kAna), Player(kBob, kAna), Player(kCy, kAna), Player(kDee, 0)});
    const std::string charm = "Records/Items/Charm.dbr";
    EXPECT_EQ(DropsWhenKilledBy(kBob), std::vector<std::string>(3, charm));
    EXPECT_EQ(DropsWhenKilledBy(kDee), std::vector<std::string>(1, charm));
}

} // namespace
} // namespace GAME::Test
