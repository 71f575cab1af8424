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
        const std::string& why = in.GetRefusal();
        error = "save file '" + ShownName(path) + "' " + (why.empty() ? "is damaged" : why) +
                "; no player was loaded from it";
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

// "a skill" or "3 skills", why (the first, ...); saving him would lose it or them.
// The names come from the save and the records, so each is shown escaped.
std::string WouldLose(const std::string& loaded, const std::vector<std::string>& lacking,
                      const char* one, const char* many, const std::string& why)
{
    const bool single = lacking.size() == 1;
    return "save file '" + ShownName(loaded) + "' names " +
           (single ? std::string(one) : std::to_string(lacking.size()) + ' ' + many) + ' ' + why +
           " (" + ShownName(lacking.front()) +
           (single ? "); saving him would lose it" : ", ...); saving him would lose them");
}

} // namespace

bool PlayerSaveFile::KeepsAll(Player& player, const std::string& loaded, std::string& error)
{
    const PlayerHotSlotCtrl& bar = player.GetPlayerHotSlotCtrl();
    // Quoted through a local: g++ 12 at -O3 takes '"'" + temporary' for an overlapping copy.
    std::string record = ShownName(player.GetObjectName());
    record.insert(record.begin(), '\'');
    record += '\'';
    const std::string lacks = "that " + record + " lacks";
    // A slot naming a skill at level 0 is emptied by the bar's first look at it.
    const struct {
        const std::vector<std::string>& names;
        const char* one;
        const char* many;
        std::string why;
    } losses[] = {
        {player.GetSkillManager().GetPassedOverSkills(), "a skill", "skills", lacks},
        {player.GetPassedOverItems(), "an item", "items", "that the database lacks"},
        {bar.GetPassedOverSkills(), "a hotbar skill", "hotbar skills", lacks},
        {bar.GetUnusableSkills(), "a hotbar skill", "hotbar skills", "at level 0"},
    };
    for (const auto& loss : losses) {
        if (!loss.names.empty()) {
            error = WouldLose(loaded, loss.names, loss.one, loss.many, loss.why);
            return false;
        }
    }
    return true;
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
