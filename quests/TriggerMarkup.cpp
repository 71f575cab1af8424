#include "quests/TriggerMarkup.h"

#include "core/StringHelpers.h"

namespace GAME::TriggerMarkup {

namespace {
const std::string& OrEmpty(const std::string& text)
{
    static const std::string empty = "[empty]";
    return text.empty() ? empty : text;
}
} // namespace

std::string RecordName(const std::string& record)
{
    return record.empty() ? "[empty]" : GetFileNameFromPath(record, true);
}

std::string Record(const std::string& record)
{
    return "{B" + RecordName(record) + "}";
}

std::string Text(const std::string& text)
{
    return "{B" + OrEmpty(text) + "}";
}

std::string Token(const std::string& token)
{
    return "{R" + OrEmpty(token) + "}";
}

std::string Not(bool negate)
{
    return negate ? "{BNot }" : "";
}

std::string Values(std::initializer_list<std::string> values)
{
    std::string joined = "{B";
    const char* separator = "";
    for (const std::string& value : values) {
        joined += separator;
        joined += value;
        separator = ",";
    }
    return joined + "}";
}

} // namespace GAME::TriggerMarkup
