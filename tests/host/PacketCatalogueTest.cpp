#include "host/PacketCatalogue.h"

#include "engine/CharacterActionPacket.h"
#include "engine/ConnectionManager.h"
#include "engine/NetPacket.h"
#include "engine/NetPacketDescriber.h"
#include "engine/ObjectContainerPacket.h"
#include "engine/ObjectInteractionPacket.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/PacketBytes.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <typeinfo>
#include <vector>

namespace GAME {
namespace {

using Test::EncodePacket;

enum class Base { Plain, Container, Action, Interaction };

struct Row {
    uint32_t type;
    const char* name;
    Base base;
};

// Every game packet: its number, its class and the engine base it stands on.
const Row kCatalogue[] = {
    {17, "QuestMessagePacket", Base::Plain},
    {20, "FrustumUpdatePacket", Base::Plain},
    {21, "AllPlayersHeartbeatPacket", Base::Plain},
    {22, "SinglePlayerHeartbeatPacket", Base::Plain},
    {23, "AllPlayersBasicInfoPacket", Base::Plain},
    {24, "SinglePlayerBasicInfoPacket", Base::Plain},
    {25, "WorldInitPacket", Base::Plain},
    {26, "RemoteMessagePacket", Base::Plain},
    {27, "RemoteWMessagePacket", Base::Plain},
    {28, "PlayerPositionUpdatePacket", Base::Plain},
    {29, "PartyRequestResponsePacket", Base::Plain},
    {30, "SpawnPlayerPacket", Base::Container},
    {32, "CreateItemPacket", Base::Plain},
    {33, "CreateEntityPacket", Base::Plain},
    {34, "ServerSpawnCompletePacket", Base::Plain},
    {35, "AckEntityPacket", Base::Plain},
    {36, "NackEntityPacket", Base::Plain},
    {37, "WarpEntityPacket", Base::Plain},
    {38, "TradeInitiatePacket", Base::Plain},
    {39, "TradeCancelPacket", Base::Plain},
    {40, "TradeSetGoldPacket", Base::Plain},
    {41, "TradeAddItemPacket", Base::Plain},
    {42, "TradeRemoveItemPacket", Base::Plain},
    {43, "TradeFinalizePacket", Base::Plain},
    {44, "CreateItemTeleportPacket", Base::Plain},
    {45, "DestroyItemTeleportPacket", Base::Plain},
    {46, "StartTeleportPacket", Base::Plain},
    {47, "NRLoaderStatePacket", Base::Plain},
    {48, "StartServerRespawnPacket", Base::Plain},
    {49, "MarketC2SUpdateRequestPacket", Base::Plain},
    {50, "MarketC2SSellBackPacket", Base::Plain},
    {51, "MarketC2SPurchaseRequestPacket", Base::Plain},
    {52, "MarketS2CStatusUpdatePacket", Base::Plain},
    {53, "MarketS2CPurchaseDeniedPacket", Base::Plain},
    {54, "MarketS2CPurchaseConfirmationPacket", Base::Plain},
    {55, "MarketS2CUpdatePacket", Base::Plain},
    {56, "QuestCommandMovePacket", Base::Plain},
    {57, "QuestCommandWalkPacket", Base::Plain},
    {58, "QuestCommandPlayAnimationPacket", Base::Plain},
    {59, "QuestCommandUseSkillPacket", Base::Plain},
    {60, "QuestCommandLockFixedItemPacket", Base::Plain},
    {61, "GameBalanceUpdatePacket", Base::Plain},
    {63, "IdleActionPacket", Base::Action},
    {64, "LongIdleActionPacket", Base::Action},
    {65, "MoveToPacket", Base::Action},
    {66, "WalkPacket", Base::Action},
    {67, "PickUpItemPacket", Base::Action},
    {68, "UseItemPacket", Base::Action},
    {69, "AttackPacket", Base::Action},
    {70, "TakeStunPacket", Base::Action},
    {71, "ImmobilizePacket", Base::Action},
    {72, "TakeTrapPacket", Base::Action},
    {73, "DiePacket", Base::Action},
    {74, "ChatActionPacket", Base::Action},
    {75, "PlayAnimationActionPacket", Base::Action},
    {76, "EngageNpcPacket", Base::Action},
    {77, "SpawnActionPacket", Base::Action},
    {78, "RespawnPacket", Base::Action},
    {79, "AttachItemConfigCmdPacket", Base::Interaction},
    {80, "DetachItemConfigCmdPacket", Base::Interaction},
    {81, "ReleasePetConfigCmdPacket", Base::Interaction},
    {82, "DropItemConfigCmdPacket", Base::Interaction},
    {83, "DropItemFromEquipLocConfigCmdPacket", Base::Interaction},
    {84, "UseItemConfigCmdPacket", Base::Interaction},
    {85, "UseRelicConfigCmdPacket", Base::Interaction},
    {86, "PickupItemConfigCmdPacket", Base::Interaction},
    {87, "CreateRemoveSkillBuffConfigCmdPacket", Base::Interaction},
    {88, "SkillTargetResultConfigCmdPacket", Base::Interaction},
    {89, "IncBaseStrengthConfigCmdPacket", Base::Interaction},
    {90, "IncBaseDexterityConfigCmdPacket", Base::Interaction},
    {91, "IncBaseIntelligenceConfigCmdPacket", Base::Interaction},
    {92, "IncBaseLifeConfigCmdPacket", Base::Interaction},
    {93, "IncBaseManaConfigCmdPacket", Base::Interaction},
    {94, "ReleaseTrapConfigCmdPacket", Base::Interaction},
    {95, "ReleaseStunConfigCmdPacket", Base::Interaction},
    {96, "ReleaseImmobilizeConfigCmdPacket", Base::Interaction},
    {97, "CreateProjectileConfigCmdPacket", Base::Interaction},
    {98, "SpawnObjectConfigCmdPacket", Base::Interaction},
    {99, "SkillStateUpdateConfigCmdPacket", Base::Interaction},
    {100, "SkillActiveStateUpdateConfigCmdPacket", Base::Interaction},
    {101, "RemoveInventoryItemConfigCmdPacket", Base::Interaction},
    {102, "FixedItemStateChangeConfigCmdPacket", Base::Interaction},
    {103, "FixedItemTargetConfigCmdPacket", Base::Interaction},
    {104, "FixedItemSkillTargetConfigCmdPacket", Base::Interaction},
    {105, "StrategicMovementTargetConfigCmdPacket", Base::Interaction},
    {106, "UpdatePositionPacket", Base::Plain},
    {107, "JoinPartyConfigCmdPacket", Base::Plain},
    {108, "InvitePartyConfigCmdPacket", Base::Plain},
    {112, "GiveGoldPacket", Base::Plain},
    {113, "BonusToClientPacket", Base::Plain},
    {114, "BonusToServerPacket", Base::Plain},
    {115, "PlaySoundConfigCmdPacket", Base::Interaction},
    {116, "RequestAllyAttackConfigCmdPacket", Base::Interaction},
    {117, "RequestAllyMoveConfigCmdPacket", Base::Interaction},
    {118, "ShowCharacterConfigCmdPacket", Base::Interaction},
    {119, "StartStopDamageEffectConfigCmdPacket", Base::Interaction},
    {120, "ActivateSkillConfigCmdPacket", Base::Interaction},
    {121, "QuestMoveCompletedConfigCmdPacket", Base::Interaction},
    {122, "QuestAnimationCompletedConfigCmdPacket", Base::Interaction},
    {123, "DisableTyphonSkillEffectsConfigCmdPacket", Base::Interaction},
    {124, "SetCausesAngerConfigCmdPacket", Base::Interaction},
    {125, "SetInvincibleConfigCmdPacket", Base::Interaction},
    {126, "SetTeamConfigCmdPacket", Base::Interaction},
};

const char* const kBaseNames[] = {"NetPacket", "ObjectContainerPacket", "CharacterActionPacket",
                                  "ObjectInteractionPacket"};

Base BaseOf(const NetPacket& packet)
{
    if (dynamic_cast<const CharacterActionPacket*>(&packet) != nullptr)
        return Base::Action;
    if (dynamic_cast<const ObjectContainerPacket*>(&packet) != nullptr)
        return Base::Container;
    if (dynamic_cast<const ObjectInteractionPacket*>(&packet) != nullptr)
        return Base::Interaction;
    return Base::Plain;
}

bool SameClass(const NetPacket& a, const NetPacket& b)
{
    return typeid(a) == typeid(b);
}

class PacketCatalogueTest : public GAME::Test::EngineFixture {};

TEST_F(PacketCatalogueTest, EveryClassHasItsNumberBaseAndRegistryEntryAndReadsItsOwnBytesBack)
{
    std::map<uint32_t, const PacketCatalogue::Entry*> samples;
    for (const PacketCatalogue::Entry& entry : PacketCatalogue::Entries())
        samples[entry.type] = &entry;
    ASSERT_EQ(std::size(kCatalogue), 103u);
    ASSERT_EQ(samples.size(), 103u);

    for (const Row& row : kCatalogue) {
        SCOPED_TRACE(std::to_string(row.type) + " " + row.name);
        std::unique_ptr<NetPacket> registered = ConnectionManager::CreatePacket(row.type);
        ASSERT_NE(registered, nullptr);
        EXPECT_EQ(registered->GetType(), row.type);
        EXPECT_EQ(NetPacketDescriber::GetClassName(*registered), row.name);
        EXPECT_EQ(BaseOf(*registered), row.base);

        ASSERT_EQ(samples.count(row.type), 1u);
        const PacketCatalogue::Entry& entry = *samples[row.type];
        std::unique_ptr<NetPacket> filled = entry.makeFilled();
        ASSERT_TRUE(SameClass(*filled, *registered));
        const std::vector<uint8_t> bytes = EncodePacket(*filled);
        // Filled, unless the class has no field to fill.
        if (bytes.size() > NetPacketHeader::kSize)
            EXPECT_NE(bytes, EncodePacket(*registered));

        std::unique_ptr<NetPacket> back = ConnectionManager::DecodePacket(bytes);
        ASSERT_NE(back, nullptr);
        EXPECT_TRUE(SameClass(*back, *filled));
        EXPECT_EQ(EncodePacket(*back), bytes);
        EXPECT_EQ(EncodePacket(*entry.copy(*filled)), bytes);
        EXPECT_EQ(EncodePacket(*entry.assign(*filled)), bytes);
        EXPECT_STREQ(PacketCatalogue::BaseName(*filled), kBaseNames[static_cast<int>(row.base)]);
    }
}

TEST_F(PacketCatalogueTest, NoOtherGameNumberIsRegistered)
{
    std::vector<uint32_t> registered;
    // The game's numbers start at 17; below are the transport's own.
    for (uint32_t type = 17; type < 256; ++type)
        if (ConnectionManager::CreatePacket(type) != nullptr)
            registered.push_back(type);
    // The catalogue and the transport's chat message.
    ASSERT_EQ(registered.size(), 104u);
    for (uint32_t unused : {19u, 31u, 62u, 109u, 110u, 111u}) {
        SCOPED_TRACE(unused);
        log.Clear();
        const std::vector<uint8_t> header = {static_cast<uint8_t>(unused), 0, 0, 0, 0, 0, 0, 0};
        EXPECT_EQ(ConnectionManager::DecodePacket(header), nullptr);
        EXPECT_EQ(log.Count(Engine::LogRuntime,
                            "ConnectionManager: unknown packet type " + std::to_string(unused)),
                  1u);
    }
}

// Bad input is refused with one log line and never delivered.
TEST_F(PacketCatalogueTest, EveryMessageCutShortIsRefusedWithOneLogLine)
{
    for (const PacketCatalogue::Entry& entry : PacketCatalogue::Entries()) {
        SCOPED_TRACE(entry.type);
        const std::vector<uint8_t> bytes = EncodePacket(*entry.makeFilled());
        for (size_t length = 0; length < bytes.size(); ++length) {
            log.Clear();
            EXPECT_EQ(ConnectionManager::DecodePacket(GAME::Test::CutMessage(bytes, length)),
                      nullptr)
                << length << " bytes";
            EXPECT_EQ(log.GetLines().size(), 1u) << length << " bytes";
        }
    }
}

} // namespace
} // namespace GAME
