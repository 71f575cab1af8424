#include "host/scenarios/PacketCatalogue.h"

#include "engine/CharacterActionPacket.h"
#include "engine/ConnectionManager.h"
#include "engine/HostMessagePackets.h"
#include "engine/Name.h"
#include "engine/NetPacket.h"
#include "engine/NetPacketDescriber.h"
#include "engine/ObjectContainerPacket.h"
#include "engine/ObjectInteractionPacket.h"
#include "multiplayer/BonusPackets.h"
#include "multiplayer/CharacterActionPackets.h"
#include "multiplayer/ConfigCmdPackets.h"
#include "multiplayer/EngineNetPackets.h"
#include "multiplayer/EntityPackets.h"
#include "multiplayer/GameEnginePackets.h"
#include "multiplayer/MarketPackets.h"
#include "multiplayer/MessagePackets.h"
#include "multiplayer/PartyPackets.h"
#include "multiplayer/PlayerInfoPackets.h"
#include "multiplayer/QuestCommandPackets.h"
#include "multiplayer/SessionPackets.h"
#include "multiplayer/SpawnPlayerPacket.h"
#include "multiplayer/TradePackets.h"

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <string>
#include <string_view>
#include <type_traits>
#include <typeinfo>

namespace GAME {

namespace {

// Gives each field of a packet's field list the next value of a running count, so that no two
// fields hold the same value and none its default; a list gets two elements.
class FieldFiller {
public:
    template <typename T> void Field(const char* /*label*/, T& value, int /*level*/ = 0)
    {
        Fill(value);
    }
    template <typename T> void Hidden(T& value) { Fill(value); }
    void FileName(const char* /*label*/, std::string& name) { HiddenFileName(name); }
    void HiddenFileName(std::string& name) { name = "Records/Sample/" + Next() + ".dbr"; }
    void Raw(const char* /*label*/, std::string& text) { Fill(text); }
    void Heading(const char* /*text*/, int /*level*/) {}
    template <typename T> void Shown(const char* /*label*/, const T& /*value*/) {}
    template <typename R> void RawRecord(R& record)
    {
        auto bytes = record.ToRaw();
        bytes[0] = static_cast<uint8_t>(++count);
        record = R::FromRaw(bytes);
    }
    template <typename R> void Replica(R& record)
    {
        Fill(record.id);
        for (std::string* name :
             {&record.prefixName, &record.suffixName, &record.relicName, &record.relicBonus})
            HiddenFileName(*name);
        Fill(record.seed);
        Fill(record.var1);
    }
    void WordList(const char* /*heading*/, const char* /*entry*/, std::vector<uint32_t>& list)
    {
        list.resize(2);
        for (uint32_t& word : list)
            Fill(word);
    }
    void CoordsList(const char* /*heading*/, const char* /*entry*/, std::vector<WorldCoords>& list)
    {
        list.resize(2);
        for (WorldCoords& coords : list)
            Fill(coords);
    }
    template <typename T, typename VisitOne>
    void Records(std::vector<T>& list, size_t /*minimumBytes*/, VisitOne visitOne,
                 const char* /*countLabel*/ = nullptr)
    {
        list.resize(2);
        for (T& record : list)
            visitOne(*this, record);
    }
    void RawName(Name& name) { name = Name::Create("Sample" + Next()); }

