#include "characters/Character.h"

#include "characters/CharacterFileManager.h"
#include "characters/Player.h"
#include "combat/CombatAttributeRegion.h"
#include "combat/DeathHandler.h"
#include "combat/DeathManager.h"
#include "core/GameEvents.h"
#include "core/PlayStatsDamageType.h"
#include "engine/ActorConfigCommand.h"
#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/EventHandler.h"
#include "engine/FileSystem.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "tests/characters/CharacterHelpers.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/LogCapture.h"
#include "tests/support/MadeObjects.h"
#include "tests/support/SoundPaks.h"
#include "tests/support/TempDatabase.h"

#include <algorithm>
#include <initializer_list>
#include <set>
#include <typeinfo>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace GAME::Test {
namespace {

constexpr const char* kSound = "Records/Sounds/Thud.dbr";

// A character whose hidden parts the tests look into; the engine would hand it its controller.
class TestCharacter : public Character {
public:
    void SetController(uint32_t id) { controllerId = id; }
};

// Hears the two announcements of a creature entering the world, in order.
class SpawnListener {
public:
    SpawnListener()
        : spawn("GameEvent_CreatureSpawn", &SpawnListener::OnSpawn, this),
          initialUpdate("GameEvent_CreatureInitialUpdate", &SpawnListener::OnInitialUpdate, this)
    {}
    void OnSpawn(const GameEvent_CreatureSpawn& event)
    {
        heard.push_back("spawn " + event.objectName + (event.isPlayer ? " player" : ""));
    }
    void OnInitialUpdate(const GameEvent_CreatureInitialUpdate& event)
    {
        heard.push_back("initial update " + event.objectName);
    }

    std::vector<std::string> heard;

private:
    EventHandler<SpawnListener, GameEvent_CreatureSpawn> spawn;
    EventHandler<SpawnListener, GameEvent_CreatureInitialUpdate> initialUpdate;
};

class CharacterTest : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        database.WriteRecord(kSound, {"Class = SoundPak"});
    }

    template <typename T = Character>
    T* Spawn(const std::string& path, const std::vector<std::string>& lines)
    {
        const std::string type = std::string("Class = ") + T::classInfo.GetName() + "\n";
        database.WriteFile(path, RecordText(lines, type));
        return Must(ObjectManager::Instance().CreateObjectFromFile<T>(path));
    }
};

TEST_F(CharacterTest, LoadTakesTheDefaultsOfTheSettingsAndOfEachKey)
{
    Start({"defaultCombatManagerRecord = Records/Game/DefaultCombat.dbr"});
    database.WriteRecord("Records/Game/DefaultCombat.dbr", {"combatRegionHeadChance = 7"});
    database.WriteRecord("Records/Game/OwnCombat.dbr", {"combatRegionHeadChance = 3"});

    Character* plain = Spawn("Records/Creatures/Plain.dbr",
                             {"pathingSize = Huge", "characterGenderProfile = Native"});
    EXPECT_EQ(plain->GetCombatManager().GetRegionChance(CombatAttributeRegion_Head), 7.0f);
    EXPECT_EQ(plain->GetSize(), PathingSize_Small);
    EXPECT_EQ(plain->GetGender(), 3);

    Character* own = Spawn("Records/Creatures/Own.dbr",
                           {"combatManagerRecord = Records/Game/OwnCombat.dbr",
                            "pathingSize = Large", "characterGenderProfile = native"});
    EXPECT_EQ(own->GetCombatManager().GetRegionChance(CombatAttributeRegion_Head), 3.0f);
    EXPECT_EQ(own->GetGender(), Gender_None) << "gender words compare exactly";
}

struct HandlerCase {
    const char* name;
    std::vector<std::string> lines;
    std::vector<std::string> expected;
};

std::string HandlerKind(const DeathHandler& handler)
{
    static const struct {
        const std::type_info& type;
        const char* name;
    } kKinds[] = {{typeid(DefaultDeathHandler), "Default"},
                  {typeid(DissolveActorDeathHandler), "Dissolve"},
                  {typeid(FadeActorDeathHandler), "Fade"},
                  {typeid(PlaySoundDeathHandler), "PlaySound"},
                  {typeid(SpawnActorDeathHandler), "SpawnActor"},
                  {typeid(SpawnMyBonesDeathHandler), "SpawnMyBones"},
                  {typeid(PlayEffectDeathHandler), "PlayEffect"}};
    for (const auto& kind : kKinds)
        if (typeid(handler) == kind.type)
            return kind.name;
    return "?";
}

