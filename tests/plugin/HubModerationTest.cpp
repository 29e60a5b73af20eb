#include "HubTestSupport.h"

#include <QProcess>
#include <QProcessEnvironment>

using namespace HubTest;
namespace PP = PluginPackets;
using Platform::ByteWriter;

namespace {

std::string Expel(uint8_t phase, int64_t target, int64_t initiator, const std::string &reason) {
    ByteWriter out;
    out.Bytes(PP::TableHeader(1, 20)).I64LE(initiator).I64LE(target).U8(phase);
    out.ShortString(reason, 40);
    return out.Take();
}

std::string Kick(uint8_t type, int64_t target, const std::string &reason) {
    ByteWriter out;
    out.U8(19).U8(type).I64LE(1).I64LE(target).I32LE(static_cast<int32_t>(reason.size()));
    out.Bytes(reason);
    return out.Take();
}

class ModerationTest : public HubFixture {
protected:
    ModerationTest() {
        user->SetHideInfo(false);
        Start();
    }
    void Seat() {
        Enter(User(Me, 1, true, "Me"));
        Enter(User(70, 2, true, "Tom"));
        hall.Calls.clear();
        log.clear();
    }
};

} // namespace

TEST_F(ModerationTest, AWatcherClosingIsAskedPlainlyAndLeavesWithoutTheSeatNotice) {
    Enter(User(Me, 1, false, "Me"));
    hall.Calls.clear();
    bool canClose = true;
    hub.CloseQuery(nullptr, canClose);
    EXPECT_FALSE(canClose) << "the window closes only through the stop";
    EXPECT_TRUE(Logged("Dialog.Execute(确认,1,30)"));
    EXPECT_EQ(dialog->Texts.back(), "您确定真的要退出游戏吗？"_gbk);
    EXPECT_EQ(hall.Sent(), std::vector<std::string>{PP::UserPacket(11, Me)});
    EXPECT_TRUE(hub.Stopped());
}

TEST_F(ModerationTest, LeavingARunningGameWithAPenaltyIsWarnedAbout) {
    Configuration config;
    config.PenaltyScore = 1;
    config.ScoreName = "pts";
    Configure(config);
    Seat();
    Deliver(PP::TableHeader(0, 49));
    dialog->Answer = 2;
    bool canClose = true;
    hub.CloseQuery(nullptr, canClose);
    EXPECT_TRUE(Logged("Dialog.Execute(警告,1,30)"));
    EXPECT_EQ(dialog->Texts.back(), "正在游戏中,如果您现在退出,\r\n将会扣除您的pts或beans! "_gbk);
    EXPECT_FALSE(hub.Stopped()) << "refused";
    EXPECT_FALSE(hub.CloseQuerying());

    Deliver(PP::TableHeader(0, 50));
    config.RoundsRequired = 3;
    config.MinPlayers = 2;
    config.Roster = {{Me, 1, false}, {70, 4, false}};
    Configure(config);
    hub.CloseQuery(nullptr, canClose);
    EXPECT_EQ(dialog->Texts.back(), "您已经玩1局,未玩满3局,退出\r\n将会扣除您的pts或beans! "_gbk);
    client->LeaveFreely = true;
    hub.CloseQuery(nullptr, canClose);
    EXPECT_EQ(dialog->Texts.back(), "您确定真的要退出游戏吗？"_gbk);
}

TEST_F(ModerationTest, WithoutADialogTheWindowStopsAtOnce) {
    delete dialog;
    dialog = nullptr;
    bool canClose = true;
    hub.CloseQuery(nullptr, canClose);
    EXPECT_TRUE(hub.Stopped());
}

TEST_F(ModerationTest, AnExpelVoteIsPutToTheSeatedPlayers) {
    Seat();
    Deliver(Expel(1, 70, 80, "slow"));
    EXPECT_TRUE(Logged("Client.Expel(1,slow,70,80)"));
    EXPECT_EQ(dialog->Texts.back(), "是否同意将玩家\"Tom\"驱逐? \r\n原因：slow"_gbk);
    EXPECT_EQ(hall.Sent(), std::vector<std::string>{PP::ExpelPacket(Me, 70, 1, "slow")});
    hall.Calls.clear();
    Deliver(Expel(1, Me, 80, "me"));
    EXPECT_TRUE(hall.Sent().empty()) << "nobody votes on being expelled";
}

