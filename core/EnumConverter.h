#pragma once

#include <cstdint>
#include <string>

namespace GAME {

enum PlayerCharacterClassType : int32_t {
    PlayerCharacterClass_Warrior = 0,
    PlayerCharacterClass_Archer,
    PlayerCharacterClass_Sorceress
};
enum ActorMountType : int32_t { ActorMount_Centaur = 0 };
enum CharacterPathGenerationStyle : int32_t {
    CharacterPathGeneration_Default = 0,
    CharacterPathGeneration_Sheep
};

// Record words to enum values and back. Exact, case-sensitive; a word not in a table gives that
// table's fallback (−1, or `Default` for path styles) and a value not in it gives "None".
class EnumConverter {
public:
    template <typename E> static E GetStringAsEnum(const std::string& text);
    template <typename E> static std::string GetEnumAsString(E value);
};

template <> PlayerCharacterClassType EnumConverter::GetStringAsEnum(const std::string& text);
template <> ActorMountType EnumConverter::GetStringAsEnum(const std::string& text);
template <> CharacterPathGenerationStyle EnumConverter::GetStringAsEnum(const std::string& text);
template <> std::string EnumConverter::GetEnumAsString(PlayerCharacterClassType value);
template <> std::string EnumConverter::GetEnumAsString(ActorMountType value);
template <> std::string EnumConverter::GetEnumAsString(CharacterPathGenerationStyle value);

} // namespace GAME
