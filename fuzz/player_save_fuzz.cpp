// Hostile bytes read into a fresh player twice: as a character save and as a quest token stream
// (the bag and the equipment read them in player_bag_fuzz). Nothing may crash or hang, nothing
// may allocate beyond what the bytes could hold, and a token stream cannot hand the player more
// tokens than it has entries for.
#include "characters/Player.h"
#include "engine/Engine.h"
#include "engine/IOStreamRead.h"
#include "fuzz/AllocationWatch.h"
#include "fuzz/InputLookups.h"
#include "fuzz/QuietGame.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace GAME;

// The smallest token entry: kind, key length, "tokenName", an empty string's length.
constexpr size_t kTokenEntryBytes = 1 + 2 + 9 + 4;

class FreshPlayer : public Player {
public:
    size_t PendingTokens() const { return pendingTokens.size(); }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // Players live in a running game: one hub for the whole run, without a database.
    StartQuietGame();
    const InputLookups lookups;

    // Id lists grow by doubling; every id costs far more bytes than it takes in memory.
    const size_t limit = 8 * size + 64 * 1024;
    {
        FreshPlayer player;
        AllocationWatch::Start();
        IOStreamRead save(std::vector<uint8_t>(data, data + size));
        player.StreamProperties(&save);
        if (AllocationWatch::Stop() > limit)
            abort();
    }
    FreshPlayer player;
    AllocationWatch::Start();
    IOStreamRead tokens(std::vector<uint8_t>(data, data + size));
    player.StreamPropertiesQuestTokens(&tokens);
    if (AllocationWatch::Stop() > limit)
        abort();
    if (player.PendingTokens() > size / kTokenEntryBytes)
        abort();
    return 0;
}
