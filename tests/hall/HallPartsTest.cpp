// The hall's parts on their own: the command line, the word filter, the faces, the
// request interface's answers, what the hall reads of the table, and finding the module.

#include "HallTestSupport.h"

#include "common/ComRegistry.h"
#include "common/Gbk.h"
#include "hall/TFaceGallery.h"
#include "hall/THallOptions.h"
#include "hall/THallRequest.h"
#include "hall/TModuleHost.h"
#include "hall/TTableWatch.h"
#include "hall/TWordFilter.h"
#include "protocol/HallFrame.h"
#include "room/RoomPackets.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

std::optional<THallOptions> Parse(QStringList arguments, QString &error) {
    arguments.prepend("vestrano-hall");
    return THallOptions::Parse(arguments, error);
}

} // namespace

TEST(HallOptions, TheWholeCommandLine) {
    QString error;
    const auto options =
        Parse({"--server",        "10.0.0.2", "--port",        "9600",  "--nick",       "小明",
               "--password",      "pw",       "--face",        "7",     "--table",      "12",
               "--seat",          "3",        "--module",      "/m.so", "--data-dir",   "/d",
               "--hands",         "5",        "--screenshots", "/s",    "--transcript", "/t",
               "--quit-after-ms", "900"},
              error);
    ASSERT_TRUE(options) << error.toStdString();
    EXPECT_EQ(options->Server, "10.0.0.2");
    EXPECT_EQ(options->Port, 9600);
    EXPECT_EQ(options->NickName, "小明");
    EXPECT_EQ(options->Password, "pw");
    EXPECT_EQ(options->Face, 7);
    EXPECT_EQ(options->Table, 12);
    EXPECT_EQ(options->Seat, 3);
    EXPECT_FALSE(options->Watching());
    EXPECT_EQ(options->ModulePath, "/m.so");
    EXPECT_EQ(options->DataDir, "/d");
    EXPECT_EQ(options->Hands, 5);
    EXPECT_EQ(options->ScreenshotDir, "/s");
    EXPECT_EQ(options->TranscriptFile, "/t");
    EXPECT_EQ(options->QuitAfterMs, 900);

    const auto defaults = Parse({"--nick", "bob"}, error);
    ASSERT_TRUE(defaults);
    EXPECT_EQ(defaults->Server, "127.0.0.1");
    EXPECT_EQ(defaults->Port, 9527);
    EXPECT_EQ(defaults->Table, 0);
    EXPECT_EQ(defaults->Seat, 0);
    EXPECT_EQ(defaults->Hands, 0);
    EXPECT_EQ(defaults->DataDir, THallOptions::DefaultDataDir());
    const auto watcher = Parse({"--nick", "bob", "--watch"}, error);
    ASSERT_TRUE(watcher);
    EXPECT_TRUE(watcher->Watching());
    EXPECT_EQ(watcher->Seat, HallProto::WatcherSeat);
}

TEST(HallOptions, MistakesAreNamed) {
    const std::vector<std::pair<QStringList, QString>> cases = {
        {{}, "--nick is required"},
        {{"--nick", "a", "--seat", "4"}, "--seat needs a number from 0 to 3, not \"4\""},
        {{"--nick", "a", "--port", "0"}, "--port needs a number from 1 to 65535, not \"0\""},
        {{"--nick", "a", "--hands", "x"}, "--hands needs a number from 1 to 2147483647, not \"x\""},
        {{"--nick", "a", "--seat", "1", "--watch"}, "--seat and --watch exclude each other"},
        {{"--nick", "一二三四五六七八九十一"}, "--nick is longer than 20 bytes"},
        {{"--nick", "a", "--colour"}, "Unknown option 'colour'."},
        {{"--nick", "a", "extra"}, "unexpected argument \"extra\""},
    };
    for (const auto &[arguments, message] : cases) {
        QString error;
        EXPECT_FALSE(Parse(arguments, error)) << arguments.join(' ').toStdString();
        EXPECT_EQ(error, message);
    }
}

TEST(HallWordFilter, TheShippedListCatchesWordsThroughDisguises) {
    TWordFilter filter;
    ASSERT_TRUE(filter.Load(TWordFilter::BuiltInList));
    EXPECT_GT(filter.Count(), 10);
    EXPECT_TRUE(filter.Allows("good game, well played"));
    EXPECT_TRUE(filter.Allows("/012/045"_gbk));
    EXPECT_TRUE(filter.Allows("你好，再来一局"_gbk));
    EXPECT_FALSE(filter.Allows("what the FUCK"));
    EXPECT_FALSE(filter.Allows("s-h i.t"));
    EXPECT_FALSE(filter.Allows("你是傻 逼"_gbk));
    EXPECT_FALSE(filter.Allows("谁用外挂！"_gbk));
    EXPECT_TRUE(filter.Allows(""));
    EXPECT_FALSE(filter.Load("/no/such/list"));
    EXPECT_GT(filter.Count(), 10) << "a missing file keeps the words";
}

