#include "characters/PlayerSave_UISetting.h"

#include "engine/IOStream.h"

namespace GAME {

PlayerSave_UISetting::PlayerSave_UISetting()
{
    skillBar[0].active = true;
}

void PlayerSave_UISetting::StreamProperties(IOStream* stream)
{
    if (stream == nullptr)
        return;
    stream->BeginBlock();
    stream->StreamBool("equipmentSelection", equipmentSelection);
    stream->StreamUInt("skillWindowSelection", skillWindowSelection);
    stream->StreamBool("skillSettingValid", skillSettingValid);
    for (uint32_t i = 0; i < kSkillBarEntries; ++i) {
        const std::string number = std::to_string(i + 1);
        stream->StreamString("primarySkill" + number, skillBar[i].primarySkill);
        stream->StreamString("secondarySkill" + number, skillBar[i].secondarySkill);
        stream->StreamBool("skillActive" + number, skillBar[i].active);
    }
    stream->EndBlock();
}

} // namespace GAME
