#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace GAME {

// Quest news between machines, flattened to 32-bit words: type, condition id, sender, then the
// kind's own words. A reader takes only the words its kind names and answers 0 when the list
// is shorter, so a truncated message is never half read.
class QuestNetMsg {
public:
    enum Type : uint32_t {
        ConditionSatisfied = 0,
        KillCreature = 1,
        KillAllCreaturesFromProxy = 2,
        ConversationStart = 3,
        KillCreatureHerd = 4,
        ProxySpawn = 5,
        RequestClientData = 6,
    };
    static constexpr uint32_t kNoCondition = 0xFFFFFFFFu;
    static constexpr size_t kHeaderWords = 3;

    QuestNetMsg() = default;
    QuestNetMsg(uint32_t type, uint32_t conditionId, uint32_t sender)
        : type(type), conditionId(conditionId), sender(sender)
    {}
    virtual ~QuestNetMsg() = default;

    virtual void WriteWords(std::vector<uint32_t>& words) const;
    // The count of words read; 0 when the list is too short for this kind.
    virtual size_t ReadWords(const std::vector<uint32_t>& words);
    // A copy of the same kind with all its words.
    virtual std::unique_ptr<QuestNetMsg> Clone() const;

    // The kind that reads this type; null for a type above 6.
    static std::unique_ptr<QuestNetMsg> Create(uint32_t type);

    uint32_t type = ConditionSatisfied;
    uint32_t conditionId = kNoCondition;
    uint32_t sender = 0;
};

// A kind whose words after the header are a fixed list of fields, named by `Fields` of the
// derived kind, in wire order.
template <typename Derived, size_t Count> class QuestNetMsgFields : public QuestNetMsg {
public:
    using QuestNetMsg::QuestNetMsg;
    void WriteWords(std::vector<uint32_t>& words) const override
    {
        QuestNetMsg::WriteWords(words);
        for (const uint32_t* field : Derived::Fields(static_cast<const Derived&>(*this)))
            words.push_back(*field);
    }
    size_t ReadWords(const std::vector<uint32_t>& words) override
    {
        if (words.size() < kHeaderWords + Count || QuestNetMsg::ReadWords(words) == 0)
            return 0;
        size_t at = kHeaderWords;
        for (uint32_t* field : Derived::Fields(static_cast<Derived&>(*this)))
            *field = words[at++];
        return at;
    }
    std::unique_ptr<QuestNetMsg> Clone() const override
    {
        return std::make_unique<Derived>(static_cast<const Derived&>(*this));
    }
};

// Types 1 and 4: who killed what, and whether the condition belongs to the killer alone.
class QuestNetMsg_Kill : public QuestNetMsgFields<QuestNetMsg_Kill, 3> {
public:
    using QuestNetMsgFields::QuestNetMsgFields;
    template <typename Self> static auto Fields(Self& m)
    {
        return std::array{&m.killer, &m.victim, &m.exclusive};
    }

    uint32_t killer = 0;
    uint32_t victim = 0;
    uint32_t exclusive = 0;
};

// Type 2: the spawn pool's head count, which the receiver's counter must reach.
class QuestNetMsg_KillAllCreaturesFromProxy
    : public QuestNetMsgFields<QuestNetMsg_KillAllCreaturesFromProxy, 2> {
public:
    using QuestNetMsgFields::QuestNetMsgFields;
    template <typename Self> static auto Fields(Self& m)
    {
        return std::array{&m.count, &m.exclusive};
    }

    uint32_t count = 0;
    uint32_t exclusive = 0;
};

// Type 3: the player who began the conversation.
class QuestNetMsg_ConversationStart : public QuestNetMsgFields<QuestNetMsg_ConversationStart, 1> {
public:
    using QuestNetMsgFields::QuestNetMsgFields;
    template <typename Self> static auto Fields(Self& m) { return std::array{&m.player}; }

    uint32_t player = 0;
};

// Type 5: a spawn pool placed its objects. The pool's own id stays on the sending machine.
class QuestNetMsg_ProxySpawn : public QuestNetMsg {
public:
    QuestNetMsg_ProxySpawn() : QuestNetMsg(ProxySpawn, kNoCondition, 0) {}
    void WriteWords(std::vector<uint32_t>& words) const override;
    // Both lists are emptied first; the counts must fit the words given.
    size_t ReadWords(const std::vector<uint32_t>& words) override;
    std::unique_ptr<QuestNetMsg> Clone() const override;

    uint32_t nameIndex = 0;
    uint32_t proxyId = 0;
    std::vector<uint32_t> primaryObjects;
    std::vector<uint32_t> accessoryObjects;
};

} // namespace GAME
