#include "skills/SkillState.h"

#include "core/BinaryWriter.h"
#include "engine/BinaryReader.h"

namespace GAME {

std::array<uint8_t, 8> SkillState::ToRaw() const
{
    std::array<uint8_t, 8> bytes{};
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<uint8_t>(skillLevel >> (8 * i));
    bytes[4] = enabled ? 1 : 0;
    return bytes;
}

SkillState SkillState::FromRaw(const std::array<uint8_t, 8>& bytes)
{
    SkillState state;
    for (int i = 0; i < 4; ++i)
        state.skillLevel |= static_cast<uint32_t>(bytes[i]) << (8 * i);
    state.enabled = bytes[4] != 0;
    return state;
}

void SkillState::SaveState(BinaryWriter& writer) const
{
    writer.WriteUInt32(skillLevel);
    writer.WriteBool(enabled);
}

bool SkillState::RestoreState(BinaryReader& reader)
{
    SkillState read;
    if (!reader.ReadUInt32(read.skillLevel) || !reader.ReadBool(read.enabled))
        return false;
    *this = read;
    return true;
}

} // namespace GAME
