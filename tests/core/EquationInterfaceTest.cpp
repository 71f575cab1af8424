#include "core/EquationInterface.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace GAME {
namespace {

// A heap copy exactly as long as the text, so that a read past its end is caught.
std::unique_ptr<char[]> Exact(const std::string& text)
{
    auto copy = std::make_unique<char[]>(text.size() + 1);
    std::memcpy(copy.get(), text.c_str(), text.size() + 1);
    return copy;
}

TEST(EquationInterface, DesignerNamesMatchWholeAndCaseSensitively)
{
    EXPECT_TRUE(IsDesignerName(Exact("lifeRegen").get(), "lifeRegen"));
    EXPECT_TRUE(IsDesignerName(Exact("").get(), ""));
    for (const char* other : {"lifeRegenMod", "lifeRegen ", "lifeRege", "l", "", "LifeRegen",
                              "liferegen", "lifeTotal", "xlifeRegen", "lifeRegen\x80"}) {
        EXPECT_FALSE(IsDesignerName(Exact(other).get(), "lifeRegen")) << other;
    }
    // Bytes above 127 compare as they are.
    EXPECT_TRUE(IsDesignerName(Exact("caf\xc3\xa9").get(), "caf\xc3\xa9"));
    static_assert(IsDesignerName("damageDV", "damageDV") && !IsDesignerName("damage", "damageDV"));
}

} // namespace
} // namespace GAME
