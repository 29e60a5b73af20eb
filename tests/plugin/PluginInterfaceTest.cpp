#include "../support/FakeHall.h"
#include "RecordingComponents.h"
#include "common/Gbk.h"
#include "platform/ErrorInfo.h"
#include "platform/WindowClasses.h"
#include "platform/WindowMessages.h"
#include "plugin/OutgoingPackets.h"
#include "plugin/TPluginClassFactory.h"
#include "plugin/TPluginInterface50.h"
#include "plugin/TPluginShare50.h"

#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

CallLog g_log;

// A main window as the module registers it: a hub, a chat and a game client inside.
class TestWindow : public QWidget {
public:
    TestWindow() {
        setObjectName("TestWindow");
        hub = new TPluginShare50(this);
        hub->SetIdentity(TModuleIdentity::Of(dir.path().toStdString() + "/", "{TEST}"));
        chat = new RecordingChat(g_log);
        chat->setParent(this);
        client = new RecordingClient(g_log);
        client->setParent(this);
        hub->SetPluginChat(chat);
        hub->SetPluginClient(client);
        Last = this;
    }
    ~TestWindow() override { Last = nullptr; }

    bool event(QEvent *event) override {
        if (auto *message = Platform::TWindowMessageEvent::From(event)) {
            message->Handle([this] {
                hub->DispatchPacket();
                return 0;
            });
            return true;
        }
        return QWidget::event(event);
    }

    static inline TestWindow *Last = nullptr;
    QTemporaryDir dir;
    TPluginShare50 *hub;
    RecordingChat *chat;
    RecordingClient *client;
};

class PluginInterfaceTest : public testing::Test {
protected:
    PluginInterfaceTest() {
        Platform::RegisterWindowClass(TPluginInterface50::MainWindowClass,
                                      [] { return new TestWindow(); });
        qputenv("VESTRANO_WINDOW_DIR", (dir.path() + "/windows").toLocal8Bit());
        auto *factory = new TPluginClassFactory();
        EXPECT_EQ(factory->CreateInstance(nullptr, IID_INimOpenInterface,
                                          reinterpret_cast<void **>(&object)),
                  S_OK);
        factory->Release();
        window = TestWindow::Last;
        g_log.clear();
    }
    ~PluginInterfaceTest() override {
        if (object)
            object->Release();
        Platform::UnregisterWindowClass(TPluginInterface50::MainWindowClass);
    }

    HRESULT Start(const char *title, const char *nick, uint32_t extra = 0) {
        const int64_t user = 5000;
        return object->StartPlugin(77, title, &user, nick, extra, 0, 0, 0);
    }

    QTemporaryDir dir;
    FakeHall hall;
    INimOpenInterface *object = nullptr;
    TestWindow *window = nullptr;
};

} // namespace

TEST_F(PluginInterfaceTest, CreatingAndReleasingMakesAndDestroysTheHiddenWindow) {
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->isVisible());
    int32_t version = 0;
    EXPECT_EQ(object->GetInterfaceVersion(&version), S_OK);
    EXPECT_EQ(version, 1);
    EXPECT_FALSE(TPluginInterface50::ModuleLocks().CanUnload());
    object->Release();
    object = nullptr;
    EXPECT_EQ(TestWindow::Last, nullptr);
    EXPECT_TRUE(TPluginInterface50::ModuleLocks().CanUnload());
}

TEST_F(PluginInterfaceTest, StartSetsTheCaptionStartsTheHubAndShowsTheWindow) {
    EXPECT_EQ(object->SetRequestInterface(&hall), S_OK);
    EXPECT_EQ(hall.CountOf(1), 1) << "the hall value is read once attached";
    EXPECT_EQ(Start("Table 3", "Ann"), S_OK);
    EXPECT_EQ(window->windowTitle(), "Table 3[Ann]");
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->hub->OwnUserId(), 5000);
    EXPECT_EQ(window->hub->Start().TableKey, 77);
    EXPECT_EQ(hall.Sent().back(), PluginPackets::TableHeader(5000, 2));
}

TEST_F(PluginInterfaceTest, AnExtraAbove16BitsFailsAfterTheCaptionWithoutStarting) {
    object->SetRequestInterface(&hall);
    EXPECT_EQ(Start("T", "N", 70000), E_UNEXPECTED);
    EXPECT_EQ(window->windowTitle(), "T[N]");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(hall.CountOf(14), 0) << "the hub did not start";
    const auto error = Platform::TakeErrorInfoText();
    ASSERT_TRUE(error);
    EXPECT_NE(error->find("Extra"), std::string::npos);
    EXPECT_EQ(Start("T", "N", 65535), S_OK);
}

