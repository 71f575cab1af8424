#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace GAME {

// One order of the host's input script: what the player's mouse or keys do at a frame.
struct ScriptOrder {
    enum class Kind { Click, ClickOn, Hold, Release, Right, Slot, Pet, Quest, Buy, Sell };
    // What a quest tells the named character to do.
    enum class Quest { Move, Walk, Anim, Skill, Wake };

    int32_t frame = 0;
    Kind kind = Kind::Click;
    // The ground point of a plain click.
    float x = 0.0f;
    float z = 0.0f;
    // The named thing of "@NAME" orders.
    std::string name;
    // The bar slot of "slot N".
    uint32_t slot = 0;
    // A quest order: its kind, the animation's type name and whether it loops, or the skill's
    // record and the optional "@TARGET".
    Quest quest = Quest::Move;
    std::string animation;
    bool loop = false;
    std::string record;
    std::string target;
    // Where it stood in the file, counted from 1.
    int32_t line = 0;
};

// Reads the host's order script, one "FRAME ORDER" a line. The file is outside input: the
// first bad line fails the whole script with one message naming that line, so nothing runs.
class OrderScript {
public:
    static constexpr size_t kMaxLineLength = 200;
    static constexpr size_t kMaxOrders = 10000;
    static constexpr int32_t kMaxFrame = 100000;
    static constexpr size_t kMaxFileBytes = kMaxOrders * (kMaxLineLength + 1);
    static constexpr uint32_t kBarSlots = 10;
    // A ground point further out than this is no point of any world the host makes.
    static constexpr float kMaxCoordinate = 100000.0f;

    // `names` are the things an "@NAME" may name; an empty list accepts none.
    explicit OrderScript(std::vector<std::string> names) : names(std::move(names)) {}

    // False with `error` ("line N: ...") at the first bad line; the orders are then empty.
    bool Parse(std::string_view text, std::string& error);
    bool Load(const std::string& path, std::string& error);

    const std::vector<ScriptOrder>& GetOrders() const { return orders; }
    static const char* KindName(ScriptOrder::Kind kind);

private:
    bool ParseLine(std::string_view line, ScriptOrder& order, std::string& error) const;
    bool ParseName(std::string_view text, std::string& name, std::string& error) const;
    // "quest @NAME move|walk X,Z", "quest @NAME anim TYPE [loop]", "quest @NAME skill RECORD
    // [@TARGET]", "quest @NAME wake".
    bool ParseQuest(const std::vector<std::string_view>& words, ScriptOrder& order,
                    std::string& error) const;

    std::vector<std::string> names;
    std::vector<ScriptOrder> orders;
};

} // namespace GAME
