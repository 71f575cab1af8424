#pragma once

#include <cstdint>
#include <string>

namespace GAME {

class BinaryReader;
class BinaryWriter;
class IOStream;
class NetPacketInBuffer;
class NetPacketOutBuffer;

// Names one item instance completely, so that any machine rebuilds the same item from it. The
// binary forms leave the base name out: the item that receives one already is an object of its
// base record, and takes its id and base name from itself.
class ItemReplicaInfo {
public:
    // Level state: id, four names (32-bit length, bytes), seed, var1.
    static constexpr uint32_t kDefaultLevelStateBytes = 28;

    ItemReplicaInfo() = default;
    ItemReplicaInfo(const ItemReplicaInfo&) = default;
    ItemReplicaInfo& operator=(const ItemReplicaInfo&) = default;
    ~ItemReplicaInfo() = default;

    // The names compared as record paths (case and slash direction ignored); the id is not.
    bool operator==(const ItemReplicaInfo& other) const;

    // Keyed save stream, one routine both ways. The id is never kept: a restored item gets a
    // fresh one. The second form also keeps whether the item is shown attached.
    void StreamProperties(IOStream* stream);
    void StreamProperties(IOStream* stream, bool& attached);

    void WriteLevelState(BinaryWriter& writer) const;
    // False when the bytes run out or a name's length is refused; the fields from that one on
    // keep their values.
    bool ReadLevelState(BinaryReader& reader);

    void WriteReplicationData(NetPacketOutBuffer& out) const;
    // False, in the same way, when the message runs out or lies about a name's length.
    bool ReadReplicationData(NetPacketInBuffer& in);

    uint32_t id = 0;
    std::string baseName;
    std::string prefixName;
    std::string suffixName;
    std::string relicName;
    std::string relicBonus;
    uint32_t seed = 0;
    uint32_t var1 = 0;
};

} // namespace GAME
