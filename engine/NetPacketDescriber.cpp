#include "engine/NetPacketDescriber.h"

#include "engine/LocalizationManager.h"
#include "engine/NetPacket.h"
#include "engine/SmartObjectId.h"
#include "engine/WorldCoords.h"

#include <cstdio>
#include <cstdlib>
#include <cxxabi.h>
#include <typeinfo>

namespace GAME {

namespace {
std::string Format(const char* format, double value)
{
    char buffer[64];
    snprintf(buffer, sizeof(buffer), format, value);
    return buffer;
}

std::string ToText(const Vec3& v)
{
    char buffer[128];
    snprintf(buffer, sizeof(buffer), "(%g, %g, %g)", v.x, v.y, v.z);
    return buffer;
}
} // namespace

NetPacketDescriber::NetPacketDescriber(const NetPacket& packet, bool withType)
{
    if (withType)
        Line("Packet type ", std::to_string(packet.GetType()), 0);
}

std::string NetPacketDescriber::GetClassName(const NetPacket& packet)
{
    const char* mangled = typeid(packet).name();
    int status = 0;
    char* demangled = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    std::string name = status == 0 && demangled != nullptr ? demangled : mangled;
    free(demangled);
    // The last name outside any template arguments, without the scopes before it.
    size_t start = 0;
    int depth = 0;
    for (size_t i = 0; i + 1 < name.size(); ++i) {
        depth += name[i] == '<' ? 1 : name[i] == '>' ? -1 : 0;
        if (depth == 0 && name[i] == ':' && name[i + 1] == ':')
            start = i + 2;
    }
    return name.substr(start);
}

void NetPacketDescriber::Line(const std::string& label, const std::string& value, int level)
{
    text.append(static_cast<size_t>(level > 0 ? level : 0) * 2, ' ');
    text += label;
    text += value;
    text += '\n';
}

void NetPacketDescriber::Describe(const std::string& label, uint32_t value, int level)
{
    Line(label, std::to_string(value), level);
}

void NetPacketDescriber::Describe(const std::string& label, int32_t value, int level)
{
    Line(label, std::to_string(value), level);
}

void NetPacketDescriber::Describe(const std::string& label, float value, int level)
{
    Line(label, Format("%g", value), level);
}

void NetPacketDescriber::Describe(const std::string& label, bool value, int level)
{
    Line(label, value ? "true" : "false", level);
}

void NetPacketDescriber::Describe(const std::string& label, const SmartObjectId& value, int level)
{
    Line(label, std::to_string(value.GetId()), level);
}

void NetPacketDescriber::Describe(const std::string& label, const WorldVec3& value, int level)
{
    Line(label,
         "region " + std::to_string(value.GetRegionId()) + " " + ToText(value.GetRegionPosition()),
         level);
}

void NetPacketDescriber::Describe(const std::string& label, const WorldCoords& value, int level)
{
    const Coords& c = value.GetRegionCoords();
    Line(label,
         "region " + std::to_string(value.GetRegionId()) + " " + ToText(c.origin) + " right " +
             ToText(c.right) + " up " + ToText(c.up) + " forward " + ToText(c.forward),
         level);
}

void NetPacketDescriber::Describe(const std::string& label, const std::string& value, int level)
{
    Line(label, value, level);
}

void NetPacketDescriber::Describe(const std::string& label, const std::wstring& value, int level)
{
    Line(label, LocalizationManager::ToChar(value), level);
}

void NetPacketDescriber::Heading(const std::string& heading, int level)
{
    Line(heading, "", level);
}

} // namespace GAME
