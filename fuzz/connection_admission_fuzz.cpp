// The server's door driven by any events in any order: connects with any word, slots held and
// let go, welcomes heard or not, players brought, links ended, limits and deadlines changed,
// time passing, and the farewell of any goodbye word. After every event each index is held by
// one slot and that slot holds it; every decision names an index as the door then has it; every
// goodbye word reads as a farewell with a text; nothing crashes.
#include "engine/ConnectionAdmission.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using namespace GAME;
using Act = ConnectionAdmission::Act;

class Input {
public:
    Input(const uint8_t* data, size_t size) : data(data), size(size) {}
    bool More() const { return at < size; }
    uint8_t Byte() { return at < size ? data[at++] : 0; }
    uint32_t Word()
    {
        uint32_t word = 0;
        for (int i = 0; i < 4; ++i)
            word |= uint32_t(Byte()) << (8 * i);
        return word;
    }

private:
    const uint8_t* data;
    size_t size;
    size_t at = 0;
};

void Require(bool holds)
{
    if (!holds)
        abort();
}

void CheckPlaces(const ConnectionAdmission& door)
{
    const uint32_t mask = door.HostMask();
    Require((mask & 1u) == 0);
    for (int host = 1; host <= ConnectionAdmission::kMaxClients; ++host) {
        const size_t slot = door.SlotOf(host);
        Require(((mask >> host) & 1u) == (slot < ConnectionAdmission::kSlots ? 1u : 0u));
        Require(slot >= ConnectionAdmission::kSlots || door.HostOf(slot) == host);
    }
    size_t held = 0;
    for (size_t slot = 0; slot < ConnectionAdmission::kSlots; ++slot)
        held += door.HostOf(slot) != 0;
    Require(held == size_t(std::popcount(mask)));
}

void CheckDecision(const ConnectionAdmission& door, size_t slot,
                   const ConnectionAdmission::Decision& decision)
{
    switch (decision.act) {
    case Act::Admit:
        Require(decision.host >= 1 && door.HostOf(slot) == decision.host);
        // A place given up holds no index any more.
        Require(decision.gave == 0 ||
                (decision.gaveSlot != slot && door.HostOf(decision.gaveSlot) == 0));
        break;
    case Act::Lose:
    case Act::LetGo:
        Require(decision.host >= 1 && door.SlotOf(decision.host) == ConnectionAdmission::kSlots);
        break;
    case Act::Refuse:
    case Act::Forget:
        Require(door.HostOf(slot) == 0);
        break;
    case Act::Keep:
        break;
    }
}

void ReadFarewell(uint32_t word, bool timedOut, uint32_t seconds)
{
    const ConnectionAdmission::Parting parting = ConnectionAdmission::Read(word, timedOut, seconds);
    Require(parting.why != ConnectionAdmission::Farewell::None);
    Require(!ConnectionAdmission::Text(parting).empty());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Input in(data, size);
    ConnectionAdmission door;
    // Deadlines short enough for a few steps of time to reach them.
    door.SetDeadlines(uint32_t(in.Byte()) * 40, uint32_t(in.Byte()) * 80);
    uint64_t now = 0;
    while (in.More()) {
        const uint8_t op = in.Byte();
        // A slot past the last now and then.
        const size_t slot = in.Byte() + ((op & 0x80) != 0 ? ConnectionAdmission::kSlots : 0);
        const bool flag = (op & 0x10) != 0;
        switch (op & 0x0f) {
        case 0:
            CheckDecision(
                door, slot,
                door.Connected(slot, flag ? ConnectionAdmission::kHello : in.Word(), now));
            break;
        case 1:
            CheckDecision(door, slot,
                          door.Tend(slot, flag, (op & 0x20) != 0,
                                    (op & 0x40) != 0 ? ConnectionAdmission::kSilenceMs : 0, now));
            break;
        case 2:
            door.Playing(int(slot % 18) - 1);
            break;
        case 3:
            door.Gone(int(slot % 18) - 1, now);
            break;
        case 4:
            door.Freed(slot);
            break;
        case 5:
            now += in.Word() % 20000;
            break;
        case 6:
            door.SetUnderWay(flag);
            break;
        case 7:
            door.SetClientLimit(int(int8_t(slot)));
            break;
        case 8:
            for (size_t crowded : door.Crowd())
                Require(crowded < ConnectionAdmission::kSlots && door.HostOf(crowded) == 0);
            break;
        case 9:
            ReadFarewell(in.Word(), flag, in.Word());
            break;
        case 10:
            door.TakeCountLine(now, flag);
            break;
        case 11:
            door.Spoke(int(slot % 18) - 1);
            break;
        default:
            // Every slot tended at once, as before a service: all held, or every other one.
            for (size_t each = 0; each < ConnectionAdmission::kSlots; ++each) {
                const bool held = (op & 0x20) != 0 || ((each ^ slot) & 1) != 0;
                CheckDecision(door, each, door.Tend(each, held, flag, 0, now));
            }
            break;
        }
        CheckPlaces(door);
    }
    return 0;
}
