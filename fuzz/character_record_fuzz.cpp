// A hostile character record and the records it names, split on NUL bytes: the character, the
// game settings, a combat record, a level file, an animation table, a sound pack, an effect pack
// and its particle effect, and the regeneration record. They are written into a database folder
// of their own; the character is made from its record by class name, enters the world, takes a
// wound and a few updates, and is destroyed. Nothing may crash, life and mana stay numbers, and
// nothing it made may outlive it: no object, loaded animation or forced update.
#include "characters/AnimationSet.h"
#include "characters/Character.h"
#include "core/PlayStatsDamageType.h"
#include "engine/Engine.h"
#include "engine/GraphicsEngine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"
#include "items/EquipManager_HandState.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include <unistd.h>

namespace {

using namespace GAME;

// Where each piece of the input goes, in its order. The seeds' records name these paths.
constexpr const char* kRecords[] = {
    "Records/Fuzz/Character.dbr", "Records/Game/GameEngine.dbr", "Records/Fuzz/Combat.dbr",
    "Records/Fuzz/Levels.dbr",    "Records/Fuzz/Animations.dbr", "Records/Fuzz/Sound.dbr",
    "Records/Fuzz/FxPak.dbr",     "Records/Fuzz/Effect.dbr",     "Records/Game/HealthManaRegen.dbr",
};

// The kinds a character record may ask for; any other class is made a plain character, since
// other classes have fuzzers (or none) of their own.
constexpr const char* kKinds[] = {"Character", "Player", "Monster"};

// A folder of the system's temporary folder for the run, removed when the run ends.
class Folder {
public:
    Folder()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "character_record_fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            abort();
        root = pattern;
    }
    ~Folder()
    {
        std::error_code error;
        std::filesystem::remove_all(root, error);
    }
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;

    void Write(const char* record, std::string_view text) const
    {
        const std::filesystem::path path = std::filesystem::path(root) / record;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary).write(text.data(), std::streamsize(text.size()));
    }
    void Remove(const char* record) const
    {
        std::error_code error;
        std::filesystem::remove(std::filesystem::path(root) / record, error);
    }

    std::string root;
};

std::string CharacterText(std::string_view text)
{
    LoadTable table;
    table.Parse(text, kRecords[0]);
    const std::string kind = table.GetString("Class");
    for (const char* allowed : kKinds) {
        if (kind == allowed)
            return std::string(text);
    }
    return "Class = Character\n" + std::string(text);
}

void Exercise(Character& character)
{
    character.PreLoad(true);
    character.InitialUpdate();
    CharacterBio& bio = character.GetCharacterBio();
    bio.Update(character, 0);
    character.SubtractLife(character.GetCurrentLife() * 0.5f + 1.0f, PlayStatsDamageType{});
    character.SubtractMana(25.0f);
    for (const int ms : {100, 1, 500, 0, 33, 1 << 30}) {
        bio.Update(character, ms);
        // Whatever the formulas and rates, the pools hold numbers.
        if (!std::isfinite(character.GetCurrentLife()) ||
            !std::isfinite(character.GetCurrentMana()))
            abort();
    }
    for (int32_t handState = -1; handState <= 7; ++handState)
        character.SetAnimation(static_cast<EquipManager_HandState>(handState));
    for (int32_t type = 0; type <= 32; ++type)
        character.CanPlayAnimation(static_cast<AnimationSet_Type>(type));
    character.GetExperienceReward();
    character.PreLoad(false);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Characters live in a running game: one hub for the whole run.
    static const Folder* folder = [] {
        gEngine->SetLogSink([](int, const std::string&) {});
        InitializeObjects();
        static const Folder made;
        return &made;
    }();

    const std::string_view input(reinterpret_cast<const char*>(data), size);
    size_t start = 0;
    for (const char* record : kRecords) {
        if (start > input.size()) {
            folder->Remove(record);
            continue;
        }
        const size_t end = std::min(input.find('\0', start), input.size());
        const std::string_view text = input.substr(start, end - start);
        if (record == kRecords[0])
            folder->Write(record, CharacterText(text));
        else
            folder->Write(record, text);
        start = end + 1;
    }

    ObjectManager& objects = ObjectManager::Instance();
    // A new root forgets the records of the last input.
    objects.GetDatabase().SetRoot(folder->root);
    const size_t objectsBefore = objects.GetObjectCount();
    const size_t animationsBefore = GraphicsEngine::Instance().GetLoadedAnimationCount();

    Character* character = objects.CreateObjectFromFile<Character>(kRecords[0]);
    if (character == nullptr)
        abort(); // every kind above is a character
    Exercise(*character);
    objects.DestroyObjectEx(character, "Fuzz/CharacterRecord", __LINE__);
    objects.ProcessDestroyedObjects();

    if (objects.GetObjectCount() != objectsBefore)
        abort();
    if (GraphicsEngine::Instance().GetLoadedAnimationCount() != animationsBefore)
        abort();
    if (!gEngine->GetForcedUpdates().empty())
        abort();
    return 0;
}
