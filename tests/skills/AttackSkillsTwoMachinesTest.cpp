#include "characters/Monster.h"
#include "combat/CombatManager.h"
#include "engine/Coords.h"
#include "engine/Entity.h"
#include "engine/FilterFunction.h"
#include "engine/Name.h"
#include "engine/NetPacket.h"
#include "engine/NetworkShim.h"
#include "multiplayer/ConfigCmdPackets.h"
#include "tests/support/SkillsFixture.h"
#include "world/ProjectileBase.h"

#include <cstdio>
#include <map>

namespace GAME::Test {
namespace {

constexpr uint32_t kRegion = 1;
constexpr uint32_t kCasterId = 0x401;
constexpr uint32_t kFoeId = 0x402;
constexpr int32_t kFrameMs = 100;
// Past the lightning's 5000 ms fall-back, with the beam long back.
constexpr int32_t kFrames = 55;
// A projectile still up this long after its launch lands on its target anyway.
constexpr int32_t kLandMs = 500;
constexpr const char* kCaster = "Records/Two/Caster.dbr";
constexpr const char* kFoe = "Records/Two/Foe.dbr";
constexpr const char* kTree = "Records/Two/Tree.dbr";

using Packets = std::vector<std::vector<uint8_t>>;

class Everything final : public FilterFunction<Entity> {
public:
    bool operator()(const Entity*) const override { return true; }
};

struct Kind {
    const char* record;
    std::vector<std::string> lines;
    // Each use pays its cost once and wounds the foe once, by the seeded roll.
    const char* expected;
};

// One of each kind of attack skill, each within reach of a foe 1.5 ahead.
const std::vector<Kind> kKinds{
    {"Records/Two/Swing.dbr",
     {"Class = Skill_AttackWeaponCharge", "skillManaCost = 6", "offensivePhysicalMin = 15",
      "offensivePhysicalMax = 20"},
     "caster 300.000 life 144.000 mana, foe 373.835 life"},
    {"Records/Two/Fireball.dbr",
     {"Class = Skill_AttackProjectile", "skillManaCost = 5",
      "skillProjectileName = Records/Two/Ball.dbr", "skillProjectileNumber = 1",
      "offensiveFireMin = 12", "offensiveFireMax = 18"},
     "caster 300.000 life 145.000 mana, foe 384.373 life"},
    {"Records/Two/Wave.dbr",
     {"Class = Skill_AttackRadius", "skillManaCost = 7", "skillTargetRadius = 6",
      "offensiveColdMin = 9", "offensiveColdMax = 11"},
     "caster 300.000 life 143.000 mana, foe 389.791 life"},
    {"Records/Two/Strike.dbr",
     {"Class = Skill_AttackRadiusLightning", "skillManaCost = 5", "skillTargetRadius = 2",
      "lightningName = Records/Two/Bolt.dbr", "offensiveLightningMin = 10",
      "offensiveLightningMax = 14"},
     "caster 300.000 life 145.000 mana, foe 386.377 life"},
    {"Records/Two/Curse.dbr",
     {"Class = Skill_AttackSpell", "skillManaCost = 4", "offensivePoisonMin = 8",
      "offensivePoisonMax = 8"},
     "caster 300.000 life 146.000 mana, foe 392.000 life"},
    {"Records/Two/Beam.dbr",
     {"Class = Skill_AttackSpellChaos", "skillManaCost = 8", "headVelocity = 8.0",
      "tailVelocity = 16.0", "maxDistance = 12", "chaosBeamName = Records/Two/BeamEffect.dbr",
      "offensiveLightningMin = 8", "offensiveLightningMax = 12"},
     "caster 300.000 life 142.000 mana, foe 389.166 life"},
};

// What both machines must agree on.
struct Lives {
    float casterLife = 0.0f;
    float casterMana = 0.0f;
    float foeLife = 0.0f;
};

// The controlling machine plays one use of a skill and the frames after it, keeping what it
// sent step by step; a second engine, mirroring, makes the same characters under the same ids
// and takes those commands in the same steps.
class AttackSkillsTwoMachinesTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        database.WriteRecord(kCaster, {"Class = Player", "characterLife = 300",
                                       "characterLifeRegen = 0", "characterMana = 150",
                                       "characterManaRegen = 0", "characterOffensiveAbility = 350",
                                       "handHitDamageMin = 8", "handHitDamageMax = 14",
                                       "combatManagerRecord = Records/Two/Combat.dbr"});
        database.WriteRecord(kFoe,
                             {"Class = Monster", "characterLife = 400", "characterLifeRegen = 0",
                              "characterMana = 40", "characterDefensiveAbility = 100",
                              "combatManagerRecord = Records/Two/Combat.dbr"});
        // A swing lands as often as the hit chance says.
        database.WriteRecord(
            "Records/Two/Combat.dbr",
            {"probabilityToHitEquation = (((offensiveAbilityDV-defensiveAbilityDV)*0.2)+90)",
             "normalPTHEquation = (0.5+(probabilityToHitDV*0.005))", "pthThreshold1 = 100",
             "pthDamageModifier1 = 1.0", "pthThreshold2 = 110", "pthDamageModifier2 = 1.1",
             "pthThreshold3 = 120", "pthDamageModifier3 = 1.2", "pthThreshold4 = 130",
             "pthDamageModifier4 = 1.3", "pthThreshold5 = 140", "pthDamageModifier5 = 1.4",
             "pthThreshold6 = 150", "pthDamageModifier6 = 1.5"});
        database.WriteRecord("Records/Two/Ball.dbr",
                             {"Class = ProjectileFireballLike", "projectileVelocity = 12",
                              "projectileDistance = 20"});
        database.WriteRecord("Records/Two/Bolt.dbr",
                             {"Class = Lightning", "fromSky = 1", "numberOfBolts = 1",
                              "timeMin = 0.8", "timeMax = 0.8"});
        database.WriteRecord("Records/Two/BeamEffect.dbr", {"Class = ChaosBeam"});
        std::string tree;
        int index = 0;
        for (const Kind& kind : kKinds) {
            std::string text = "skillMaxLevel = 1\n";
            for (const std::string& line : kind.lines)
                text += line + "\n";
            database.WriteFile(kind.record, text);
            ++index;
            tree += "skillName" + std::to_string(index) + " = " + kind.record + "\nskillLevel" +
                    std::to_string(index) + " = 1\n";
        }
        database.WriteFile(kTree, tree);
    }

