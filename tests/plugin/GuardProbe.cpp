// A module instance in a process of its own, for the test of the duplicate-instance
// guard across processes. Arguments: module folder, table key. It starts a hub at that
// table and prints "started" or "refused"; then each line "packet" on its input
// delivers a game-start packet and prints "handled" with the running flag, and end of
// input ends it.

#include "../support/FakeHall.h"
#include "plugin/OutgoingPackets.h"
#include "plugin/TCustomPluginShare.h"

#include <QApplication>

#include <iostream>
#include <string>

int main(int argc, char **argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 3)
        return 2;
    FakeHall hall;
    TCustomPluginShare hub;
    hub.SetIdentity(
        TModuleIdentity::Of(argv[1], "{0031F69A-3715-4F10-8A9D-E0EA7B3AD7D7}", "1", "4002"));
    hub.SetInterface(&hall);
    TStartInfo start;
    start.TableKey = std::stoll(argv[2]);
    start.UserId = 7;
    hub.StartPlugin(start);
    std::cout << (hub.Refused() ? "refused" : "started") << std::endl;
    const std::string packet = PluginPackets::TableHeader(0, PluginPackets::Sub::GameStart);
    for (std::string line; std::getline(std::cin, line);) {
        if (line != "packet")
            continue;
        hub.ReceivePacket(static_cast<int>(packet.size()),
                          reinterpret_cast<const uint8_t *>(packet.data()));
        std::cout << "handled " << hub.GameRunning() << std::endl;
    }
    return 0;
}
