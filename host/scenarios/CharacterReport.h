#pragma once

#include <iosfwd>
#include <string>

namespace GAME {

class Character;

// `gamehost --characters`: the library is started, the sample player and monster are made from
// their records as a level makes its characters, and what they loaded is printed, one line a
// thing: key fields, animation sets by weapon style, death handlers, effect packs and the
// experience table; then three seconds of the player's bio after a wound.
class CharacterReport {
public:
    static constexpr const char* kSamplePlayer = "Records/Creatures/PC/Hero.dbr";
    static constexpr const char* kSampleMonster =
        "Records/Creatures/Monster/Jackalman/JackalmanWarrior.dbr";
    static constexpr float kWound = 120.0f;

    CharacterReport(std::ostream& out, std::ostream& err);
    CharacterReport(const CharacterReport&) = delete;
    CharacterReport& operator=(const CharacterReport&) = delete;

    // False, with one line on `err`, when the library does not start or a sample record does
    // not make its character. The library is shut down again either way.
    bool Run();

private:
    bool ShowCharacters();
    void ShowBio(Character& character);

    std::ostream& out;
    std::ostream& err;
};

} // namespace GAME
