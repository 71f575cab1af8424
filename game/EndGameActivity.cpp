#include "game/EndGameActivity.h"

#include "core/Saturate.h"
#include "engine/Jukebox.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"

namespace GAME {

EndGameActivity::EndGameActivity()
{
    ObjectManager& objects = ObjectManager::Instance();
    objects.LoadTableFile(kDelayRecord);
    dialogDelay = objects.GetLoadTable(kDelayRecord).GetInt("time", kDefaultDialogDelay);
}

// The story dialog pak and the user interface's dialog window do not exist in this build, so
// there is no window to close here.
EndGameActivity::~EndGameActivity() = default;

void EndGameActivity::Update(int ms)
{
    firstFrame = false;
    elapsedTime = AddSaturating(elapsedTime, ms);
    if (!musicStarted && elapsedTime > musicDelay) {
        musicStarted = true;
        Jukebox::Instance().PlayEventMusic(kEndingMusic, true);
    }
    if (!dialogStarted) {
        if (elapsedTime <= dialogDelay)
            return;
        StartDialog();
    }
    // With no story dialog to show, the dialog window is never open, so the first check after
    // the start finds it closed. Without a user interface nobody can close it: the sequence
    // then waits for good.
    if (GameEngine::Get().UIExists())
        finished = true;
}

void EndGameActivity::Render(GraphicsCanvas& /*canvas*/) {}

void EndGameActivity::StartDialog()
{
    // The story dialog (kStoryDialog) needs an NPC dialog pak, and the portals to unlock are
    // typhon portals; neither class exists yet, so nothing is shown and the world holds no
    // portal to unlock.
    dialogStarted = true;
}

} // namespace GAME
