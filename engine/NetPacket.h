#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

// What precedes a packet's fields on the wire: two little-endian words, the type number and
// the byte count of the fields that follow.
struct NetPacketHeader {
    static constexpr uint32_t kSize = 8;

    uint32_t type = 0;
    uint32_t size = 0;
};

// The base of every network message. A packet writes its fields through a `NetPacketOutBuffer`
// in `PrepareOutBuffer` and reads them back through a `NetPacketInBuffer` in `CopyInbound`; the
// buffers do the bounds checking, so the packet classes only list their fields in order.
class NetPacket {
public:
    explicit NetPacket(uint32_t type);
    virtual ~NetPacket();
    NetPacket(const NetPacket&) = default;
    NetPacket& operator=(const NetPacket&) = default;

    // Encodes the fields, header first, into the packet's out-buffer; answers the message size.
    virtual uint32_t PrepareOutBuffer() = 0;
    virtual const uint8_t* GetOutBuffer() const { return outBuffer.data(); }
    virtual uint32_t GetOutBufferSize() const { return static_cast<uint32_t>(outBuffer.size()); }
    // Reads the fields from the bytes after the header. Whether that worked is told by
    // IsInboundComplete afterwards, since the readers themselves never stop to check.
    virtual void CopyInbound(const uint8_t* data, int length) = 0;
    // One line per field; `withType` puts a line naming the type number first.
    virtual std::string GetPacketDescription(bool withType) const = 0;
    // Plain packets name no objects that must exist first, so they are always ready.
    virtual bool CheckObjects(int /*hostIndex*/) { return true; }
    virtual void FinishObjectProcessing() {}

    uint32_t GetType() const { return header.type; }
    const NetPacketHeader& GetHeader() const { return header; }
    // True when the last CopyInbound read every field and consumed exactly the bytes given.
    bool IsInboundComplete() const { return inboundComplete; }

private:
    friend class NetPacketOutBuffer;
    friend class NetPacketInBuffer;

    NetPacketHeader header;
    std::vector<uint8_t> outBuffer;
    bool inboundComplete = false;
};

} // namespace GAME