    void TearDown() override
    {
        gEngine->SetNetworkMode(false, false);
        GameEngineFixture::TearDown();
    }

    // Runs `play` in a fresh library and world in the given role.
    template <class Play> Lives Machine(bool client, Play&& play)
    {
        gEngine->SetNetworkMode(true, client);
        InitializeObjects();
        EXPECT_NE(gGameEngine, nullptr);
        if (client)
            gGameEngine->SetAsNetworkClient();
        else
            gGameEngine->SetAsNetworkServer();
        gGameEngine->GetRandomGen().Seed(29);
        gEngine->GetNetworkConnectionManager().ClearSentPackets();
        std::unique_ptr<World> previous = gEngine->SetWorld(std::make_unique<World>());
        gEngine->GetWorld()->CreateRegion(kRegion, {0, 0, 0}, ABBox({-40, -10, -40}, {40, 10, 40}));
        Lives lives;
        if (Stage())
            lives = play();
        // Bolts, beams and characters leave the world before it goes.
        World& world = *gEngine->GetWorld();
        std::vector<Entity*> entities;
        world.GetEntities(entities, Everything());
        for (Entity* entity : entities)
            world.RemoveEntity(entity);
        ObjectManager::Instance().DestroyAllObjects();
        gEngine->GetNetworkConnectionManager().ClearSentPackets();
        gEngine->SetWorld(std::move(previous));
        ShutdownObjects();
        gEngine->SetNetworkMode(false, false);
        return lives;
    }

    bool Stage()
    {
        auto* caster = ObjectManager::Instance().CreateObjectFromFile<Player>(kCaster, kCasterId);
        auto* foe = ObjectManager::Instance().CreateObjectFromFile<Monster>(kFoe, kFoeId);
        if (caster == nullptr || foe == nullptr) {
            ADD_FAILURE() << "the caster or the foe could not be made";
            return false;
        }
        caster->SetTeam(TeamManager::BuildTeam(2, 1));
        foe->SetTeam(TeamManager::DefaultMonsterTeam());
        World& world = *gEngine->GetWorld();
        world.AddEntity(caster, WorldCoords(kRegion, Coords()), false);
        world.AddEntity(foe, WorldCoords(kRegion, Coords::FromTranslation({0.0f, 0.0f, 1.5f})),
                        false);
        caster->GetSkillManager().LoadSkills(kTree, 25);
        for (Character* character : Both()) {
            character->InitialUpdate();
            character->GetCharacterBio().Update(*character, 0);
            character->GetSkillManager().Update(0);
        }
        return true;
    }

    static std::vector<Character*> Both()
    {
        ObjectManager& objects = ObjectManager::Instance();
        return {objects.GetObject<Character>(kCasterId), objects.GetObject<Character>(kFoeId)};
    }

    static Lives Now()
    {
        const std::vector<Character*> both = Both();
        return {both[0]->GetCurrentLife(), both[0]->GetCurrentMana(), both[1]->GetCurrentLife()};
    }

