#include "host/scenarios/CommandReport.h"

#include "characters/Character.h"
#include "characters/CharacterConfigCommands.h"
#include "characters/CharacterRagDoll.h"
#include "characters/Monster.h"
#include "characters/Player.h"
#include "characters/Team.h"
#include "combat/CombatManager.h"
#include "combat/DeathManager.h"
#include "engine/ABBox.h"
#include "engine/ConnectionManager.h"
#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/NetPacket.h"
#include "engine/NetworkShim.h"
#include "engine/ObjectManager.h"
#include "engine/PhysicsRagDoll.h"
#include "engine/SoundPak.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "game/GameEngine.h"
#include "host/HostOptions.h"
#include "host/HostSamples.h"
#include "items/EquipLocations.h"
#include "items/EquipManager.h"
#include "items/Inventory.h"
#include "items/Item.h"

#include <functional>
#include <initializer_list>
#include <memory>
#include <ostream>
#include <sstream>
#include <utility>

namespace GAME {

namespace {

constexpr uint32_t kCommandRegion = 1;
constexpr int32_t kFrameMs = 33;

// Both machines make the same objects under the same ids, as spawning would.
constexpr uint32_t kPlayerId = 0x101;
constexpr uint32_t kMonsterId = 0x102;
constexpr uint32_t kCuirassId = 0x103;
constexpr uint32_t kShieldId = 0x104;
constexpr uint32_t kPotionId = 0x105;

// The hero, able to name one of his sounds as a net sound as a record would.
class NetSoundPlayer final : public Player {
public:
    using Character::RegisterNetSound;
};

// What the commands act on, made alike on both machines.
struct Cast {
    NetSoundPlayer* player = nullptr;
    Monster* monster = nullptr;
    bool made = false;
};

Cast StageCommands(std::ostream& err)
{
    Cast cast;
    World& world = *gEngine->GetWorld();
    cast.player = HostSamples::Make<NetSoundPlayer>(CommandReport::kPlayer, err, kPlayerId);
    cast.monster = HostSamples::Make<Monster>(CommandReport::kMonster, err, kMonsterId);
    if (cast.player == nullptr || cast.monster == nullptr)
        return cast;
    world.AddEntity(cast.player, WorldCoords(kCommandRegion, Coords::FromTranslation({0, 0, 0})),
                    false);
    world.AddEntity(cast.monster, WorldCoords(kCommandRegion, Coords::FromTranslation({4, 0, 0})),
                    false);
    for (Character* character : std::initializer_list<Character*>{cast.player, cast.monster}) {
        character->InitialUpdate();
        character->GetCharacterBio().Update(*character, 0);
    }
    ObjectManager& objects = ObjectManager::Instance();
    for (const auto& [record, id] : {std::pair{CommandReport::kCuirass, kCuirassId},
                                     std::pair{CommandReport::kShield, kShieldId},
                                     std::pair{CommandReport::kPotion, kPotionId}}) {
        if (objects.CreateObjectFromFile<Item>(record, id) == nullptr) {
            err << "gamehost: sample item record '" << record << "' does not make an item\n";
            return cast;
        }
        cast.player->GetInventory().AddItemToInventory(id, false);
    }
    cast.player->RegisterNetSound(cast.player->GetSwipeSound());
    cast.made = true;
    return cast;
}

// The potion has something to give back: the hero starts the commands wounded to 30 life.
void Wound(Character& character)
{
    character.GetCharacterBio().SubtractLife(character.GetCurrentLife() - 30.0f);
}

std::string ItemsText(Character& character)
{
    std::ostringstream text;
    std::vector<uint32_t> worn;
    character.GetCombatManager().GetEquipManager().GetAllAttachedItems(worn);
    text << "worn [";
    for (size_t i = 0; i < worn.size(); ++i)
        text << (i > 0 ? " " : "") << worn[i];
    text << "], carried [";
    const std::vector<uint32_t>& carried = character.GetInventory().GetInventoryItems();
    for (size_t i = 0; i < carried.size(); ++i)
        text << (i > 0 ? " " : "") << carried[i];
    text << ']';
    return text.str();
}

std::string CharacterState(const char* name, Character& character)
{
    const Team team = character.GetTeam();
    std::ostringstream text;
    text << "    " << name << ": life " << HostSamples::OneDecimal(character.GetCurrentLife())
         << " of " << HostSamples::OneDecimal(character.GetPotentialLife()) << ", team "
         << team.GetTeamMajor() << ':' << team.GetTeamMinor() << ", "
         << (character.GetVisibility() ? "visible" : "hidden") << ", " << ItemsText(character)
         << '\n';
    return text.str();
}

std::string EndState(const Cast& cast)
{
    std::ostringstream text;
    text << CharacterState("player", *cast.player) << CharacterState("monster", *cast.monster);
    const Item* shield = ObjectManager::Instance().GetObject<Item>(kShieldId);
    text << "    shield: "
         << (shield == nullptr ? "gone"
             : shield->IsInWorld()
                 ? "in the world at " +
                       HostSamples::PointText(shield->GetCoords().GetRegionCoords().origin)
                 : std::string("held"))
         << ", potion: " << (ObjectManager::Instance().GetObject<Item>(kPotionId) ? "left" : "gone")
         << ", net sound plays: "
         << (cast.player->GetSwipeSound() != nullptr
                 ? cast.player->GetSwipeSound()->GetPlayRequests().GetTotalCount()
                 : 0)
         << '\n';
    return text.str();
}

} // namespace

CommandReport::CommandReport(const HostOptions& options, std::ostream& out, std::ostream& err)
    : options(options), out(out), err(err)
{}

bool CommandReport::Run()
{
    out << "scenario commands as server, seed " << options.seed << ":\n";
    if (!HostSamples::InNetworkWorld(false, err, [this] { return PlayServer(); }))
        return false;
    out << "  client: a fresh engine replays the " << recorded.size() << " packets received\n";
    if (!HostSamples::InNetworkWorld(true, err, [this] { return ReplayClient(); }))
        return false;
    out << "  server and client agree: " << (serverState == clientState ? "yes" : "no") << '\n';
    return HostSamples::InNetworkWorld(false, err, [this] { return RagDollDeath(); });
}

bool CommandReport::PlayServer()
{
    Cast cast = StageCommands(err);
    if (!cast.made)
        return false;
    out << "  player " << kPlayerId << ", monster " << kMonsterId << "; the player carries cuirass "
        << kCuirassId << ", shield " << kShieldId << " and potion " << kPotionId << '\n';
    Player& player = *cast.player;
    Monster& monster = *cast.monster;
    ConnectionManager& connection = gEngine->GetNetworkConnectionManager();
    const auto report = [&](const char* what) {
        out << "  " << what << ":\n";
        for (ConnectionManager::SentPacket& sent : connection.TakeSentPackets()) {
            HostSamples::PrintPacket(out, sent, "    ", "      ");
            recorded.push_back(std::move(sent.bytes));
        }
    };
    player.Enqueue(
        std::make_unique<AttachItemConfigCmd>(kPlayerId, kCuirassId, EquipLocations_UpperBody));
    report("equip the cuirass");
    player.Enqueue(std::make_unique<DropItemConfigCmd>(kPlayerId, kShieldId, 1.5f, -0.5f));
    report("drop the shield");
    player.Enqueue(std::make_unique<CharPickUpConfigCmd>(kPlayerId, kShieldId));
    report("pick the shield up again");
    Team team;
    team.Set(2, 1);
    monster.Enqueue(std::make_unique<SetTeamConfigCmd>(kMonsterId, team));
    report("the monster joins team 2:1");
    Wound(player);
    player.Enqueue(std::make_unique<UseItemConfigCmd>(kPlayerId, kPotionId, true));
    report("drink the potion at 30 life");
    cast.player->PlayNetSound(player.GetSwipeSound());
    report("play the swing as a net sound");
    player.Enqueue(std::make_unique<IncrementBaseLifeConfigCmd>(kPlayerId, 20));
    report("raise base life by 20");
    monster.Enqueue(std::make_unique<ShowCharacterConfigCmd>(kMonsterId, false));
    report("hide the monster");
    serverState = EndState(cast);
    out << "  server end state:\n" << serverState;
    return true;
}

bool CommandReport::ReplayClient()
{
    Cast cast = StageCommands(err);
    if (!cast.made)
        return false;
    Wound(*cast.player);
    size_t ran = 0;
    for (const std::vector<uint8_t>& bytes : recorded) {
        std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(bytes);
        ran += packet != nullptr && NetworkShim::ReceivePacket(0, *packet) ? 1 : 0;
    }
    clientState = EndState(cast);
    out << "  client ran " << ran << " of them; client end state:\n" << clientState;
    return true;
}

bool CommandReport::RagDollDeath()
{
    Monster* monster = HostSamples::Make<Monster>(kMonster, err, kMonsterId);
    if (monster == nullptr)
        return false;
    HostSamples::EnterWorld(*monster, WorldCoords(kCommandRegion, Coords()));
    // The camera's and the mesh loader's parts: the body is in view, with three rigid bodies
    // along its spine.
    monster->SetInRenderPreLoadFrustum(true);
    monster->AddRigidBodyBones(Name::Create("Bip01 Pelvis"), Name::Create("Bip01 Spine"));
    monster->AddRigidBodyBones(Name::Create("Bip01 Spine"), Name::Create("Bip01 Neck"));
    monster->AddRigidBodyBones(Name::Create("Bip01 Neck"), Name::Create("Bip01 Head"));
    CharacterRagDoll::EffectData blow;
    blow.effect = CharacterRagDoll::TakeHit;
    blow.direction = {1.0f, 0.0f, 0.0f};
    blow.speed = 20.0f;
    blow.amplification = 0.5f;
    monster->SetRagdollData(blow, false);
    monster->GetCharacterBio().SubtractLife(monster->GetCurrentLife());
    out << "  rag-doll death: the monster's last blow along (1, 0, 0), speed 20, amplification "
           "0.5\n";
    DeathManager& deaths = *monster->GetDeathManager();
    deaths.SetObjectIds(deaths.CreateObjectIds());
    deaths.Execute();
    const auto* ragDoll = dynamic_cast<const PhysicsRagDoll*>(monster->GetPhysicsObject());
    if (ragDoll == nullptr) {
        out << "    no rag doll took the body\n";
        return true;
    }
    const std::vector<PhysicsRagDoll::RigidBody>& bodies = ragDoll->GetRigidBodies();
    for (size_t i = 0; i < bodies.size(); ++i)
        out << "    body " << i << " (" << bodies[i].firstBone.GetString() << " to "
            << bodies[i].secondBone.GetString() << "): velocity "
            << HostSamples::PointText(bodies[i].linearVelocity) << '\n';
    int32_t ms = 0;
    for (; ms < 2000 && !deaths.IsFinished(); ms += kFrameMs) {
        gEngine->GetWorld()->UpdateEntities(kFrameMs);
        deaths.Update(kFrameMs);
    }
    out << "    the body " << (deaths.IsFinished() ? "came to rest" : "still falls") << " after "
        << ms << " ms\n";
    return true;
}

} // namespace GAME
