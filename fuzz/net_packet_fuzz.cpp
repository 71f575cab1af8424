// Hostile network messages: decoding through the packet registry never crashes, no allocation
// outgrows what the input could hold, and whatever decodes re-encodes into a message that
// decodes again to the same bytes. The messages then reach live games (see the routes below).
#include "ai/ControllerPlayer.h"
#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/NpcMerchant.h"
#include "characters/Player.h"
#include "characters/PlayerReplicationRecord.h"
#include "characters/TeamManager.h"
#include "engine/ABBox.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/FilterFunction.h"
#include "engine/Name.h"
#include "engine/NetPacket.h"
#include "engine/NetPacketDescriber.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"
#include "engine/NetworkShim.h"
#include "engine/ObjectManager.h"
#include "engine/SmartObjectId.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "fuzz/AllocationWatch.h"
#include "fuzz/InputStart.h"
#include "fuzz/QuietGame.h"
#include "fuzz/RecordInput.h"
#include "game/ActivityManager.h"
#include "game/GameEngine.h"
#include "items/Item.h"
#include "items/ItemReplicaInfo.h"
#include "items/TradeManager.h"
#include "multiplayer/BonusPackets.h"
#include "multiplayer/ConfigCmdPackets.h"
#include "multiplayer/EntityPackets.h"
#include "multiplayer/GameEngineNetworkInterface.h"
#include "multiplayer/GameEngineOutboundInterface.h"
#include "multiplayer/InboundPacketDispatcher.h"
#include "multiplayer/MarketPackets.h"
#include "multiplayer/PlayerManagerClient.h"
#include "multiplayer/PlayerManagerServer.h"
#include "skills/SkillManager.h"
#include "world/FixedItem.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace GAME;

// No game packet carries a coords list; this one gives that reader, with the others, to the
// fuzzer too.
class VariableFieldsPacket : public NetPacket {
public:
    VariableFieldsPacket() : NetPacket(255) {}

    uint32_t PrepareOutBuffer() override
    {
        NetPacketOutBuffer out(*this);
        out.Add(flag);
        out.Add(id);
        out.Add(text);
        out.Add(wide);
        out.AddUIntVector(words);
        out.Add(position);
        out.AddWorldCoordsVector(coordsList);
        out.AddRaw(name);
        return out.Done();
    }

    void CopyInbound(const uint8_t* data, int length) override
    {
        NetPacketInBuffer in(*this, data, length);
        in.Remove(flag);
        in.Remove(id);
        in.Remove(text);
        in.Remove(wide);
        in.RemoveUIntVector(words);
        in.Remove(position);
        in.RemoveWorldCoordsVector(coordsList);
        in.RemoveRaw(name);
    }

    std::string GetPacketDescription(bool withType) const override
    {
        NetPacketDescriber describer(*this, withType);
        describer.Describe("Text: ", text, 0);
        describer.Describe("Wide: ", wide, 0);
        describer.Describe("Position: ", position, 0);
        for (const WorldCoords& coords : coordsList)
            describer.Describe("Coords: ", coords, 1);
        return describer.GetDescription();
    }

    bool flag = false;
    SmartObjectId id;
    std::string text;
    std::wstring wide;
    std::vector<uint32_t> words;
    WorldVec3 position;
    std::vector<WorldCoords> coordsList;
    Name name;
};

std::vector<uint8_t> Encode(NetPacket& packet)
{
    const uint32_t size = packet.PrepareOutBuffer();
    return std::vector<uint8_t>(packet.GetOutBuffer(), packet.GetOutBuffer() + size);
}

void Check(const uint8_t* data, size_t size)
{
    // The widest growth a reader truly needs: an empty record name in a list is a 4-byte count
    // on the wire and a whole std::string in memory, 32 bytes here. Player records grow less
    // than 3 times, wide strings 2, and lists make room for no more elements than their count.
    const size_t limit = sizeof(std::string) / 4 * size + 4096;
    AllocationWatch::Start();
    std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(data, size);
    if (AllocationWatch::Stop() > limit)
        abort();
    if (packet == nullptr)
        return;
    packet->GetPacketDescription(true);
    const std::vector<uint8_t> first = Encode(*packet);
    std::unique_ptr<NetPacket> again = ConnectionManager::DecodePacket(first);
    if (again == nullptr || again->GetType() != packet->GetType() || Encode(*again) != first)
        abort();
}

// A spawned player's record, as the receiver reads it out of the container packet: reading is
// bounded, and what reads re-encodes into bytes that read again.
void CheckPlayerRecord(const uint8_t* data, size_t size)
{
    const size_t limit = sizeof(std::string) / 4 * size + 4096;
    VariableFieldsPacket carrier;
    PlayerReplicationRecord record;
    AllocationWatch::Start();
    bool read = false;
    {
        NetPacketInBuffer in(carrier, data, static_cast<int>(size));
        read = record.Read(in);
    }
    if (AllocationWatch::Stop() > limit)
        abort();
    if (!read)
        return;
    NetPacketOutBuffer out(carrier);
    record.Write(out);
    out.Done();
    PlayerReplicationRecord again;
    NetPacketInBuffer in(carrier, carrier.GetOutBuffer() + NetPacketHeader::kSize,
                         static_cast<int>(carrier.GetOutBufferSize() - NetPacketHeader::kSize));
    if (!again.Read(in))
        abort();
}

// This machine's role: 0 single player, 1 a server, 2 a client.
void TakeRole(int role)
{
    gEngine->SetNetworkMode(role != 0, role == 2);
    if (role == 1)
        gGameEngine->SetAsNetworkServer();
    else if (role == 2)
        gGameEngine->SetAsNetworkClient();
    else
        gGameEngine->SetAsNetworkStub();
}

