#pragma once

#include "engine/IOStream.h"

#include <vector>

namespace GAME {

// Reads a keyed stream written by `IOStreamWrite`, from memory or a file.
class IOStreamRead : public IOStream {
public:
    static constexpr size_t kMaxFileBytes = 64u << 20;

    explicit IOStreamRead(std::vector<uint8_t> bytes);
    // An unreadable or oversized file gives a failed stream.
    static IOStreamRead FromFile(const std::string& path);

    bool StreamUniqueId(const std::string& key, UniqueId& value) override;
    bool StreamWideString(const std::string& key, std::wstring& value) override;
    bool StreamBool(const std::string& key, bool& value) override;
    bool StreamUInt(const std::string& key, uint32_t& value) override;
    bool StreamString(const std::string& key, std::string& value) override;
    bool StreamFloat(const std::string& key, float& value) override;
    bool StreamInt(const std::string& key, int32_t& value) override;
    bool IsReading() const override { return true; }
    bool BeginBlock() override;
    bool EndBlock() override;

    // The whole stream as indented text, one entry a line; false (with what was read so far)
    // when the bytes are not a well-formed stream.
    static bool Describe(const std::vector<uint8_t>& bytes, std::string& text);

private:
    // The entry's kind and key must match; on any mismatch the stream fails.
    bool Expect(Kind kind, const std::string& key);
    const uint8_t* Take(size_t count);
    bool TakeU32(uint32_t& value);
    size_t Limit() const { return blockEnds.empty() ? bytes.size() : blockEnds.back(); }

    std::vector<uint8_t> bytes;
    size_t position = 0;
    std::vector<size_t> blockEnds;
};

} // namespace GAME
