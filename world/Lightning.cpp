#include "world/Lightning.h"

#include "core/GradientNoise.h"
#include "core/RTTI_ClassInfo.h"
#include "core/RandomHelpers.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/Platform.h"
#include "engine/World.h"

#include <algorithm>
#include <cmath>

namespace GAME {

GAME_IMPLEMENT_CLASS(Lightning, LineEffect);

namespace {

constexpr float kHalfCircle = 3.1415927f;

float GameTimeMs()
{
    return gEngine != nullptr ? static_cast<float>(gEngine->GetGameTime()) : 0.0f;
}

} // namespace

Lightning::Lightning()
{
    SetWidth(1.4f);
    SetTextureStretch(24.0f);
}

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
    SetColor(recordColor);
    timeMin = static_cast<int32_t>(table.GetFloat("timeMin", 0.0f) * 1000.0f);
    timeMax = static_cast<int32_t>(table.GetFloat("timeMax", 0.0f) * 1000.0f);
    SetWidth(table.GetFloat("Width", 0.0f));
    SetTextureStretch(table.GetFloat("TextureStretch", 0.0f));
    SetTexture(table.GetString("Texture", ""));
    SetShaderName(table.GetString("Shader", ""));
}

void Lightning::SetValues(const Color& color, float width, float textureStretch,
                          const std::string& texture, const std::string& shader)
{
    SetColor(color);
    SetWidth(width);
    SetTextureStretch(textureStretch);
    SetTexture(texture);
    SetShaderName(shader);
}

void Lightning::SetTarget(const WorldVec3& source, const WorldVec3& destination)
{
    WorldVec3 from = source;
    if (fromSky) {
        from = destination;
        from.TranslateInRegion(Vec3(0.0f, skyHeight, 0.0f));
    }
    for (int32_t bolt = 0; bolt < numberOfBolts; ++bolt) {
        const auto time = static_cast<int32_t>(
            RandomFloat(static_cast<float>(timeMin), static_cast<float>(timeMax)));
        Generate(from, destination, generateTendrils, 0, recordColor, time, 0.1f);
    }
}

void Lightning::Generate(const WorldVec3& source, const WorldVec3& destination, bool tendrils,
                         int32_t generation, const Color& color, int32_t time, float /*unused*/)
{
    SetSource(source);
    SetDestination(destination);
    sourcePosition = source.GetRegionPosition();
    if (!destination.GetPositionInRegion(source.GetRegionId(), relativeDestination))
        relativeDestination = destination.GetRegionPosition();

    const auto seed = static_cast<int32_t>(RandomFloat(0.0f, 1000.0f));
    SetSeed(seed);
    SetColor(color);
    generateTendrils = tendrils;
    bolts.push_back({generation, time, GetDefaultFade()});
    // The bolt grows over the first quarter of the first bolt's life.
    SetRevealTime(bolts.front().timeToLive / 4);

    Platform::SRand(static_cast<uint32_t>(seed));
    SetBoundingBox(ABBox(Vec3(-5.0f, 0.0f, -5.0f), Vec3(5.0f, 20.0f, 5.0f)));
    const size_t index = AddPointList({Vec3(0.0f, 0.0f, 0.0f)});
    RecursiveGenerate(index, Vec3(0.0f, 0.0f, 0.0f), relativeDestination - sourcePosition,
                      kGenerateDepth);
    SetElapsedTime(generation);
}

void Lightning::RecursiveGenerate(size_t bolt, const Vec3& a, const Vec3& b, int32_t depth)
{
    const Vec3 span = b - a;
    const float length = span.Length();
    if (length < 2.0f || depth <= 0) {
        ABBox box = GetBoundingBox();
        box.min =
            Vec3(std::min(box.min.x, b.x), std::min(box.min.y, b.y), std::min(box.min.z, b.z));
        box.max =
            Vec3(std::max(box.max.x, b.x), std::max(box.max.y, b.y), std::max(box.max.z, b.z));
        SetBoundingBox(box);
        if (std::vector<Vec3>* points = GetMutablePointList(bolt))
            points->push_back(b);
        return;
    }
    const Vec3 u = span.Unit();
    const Vec3 p = u.GetPerpendicular();
    const Vec3 q = Cross(u, p).Unit();
    const float theta = RandomFloat(0.0f, 6.2831855f);
    const Vec3 direction = q * std::sin(theta) + p * std::cos(theta);
    const float n = Noise1D(GameTimeMs() * 0.02f + RandomFloat(0.0f, 100.0f));
    const float m = RandomFloat(-0.5f, 0.5f) + n * 0.25f;
    const Vec3 mid = (a + b) * 0.5f + direction * (m * (length * 0.2f));
    RecursiveGenerate(bolt, a, mid, depth - 1);
    RecursiveGenerate(bolt, mid, b, depth - 1);
}