// A route's stay in the run's one game, in a role: what the route made, sent and seated goes
// with it, and the game is single player again.
class Scene {
public:
    explicit Scene(int role = 0) { TakeRole(role); }
    ~Scene()
    {
        gEngine->GetNetworkConnectionManager().TakeSentPackets();
        EndInput(start);
        gGameEngine->GetPlayerManagerClient()->Clear();
        if (PlayerManagerServer* players = gGameEngine->GetPlayerManagerServer())
            players->Clear();
        gEngine->GetGameInfo().ClearPlayerList();
        TakeRole(0);
    }
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

private:
    InputStart start;
};

// A received packet reaches the game as the host hands it over: the engine's own messages to
// its inbound operations, the rest to the inbound interface. No player lives in this world, so
// whatever the ids say, nothing may be installed for them.
void RouteIntoEngine(NetPacket& packet, int role)
{
    const Scene scene(role);
    const uint32_t lastActivity = ActivityManager::Get().GetLastId();
    if (!NetworkShim::ReceivePacket(0, packet)) {
        if (GameEngineNetworkInterface* inbound = gGameEngine->GetInboundNetworkInterface())
            InboundPacketDispatcher::Dispatch(packet, *inbound);
    }
    gGameEngine->Update(33);
    if (ActivityManager::Get().GetLastId() != lastActivity)
        abort();
}

// The travel and portal messages, in each role.
void RouteTravel(const uint8_t* data, size_t size)
{
    std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(data, size);
    if (packet == nullptr)
        return;
    const uint32_t type = packet->GetType();
    if (type != 44 && type != 45 && type != 46 && type != 47 && type != 48)
        return;
    for (int role = 0; role < 3; ++role)
        RouteIntoEngine(*packet, role);
}

// Points a skill command at the live character; false for every other packet.
template <typename Packet> bool AimAt(NetPacket& packet, uint32_t characterId)
{
    auto* typed = dynamic_cast<Packet*>(&packet);
    if (typed == nullptr)
        return false;
    typed->actorId = characterId;
    return true;
}

// The skill results a peer sends reach a live character's skill manager, whatever references
// and lists they carry, on the controlling machine and on a mirroring one.
void RouteSkillCommand(const uint8_t* data, size_t size)
{
    std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(data, size);
    if (packet == nullptr)
        return;
    const uint32_t type = packet->GetType();
    if (type != 88 && (type < 97 || type > 100))
        return;
    const Scene scene;
    ObjectManager& objects = ObjectManager::Instance();
    auto* character = static_cast<Character*>(objects.CreateObject("Character"));
    if (character == nullptr)
        abort();
    const uint32_t id = character->GetObjectId();
    if (AimAt<SkillTargetResultConfigCmdPacket>(*packet, id) ||
        AimAt<CreateProjectileConfigCmdPacket>(*packet, id) ||
        AimAt<SpawnObjectConfigCmdPacket>(*packet, id) ||
        AimAt<SkillStateUpdateConfigCmdPacket>(*packet, id) ||
        AimAt<SkillActiveStateUpdateConfigCmdPacket>(*packet, id)) {
        SkillManager& skills = character->GetSkillManager();
        skills.LoadDefaultSkills();
        NetworkShim::ReceivePacket(0, *packet);
        skills.SetAsControllingManager();
        NetworkShim::ReceivePacket(0, *packet);
        skills.Update(33);
    }
}

constexpr const char* kDropRecord = "Records/Fuzz/Drop.dbr";
constexpr const char* kMerchantRecord = "Records/Fuzz/Merchant.dbr";
constexpr uint32_t kMerchantId = 0x0EEE0001u;
constexpr const char* kMarketRecord = "Records/Fuzz/Market.dbr";
constexpr const char* kTraderRecord = "Records/Fuzz/Trader.dbr";

// A monster that learns a charging bow pool and its pooled attack, and the buffs it is given:
// a shield, a contagious debuff and a plain buff with two modifiers. The records live in a
// folder of their own for the whole run.
constexpr const char* kBuffHolder = "Records/Fuzz/Holder.dbr";
constexpr const char* kShield = "Records/Fuzz/Shield.dbr";
constexpr const char* kRot = "Records/Fuzz/Rot.dbr";
constexpr const char* kWard = "Records/Fuzz/Ward.dbr";
constexpr const char* kWardMod = "Records/Fuzz/WardMod.dbr";
constexpr const char* kRecords[][2] = {
    {kBuffHolder, "Class = Monster\ncharacterLife = 300\ncharacterMana = 200\n"
                  "skillName1 = Records/Fuzz/Volley.dbr\nskillLevel1 = 2\n"
                  "skillName2 = Records/Fuzz/Shot.dbr\nskillLevel2 = 1\n"},
    {"Records/Fuzz/Volley.dbr", "Class = Skill_WeaponPool_ChargedLinear\nskillMaxLevel = 3\n"
                                "skillManaCost = 4;5;6\nskillChargeLevel = 3;4;5\n"
                                "skillChargeDuration = 3;2.5;2;1.5;1\n"
                                "skillChargeAura = Records/Fuzz/Aura.dbr\n"
                                "characterDexterity = 5;10;15;20;25\n"},
    {"Records/Fuzz/Shot.dbr", "Class = Skill_WPAttack_BasicAttack\nskillMaxLevel = 3\n"
                              "skillChanceWeight = 60\nskillProjectileNumber = 3\n"},
    {kShield, "Class = SkillBuff_PassiveShield\nskillMaxLevel = 3\ndamageAbsorption = 15;25;35\n"
              "damageAbsorptionPercent = 20\nphysicalDamageQualifier = 1\n"},
    {kRot, "Class = SkillBuff_Contageous\nskillMaxLevel = 3\nskillActiveDuration = 8\n"
           "offensiveBasePoisonMin = 4\ncontagionInterval = 0.03\ncontagionRadius = 8\n"
           "contagionLimit = 2\ncontagionMaxSpread = 4\n"},
    {kWard, "Class = SkillBuff\nskillMaxLevel = 3\nskillManaCost = 2\ncharacterStrength = 5;6;7\n"
            "skillEnhancement = 1;2;3\n"},
    {kWardMod, "Class = Skill_Modifier\nskillMaxLevel = 3\ncharacterDexterity = 1;2;3\n"},
    {"Records/Fuzz/TrapChest.dbr", "Class = FixedItemContainer\nskillDelay = 0\n"
                                   "skillName = Records/Fuzz/Trap.dbr\n"},
    {"Records/Fuzz/Trap.dbr", "Class = FixedItemSkill_SpawnMonster\n"
                              "monsterName = Records/Fuzz/Guard.dbr\n"},
    {"Records/Fuzz/Guard.dbr", "Class = Monster\ncharacterLife = 10\n"},
};

