#pragma once

#include <string>

namespace GAME {

class Player;

// The main player's character file as the host reads and writes it: the player's keyed save
// stream, whole, in one file.
class PlayerSaveFile {
public:
    // Reads `path` into `player`. False, with why in `error`, when the file cannot be read, is
    // not a saved stream, ends or breaks inside the player or goes on after him; the player is
    // then half read and must be discarded. The file itself is never written.
    static bool Load(Player& player, const std::string& path, std::string& error);

    // False, with why in `error`, when the save `loaded` named skills that `player` does not
    // hold, in his skills or on his hotbar, items whose records the database lacks, or skills
    // at level 0 on his hotbar (which empties their slots): saving him would lose them.
    static bool KeepsAll(Player& player, const std::string& loaded, std::string& error);

    // Writes `player` to `path`. False, with the file and the system's reason in `error`, when
    // it cannot; the file there then stays as it was.
    static bool Save(Player& player, const std::string& path, std::string& error);
};

} // namespace GAME
