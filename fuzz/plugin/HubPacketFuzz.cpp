// Feeds arbitrary packet sequences into a started hub with every component attached.
// Input: repeated (2-byte little-endian length, that many bytes). Handlers may end a
// packet with an error, as the hall would see it; anything else must not happen.

#include "../../tests/support/FakeHall.h"
#include "plugin/TCustomPluginAction.h"
#include "plugin/TCustomPluginChat.h"
#include "plugin/TCustomPluginClient.h"
#include "plugin/TCustomPluginDialog.h"
#include "plugin/TCustomPluginEvents.h"
#include "plugin/TCustomPluginOption.h"
#include "plugin/TCustomPluginScore.h"
#include "plugin/TCustomPluginShare.h"
#include "plugin/TCustomPluginUser.h"

#include <QApplication>
#include <QDir>

#include <stdexcept>

namespace {

// Answers every question at once: a fuzzer cannot wait for a count-down.
class InstantDialog : public TCustomPluginDialog {
public:
    int Execute() override { return 1; }
    int SelectedIndex() override { return 1; }
};

struct Table {
    FakeHall Hall;
    TCustomPluginShare Hub;
    TCustomPluginUser User;
    TCustomPluginChat Chat;
    TCustomPluginClient Client;
    TCustomPluginScore Score;
    TCustomPluginAction Action;
    InstantDialog Dialog;
    TCustomPluginOption Option;
    TCustomPluginEvents Events;

    Table() {
        Hub.SetIdentity(
            TModuleIdentity::Of(QDir::tempPath().toStdString() + "/", "{FUZZ}", "1", "1"));
        Hub.SetPluginUser(&User);
        Hub.SetPluginChat(&Chat);
        Hub.SetPluginClient(&Client);
        Hub.SetPluginScore(&Score);
        Hub.SetPluginAction(&Action);
        Hub.SetPluginDialog(&Dialog);
        Hub.SetPluginOption(&Option);
        Hub.SetPluginEvents(&Events);
        Hub.SetInterface(&Hall);
        TStartInfo start;
        start.TableKey = 1;
        start.UserId = 5000;
        Hub.StartPlugin(start);
    }
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    Table table;
    size_t at = 0;
    while (at + 2 <= size) {
        const size_t length = std::min<size_t>(data[at] | (data[at + 1] << 8), size - at - 2);
        at += 2;
        try {
            table.Hub.ReceivePacket(static_cast<int>(length), data + at);
        } catch (const EHallRequestFailed &) {
        } catch (const EUserListOverflow &) {
        }
        at += length;
        table.Hall.Calls.clear();
    }
    return 0;
}
