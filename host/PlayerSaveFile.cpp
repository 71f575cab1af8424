#include "host/PlayerSaveFile.h"

#include "characters/Player.h"
#include "engine/FileSystem.h"
#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"
#include "host/ShownName.h"
#include "items/PlayerHotSlotCtrl.h"
#include "skills/SkillManager.h"

#include <string>
#include <utility>
#include <vector>

namespace GAME {

bool PlayerSaveFile::Load(Player& player, const std::string& path, std::string& error)
{
    const size_t limit = IOStreamRead::kMaxFileBytes;
    std::vector<uint8_t> bytes;
    const FileSystem::ReadResult read = FileSystem::ReadWholeFile(path, limit, bytes);
    if (read != FileSystem::ReadResult::Done) {
        error = "save file '" + ShownName(path) + "' " + FileSystem::Explain(read, limit);
        return false;
    }
    if (!IOStreamRead::HasHeader(bytes)) {
        const std::string shown = ShownName(path);
        error = "'" + shown + "' is not a saved stream";
        return false;
    }
    IOStreamRead in(std::move(bytes));
    player.StreamProperties(&in);
    if (in.HasFailed()) {
        error = "save file '" + ShownName(path) + "' is damaged; no player was loaded from it";
        return false;
    }
    // Whatever follows the player is no part of him: a save written twice, or a tail of junk.
    if (const size_t left = in.GetBytesLeft(); left != 0) {
        error = "save file '" + ShownName(path) + "' is damaged: " + std::to_string(left) +
                " bytes follow the player's end; no player was loaded from it";
        return false;
    }
    return true;
}

namespace {

// "a skill" or "3 skills" that ... lacks (the first, ...); saving him would lose it or them.
// The names come from the save and the records, so each is shown escaped.
std::string WouldLose(const std::string& loaded, const std::vector<std::string>& lacking,
                      const char* one, const char* many, const std::string& lacker)
{
    const bool single = lacking.size() == 1;
    return "save file '" + ShownName(loaded) + "' names " +
           (single ? std::string(one) : std::to_string(lacking.size()) + ' ' + many) + " that " +
           lacker + " lacks (" + ShownName(lacking.front()) +
           (single ? "); saving him would lose it" : ", ...); saving him would lose them");
}

} // namespace

bool PlayerSaveFile::KeepsAll(Player& player, const std::string& loaded, std::string& error)
{
    const std::vector<std::string>& skills = player.GetSkillManager().GetPassedOverSkills();
    const std::vector<std::string>& items = player.GetPassedOverItems();
    const std::vector<std::string>& slots = player.GetPlayerHotSlotCtrl().GetPassedOverSkills();
    // Quoted through a local: g++ 12 at -O3 takes '"'" + temporary' for an overlapping copy.
    std::string record = ShownName(player.GetObjectName());
    record.insert(record.begin(), '\'');
    record += '\'';
    if (!skills.empty())
        error = WouldLose(loaded, skills, "a skill", "skills", record);
    else if (!items.empty())
        error = WouldLose(loaded, items, "an item", "items", "the database");
    else if (!slots.empty())
        error = WouldLose(loaded, slots, "a hotbar skill", "hotbar skills", record);
    return skills.empty() && items.empty() && slots.empty();
}

bool PlayerSaveFile::Save(Player& player, const std::string& path, std::string& error)
{
    IOStreamWrite out;
    player.StreamProperties(&out);
    std::string why;
    if (!out.SaveToFile(path, &why)) {
        error = "the player could not be saved to '" + ShownName(path) + "': " + why;
        return false;
    }
    return true;
}

} // namespace GAME
