#include "host/scenarios/ItemsReport.h"

#include "core/GameTextLine.h"
#include "core/RandomUniform.h"
#include "engine/Engine.h"
#include "engine/LocalizationManager.h"
#include "engine/ObjectManager.h"
#include "host/HostOptions.h"
#include "host/HostSamples.h"
#include "host/ShownName.h"
#include "items/Item.h"
#include "items/ItemEquipment.h"

#include <ostream>

namespace GAME {

namespace {

constexpr const char* kBases[] = {
    "Records/Items/Weapons/BronzeSword.dbr",  "Records/Items/Weapons/HuntingBow.dbr",
    "Records/Items/Shields/WoodenShield.dbr", "Records/Items/Armor/BronzeHelm.dbr",
    "Records/Items/Armor/LeatherCuirass.dbr", "Records/Items/Armor/CopperRing.dbr"};
constexpr const char* kPrefixes[] = {"", "Records/Items/Affixes/Sharp.dbr",
                                     "Records/Items/Affixes/Sturdy.dbr"};
constexpr const char* kSuffixes[] = {"", "Records/Items/Affixes/OfMight.dbr",
                                     "Records/Items/Affixes/OfLearning.dbr"};

template <size_t N> const char* Pick(const char* const (&list)[N], RandomUniform& random)
{
    const auto index = static_cast<size_t>(random.FGenerate(0.0f, static_cast<float>(N)));
    return list[index < N ? index : N - 1];
}

} // namespace

ItemsReport::ItemsReport(const HostOptions& options, std::ostream& out, std::ostream& err)
    : seed(options.seed), out(out), err(err)
{}

bool ItemsReport::Run()
{
    made.clear();
    shown.clear();
    if (!HostSamples::WithLibrary(err, [this] { return Show(); }))
        return false;
    return HostSamples::InNetworkWorld(true, err, [this] { return Compare(); });
}

std::vector<std::string> ItemsReport::Describe(const Item& item)
{
    std::vector<std::string> lines;
    ItemReplicaInfo info;
    item.GetItemReplicaInfo(info);
    lines.push_back("records " +
                    ShownName(info.baseName + " | " + info.prefixName + " | " + info.suffixName) +
                    " seed " + std::to_string(info.seed));
    lines.push_back("name " + LocalizationManager::ToChar(item.GetGameDescription(false)));
    lines.push_back("classification " + std::to_string(item.GetItemClassification()));
    lines.push_back("requires level " + std::to_string(item.GetLevelRequirement()) + " strength " +
                    std::to_string(item.GetStrengthRequirement()) + " dexterity " +
                    std::to_string(item.GetDexterityRequirement()) + " intelligence " +
                    std::to_string(item.GetIntelligenceRequirement()));
    lines.push_back("price " + std::to_string(item.GetItemCost(false)));
    std::vector<GameTextLine> text;
    item.GetUIDisplayText(nullptr, text);
    for (const GameTextLine& line : text)
        lines.push_back("  [" + std::to_string(static_cast<int>(line.style)) + "] " +
                        LocalizationManager::ToChar(line.text));
    return lines;
}

bool ItemsReport::Show()
{
    RandomUniform random;
    random.Seed(seed);
    for (int i = 0; i < kItems; ++i) {
        ItemReplicaInfo info;
        info.baseName = Pick(kBases, random);
        info.prefixName = Pick(kPrefixes, random);
        info.suffixName = Pick(kSuffixes, random);
        info.seed = static_cast<uint32_t>(random.IGenerate(1, 0x7FFFFFFF));
        Item* item = Item::CreateItem(info);
        if (item == nullptr) {
            err << "gamehost: " << info.baseName << " makes no item\n";
            return false;
        }
        out << "item " << (i + 1) << "\n";
        shown.push_back(Describe(*item));
        for (const std::string& line : shown.back())
            out << "  " << line << "\n";
        item->GetItemReplicaInfo(info);
        info.id = 0;
        made.push_back(info);
        HostSamples::Destroy(item);
    }
    return true;
}

// What a client gets is the replica record: the same item must follow from it alone.
bool ItemsReport::Compare()
{
    int agreed = 0;
    for (size_t i = 0; i < made.size(); ++i) {
        Item* copy = Item::CreateItem(made[i]);
        if (copy != nullptr && Describe(*copy) == shown[i])
            ++agreed;
        if (copy != nullptr && i + 1 == made.size()) {
            out << "cost summary of item " << made.size() << ":\n";
            auto previous = gEngine->SetLogSink(
                [this](int, const std::string& line) { out << "  " << line << "\n"; });
            copy->DumpCostAttributes();
            gEngine->SetLogSink(std::move(previous));
        }
        HostSamples::Destroy(copy);
    }
    out << "client agrees: " << agreed << " of " << made.size() << "\n";
    return agreed == static_cast<int>(made.size());
}

} // namespace GAME
