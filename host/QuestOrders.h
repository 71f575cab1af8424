#pragma once

#include <cstdint>
#include <iosfwd>

namespace GAME {

class ScriptCast;
struct ScriptOrder;

// Carries out an order script's "quest" orders as a quest would: through the named
// character's quest commands.
class QuestOrders {
public:
    // False when the named character (or the skill's target) is gone or knows no such skill.
    static bool Give(const ScriptOrder& order, const ScriptCast& roster, uint32_t region);
    // Gives the order and prints "  frame N: quest @NAME ... -> true|false".
    static void Report(std::ostream& out, const ScriptOrder& order, const ScriptCast& roster,
                       uint32_t region);
};

} // namespace GAME
