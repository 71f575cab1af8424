#pragma once

#include <cstdint>
#include <memory>

namespace GAME {

class ActorConfigCommand;
class CharacterAction;
class CharacterActionPacket;
class NetPacket;

// Carries character actions and actor commands between machines over the engine's connection
// manager. The engine knows neither the game's action and command classes nor its
// controllers, so the game registers how each is rebuilt from its packet type and who takes a
// received action. A rebuilt command goes to its actor's `LocalEnqueue`.
class NetworkShim {
public:
    // A new action equal to the one the packet carries, pre-move data aside; null when the
    // packet cannot make one.
    using ActionBuilder = std::unique_ptr<CharacterAction> (*)(const CharacterActionPacket&);
    // Hands a received action to whoever drives the character; false when nothing does (the
    // character or its controller is gone), and the action is then dropped.
    using ActionReceiver = bool (*)(uint32_t characterId, std::unique_ptr<CharacterAction> action);

    // A new command equal to the one the packet carries; null when the packet cannot make one.
    using CommandBuilder = std::unique_ptr<ActorConfigCommand> (*)(const NetPacket&);
    // Takes a received packet that is neither an action nor a command; false when it does not.
    using PacketReceiver = bool (*)(int fromHost, const NetPacket& packet);

    // Sends the action's packet: a client to its server, a server to all its clients. Nothing
    // outside a network game, for an action without a packet, or from a client for a character
    // its host did not make.
    static void SendAction(const CharacterAction& action);
    // Sends the command's packet the same way.
    static void SendCommand(const ActorConfigCommand& command);
    // A packet received from `fromHost`. A character action is rebuilt and handed to the
    // receiver, a command rebuilt and run by its actor; a server then passes the packet on to
    // its other clients. False for any other packet and for one that was dropped (its actor
    // or character is gone, or it rebuilds into nothing); a command for no actor is refused as
    // the transport refuses a message. Any other packet goes to the packet receiver, when one
    // is set.
    static bool ReceivePacket(int fromHost, NetPacket& packet);

    // Registers how commands come back from one packet class: `Rebuild` of the packet, for a
    // packet of exactly that class.
    template <typename Packet, std::unique_ptr<ActorConfigCommand> (*Rebuild)(const Packet&)>
    static bool RegisterCommand()
    {
        return RegisterCommandBuilder(
            Packet().GetType(), [](const NetPacket& packet) -> std::unique_ptr<ActorConfigCommand> {
                const auto* typed = dynamic_cast<const Packet*>(&packet);
                return typed != nullptr ? Rebuild(*typed) : nullptr;
            });
    }
    // The first builder of a packet type stays; a second is refused with a log line.
    static bool RegisterActionBuilder(uint32_t packetType, ActionBuilder builder);
    static bool RegisterCommandBuilder(uint32_t packetType, CommandBuilder builder);
    // Answers the receiver it replaces, so that a stand-in can be put back.
    static ActionReceiver SetActionReceiver(ActionReceiver receiver);
    static PacketReceiver SetPacketReceiver(PacketReceiver receiver);
};

} // namespace GAME
