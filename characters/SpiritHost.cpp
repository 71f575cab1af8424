#include "characters/SpiritHost.h"

#include "core/BinaryWriter.h"
#include "engine/BinaryReader.h"

namespace GAME {

GAME_IMPLEMENT_CLASS(SpiritHost, Monster);

SpiritHost::~SpiritHost() = default;

void SpiritHost::SaveState(BinaryWriter& writer) const
{
    Monster::SaveState(writer);
    writer.WriteUInt32(animated ? 1u : 0u);
}

bool SpiritHost::RestoreState(BinaryReader& reader)
{
    animated = false;
    if (!Monster::RestoreState(reader))
        return false;
    uint32_t word = 0;
    if (reader.ReadUInt32(word))
        animated = word != 0;
    return true;
}

} // namespace GAME
