#pragma once

#include "engine/IOStream.h"

#include <iosfwd>
#include <string_view>
#include <vector>

namespace GAME {

// Reads a keyed stream written by `IOStreamWrite`, from memory or a file.
class IOStreamRead : public IOStream {
public:
    static constexpr size_t kMaxFileBytes = 64u << 20;

    explicit IOStreamRead(std::vector<uint8_t> bytes);
    // A design is found in the database as records are (case and slash direction ignored),
    // else as a plain file, and may be text; state is a plain file in the binary form.
    IOStreamRead(const std::string& path, Type type);
    // An unreadable or oversized file, or anything but a regular file, gives a failed stream.
    static IOStreamRead FromFile(const std::string& path);

    bool StreamUniqueId(const std::string& key, UniqueId& value) override;
    bool StreamWideString(const std::string& key, std::wstring& value) override;
    bool StreamBool(const std::string& key, bool& value) override;
    bool StreamUInt(const std::string& key, uint32_t& value) override;
    bool StreamString(const std::string& key, std::string& value) override;
    bool StreamFloat(const std::string& key, float& value) override;
    bool StreamInt(const std::string& key, int32_t& value) override;
    bool StreamName(const std::string& key, Name& value) override;
    bool IsReading() const override { return true; }
    // A block nested deeper than `kMaxBlockDepth` fails the stream.
    bool BeginBlock() override;
    bool EndBlock() override;
    bool Shutdown() override;
    // False when the file was missing or not a stream.
    bool IsOpen() const { return opened; }
    enum class Digest { Absent, Matches, Differs };
    // Before anything is read: when the bytes close with a digest under the key, as
    // `IOStreamWrite::AppendDigest` writes it, it is taken off what is read and checked against
    // every byte before it.
    Digest TakeDigest(const std::string& key);
    // Whether the bytes not read yet are `count` whole blocks and nothing after them.
    bool HoldsBlocksOnly(size_t count) const;
    // The bytes not read yet: a record read whole from a file of its own leaves none.
    size_t GetBytesLeft() const { return bytes.size() - position; }

    // True when the bytes start with the stream's mark and the format version this build reads.
    static bool HasHeader(const std::vector<uint8_t>& bytes);
    // Writes the whole stream as indented text, one entry a line, as it reads; false (after the
    // lines read so far) when the bytes are not a well-formed stream.
    static bool Describe(const std::vector<uint8_t>& bytes, std::ostream& out);
    // The same into a text, for tests and tools that compare it whole.
    static bool Describe(const std::vector<uint8_t>& bytes, std::string& text);
    // The inverse of `Describe`: the binary stream that the text shows, or false (and `bytes`
    // undefined) at the first line that is not one `Describe` writes.
    static bool ParseText(const std::string& text, std::vector<uint8_t>& bytes);

private:
    struct Entry {
        uint8_t kind = 0;
        std::string_view key;
        size_t headerSize = 0;
    };

    // The next value entry's kind and key, left unread; fails the stream when they are cut off.
    bool PeekEntry(Entry& entry);
    // The entry's kind and key must match; on any mismatch the stream fails.
    bool Expect(Kind kind, const std::string& key);
    // Reads the next value entry through its typed operation and shows its value as text.
    bool DescribeEntry(std::ostream& out);
    const uint8_t* Take(size_t count);
    bool TakeU32(uint32_t& value);
    size_t Limit() const { return blockEnds.empty() ? bytes.size() : blockEnds.back(); }

    std::vector<uint8_t> bytes;
    size_t position = 0;
    std::vector<size_t> blockEnds;
    bool opened = true;
};

} // namespace GAME