// Buff commands and active states (a pool's charge) reach a monster holding buffs and a
// charging pool, whatever names, classes and levels they carry: first mirrored, then on the
// controlling machine, through frames that expire, spread and decay, and last its death.
// Nothing may outlive the monster.
void RouteBuffCommand(const uint8_t* data, size_t size)
{
    std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(data, size);
    if (packet == nullptr || (packet->GetType() != 87 && packet->GetType() != 100))
        return;
    const Scene scene;
    ObjectManager& objects = ObjectManager::Instance();
    const size_t objectsBefore = objects.GetObjectCount();
    auto* holder = objects.CreateObjectFromFile<Monster>(kBuffHolder);
    if (holder == nullptr)
        abort();
    const uint32_t id = holder->GetObjectId();
    SkillManager& skills = holder->GetSkillManager();
    skills.CreateRemoveSkillBuff(0, kShield, 2, "", 0, "", 0, 5000, id, false);
    skills.CreateRemoveSkillBuff(0, kRot, 1, "", 0, "", 0, 0, id, false);
    skills.CreateRemoveSkillBuff(0, kWard, 3, kWardMod, 2, kWardMod, 9, 0, id, false);
    if (AimAt<CreateRemoveSkillBuffConfigCmdPacket>(*packet, id) ||
        AimAt<SkillActiveStateUpdateConfigCmdPacket>(*packet, id)) {
        NetworkShim::ReceivePacket(0, *packet);
        skills.SetAsControllingManager();
        holder->SetIsControllingCharacter(true);
        NetworkShim::ReceivePacket(0, *packet);
        for (int frame = 0; frame < 4; ++frame)
            skills.Update(33);
        skills.ImDead();
        skills.Update(33);
    }
    objects.DestroyObjectEx(holder, "Fuzz/NetPacket", __LINE__);
    objects.ProcessDestroyedObjects();
    if (objects.GetObjectCount() != objectsBefore)
        abort();
}

