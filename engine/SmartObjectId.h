#pragma once

#include <cstdint>

namespace GAME {

// An object id carried by a packet. It travels as the plain 32-bit id; 0 is "no object".
class SmartObjectId {
public:
    SmartObjectId() = default;
    explicit SmartObjectId(uint32_t id) : id(id) {}

    SmartObjectId& operator=(uint32_t value)
    {
        id = value;
        return *this;
    }
    uint32_t GetId() const { return id; }

    bool operator==(const SmartObjectId& other) const { return id == other.id; }
    bool operator!=(const SmartObjectId& other) const { return id != other.id; }

private:
    uint32_t id = 0;
};

} // namespace GAME
