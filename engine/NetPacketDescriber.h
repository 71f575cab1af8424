#pragma once

#include <cstdint>
#include <string>

namespace GAME {

class NetPacket;
class SmartObjectId;
class WorldCoords;
class WorldVec3;

// Builds a packet's readable description for logs: one line per field, the label followed by
// the value, indented two spaces per level.
class NetPacketDescriber {
public:
    NetPacketDescriber(const NetPacket& packet, bool withType);
    NetPacketDescriber(const NetPacketDescriber&) = delete;
    NetPacketDescriber& operator=(const NetPacketDescriber&) = delete;

    void Describe(const std::string& label, uint32_t value, int level);
    void Describe(const std::string& label, int32_t value, int level);
    void Describe(const std::string& label, float value, int level);
    void Describe(const std::string& label, bool value, int level);
    void Describe(const std::string& label, const SmartObjectId& value, int level);
    void Describe(const std::string& label, const WorldVec3& value, int level);
    void Describe(const std::string& label, const WorldCoords& value, int level);
    void Describe(const std::string& label, const std::string& value, int level);
    void Describe(const std::string& label, const std::wstring& value, int level);
    // A literal would otherwise be described as a bool.
    void Describe(const std::string& label, const char* value, int level) = delete;
    void Heading(const std::string& heading, int level);

    const std::string& GetDescription() const { return text; }

    // The packet's class without its namespace ("ChatPacket"): a type number tells a reader
    // of the host's output little.
    static std::string GetClassName(const NetPacket& packet);

private:
    void Line(const std::string& label, const std::string& value, int level);

    std::string text;
};

} // namespace GAME
