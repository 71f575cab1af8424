#include "host/OrderScript.h"

#include "characters/AnimationSet.h"
#include "core/StringHelpers.h"
#include "engine/FileSystem.h"
#include "host/ShownName.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace GAME {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::vector<std::string_view> Split(std::string_view line)
{
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsBlank(line[i]))
            ++i;
        const size_t start = i;
        while (i < line.size() && !IsBlank(line[i]))
            ++i;
        if (i > start)
            words.push_back(line.substr(start, i - start));
    }
    return words;
}

// Shown inside an error as a file name is, cut short at the start of a character.
std::string Quote(std::string_view text)
{
    constexpr size_t kShown = 32;
    const size_t cut = Utf8CutAt(text, kShown);
    std::string quoted = "'";
    quoted += ShownName(text.substr(0, cut));
    quoted += cut < text.size() ? "...'" : "'";
    return quoted;
}

template <typename T> bool ParseNumber(std::string_view text, T& value)
{
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

// "X,Z" of finite numbers within the host's worlds.
bool ParsePoint(std::string_view text, float& x, float& z)
{
    const size_t comma = text.find(',');
    // from_chars takes "nan" and "inf", which are no ground point.
    return comma != std::string_view::npos && ParseNumber(text.substr(0, comma), x) &&
           ParseNumber(text.substr(comma + 1), z) && std::isfinite(x) && std::isfinite(z) &&
           std::fabs(x) <= OrderScript::kMaxCoordinate &&
           std::fabs(z) <= OrderScript::kMaxCoordinate;
}

} // namespace

const char* OrderScript::KindName(ScriptOrder::Kind kind)
{
    switch (kind) {
    case ScriptOrder::Kind::Click:
    case ScriptOrder::Kind::ClickOn:
        return "click";
    case ScriptOrder::Kind::Hold:
        return "hold";
    case ScriptOrder::Kind::Release:
        return "release";
    case ScriptOrder::Kind::Right:
        return "right";
    case ScriptOrder::Kind::Slot:
        return "slot";
    case ScriptOrder::Kind::Pet:
        return "pet";
    case ScriptOrder::Kind::Quest:
        return "quest";
    case ScriptOrder::Kind::Buy:
        return "buy";
    case ScriptOrder::Kind::Sell:
        return "sell";
    }
    return "?";
}

bool OrderScript::ParseName(std::string_view text, std::string& name, std::string& error) const
{
    if (text.size() < 2 || text[0] != '@') {
        error = "needs @NAME, not " + Quote(text);
        return false;
    }
    const std::string_view wanted = text.substr(1);
    if (std::find(names.begin(), names.end(), wanted) == names.end()) {
        error = "no character, item, NPC or fixed item is named " + Quote(wanted);
        return false;
    }
    name = wanted;
    return true;
}

bool OrderScript::ParseLine(std::string_view line, ScriptOrder& order, std::string& error) const
{
    const std::vector<std::string_view> words = Split(line);
    if (words.size() < 2) {
        error = "needs FRAME ORDER";
        return false;
    }
    if (!ParseNumber(words[0], order.frame) || order.frame < 0 || order.frame > kMaxFrame) {
        error = "frame must be a whole number from 0 to " + std::to_string(kMaxFrame) + ", not " +
                Quote(words[0]);
        return false;
    }
    const std::string_view verb = words[1];
    if (verb == "quest")
        return ParseQuest(words, order, error);
    const size_t wantedWords = (verb == "hold" || verb == "release") ? 2 : 3;
    if (verb == "hold") {
        order.kind = ScriptOrder::Kind::Hold;
    } else if (verb == "release") {
        order.kind = ScriptOrder::Kind::Release;
    } else if (verb == "click" || verb == "right" || verb == "slot" || verb == "pet" ||
               verb == "buy" || verb == "sell") {
        if (words.size() < 3) {
            // Appended piece by piece: g++ 12 misreads a prefix glued to a temporary.
            error = "'";
            error.append(verb).append("' needs an argument");
            return false;
        }
        const std::string_view argument = words[2];
        if (verb == "slot") {
            order.kind = ScriptOrder::Kind::Slot;
            if (!ParseNumber(argument, order.slot) || order.slot >= kBarSlots) {
                error = "slot must be a bar slot from 0 to " + std::to_string(kBarSlots - 1) +
                        ", not " + Quote(argument);
                return false;
            }
        } else if (verb == "click" && argument.substr(0, 1) != "@") {
            order.kind = ScriptOrder::Kind::Click;
            if (!ParsePoint(argument, order.x, order.z)) {
                error = "click needs X,Z or @NAME, not " + Quote(argument);
                return false;
            }
        } else {
            order.kind = verb == "click"   ? ScriptOrder::Kind::ClickOn
                         : verb == "right" ? ScriptOrder::Kind::Right
                         : verb == "buy"   ? ScriptOrder::Kind::Buy
                         : verb == "sell"  ? ScriptOrder::Kind::Sell
                                           : ScriptOrder::Kind::Pet;
            if (!ParseName(argument, order.name, error))
                return false;
        }
    } else {
        error = "unknown order " + Quote(verb);
        return false;
    }
    if (words.size() > wantedWords) {
        error = "unexpected " + Quote(words[wantedWords]) + " after the order";
        return false;
    }
    return true;
}

