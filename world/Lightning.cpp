#include "world/Lightning.h"

#include "core/RandomHelpers.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/World.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Lightning, LineEffect);

Lightning::Lightning() = default;

Lightning::~Lightning() = default;

void Lightning::Load(const LoadTable& table)
{
    LineEffect::Load(table);
    fromSky = table.GetBool("fromSky", false);
    generateTendrils = table.GetBool("generateTendrils", false);
    numberOfBolts = table.GetInt("numberOfBolts", 0);
    recordColor = Color(static_cast<float>(table.GetInt("Red256", 0)) / 255.0f,
                        static_cast<float>(table.GetInt("Green256", 0)) / 255.0f,
                        static_cast<float>(table.GetInt("Blue256", 0)) / 255.0f,
                        static_cast<float>(table.GetInt("Alpha256", 0)) / 255.0f);
    timeMin = static_cast<int32_t>(table.GetFloat("timeMin", 0.0f) * 1000.0f);
    timeMax = static_cast<int32_t>(table.GetFloat("timeMax", 0.0f) * 1000.0f);
    width = table.GetFloat("Width", 0.0f);
    textureStretch = table.GetFloat("TextureStretch", 0.0f);
    texture = table.GetString("Texture", "");
    shader = table.GetString("Shader", "");
}

void Lightning::SetTarget(const WorldVec3& source, const WorldVec3& destination)
{
    WorldVec3 from = source;
    if (fromSky) {
        from = destination;
        from.TranslateInRegion(Vec3(0.0f, skyHeight, 0.0f));
    }
    for (int32_t bolt = 0; bolt < numberOfBolts; ++bolt) {
        SetSource(from);
        SetDestination(destination);
        const auto time = static_cast<int32_t>(
            RandomFloat(static_cast<float>(timeMin), static_cast<float>(timeMax)));
        bolts.push_back({0, time, kDefaultFade});
        SetElapsedTime(0);
    }
    SetRevealTime(bolts.empty() ? 0 : bolts.front().timeToLive);
}

float Lightning::GetFadeMultiplier(int bolt) const
{
    if (bolt < 0 || static_cast<size_t>(bolt) >= bolts.size())
        return kDefaultFade;
    return bolts[static_cast<size_t>(bolt)].fadeMultiplier;
}

void Lightning::UpdateSelf(int32_t elapsedMs)
{
    LineEffect::UpdateSelf(elapsedMs);
    float top = 1.0f;
    float bottom = 0.0f;
    if (!bolts.empty()) {
        // A first bolt of no time has already run its course.
        const int32_t first = bolts.front().timeToLive;
        const float p =
            first > 0 ? 1.0f - static_cast<float>(GetElapsedTime()) / static_cast<float>(first)
                      : 0.0f;
        if (p > 0.75f)
            top = 1.0f - (p - 0.75f) * 4.0f;
        else if (p < 0.25f)
            bottom = 1.0f - 4.0f * p;
        SetTopBottomPercent(top, bottom);
    }

    bool anyLeft = false;
    for (Bolt& bolt : bolts) {
        bolt.fadeMultiplier = top - bottom;
        if (bolt.timeToLive > 0 && bolt.timeToLive < GetElapsedTime())
            bolt.timeToLive = 0;
        if (bolt.timeToLive > 0)
            anyLeft = true;
    }
    if (anyLeft)
        return;
    World* world = gEngine->GetWorld();
    if (IsInWorld() && world != nullptr)
        world->RemoveEntity(this);
    ObjectManager::Instance().DestroyObjectEx(this, "Project/Game/Lightning", __LINE__);
}

} // namespace GAME
