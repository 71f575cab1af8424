// Hostile bytes read twice: as the character save of a hero made from his record, who then plays
// a few frames in a world as the host's hero does, and as a quest token stream into a fresh
// player. Whatever numbers the save holds reach the game (his bio, his hotbar, his equipment's
// requirements, the players' levels the market asks for). Nothing may crash or hang, nothing may
// allocate beyond what the bytes could hold, and a token stream cannot hand the player more
// tokens than it has entries for.
#include "ai/ControllerPlayer.h"
#include "characters/Player.h"
#include "core/PlayerInfo.h"
#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/IOStreamRead.h"
#include "engine/World.h"
#include "fuzz/AllocationWatch.h"
#include "fuzz/BagRecords.h"
#include "fuzz/CharacterInput.h"
#include "fuzz/InputLookups.h"
#include "items/EquipmentCtrl.h"
#include "items/Item.h"
#include "multiplayer/PlayerManagerClient.h"
#include "multiplayer/PlayerManagerServer.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace GAME;
using namespace GAME::CharacterInput;

// The smallest token entry: kind, key length, "tokenName", an empty string's length.
constexpr size_t kTokenEntryBytes = 1 + 2 + 9 + 4;
constexpr const char* kHeroRecord = "Records/Fuzz/Hero.dbr";
// A frame, a long one, and a quarter second: the hotbar's look at its skills comes round.
constexpr int32_t kFrameMs[] = {0, 33, 1000, 250, 33};

class FreshPlayer : public Player {
public:
    size_t PendingTokens() const { return pendingTokens.size(); }
};

// The hero and what his saves name: his level file, a skill tree, the controller that keeps his
// bag, and a potion, a ring, a sword and a relic.
void HoldHeroRecords()
{
    static const bool held = [] {
        StartGame(nullptr);
        FuzzRecords records = BagRecords();
        records.insert(
            records.end(),
            {{kHeroRecord, "Class = Player\nlevelFileName = Records/Fuzz/Levels.dbr\n"
                           "charLevel = 1\ncharacterStrength = 50\ncharacterDexterity = 50\n"
                           "characterIntelligence = 50\ncharacterLife = 300\n"
                           "characterMana = 150\nskillTree1 = Records/Fuzz/Tree.dbr\n"},
             {"Records/Fuzz/Levels.dbr",
              "experienceLevelEquation = ((playerLevel*(playerLevel+1))*250)\n"
              "maxPlayerLevel = 50\ncharacterModifierPoints = 2\nskillModifierPoints = 3\n"},
             {"Records/Fuzz/Tree.dbr", "skillName1 = Records/Fuzz/Toughness.dbr\nskillLevel1 = 1\n"
                                       "skillName2 = Records/Fuzz/Brawn.dbr\n"},
             {"Records/Fuzz/Toughness.dbr",
              "Class = Skill_Passive\nskillMaxLevel = 8\nskillUltimateLevel = 10\n"},
             {"Records/Fuzz/Brawn.dbr", "Class = Skill_Passive\nskillMaxLevel = 3\n"},
             {Player::kPlayerControllerRecord, "Class = ControllerPlayer\n"}});
        HoldRunRecords(records);
        return true;
    }();
    (void)held;
}

// What a save's numbers reach once the hero plays: his frames, his equipment's requirements and
// the players' levels.
void Play(Player& hero)
{
    for (const int32_t ms : kFrameMs)
        hero.UpdateSelf(ms);
    if (ControllerPlayer* controller = hero.GetControllerPlayer()) {
        const EquipmentCtrl& equipment = controller->GetEquipmentCtrl();
        for (int32_t slot = EquipmentCtrlLocation_Head; slot <= EquipmentCtrlLocation_HandLeft;
             ++slot) {
            const uint32_t id = equipment.GetItem(static_cast<EquipmentCtrlLocation>(slot));
            if (const auto* item = ObjectManager::Instance().GetObject<Item>(id))
                (void)EquipmentCtrl::MeetsRequirements(&hero, item, false);
        }
    }
    PlayerInfo players;
    GameEngine::Get().GetPlayerInfo(players);
}

// The hero enters the world as the host's does, his save read before his first frame.
void LoadAndPlay(const uint8_t* data, size_t size)
{
    const InputStart start;
    auto* hero = ObjectManager::Instance().CreateObjectFromFile<Player>(kHeroRecord);
    if (hero == nullptr)
        abort();
    gEngine->GetWorld()->AddEntity(hero, {kRegion, Coords::Identity()}, false);
    hero->InitialUpdate();
    hero->GetCharacterBio().Update(*hero, 0);
    hero->SetIsControllingCharacter(true);
    PlayerManagerClient& players = *GameEngine::Get().GetPlayerManagerClient();
    players.SetMainPlayer(hero->GetObjectId());
    IOStreamRead save(std::vector<uint8_t>(data, data + size));
    hero->StreamProperties(&save);
    if (!save.HasFailed())
        Play(*hero);
    // The single player's server took him in as it does the host's hero: he leaves it again.
    if (PlayerManagerServer* server = GameEngine::Get().GetPlayerManagerServer())
        server->HandleRemovePlayer(hero->GetObjectId());
    players.Clear();
    ClearWorld();
    EndInput(start);
}

// Read into a fresh player without a bag, as `read` does, within what the bytes could hold.
template <class Read> void ReadWatched(FreshPlayer& player, size_t size, Read&& read)
{
    // Id lists grow by doubling; every id costs far more bytes than it takes in memory.
    const size_t limit = 8 * size + 64 * 1024;
    AllocationWatch::Start();
    read(player);
    if (AllocationWatch::Stop() > limit)
        abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    HoldHeroRecords();
    const InputLookups lookups;
    const std::vector<uint8_t> bytes(data, data + size);
    {
        FreshPlayer player;
        ReadWatched(player, size, [&](Player& into) {
            IOStreamRead save(bytes);
            into.StreamProperties(&save);
        });
    }
    LoadAndPlay(data, size);
    FreshPlayer player;
    ReadWatched(player, size, [&](Player& into) {
        IOStreamRead tokens(bytes);
        into.StreamPropertiesQuestTokens(&tokens);
    });
    if (player.PendingTokens() > size / kTokenEntryBytes)
        abort();
    return 0;
}
