#include "characters/TyphonChained.h"

#include "engine/Coords.h"
#include "engine/LoadTable.h"
#include "engine/ObjectManager.h"
#include "world/TyphonChains.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(TyphonChained, Monster);

TyphonChained::~TyphonChained()
{
    // Attached chains go with the entity tree; loose ones are ours to destroy.
    if (TyphonChains* chains = GetChains(); chains != nullptr && !chainsAttached)
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

} // namespace GAME
