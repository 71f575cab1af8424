#include "characters/Monster.h"

#include "engine/Actor.h"
#include "engine/ObjectManager.h"

namespace GAME {

namespace {

constexpr const char* kMonsterBannersSource = "characters/MonsterBanners.cpp";

} // namespace

void Monster::SetBaseBanner(const std::string& recordName)
{
    SetBanner(baseBanner, recordName);
}

void Monster::SetConvertBanner(const std::string& recordName)
{
    SetBanner(convertBanner, recordName);
}

void Monster::SetControlBanner(const std::string& recordName)
{
    SetBanner(controlBanner, recordName);
}

void Monster::RemoveBaseBanner()
{
    RemoveBanner(baseBanner);
}

void Monster::RemoveConvertBanner()
{
    RemoveBanner(convertBanner);
}

void Monster::RemoveControlBanner()
{
    RemoveBanner(controlBanner);
}

void Monster::RemoveAllPetBanners()
{
    RemoveControlBanner();
    RemoveConvertBanner();
    RemoveBaseBanner();
}

void Monster::SetBanner(uint32_t& banner, const std::string& recordName)
{
    RemoveBanner(banner);
    if (recordName.empty())
        return;
    if (Actor* actor = ObjectManager::Instance().CreateObjectFromFile<Actor>(recordName)) {
        banner = actor->GetObjectId();
        SelectShownBanner();
    }
}

void Monster::RemoveBanner(uint32_t& banner)
{
    if (banner == 0)
        return;
    ObjectManager& objects = ObjectManager::Instance();
    Actor* actor = objects.GetObject<Actor>(banner);
    if (banner == shownBanner) {
        if (actor != nullptr)
            Detach(actor);
        shownBanner = 0;
    }
    objects.DestroyObjectEx(actor, kMonsterBannersSource, __LINE__);
    banner = 0;
    if (shownBanner == 0)
        SelectShownBanner();
}

void Monster::SelectShownBanner()
{
    ObjectManager& objects = ObjectManager::Instance();
    if (Actor* shown = objects.GetObject<Actor>(shownBanner))
        Detach(shown);
    shownBanner = 0;
    for (uint32_t banner : {controlBanner, convertBanner, baseBanner}) {
        Actor* actor = objects.GetObject<Actor>(banner);
        if (actor == nullptr)
            continue;
        // The banner keeps its own size whatever the monster is scaled to.
        const float monsterScale = GetCurrentScale();
        if (monsterScale != 0.0f)
            actor->SetScale(actor->GetCurrentScale() / monsterScale);
        Attach(actor, Coords::Identity(), kBannerAttachPoint);
        shownBanner = banner;
        return;
    }
}

} // namespace GAME