TEST(HallFaces, AreDrawnOnceAsPngAndBmpAndDependOnlyOnTheirNumber) {
    QTemporaryDir dir;
    const QString folder = dir.path() + "/Face";
    QString error;
    ASSERT_TRUE(TFaceGallery::Provide(folder, error)) << error.toStdString();
    EXPECT_EQ(QDir(folder).entryList({"*.png"}).size(), TFaceGallery::FaceCount);
    EXPECT_EQ(QDir(folder).entryList({"*.bmp"}).size(), TFaceGallery::FaceCount);
    const QImage png(folder + "/5.png");
    const QImage bmp(folder + "/5.bmp");
    ASSERT_EQ(png.size(), QSize(TFaceGallery::FaceSize, TFaceGallery::FaceSize));
    EXPECT_EQ(bmp.size(), png.size());
    EXPECT_EQ(png.convertToFormat(QImage::Format_RGB32),
              TFaceGallery::Draw(5).convertToFormat(QImage::Format_RGB32));
    for (int a = 0; a < TFaceGallery::FaceCount; ++a)
        for (int b = a + 1; b < TFaceGallery::FaceCount; ++b)
            EXPECT_NE(TFaceGallery::Draw(a), TFaceGallery::Draw(b)) << a << " and " << b;

    // A face the player replaced stays.
    QFile::remove(folder + "/2.png");
    QImage own(8, 8, QImage::Format_RGB32);
    own.fill(Qt::red);
    ASSERT_TRUE(own.save(folder + "/2.bmp"));
    ASSERT_TRUE(TFaceGallery::Provide(folder, error));
    EXPECT_TRUE(QFileInfo::exists(folder + "/2.png"));
    EXPECT_EQ(QImage(folder + "/2.bmp").size(), QSize(8, 8));
}

TEST(HallRequestInterface, AnswersTheModulesSevenRequests) {
    TWordFilter words;
    words.SetWords({"cheat"});
    std::vector<std::string> sent;
    int finished = 0, invited = 0;
    int64_t shown = 0;
    bool connectionOpen = true;
    THallRequest::THandlers handlers;
    handlers.SendData = [&](int64_t, std::string_view packet) {
        sent.emplace_back(packet);
        return connectionOpen;
    };
    handlers.ShowUserInfo = [&](int64_t user) {
        shown = user;
    };
    handlers.InviteFriends = [&] {
        ++invited;
    };
    handlers.PluginFinished = [&] {
        ++finished;
    };
    THallRequest request(77, "/data/hall/", words, handlers);
    INimOpenInterfaceReq *hall = &request;

    int32_t value = 0;
    EXPECT_EQ(hall->ReadHallValue(&value), S_OK);
    EXPECT_EQ(value, THallRequest::HallVersion);
    EXPECT_EQ(hall->ReadHallValue(nullptr), E_POINTER);

    int32_t cell = 0x7F01;
    EXPECT_EQ(hall->CheckWords(77, "no cheating", 1, &cell), S_OK);
    EXPECT_EQ(cell, 0x7F00) << "only the low byte answers";
    cell = 1;
    EXPECT_EQ(hall->CheckWords(77, "fair play", 1, &cell), S_OK);
    EXPECT_EQ(cell, 1);
    EXPECT_EQ(hall->CheckWords(78, "fair play", 1, &cell), E_INVALIDARG) << "another table";
    EXPECT_EQ(hall->CheckWords(77, nullptr, 1, &cell), E_POINTER);

    std::vector<char> buffer(INimOpenInterfaceReq::HallPathSize, '\0');
    char *path = buffer.data();
    EXPECT_EQ(hall->GetHallPath(77, &path), S_OK);
    EXPECT_STREQ(buffer.data(), "/data/hall/");
    THallRequest deep(77, std::string(INimOpenInterfaceReq::HallPathSize, 'x'), words, {});
    EXPECT_EQ(static_cast<INimOpenInterfaceReq &>(deep).GetHallPath(77, &path), E_BOUNDS);

    const uint8_t packet[] = {11, 1, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(hall->SendData(77, 0, sizeof packet, packet), S_OK);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0], std::string(reinterpret_cast<const char *>(packet), sizeof packet));
    EXPECT_EQ(hall->SendData(77, 0, 0, packet), E_INVALIDARG);
    EXPECT_EQ(hall->SendData(77, 0, -1, packet), E_INVALIDARG);
    EXPECT_EQ(hall->SendData(77, 0, int32_t(HallProto::MaxFramePayload), packet), E_INVALIDARG);
    EXPECT_EQ(hall->SendData(77, 0, 4, nullptr), E_POINTER);
    connectionOpen = false;
    EXPECT_EQ(hall->SendData(77, 0, sizeof packet, packet), S_FALSE) << "dropped, not refused";

    EXPECT_EQ(hall->ShowUserInfo(77, 1234), S_OK);
    EXPECT_EQ(shown, 1234);
    EXPECT_EQ(hall->InviteFriends(77, 0, 0), S_OK);
    EXPECT_EQ(invited, 1);
    EXPECT_EQ(hall->PluginFinished(77), S_OK);
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(hall->HallMethod2(77), E_NOTIMPL);
    EXPECT_EQ(hall->HallMethod18(77), E_NOTIMPL);

    void *other = nullptr;
    EXPECT_EQ(hall->QueryInterface(IID_INimOpenInterfaceReq, &other), S_OK);
    EXPECT_EQ(other, hall);
    EXPECT_EQ(request.References(), 2u);
    hall->Release();
    EXPECT_EQ(hall->QueryInterface(IID_IClassFactory, &other), E_NOINTERFACE);
    EXPECT_EQ(other, nullptr);
}