// Every attack kind, and the pet skills, spread over two monsters (a monster learns 17 at most).
// Projectiles fly, pets and bolts have their records; the debuff's buff is real.
constexpr const char* kAttackRecords[][2] = {
    {"Records/Fuzz/Bolt.dbr", "Class = ProjectileBase\n"},
    {"Records/Fuzz/Flame.dbr", "Class = ProjectileFireballLike\n"},
    {"Records/Fuzz/Rock.dbr", "Class = ProjectileTelekinesis\n"},
    {"Records/Fuzz/Arrow.dbr", "Class = ProjectileArrowLike\nprojectileVelocity = 30\n"},
    {"Records/Fuzz/Glide.dbr", "Class = ProjectileTerrainFollowing\nprojectileVelocity = 9\n"},
    {"Records/Fuzz/Lob.dbr", "Class = ProjectileExploding\nprojectileVelocity = 12\n"},
    {"Records/Fuzz/Grenade.dbr", "Class = ProjectileGrenade\nharmlessInFlight = 1\n"},
    {"Records/Fuzz/Cloud.dbr", "Class = ProjectileAreaEffect\n"},
    {"Records/Fuzz/Spark.dbr", "Class = Lightning\nnumberOfBolts = 2\ntimeMin = 0\ntimeMax = 50\n"},
    {"Records/Fuzz/Beam.dbr", "Class = ChaosBeam\n"},
    {"Records/Fuzz/Imp.dbr", "Class = Monster\ncharacterLife = 20\n"},
    {"Records/Fuzz/Curse.dbr",
     "Class = SkillBuff_Debuf\nskillMaxLevel = 3\nskillActiveDuration = 1\n"},
    {"Records/Fuzz/Foe.dbr", "Class = Character\ncharacterLife = 80\n"},
    {Monster::kDefaultControllerRecord, "Class = ControllerMonster\n"},
};
constexpr const char* kAttackSkills[][2] = {
    {"Weapon", "Class = Skill_AttackWeapon\n"},
    {"Charge", "Class = Skill_AttackWeaponCharge\nskillChargeLevel = 3\n"},
    {"Inherent", "Class = Skill_AttackInherent\n"},
    {"Shot", "Class = Skill_AttackProjectile\nskillProjectileName = Records/Fuzz/Flame.dbr\n"},
    {"Area", "Class = Skill_AttackProjectileAreaEffect\n"
             "skillProjectileName = Records/Fuzz/Cloud.dbr\n"},
    {"Hex", "Class = Skill_AttackProjectileDebuf\n"
            "projectileNames = Records/Fuzz/Bolt.dbr;Records/Fuzz/Missing.dbr\n"
            "buffSkillName = Records/Fuzz/Curse.dbr\n"},
    {"Burst", "Class = Skill_AttackProjectileBurst\nskillProjectileName = Records/Fuzz/Arrow.dbr\n"
              "projectileLaunchNumber = 3\n"},
    {"Fan", "Class = Skill_AttackProjectileFan\nskillProjectileName = Records/Fuzz/Lob.dbr\n"
            "projectileLaunchNumber = 4\nprojectileLaunchRotation = 90\n"},
    {"Ring", "Class = Skill_AttackProjectileRing\nskillProjectileName = Records/Fuzz/Grenade.dbr\n"
             "projectileLaunchNumber = 0\n"},
    {"Hatch",
     "Class = Skill_AttackProjectileSpawnPet\nskillProjectileName = Records/Fuzz/Glide.dbr\n"
     "spawnObjects = Records/Fuzz/Imp.dbr\npetBurstSpawn = 2\npetLimit = 3\n"},
    {"Drop", "Class = Skill_DropProjectileTelekinesis\n"
             "skillProjectileName = Records/Fuzz/Rock.dbr;Records/Fuzz/Bolt.dbr\n"},
    {"Wave", "Class = Skill_AttackRadius\nskillTargetRadius = 6\n"},
    {"Storm", "Class = Skill_AttackRadiusLightning\nskillTargetRadius = 6\n"
              "lightningName = Records/Fuzz/Spark.dbr\n"},
    {"Blight", "Class = Skill_AttackBuff\nbuffSkillName = Records/Fuzz/Curse.dbr\n"},
    {"Plague", "Class = Skill_AttackBuffRadius\nbuffSkillName = Records/Fuzz/Curse.dbr\n"
               "skillTargetRadius = 6\n"},
    {"Spell", "Class = Skill_AttackSpell\n"},
    {"Swap", "Class = Skill_AttackSpellTeleport\n"},
    {"Blink", "Class = Skill_AttackSpellTeleportSelf\n"},
    {"Chaos", "Class = Skill_AttackSpellChaos\nmaxDistance = 12\nheadVelocity = 2\n"
              "tailVelocity = 3\nchaosBeamName = Records/Fuzz/Beam.dbr\n"},
    {"Pets", "Class = Skill_SpawnPet\nspawnObjects = Records/Fuzz/Imp.dbr\npetBurstSpawn = 3\n"
             "petLimit = 2\n"},
    {"Brood", "Class = Skill_SpawnPetMonster\nspawnObjects = Records/Fuzz/Imp.dbr\n"
              "petBurstSpawn = 2\npetLimit = 3\n"},
    {"Dispel", "Class = Skill_DispelMagic\n"},
    {"Faux", "Class = Skill_FauxAttack\n"},
    {"Walls", "Class = Skill_DefensiveWall\nspawnObjects = Records/Fuzz/Imp.dbr\n"
              "spawnObjectsSpacingAngle = 90\nspawnObjectsNumberOfRings = 2\n"
              "spawnObjectsDistanceInnerCircle = 3\nspawnObjectsTimeToLive = 0.05\n"},
    {"Ground", "Class = Skill_DefensiveGround\nspawnObjects = Records/Fuzz/Imp.dbr\n"
               "spawnObjectsSpacingAngle = 0\nspawnObjectsNumberOfRings = 2\n"},
    {"Gift", "Class = Skill_GiveBonus\nskillLifeBonus = 10\n"},
    {"Twins", "Class = Skill_MonsterGenerator\nspawnObjects = Records/Fuzz/Imp.dbr\n"},
    {"Laser", "Class = Skill_OrmenosChainLaser\nchainLaserBeam = Records/Fuzz/Beam.dbr\n"},
    {"Teleport", "Class = Skill_Teleport\n"},
    {"God", "Class = Skill_TyphonSkillTransfer\nskillGodBeam = Records/Fuzz/Beam.dbr\n"},
    {"Light", "Class = Skill_AktaiosLightOfRa\nskillProjectileName = Records/Fuzz/Bolt.dbr\n"},
    {"Mirage", "Class = Skill_AktaiosMirage\nspawnObjects = Records/Fuzz/Imp.dbr\n"
               "petBurstSpawn = 2\n"},
    {"Lift", "Class = Skill_AttackTelekinesis\nheadVelocity = 10\n"
             "chaosBeamName = Records/Fuzz/Beam.dbr\n"},
    {"Chain", "Class = SkillSecondary_ChainLightning\nsparkGap = 6\nsparkChance = 100\n"
              "sparkMaxNumber = 3\nlightningName = Records/Fuzz/Spark.dbr\n"},
    {"Fork", "Class = SkillSecondary_ForkLightning\nsparkGap = 6\nsparkChance = 100\n"
             "sparkMaxNumber = 2\nlightningName = Records/Fuzz/Spark.dbr\n"},
    {"Litter", "Class = SkillSecondary_PetSpawn\nspawnObjects = Records/Fuzz/Imp.dbr\n"
               "petLimit = 2\n"},
};
constexpr size_t kAttackKinds = std::size(kAttackSkills);
constexpr size_t kFirstHolderKinds = 11;
// The edge kinds, from the dispel on, fill a third holder.
constexpr size_t kFirstEdgeKinds = 21;
constexpr const char* kHolders[] = {"Records/Fuzz/Fighter.dbr", "Records/Fuzz/Caster.dbr",
                                    "Records/Fuzz/Edge.dbr"};

