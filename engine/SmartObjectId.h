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
    // Set by a packet that carries the object itself, not just its name; never on the wire.
    void MarkForReplication(bool value) { markedForReplication = value; }
    bool IsMarkedForReplication() const { return markedForReplication; }

    bool operator==(const SmartObjectId& other) const { return id == other.id; }
    bool operator!=(const SmartObjectId& other) const { return id != other.id; }

private:
    uint32_t id = 0;
    bool markedForReplication = false;
};

} // namespace GAME