    void Fill(bool& value) { value = true; }
    void Fill(float& value) { value = static_cast<float>(++count) + 0.5f; }
    void Fill(SmartObjectId& id) { id = 0x10000000u + ++count; }
    void Fill(std::string& text) { text = "Sample" + Next(); }
    void Fill(std::wstring& text)
    {
        const std::string narrow = "Sample" + Next();
        text.assign(narrow.begin(), narrow.end());
    }
    void Fill(WorldVec3& position) { position = WorldVec3(1, NextPoint()); }
    void Fill(WorldCoords& coords)
    {
        coords = WorldCoords(
            1, Coords({1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, {0.0f, 0.0f, 1.0f}, NextPoint()));
    }
    template <typename... T> void FillAll(T&... values) { (Fill(values), ...); }
    template <typename T> void Fill(T& value)
    {
        static_assert(std::is_integral_v<T> || std::is_enum_v<T>, "a field kind without a filling");
        value = static_cast<T>(++count);
    }

private:
    std::string Next() { return std::to_string(++count); }
    Vec3 NextPoint()
    {
        const auto base = static_cast<float>(++count);
        return Vec3(base, base + 0.25f, -base);
    }

    uint32_t count = 0;
};

// The packets that write their fields themselves rather than through a field list.
void FillOwn(PartyRequestResponsePacket& p, FieldFiller& f)
{
    f.FillAll(p.recipient, p.sender, p.accepted);
}
void FillOwn(StartTeleportPacket& p, FieldFiller& f)
{
    f.FillAll(p.playerId, p.x, p.y, p.z);
}
void FillOwn(NRLoaderStatePacket& p, FieldFiller& f)
{
    f.FillAll(p.playerId, p.state);
}
void FillOwn(StartServerRespawnPacket& p, FieldFiller& f)
{
    f.FillAll(p.playerId, p.location);
}
void FillOwn(HostWelcomePacket& p, FieldFiller& f)
{
    f.FillAll(p.hostIndex, p.seed, p.difficulty, p.playersExpected, p.worldDigest);
}
void FillOwn(EntityDestroyPacket& p, FieldFiller& f)
{
    f.FillAll(p.entityId);
}
void FillOwn(HostIndexPacket& p, FieldFiller& f)
{
    f.FillAll(p.host);
}
// An id that names no object here: the container carries the id alone.
void FillOwn(ObjectContainerPacket& p, FieldFiller& f)
{
    f.FillAll(p.objectId);
}

void FillActionBase(CharacterActionPacket& p, FieldFiller& f)
{
    f.FillAll(p.hasPreMoveData, p.preMovePoint, p.preMoveTargetId, p.preMoveSkillId,
              p.preMoveValue);
}

template <class P> std::unique_ptr<NetPacket> MakeFilled()
{
    auto packet = std::make_unique<P>();
    FieldFiller filler;
    if constexpr (requires { P::VisitFields(filler, *packet); })
        P::VisitFields(filler, *packet);
    else
        FillOwn(*packet, filler);
    if constexpr (std::is_base_of_v<CharacterActionPacket, P>)
        FillActionBase(*packet, filler);
    return packet;
}

template <class P> std::unique_ptr<NetPacket> Copy(const NetPacket& packet)
{
    return std::make_unique<P>(static_cast<const P&>(packet));
}

template <class P> std::unique_ptr<NetPacket> Assign(const NetPacket& packet)
{
    auto assigned = std::make_unique<P>();
    *assigned = static_cast<const P&>(packet);
    return assigned;
}

template <class... P> std::vector<PacketCatalogue::Entry> EntriesOf()
{
    return {PacketCatalogue::Entry{P().GetType(), &MakeFilled<P>, &Copy<P>, &Assign<P>}...};
}

std::vector<uint8_t> Encode(NetPacket& packet)
{
    const uint32_t size = packet.PrepareOutBuffer();
    return std::vector<uint8_t>(packet.GetOutBuffer(), packet.GetOutBuffer() + size);
}

void PrintHex(std::ostream& out, const std::vector<uint8_t>& bytes)
{
    constexpr size_t kPerLine = 16;
    for (size_t start = 0; start < bytes.size(); start += kPerLine) {
        std::string line = " ";
        for (size_t i = start; i < bytes.size() && i < start + kPerLine; ++i) {
            char hex[4];
            snprintf(hex, sizeof(hex), " %02x", bytes[i]);
            line += hex;
        }
        out << line << '\n';
    }
}

void PrintDescription(std::ostream& out, const std::string& text)
{
    for (size_t start = 0; start < text.size();) {
        const size_t end = std::min(text.find('\n', start), text.size());
        out << "    " << std::string_view(text).substr(start, end - start) << '\n';
        start = end + 1;
    }
}

bool ReadsBack(const NetPacket& sent, const std::vector<uint8_t>& bytes)
{
    std::unique_ptr<NetPacket> back = ConnectionManager::DecodePacket(bytes);
    if (back == nullptr)
        return false;
    NetPacket& received = *back;
    return typeid(received) == typeid(sent) && Encode(received) == bytes;
}

} // namespace

const std::vector<PacketCatalogue::Entry>& PacketCatalogue::Entries()
{
    static const std::vector<Entry> entries = [] {
        std::vector<Entry> all = EntriesOf<
            QuestMessagePacket, FrustumUpdatePacket, AllPlayersHeartbeatPacket,
            SinglePlayerHeartbeatPacket, AllPlayersBasicInfoPacket, SinglePlayerBasicInfoPacket,
            WorldInitPacket, RemoteMessagePacket, RemoteWMessagePacket, PlayerPositionUpdatePacket,
            PartyRequestResponsePacket, SpawnPlayerPacket, CreateItemPacket, CreateEntityPacket,
            ServerSpawnCompletePacket, AckEntityPacket, NackEntityPacket, WarpEntityPacket,
            TradeInitiatePacket, TradeCancelPacket, TradeSetGoldPacket, TradeAddItemPacket,
            TradeRemoveItemPacket, TradeFinalizePacket, CreateItemTeleportPacket,
            DestroyItemTeleportPacket, StartTeleportPacket, NRLoaderStatePacket,
            StartServerRespawnPacket, MarketC2SUpdateRequestPacket, MarketC2SSellBackPacket,
            MarketC2SPurchaseRequestPacket, MarketS2CStatusUpdatePacket,
            MarketS2CPurchaseDeniedPacket, MarketS2CPurchaseConfirmationPacket,
            MarketS2CUpdatePacket, QuestCommandMovePacket, QuestCommandWalkPacket,
            QuestCommandPlayAnimationPacket, QuestCommandUseSkillPacket,
            QuestCommandLockFixedItemPacket, GameBalanceUpdatePacket>();
        const std::vector<Entry> actions =
            EntriesOf<IdleActionPacket, LongIdleActionPacket, MoveToPacket, WalkPacket,
                      PickUpItemPacket, UseItemPacket, AttackPacket, TakeStunPacket,
                      ImmobilizePacket, TakeTrapPacket, DiePacket, ChatActionPacket,
                      PlayAnimationActionPacket, EngageNpcPacket, SpawnActionPacket,
                      RespawnPacket>();
        // The transport's own, chat, and the session's word.
        const std::vector<Entry> session =
            EntriesOf<HostWelcomePacket, EntitySpawnPacket, EntityDestroyPacket, HostLeftPacket,
                      HostJoiningPacket, ChatPacket, HostDonePacket, SessionEndsPacket>();
        const std::vector<Entry> commands = EntriesOf<
            AttachItemConfigCmdPacket, DetachItemConfigCmdPacket, ReleasePetConfigCmdPacket,
            DropItemConfigCmdPacket, DropItemFromEquipLocConfigCmdPacket, UseItemConfigCmdPacket,
            UseRelicConfigCmdPacket, PickupItemConfigCmdPacket,
            CreateRemoveSkillBuffConfigCmdPacket, SkillTargetResultConfigCmdPacket,
            IncBaseStrengthConfigCmdPacket, IncBaseDexterityConfigCmdPacket,
            IncBaseIntelligenceConfigCmdPacket, IncBaseLifeConfigCmdPacket,
            IncBaseManaConfigCmdPacket, ReleaseTrapConfigCmdPacket, ReleaseStunConfigCmdPacket,
            ReleaseImmobilizeConfigCmdPacket, CreateProjectileConfigCmdPacket,
            SpawnObjectConfigCmdPacket, SkillStateUpdateConfigCmdPacket,
            SkillActiveStateUpdateConfigCmdPacket, RemoveInventoryItemConfigCmdPacket,
            FixedItemStateChangeConfigCmdPacket, FixedItemTargetConfigCmdPacket,
            FixedItemSkillTargetConfigCmdPacket, StrategicMovementTargetConfigCmdPacket,
            UpdatePositionPacket, JoinPartyConfigCmdPacket, InvitePartyConfigCmdPacket,
            GiveGoldPacket, BonusToClientPacket, BonusToServerPacket, PlaySoundConfigCmdPacket,
            RequestAllyAttackConfigCmdPacket, RequestAllyMoveConfigCmdPacket,
            ShowCharacterConfigCmdPacket, StartStopDamageEffectConfigCmdPacket,
            ActivateSkillConfigCmdPacket, QuestMoveCompletedConfigCmdPacket,
            QuestAnimationCompletedConfigCmdPacket, DisableTyphonSkillEffectsConfigCmdPacket,
            SetCausesAngerConfigCmdPacket, SetInvincibleConfigCmdPacket, SetTeamConfigCmdPacket>();
        all.insert(all.end(), session.begin(), session.end());
        all.insert(all.end(), actions.begin(), actions.end());
        all.insert(all.end(), commands.begin(), commands.end());
        std::sort(all.begin(), all.end(),
                  [](const Entry& a, const Entry& b) { return a.type < b.type; });
        return all;
    }();
    return entries;
}

const char* PacketCatalogue::BaseName(const NetPacket& packet)
{
    if (dynamic_cast<const CharacterActionPacket*>(&packet) != nullptr)
        return "CharacterActionPacket";
    if (dynamic_cast<const ObjectContainerPacket*>(&packet) != nullptr)
        return "ObjectContainerPacket";
    if (dynamic_cast<const ObjectInteractionPacket*>(&packet) != nullptr)
        return "ObjectInteractionPacket";
    return "NetPacket";
}

bool PacketCatalogue::Print(std::ostream& out)
{
    size_t readBack = 0;
    for (const Entry& entry : Entries()) {
        std::unique_ptr<NetPacket> packet = entry.makeFilled();
        const std::vector<uint8_t> bytes = Encode(*packet);
        out << "packet " << entry.type << ' ' << NetPacketDescriber::GetClassName(*packet) << " on "
            << BaseName(*packet) << ": " << bytes.size() << " bytes\n";
        PrintHex(out, bytes);
        PrintDescription(out, packet->GetPacketDescription(false));
        if (ReadsBack(*packet, bytes))
            ++readBack;
        else
            out << "  does not read back its own bytes\n";
    }
    out << Entries().size() << " packet classes, " << readBack << " read back their own bytes\n";
    return readBack == Entries().size();
}

} // namespace GAME