size_t HolderOf(size_t kind)
{
    return kind < kFirstHolderKinds ? 0 : kind < kFirstEdgeKinds ? 1 : 2;
}

std::string AttackSkillRecord(size_t kind)
{
    return std::string("Records/Fuzz/Attack/") + kAttackSkills[kind][0] + ".dbr";
}

// The attack kinds' records and their holders, each holder learning its kinds in order.
void AddAttackRecords(FuzzRecords& records)
{
    for (const auto& [record, text] : kAttackRecords)
        records.emplace_back(record, text);
    const size_t firsts[] = {0, kFirstHolderKinds, kFirstEdgeKinds};
    std::string holders[3];
    for (std::string& holder : holders)
        holder = "Class = Monster\ncharacterLife = 300\ncharacterMana = 500\n";
    for (size_t kind = 0; kind < kAttackKinds; ++kind) {
        records.emplace_back(AttackSkillRecord(kind),
                             std::string(kAttackSkills[kind][1]) + "skillMaxLevel = 3\n");
        const size_t holder = HolderOf(kind);
        const std::string number = std::to_string(kind - firsts[holder] + 1);
        holders[holder] += "skillName" + number + " = " + AttackSkillRecord(kind) + "\nskillLevel" +
                           number + " = 2\n";
    }
    for (size_t holder = 0; holder < 3; ++holder)
        records.emplace_back(kHolders[holder], holders[holder]);
}

// Words 0xEEEE0000-0xEEEE0003 in id fields stand for the ids live in this world, so that seeds
// can name ids in use whatever numbers the object manager hands out.
struct LiveIds {
    uint32_t ids[4] = {};
    void Map(uint32_t& id) const
    {
        if ((id & 0xFFFFFFF0u) == 0xEEEE0000u && (id & 0xFu) < 4)
            id = ids[id & 0xFu];
    }
    void Map(std::vector<uint32_t>& list) const
    {
        for (uint32_t& id : list)
            Map(id);
    }
};

// Aims the command at the holder of the kind its skill number names (mod the kinds; a number
// with the top bit set stays unknown) and gives live ids their numbers.
bool AimAttack(NetPacket& packet, const LiveIds& live, SkillManager& skills, uint32_t holderId)
{
    auto aim = [&](SmartObjectId& actor, uint32_t& skillNumber) {
        actor = holderId;
        if ((skillNumber & 0x80000000u) == 0)
            skillNumber = skills.GetSkillReferenceNumber(
                skills.FindSkillId(AttackSkillRecord(skillNumber % kAttackKinds)));
    };
    if (auto* result = dynamic_cast<SkillTargetResultConfigCmdPacket*>(&packet)) {
        aim(result->actorId, result->skillNumber);
        live.Map(result->targets);
        return true;
    }
    if (auto* launch = dynamic_cast<CreateProjectileConfigCmdPacket*>(&packet)) {
        aim(launch->actorId, launch->skillNumber);
        live.Map(launch->projectileId);
        uint32_t target = launch->target.GetId();
        live.Map(target);
        launch->target = target;
        return true;
    }
    if (auto* spawn = dynamic_cast<SpawnObjectConfigCmdPacket*>(&packet)) {
        aim(spawn->actorId, spawn->skillNumber);
        live.Map(spawn->targetId);
        live.Map(spawn->spawnIds);
        return true;
    }
    return false;
}

// Which holder a command's skill number picks, before it is aimed.
size_t AttackKind(const NetPacket& packet)
{
    uint32_t number = 0;
    if (const auto* result = dynamic_cast<const SkillTargetResultConfigCmdPacket*>(&packet))
        number = result->skillNumber;
    else if (const auto* launch = dynamic_cast<const CreateProjectileConfigCmdPacket*>(&packet))
        number = launch->skillNumber;
    else if (const auto* spawn = dynamic_cast<const SpawnObjectConfigCmdPacket*>(&packet))
        number = spawn->skillNumber;
    return number % kAttackKinds;
}

// Target results, launches and spawns reach a monster holding every attack kind and pet skill,
// with a foe in reach: mirrored, then on the controlling machine, then through frames in which
// projectiles fly, waves grow and pets live. However many ids a message lists, creation stays
// bounded by what the skills themselves may make.
void RouteAttackCommand(const uint8_t* data, size_t size)
{
    std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(data, size);
    if (packet == nullptr)
        return;
    const uint32_t type = packet->GetType();
    if (type != 88 && type != 97 && type != 98)
        return;
    const Scene scene;
    ObjectManager& objects = ObjectManager::Instance();
    const size_t objectsBefore = objects.GetObjectCount();
    const size_t kind = AttackKind(*packet);
    auto* holder = objects.CreateObjectFromFile<Monster>(kHolders[HolderOf(kind)]);
    auto* foe = objects.CreateObjectFromFile<Character>("Records/Fuzz/Foe.dbr");
    if (holder == nullptr || foe == nullptr)
        abort();
    holder->SetTeam(TeamManager::DefaultMonsterTeam());
    foe->SetTeam(TeamManager::DefaultPlayerTeam());
    gEngine->GetWorld()->AddEntity(holder, WorldCoords(WorldVec3(1, Vec3(0, 0, 0))), true);
    gEngine->GetWorld()->AddEntity(foe, WorldCoords(WorldVec3(1, Vec3(3, 0, 0))), true);
    holder->InitialUpdate();
    foe->InitialUpdate();
    SkillManager& skills = holder->GetSkillManager();
    const LiveIds live{{holder->GetObjectId(), foe->GetObjectId(),
                        skills.FindSkillId(AttackSkillRecord(kind)), 0x7FFFFFFFu}};
    if (AimAttack(*packet, live, skills, holder->GetObjectId())) {
        NetworkShim::ReceivePacket(0, *packet);
        skills.SetAsControllingManager();
        holder->SetIsControllingCharacter(true);
        NetworkShim::ReceivePacket(0, *packet);
        for (int frame = 0; frame < 6; ++frame)
            gGameEngine->Update(33);
        // Two messages may each make what a skill sends at its level: a few pets, a ring of
        // launches, their fragments. Hundreds mean a list was trusted.
        if (objects.GetObjectCount() > objectsBefore + 200)
            abort();
    }
}

