#include "world/Prop.h"

#include "engine/Coords.h"
#include "engine/LoadTable.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Prop, Actor);

namespace {
constexpr const char* kPropSource = "Project/Game/Prop";
} // namespace

Prop::~Prop()
{
    ObjectManager::Instance().DestroyObjectEx(GetSound(), kPropSource, __LINE__);
}

SoundPak* Prop::GetSound() const
{
    return soundId != 0 ? ObjectManager::Instance().GetObject<SoundPak>(soundId) : nullptr;
}

void Prop::Load(const LoadTable& table)
{
    Actor::Load(table);
    const std::string animation = table.GetString("propAnimation", "");
    if (!animation.empty())
        propAnimation.AddAnimation(animation, table.GetFloat("propAnimationSpeed", 0.0f), 0.0f, "");
    // A second load must not strand the first load's sound.
    ObjectManager& objects = ObjectManager::Instance();
    objects.DestroyObjectEx(GetSound(), kPropSource, __LINE__);
    soundId = 0;
    const std::string sound = table.GetString("animationSound", "");
    if (!sound.empty()) {
        if (SoundPak* pak = objects.CreateObjectFromFile<SoundPak>(sound))
            soundId = pak->GetObjectId();
    }
    attachPoint = table.GetString("propAttachPoint", "");
}

void Prop::PreLoad(bool flag)
{
    Actor::PreLoad(flag);
    if (SoundPak* sound = GetSound())
        sound->PreLoad(flag);
    propAnimation.PreLoad(flag);
}

void Prop::AttachProp(Actor& owner)
{
    owner.Attach(this, Coords::Identity(), attachPoint.c_str());
    propAnimation.PlayAnimation(*this, Name(), 1.0f, true, 0);
    if (SoundPak* sound = GetSound())
        sound->Play(owner.GetCoords(), false, true);
}

void Prop::DetachProp(Actor& owner)
{
    owner.Detach(this);
}

} // namespace GAME
