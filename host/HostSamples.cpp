#include "host/HostSamples.h"

#include "combat/DeathHandler.h"
#include "engine/LoadTable.h"
#include "engine/Object.h"
#include "engine/ObjectManager.h"
#include "game/GameEngine.h"

#include <cstdio>
#include <ostream>
#include <typeinfo>

namespace GAME {

namespace {

constexpr const char* kSourceFile = "Host/HostSamples";

} // namespace

bool HostSamples::WithLibrary(std::ostream& err, const std::function<bool()>& show)
{
    InitializeObjects();
    // The library reports an engine it could not allocate by leaving the global null.
    if (gGameEngine == nullptr) {
        err << "gamehost: the game library did not start\n";
        return false;
    }
    const bool shown = show();
    ShutdownObjects();
    return shown;
}

const LoadTable* HostSamples::OpenRecord(const char* record, const RTTI_ClassInfo& kind,
                                         std::ostream& err)
{
    ObjectManager& objects = ObjectManager::Instance();
    if (!objects.LoadTableFile(record)) {
        err << "gamehost: sample character record '" << record << "' cannot be read\n";
        return nullptr;
    }
    const LoadTable& table = objects.GetLoadTable(record);
    const std::string className = table.GetString("Class");
    if (className != kind.GetName()) {
        err << "gamehost: sample character record '" << record << "' names class '" << className
            << "', not " << kind.GetName() << '\n';
        return nullptr;
    }
    return &table;
}

bool HostSamples::Register(Object* object, const char* record, std::ostream& err)
{
    if (!ObjectManager::Instance().RegisterObject(object)) {
        delete object;
        err << "gamehost: no object id is left for '" << record << "'\n";
        return false;
    }
    object->SetObjectName(record);
    return true;
}

void HostSamples::Destroy(Object* object)
{
    ObjectManager::Instance().DestroyObjectEx(object, kSourceFile, __LINE__);
    ObjectManager::Instance().ProcessDestroyedObjects();
}

std::string HostSamples::OneDecimal(float value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", static_cast<double>(value));
    return text;
}

const char* HostSamples::HandlerName(const DeathHandler& handler)
{
    static const struct {
        const std::type_info& type;
        const char* name;
    } kKinds[] = {
        {typeid(DefaultDeathHandler), "Default"},
        {typeid(DissolveActorDeathHandler), "Dissolve"},
        {typeid(FadeActorDeathHandler), "Fade"},
        {typeid(PlaySoundDeathHandler), "PlaySound"},
        {typeid(SpawnActorDeathHandler), "SpawnActor"},
        {typeid(SpawnMyBonesDeathHandler), "SpawnMyBones"},
        {typeid(PlayEffectDeathHandler), "PlayEffect"},
    };
    for (const auto& kind : kKinds) {
        if (typeid(handler) == kind.type)
            return kind.name;
    }
    return "other";
}

} // namespace GAME
