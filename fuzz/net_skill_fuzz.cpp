// Hostile skill commands of a peer (skill results, launches, spawns, buffs, active states) reach
// live characters' skill managers, mirrored and on the controlling machine, through the frames
// that follow. Nothing may crash, and what they make stays bounded and goes with them.
#include "characters/Character.h"
#include "characters/Monster.h"
#include "characters/TeamManager.h"
#include "engine/ConnectionManager.h"
#include "engine/Engine.h"
#include "engine/NetPacket.h"
#include "engine/NetworkShim.h"
#include "engine/ObjectManager.h"
#include "engine/SmartObjectId.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "fuzz/NetScene.h"
#include "game/GameEngine.h"
#include "multiplayer/ConfigCmdPackets.h"
#include "skills/SkillManager.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

using namespace GAME;

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
    const NetScene scene;
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
    const NetScene scene;
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
    const NetScene scene;
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

// Every record the routes' objects are made from, held for the run.
FuzzRecords RunRecords()
{
    FuzzRecords records;
    for (const auto& [record, text] : kRecords)
        records.emplace_back(record, text);
    AddAttackRecords(records);
    return records;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    NetScene::Play(data, size, RunRecords,
                   {RouteSkillCommand, RouteBuffCommand, RouteAttackCommand});
    return 0;
}