TEST_F(CharacterTest, InitialUpdateBuildsTheDeathHandlersTheRecordAsksFor)
{
    Start();
    const HandlerCase cases[] = {
        {"delete", {"deleteBehavior = Delete"}, {"Default", "Dissolve"}},
        {"fade",
         {"deleteBehavior = Fade", "actorToSpawnOnDeath = Records/Gore.dbr",
          "actorToSpawnForMyBones = Records/Bones.dbr", "deathEffect = Records/Fx/Dust.dbr"},
         {"Default", "Fade", "SpawnActor", "SpawnMyBones", "PlayEffect"}},
        {"sound", {"deleteBehavior = PlaySound"}, {"Default", "PlaySound"}},
        {"other", {"deleteBehavior = dissolve"}, {"Default"}},
    };
    for (const HandlerCase& row : cases) {
        Character* character =
            Spawn("Records/Creatures/" + std::string(row.name) + ".dbr", row.lines);
        character->InitialUpdate();
        ASSERT_NE(character->GetDeathManager(), nullptr);
        std::vector<std::string> kinds;
        for (const auto& handler : character->GetDeathManager()->GetHandlers())
            kinds.push_back(HandlerKind(*handler));
        EXPECT_EQ(kinds, row.expected) << row.name;
    }
}

TEST_F(CharacterTest, InitialUpdateKeepsTheSpawnPointAndAnnouncesTheCreature)
{
    Start();
    SpawnListener listener;
    Player* player = Spawn<Player>("Records/Creatures/Hero.dbr", {"characterStrength = 12"});
    const WorldCoords place(0, Coords::FromTranslation(Vec3(5, 0, 2)));
    gEngine->GetWorld()->SetCoords(player, place);
    player->InitialUpdate();
    EXPECT_EQ(player->GetSpawnPoint(), place);
    EXPECT_EQ(listener.heard,
              (std::vector<std::string>{"spawn Records/Creatures/Hero.dbr player",
                                        "initial update Records/Creatures/Hero.dbr"}));
}

TEST_F(CharacterTest, DestructionTakesItsControllerAndEverySoundPackAlong)
{
    Start({std::string("absColdFxSound = ") + kSound, std::string("absLifeFxSound = ") + kSound});
    std::vector<std::string> lines = {"voxSoundChance = 50", "forcedUpdates = true"};
    for (const char* key :
         {"footGrass", "footDirt", "footSand", "footSnow", "footStone", "footWood", "footWater",
          "loopingRunningSound", "attackSound", "swipeSound", "criticalHitSound", "stunSound",
          "lootSound", "levelUpSound", "lowHealthSound", "impactSound", "splashSound",
          "spawnSoundEffect", "voxSound"})
        lines.push_back(std::string(key) + " = " + kSound);
    const size_t objectsBefore = ObjectManager::Instance().GetObjectCount();
    auto* character = Place<TestCharacter>(database, "Records/Creatures/Loud.dbr", lines);
    // 17 packs, spawn, two absorption, vox and critical-hit animation sounds.
    EXPECT_EQ(Sounds().size(), 22u);
    const uint32_t controller = ObjectManager::Instance().CreateObject("Entity")->GetObjectId();
    character->SetController(controller);
    const uint32_t id = character->GetObjectId();

    character->PreLoad(true);
    character->PreLoad(true);
    const std::vector<uint32_t>& forced = gEngine->GetForcedUpdates();
    EXPECT_EQ(std::count(forced.begin(), forced.end(), id), 1) << "registered once";

    ObjectManager& objects = ObjectManager::Instance();
    objects.DestroyObjectEx(character, "test", 1);
    objects.ProcessDestroyedObjects();
    std::set<uint32_t> destroyed;
    for (const ObjectManager::DestroyRecord& record : objects.GetDestroyHistory()) {
        if (record.file == "Project/Game/Character")
            destroyed.insert(record.objectId);
    }
    EXPECT_EQ(destroyed.size(), 21u) << "the controller, 18 packs and two absorption sounds";
    EXPECT_EQ(destroyed.count(controller), 1u);
    EXPECT_EQ(objects.GetObjectCount(), objectsBefore);
    EXPECT_EQ(std::count(forced.begin(), forced.end(), id), 0);
}

