#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace GAME {

class Name;
class UniqueId;

// The player's keyed save stream. One routine serves both directions: each value is handed over
// by reference under its key, so writing takes it and reading puts the stored value back.
// Reading follows the order of writing; keys are labels checked on the way, not an index.
//
// Byte layout (little-endian), after the header "GSTR" and a 32-bit format version:
//   value entry : kind byte (1-7), key as a 16-bit length and its bytes, then the value
//                 UniqueId 4 x u32 | wide string: u32 count of 16-bit units, the units |
//                 bool u8 | u32 | string: u32 length, bytes | float as u32 bits | i32 |
//                 Name (kind 10) 4 x u32
//   block       : kind byte 8, u32 byte length of the contents, the contents, kind byte 9
// The block length lets a reader that stops early in a block skip the rest at `EndBlock`.
// Blocks nest at most `kMaxBlockDepth` deep; the writer fails rather than go deeper.
class IOStream {
public:
    enum Kind : uint8_t {
        KindUniqueId = 1,
        KindWideString,
        KindBool,
        KindUInt,
        KindString,
        KindFloat,
        KindInt,
        KindBeginBlock,
        KindEndBlock,
        KindName,
    };
    // Designs (quest files) may also be the text that `IOStreamRead::Describe` prints; state
    // is always the binary form.
    enum Type { TypeDesign = 0, TypeState = 1 };
    static constexpr uint32_t kFormatVersion = 1;
    static constexpr uint32_t kMaxKeyLength = 0xFFFF;
    // A saved game nests a handful of blocks (player, inventory, item, its attributes); eight
    // times that leaves room for the format to grow, while a hostile stream of thousands of
    // nested blocks is refused as corrupt before it costs memory or output.
    static constexpr size_t kMaxBlockDepth = 32;

    virtual ~IOStream() = default;

    virtual bool StreamUniqueId(const std::string& key, UniqueId& value) = 0;
    virtual bool StreamWideString(const std::string& key, std::wstring& value) = 0;
    virtual bool StreamBool(const std::string& key, bool& value) = 0;
    virtual bool StreamUInt(const std::string& key, uint32_t& value) = 0;
    virtual bool StreamString(const std::string& key, std::string& value) = 0;
    virtual bool StreamFloat(const std::string& key, float& value) = 0;
    virtual bool StreamInt(const std::string& key, int32_t& value) = 0;
    virtual bool StreamName(const std::string& key, Name& value) = 0;
    virtual bool IsReading() const = 0;
    virtual bool BeginBlock() = 0;
    virtual bool EndBlock() = 0;
    // A stream opened by path puts its file away: a writer saves it (false when that failed),
    // a reader lets its bytes go.
    virtual bool Shutdown() { return !failed; }

    // A stream that failed (a key out of step, truncated bytes, an unbalanced block) stays
    // failed: later reads leave their values untouched and later writes are dropped.
    bool HasFailed() const { return failed; }

    // A reader that meets a value no sound save holds (a count past its bound, a version newer
    // than this game's) fails the stream as broken bytes would: what follows it cannot be trusted,
    // and a save made of the rest would lose what it skipped. The first reason is kept for the
    // caller's one line after the file's name: "is damaged: a sack holds 4294967295 items, ...".
    void Refuse(const std::string& why)
    {
        if (!failed)
            refusal = why;
        failed = true;
    }
    const std::string& GetRefusal() const { return refusal; }

    // What a reader read whole but could not bring back (an item whose record the database
    // lacks), in the order met. The bytes are no less sound for it; the caller decides whether
    // a save of what came back, which would lack it, may be made.
    void PassOver(const std::string& what) { passedOver.push_back(what); }
    const std::vector<std::string>& GetPassedOver() const { return passedOver; }

protected:
    bool failed = false;
    std::string refusal;
    std::vector<std::string> passedOver;
};

} // namespace GAME
