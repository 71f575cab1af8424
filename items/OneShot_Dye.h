#pragma once

#include "items/OneShot.h"

#include <string>

namespace GAME {

// A dye: a player who uses it wears the texture made for his gender.
class OneShot_Dye : public OneShot {
    GAME_DECLARE_CLASS(OneShot_Dye)

public:
    OneShot_Dye();
    ~OneShot_Dye() override;

    void Load(const LoadTable& table) override;
    // The sound; then, for a male or female player, that gender's texture when it has one.
    void Use(Character* character) override;
    // A right click drinks or applies it.
    std::unique_ptr<CursorHandler>
    CreateSecondaryCursorHandler(const Character* character) override;

private:
    std::string maleTexture;
    std::string femaleTexture;
};

} // namespace GAME
