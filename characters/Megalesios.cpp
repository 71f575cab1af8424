#include "characters/Megalesios.h"

#include "characters/TeamManager.h"
#include "core/BinaryWriter.h"
#include "engine/BinaryReader.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(Megalesios, Monster);
GAME_IMPLEMENT_CLASS(MegalesiosConduit, Monster);

Megalesios::~Megalesios() = default;

void Megalesios::SaveState(BinaryWriter& writer) const
{
    Monster::SaveState(writer);
    writer.WriteUInt32(launched ? 1u : 0u);
    writer.WriteUInt32(conduitDestroyed ? 1u : 0u);
}

bool Megalesios::RestoreState(BinaryReader& reader)
{
    launched = false;
    conduitDestroyed = false;
    if (!Monster::RestoreState(reader))
        return false;
    uint32_t word = 0;
    if (reader.ReadUInt32(word))
        launched = word != 0;
    word = 0;
    if (reader.ReadUInt32(word))
        conduitDestroyed = word != 0;
    return true;
}

MegalesiosConduit::~MegalesiosConduit() = default;

void MegalesiosConduit::InitialUpdate()
{
    Monster::InitialUpdate();
    SetTeam(TeamManager::DefaultPlayerTeam());
}

} // namespace GAME