// Item creation and gold reach a live inbound interface: the packet's own record and one the
// database holds, dropped into the world, given to the player, or to nobody the ids name; gold
// given and taken whatever the amount. Nothing may outlive the message.
void RouteItemCommand(const uint8_t* data, size_t size)
{
    std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(data, size);
    if (packet == nullptr || (packet->GetType() != 32 && packet->GetType() != 112))
        return;
    const Scene scene;
    ObjectManager& objects = ObjectManager::Instance();
    auto* player = static_cast<Player*>(objects.CreateObject("Player"));
    const uint32_t playerId = player->GetObjectId();
    GameEngineNetworkInterface& inbound = *gGameEngine->GetInboundNetworkInterface();
    if (auto* create = dynamic_cast<CreateItemPacket*>(packet.get())) {
        ItemReplicaInfo info = create->item;
        std::wstring name;
        for (const uint32_t character : {create->characterId, 0u, playerId}) {
            inbound.CreateItem(character, create->coords, info, &name);
            info.baseName = kDropRecord;
            info.id = 0;
        }
    } else if (auto* gold = dynamic_cast<GiveGoldPacket*>(packet.get())) {
        InboundPacketDispatcher::Dispatch(*gold, inbound);
        inbound.GiveGoldToPlayer(playerId, gold->goldAmount);
        inbound.GiveGoldToPlayer(playerId, -(gold->goldAmount / 2));
    }
}

// Trade messages reach a live trade of the main player with a partner in every state (idle,
// invited, initiating, active with an offer, confirmed); the words 0xEEEE0000-0xEEEE0002 stand
// for the partner, the main player and a stranger. Whatever they say, no item outlives the trade
// without a holder, and the main player gains no more gold than the partner holds.
void RouteTradePacket(const uint8_t* data, size_t size)
{
    std::unique_ptr<NetPacket> probe = ConnectionManager::DecodePacket(data, size);
    if (probe == nullptr || probe->GetType() < 38 || probe->GetType() > 43)
        return;
    for (int state = 0; state < 5; ++state) {
        const Scene scene;
        ObjectManager& objects = ObjectManager::Instance();
        const uint32_t firstId = objects.CreateObjectID();
        Player* players[3];
        for (Player*& player : players) {
            player = static_cast<Player*>(objects.CreateObjectFromFile<Player>(kTraderRecord));
            auto* controller =
                static_cast<ControllerPlayer*>(objects.CreateObject("ControllerPlayer"));
            controller->AttachParent(player->GetObjectId());
            player->SetControllerId(controller->GetObjectId());
            player->AddMoney(100);
            ItemReplicaInfo info;
            info.baseName = kDropRecord;
            player->GiveItemToCharacter(Item::CreateItem(info));
        }
        Player& me = *players[1];
        const uint32_t partner = players[0]->GetObjectId();
        gGameEngine->GetPlayerManagerClient()->SetMainPlayer(me.GetObjectId());
        TradeManager& trades = *gGameEngine->GetTradeManager();
        if (state == 1)
            trades.HandleInitiateTradeInbound(partner);
        if (state >= 2)
            trades.HandleInitiateTradeOutbound(partner, true);
        if (state >= 3) {
            trades.HandleInitiateTradeInbound(partner);
            for (uint32_t offered : me.GetInventory().GetInventoryItems())
                trades.HandleAddItemOutbound({0.0f, 0.0f}, offered);
            trades.HandleSetGoldAmountOutbound(30);
        }
        if (state == 4)
            trades.HandleFinalizeTradeOutbound();
        std::vector<uint8_t> bytes(data, data + size);
        for (size_t at = NetPacketHeader::kSize; at + 4 <= bytes.size(); ++at) {
            uint32_t word = 0;
            for (int i = 0; i < 4; ++i)
                word |= static_cast<uint32_t>(bytes[at + i]) << (8 * i);
            if ((word & 0xFFFFFFF0u) != 0xEEEE0000u || (word & 0xFu) >= 3)
                continue;
            const uint32_t id = players[word & 0xFu]->GetObjectId();
            for (int i = 0; i < 4; ++i)
                bytes[at + i] = static_cast<uint8_t>(id >> (8 * i));
        }
        if (std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(bytes))
            InboundPacketDispatcher::Dispatch(*packet, *gGameEngine->GetInboundNetworkInterface());
        gGameEngine->Update(33);
        // Whatever the window shows belongs to the trade; once it closes, every item is held.
        if (trades.GetIsTradeActive())
            trades.HandleCancelTradeOutbound(trades.GetTradePartner());
        if (me.GetCurrentMoney() > 200 || players[0]->GetCurrentMoney() != 100)
            abort();
        size_t held = 0;
        for (Player* player : players)
            held += player->GetInventory().GetInventoryItems().size();
        size_t items = 0;
        for (uint32_t id = firstId, last = objects.CreateObjectID(); id != last; ++id)
            items += objects.GetObject<Item>(id) != nullptr ? 1 : 0;
        if (items != held)
            abort();
        gEngine->GetNetworkConnectionManager().TakeSentPackets();
    }
}