bool OrderScript::ParseQuest(const std::vector<std::string_view>& words, ScriptOrder& order,
                             std::string& error) const
{
    order.kind = ScriptOrder::Kind::Quest;
    if (words.size() == 4 && words[3] == "wake") {
        if (!ParseName(words[2], order.name, error))
            return false;
        order.quest = ScriptOrder::Quest::Wake;
        return true;
    }
    if (words.size() < 5) {
        error = "quest needs @NAME, a kind and its argument";
        return false;
    }
    if (!ParseName(words[2], order.name, error))
        return false;
    const std::string_view kind = words[3];
    const std::string_view argument = words[4];
    size_t wanted = 5;
    if (kind == "move" || kind == "walk") {
        order.quest = kind == "move" ? ScriptOrder::Quest::Move : ScriptOrder::Quest::Walk;
        if (!ParsePoint(argument, order.x, order.z)) {
            error = "quest " + std::string(kind) + " needs X,Z, not " + Quote(argument);
            return false;
        }
    } else if (kind == "anim") {
        order.quest = ScriptOrder::Quest::Anim;
        order.animation = argument;
        if (AnimationSet::GetAnimTextAsType(order.animation) == AnimationSet_None) {
            error = "no animation type is named " + Quote(argument);
            return false;
        }
        order.loop = words.size() > 5 && words[5] == "loop";
        wanted = order.loop ? 6 : 5;
    } else if (kind == "skill") {
        order.quest = ScriptOrder::Quest::Skill;
        order.record = argument;
        if (words.size() > 5 && words[5].substr(0, 1) == "@") {
            if (!ParseName(words[5], order.target, error))
                return false;
            wanted = 6;
        }
    } else {
        error = "quest takes move, walk, anim, skill or wake, not " + Quote(kind);
        return false;
    }
    if (words.size() > wanted) {
        error = "unexpected " + Quote(words[wanted]) + " after the order";
        return false;
    }
    return true;
}

bool OrderScript::Parse(std::string_view text, std::string& error)
{
    orders.clear();
    int32_t lineNumber = 0;
    int32_t lastFrame = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        std::string problem;
        ScriptOrder order;
        const size_t first = line.find_first_not_of(" \t");
        if (line.size() > kMaxLineLength) {
            problem = "longer than " + std::to_string(kMaxLineLength) + " characters";
        } else if (first == std::string_view::npos || line[first] == '#') {
            continue;
        } else if (orders.size() >= kMaxOrders) {
            problem = "more than " + std::to_string(kMaxOrders) + " orders";
        } else if (ParseLine(line, order, problem) && order.frame < lastFrame) {
            problem = "frame " + std::to_string(order.frame) + " comes after frame " +
                      std::to_string(lastFrame);
        }
        if (!problem.empty()) {
            error = "line " + std::to_string(lineNumber) + ": " + problem;
            orders.clear();
            return false;
        }
        order.line = lineNumber;
        lastFrame = order.frame;
        orders.push_back(std::move(order));
    }
    return true;
}

bool OrderScript::Load(const std::string& path, std::string& error)
{
    orders.clear();
    std::string text;
    const FileSystem::ReadResult read = FileSystem::ReadWholeFile(path, kMaxFileBytes, text);
    if (read != FileSystem::ReadResult::Done) {
        error = FileSystem::Explain(read, kMaxFileBytes);
        return false;
    }
    return Parse(text, error);
}

} // namespace GAME
