#include "combat/AuraManager.h"

#include "core/Saturate.h"
#include "engine/Actor.h"
#include "engine/Coords.h"
#include "engine/Engine.h"
#include "engine/ObjectManager.h"

#include <cstddef>

namespace GAME {

namespace {

// The next update takes a marked aura away, permanent or not.
void MarkForRemoval(AuraContainer& aura)
{
    aura.permanent = false;
    aura.timeRemaining = 0;
}

} // namespace

AuraContainer::AuraContainer(const std::string& recordName, uint32_t entityId, bool permanent,
                             int32_t timeRemaining)
    : recordName(recordName), entityId(entityId), permanent(permanent), timeRemaining(timeRemaining)
{}

AuraContainer::~AuraContainer() = default;

AuraManager::AuraManager() = default;

AuraManager::~AuraManager() = default;

uint32_t AuraManager::AddAura(Actor& owner, const std::string& recordName, bool permanent,
                              int32_t seconds)
{
    if (recordName.empty())
        return 0;
    Entity* entity = ObjectManager::Instance().CreateObjectFromFile<Entity>(recordName, 0, true);
    if (entity == nullptr) {
        gEngine->Log(Engine::LogData, "Aura was not an Entity (%s)", recordName.c_str());
        return 0;
    }
    // A huge duration stays as long as it can rather than wrapping negative.
    const int32_t duration = SaturateToInt(static_cast<double>(seconds) * 1000.0);
    auras.emplace_back(recordName, entity->GetObjectId(), permanent, duration);
    owner.Attach(entity, Coords::Identity(), "");
    return entity->GetObjectId();
}

void AuraManager::RemoveAura(uint32_t id)
{
    for (AuraContainer& aura : auras) {
        if (aura.entityId == id)
            MarkForRemoval(aura);
    }
}

void AuraManager::RemoveAura(const std::string& recordName)
{
    for (AuraContainer& aura : auras) {
        if (aura.recordName == recordName)
            MarkForRemoval(aura);
    }
}

void AuraManager::Update(Actor& owner, int32_t elapsedMs)
{
    size_t index = 0;
    while (index < auras.size()) {
        AuraContainer& aura = auras[index];
        if (!aura.permanent) {
            aura.timeRemaining = SaturateToInt(static_cast<double>(aura.timeRemaining) - elapsedMs);
            if (aura.timeRemaining < 1) {
                Release(owner, aura);
                auras.erase(auras.begin() + static_cast<std::ptrdiff_t>(index));
                continue;
            }
        }
        ++index;
    }
}

void AuraManager::Clear(Actor& owner)
{
    for (const AuraContainer& aura : auras)
        Release(owner, aura);
    auras.clear();
}

void AuraManager::Release(Actor& owner, const AuraContainer& aura)
{
    ObjectManager& objects = ObjectManager::Instance();
    Object* object = objects.GetObject(aura.entityId);
    if (Entity* entity = DynamicCast<Entity>(object))
        owner.Detach(entity);
    if (object != nullptr)
        objects.DestroyObjectEx(object, "Project/Game/AuraManager", __LINE__);
}

} // namespace GAME