TEST(HallTableWatch, NamesSettlementsAndTheEndOfEachHand) {
    TTableWatch watch(5);
    RoomPackets::Member own{5, "小明"_gbk};
    RoomPackets::Member robot{9, "Robot 2"};
    EXPECT_EQ(watch.Observe(RoomPackets::UserList({robot, own})),
              TTableWatch::TEvent::OwnUserListed);
    EXPECT_EQ(watch.Observe(RoomPackets::UserEntered(robot)), TTableWatch::TEvent::None);
    EXPECT_EQ(watch.NameOf(5), "小明");
    EXPECT_EQ(watch.NameOf(77), "77");
    EXPECT_EQ(watch.Observe(RoomPackets::TableMessage(0, 18, "1,2,3")),
              TTableWatch::TEvent::Snapshot);
    watch.Observe(RoomPackets::Settlement(1, {{5, 6, 16, 600, 0}, {9, -2, -2, -200, 0}}));
    EXPECT_EQ(watch.Observe(RoomPackets::TableMessage(0, 50, {})), TTableWatch::TEvent::HandOver);
    EXPECT_EQ(watch.HandsOver(), 1);
    EXPECT_EQ(watch.HandSettlement(), "小明 +6 (16), Robot 2 -2 (-2)");
    EXPECT_EQ(watch.Observe(RoomPackets::TableMessage(0, 50, {})), TTableWatch::TEvent::HandOver);
    EXPECT_EQ(watch.HandSettlement(), "") << "no settlement came with the second hand";

    // Short and lying packets are passed over.
    EXPECT_EQ(watch.Observe(std::string("\3\0\0", 3)), TTableWatch::TEvent::None);
    EXPECT_EQ(watch.Observe(std::string("\x09\xFF\xFF\xFF\x7F", 5)), TTableWatch::TEvent::None);
    EXPECT_EQ(watch.Observe(std::string("\x10\x01\x05\0\0\0", 6)), TTableWatch::TEvent::None);
    EXPECT_EQ(watch.Observe({}), TTableWatch::TEvent::None);
}

TEST(HallModuleHost, RegistersTheModuleOnFirstUseAndFindsItByItsClassAfterwards) {
    QTemporaryDir dir;
    qputenv("VESTRANO_REGISTRY", (dir.path() + "/registry.ini").toLocal8Bit());
    QString error;
    {
        TModuleHost host;
        ASSERT_TRUE(host.Load(TModuleHost::VestranoClassId, MODULE_PATH, error))
            << error.toStdString();
        EXPECT_TRUE(host.Registered());
        ASSERT_TRUE(host.CreateObject(error)) << error.toStdString();
        int32_t version = 0;
        EXPECT_EQ(host.Object()->GetInterfaceVersion(&version), S_OK);
        EXPECT_EQ(version, 1);
        // A failing method's error text comes back with its result.
        const int64_t user = 1;
        const HRESULT result = host.Object()->StartPlugin(1, "T", &user, "N", 70000, 0, 0, 0);
        EXPECT_TRUE(
            host.Failure("StartPlugin", result).startsWith("StartPlugin failed (0x8000ffff): "))
            << host.Failure("StartPlugin", result).toStdString();
    }
    const auto entry = ComRegistry::FindServer(TModuleHost::VestranoClassId);
    ASSERT_TRUE(entry);
    EXPECT_EQ(QFileInfo(QString::fromStdString(entry->Path)).canonicalFilePath(),
              QFileInfo(MODULE_PATH).canonicalFilePath());
    TModuleHost again;
    ASSERT_TRUE(again.Load(TModuleHost::VestranoClassId, {}, error)) << error.toStdString();
    EXPECT_FALSE(again.Registered());
    EXPECT_EQ(again.ModulePath(), QString::fromStdString(entry->Path));

    TModuleHost missing;
    EXPECT_FALSE(missing.Load(TModuleHost::VestranoClassId, "/no/such/module.so", error));
    EXPECT_EQ(error, "no module file at /no/such/module.so");
    TModuleHost notModule;
    EXPECT_FALSE(notModule.Load(TModuleHost::VestranoClassId, "/bin/sh", error));
    EXPECT_TRUE(error.startsWith("cannot load the game module /bin/sh")) << error.toStdString();
}
