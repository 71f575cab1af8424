#include "characters/TyphonChained.h"

#include "core/WorldHelpers.h"
#include "engine/Coords.h"
#include "engine/LoadTable.h"
#include "engine/Name.h"
#include "engine/ObjectManager.h"
#include "world/FixedItemTeleport.h"
#include "world/TyphonChains.h"

#include <vector>

namespace GAME {

GAME_IMPLEMENT_CLASS(TyphonChained, Monster);

TyphonChained::~TyphonChained()
{
    // Loose chains are ours to destroy; attached ones too, since a destroyed entity only lets
    // go of what hangs on it.
    if (TyphonChains* chains = GetChains())
        ObjectManager::Instance().DestroyObjectEx(chains, "Project\\Game\\ControllerTyphonChained",
                                                  276);
}

TyphonChains* TyphonChained::GetChains() const
{
    return ObjectManager::Instance().GetObject<TyphonChains>(chainsId);
}

void TyphonChained::Load(const LoadTable& table)
{
    Monster::Load(table);
    const std::string record = table.GetString("chains", "");
    if (record.empty() || chainsId != 0)
        return;
    if (auto* chains = ObjectManager::Instance().CreateObjectFromFile<TyphonChains>(record))
        chainsId = chains->GetObjectId();
}

void TyphonChained::InitialUpdate()
{
    Monster::InitialUpdate();
    if (TyphonChains* chains = GetChains()) {
        Attach(chains, Coords(), "");
        chainsAttached = true;
    }
}

void TyphonChained::AnimationCallback(int32_t kind, const Name& name)
{
    Character::AnimationCallback(kind, name);
    static const Name breakTheChains = Name::Create("BreakTheChains");
    static const Name openPortal = Name::Create("OpenPortal");
    static const Name enterPortal = Name::Create("EnterPortal");
    if (name == breakTheChains) {
        if (TyphonChains* chains = GetChains())
            chains->PlaceChainBeams();
    } else if (name == openPortal) {
        std::vector<FixedItemTeleport*> portals;
        GetEntitiesInSphereOfType(portals, GetCoords().GetPosition(), kPortalReach);
        for (FixedItemTeleport* portal : portals)
            portal->SetLock(false);
    } else if (name == enterPortal) {
        BeginDissolve(GetDissolveColorRed(), GetDissolveColorGreen(), GetDissolveColorBlue(),
                      GetDissolveTime(), GetDissolveTexture());
        if (GetDissolveEffect().empty())
            return;
        if (auto* effect =
                ObjectManager::Instance().CreateObjectFromFile<Entity>(GetDissolveEffect()))
            Attach(effect, Coords(), "");
    }
}

} // namespace GAME
