#include "world/FxMesh.h"

#include "core/Helpers.h"
#include "core/Saturate.h"
#include "engine/Engine.h"
#include "engine/GraphicsEngine.h"
#include "engine/GraphicsMeshInstance.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(FxMesh, Fx);

namespace {

constexpr const char* kFxMeshSource = "Project/Game/FxMesh";
const char* const soundKeys[] = {"sound1", "sound2", "sound3", "sound4"};

// Records give seconds; a NaN or a huge value must not make the timer undefined.
int32_t Milliseconds(const LoadTable& table, const char* key)
{
    return SaturateToInt(static_cast<double>(table.GetFloat(key, 0.0f)) * 1000.0);
}

} // namespace

FxMesh::FxMesh() = default;

FxMesh::~FxMesh()
{
    GraphicsEngine::Instance().UnloadAnimation(animation);
}

void FxMesh::Load(const LoadTable& table)
{
    Fx::Load(table);
    meshName = table.GetString("meshName", "");
    animationName = table.GetString("animationName", "");
    attachPoint = table.GetString("attachPoint", "");
    loop = table.GetBool("loop", false);
    speed = table.GetFloat("speed", 0.0f);
    fadeInTime = Milliseconds(table, "fadeInTime");
    fadeOutTime = Milliseconds(table, "fadeOutTime");
    sustainTime = Milliseconds(table, "sustainTime");
    for (const char* key : soundKeys)
        sounds.AddSound(Name::Create(key), table.GetString(key, ""), 100.0f);
}

void FxMesh::PreLoad(bool flag)
{
    ++preLoadCount;
    Fx::PreLoad(flag);
    LoadResources();
    if (meshInstance != nullptr)
        meshInstance->PreLoad();
    sounds.PreLoad();
}

void FxMesh::LoadResources()
{
    if (!animationName.empty() && animation == nullptr)
        animation = GraphicsEngine::Instance().LoadAnimation(animationName);
    if (meshName.empty() || meshInstance != nullptr)
        return;
    meshInstance = std::make_unique<GraphicsMeshInstance>();
    meshInstance->SetMesh(meshName);
    meshInstance->SetObjectToRegionCoords(Coords::Identity());
    meshInstance->BindChannels(
        [this](int32_t kind, const Name& name) { AnimationCallback(kind, name); });
}

void FxMesh::Start()
{
    ++startCount;
    LoadResources();
    active = true;
    fadeCountdown = fadeInTime;
    if (fadeInTime >= 1 || fadeOutTime >= 1 || sustainTime >= 1)
        fadeState = FadeIn;
    if (meshInstance != nullptr && animation != nullptr) {
        meshInstance->PlayAnimation(animation, loop, speed, startArgument);
        animationEnded = false;
    }
}

void FxMesh::Stop()
{
    ++stopCount;
    active = false;
    EndAnimation();
    SetComplete(true);
}

void FxMesh::AddToWorld(const WorldCoords& coords)
{
    if (World* world = gEngine->GetWorld())
        world->AddEntity(this, coords, true);
}

void FxMesh::EndAnimation()
{
    if (meshInstance != nullptr)
        meshInstance->StopAnimation();
    animationEnded = true;
}

void FxMesh::InitialUpdate()
{
    Fx::InitialUpdate();
    if (!active && !IsComplete())
        Start();
}

void FxMesh::SetBrightness(float brightness)
{
    meshInstance->SetDiffuseColor(Color(brightness, brightness, brightness, 1.0f));
}

void FxMesh::Fade(int32_t elapsedMs)
{
    fadeCountdown = AddSaturating(fadeCountdown, -elapsedMs);
    switch (fadeState) {
    case FadeIn:
        // Reached through a sustain or fade-out time alone, the effect is simply at full light.
        SetBrightness(fadeInTime > 0 ? Clamp(1.0f - static_cast<float>(fadeCountdown) /
                                                        static_cast<float>(fadeInTime),
                                             0.0f, 1.0f)
                                     : 1.0f);
        if (fadeCountdown < 1) {
            fadeCountdown = sustainTime;
            fadeState = FadeSustain;
        }
        break;
    case FadeSustain:
        if (fadeCountdown < 1) {
            fadeCountdown = fadeOutTime;
            fadeState = fadeOutTime > 0 ? FadeOut : FadeNone;
        }
        break;
    case FadeOut:
        SetBrightness(
            Clamp(static_cast<float>(fadeCountdown) / static_cast<float>(fadeOutTime), 0.0f, 1.0f));
        if (fadeCountdown < 1) {
            fadeCountdown = 0;
            fadeState = FadeNone;
        }
        break;
    default:
        break;
    }
}

void FxMesh::UpdateSelf(int32_t elapsedMs)
{
    Fx::UpdateSelf(elapsedMs);
    if (meshInstance != nullptr) {
        Fade(elapsedMs);
        meshInstance->Update(elapsedMs);
        meshInstance->UpdatePose();
    }
    if (!IsInWorld() || !animationEnded || fadeState != FadeNone)
        return;
    SetComplete(true);
    active = false;
    if (World* world = gEngine->GetWorld())
        world->RemoveEntity(this);
    ObjectManager::Instance().DestroyObjectEx(this, kFxMeshSource, __LINE__);
}

void FxMesh::AnimationCallback(int32_t kind, const Name& name)
{
    Fx::AnimationCallback(kind, name);
    static const Name end = Name::Create("End");
    if (name == end) {
        if (!loop)
            EndAnimation();
        return;
    }
    if (IsInWorld())
        sounds.PlaySound(*this, name, nullptr);
}

} // namespace GAME
