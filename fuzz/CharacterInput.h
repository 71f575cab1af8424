#pragma once

#include "characters/Character.h"
#include "core/RTTI_ClassInfo.h"
#include "engine/ABBox.h"
#include "engine/Database.h"
#include "engine/Engine.h"
#include "engine/FilterFunction.h"
#include "engine/GraphicsEngine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "fuzz/InputStart.h"
#include "fuzz/QuietGame.h"
#include "fuzz/RecordInput.h"
#include "game/GameEngine.h"
#include "items/EquipManager.h"
#include "multiplayer/GameEngineInboundInterface.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The character fuzzers share one input: a hostile character record and the records it names,
// split on NUL bytes, in the order below. Each fuzzer reads the pieces up to the last one it
// plays with, so one seed serves them all.
namespace GAME::CharacterInput {

enum Piece : size_t {
    Piece_Character,
    Piece_GameSettings,
    Piece_Combat,
    Piece_Levels,
    Piece_Animations,
    Piece_Sound,
    Piece_FxPak,
    Piece_Effect,
    Piece_Regeneration,
    Piece_Item,
    Piece_Gold,
    Piece_Controller,
    Piece_MonsterAI,
    Piece_Count
};

// Where each piece goes. The seeds' records name these paths.
constexpr const char* kRecords[Piece_Count] = {
    "Records/Fuzz/Character.dbr", "Records/Game/GameEngine.dbr", "Records/Fuzz/Combat.dbr",
    "Records/Fuzz/Levels.dbr",    "Records/Fuzz/Animations.dbr", "Records/Fuzz/Sound.dbr",
    "Records/Fuzz/FxPak.dbr",     "Records/Fuzz/Effect.dbr",     "Records/Game/HealthManaRegen.dbr",
    "Records/Fuzz/Item.dbr",      "Records/Fuzz/Gold.dbr",       "Records/Fuzz/Controller.dbr",
    "Records/Fuzz/MonsterAI.dbr",
};
constexpr const char* kCharacterRecord = kRecords[Piece_Character];
constexpr const char* kGoldRecord = kRecords[Piece_Gold];
constexpr const char* kControllerRecord = kRecords[Piece_Controller];
constexpr const char* kMonsterAIRecord = kRecords[Piece_MonsterAI];
// The monster that thinks with the AI record, and the plain one that its ally and enemy are.
constexpr const char* kThinkerRecord = "Records/Fuzz/Thinker.dbr";
constexpr const char* kPlainMonsterRecord = "Records/Fuzz/Enemy.dbr";

// The kinds a character record may ask for; any other class is made a plain character, since
// other classes have fuzzers (or none) of their own.
constexpr const char* kKinds[] = {"Character",        "Player", "Monster",      "Npc",
                                  "AmbientCharacter", "Typhon", "TyphonStatue", "TyphonChained"};
constexpr const char* kControllerKinds[] = {
    "ControllerCombat",        "ControllerMonster",
    "ControllerNpc2",          "ControllerStooge",
    "ControllerNpcHerder",     "ControllerNpcHerdAnimal",
    "ControllerAlly",          "ControllerPet",
    "ControllerAktaios",       "ControllerStationaryMonster",
    "ControllerMonsterHidden", "ControllerTyphon",
    "ControllerTyphonChained", "ControllerBandari",
    "ControllerTerracotta",    "ControllerTelkine",
    "ControllerCyclops"};
// The thinking monster's controller: the plain one unless the AI record names a variant.
constexpr const char* kMonsterAIKinds[] = {"ControllerMonster",
                                           "ControllerAlly",
                                           "ControllerPet",
                                           "ControllerAktaios",
                                           "ControllerStationaryMonster",
                                           "ControllerMonsterHidden",
                                           "ControllerTyphon",
                                           "ControllerTyphonChained",
                                           "ControllerBandari",
                                           "ControllerTerracotta",
                                           "ControllerTelkine",
                                           "ControllerCyclops"};

constexpr uint32_t kRegion = 1;

// The database, which holds the input's records.
inline Database& Records()
{
    return ObjectManager::Instance().GetDatabase();
}

// Puts the text as the record, made the first of the kinds unless it asks for one of them
// (the prefix's key comes first, and the first of a key wins); returns the kind. The database
// reads the record once, and again only when it is remade.
template <size_t N>
std::string PutKind(FuzzRecords& records, const char* record, std::string_view text,
                    const char* const (&kinds)[N])
{
    Records().PutFile(record, std::string(text));
    records.emplace_back(record, std::string());
    const LoadTable* table = Records().FindLoadTable(record);
    std::string kind = table != nullptr ? table->GetString("Class") : std::string();
    for (const char* allowed : kinds) {
        if (kind == allowed)
            return kind;
    }
    Records().PutFile(record, std::string("Class = ") + kinds[0] + "\n" + std::string(text));
    return kinds[0];
}

// The text, or none when it is too faulty to be a record even before the few keys the harness
// adds to it (each of which may repeat one of the text's, a fault more): the kinds a harness
// forces on its records must stay records.
inline std::string_view Recordable(std::string_view text)
{
    constexpr std::string_view kAddedFaults = "\n-\n-\n-\n-\n-\n-\n-\n-\n";
    LoadTable probe;
    probe.Parse(std::string(text) + std::string(kAddedFaults), "probe.dbr");
    return probe.IsRefused() ? std::string_view() : text;
}

// The AI record serves twice, its first keys winning: as the controller record, and as the
// thinking monster's own record (its skill slots and ranges) that names it.
inline void PutMonsterAI(FuzzRecords& records, std::string_view text)
{
    const std::string mind = PutKind(records, kMonsterAIRecord, text, kMonsterAIKinds);
    // The bosses' minds think for their own bodies, which read their god blocks and chains.
    const char* body = mind == "ControllerTyphon"          ? "Typhon"
                       : mind == "ControllerTyphonChained" ? "TyphonChained"
                                                           : "Monster";
    Records().PutFile(
        kThinkerRecord,
        std::string("Class = ") + body + "\ncontroller = " + kMonsterAIRecord + "\n" +
            std::string(text) +
            "\ncharacterLife = 500\nunarmedRunAnim = Run.anm\nunarmedWalkAnim = Walk.anm\n");
    Records().PutFile(kPlainMonsterRecord, "Class = Monster\ncharacterLife = 100\n");
    records.emplace_back(kThinkerRecord, std::string());
    records.emplace_back(kPlainMonsterRecord, std::string());
}

// The input's pieces up to `last` put as the records they stand for, for this input (see
// ForgetInputRecords); records past the input's end are missing, but a thinking monster always
// has its records, with an empty AI record if need be. The character and controller records are
// made of their kinds when `played`; else they are only what other records may name. Returns
// the records put, without their texts.
inline FuzzRecords PutPieces(std::string_view input, Piece last,
                             std::initializer_list<Piece> played)
{
    const auto plays = [played](Piece piece) {
        return std::find(played.begin(), played.end(), piece) != played.end();
    };
    FuzzRecords records;
    size_t start = 0;
    for (size_t piece = 0; piece <= last; ++piece) {
        const char* record = kRecords[piece];
        if (start > input.size()) {
            if (piece == Piece_MonsterAI)
                PutMonsterAI(records, "");
            continue;
        }
        const size_t end = std::min(input.find('\0', start), input.size());
        const std::string_view text = Recordable(input.substr(start, end - start));
        if (piece == Piece_Character && plays(Piece_Character)) {
            PutKind(records, record, text, kKinds);
        } else if (piece == Piece_Controller && plays(Piece_Controller)) {
            PutKind(records, record, text, kControllerKinds);
        } else if (piece == Piece_MonsterAI) {
            PutMonsterAI(records, text);
        } else {
            Records().PutFile(record, std::string(text));
            records.emplace_back(record, std::string());
        }
        start = end + 1;
    }
    return records;
}

// Characters live in a running game: one hub and one world with one region for the whole run;
// `network`, when given, takes what the game would send.
inline void StartGame(GameEngineInboundInterface* network)
{
    static const bool started = [network] {
        StartQuietGame();
        if (network != nullptr)
            GameEngine::Get().SetNetworkInterface(network);
        gEngine->SetWorld(std::make_unique<World>());
        gEngine->GetWorld()->CreateRegion(kRegion, {0, 0, 0},
                                          ABBox({-100, -10, -100}, {100, 10, 100}));
        HoldRunRecords({});
        return true;
    }();
    (void)started;
}

class EveryEntity final : public FilterFunction<Entity> {
public:
    bool operator()(const Entity*) const override { return true; }
};

// The entity goes, and if it is a character, what it wears: its record gave it that, and the
// level's end would take it with it.
inline void DestroyWithWorn(Entity& entity)
{
    if (const auto* character = DynamicCast<Character>(&entity)) {
        for (const EquipManagerContainer& worn : character->GetAttachedItems())
            DestroyIfRegistered(worn.itemId);
    }
    ObjectManager::Instance().DestroyObjectEx(&entity, "Fuzz/CharacterInput", __LINE__);
}

// What the character's record rolled for it, worn or not: the level's end would take it.
inline std::vector<uint32_t> RolledLoot(const Character& character)
{
    struct Holder : Character {
        using Character::lootState;
    };
    const auto& ids = (character.*&Holder::lootState).itemIds;
    return std::vector<uint32_t>(ids.begin(), ids.end());
}

// What a death left standing goes, the body with it if it is still there, all but `keep`.
inline void ClearWorld(std::initializer_list<const Entity*> keep = {})
{
    World& world = *gEngine->GetWorld();
    std::vector<Entity*> entities;
    world.GetEntities(entities, EveryEntity());
    for (Entity* entity : entities) {
        if (std::find(keep.begin(), keep.end(), entity) != keep.end())
            continue;
        world.RemoveEntity(entity);
        DestroyWithWorn(*entity);
    }
}

// Every object made since `firstId` was the next id, whatever made it.
inline void DestroyMadeSince(uint32_t firstId)
{
    ObjectManager& objects = ObjectManager::Instance();
    const uint32_t endId = objects.CreateObjectID();
    for (uint32_t id = firstId; id < endId; ++id)
        DestroyIfRegistered(id);
}

// What an input counts before it plays, to find after it what its characters left behind.
struct Census {
    size_t objects = ObjectManager::Instance().GetObjectCount();
    size_t animations = GraphicsEngine::Instance().GetLoadedAnimationCount();
};

// Nothing the input made may outlive it: no object, loaded animation or forced update.
inline void CheckNothingLeft(const Census& before)
{
    ObjectManager::Instance().ProcessDestroyedObjects();
    const Census after;
    if (after.objects != before.objects || after.animations != before.animations ||
        !gEngine->GetForcedUpdates().empty())
        abort();
}

// The input's character, made from its record by class name (every kind is a character), is
// handed to `play`; then it goes, with whatever the world still holds, and nothing it made may
// outlive it.
template <class Play> void WithFuzzCharacter(const uint8_t* data, size_t size, Play&& play)
{
    StartGame(nullptr);
    const FuzzRecords records = PutPieces(
        std::string_view(reinterpret_cast<const char*>(data), size), Piece_Item, {Piece_Character});
    ObjectManager& objects = ObjectManager::Instance();
    const InputStart start;
    const Census before;
    Character* character = objects.CreateObjectFromFile<Character>(kCharacterRecord);
    if (character == nullptr)
        abort();
    const uint32_t id = character->GetObjectId();
    const std::vector<uint32_t> loot = RolledLoot(*character);
    play(*character);
    ClearWorld();
    // A body that a death did not take, or that never entered the world, goes here, and so does
    // its loot, which it may not wear (a bow in one hand).
    if (objects.GetObject(id) == character)
        DestroyWithWorn(*character);
    for (const uint32_t item : loot)
        DestroyIfRegistered(item);
    CheckNothingLeft(before);
    EndInput(start);
    ForgetInputRecords(records);
}

} // namespace GAME::CharacterInput
