#pragma once

#include "engine/NetPacket.h"
#include "engine/NetPacketDescriber.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"
#include "engine/WorldCoords.h"
#include "engine/WorldVec3.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

namespace GAME {

// The game's plain packets list their fields once, in wire order, in a static
// `VisitFields(visitor, packet)`; these three visitors turn that list into the writer, the reader
// and the description, so the three can never disagree on the order.
//
//   Field (label, value)   a 32-bit word, bool, position, coords, string or wide string
//   FileName / Raw         a record name or a raw string (the plain string on the wire)
//   Hidden (value)         travels but is left out of the description
//   Heading (text, level)  description only
//   Records (list, minimumBytes, visitOne[, countLabel])   a count, then each record
//                                                          field by field
//   WordList / CoordsList (heading, entry, list)   a u32 or coords list, described as the
//                                                  heading, then "<entry><i>: " at level 1
//   RawRecord (record)     the record's own ToRaw/FromRaw bytes, not described
//   HiddenFileName (name)  a record name that travels but is not described
//   Replica (record)       the record's own WriteReplicationData/ReadReplicationData, not
//                          described
//   Shown (label, value)   description only, e.g. what a raw record holds

class PacketFieldWriter {
public:
    explicit PacketFieldWriter(NetPacketOutBuffer& out) : out(out) {}

    template <typename T> void Field(const char* /*label*/, const T& value, int /*level*/ = 0)
    {
        Put(value);
    }
    template <typename T> void Hidden(const T& value) { Put(value); }
    void FileName(const char* /*label*/, const std::string& name) { out.AddFileName(name); }
    void Raw(const char* /*label*/, const std::string& text) { out.AddRaw(text); }
    void Heading(const char* /*text*/, int /*level*/) {}
    template <typename T> void Shown(const char* /*label*/, const T& /*value*/) {}
    template <typename R> void RawRecord(const R& record) { out.AddRaw(record.ToRaw()); }
    void HiddenFileName(const std::string& name) { out.AddFileName(name); }
    template <typename R> void Replica(const R& record) { record.WriteReplicationData(out); }
    void WordList(const char* /*heading*/, const char* /*entry*/, const std::vector<uint32_t>& list)
    {
        out.AddUIntVector(list);
    }
    void CoordsList(const char* /*heading*/, const char* /*entry*/,
                    const std::vector<WorldCoords>& list)
    {
        out.AddWorldCoordsVector(list);
    }

    template <typename T, typename VisitOne>
    void Records(const std::vector<T>& list, size_t /*minimumBytes*/, VisitOne visitOne,
                 const char* /*countLabel*/ = nullptr)
    {
        out.AddUInt(static_cast<uint32_t>(list.size()));
        for (const T& record : list)
            visitOne(*this, record);
    }

private:
    template <typename T> void Put(const T& value)
    {
        if constexpr (sizeof(T) == 4 && (std::is_arithmetic_v<T> || std::is_enum_v<T>))
            out.AddUInt(value);
        else
            out.Add(value);
    }

    NetPacketOutBuffer& out;
};

class PacketFieldReader {
public:
    explicit PacketFieldReader(NetPacketInBuffer& in) : in(in) {}

    template <typename T> void Field(const char* /*label*/, T& value, int /*level*/ = 0)
    {
        Take(value);
    }
    template <typename T> void Hidden(T& value) { Take(value); }
    void FileName(const char* /*label*/, std::string& name) { in.Remove(name); }
    void Raw(const char* /*label*/, std::string& text) { in.RemoveRaw(text); }
    void Heading(const char* /*text*/, int /*level*/) {}
    template <typename T> void Shown(const char* /*label*/, const T& /*value*/) {}
    // A short read leaves the record as it was.
    template <typename R> void RawRecord(R& record)
    {
        decltype(record.ToRaw()) bytes{};
        if (in.RemoveRaw(bytes))
            record = R::FromRaw(bytes);
    }
    void HiddenFileName(std::string& name) { in.Remove(name); }
    // The record's reader fails the buffer itself when it runs out.
    template <typename R> void Replica(R& record) { record.ReadReplicationData(in); }
    // Both append; the buffer checks each count against the bytes left.
    void WordList(const char* /*heading*/, const char* /*entry*/, std::vector<uint32_t>& list)
    {
        in.RemoveUIntVector(list);
    }
    void CoordsList(const char* /*heading*/, const char* /*entry*/, std::vector<WorldCoords>& list)
    {
        in.RemoveWorldCoordsVector(list);
    }

