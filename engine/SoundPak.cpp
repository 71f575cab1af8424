#include "engine/SoundPak.h"

#include "engine/LoadTable.h"
#include <utility>

namespace GAME {

GAME_IMPLEMENT_CLASS(SoundPak, Object);

namespace {
SoundPak::PlayObserver& PlayObserverSlot()
{
    static SoundPak::PlayObserver observer;
    return observer;
}
} // namespace

SoundPak::~SoundPak() = default;

void SoundPak::SetPlayObserver(PlayObserver observer)
{
    PlayObserverSlot() = std::move(observer);
}

void SoundPak::Load(const LoadTable& table)
{
    table.GetStringList("soundFiles", soundFiles);
    falloff = table.GetFloat("falloff", 10.0f);
}

void SoundPak::Play(bool flag)
{
    PlayRequest request;
    request.flag = flag;
    playRequests.Add(request);
    if (PlayObserverSlot())
        PlayObserverSlot()(*this, request);
}

void SoundPak::Play(const WorldCoords& coords, bool loop, bool flag)
{
    playRequests.Add(PlayRequest{true, coords, loop, flag});
    if (PlayObserverSlot())
        PlayObserverSlot()(*this, playRequests.GetLast());
    if (loop || infiniteLoop)
        looping = true;
}

} // namespace GAME
