#include "core/EnumConverter.h"

#include <gtest/gtest.h>

namespace GAME {
namespace {

TEST(EnumConverter, UnknownNamesGiveMinusOneOrTheDefault)
{
    using Type = PlayerCharacterClassType;
    EXPECT_EQ(EnumConverter::GetStringAsEnum<Type>("Sorceress"), PlayerCharacterClass_Sorceress);
    EXPECT_EQ(EnumConverter::GetStringAsEnum<Type>("warrior"), -1);
    EXPECT_EQ(EnumConverter::GetStringAsEnum<Type>(""), -1);
    EXPECT_EQ(EnumConverter::GetEnumAsString(PlayerCharacterClass_Archer), "Archer");
    EXPECT_EQ(EnumConverter::GetEnumAsString(static_cast<Type>(7)), "None");
    EXPECT_EQ(EnumConverter::GetEnumAsString(static_cast<Type>(-1)), "None");

    EXPECT_EQ(EnumConverter::GetStringAsEnum<ActorMountType>("Centaur"), ActorMount_Centaur);
    EXPECT_EQ(EnumConverter::GetStringAsEnum<ActorMountType>("Horse"), -1);
    EXPECT_EQ(EnumConverter::GetEnumAsString(static_cast<ActorMountType>(1)), "None");

    // An unknown path style falls back to the default, not -1.
    using Style = CharacterPathGenerationStyle;
    EXPECT_EQ(EnumConverter::GetStringAsEnum<Style>("Sheep"), CharacterPathGeneration_Sheep);
    EXPECT_EQ(EnumConverter::GetStringAsEnum<Style>("sheep"), CharacterPathGeneration_Default);
    EXPECT_EQ(EnumConverter::GetEnumAsString(CharacterPathGeneration_Sheep), "Sheep");
    EXPECT_EQ(EnumConverter::GetEnumAsString(static_cast<Style>(2)), "None");
}

} // namespace
} // namespace GAME
