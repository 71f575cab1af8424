#pragma once

#include "characters/Character.h"
#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"
#include "engine/NetPacketInBuffer.h"
#include "engine/NetPacketOutBuffer.h"
#include "engine/ObjectManager.h"
#include "multiplayer/SpawnPlayerPacket.h"
#include "tests/support/GameEngineFixture.h"
#include "tests/support/HeardEvents.h"
#include "tests/support/MadeObjects.h"
#include "tests/support/Must.h"
#include "tests/support/TempDatabase.h"

#include <gmock/gmock.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace GAME::Test {

// A value from the first bound to the second, both included.
template <typename T> auto Within(T low, T high)
{
    return ::testing::AllOf(::testing::Ge(low), ::testing::Le(high));
}

// A record's text: the lines, one each.
inline std::string RecordText(const std::vector<std::string>& lines, std::string text = "")
{
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// A character of a class no record can name (a test's own), loaded from its record; what it
// must have before its record is read is done by `beforeLoad`.
template <typename T>
T* Place(const TempDatabase& database, const std::string& path,
         const std::vector<std::string>& lines, const std::function<void(T&)>& beforeLoad = {})
{
    database.WriteFile(path, RecordText(lines));
    ObjectManager& objects = ObjectManager::Instance();
    auto* character = new T();
    objects.RegisterObject(character);
    character->SetObjectName(path);
    if (beforeLoad)
        beforeLoad(*character);
    objects.LoadTableFile(path);
    character->Load(objects.GetLoadTable(path));
    return character;
}

// The library started as the host starts it, on the settings' defaults.
class StartedFixture : public GameEngineFixture {
protected:
    void SetUp() override
    {
        GameEngineFixture::SetUp();
        Start();
    }
};

// What `write` puts into a spawn packet, without the packet header.
template <typename Write> std::vector<uint8_t> Written(const Write& write)
{
    SpawnPlayerPacket carrier;
    NetPacketOutBuffer out(carrier);
    write(out);
    out.Done();
    return {carrier.GetOutBuffer() + NetPacketHeader::kSize,
            carrier.GetOutBuffer() + carrier.GetOutBufferSize()};
}

// A replication record's bytes, without the packet header.
template <typename Record> std::vector<uint8_t> Encode(const Record& record)
{
    return Written([&record](NetPacketOutBuffer& out) { record.Write(out); });
}

// Replication bytes handed to the character as a spawn packet would hand them.
inline void Feed(Character& character, const std::vector<uint8_t>& bytes)
{
    SpawnPlayerPacket carrier;
    NetPacketInBuffer in(carrier, bytes.data(), static_cast<int>(bytes.size()));
    character.ReadReplicationData(in);
}

// The block the object streams into a save.
template <typename T> std::vector<uint8_t> Streamed(T& object)
{
    IOStreamWrite writer;
    object.StreamProperties(&writer);
    EXPECT_FALSE(writer.HasFailed());
    return writer.GetBytes();
}

// The block read back into the object; false when the reader failed.
template <typename T> bool ReadBack(T& object, const std::vector<uint8_t>& bytes)
{
    IOStreamRead reader(bytes);
    object.StreamProperties(&reader);
    return !reader.HasFailed();
}

// The bytes as the stream's describer writes them.
inline std::string Described(const std::vector<uint8_t>& bytes)
{
    std::string text;
    EXPECT_TRUE(IOStreamRead::Describe(bytes, text));
    return text;
}

// The ids of the objects the heard events name, in order.
template <typename Event> std::vector<uint32_t> Ids(const Heard<Event>& heard)
{
    std::vector<uint32_t> ids;
    for (const Event& event : heard.events)
        ids.push_back(event.objectId);
    return ids;
}

} // namespace GAME::Test
