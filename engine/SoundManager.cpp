#include "engine/SoundManager.h"

namespace GAME {

SoundManager& SoundManager::Instance()
{
    static SoundManager instance;
    return instance;
}

void SoundManager::Reset()
{
    lengths.clear();
    playing.clear();
    requests.clear();
    nextHandle = 1;
    ears = WorldVec3();
}

void SoundManager::SetFileLength(const std::string& file, int32_t milliseconds)
{
    lengths[file] = milliseconds;
}

bool SoundManager::Load(SoundDescriptor& sound, const std::string& file)
{
    Unload(sound);
    sound.handle = nextHandle++;
    if (nextHandle == 0)
        nextHandle = 1;
    sound.file = file;
    Request request;
    request.type = LoadRequest;
    request.file = file;
    requests.push_back(request);
    return true;
}

void SoundManager::Unload(SoundDescriptor& sound)
{
    if (sound.handle == 0)
        return;
    playing.erase(sound.handle);
    Request request;
    request.type = UnloadRequest;
    request.file = sound.file;
    requests.push_back(request);
    sound.handle = 0;
    sound.file.clear();
}

void SoundManager::Play2D(SoundDescriptor& sound, bool flag)
{
    Request request;
    request.type = Play2DRequest;
    request.file = sound.file;
    request.volume = sound.volume;
    request.kind = sound.kind;
    request.flag = flag;
    requests.push_back(request);
    const int32_t length = PlayLength(sound);
    if (length > 0)
        playing[sound.handle].left = length;
}

int32_t SoundManager::PlayLength(const SoundDescriptor& sound) const
{
    if (sound.handle == 0)
        return -1;
    const auto found = lengths.find(sound.file);
    return found != lengths.end() ? found->second : -1;
}

bool SoundManager::IsPlaying(const SoundDescriptor& sound) const
{
    return sound.handle != 0 && playing.count(sound.handle) != 0;
}

void SoundManager::Stop(SoundDescriptor& sound)
{
    Request request;
    request.type = StopRequest;
    request.file = sound.file;
    requests.push_back(request);
    playing.erase(sound.handle);
}

void SoundManager::FadeSound(SoundDescriptor& sound, int32_t milliseconds, int32_t target,
                             bool flag)
{
    Request request;
    request.type = FadeRequest;
    request.file = sound.file;
    request.fadeMs = milliseconds;
    request.fadeTarget = target;
    request.flag = flag;
    requests.push_back(request);
    // Nothing is heard, so a fade ends the sound at once.
    playing.erase(sound.handle);
}

void SoundManager::UpdateVolume(SoundDescriptor& sound, float volume)
{
    sound.volume = volume;
    Request request;
    request.type = VolumeRequest;
    request.file = sound.file;
    request.volume = volume;
    requests.push_back(request);
}

void SoundManager::Update(int32_t milliseconds)
{
    for (auto it = playing.begin(); it != playing.end();) {
        it->second.left -= milliseconds > it->second.left ? it->second.left : milliseconds;
        if (it->second.left <= 0)
            it = playing.erase(it);
        else
            ++it;
    }
}

} // namespace GAME
