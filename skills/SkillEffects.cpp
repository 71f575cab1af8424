#include "skills/Skill.h"

#include "characters/Character.h"
#include "engine/Engine.h"
#include "engine/Entity.h"
#include "engine/ObjectManager.h"
#include "engine/SoundPak.h"
#include "engine/World.h"
#include "engine/WorldCoords.h"
#include "engine/WorldVec3.h"
#include "items/Weapon.h"
#include "skills/SkillManagerBase.h"
#include "skills/SkillProfile.h"
#include "world/Prop.h"

namespace GAME {

namespace {

// A record that makes no sound pack leaves the slot empty.
SoundPak* MakeSound(const std::string& name)
{
    return name.empty() ? nullptr : ObjectManager::Instance().CreateObjectFromFile<SoundPak>(name);
}

void Play(SoundPak* sound, const WorldVec3& position)
{
    if (sound != nullptr)
        sound->Play(WorldCoords(position), false, true);
}

// The one rule of the attached effects: attach once, start on every switch-on, keep the handle.
void SwitchParticleEffect(Character& owner, uint32_t& handle, const std::string& name,
                          const std::string& attachPoint, bool on)
{
    if (on && handle == 0 && !name.empty())
        handle = owner.AddParticleEffect(name, attachPoint);
    if (handle == 0)
        return;
    if (on)
        owner.StartParticleEffect(handle);
    else
        owner.StopParticleEffect(handle);
}

// An effect entity left in the world to play out; one the world refuses would be nobody's.
void PlaceEffect(const std::string& name, const WorldCoords& where)
{
    if (name.empty())
        return;
    Entity* effect = ObjectManager::Instance().CreateObjectFromFile<Entity>(name);
    if (effect == nullptr)
        return;
    WorldCoords coords = where;
    coords.ClearRotation();
    World* world = gEngine->GetWorld();
    if (world == nullptr || !world->AddEntity(effect, coords, false))
        ObjectManager::Instance().DestroyObjectEx(effect, "Project/Game/Skill", __LINE__);
}

void DestroyCharacter(Character*& character)
{
    if (character != nullptr)
        ObjectManager::Instance().DestroyObjectEx(character, "Project/Game/Skill", __LINE__);
    character = nullptr;
}

} // namespace

void Skill::LoadSounds()
{
    const SkillProfile& record = GetSkillProfile();
    struct Slot {
        SoundPak* Skill::*sound;
        const std::string& name;
    };
    const Slot slots[] = {
        {&Skill::warmUpSound, record.GetWarmUpSoundName()},
        {&Skill::swipeSound, record.GetSwipeSoundName()},
        {&Skill::hitSound, record.GetHitSoundName()},
        {&Skill::activateSound, record.GetActivateSoundName()},
        {&Skill::deactivateSound, record.GetDeactivateSoundName()},
        {&Skill::castSound, record.GetCastSoundName()},
        {&Skill::unCastSound, record.GetUnCastSoundName()},
        {&Skill::skillSound1, record.GetSkillSound1Name()},
        {&Skill::skillSound2, record.GetSkillSound2Name()},
    };
    for (const Slot& slot : slots) {
        if (slot.name.empty())
            continue;
        // Loading again must not lose the pack already made.
        if (this->*slot.sound != nullptr)
            ObjectManager::Instance().DestroyObjectEx(this->*slot.sound, "Project/Game/Skill",
                                                      __LINE__);
        this->*slot.sound = MakeSound(slot.name);
    }
}

void Skill::PreLoad(bool /*flag*/)
{
    for (SoundPak* sound : {warmUpSound, swipeSound, hitSound, activateSound, deactivateSound,
                            castSound, unCastSound, skillSound1, skillSound2}) {
        if (sound != nullptr)
            sound->PreLoad(false);
    }
    for (Prop* prop : {prop1, prop2}) {
        if (prop != nullptr)
            prop->PreLoad(true);
    }
}

void Skill::PlaySwipeSound(const WorldVec3& position)
{
    Play(swipeSound, position);
}

void Skill::PlayHitSound(const WorldVec3& position)
{
    Play(hitSound, position);
}

void Skill::PlaySkillSound1(const WorldCoords& where)
{
    Play(skillSound1, where.GetPosition());
}

void Skill::PlaySkillSound2(const WorldCoords& where)
{
    Play(skillSound2, where.GetPosition());
}

void Skill::PlayWarmUpSound(const WorldVec3& position)
{
    Play(warmUpSound, position);
}

void Skill::PlayActivateSound(const WorldVec3& position)
{
    Play(activateSound, position);
}

void Skill::PlayDeactivateSound(const WorldVec3& position)
{
    Play(deactivateSound, position);
}

void Skill::PlayCastSound(const WorldVec3& position)
{
    Play(castSound, position);
}

void Skill::PlayUnCastSound(const WorldVec3& position)
{
    Play(unCastSound, position);
}

void Skill::PlayCastSounds(const WorldVec3& position, bool on)
{
    Play(on ? castSound : unCastSound, position);
}

void Skill::PlayActivatedSounds(const WorldVec3& position, bool on)
{
    Play(on ? activateSound : deactivateSound, position);
}

void Skill::PlayWeaponSwipeSound(Character& owner, const Name& callback)
{
    static const Name kSwipeRight = Name::Create("SwipeRight");
    static const Name kSwipeLeft = Name::Create("SwipeLeft");
    if (skillManager == nullptr)
        return;
    uint32_t weaponId = 0;
    if (callback == kSwipeRight)
        weaponId = skillManager->GetRightHandWeapon();
    else if (callback == kSwipeLeft)
        weaponId = skillManager->GetLeftHandWeapon();
    else
        return;
    if (Weapon* weapon = ObjectManager::Instance().GetObject<Weapon>(weaponId))
        weapon->PlaySwipeSound(owner.GetCoords().GetPosition());
    else
        owner.PlayArmSwipeSound();
}

void Skill::ParticleEffect1(Character& owner, bool on)
{
    const SkillProfile& record = GetSkillProfile();
    SwitchParticleEffect(owner, particleEffect1, record.GetParticleEffectName1(),
                         record.GetParticleEffectAttachPoint1(), on);
}

void Skill::ParticleEffect2(Character& owner, bool on)
{
    const SkillProfile& record = GetSkillProfile();
    SwitchParticleEffect(owner, particleEffect2, record.GetParticleEffectName2(),
                         record.GetParticleEffectAttachPoint2(), on);
}

void Skill::ParticleEffect3(Character& owner, bool on)
{
    const SkillProfile& record = GetSkillProfile();
    SwitchParticleEffect(owner, particleEffect3, record.GetParticleEffectName3(),
                         record.GetParticleEffectAttachPoint3(), on);
}

void Skill::WarmUpEffect(Character& owner, bool on)
{
    const SkillProfile& record = GetSkillProfile();
    SwitchParticleEffect(owner, warmUpEffect, record.GetWarmUpEffectName(),
                         record.GetWarmUpEffectAttachPoint(), on);
}

void Skill::ApplyCastVisualEffects(Character& owner, bool on)
{
    const SkillProfile& record = GetSkillProfile();
    if (on) {
        if (castAura == 0 && !record.GetCastAuraName().empty())
            castAura = owner.AddParticleEffect(record.GetCastAuraName(), std::string());
        if (castAura != 0)
            owner.StartParticleEffect(castAura);
    } else if (castAura != 0) {
        owner.RemoveParticleEffect(castAura);
        castAura = 0;
    }
    owner.SetCharacterBuffFx(record.GetCharBuffFxType(), on);
}

void Skill::ApplyActivatedVisualEffects(Character& owner, bool on)
{
    const SkillProfile& record = GetSkillProfile();
    if (activeAura != 0) {
        owner.RemoveAura(activeAura);
        activeAura = 0;
    }
    if (on && !record.GetActiveAuraName().empty())
        activeAura = owner.AddAura(record.GetActiveAuraName(), true, 0);
    owner.SetCharacterBuffFx(record.GetCharBuffFxType(), on);
    ApplyBuffSelfEffects(owner, on);
    for (const uint32_t id : modifiers) {
        if (Skill* modifier = ObjectManager::Instance().GetObject<Skill>(id))
            modifier->ApplyBuffSelfEffects(owner, on);
    }
}

void Skill::ApplyActiveWorldVisualEffects(Character& owner, bool on)
{
    Entity* effect = ObjectManager::Instance().GetObject<Entity>(activeWorldEffect);
    World* world = gEngine->GetWorld();
    if (!on) {
        if (effect != nullptr) {
            if (world != nullptr)
                world->RemoveEntity(effect);
            ObjectManager::Instance().DestroyObjectEx(effect, "Project/Game/Skill", __LINE__);
        }
        activeWorldEffect = 0;
        return;
    }
    if (effect != nullptr) {
        if (world != nullptr) {
            world->RemoveEntity(effect);
            world->AddEntity(effect, owner.GetCoords(), false);
        }
        return;
    }
    const std::string& name = GetSkillProfile().GetActiveAuraName();
    if (name.empty())
        return;
    effect = ObjectManager::Instance().CreateObjectFromFile<Entity>(name);
    if (effect == nullptr)
        return;
    if (world == nullptr || !world->AddEntity(effect, owner.GetCoords(), false)) {
        ObjectManager::Instance().DestroyObjectEx(effect, "Project/Game/Skill", __LINE__);
        return;
    }
    activeWorldEffect = effect->GetObjectId();
}

void Skill::ApplyBuffSelfEffects(Character& owner, bool on)
{
    ApplyBuffEffects(on, GetBuffSelfCharFxPakName());
    if (!on)
        CreateEndBuffSelfFx(owner.GetCoords());
}

void Skill::ApplyBuffOtherEffects(Character& owner, bool on)
{
    if (on)
        endBuffOtherEffectName = GetSkillProfile().GetEndBuffOtherFxPakName(GetCurrentLevel());
    ApplyBuffEffects(on, GetBuffOtherCharFxPakName());
    if (!on)
        CreateEndBuffOtherFx(owner.GetCoords());
}

void Skill::ApplyBuffEffects(bool on, const std::string& ownPak)
{
    if (skillManager == nullptr)
        return;
    const uint32_t id = GetObjectId();
    if (!on) {
        skillManager->RemoveWeaponEnchantment(id);
        skillManager->RemoveCharFxPak(id);
        return;
    }
    std::vector<std::string> paks;
    if (!ownPak.empty())
        paks.push_back(ownPak);
    for (const uint32_t modifierId : modifiers) {
        const Skill* modifier = ObjectManager::Instance().GetObject<Skill>(modifierId);
        if (modifier == nullptr)
            continue;
        std::string name = modifier->GetBuffOtherCharFxPakName();
        if (!name.empty())
            paks.push_back(std::move(name));
    }
    if (!paks.empty())
        skillManager->AddCharFxPak(id, paks);
    skillManager->RemoveWeaponEnchantment(id);
    const std::string& enchantment = GetSkillProfile().GetWeaponEnchantment(GetCurrentLevel());
    if (!enchantment.empty())
        skillManager->AddWeaponEnchantment(id, enchantment);
}

std::string Skill::GetBuffSelfCharFxPakName() const
{
    return GetSkillProfile().GetCharFxSelfName(GetCurrentLevel());
}

std::string Skill::GetBuffOtherCharFxPakName() const
{
    return GetSkillProfile().GetCharFxOtherName(GetCurrentLevel());
}

void Skill::CreateTargetFx(const WorldCoords& where)
{
    PlaceEffect(GetSkillProfile().GetTargetFxPakName(GetCurrentLevel()), where);
    for (const uint32_t id : modifiers) {
        if (Skill* modifier = ObjectManager::Instance().GetObject<Skill>(id))
            modifier->CreateTargetFx(where);
    }
}

void Skill::CreateEndBuffSelfFx(const WorldCoords& where)
{
    PlaceEffect(GetSkillProfile().GetEndBuffSelfFxPakName(GetCurrentLevel()), where);
    for (const uint32_t id : modifiers) {
        if (Skill* modifier = ObjectManager::Instance().GetObject<Skill>(id))
            modifier->CreateEndBuffSelfFx(where);
    }
}

void Skill::CreateEndBuffOtherFx(const WorldCoords& where)
{
    // Cleared once placed: one end effect per activation however often the buff ends.
    PlaceEffect(endBuffOtherEffectName, where);
    endBuffOtherEffectName.clear();
    for (const uint32_t id : modifiers) {
        if (Skill* modifier = ObjectManager::Instance().GetObject<Skill>(id))
            modifier->CreateEndBuffOtherFx(where);
    }
}

void Skill::InitRagDollData(CharacterRagDoll::EffectData& data, const WorldCoords& from,
                            const WorldCoords& to) const
{
    const SkillProfile& record = GetSkillProfile();
    const WorldVec3 start = from.GetPosition();
    const WorldVec3 end = to.GetPosition();
    const auto push = [&](const std::string& direction, const std::string& pushName,
                          const std::string& elevation) {
        return CharacterRagDoll::GetDirectionVec(direction, start, end) +
               CharacterRagDoll::GetPushVec(pushName, from) +
               CharacterRagDoll::GetElevationVec(elevation);
    };
    Vec3 sum(0.0f, 0.0f, 0.0f);
    std::string effectName = record.GetRagDollEffect();
    if (ragDollEffectType == "TakeHit") {
        sum += push(ragDollDirection, ragDollPush, ragDollElevation);
        effectName = ragDollEffectType;
    }
    sum +=
        push(record.GetRagDollDirection(), record.GetRagDollPush(), record.GetRagDollElevation());
    data.effect = CharacterRagDoll::GetEffectEnum(effectName);
    data.direction = sum.Length() <= 0.0001f ? Vec3(0.0f, 0.0f, 0.0f) : sum.Unit();
    data.amplification = record.GetRagDollAmplification(GetCurrentLevel());
}

void Skill::PreLoadPet()
{
    const SkillProfile& record = GetSkillProfile();
    const uint32_t level = GetCurrentLevel();
    // Both pets are rebuilt for the level.
    const auto remake = [this](Character*& slot, const std::string& name) {
        if (slot != nullptr && skillManager != nullptr)
            skillManager->PopPetInitialize(slot);
        DestroyCharacter(slot);
        if (name.empty())
            return;
        slot = ObjectManager::Instance().CreateObjectFromFile<Character>(name);
        if (slot != nullptr && skillManager != nullptr)
            skillManager->PushPetInitialize(slot);
    };
    const std::string& current = record.GetSpawnObject(level);
    remake(pet, current);
    // The level after the last one counted still reads a list, never past it.
    const uint32_t nextLevel = level < UINT32_MAX ? level + 1 : level;
    const std::string& next = record.GetSpawnObject(nextLevel);
    remake(nextLevelPet, next == current ? std::string() : next);
}

} // namespace GAME
