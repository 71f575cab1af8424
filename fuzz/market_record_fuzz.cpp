// Hostile market records refreshed with fixed seeds: the input holds the market record and
// further records, each after a line "@@ <record path>" (its categories' loot tables, the level
// equation's record), with minimums above maximums, huge or negative counts, tables naming
// themselves and equations that fail. The server market loads and refreshes; a client rolls
// the stock of several brackets and seeds and makes its items; nothing crashes or hangs, and
// every displayed item goes with the market.
#include "core/RandomUniform.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"
#include "fuzz/InputStart.h"
#include "fuzz/QuietGame.h"
#include "fuzz/RecordInput.h"
#include "game/GameEngine.h"
#include "items/MarketClient.h"
#include "items/MarketServer.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

using namespace GAME;

constexpr const char* kMarket = "Records/Market/Fuzz.dbr";
// Frames enough to make a modest stock; a huge one is cut short, as a closed window would.
constexpr int kFrames = 40;

void Refresh()
{
    GameEngine::Get().GetRandomGen().Seed(5);
    MarketServer server(nullptr, 1);
    server.SetMarketName(kMarket);
    server.Load();
    server.Update(1);
    server.Update(INT32_MAX);
    server.OnPurchaseRequest(server.GetBracket(), server.GetSeed(), 599, 3);

    ObjectManager& objects = ObjectManager::Instance();
    const size_t before = objects.GetObjectCount();
    {
        MarketClient client(nullptr, 1);
        for (const uint32_t bracket : {server.GetBracket(), 2u, 7u}) {
            client.S2C_MarketUpdate(kMarket, bracket, bracket * 977u, {0, 3, 600});
            for (int frame = 0; frame < kFrames; ++frame)
                client.Update(0);
        }
    }
    objects.ProcessDestroyedObjects();
    if (objects.GetObjectCount() != before)
        abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // One game for the run; each input takes away all it made.
    StartQuietGame();
    WithFuzzRecords(data, size, kMarket, "Records/Market/Bad", [](const FuzzRecords&) {
        const InputStart start;
        Refresh();
        EndInput(start);
    });
    return 0;
}