float Lightning::GetFadeMultiplier(int bolt) const
{
    if (bolt < 0 || static_cast<size_t>(bolt) >= bolts.size())
        return GetDefaultFade();
    return bolts[static_cast<size_t>(bolt)].fadeMultiplier;
}

void Lightning::UpdateSelf(int32_t elapsedMs)
{
    LineEffect::UpdateSelf(elapsedMs);
    if (IsPaused())
        return;
    float top = 1.0f;
    float bottom = 0.0f;
    if (!bolts.empty()) {
        // A first bolt of no time (or one run out) has nothing left to reveal.
        const int32_t first = bolts.front().timeToLive;
        const float p =
            first > 0 ? 1.0f - static_cast<float>(GetElapsedTime()) / static_cast<float>(first)
                      : 0.0f;
        if (p > 0.75f)
            top = 1.0f - (p - 0.75f) * 4.0f;
        else if (p < 0.25f)
            bottom = 1.0f - 4.0f * p;
        SetTopBottomPercent(top, bottom);
        UpdateTendrils();
    }

    bool anyLeft = false;
    for (size_t i = 0; i < bolts.size(); ++i) {
        Bolt& bolt = bolts[i];
        bolt.fadeMultiplier = top - bottom;
        // A bolt given no time would otherwise never leave.
        if (bolt.timeToLive <= 0 || bolt.timeToLive < GetElapsedTime()) {
            bolt.timeToLive = 0;
            if (std::vector<Vec3>* points = GetMutablePointList(i))
                points->clear();
        }
        if (!GetPointList(i).empty())
            anyLeft = true;
    }
    if (!anyLeft)
        RemoveSelf();
}

void Lightning::UpdateTendrils()
{
    const auto last = static_cast<int32_t>(GetPointList(0).size()) - 1;
    const auto k = static_cast<int32_t>(static_cast<float>(last) * GetTravelPercentage());
    if (k == lastTendrilIndex || !generateTendrils)
        return;
    lastTendrilIndex = k;
    if (RandomFloat(0.0f, 100.0f) <= 75.0f)
        return;
    auto* tendril = DynamicCast<Lightning>(ObjectManager::Instance().CreateObject("Lightning"));
    if (tendril == nullptr)
        return;
    tendril->Generate(GetSource(), GetTendrilDestination(), false, GetElapsedTime(), GetColor(),
                      bolts.front().timeToLive, 0.0f);
    tendril->SetValues(GetColor(), GetWidth(), GetTextureStretch(), GetTextureName(),
                       GetShaderName());
    World* world = gEngine != nullptr ? gEngine->GetWorld() : nullptr;
    if (world == nullptr || !world->AddEntity(tendril, GetCoords(), false))
        ObjectManager::Instance().DestroyObjectEx(tendril, "Project/Game/Lightning", __LINE__);
}

WorldVec3 Lightning::GetTendrilDestination() const
{
    const float f = RandomFloat(50.0f, 200.0f) * 0.005f;
    const float phi = RandomFloat(0.0f, 360.0f) * (kHalfCircle / 180.0f);
    const Vec3 d = relativeDestination - sourcePosition;
    const Vec3 a = Cross(d, Vec3(0.1f, 0.9f, 0.0f)).Unit();
    const Vec3 b = Cross(d, a).Unit();
    WorldVec3 result = GetDestination();
    result.TranslateInRegion(a * (std::cos(phi) * f) + b * (std::sin(phi) * f));
    return result;
}

void Lightning::RemoveSelf()
{
    World* world = gEngine != nullptr ? gEngine->GetWorld() : nullptr;
    if (IsInWorld() && world != nullptr)
        world->RemoveEntity(this);
    ObjectManager::Instance().DestroyObjectEx(this, "Project/Game/Lightning", __LINE__);
}

} // namespace GAME
