// Hostile order scripts for the host's `--input`: over-long lines, unknown orders, NaN or huge
// numbers, unknown names. A bad script fails with exactly one short line naming a line of the
// file and keeps no order; a good one keeps only orders the host can act on.
#include "host/OrderScript.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using GAME::OrderScript;
    using GAME::ScriptOrder;
    OrderScript script({"Elder", "Goblin", "Wolf", "Hero"});
    std::string error;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (!script.Parse(text, error)) {
        // "line N: " then a problem whose quoted parts are cut to a few dozen characters.
        if (error.rfind("line ", 0) != 0 || error.find('\n') != std::string::npos ||
            error.size() > 200 || !script.GetOrders().empty())
            abort();
        return 0;
    }
    if (script.GetOrders().size() > OrderScript::kMaxOrders)
        abort();
    int32_t lastFrame = 0;
    for (const ScriptOrder& order : script.GetOrders()) {
        const bool named =
            order.kind == ScriptOrder::Kind::ClickOn || order.kind == ScriptOrder::Kind::Right ||
            order.kind == ScriptOrder::Kind::Pet || order.kind == ScriptOrder::Kind::Quest ||
            order.kind == ScriptOrder::Kind::Buy || order.kind == ScriptOrder::Kind::Sell;
        if (order.frame < lastFrame || order.frame > OrderScript::kMaxFrame ||
            !std::isfinite(order.x) || !std::isfinite(order.z) ||
            std::fabs(order.x) > OrderScript::kMaxCoordinate ||
            std::fabs(order.z) > OrderScript::kMaxCoordinate ||
            order.slot >= OrderScript::kBarSlots || named == order.name.empty() || order.line < 1)
            abort();
        lastFrame = order.frame;
    }
    return 0;
}
