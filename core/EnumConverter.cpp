#include "core/EnumConverter.h"

#include <iterator>

namespace GAME {

namespace {

struct EnumName {
    int value;
    const char* name;
};

constexpr EnumName kClassTypes[] = {{0, "Warrior"}, {1, "Archer"}, {2, "Sorceress"}};
constexpr EnumName kMountTypes[] = {{0, "Centaur"}};
constexpr EnumName kPathStyles[] = {{0, "Default"}, {1, "Sheep"}};

template <size_t N> int ToValue(const EnumName (&table)[N], const std::string& text, int fallback)
{
    for (const EnumName& entry : table) {
        if (text == entry.name)
            return entry.value;
    }
    return fallback;
}

template <size_t N> std::string ToName(const EnumName (&table)[N], int value)
{
    for (const EnumName& entry : table) {
        if (value == entry.value)
            return entry.name;
    }
    return "None";
}

} // namespace

template <> PlayerCharacterClassType EnumConverter::GetStringAsEnum(const std::string& text)
{
    return static_cast<PlayerCharacterClassType>(ToValue(kClassTypes, text, -1));
}

template <> ActorMountType EnumConverter::GetStringAsEnum(const std::string& text)
{
    return static_cast<ActorMountType>(ToValue(kMountTypes, text, -1));
}

template <> CharacterPathGenerationStyle EnumConverter::GetStringAsEnum(const std::string& text)
{
    return static_cast<CharacterPathGenerationStyle>(ToValue(kPathStyles, text, 0));
}

template <> std::string EnumConverter::GetEnumAsString(PlayerCharacterClassType value)
{
    return ToName(kClassTypes, value);
}

template <> std::string EnumConverter::GetEnumAsString(ActorMountType value)
{
    return ToName(kMountTypes, value);
}

template <> std::string EnumConverter::GetEnumAsString(CharacterPathGenerationStyle value)
{
    return ToName(kPathStyles, value);
}

} // namespace GAME
