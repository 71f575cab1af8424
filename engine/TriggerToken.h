#pragma once

#include <string>
#include <utility>

namespace GAME {

class IOStream;

// A named token a quest hands to the player; two tokens are the same token when their names are.
class TriggerToken {
public:
    TriggerToken() = default;
    explicit TriggerToken(std::string name) : name(std::move(name)) {}

    const std::string& GetName() const { return name; }
    void SetName(const std::string& value) { name = value; }

    bool operator==(const TriggerToken& other) const { return name == other.name; }
    bool operator!=(const TriggerToken& other) const { return !(*this == other); }

    // The name under "tokenName", in whichever direction the stream runs.
    bool StreamProperties(IOStream* stream);

private:
    std::string name;
};

} // namespace GAME
