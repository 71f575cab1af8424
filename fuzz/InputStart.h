#pragma once

#include "core/DialogManager.h"
#include "engine/ConnectionManager.h"
#include "engine/DayNightManager.h"
#include "engine/EditorFilter.h"
#include "engine/Engine.h"
#include "engine/Jukebox.h"
#include "engine/ObjectManager.h"
#include "engine/ResourceLoader.h"
#include "engine/SoundManager.h"
#include "fuzz/QuietGame.h"
#include "game/ActivityManager.h"
#include "game/GameEngine.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace GAME {

// What an input starts from: the objects there are, and the first id it may make.
class InputStart {
public:
    InputStart()
        : ids(ObjectManager::Instance().GetObjectIds()),
          first(ObjectManager::Instance().CreateObjectID())
    {
        std::sort(ids.begin(), ids.end());
    }
    bool Existed(uint32_t id) const { return std::binary_search(ids.begin(), ids.end(), id); }
    uint32_t First() const { return first; }

private:
    std::vector<uint32_t> ids;
    uint32_t first;
};

// Ends an input of a running game: every object it made goes, whatever id it took (a peer's
// message names its own), and so does what the game, the engine's recording services and the
// database (since the run's mark, see HoldRunRecords) kept of it, so that the next input meets
// the game this one met and libFuzzer's leak check has nothing to look into.
inline void EndInput(const InputStart& start)
{
    ObjectManager& objects = ObjectManager::Instance();
    std::vector<uint32_t> made = objects.GetObjectIds();
    std::erase_if(made, [&](uint32_t id) { return start.Existed(id); });
    for (const uint32_t id : made)
        DestroyIfRegistered(id);
    objects.ProcessDestroyedObjects();
    if (gGameEngine != nullptr) {
        // Damage done to a character that went without dying is kept for it.
        for (uint32_t id = start.First(), last = objects.CreateObjectID(); id != last; ++id)
            gGameEngine->RemoveDamageEntry(id);
        for (const uint32_t id : made)
            gGameEngine->RemoveDamageEntry(id);
        DialogManager& dialogs = gGameEngine->GetDialogManager();
        while (dialogs.GetNumDialog() > 0)
            dialogs.RemoveTopDialog();
        while (gGameEngine->GetNumNotifications() > 0)
            gGameEngine->TakeTopNotification();
        gGameEngine->ClearProxyInfo();
        gGameEngine->ClearPetList();
        ActivityManager::Get().Clear();
    }
    while (!gEngine->GetForcedUpdates().empty())
        gEngine->UnregisterForForcedUpdates(gEngine->GetForcedUpdates().front());
    Jukebox::Instance().Reset();
    ResourceLoader::Instance().Reset();
    gEngine->GetNetworkConnectionManager().ClearSentPackets();
    SoundManager::Instance().Reset();
    DayNightManager::Instance().Reset();
    EditorFilter::Instance().Reset();
    objects.GetDatabase().ForgetSinceMark();
}

} // namespace GAME
