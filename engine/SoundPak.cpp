#include "engine/SoundPak.h"

#include "engine/LoadTable.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(SoundPak, Object);

SoundPak::~SoundPak() = default;

void SoundPak::Load(const LoadTable& table)
{
    table.GetStringList("soundFiles", soundFiles);
    falloff = table.GetFloat("falloff", 10.0f);
}

void SoundPak::Play(bool flag)
{
    PlayRequest request;
    request.flag = flag;
    playRequests.push_back(request);
}

void SoundPak::Play(const WorldCoords& coords, bool loop, bool flag)
{
    playRequests.push_back(PlayRequest{true, coords, loop, flag});
    if (loop || infiniteLoop)
        looping = true;
}

} // namespace GAME
