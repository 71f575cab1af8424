#include "engine/TriggerToken.h"

#include "engine/IOStreamRead.h"
#include "engine/IOStreamWrite.h"

#include <gtest/gtest.h>

namespace GAME {
namespace {

TEST(TriggerToken, EqualByNameAndStreamedUnderTokenName)
{
    EXPECT_EQ(TriggerToken("gate"), TriggerToken("gate"));
    EXPECT_NE(TriggerToken("gate"), TriggerToken("Gate"));
    EXPECT_EQ(TriggerToken(), TriggerToken(""));

    IOStreamWrite writer;
    TriggerToken written("gate key");
    EXPECT_TRUE(written.StreamProperties(&writer));
    EXPECT_FALSE(written.StreamProperties(nullptr));

    IOStreamRead reader(writer.GetBytes());
    std::string name;
    EXPECT_TRUE(reader.StreamString("tokenName", name));
    EXPECT_EQ(name, "gate key");

    IOStreamRead again(writer.GetBytes());
    TriggerToken read;
    EXPECT_TRUE(read.StreamProperties(&again));
    EXPECT_EQ(read, written);
}

} // namespace
} // namespace GAME
