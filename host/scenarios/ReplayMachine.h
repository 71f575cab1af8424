#pragma once

#include "engine/ConnectionManager.h"
#include "engine/NetPacket.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <vector>

namespace GAME {

// One machine of a network game played inside this process, where only one game library runs
// at a time. A machine is its stage (the objects of its level, its generator's seed) and the
// history of what happened to it: its own steps and the packets it received. To act, the
// library is started afresh as a server or a client, the stage set, the history replayed, and
// the new step run; what the step sends is the machine's answer, while what the history sent
// was answered before. Everything a machine does is deterministic, so the replay rebuilds it
// exactly. A server also receives what it sends itself, as the transport hands its packets to
// every machine.
class ReplayMachine {
public:
    using Bytes = std::vector<uint8_t>;
    using Step = std::function<bool()>;
    using Look = std::function<void()>;

    // Frames per `RunFrames` call are bounded: a machine that would never settle is a fault.
    static constexpr int kMaxPumpRounds = 16;

    ReplayMachine(bool client, Step stage);

    // False, with one line on `err`, when the library does not start or a step fails. `look`
    // runs after the step on the rebuilt machine and is not replayed later.
    bool Act(const Step& step, std::vector<Bytes>& sent, std::ostream& err, const Look& look = {});
    // The packets, decoded and handed to this machine's inbound side, as one step.
    bool Receive(const std::vector<Bytes>& packets, std::vector<Bytes>& sent, std::ostream& err,
                 const Look& look = {});
    // For steps: frames of the game's update, each followed by what the machine sent.
    void RunFrames(int count, int ms);
    // A step of that many frames.
    Step Frames(int count, int ms)
    {
        return [this, count, ms] {
            RunFrames(count, ms);
            return true;
        };
    }

    // The packets of one class among those sent, decoded, in order.
    template <class Packet>
    static std::vector<std::unique_ptr<Packet>> Decoded(const std::vector<Bytes>& sent)
    {
        std::vector<std::unique_ptr<Packet>> found;
        for (const Bytes& bytes : sent) {
            std::unique_ptr<NetPacket> packet = ConnectionManager::DecodePacket(bytes);
            if (dynamic_cast<Packet*>(packet.get()) != nullptr)
                found.emplace_back(static_cast<Packet*>(packet.release()));
        }
        return found;
    }
    // Their bytes.
    template <class Packet> static std::vector<Bytes> OfClass(const std::vector<Bytes>& sent)
    {
        std::vector<Bytes> found;
        for (const Bytes& bytes : sent) {
            if (dynamic_cast<Packet*>(ConnectionManager::DecodePacket(bytes).get()) != nullptr)
                found.push_back(bytes);
        }
        return found;
    }

private:
    bool Replay(const Step& step, const Look& look);
    // Takes what was sent into the outbox; a server also carries it out.
    void Pump();

    bool client;
    Step stage;
    std::vector<Step> history;
    std::vector<Bytes> outbox;
};

} // namespace GAME