TEST_F(PluginInterfaceTest, AFailureOfTheHallComesBackAsTheMethodsResult) {
    object->SetRequestInterface(&hall);
    hall.FailMethod = 14;
    hall.FailResult = static_cast<HRESULT>(0x80070005);
    EXPECT_EQ(Start("T", "N"), static_cast<HRESULT>(0x80070005));
    hall.FailMethod = 19;
    const std::string packet = "\x0A" + std::string(100, '\0');
    EXPECT_EQ(object->DeliverPacket(static_cast<int32_t>(packet.size()),
                                    reinterpret_cast<const uint8_t *>(packet.data())),
              static_cast<HRESULT>(0x80070005));
}

TEST_F(PluginInterfaceTest, UserInfoHallMessagesActivationAndStop) {
    object->SetRequestInterface(&hall);
    Start("T", "N");
    STRU_PLUGIN_USERINFO user;
    user.UserId = 31;
    user.SetNickname("old");
    const std::string enter = "\x0A" + user.Bytes();
    object->DeliverPacket(static_cast<int32_t>(enter.size()),
                          reinterpret_cast<const uint8_t *>(enter.data()));
    const int64_t unknown = 32, known = 31;
    EXPECT_EQ(object->UpdateUserInfo(&unknown, "x", 1, 0, 0), S_OK);
    EXPECT_EQ(object->UpdateUserInfo(&known, "abcdefghijklmnopqrstuvwxy", 9, 0, 0), S_OK);
    const auto *record = window->hub->FindUser(31);
    EXPECT_EQ(record->NicknameText(), "abcdefghijklmnopqrst");
    EXPECT_EQ(record->Face, 9);
    EXPECT_EQ(object->UpdateUserInfo(&known, "Bo", 9, 0, 0), S_OK);
    EXPECT_EQ(record->Nickname[2], '\0');
    EXPECT_EQ(record->NicknameText(), "Bo");

    g_log.clear();
    const std::string six = "一二三四五六"_gbk;
    EXPECT_EQ(object->ShowHallMessage(3, six.c_str()), S_OK);
    EXPECT_EQ(g_log, (CallLog{"Chat.AddLine(" + "一二三"_gbk + ",0)",
                              "Client.ChatLine(" + "一二三"_gbk + ",0)"}));

    EXPECT_EQ(object->ActivateWindow(1), S_OK);
    window->showMinimized();
    EXPECT_EQ(object->ActivateWindow(2), S_OK);
    EXPECT_FALSE(window->isMinimized());

    EXPECT_EQ(object->StopPlugin(0), S_OK);
    EXPECT_EQ(object->StopPlugin(0), S_OK);
    EXPECT_EQ(hall.CountOf(12), 1) << "the stop runs once";
}

TEST_F(PluginInterfaceTest, AWindowThatCannotBeMadeFailsTheCreationAndHoldsNoLock) {
    object->Release();
    object = nullptr;
    ASSERT_TRUE(TPluginInterface50::ModuleLocks().CanUnload());
    Platform::RegisterWindowClass(TPluginInterface50::MainWindowClass, []() -> QWidget * {
        throw std::runtime_error("no window today");
    });
    auto *factory = new TPluginClassFactory();
    void *created = reinterpret_cast<void *>(1);
    EXPECT_EQ(factory->CreateInstance(nullptr, IID_INimOpenInterface, &created), E_UNEXPECTED);
    EXPECT_EQ(created, nullptr);
    factory->Release();
    EXPECT_TRUE(TPluginInterface50::ModuleLocks().CanUnload());
}

TEST_F(PluginInterfaceTest, WithoutAWindowClassEveryMethodSucceedsWithoutEffect) {
    Platform::UnregisterWindowClass(TPluginInterface50::MainWindowClass);
    auto *factory = new TPluginClassFactory();
    INimOpenInterface *bare = nullptr;
    ASSERT_EQ(
        factory->CreateInstance(nullptr, IID_INimOpenInterface, reinterpret_cast<void **>(&bare)),
        S_OK);
    IUnknown *outer = bare;
    void *aggregated = nullptr;
    EXPECT_EQ(factory->CreateInstance(outer, IID_INimOpenInterface, &aggregated),
              CLASS_E_NOAGGREGATION);
    factory->Release();
    int32_t version = 0;
    EXPECT_EQ(bare->GetInterfaceVersion(&version), S_OK);
    EXPECT_EQ(version, -1);
    const int64_t user = 1;
    EXPECT_EQ(bare->SetRequestInterface(&hall), S_OK);
    EXPECT_EQ(bare->StartPlugin(1, "T", &user, "N", 0, 0, 0, 0), S_OK);
    EXPECT_EQ(bare->DeliverPacket(1, reinterpret_cast<const uint8_t *>("\3")), S_OK);
    EXPECT_EQ(bare->ShowHallMessage(1, "x"), S_OK);
    EXPECT_EQ(bare->StopPlugin(0), S_OK);
    EXPECT_TRUE(hall.Calls.empty());
    bare->Release();
}
