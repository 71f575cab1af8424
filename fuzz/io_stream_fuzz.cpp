// Hostile save streams: reading and describing must stay inside the bytes, allocate no more
// than they hold and never crash, whatever the keys, kinds, lengths and blocks claim. The
// character's bio and experience blocks follow, and what they read must be safe to use.
#include "characters/Character.h"
#include "characters/CharacterBio.h"
#include "characters/CharacterBioReplicaInfo.h"
#include "characters/ExperienceLevelControl.h"
#include "core/UniqueId.h"
#include "engine/IOStreamRead.h"
#include "engine/LoadTable.h"
#include "game/GameEngine.h"

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Characters live in a running game: one hub for the whole run, without a database.
    static const bool started = (InitializeObjects(), true);
    (void)started;
    std::vector<uint8_t> bytes(data, data + size);
    std::ostringstream text;
    GAME::IOStreamRead::Describe(bytes, text);

    // A reader that follows a fixed save layout, as the game's own stream code does.
    GAME::IOStreamRead stream(std::move(bytes));
    GAME::UniqueId id;
    std::wstring wide;
    std::string narrow;
    bool flag = false;
    uint32_t word = 0;
    int32_t number = 0;
    float real = 0.0f;
    stream.StreamInt("version", number);
    stream.BeginBlock();
    stream.StreamWideString("name", wide);
    stream.StreamUniqueId("id", id);
    stream.BeginBlock();
    stream.StreamBool("flag", flag);
    stream.StreamString("record", narrow);
    stream.EndBlock();
    stream.StreamFloat("speed", real);
    stream.StreamUInt("gold", word);
    stream.EndBlock();

    GAME::Character character;
    GAME::CharacterBio bio;
    bio.Load(GAME::LoadTable());
    bio.StreamProperties(&stream);
    GAME::ExperienceLevelControl experience;
    experience.StreamProperties(&stream);
    bio.InitialUpdate(character);
    bio.Update(character, 33);
    bio.SubtractLife(real);
    bio.Update(character, 33);
    GAME::CharacterBioReplicaInfo replica;
    bio.GetCurrentBioStats(replica);
    experience.ReceiveExperience(word);
    experience.LoseExperience(word);
    experience.GetNextLevelExperience();
    experience.GetLastLevelExperience();
    return 0;
}