TEST_F(ModerationTest, PacketsArrivingWhileAVoteIsOpenDoNotChangeWhatItAnswers) {
    Seat();
    Enter(User(71, 3, true, "Ned"));
    dialog->WhileOpen = [this] {
        dialog->WhileOpen = nullptr;
        Deliver(Expel(1, 71, 80, "other"));
        Deliver(std::string("\x0C\x46\0\0\0\0\0\0\0", 9)); // Tom leaves meanwhile
    };
    hall.Calls.clear();
    Deliver(Expel(1, 70, 80, "slow"));
    EXPECT_EQ(hall.Sent().back(), PP::ExpelPacket(Me, 70, 1, "slow"));
}

TEST_F(ModerationTest, BeingExpelledDuringPlayChangesNothingBetweenHandsItEndsTheTable) {
    Seat();
    Deliver(PP::TableHeader(0, 49));
    Deliver(Expel(2, Me, 70, "rude"));
    EXPECT_FALSE(hub.Refused());
    EXPECT_FALSE(hub.Stopped());
    Deliver(Expel(2, 70, Me, "rude"));
    EXPECT_EQ(ChatLines().back(),
              "Chat.AddLine(" + "玩家\"Tom\"已被驱逐离开房间。\r\n原因：rude"_gbk + ",7)");
    Deliver(PP::TableHeader(0, 50));
    Deliver(Expel(2, Me, 70, "rude"));
    EXPECT_TRUE(hub.Refused());
    EXPECT_TRUE(hub.Stopped());
    EXPECT_TRUE(Logged("Dialog.Execute(退出,0,10)"));
}

TEST_F(ModerationTest, AFailedExpelIsReportedToItsInitiatorOnly) {
    Seat();
    Deliver(Expel(0, 70, 80, "no"));
    EXPECT_TRUE(dialog->Texts.empty());
    Deliver(Expel(0, 70, Me, "no"));
    EXPECT_EQ(dialog->Texts.back(), "驱逐玩家\"Tom\"无效\r\n原因：\"no\""_gbk);
}

TEST_F(ModerationTest, KicksNeedRightsAndAReason) {
    Seat();
    hub.ProposeKick(0, 70);
    EXPECT_TRUE(hall.Sent().empty()) << "no rights";
    Deliver(std::string("\x08\x88\x13\0\0\0\0\0\0\x01", 10));
    hub.ProposeKick(2, 70);
    EXPECT_TRUE(hall.Sent().empty()) << "a permanent kick needs level 2";
    dialog->Selected = 1;
    hub.ProposeKick(1, 70);
    EXPECT_TRUE(Logged("Dialog.Execute(请选择24小时踢出的原因,2,60)"));
    EXPECT_EQ(hall.Sent(), std::vector<std::string>{PP::KickPacket(1, 70, "说脏话"_gbk)});
    hall.Calls.clear();
    dialog->Answer = 2;
    hub.ProposeKick(0, 70);
    EXPECT_TRUE(hall.Sent().empty()) << "the choice was cancelled";
}

TEST_F(ModerationTest, KickNoticesAreLinesForOthersAndTheEndForTheLocalPlayer) {
    Seat();
    Deliver(Kick(5, Me, "odd"));
    EXPECT_TRUE(Logged("Client.Kick(5,odd,5000,1)"));
    EXPECT_FALSE(hub.Stopped()) << "an unknown kick type does nothing else";
    Deliver(Kick(1, 70, "spam"));
    EXPECT_EQ(ChatLines().back(),
              "Chat.AddLine(" + "Tom已经被管理员24小时踢出,原因：spam"_gbk + ",7)");
    Deliver(Kick(2, Me, "cheat"));
    EXPECT_TRUE(hub.Refused());
    EXPECT_TRUE(hub.Stopped());
    EXPECT_EQ(dialog->Texts.back(), "您已经被管理员永久踢出。\r\n原因：cheat"_gbk);
}

