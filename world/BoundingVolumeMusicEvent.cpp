#include "world/BoundingVolumeMusicEvent.h"

#include "engine/Jukebox.h"
#include "engine/LoadTable.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(BoundingVolumeMusicEvent, BoundingVolumeMultiple);

BoundingVolumeMusicEvent::~BoundingVolumeMusicEvent() = default;

void BoundingVolumeMusicEvent::Load(const LoadTable& table)
{
    BoundingVolumeMultiple::Load(table);
    musicName = table.GetString("eventMusicFile", "");
}

void BoundingVolumeMusicEvent::UpdateSelf(int32_t elapsedMs)
{
    if (needsAttaching) {
        AttachVolumes(this);
        needsAttaching = false;
    }
    BoundingVolumeMultiple::UpdateSelf(elapsedMs);
}

void BoundingVolumeMusicEvent::OnEnterVolume(int index)
{
    if (index == 0) {
        Jukebox::Instance().PlayEventMusic(musicName, false);
        SetTriggered();
    } else if (index == 1) {
        Jukebox::Instance().FadeOutMusic(5000);
    }
}

void BoundingVolumeMusicEvent::OnExitVolume(int index)
{
    if (index == 1)
        Jukebox::Instance().FadeInMusic();
}

} // namespace GAME
