#pragma once

#include "quests/NpcAction.h"

#include <cstdint>
#include <string>

namespace GAME {

// Makes a named NPC start talking to the local player. It only keeps the NPC's id: a firing
// before the NPC announced itself is lost, since a talk out of the blue later would confuse.
class Action_TalkNPC : public NpcAction {
public:
    using NpcAction::NpcAction;

    const char* GetName() const override { return "Action_TalkNPC"; }
    const std::string& GetDescription() override;
    void Fire(uint32_t targetId, bool reFire) override;
    // Also waits there for the NPC to announce itself.
    bool SerializeChildProperties(IOStream* stream) override;

    void SetNPC(const char* value) { npc = value != nullptr ? value : ""; }
    const char* GetNPC() const { return npc.c_str(); }

private:
    void ApplyTo(Npc& target) override;
};

// Takes a named NPC's dialog away.
class Action_ClearNPCDialog : public NpcAction {
public:
    using NpcAction::NpcAction;

    const char* GetName() const override { return "Action_ClearNPCDialog"; }
    const std::string& GetDescription() override;
    bool CanReFire() const override { return true; }
    bool CanDelay() const override { return true; }
    bool StreamChildProperties(IOStream* stream) override;
    bool SerializeChildProperties(IOStream* stream) override;

    void SetNPC(const char* value) { npc = value != nullptr ? value : ""; }
    const char* GetNPC() const { return npc.c_str(); }

private:
    void ApplyTo(Npc& target) override;
};

// Makes a named NPC a ferryman to a point under a tag. Its pending firing is not saved.
class Action_BoatDialog : public NpcAction {
public:
    using NpcAction::NpcAction;

    const char* GetName() const override { return "Action_BoatDialog"; }
    const std::string& GetDescription() override;
    bool CanReFire() const override { return true; }
    bool CanDelay() const override { return true; }
    bool SerializeChildProperties(IOStream* stream) override;

    void SetNPC(const char* value) { npc = value != nullptr ? value : ""; }
    const char* GetNPC() const { return npc.c_str(); }
    void SetOnOff(bool value) { onOff = value; }
    bool GetOnOff() const { return onOff; }
    void SetX(int32_t value) { x = value; }
    int32_t GetX() const { return x; }
    void SetY(int32_t value) { y = value; }
    int32_t GetY() const { return y; }
    void SetZ(int32_t value) { z = value; }
    int32_t GetZ() const { return z; }
    void SetTag(const char* value) { tag = value != nullptr ? value : ""; }
    const char* GetTag() const { return tag.c_str(); }

private:
    bool ApplyToObject(uint32_t objectId) override;
    void ApplyTo(Npc& target) override;

    bool onOff = false;
    int32_t x = 0;
    int32_t y = 0;
    int32_t z = 0;
    std::string tag;
};

// Hides or shows a named NPC. Restored quest state fires it again only when the designer let
// it, so an NPC shown again later in the quest is not hidden anew on a reload.
class NpcVisibilityAction : public NpcAction {
public:
    NpcVisibilityAction(uint32_t id, Trigger* parent, bool visible);

    void Fire(uint32_t targetId, bool reFire) override;
    bool CanReFire() const override { return true; }
    bool StreamChildProperties(IOStream* stream) override;
    bool SerializeChildProperties(IOStream* stream) override;

    void SetNpc(const char* value) { npc = value != nullptr ? value : ""; }
    const char* GetNpc() const { return npc.c_str(); }
    void SetCanReFire(bool value) { canReFire = value; }
    bool GetCanReFire() const { return canReFire; }

private:
    // Any actor under the name will do, not only an NPC.
    bool ApplyToObject(uint32_t objectId) override;
    void ApplyTo(Npc& target) override;

    bool canReFire = true;
    bool visible;
};

class Action_HideNpc : public NpcVisibilityAction {
public:
    Action_HideNpc(uint32_t id, Trigger* parent) : NpcVisibilityAction(id, parent, false) {}

    const char* GetName() const override { return "Action_HideNpc"; }
    const std::string& GetDescription() override;
};

class Action_ShowNpc : public NpcVisibilityAction {
public:
    Action_ShowNpc(uint32_t id, Trigger* parent) : NpcVisibilityAction(id, parent, true) {}

    const char* GetName() const override { return "Action_ShowNpc"; }
    const std::string& GetDescription() override;
};

} // namespace GAME
