#include "characters/TyphonStatue.h"

#include "ai/ControllerTyphon.h"
#include "characters/Typhon.h"
#include "engine/Engine.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "engine/World.h"

#include <vector>

namespace GAME {

GAME_IMPLEMENT_CLASS(TyphonStatue, Monster);

namespace {

class IsTyphon : public FilterFunction<Entity> {
public:
    explicit IsTyphon(const Region* region) : region(region) {}
    bool operator()(const Entity* candidate) const override
    {
        return DynamicCast<Typhon>(candidate) != nullptr &&
               candidate->GetCoords().GetRegion() == region;
    }

private:
    const Region* region;
};

ControllerTyphon* ControllerOf(const Character* character)
{
    if (character == nullptr)
        return nullptr;
    return ObjectManager::Instance().GetObject<ControllerTyphon>(character->GetControllerId());
}

} // namespace

TyphonStatue::~TyphonStatue()
{
    frameBurstEffect.UnLoad();
    frameBurstEffect.SetParent(0);
    ObjectManager& objects = ObjectManager::Instance();
    if (Object* sound = objects.GetObject(burstSound))
        objects.DestroyObjectEx(sound, __FILE__, __LINE__);
}

void TyphonStatue::Load(const LoadTable& table)
{
    Monster::Load(table);
    god = TyphonGodFromName(table.GetString("skillGodName", ""));
    frameBurstEffect.SetParent(GetObjectId());
    frameBurstEffect.LoadFromDatabase(table.GetString("frameBurstEffect", ""));
    LoadSoundPak(table, burstSound, "burstSound", "");
}

void TyphonStatue::UnderAttack(uint32_t attackerId)
{
    Character::UnderAttack(attackerId);
    auto* typhon = ObjectManager::Instance().GetObject<Typhon>(attackerId);
    ControllerTyphon* controller = ControllerOf(typhon);
    // A statue of no known god lends nothing.
    if (controller == nullptr || !IsTyphonGod(god))
        return;
    controller->ApplyGodSpecialAttacks(god);
    typhon->EnableSkillEffect(god);
    frameBurstEffect.Enable(false);
    frameBurstEffect.Enable(true);
    if (SoundPak* sound = GetSoundPak(burstSound))
        sound->Play(GetCoords(), false, false);
}

void TyphonStatue::CharacterIsDying()
{
    Monster::CharacterIsDying();
    World* world = gEngine->GetWorld();
    if (world == nullptr || !IsTyphonGod(god))
        return;
    std::vector<Entity*> found;
    world->GetEntities(found, IsTyphon(GetCoords().GetRegion()));
    for (Entity* entity : found) {
        if (ControllerTyphon* controller = ControllerOf(static_cast<Typhon*>(entity)))
            controller->LoseGodSkills(god);
    }
}

} // namespace GAME
