// A whole session with the real module against a scripted server over loopback TCP,
// in this process: the hall's window, the module's game window and the test share the
// application, so the test can look at the table and answer the module's dialogs.

#include "HallTestSupport.h"

#include "hall/THallRequest.h"
#include "hall/THallWindow.h"

#include <QFileInfo>
#include <QKeyEvent>
#include <QTimer>

using namespace HallTest;
using namespace HallProto;

namespace {

constexpr uint8_t SubTableStateRequest = 2;
constexpr uint8_t SubLeaveSeat = 96;
constexpr uint8_t KindLeave = 11;

// The module's visible question, if one is asked.
QWidget *OpenDialog() {
    QWidget *window = GameWindow();
    if (!window)
        return nullptr;
    for (QWidget *child : window->findChildren<QWidget *>())
        if (child->inherits("TCustomPluginDialog") && child->isVisible())
            return child;
    return nullptr;
}

class HallSessionTest : public HallFixture {};

} // namespace

TEST_F(HallSessionTest, LogsInTakesTheSeatStartsTheModuleAndShowsTheDealtHand) {
    options.ScreenshotDir = dir.path() + "/shots";
    ASSERT_TRUE(Seat());
    const auto &login = std::get<LoginFrame>(server.Frames.at(0));
    EXPECT_EQ(login.NickName, "alice");
    EXPECT_EQ(std::get<TableChoiceFrame>(server.Frames.at(1)), (TableChoiceFrame{3, 0}));
    EXPECT_EQ(session->UserId(), ScriptedHallServer::HallUserId);
    EXPECT_EQ(session->State(), THallSession::TState::AtTable);
    QWidget *window = GameWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Vestrano table 3[alice]");
    EXPECT_TRUE(QFileInfo::exists(options.DataDir + "/Face/3.png"));
    EXPECT_TRUE(QFileInfo::exists(options.DataDir + "/Face/3.bmp"));

    server.SendDeal();
    ASSERT_TRUE(RunUntil([&] { return Transcript().contains("dealt hand shown"); }));
    const QImage shot = window->grab().toImage();
    EXPECT_GT(HandPixels(shot), 50) << "the own hand lies along the bottom";

    server.SendHandOver();
    const QString shotFile = options.ScreenshotDir + "/hand-001.png";
    ASSERT_TRUE(RunUntil([&] { return QFileInfo::exists(shotFile); }));
    const QImage written(shotFile);
    EXPECT_EQ(written.size(), window->size());
    EXPECT_GT(HandPixels(written), 50);
    const QString transcript = Transcript();
    EXPECT_TRUE(transcript.contains("logged in as alice (user 4242)"));
    EXPECT_TRUE(transcript.contains("seated at table 3, seat 0"));
    EXPECT_TRUE(transcript.contains("hand 1 ended: alice +3 (3), Robot 2 -1 (-1)")) << transcript;
    EXPECT_EQ(exitCode, -1) << "no --hands: the table goes on";
}

TEST_F(HallSessionTest, ThePlayerClosesTheWindowAndConfirmsAndTheHallLeavesTheTable) {
    ASSERT_TRUE(Seat());
    server.SendDeal();
    ASSERT_TRUE(RunUntil([&] { return Transcript().contains("dealt hand shown"); }));
    QWidget *window = GameWindow();
    ASSERT_NE(window, nullptr);
    bool asked = false;
    // The confirmation runs its own loop inside close(); it is answered from there.
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (QWidget *dialog = OpenDialog()) {
            asked = true;
            answer.stop();
            QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
            QApplication::sendEvent(dialog, &enter);
        }
    });
    answer.start(20);
    window->close();
    EXPECT_TRUE(asked);
    ASSERT_TRUE(Ended());
    EXPECT_EQ(exitCode, 0);
    // The server has read everything the hall sent once it sees the hall leave.
    ASSERT_TRUE(RunUntil([&] { return server.HallLeft(); }));
    EXPECT_EQ(server.CountTable(SubLeaveSeat), 1);
    EXPECT_EQ(server.CountKind(KindLeave), 1);
    EXPECT_EQ(GameWindow(), nullptr) << "the object and its window are released";
    EXPECT_EQ(session->Request()->References(), 1u) << "the module let the hall go";
    EXPECT_TRUE(Transcript().contains("the module ended the table"));
}

TEST_F(HallSessionTest, AfterTheHandsAskedForTheTableIsClosedCleanly) {
    options.Hands = 2;
    ASSERT_TRUE(Seat());
    for (int hand = 0; hand < 2; ++hand) {
        server.SendDeal(static_cast<uint32_t>(hand + 1));
        server.SendHandOver();
    }
    ASSERT_TRUE(Ended());
    EXPECT_EQ(exitCode, 0);
    ASSERT_TRUE(RunUntil([&] { return server.HallLeft(); }));
    EXPECT_EQ(server.CountKind(KindLeave), 1);
    EXPECT_TRUE(Transcript().contains("closing the table: 2 hands have been played"));
    EXPECT_EQ(GameWindow(), nullptr);
}

