#include "core/EnumConverter.h"

#include <gtest/gtest.h>

namespace GAME {
namespace {

TEST(EnumConverter, PlayerCharacterClassBothWays)
{
    using Type = PlayerCharacterClassType;
    EXPECT_EQ(EnumConverter::GetStringAsEnum<Type>("Warrior"), PlayerCharacterClass_Warrior);
    EXPECT_EQ(EnumConverter::GetStringAsEnum<Type>("Archer"), PlayerCharacterClass_Archer);
    EXPECT_EQ(EnumConverter::GetStringAsEnum<Type>("Sorceress"), PlayerCharacterClass_Sorceress);
    EXPECT_EQ(EnumConverter::GetStringAsEnum<Type>("Bard"), -1);
    EXPECT_EQ(EnumConverter::GetStringAsEnum<Type>("warrior"), -1);
    EXPECT_EQ(EnumConverter::GetStringAsEnum<Type>(""), -1);

    EXPECT_EQ(EnumConverter::GetEnumAsString(PlayerCharacterClass_Warrior), "Warrior");
    EXPECT_EQ(EnumConverter::GetEnumAsString(PlayerCharacterClass_Archer), "Archer");
    EXPECT_EQ(EnumConverter::GetEnumAsString(PlayerCharacterClass_Sorceress), "Sorceress");
    EXPECT_EQ(EnumConverter::GetEnumAsString(static_cast<Type>(7)), "None");
    EXPECT_EQ(EnumConverter::GetEnumAsString(static_cast<Type>(-1)), "None");
}

TEST(EnumConverter, MountTypeAndPathStyleFallbacks)
{
    EXPECT_EQ(EnumConverter::GetStringAsEnum<ActorMountType>("Centaur"), ActorMount_Centaur);
    EXPECT_EQ(EnumConverter::GetStringAsEnum<ActorMountType>("Horse"), -1);
    EXPECT_EQ(EnumConverter::GetEnumAsString(ActorMount_Centaur), "Centaur");
    EXPECT_EQ(EnumConverter::GetEnumAsString(static_cast<ActorMountType>(1)), "None");

    using Style = CharacterPathGenerationStyle;
    EXPECT_EQ(EnumConverter::GetStringAsEnum<Style>("Default"), CharacterPathGeneration_Default);
    EXPECT_EQ(EnumConverter::GetStringAsEnum<Style>("Sheep"), CharacterPathGeneration_Sheep);
    // Unknown words fall back to Default rather than -1.
    EXPECT_EQ(EnumConverter::GetStringAsEnum<Style>("Wolf"), CharacterPathGeneration_Default);
    EXPECT_EQ(EnumConverter::GetStringAsEnum<Style>("sheep"), CharacterPathGeneration_Default);
    EXPECT_EQ(EnumConverter::GetEnumAsString(CharacterPathGeneration_Default), "Default");
    EXPECT_EQ(EnumConverter::GetEnumAsString(CharacterPathGeneration_Sheep), "Sheep");
    EXPECT_EQ(EnumConverter::GetEnumAsString(static_cast<Style>(2)), "None");
}

} // namespace
} // namespace GAME