    // The buffer's list reader, so that every list of records follows one rule.
    template <typename T, typename VisitOne>
    void Records(std::vector<T>& list, size_t minimumBytes, VisitOne visitOne,
                 const char* /*countLabel*/ = nullptr)
    {
        in.RemoveList(list, minimumBytes, [&](T& record) {
            visitOne(*this, record);
            return !in.HasFailed();
        });
    }

private:
    template <typename T> void Take(T& value)
    {
        if constexpr (sizeof(T) == 4 && (std::is_arithmetic_v<T> || std::is_enum_v<T>))
            in.RemoveUInt(value);
        else
            in.Remove(value);
    }

    NetPacketInBuffer& in;
};

class PacketFieldDescriber {
public:
    explicit PacketFieldDescriber(NetPacketDescriber& describer) : describer(describer) {}

    template <typename T> void Field(const char* label, const T& value, int level = 0)
    {
        if constexpr (std::is_enum_v<T>)
            describer.Describe(label, static_cast<int32_t>(value), level);
        else
            describer.Describe(label, value, level);
    }
    template <typename T> void Hidden(const T& /*value*/) {}
    void FileName(const char* label, const std::string& name) { Field(label, name); }
    void Raw(const char* label, const std::string& text) { Field(label, text); }
    void Heading(const char* text, int level) { describer.Heading(text, level); }
    template <typename T> void Shown(const char* label, const T& value) { Field(label, value); }
    template <typename R> void RawRecord(const R& /*record*/) {}
    void HiddenFileName(const std::string& /*name*/) {}
    template <typename R> void Replica(const R& /*record*/) {}
    void WordList(const char* heading, const char* entry, const std::vector<uint32_t>& list)
    {
        describer.Heading(heading, 0);
        for (size_t i = 0; i < list.size(); ++i)
            describer.Describe(entry + std::to_string(i) + ": ", list[i], 1);
    }
    void CoordsList(const char* heading, const char* entry, const std::vector<WorldCoords>& list)
    {
        describer.Heading(heading, 0);
        for (size_t i = 0; i < list.size(); ++i)
            describer.Describe(entry + std::to_string(i) + ": ", list[i], 1);
    }

    // A count label describes the count itself before the records.
    template <typename T, typename VisitOne>
    void Records(const std::vector<T>& list, size_t /*minimumBytes*/, VisitOne visitOne,
                 const char* countLabel = nullptr)
    {
        if (countLabel != nullptr)
            describer.Describe(countLabel, static_cast<uint32_t>(list.size()), 0);
        for (const T& record : list)
            visitOne(*this, record);
    }

private:
    NetPacketDescriber& describer;
};

// A packet whose fields `Derived::VisitFields` lists; plain unless another base is named.
template <typename Derived, typename Base = NetPacket> class FieldPacket : public Base {
public:
    explicit FieldPacket(uint32_t type) : Base(type) {}

    uint32_t PrepareOutBuffer() override
    {
        NetPacketOutBuffer out(*this);
        PacketFieldWriter writer(out);
        Derived::VisitFields(writer, static_cast<const Derived&>(*this));
        return out.Done();
    }

    void CopyInbound(const uint8_t* data, int length) override
    {
        NetPacketInBuffer in(*this, data, length);
        PacketFieldReader reader(in);
        Derived::VisitFields(reader, static_cast<Derived&>(*this));
    }

    std::string GetPacketDescription(bool withType) const override
    {
        NetPacketDescriber describer(*this, withType);
        PacketFieldDescriber fields(describer);
        Derived::VisitFields(fields, static_cast<const Derived&>(*this));
        return describer.GetDescription();
    }
};

// The smallest wire size of one element of a list, for the reader's count check.
constexpr size_t kPacketWordBytes = 4;

} // namespace GAME
