#pragma once

#include "game/GameActivity.h"

#include <cstdint>

namespace GAME {

class NpcDialogPak;

// The closing sequence after the final boss falls: the ending theme at once, then, after a
// designer-set delay, the story dialog; it ends when the player has closed that dialog.
class EndGameActivity : public GameActivity {
public:
    static constexpr const char* kDelayRecord =
        "Records/InGameUI/InGameUI/EndGameDialogWindow/EndGameInitialDelayTimer.dbr";
    static constexpr const char* kEndingMusic =
        "Records/Sounds/Musicpak/OlympusEvent/OlympusEventEndingTheme.dbr";
    static constexpr const char* kStoryDialog = "Records/Dialog/Story/ZeusQ15_A.dbr";
    static constexpr int32_t kDefaultDialogDelay = 4000;

    EndGameActivity();
    ~EndGameActivity() override;

    void Update(int ms) override;
    void Render(GraphicsCanvas& canvas) override;
    bool IsFinished() override { return finished; }

    int32_t GetElapsedTime() const { return elapsedTime; }
    int32_t GetDialogDelay() const { return dialogDelay; }
    int32_t GetMusicDelay() const { return musicDelay; }
    bool IsMusicStarted() const { return musicStarted; }
    bool IsDialogStarted() const { return dialogStarted; }
    bool IsFirstFrame() const { return firstFrame; }
    // The story dialog shown; null before it starts and once the window closed.
    const NpcDialogPak* GetStoryPak() const { return storyPak; }

private:
    void StartDialog();
    void CloseDialog();

    int32_t elapsedTime = 0;
    int32_t dialogDelay = kDefaultDialogDelay;
    int32_t musicDelay = 0;
    bool musicStarted = false;
    bool dialogStarted = false;
    bool finished = false;
    bool firstFrame = true;
    // Owned; deleted through the pak's own `Destroy`.
    NpcDialogPak* storyPak = nullptr;
};

} // namespace GAME