TEST_F(CharacterTest, LifeAndManaGoThroughTheBioUnlessTheCharacterIsProtected)
{
    Start({"experienceEquation = (monsterLevel*monsterExperience)"});
    Character* character =
        Spawn("Records/Creatures/Hurt.dbr", {"characterLife = 100", "characterMana = 100",
                                             "charLevel = 4", "experiencePoints = 30"});
    character->InitialUpdate();
    character->GetCharacterBio().Update(*character, 0);
    EXPECT_EQ(character->GetExperienceReward(), 120u);

    const PlayStatsDamageType type{};
    character->SetGod(true);
    character->SubtractLife(10.0f, type);
    character->SetGod(false);
    character->SetInvincible(true);
    character->SubtractLife(10.0f, type);
    EXPECT_EQ(character->GetCurrentLife(), 100.0f);
    character->SetInvincible(false);
    character->SubtractLife(10.0f, type); // also taints the bio: no more refills
    EXPECT_EQ(character->GetCurrentLife(), 90.0f);

    character->SetOmnipotent(true);
    character->SubtractMana(30.0f);
    character->GetCharacterBio().Update(*character, 1);
    EXPECT_EQ(character->GetCurrentMana(), 100.0f);
    character->SetOmnipotent(false);
    character->SubtractMana(30.0f);
    character->GetCharacterBio().Update(*character, 1);
    EXPECT_EQ(character->GetCurrentMana(), 70.0f);
}

// A character that can register packs and counts what reaches its queue.
class NetSoundCharacter : public Character {
public:
    using Character::RegisterNetSound;
    void Enqueue(std::unique_ptr<ActorConfigCommand> command) override
    {
        ++enqueued;
        Character::Enqueue(std::move(command));
    }
    int enqueued = 0;
};

class CharacterSoundsTest : public EngineFixture {
protected:
    void SetUp() override
    {
        EngineFixture::SetUp();
        character = new NetSoundCharacter();
        ASSERT_TRUE(ObjectManager::Instance().RegisterObject(character));
        character->SetObjectName("Records/Creatures/Bard.dbr");
        first = New<SoundPak>();
        second = New<SoundPak>();
    }

    NetSoundCharacter* character = nullptr;
    SoundPak* first = nullptr;
    SoundPak* second = nullptr;
};

TEST_F(CharacterSoundsTest, AnUnregisteredPackOrAnIndexAtTheCountIsLoggedAndPlaysNothing)
{
    character->RegisterNetSound(first);
    LogCapture log;
    character->PlayNetSound(second);
    character->PlayNetSound(nullptr);
    character->OnPlayNetSound(1);
    EXPECT_EQ(log.GetLines(),
              (std::vector<LogCapture::Line>{
                  {2, "Records/Creatures/Bard.dbr attempted to play an invalid Net Sound."},
                  {2, "Records/Creatures/Bard.dbr received config cmd to play an invalid Net "
                      "Sound."}}));
    EXPECT_EQ(character->enqueued, 0);
    character->OnPlayNetSound(0);
    EXPECT_EQ(first->GetPlayRequests().GetSize(), 1u);
}

// The manager lives for the whole program and scans once, so its whole life is one test.
TEST(CharacterFileManagerTest, RemovingBeforeTheScanTouchesNothingAndTheScanListsTheFilesOnce)
{
    TempDatabase folder;
    folder.WriteFile("Hero.chr", "h");
    folder.WriteFile("Alt.chr", "a");
    folder.WriteFile("notes.txt", "n");
    FileSystem& files = FileSystem::Instance();
    const std::string previous = files.GetUserFolder();
    files.SetUserFolder(folder.GetRoot());

    CharacterFileManager& manager = CharacterFileManager::Get();
    manager.RemoveCharacterFile("Hero.chr");
    std::vector<std::string> listed;
    manager.GetCharacterFiles(listed);
    EXPECT_EQ(listed, (std::vector<std::string>{"Alt.chr", "Hero.chr"}));

    folder.WriteFile("Late.chr", "l");
    manager.AddCharacterFile("Alt.chr");
    manager.RemoveCharacterFile("Alt.chr");
    manager.RemoveCharacterFile("Missing.chr");
    manager.GetCharacterFiles(listed);
    EXPECT_EQ(listed, (std::vector<std::string>{"Hero.chr", "Alt.chr"}));
    files.SetUserFolder(previous);
}

} // namespace
} // namespace GAME::Test
