#pragma once

#include "engine/IOStream.h"

#include <string>
#include <vector>

namespace GAME {

// Writes a keyed stream into memory; `SaveToFile` puts the bytes on disk.
class IOStreamWrite : public IOStream {
public:
    IOStreamWrite();
    // Writes into memory; `Shutdown` saves the bytes to the path.
    IOStreamWrite(const std::string& path, Type type);

    bool StreamUniqueId(const std::string& key, UniqueId& value) override;
    bool StreamWideString(const std::string& key, std::wstring& value) override;
    bool StreamBool(const std::string& key, bool& value) override;
    bool StreamUInt(const std::string& key, uint32_t& value) override;
    bool StreamString(const std::string& key, std::string& value) override;
    bool StreamFloat(const std::string& key, float& value) override;
    bool StreamInt(const std::string& key, int32_t& value) override;
    bool StreamName(const std::string& key, Name& value) override;
    bool IsReading() const override { return false; }
    // Fails the stream past `kMaxBlockDepth` open blocks.
    bool BeginBlock() override;
    bool EndBlock() override;
    bool Shutdown() override;

    // Not failed, and every block closed.
    bool IsComplete() const { return !failed && openBlocks.empty(); }
    // Closes a complete stream with its digest: a uint entry under the key holding the CRC-32 of
    // every byte before it, which `IOStreamRead::TakeDigest` checks. Fails the stream otherwise.
    bool AppendDigest(const std::string& key);
    // The bytes so far; complete once every block is closed.
    const std::vector<uint8_t>& GetBytes() const { return bytes; }
    // False when a block is still open, the stream failed or the file cannot be written, with
    // why in `why` when given; the bytes go to a temporary file beside `path` first, so a
    // failure leaves the old file whole.
    bool SaveToFile(const std::string& path, std::string* why = nullptr) const;
    // The same for any bytes (`FileSystem::WriteWholeFile`).
    static bool SaveBytesToFile(const std::string& path, const std::vector<uint8_t>& bytes,
                                std::string* why = nullptr);

private:
    bool Key(Kind kind, const std::string& key);
    void PutU8(uint8_t value) { bytes.push_back(value); }
    void PutU32(uint32_t value);

    std::vector<uint8_t> bytes;
    std::vector<size_t> openBlocks; // offsets of the length words to patch
    std::string path;
};

} // namespace GAME
