#include "engine/FxMesh.h"

#include "engine/LoadTable.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(FxMesh, Entity);

FxMesh::~FxMesh() = default;

void FxMesh::Load(const LoadTable& table)
{
    Entity::Load(table);
    attachPoint = table.GetString("attachPoint", "");
}

void FxMesh::PreLoad(bool)
{
    ++preLoadCount;
}

void FxMesh::Start()
{
    ++startCount;
    active = true;
}

void FxMesh::Stop()
{
    ++stopCount;
    active = false;
}

} // namespace GAME