    static Packets TakeSent()
    {
        Packets packets;
        for (ConnectionManager::SentPacket& sent :
             gEngine->GetNetworkConnectionManager().TakeSentPackets())
            packets.push_back(std::move(sent.bytes));
        return packets;
    }

    // Start, hit and end, as the caster's animation would run them.
    static void Use(const char* record)
    {
        Character& caster = *Both()[0];
        Character& foe = *Both()[1];
        SkillManager& skills = caster.GetSkillManager();
        const uint32_t reference = skills.GetSkillReferenceNumber(skills.FindSkillId(record));
        const WorldVec3 point = foe.GetCoords().GetPosition();
        skills.StartSkill(reference, kFoeId, point, 7);
        skills.HandleSkillAnimationCallback(Name::Create("Hit"), reference, kFoeId, point);
        skills.HandleSkillAnimationCallback(Name::Create("End"), reference, kFoeId, point);
    }

    // A frame of both characters. A projectile that has flown its time lands on its target:
    // the controlling machine reports the hit, every machine takes it down.
    void Frame(bool controlling)
    {
        for (Character* character : Both()) {
            character->GetSkillManager().Update(kFrameMs);
            character->GetCombatManager().Update(kFrameMs, character->GetCharacterBio());
            // The bio takes the mana the skills drew.
            character->GetCharacterBio().Update(*character, kFrameMs);
        }
        ObjectManager& objects = ObjectManager::Instance();
        for (auto at = flying.begin(); at != flying.end();) {
            auto* projectile = objects.GetObject<ProjectileBase>(at->first);
            if (projectile == nullptr) {
                at = flying.erase(at);
                continue;
            }
            projectile->UpdateSelf(kFrameMs);
            at->second += kFrameMs;
            if (objects.GetObject<ProjectileBase>(at->first) != projectile ||
                at->second < kLandMs) {
                ++at;
                continue;
            }
            const ProjectileInfo info = projectile->GetInfo();
            auto* skill = objects.GetObject<Skill>(info.skillId);
            if (controlling && skill != nullptr && info.targetId != 0)
                skill->TargetInformation(info, projectile->GetCoords(), {info.targetId});
            projectile->DeleteProjectile();
            at = flying.erase(at);
        }
        objects.ProcessDestroyedObjects();
    }

    void Track(const Packets& packets)
    {
        for (const std::vector<uint8_t>& bytes : packets) {
            std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(bytes);
            if (const auto* launch =
                    dynamic_cast<const CreateProjectileConfigCmdPacket*>(packet.get()))
                flying.emplace(launch->projectileId, 0);
        }
    }

    // The controlling machine, then the mirroring one replaying what it sent.
    std::pair<Lives, Lives> BothMachines(const char* record)
    {
        std::vector<Packets> steps;
        flying.clear();
        const Lives server = Machine(false, [&] {
            for (Character* character : Both()) {
                character->SetIsControllingCharacter(true);
                character->GetSkillManager().SetAsControllingManager();
                character->GetSkillManager().Update(0);
            }
            steps.push_back(TakeSent());
            Use(record);
            steps.push_back(TakeSent());
            Track(steps.back());
            for (int32_t frame = 0; frame < kFrames; ++frame) {
                Frame(true);
                steps.push_back(TakeSent());
                Track(steps.back());
            }
            return Now();
        });
        flying.clear();
        const Lives client = Machine(true, [&] {
            for (size_t i = 0; i < steps.size(); ++i) {
                if (i > 1)
                    Frame(false);
                for (const std::vector<uint8_t>& bytes : steps[i]) {
                    std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(bytes);
                    EXPECT_TRUE(packet != nullptr && NetworkShim::ReceivePacket(0, *packet));
                }
                Track(steps[i]);
            }
            // A mirror decides nothing of its own.
            EXPECT_TRUE(TakeSent().empty());
            return Now();
        });
        return {server, client};
    }

    std::map<uint32_t, int32_t> flying;
};

std::string Text(const Lives& lives)
{
    char text[96];
    std::snprintf(text, sizeof(text), "caster %.3f life %.3f mana, foe %.3f life",
                  static_cast<double>(lives.casterLife), static_cast<double>(lives.casterMana),
                  static_cast<double>(lives.foeLife));
    return text;
}

TEST_F(AttackSkillsTwoMachinesTest, EachKindEndsWithEqualLivesOnBothMachines)
{
    for (const Kind& kind : kKinds) {
        const auto [server, client] = BothMachines(kind.record);
        SCOPED_TRACE(kind.record);
        EXPECT_EQ(Text(server), Text(client));
        EXPECT_EQ(Text(server), kind.expected);
    }
}

} // namespace
} // namespace GAME::Test