TEST_F(HallSessionTest, ALostConnectionIsReportedAndEndsTheTable) {
    ASSERT_TRUE(Seat());
    server.SendDeal();
    ASSERT_TRUE(RunUntil([&] { return Transcript().contains("dealt hand shown"); }));
    server.Drop();
    ASSERT_TRUE(Ended());
    EXPECT_EQ(exitCode, 1);
    EXPECT_TRUE(session->Failure().contains("the connection to the server was lost"));
    EXPECT_EQ(session->Window().Status(), session->Failure()) << "shown in the hall";
    EXPECT_TRUE(Transcript().contains("error: the connection to the server was lost"));
    EXPECT_EQ(GameWindow(), nullptr);
}

TEST_F(HallSessionTest, MalformedAndOversizedFramesCloseTheConnection) {
    const QByteArray malformed("\x01\x00\x00\x00\x63", 5);
    const QByteArray oversized("\xFF\xFF\xFF\x7F", 4);
    for (const QByteArray &bytes : {malformed, oversized}) {
        ScriptedHallServer other;
        other.OnTableChoice = [&](const TableChoiceFrame &) {
            other.SendUserList("alice");
            other.SendDeal();
            other.SendRaw(bytes);
        };
        options.Port = other.Port();
        exitCode = -1;
        session = std::make_unique<THallSession>(options);
        QObject::connect(session.get(), &THallSession::Finished,
                         [this](int code) { exitCode = code; });
        session->Start();
        ASSERT_TRUE(Ended());
        EXPECT_EQ(exitCode, 1);
        EXPECT_TRUE(
            session->Failure().contains(bytes == malformed ? "malformed" : "impossible length"))
            << session->Failure().toStdString();
        EXPECT_TRUE(RunUntil([&] { return other.HallLeft(); }));
        EXPECT_EQ(GameWindow(), nullptr);
    }
}

TEST_F(HallSessionTest, AWatcherAsksForNoSeatAndSeesTheTable) {
    options.Seat = WatcherSeat;
    ASSERT_TRUE(Seat());
    EXPECT_EQ(std::get<TableChoiceFrame>(server.Frames.at(1)), (TableChoiceFrame{3, WatcherSeat}));
    EXPECT_TRUE(Transcript().contains("watching table 3"));
    ASSERT_NE(GameWindow(), nullptr);
    EXPECT_TRUE(GameWindow()->isVisible());
}

TEST_F(HallSessionTest, ARefusedSeatEndsTheSessionWithTheServersReason) {
    server.OnTableChoice = [this](const TableChoiceFrame &) {
        server.Send(ErrorFrame{ErrorCode::SeatTaken, {}});
        server.Drop();
    };
    session = std::make_unique<THallSession>(options);
    QObject::connect(session.get(), &THallSession::Finished, [this](int code) { exitCode = code; });
    session->Start();
    ASSERT_TRUE(Ended());
    EXPECT_EQ(exitCode, 1);
    EXPECT_EQ(session->Failure(), "the server refused: the seat is taken");
}

// The module's window has no chat panel to type into, so the test makes the module's
// two chat requests itself, through the interface the module was given.
TEST_F(HallSessionTest, AChatLineIsCheckedAndReachesTheServerAndDialogsDoNotBlock) {
    ASSERT_TRUE(Seat());
    auto *request = const_cast<THallRequest *>(session->Request());
    INimOpenInterfaceReq *hall = request;
    const int64_t key = session->TableKey();
    int32_t allowed = 0x0101;
    ASSERT_EQ(hall->CheckWords(key, "\xc4\xe3\xba\xc3", 1, &allowed), S_OK);
    EXPECT_EQ(allowed, 0x0101);
    const std::string chat = RoomPackets::TableMessage(session->UserId(), 67, "hello");
    ASSERT_EQ(hall->SendData(key, 0, int32_t(chat.size()),
                             reinterpret_cast<const uint8_t *>(chat.data())),
              S_OK);
    EXPECT_TRUE(RunUntil([&] { return server.CountTable(67) == 1; }));
    EXPECT_EQ(server.ModulePackets.back(), chat);

    EXPECT_EQ(hall->ShowUserInfo(key, 9002), S_OK);
    EXPECT_EQ(hall->InviteFriends(key, 0, 0), S_OK);
    auto *info = session->Window().findChild<QWidget *>("UserInfoDialog");
    auto *invite = session->Window().findChild<QWidget *>("InviteDialog");
    ASSERT_NE(info, nullptr);
    ASSERT_NE(invite, nullptr);
    EXPECT_TRUE(info->isVisible());
    EXPECT_TRUE(invite->isVisible());
    EXPECT_EQ(info->windowTitle(), "User Robot 3");
    EXPECT_EQ(session->State(), THallSession::TState::AtTable);
}
