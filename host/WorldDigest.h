#pragma once

#include <cstdint>

namespace GAME {

struct HostOptions;

// What a network session's machines must share before they play one world: the database, the
// level and the scenario they play. A client whose digest differs from its server's would play
// another world under the same ids, so it is refused at the welcome.
class WorldDigest {
public:
    // A checksum of every file of the database (its path below the folder and its bytes, in the
    // order of the paths) and of the level's bytes as the loader finds them (a `--level` file
    // that opens from the working folder, else the database's record of that name), whatever
    // path named it, and of the scenario staged (none for the level); 0 for a folder that cannot
    // be read.
    static uint32_t Of(const HostOptions& options);
};

} // namespace GAME
