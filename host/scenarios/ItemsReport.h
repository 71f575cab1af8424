#pragma once

#include "items/ItemReplicaInfo.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

namespace GAME {

class Item;
struct HostOptions;

// `gamehost --items`: twenty items rolled from the sample weapons and armour with affixes and
// seeds drawn from `--seed`, each printed with its records, name, classification,
// requirements, price and tooltip. A second engine, started afresh as a client, then makes each
// again from its replica record alone and compares it line by line; last one item's cost
// summary is dumped.
class ItemsReport {
public:
    static constexpr int kItems = 20;

    ItemsReport(const HostOptions& options, std::ostream& out, std::ostream& err);
    ItemsReport(const ItemsReport&) = delete;
    ItemsReport& operator=(const ItemsReport&) = delete;

    // False, with one line on `err`, when the library does not start or a record makes nothing.
    bool Run();

private:
    // The first engine rolls and prints the items and keeps their records and lines.
    bool Show();
    // The client's engine makes them again from the records.
    bool Compare();
    static std::vector<std::string> Describe(const Item& item);

    std::vector<ItemReplicaInfo> made;
    std::vector<std::vector<std::string>> shown;

    uint32_t seed;
    std::ostream& out;
    std::ostream& err;
};

} // namespace GAME
