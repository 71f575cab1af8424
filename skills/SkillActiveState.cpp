#include "skills/SkillActiveState.h"

#include "core/BinaryWriter.h"
#include "engine/BinaryReader.h"

namespace GAME {

std::array<uint8_t, 8> SkillActiveState::ToRaw() const
{
    std::array<uint8_t, 8> bytes{};
    const uint32_t word = static_cast<uint32_t>(subLevel);
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<uint8_t>(word >> (8 * i));
    bytes[4] = active ? 1 : 0;
    bytes[5] = transition ? 1 : 0;
    return bytes;
}

SkillActiveState SkillActiveState::FromRaw(const std::array<uint8_t, 8>& bytes)
{
    uint32_t word = 0;
    for (int i = 0; i < 4; ++i)
        word |= static_cast<uint32_t>(bytes[i]) << (8 * i);
    SkillActiveState state;
    state.subLevel = static_cast<int32_t>(word);
    state.active = bytes[4] != 0;
    state.transition = bytes[5] != 0;
    return state;
}

void SkillActiveState::SaveState(BinaryWriter& writer) const
{
    writer.WriteUInt32(static_cast<uint32_t>(subLevel));
    writer.WriteBool(active);
    writer.WriteBool(transition);
}

bool SkillActiveState::RestoreState(BinaryReader& reader)
{
    SkillActiveState read;
    if (!reader.ReadInt32(read.subLevel) || !reader.ReadBool(read.active) ||
        !reader.ReadBool(read.transition))
        return false;
    *this = read;
    return true;
}

} // namespace GAME
