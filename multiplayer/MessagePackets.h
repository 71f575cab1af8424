#pragma once

#include "multiplayer/PacketFields.h"

#include <string>
#include <vector>

namespace GAME {

// Text and quest messages between machines.

class QuestMessagePacket : public FieldPacket<QuestMessagePacket> {
public:
    QuestMessagePacket() : FieldPacket(17) {}

    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Heading("QuestMessage Data", 0);
        v.Field("Sender:   ", p.sender, 1);
        v.Field("Receiver: ", p.receiver, 1);
        v.Records(p.words, kPacketWordBytes,
                  [](auto& w, auto& word) { w.Field("Data: ", word, 1); });
        v.Field("Is Condition Set:", p.isConditionSet, 1);
    }

    uint32_t sender = 0;
    uint32_t receiver = 0;
    std::vector<uint32_t> words;
    bool isConditionSet = false;
};

// A localisation tag to show on the receiver's machine, formatted with a player's name when
// optionalInsert names one.
class RemoteMessagePacket : public FieldPacket<RemoteMessagePacket> {
public:
    RemoteMessagePacket() : FieldPacket(26) {}

    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Receiver: ", p.receiver);
        v.Field("optionalInsert: ", p.optionalInsert);
        v.Field("AsBubble: ", p.asBubble);
        v.Raw("TextTag: ", p.textTag);
    }

    uint32_t receiver = 0;
    uint32_t optionalInsert = 0;
    bool asBubble = false;
    std::string textTag;
};

class RemoteWMessagePacket : public FieldPacket<RemoteWMessagePacket> {
public:
    RemoteWMessagePacket() : FieldPacket(27) {}

    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Receiver: ", p.receiver);
        v.Field("AsBubble: ", p.asBubble);
        v.Field("text: ", p.text);
    }

    uint32_t receiver = 0;
    bool asBubble = false;
    std::wstring text;
};

// A chat line; the transport's own message, on a number that no game packet uses.
class ChatPacket : public FieldPacket<ChatPacket> {
public:
    static constexpr uint32_t kType = 18;

    ChatPacket() : FieldPacket(kType) {}

    template <typename V, typename P> static void VisitFields(V& v, P& p)
    {
        v.Field("Sender: ", p.sender);
        v.Field("Text: ", p.text);
        v.Field("Channel: ", p.channel);
        v.Records(p.recipients, kPacketWordBytes,
                  [](auto& w, auto& id) { w.Field("Recipient: ", id, 1); });
    }

    std::wstring sender;
    std::wstring text;
    uint32_t channel = 0;
    std::vector<uint32_t> recipients;
};

} // namespace GAME
