#include "game/EndGameActivity.h"

#include "core/RTTI_ClassInfo.h"
#include "core/Saturate.h"
#include "engine/Engine.h"
#include "engine/Jukebox.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"
#include "game/EntityFilters.h"
#include "game/GameEngine.h"
#include "game/GameUIInterface.h"
#include "quests/NpcDialogPak.h"
#include "world/FixedItemQuestObject.h"

#include <vector>

namespace GAME {

EndGameActivity::EndGameActivity()
{
    ObjectManager& objects = ObjectManager::Instance();
    objects.LoadTableFile(kDelayRecord);
    dialogDelay = objects.GetLoadTable(kDelayRecord).GetInt("time", kDefaultDialogDelay);
}

EndGameActivity::~EndGameActivity()
{
    CloseDialog();
}

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
    GameUIInterface* ui = GameEngine::Get().GetUI();
    // Without a user interface nobody can close the window: the sequence waits for good.
    if (ui == nullptr || ui->IsShowingNpcDialog(storyPak))
        return;
    CloseDialog();
    finished = true;
}

void EndGameActivity::Render(GraphicsCanvas& /*canvas*/) {}

void EndGameActivity::StartDialog()
{
    GameEngine& game = GameEngine::Get();
    storyPak = NpcDialogPak::Spawn(kStoryDialog);
    if (GameUIInterface* ui = game.GetUI(); ui != nullptr && storyPak != nullptr)
        ui->ShowNpcDialog(0, game.GetPlayerId(), storyPak);
    // The way on opens with the story.
    if (World* world = gEngine->GetWorld()) {
        std::vector<Entity*> entities;
        world->GetEntities(entities, FilterGetEndPortals());
        for (Entity* entity : entities)
            static_cast<FixedItemTyphonPortal*>(entity)->SetLock(false);
    }
    dialogStarted = true;
}

void EndGameActivity::CloseDialog()
{
    if (storyPak != nullptr) {
        NpcDialogPak::Destroy(storyPak);
        storyPak = nullptr;
    }
    if (gGameEngine != nullptr) {
        if (GameUIInterface* ui = gGameEngine->GetUI())
            ui->CloseNpcDialog();
    }
}

} // namespace GAME