// A landmark's target command reaches a respawn shrine that heals whoever its ids name: the
// player standing by, the shrine itself, or nobody at all.
void RouteStrategicCommand(const uint8_t* data, size_t size)
{
    std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(data, size);
    auto* command = dynamic_cast<StrategicMovementTargetConfigCmdPacket*>(packet.get());
    if (command == nullptr)
        return;
    const Scene scene;
    ObjectManager& objects = ObjectManager::Instance();
    auto* player = static_cast<Player*>(objects.CreateObject("Player"));
    Object* shrine = objects.CreateObject("StrategicMovementRespawnShrine");
    if (player == nullptr || shrine == nullptr)
        abort();
    if (!command->targets.empty())
        command->targets.front() = player->GetObjectId();
    NetworkShim::ReceivePacket(0, *command);
    command->actorId = shrine->GetObjectId();
    command->targets.push_back(shrine->GetObjectId());
    NetworkShim::ReceivePacket(0, *command);
}

// Every packet of the network interface reaches a game in each role, with a player, a monster
// and a fixed item present; the words 0xEEEE0000-0xEEEE0002 anywhere in the message stand for
// their ids. Whatever the ids, amounts and records say, the three stay what they are and
// nothing the message made outlives it.
void RouteInterfacePacket(const uint8_t* data, size_t size)
{
    {
        std::unique_ptr<NetPacket> probe = ConnectionManager::DecodePacket(data, size);
        GameEngineOutboundInterface outbound;
        const bool routed = probe != nullptr && InboundPacketDispatcher::Dispatch(*probe, outbound);
        gEngine->GetNetworkConnectionManager().TakeSentPackets();
        if (!routed)
            return;
    }
    for (int role = 0; role < 3; ++role) {
        const Scene scene(role);
        ObjectManager& objects = ObjectManager::Instance();
        Object* live[3] = {objects.CreateObject("Player"), objects.CreateObject("Monster"),
                           objects.CreateObject("FixedItem")};
        std::vector<uint8_t> bytes(data, data + size);
        for (size_t at = NetPacketHeader::kSize; at + 4 <= bytes.size(); ++at) {
            uint32_t word = 0;
            for (int i = 0; i < 4; ++i)
                word |= static_cast<uint32_t>(bytes[at + i]) << (8 * i);
            if ((word & 0xFFFFFFF0u) != 0xEEEE0000u || (word & 0xFu) >= 3 ||
                live[word & 0xFu] == nullptr)
                continue;
            const uint32_t id = live[word & 0xFu]->GetObjectId();
            for (int i = 0; i < 4; ++i)
                bytes[at + i] = static_cast<uint8_t>(id >> (8 * i));
        }
        if (std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(bytes)) {
            InboundPacketDispatcher::Dispatch(*packet, *gGameEngine->GetInboundNetworkInterface());
            gGameEngine->Update(33);
        }
        for (Object* object : live)
            if (object != nullptr && objects.GetObject(object->GetObjectId()) != object)
                abort();
        gEngine->GetNetworkConnectionManager().TakeSentPackets();
    }
}

class Everything : public FilterFunction<Entity> {
public:
    bool operator()(const Entity* candidate) const override { return candidate != nullptr; }
};

// A fixed item's commands reach a live trapped chest in a level, and, as sent, whatever item
// their ids name (none, a stranger, an id a trap would spawn under); a refused state, a long
// list or an id in use makes nothing. Nothing may outlive the level.
void RouteFixedItemCommand(const uint8_t* data, size_t size)
{
    std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(data, size);
    if (packet == nullptr || packet->GetType() < 102 || packet->GetType() > 104)
        return;
    const Scene scene;
    ObjectManager& objects = ObjectManager::Instance();
    auto* chest = objects.CreateObjectFromFile<FixedItem>("Records/Fuzz/TrapChest.dbr");
    if (chest == nullptr)
        abort();
    gEngine->GetWorld()->AddEntity(chest, WorldCoords(WorldVec3(1, Vec3())), false);
    chest->InitialUpdate();
    NetworkShim::ReceivePacket(0, *packet);
    if (AimAt<FixedItemStateChangeConfigCmdPacket>(*packet, chest->GetObjectId()) ||
        AimAt<FixedItemTargetConfigCmdPacket>(*packet, chest->GetObjectId()) ||
        AimAt<FixedItemSkillTargetConfigCmdPacket>(*packet, chest->GetObjectId()))
        NetworkShim::ReceivePacket(0, *packet);
    for (int frame = 0; frame < 3; ++frame)
        gEngine->RunFrame(33);
    // Whatever stands in the world goes with the level, made by this message or not.
    std::vector<Entity*> placed;
    gEngine->GetWorld()->GetEntities(placed, Everything());
    for (Entity* entity : placed)
        objects.DestroyObjectEx(entity, "Fuzz/NetPacket", __LINE__);
}

// Aims a market message at the live merchant, whatever market id it named.
template <class... Packets> void AimAtMarket(NetPacket& packet, uint32_t merchantId)
{
    (
        [&] {
            if (auto* typed = dynamic_cast<Packets*>(&packet))
                typed->marketId = merchantId;
        }(),
        ...);
}

