// The built module, driven only through dlopen and its exports, as a hall drives it.

#include "../support/FakeHall.h"
#include "common/ComRegistry.h"
#include "common/VersionInfo.h"
#include "game/GameEngine.h"
#include "platform/Guid.h"
#include "plugin/INimOpenInterface.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <dlfcn.h>

namespace {

using GetClassObjectFn = HRESULT (*)(REFCLSID, REFIID, void **);
using NoArgumentFn = HRESULT (*)();
using GetErrorInfoFn = HRESULT (*)(uint32_t, char *, uint32_t);

class ModuleLoadTest : public testing::Test {
protected:
    ModuleLoadTest() {
        qputenv("VESTRANO_REGISTRY", (dir.path() + "/registry.ini").toLocal8Bit());
        qputenv("VESTRANO_WINDOW_DIR", (dir.path() + "/windows").toLocal8Bit());
        // Sounds go to SDL's silent driver: tests never touch the sound card.
        qputenv("SDL_AUDIODRIVER", "dummy");
        handle = dlopen(MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
        EXPECT_NE(handle, nullptr) << dlerror();
        getClassObject = Symbol<GetClassObjectFn>("DllGetClassObject");
        canUnloadNow = Symbol<NoArgumentFn>("DllCanUnloadNow");
        registerServer = Symbol<NoArgumentFn>("DllRegisterServer");
        unregisterServer = Symbol<NoArgumentFn>("DllUnregisterServer");
        getErrorInfo = Symbol<GetErrorInfoFn>("GetErrorInfo");
        TFileVersionInfomation info;
        EXPECT_TRUE(ReadVersionInfo(MODULE_PATH, info));
        classId = Platform::GuidFromText(info.Comments).value_or(GUID{});
    }
    ~ModuleLoadTest() override {
        if (handle)
            dlclose(handle);
    }
    template <typename T> T Symbol(const char *name) {
        return handle ? reinterpret_cast<T>(dlsym(handle, name)) : nullptr;
    }
    INimOpenInterface *Create() {
        IClassFactory *factory = nullptr;
        EXPECT_EQ(getClassObject(classId, IID_IClassFactory, reinterpret_cast<void **>(&factory)),
                  S_OK);
        INimOpenInterface *object = nullptr;
        EXPECT_EQ(factory->CreateInstance(nullptr, IID_INimOpenInterface,
                                          reinterpret_cast<void **>(&object)),
                  S_OK);
        factory->Release();
        return object;
    }
    static QWidget *GameWindow() {
        for (QWidget *widget : QApplication::topLevelWidgets())
            if (widget->objectName() == "TFormPluginClient")
                return widget;
        return nullptr;
    }

    QTemporaryDir dir;
    void *handle = nullptr;
    GetClassObjectFn getClassObject = nullptr;
    NoArgumentFn canUnloadNow = nullptr;
    NoArgumentFn registerServer = nullptr;
    NoArgumentFn unregisterServer = nullptr;
    GetErrorInfoFn getErrorInfo = nullptr;
    GUID classId;
};

} // namespace

TEST_F(ModuleLoadTest, OnlyTheComEntryPointsAreExported) {
    ASSERT_NE(getClassObject, nullptr);
    ASSERT_NE(canUnloadNow, nullptr);
    ASSERT_NE(registerServer, nullptr);
    ASSERT_NE(unregisterServer, nullptr);
    ASSERT_NE(getErrorInfo, nullptr);
    EXPECT_EQ(Symbol<void *>("_ZN18TPluginInterface50C1Ev"), nullptr);
    EXPECT_EQ(Platform::GuidToText(classId), "{0031F69A-3715-4F10-8A9D-E0EA7B3AD7D7}");
}

TEST_F(ModuleLoadTest, AnObjectLivesAndDiesWithItsWindowAndTheModuleCanThenUnload) {
    void *factory = nullptr;
    EXPECT_EQ(getClassObject(IID_IUnknown, IID_IClassFactory, &factory), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(factory, nullptr);
    INimOpenInterface *object = Create();
    ASSERT_NE(object, nullptr);
    int32_t version = 0;
    EXPECT_EQ(object->GetInterfaceVersion(&version), S_OK);
    EXPECT_EQ(version, 1);
    ASSERT_NE(GameWindow(), nullptr);
    EXPECT_FALSE(GameWindow()->isVisible());
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    EXPECT_EQ(object->Release(), 0u);
    EXPECT_EQ(GameWindow(), nullptr);
    EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST_F(ModuleLoadTest, StartingShowsTheTableAndErrorsComeBackAsResults) {
    FakeHall hall;
    hall.HallPath = dir.path().toStdString();
    INimOpenInterface *object = Create();
    ASSERT_EQ(object->SetRequestInterface(&hall), S_OK);
    const int64_t user = 4242;
    EXPECT_EQ(object->StartPlugin(9, "T", &user, "N", 70000, 0, 0, 0), E_UNEXPECTED);
    char text[256];
    EXPECT_EQ(getErrorInfo(0, text, sizeof text), S_OK);
    EXPECT_NE(std::string(text).find("Extra"), std::string::npos);
    EXPECT_EQ(object->StartPlugin(9, "T", &user, "N", 1, 0, 0, 0), S_OK);
    ASSERT_NE(GameWindow(), nullptr);
    EXPECT_EQ(GameWindow()->windowTitle(), "T[N]");
    EXPECT_TRUE(GameWindow()->isVisible());
    ASSERT_FALSE(hall.Sent().empty());
    EXPECT_EQ(hall.Sent().back(), std::string("\3\x92\x10\0\0\0\0\0\0\2", 10));
    for (const auto &call : hall.Calls) {
        if (call.Method != 1) {
            EXPECT_EQ(call.TableKey, 9);
        }
    }

    const std::string gameStart("\3\0\0\0\0\0\0\0\0\x31", 10);
    EXPECT_EQ(object->DeliverPacket(10, reinterpret_cast<const uint8_t *>(gameStart.data())), S_OK);
    EXPECT_EQ(object->StopPlugin(0), S_OK);
    EXPECT_EQ(object->StopPlugin(0), S_OK);
    EXPECT_EQ(hall.CountOf(12), 1);
    EXPECT_EQ(hall.References, 2u) << "the module still holds the request interface";
    object->Release();
    EXPECT_EQ(hall.References, 1u) << "and lets it go with the object";
}

TEST_F(ModuleLoadTest, TheHallsCallsThroughTheExportsAndTheHallsFailures) {
    FakeHall hall;
    hall.HallPath = dir.path().toStdString();
    INimOpenInterface *object = Create();
    ASSERT_EQ(object->SetRequestInterface(&hall), S_OK);
    // The hall refusing the table-state request fails the start with the hall's result.
    hall.FailMethod = 19;
    hall.FailResult = static_cast<HRESULT>(0x80070005);
    const int64_t user = 4242;
    EXPECT_EQ(object->StartPlugin(9, "T", &user, "N", 0, 0, 0, 0),
              static_cast<HRESULT>(0x80070005));
    hall.FailMethod = 0;
    QWidget *window = GameWindow();
    ASSERT_NE(window, nullptr);

    // Mode 1 brings the window forward as it is; mode 2 also restores a minimised one.
    window->showMinimized();
    EXPECT_EQ(object->ActivateWindow(1), S_OK);
    EXPECT_TRUE(window->isMinimized());
    EXPECT_EQ(object->ActivateWindow(2), S_OK);
    EXPECT_FALSE(window->isMinimized());

    // A user the table does not know changes nothing; a 25-byte name is taken in part;
    // three characters of a six-character message are shown. None of it fails.
    const int64_t unknown = 777;
    EXPECT_EQ(object->UpdateUserInfo(&unknown, "nobody", 3, 0, 0), S_OK);
    EXPECT_EQ(object->UpdateUserInfo(&user, "abcdefghijklmnopqrstuvwxy", 3, 0, 0), S_OK);
    const char six[] = "\xD2\xBB\xB6\xFE\xC8\xFD\xCB\xC4\xCE\xE5\xC1\xF9";
    EXPECT_EQ(object->ShowHallMessage(3, six), S_OK);
    EXPECT_EQ(object->ShowHallMessage(0, six), S_OK);

    // A packet the hall delivers while its own requests fail ends with the hall's result.
    hall.FailMethod = 19;
    const std::string enter = "\x0A" + std::string(100, '\0');
    EXPECT_EQ(object->DeliverPacket(static_cast<int32_t>(enter.size()),
                                    reinterpret_cast<const uint8_t *>(enter.data())),
              static_cast<HRESULT>(0x80070005));
    hall.FailMethod = 0;
    EXPECT_EQ(object->StopPlugin(0), S_OK);
    object->Release();
    EXPECT_EQ(canUnloadNow(), S_OK);
}

TEST_F(ModuleLoadTest, RegistrationWritesTheClassAndUnregistrationRemovesIt) {
    EXPECT_EQ(registerServer(), S_OK);
    const auto entry = ComRegistry::FindServer("{0031F69A-3715-4F10-8A9D-E0EA7B3AD7D7}");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->Path, MODULE_PATH);
    EXPECT_EQ(entry->Description, "Vestrano");
    EXPECT_EQ(entry->ThreadingModel, "Apartment");
    EXPECT_EQ(entry->ProgId, "VestranoC_Kep.VestranoC_Kep");
    EXPECT_EQ(ComRegistry::ClassIdOfProgId("VestranoC_Kep.VestranoC_Kep"),
              "{0031F69A-3715-4F10-8A9D-E0EA7B3AD7D7}");
    EXPECT_EQ(unregisterServer(), S_OK);
    EXPECT_FALSE(ComRegistry::FindServer("{0031F69A-3715-4F10-8A9D-E0EA7B3AD7D7}"));
}

// The server's own deal reaches the table through the module's exports and is painted.
TEST_F(ModuleLoadTest, ADealtHandIsShownOnTheTable) {
    FakeHall hall;
    INimOpenInterface *object = Create();
    object->SetRequestInterface(&hall);
    const int64_t me = 100;
    ASSERT_EQ(object->StartPlugin(3, "Vestrano", &me, "me", 0, 0, 0, 0), S_OK);
    GameEngine game(GameOptions{}, ChaChaRandom::Key{7});
    for (int seat = 0; seat < GameEngine::SeatCount; ++seat)
        game.SetSeatUser(seat, me + seat);
    game.StartHand(0);
    int delivered = 0;
    for (const auto &output : game.TakeOutput()) {
        std::string packet("\3\0\0\0\0\0\0\0\0", 9);
        packet += static_cast<char>(output.SubKind);
        packet += output.Payload;
        EXPECT_EQ(object->DeliverPacket(static_cast<int32_t>(packet.size()),
                                        reinterpret_cast<const uint8_t *>(packet.data())),
                  S_OK);
        ++delivered;
    }
    EXPECT_GT(delivered, 0);
    QWidget *window = GameWindow();
    ASSERT_NE(window, nullptr);
    QApplication::processEvents();
    const QImage shot = window->grab().toImage();
    const QColor corner = shot.pixelColor(5, shot.height() - 5);
    int differing = 0;
    for (int x = 100; x < 700; x += 2)
        differing += shot.pixelColor(x, shot.height() - 50) != corner;
    EXPECT_GT(differing, 50) << "the own hand lies along the bottom";
    if (const QByteArray dir = qgetenv("VESTRANO_SHOTS"); !dir.isEmpty())
        shot.save(QString::fromLocal8Bit(dir) + "/table.png");
    object->Release();
}
