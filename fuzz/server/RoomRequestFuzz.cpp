// Arbitrary module packets into a room with players, watchers and an administrator:
// requests are read safely and whatever the room sends back is well formed.

#include "room/TableRoom.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    TableRoom room(RoomPackets::Rules{});
    room.SetAdministrators("1,");
    for (int64_t id = 1; id <= 4; ++id) {
        RoomPackets::Member member;
        member.UserId = id;
        member.Seat = static_cast<uint8_t>(id - 1);
        member.Player = id != 4;
        room.Join(member);
    }
    size_t at = 0;
    int64_t now = 0;
    while (at + 2 <= size) {
        const int64_t sender = 1 + data[at] % 5;
        const size_t length = std::min<size_t>(data[at + 1], size - at - 2);
        at += 2;
        const std::string packet(reinterpret_cast<const char *>(data + at), length);
        at += length;
        if (const auto request = RoomPackets::ReadRequest(packet))
            room.Handle(sender, *request, now);
        room.Tick(now += 5000);
        for (const auto &out : room.TakePackets())
            if (out.Packet.empty())
                std::abort();
        room.TakeBroadcasts();
    }
    return 0;
}