TEST(DuplicateInstanceGuard, TwoProcessesAtOneTableOnlyTheFirstPlays) {
    QTemporaryDir dir;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("VESTRANO_WINDOW_DIR", dir.path() + "/windows");
    auto probe = [&](const char *key) {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(environment);
        process->start(GUARD_PROBE, {dir.path() + "/", key});
        EXPECT_TRUE(process->waitForStarted(10000));
        return process;
    };
    auto readLine = [](QProcess &process) {
        while (!process.canReadLine() && process.waitForReadyRead(10000)) {
        }
        return process.readLine().trimmed().toStdString();
    };
    auto first = probe("4660");
    EXPECT_EQ(readLine(*first), "started");
    auto second = probe("4660");
    EXPECT_EQ(readLine(*second), "refused");
    second->closeWriteChannel();
    EXPECT_TRUE(second->waitForFinished(10000));
    auto elsewhere = probe("4661");
    EXPECT_EQ(readLine(*elsewhere), "started");
    elsewhere->closeWriteChannel();
    EXPECT_TRUE(elsewhere->waitForFinished(10000));

    first->write("packet\n");
    EXPECT_EQ(readLine(*first), "handled 1") << "the first instance still plays";
    first->closeWriteChannel();
    EXPECT_TRUE(first->waitForFinished(10000));
    auto after = probe("4660");
    EXPECT_EQ(readLine(*after), "started") << "the first one's guard went with it";
    after->closeWriteChannel();
    EXPECT_TRUE(after->waitForFinished(10000));
}

// An open dialog runs a nested wait: what arrives meanwhile must not open a second one,
// except the notices that end the table.
TEST_F(ModerationTest, WhileADialogIsOpenOnlyTheEndOfTheTableGetsThrough) {
    Seat();
    Enter(User(71, 3, true, "Ann"));
    ByteWriter rights;
    rights.U8(8).I64LE(Me).U8(2);
    Deliver(rights.Data());
    log.clear();
    hall.Calls.clear();
    dialog->Nested = true;
    bool canClose = true;
    bool sawBusy = false;
    dialog->WhileOpen = [&] {
        sawBusy = dialog->Running();
        Deliver(Expel(1, 71, 70, "again"));
        hub.ProposeKick(0, 70);
        hub.CloseQuery(nullptr, canClose);
        hub.ShowTip("tip");
    };
    Deliver(Expel(1, 70, 71, "first"));
    EXPECT_TRUE(sawBusy);
    int opened = 0;
    for (const auto &line : log)
        opened += line.rfind("Dialog.Execute(", 0) == 0;
    EXPECT_EQ(opened, 1) << "no second vote, kick reasons, close question or tip";
    EXPECT_FALSE(canClose);
    EXPECT_FALSE(hub.Stopped());
    EXPECT_EQ(hall.Sent(), std::vector<std::string>{PP::ExpelPacket(Me, 70, 1, "first")})
        << "only the open vote is answered";
}

TEST_F(ModerationTest, AKickArrivingWhileADialogIsOpenStillEndsTheTable) {
    Seat();
    Enter(User(71, 3, true, "Ann"));
    log.clear();
    hall.Calls.clear();
    dialog->Nested = true;
    dialog->WhileOpen = [&] {
        Deliver(Kick(0, Me, "bad"));
    };
    Deliver(Expel(1, 70, 71, "first"));
    EXPECT_TRUE(Logged("Dialog.Execute(执行踢出,0,3)")) << "the kick notice is still put up";
    EXPECT_TRUE(hub.Stopped());
    EXPECT_FALSE(dialog->Running());
    for (const auto &packet : hall.Sent())
        EXPECT_NE(packet, PP::ExpelPacket(Me, 70, 1, "first"))
            << "the vote closed by the stop is not agreed to";
}
