#include "host/PlayerSaveFile.h"

#include "characters/Player.h"
#include "engine/FileSystem.h"
#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"
#include "host/ShownName.h"
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
        error = "'" + ShownName(path) + "' is not a saved stream";
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

bool PlayerSaveFile::KeepsAllSkills(Player& player, const std::string& loaded, std::string& error)
{
    const std::vector<std::string>& lacking = player.GetSkillManager().GetPassedOverSkills();
    if (lacking.empty())
        return true;
    const bool one = lacking.size() == 1;
    error = "save file '" + ShownName(loaded) + "' names " +
            (one ? std::string("a skill") : std::to_string(lacking.size()) + " skills") +
            " that '" + player.GetObjectName() + "' lacks (" + lacking.front() +
            (one ? "); saving him would lose it" : ", ...); saving him would lose them");
    return false;
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
