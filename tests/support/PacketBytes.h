#pragma once

#include "engine/ConnectionManager.h"
#include "engine/NetPacket.h"

#include <cstdint>
#include <memory>
#include <typeinfo>
#include <vector>

namespace GAME::Test {

// The whole message a packet prepares, header included.
inline std::vector<uint8_t> EncodePacket(NetPacket& packet)
{
    const uint32_t size = packet.PrepareOutBuffer();
    return std::vector<uint8_t>(packet.GetOutBuffer(), packet.GetOutBuffer() + size);
}

// Decoded through the registry; null unless it reads back as exactly this class.
template <typename P> std::unique_ptr<P> DecodeAs(const std::vector<uint8_t>& bytes)
{
    std::unique_ptr<NetPacket> back = ConnectionManager::DecodePacket(bytes);
    if (back == nullptr)
        return nullptr;
    const NetPacket& decoded = *back;
    if (typeid(decoded) != typeid(P))
        return nullptr;
    return std::unique_ptr<P>(static_cast<P*>(back.release()));
}

// The message cut to its first `length` bytes, its size word mended to match, so that the
// fields themselves come up short.
inline std::vector<uint8_t> CutMessage(const std::vector<uint8_t>& bytes, size_t length)
{
    std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
    if (cut.size() >= NetPacketHeader::kSize) {
        const auto fields = static_cast<uint32_t>(cut.size() - NetPacketHeader::kSize);
        for (int i = 0; i < 4; ++i)
            cut[4 + static_cast<size_t>(i)] = static_cast<uint8_t>(fields >> (8 * i));
    }
    return cut;
}

} // namespace GAME::Test
