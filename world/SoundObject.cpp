#include "world/SoundObject.h"

#include "core/RandomUniform.h"
#include "core/Saturate.h"
#include "engine/EditorFilter.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/SoundManager.h"
#include "engine/SoundPak.h"
#include "game/GameEngine.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(SoundObject, Actor);

namespace {

constexpr const char* kSoundObjectSource = "Project/Game/SoundObject";
// Sound objects in the editor's filter.
constexpr int32_t kSoundObjectFilterType = 2;

uint32_t MakeAmbientSound(const std::string& record)
{
    if (record.empty())
        return 0;
    SoundPak* sound = ObjectManager::Instance().CreateObjectFromFile<SoundPak>(record, 0, true);
    return sound != nullptr ? sound->GetObjectId() : 0;
}

void DestroyAmbientSound(uint32_t id)
{
    ObjectManager& objects = ObjectManager::Instance();
    if (SoundPak* sound = objects.GetObject<SoundPak>(id))
        objects.DestroyObjectEx(sound, kSoundObjectSource, __LINE__);
}

// Records give seconds; a NaN or a huge value must not make the timer undefined.
int32_t SoundMilliseconds(const LoadTable& table, const char* key)
{
    return SaturateToInt(static_cast<double>(table.GetFloat(key, 0.0f)) * 1000.0);
}

} // namespace

SoundAmbient::~SoundAmbient()
{
    if (SoundPak* sound = GetSound())
        sound->Stop();
    DestroyAmbientSound(soundId);
}

SoundPak* SoundAmbient::GetSound() const
{
    return ObjectManager::Instance().GetObject<SoundPak>(soundId);
}

void SoundAmbient::Load(const LoadTable& table)
{
    DestroyAmbientSound(soundId);
    soundId = MakeAmbientSound(table.GetString("ambientSound", ""));
}

void SoundAmbient::StartSound(bool loopSound)
{
    active = true;
    loop = loopSound;
}

void SoundAmbient::StopSound()
{
    active = false;
    if (SoundPak* sound = GetSound())
        sound->Stop();
}

void SoundAmbient::PreLoad()
{
    if (SoundPak* sound = GetSound())
        sound->PreLoad(false);
}

void SoundAmbient::Update(const WorldCoords& coords, int32_t /*elapsedMs*/)
{
    SoundPak* sound = GetSound();
    if (!active || gEngine->IsLevelEditor() || sound == nullptr)
        return;
    const WorldVec3& ears = SoundManager::Instance().GetEarsPosition();
    if (!ears.HasRegion())
        return;
    const WorldVec3 location = sound->GetPlayLocation(coords);
    if (loop)
        sound->DoFalloffCheck(false);
    if (!sound->IsPlaying()) {
        sound->SetInfiniteLoop(loop);
        sound->Play(coords, true, false);
        return;
    }
    if (loop)
        return;
    // Beyond eight falloffs nobody hears a one-shot any more; let it die away.
    const double reach = static_cast<double>(sound->GetFalloff()) * 8.0;
    Vec3 offset;
    if (!location.GetPositionInRegion(ears.GetRegionId(), offset))
        return;
    const Vec3 apart = offset - ears.GetRegionPosition();
    if (static_cast<double>(apart.LengthSquared()) > reach * reach)
        sound->FadeLastPlayedSound(500);
}

SoundPeriodic::~SoundPeriodic()
{
    DestroyAmbientSound(soundId);
}

SoundPak* SoundPeriodic::GetSound() const
{
    return ObjectManager::Instance().GetObject<SoundPak>(soundId);
}

void SoundPeriodic::Load(const LoadTable& table)
{
    DestroyAmbientSound(soundId);
    soundId = MakeAmbientSound(table.GetString("periodicSound", ""));
    period = SoundMilliseconds(table, "soundPeriod");
    randomPeriod = table.GetBool("randomPeriod", false);
    minPeriod = SoundMilliseconds(table, "randomPeriodMin");
    maxPeriod = SoundMilliseconds(table, "randomPeriodMax");
}

void SoundPeriodic::StartSound()
{
    if (GetSound() == nullptr)
        return;
    active = true;
    NewPeriod();
}

void SoundPeriodic::PreLoad()
{
    if (SoundPak* sound = GetSound())
        sound->PreLoad(false);
}

void SoundPeriodic::NewPeriod()
{
    // The shared generator: every machine must wait alike.
    timeLeft = randomPeriod && gGameEngine != nullptr
                   ? gGameEngine->GetRandomGen().IGenerate(minPeriod, maxPeriod)
                   : period;
}

void SoundPeriodic::Update(const WorldCoords& coords, int32_t elapsedMs)
{
    if (!active || gEngine->IsLevelEditor())
        return;
    timeLeft = AddSaturating(timeLeft, -elapsedMs);
    if (timeLeft >= 1)
        return;
    SoundPak* sound = GetSound();
    if (sound != nullptr && !sound->IsPlaying())
        sound->Play(coords, false, false);
    NewPeriod();
}

SoundObject::~SoundObject()
{
    if (gEngine->IsLevelEditor())
        EditorFilter::Instance().RemoveFilterObject(GetObjectId());
}

void SoundObject::Load(const LoadTable& table)
{
    Actor::Load(table);
    ambient.Load(table);
    periodic.Load(table);
    startOnLoad = table.GetBool("startOnLoad", false);
    if (!startOnLoad)
        return;
    ambient.StartSound(true);
    periodic.StartSound();
    ambient.Update(GetCoords(), 1);
    periodic.Update(GetCoords(), 1);
}

void SoundObject::PreLoad(bool flag)
{
    Actor::PreLoad(flag);
    ambient.PreLoad();
    periodic.PreLoad();
}

void SoundObject::InitialUpdate()
{
    Actor::InitialUpdate();
    if (!startOnLoad) {
        ambient.StartSound(false);
        periodic.StartSound();
    }
    const bool editor = gEngine->IsLevelEditor();
    SetVisibility(editor);
    if (editor)
        EditorFilter::Instance().AddFilterObject(GetObjectId(), kSoundObjectFilterType);
}

void SoundObject::UpdateSelf(int32_t elapsedMs)
{
    ambient.Update(GetCoords(), elapsedMs);
    periodic.Update(GetCoords(), elapsedMs);
    Actor::UpdateSelf(elapsedMs);
}

} // namespace GAME
