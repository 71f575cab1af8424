#pragma once

#include <initializer_list>
#include <string>

namespace GAME {

// The editor's description markup: "{B" opens a highlighted parameter, "{R" a token name, "}"
// closes. Records show as their bare file name, an empty value as "[empty]".
namespace TriggerMarkup {

std::string RecordName(const std::string& record);
// "{B" record "}".
std::string Record(const std::string& record);
// "{B" text "}", the text as it is.
std::string Text(const std::string& text);
// "{R" token "}".
std::string Token(const std::string& token);
// "{BNot }" when negated, else nothing.
std::string Not(bool negate);
// "{B" the values joined with "," "}".
std::string Values(std::initializer_list<std::string> values);

} // namespace TriggerMarkup

} // namespace GAME