// The market messages reach a live market on each side: in each role a merchant stands in the
// world with his stock rolled (the client's from an update of a fixed seed), and the message is
// aimed at him, with the stale seeds, slots past the limit, huge sold lists and names of no
// record it carries, while items are still being made from the queues. The main player's gold
// may only go down (a purchase confirmed for him), and the merchant and the player stay.
void RouteMarketPacket(const uint8_t* data, size_t size)
{
    std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(data, size);
    if (packet == nullptr || packet->GetType() < 49 || packet->GetType() > 55)
        return;
    for (int role = 0; role < 3; ++role) {
        const Scene scene(role);
        ObjectManager& objects = ObjectManager::Instance();
        // A server keeps each merchant's market for good: one merchant id for every input
        // keeps to one, told to roll its stock afresh after each.
        auto* merchant = objects.CreateObjectFromFile<NpcMerchant>(kMerchantRecord, kMerchantId);
        auto* player = static_cast<Player*>(objects.CreateObject("Player"));
        if (merchant == nullptr || player == nullptr)
            abort();
        gEngine->GetWorld()->AddEntity(merchant, WorldCoords(1, Coords()), false);
        gGameEngine->GetPlayerManagerClient()->SetMainPlayer(player->GetObjectId());
        player->AddMoney(1000);
        const uint32_t merchantId = merchant->GetObjectId();
        GameEngineNetworkInterface& inbound = *gGameEngine->GetInboundNetworkInterface();
        gGameEngine->Update(33);
        gGameEngine->Update(33);
        inbound.S2C_MarketUpdate(merchantId, kMarketRecord, 1, 99, {1});
        gGameEngine->Update(33);
        AimAtMarket<MarketC2SUpdateRequestPacket, MarketC2SSellBackPacket,
                    MarketC2SPurchaseRequestPacket, MarketS2CStatusUpdatePacket,
                    MarketS2CPurchaseDeniedPacket, MarketS2CPurchaseConfirmationPacket,
                    MarketS2CUpdatePacket>(*packet, merchantId);
        // 0xEEEE0000 as a buyer stands for the main player, as in the interface's route.
        if (auto* confirmed = dynamic_cast<MarketS2CPurchaseConfirmationPacket*>(packet.get());
            confirmed != nullptr && confirmed->buyerId == 0xEEEE0000u)
            confirmed->buyerId = player->GetObjectId();
        InboundPacketDispatcher::Dispatch(*packet, inbound);
        for (int frame = 0; frame < 3; ++frame)
            gGameEngine->Update(33);
        if (objects.GetObject<NpcMerchant>(merchantId) != merchant ||
            objects.GetObject<Player>(player->GetObjectId()) != player ||
            player->GetCurrentMoney() > 1000)
            abort();
        gEngine->GetNetworkConnectionManager().TakeSentPackets();
        gGameEngine->ForceMarketRefresh(kMerchantId);
        // Its id is not among those the scene hands out and takes back.
        DestroyIfRegistered(kMerchantId);
    }
}

// Every record the routes' objects are made from, held for the run.
FuzzRecords RunRecords()
{
    FuzzRecords records;
    for (const auto& [record, text] : kRecords)
        records.emplace_back(record, text);
    AddAttackRecords(records);
    records.insert(
        records.end(),
        {{kDropRecord, "Class = OneShot_PotionHealth\nbitmap = drop.tex\nbonusLifePoints = 5\n"},
         {kMerchantRecord, "Class = NpcMerchant\nmarketFileName = Records/Fuzz/Market.dbr\n"},
         {kMarketRecord, "marketNumRingMin = 3\nmarketNumRingMax = 4\n"
                         "marketRingTable1 = Records/Fuzz/Rings.dbr\n"
                         "marketHealthPotion = Records/Fuzz/Drop.dbr\nmarketDepreciation = 50\n"},
         {"Records/Fuzz/Rings.dbr", "Class = LootItemTable_FixedWeight\n"
                                    "lootName1 = Records/Fuzz/Drop.dbr\nlootWeight1 = 1\n"
                                    "lootName2 = Records/Fuzz/Ring.dbr\nlootWeight2 = 1\n"},
         {"Records/Fuzz/Ring.dbr", "Class = ArmorJewelry_Ring\nbitmap = ring.tex\n"},
         {kTraderRecord, "Class = Player\n"}});
    return records;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool setUp = [] {
        StartQuietGame();
        ConnectionManager::RegisterPacketClass<VariableFieldsPacket>();
        HoldRunRecords(RunRecords());
        gEngine->SetWorld(std::make_unique<World>());
        gEngine->GetWorld()->CreateRegion(1, {0, 0, 0}, ABBox({-200, -10, -200}, {200, 10, 200}));
        return true;
    }();
    (void)setUp;
    Check(data, size);
    // A spawn message's fields after the player id are the player's record.
    if (size >= NetPacketHeader::kSize + 4)
        CheckPlayerRecord(data + NetPacketHeader::kSize + 4, size - NetPacketHeader::kSize - 4);
    // Most inputs' size words disagree with their length; mended, their fields get read too.
    if (size >= NetPacketHeader::kSize) {
        std::vector<uint8_t> mended(data, data + size);
        const uint32_t fields = static_cast<uint32_t>(size - NetPacketHeader::kSize);
        for (int i = 0; i < 4; ++i)
            mended[4 + i] = static_cast<uint8_t>(fields >> (8 * i));
        Check(mended.data(), mended.size());
        RouteTravel(mended.data(), mended.size());
        RouteSkillCommand(mended.data(), mended.size());
        RouteBuffCommand(mended.data(), mended.size());
        RouteAttackCommand(mended.data(), mended.size());
        RouteItemCommand(mended.data(), mended.size());
        RouteFixedItemCommand(mended.data(), mended.size());
        RouteStrategicCommand(mended.data(), mended.size());
        RouteInterfacePacket(mended.data(), mended.size());
        RouteMarketPacket(mended.data(), mended.size());
        RouteTradePacket(mended.data(), mended.size());
    }
    return 0;
}
