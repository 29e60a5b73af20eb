// Whole evenings over loopback: a vestrano-server process, vestrano-hall processes with the
// real module in them, bots in the empty seats. The server's clock plays the players' turns
// at once (turn time 0), so twenty hands take a minute; the modules must mirror every
// record without ever losing track of the table, and the records in SQLite must add up.

#include "PlayRig.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QRegularExpression>
#include <QThread>

#include <numeric>

namespace {

constexpr int Hands = 20;
// Generous for the sanitizer build on a shared machine; a healthy run takes a fraction.
constexpr int EveningMs = 12 * 60'000;

QCoreApplication &App() {
    static int argc = 1;
    static char name[] = "test_e2e";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// The server plays every idle turn at once and, once that many players sit, deals the next
// hand after a pause. With one player the pause must let its hall catch up, take the last
// screenshot and leave before another hand starts; with a full table none starts anyway
// once the first player has left.
QStringList QuickTable(int players) {
    const int pauseMs = players == 1 ? 2500 : 1500;
    return QStringList{QStringLiteral("--play-time"),
                       QStringLiteral("0"),
                       QStringLiteral("--bid-time"),
                       QStringLiteral("0"),
                       QStringLiteral("--bot-delay"),
                       QStringLiteral("0"),
                       QStringLiteral("--tick-ms"),
                       QStringLiteral("20"),
                       QStringLiteral("--auto-start"),
                       QString::number(pauseMs),
                       QStringLiteral("--auto-start-players"),
                       QString::number(players)};
}

// The score changes of one user in the settlement texts "name +3 (13), name -1 (-1), ...".
int64_t SumOfChanges(const std::vector<PlayRig::THand> &hands, const QString &nickName) {
    static const QRegularExpression entry(QStringLiteral("^(.*) ([+-]?\\d+) \\((-?\\d+)\\)$"));
    int64_t sum = 0;
    for (const auto &hand : hands)
        for (const QString &text : hand.Settlement.split(QStringLiteral(", "))) {
            const auto match = entry.match(text);
            if (match.hasMatch() && match.captured(1) == nickName)
                sum += match.captured(2).toLongLong();
        }
    return sum;
}

std::vector<QString> Settlements(const std::vector<PlayRig::THand> &hands) {
    std::vector<QString> texts;
    for (const auto &hand : hands)
        texts.push_back(hand.Settlement);
    return texts;
}

bool WaitFor(const std::function<bool()> &condition, int timeoutMs = 120'000) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition() && !deadline.hasExpired())
        QThread::msleep(50);
    return condition();
}

// Every client asked for the table once, when it came, and never had a record refused.
void ExpectInStep(const PlayRig &rig, const QString &nickName, int stateRequests = 1) {
    const QJsonObject stats = rig.UserStats(nickName);
    ASSERT_FALSE(stats.isEmpty()) << qPrintable(nickName);
    EXPECT_EQ(stats[QStringLiteral("stateRequests")].toInt(), stateRequests)
        << qPrintable(nickName) << " asked for the table again: it lost track of a record";
    EXPECT_EQ(stats[QStringLiteral("refusals")].toInt(), 0) << qPrintable(nickName);
}

class EndToEndTest : public testing::Test {
protected:
    QCoreApplication &app = App();
    PlayRig rig;
};

} // namespace

TEST_F(EndToEndTest, OnePlayerAndThreeBotsPlayTwentyHandsWithAWatcherLookingOn) {
    ASSERT_TRUE(rig.StartServer(QuickTable(1)));
    const int watcher = rig.StartHall(QStringLiteral("wes"), -1, Hands);
    // The watcher is there before the first deal, so it sees every hand the player does.
    ASSERT_TRUE(WaitFor([&] { return !rig.UserStats(QStringLiteral("wes")).isEmpty(); }))
        << qPrintable(rig.HallOutput(watcher));
    ASSERT_TRUE(WaitFor([&] {
        return rig.UserStats(QStringLiteral("wes"))[QStringLiteral("stateRequests")].toInt() > 0;
    }));
    const int player = rig.StartHall(QStringLiteral("ann"), 0, Hands);
    ASSERT_TRUE(rig.WaitForHalls(EveningMs))
        << qPrintable(rig.HallOutput(player)) << qPrintable(rig.Transcript(player));

    const auto hands = rig.Hands(player);
    ASSERT_EQ(hands.size(), size_t(Hands)) << qPrintable(rig.Transcript(player));
    EXPECT_EQ(Settlements(rig.Hands(watcher)), Settlements(hands)) << "the watcher saw the same";
    ExpectInStep(rig, QStringLiteral("ann"));
    ExpectInStep(rig, QStringLiteral("wes"));

    const auto records = rig.Records();
    const auto &ann = records.at(QStringLiteral("ann"));
    EXPECT_EQ(ann.Score, SumOfChanges(hands, QStringLiteral("ann")));
    EXPECT_EQ(ann.Score, rig.UserStats(QStringLiteral("ann"))[QStringLiteral("score")].toInteger());
    EXPECT_EQ(ann.Wins + ann.Losses + ann.Draws, Hands);
    EXPECT_EQ(ann.Escapes, 0);
    EXPECT_EQ(records.at(QStringLiteral("wes")).Wins, 0) << "a watcher plays no hand";
}

TEST_F(EndToEndTest, FourPlayersPlayTwentyHandsInStep) {
    ASSERT_TRUE(rig.StartServer(QuickTable(4)));
    const QStringList names{QStringLiteral("p1"), QStringLiteral("p2"), QStringLiteral("p3"),
                            QStringLiteral("p4")};
    for (int seat = 0; seat < 4; ++seat)
        rig.StartHall(names[seat], seat, Hands);
    ASSERT_TRUE(rig.WaitForHalls(EveningMs)) << qPrintable(rig.Transcript(0));
    const auto hands = rig.Hands(0);
    ASSERT_EQ(hands.size(), size_t(Hands)) << qPrintable(rig.Transcript(0));
    const auto records = rig.Records();
    int64_t total = 0;
    for (int seat = 0; seat < 4; ++seat) {
        EXPECT_EQ(Settlements(rig.Hands(seat)), Settlements(hands)) << seat;
        ExpectInStep(rig, names[seat]);
        const auto &record = records.at(names[seat]);
        EXPECT_EQ(record.Score, SumOfChanges(hands, names[seat])) << seat;
        EXPECT_EQ(record.Wins + record.Losses + record.Draws, Hands) << seat;
        EXPECT_EQ(record.Escapes, 0) << seat;
        total += record.Score;
    }
    EXPECT_EQ(total, 0) << "with four players every hand sums to zero";
}

TEST_F(EndToEndTest, ADroppedPlayerIsPlayedForRejoinsAndFinishesTheSameHand) {
    // Two seconds a turn: long enough to drop out mid-hand and come back, short enough for a
    // quick hand.
    ASSERT_TRUE(rig.StartServer({QStringLiteral("--play-time"), QStringLiteral("2"),
                                 QStringLiteral("--bid-time"), QStringLiteral("1"),
                                 QStringLiteral("--bot-delay"), QStringLiteral("0"),
                                 QStringLiteral("--tick-ms"), QStringLiteral("20"),
                                 QStringLiteral("--auto-start"), QStringLiteral("3000")}));
    const int first = rig.StartHall(QStringLiteral("ann"), 0, 1);
    ASSERT_TRUE(WaitFor([&] { return rig.Transcript(first).contains(QStringLiteral("painted")); }))
        << qPrintable(rig.HallOutput(first));
    QThread::msleep(3000);
    rig.KillHall(first);
    EXPECT_EQ(rig.Stats()[QStringLiteral("hands")].toInt(), 0) << "dropped mid-hand";
    QThread::msleep(1000);
    const int again = rig.StartHall(QStringLiteral("ann"), 0, 1);
    ASSERT_TRUE(rig.WaitForHalls(EveningMs)) << qPrintable(rig.Transcript(again));
    ASSERT_EQ(rig.Hands(again).size(), 1u);
    EXPECT_EQ(rig.UserStats(QStringLiteral("ann"))[QStringLiteral("hands")].toInt(), 1)
        << "the hand it came back to was the one it left";
    ExpectInStep(rig, QStringLiteral("ann"), 2);
    const auto ann = rig.Records().at(QStringLiteral("ann"));
    EXPECT_EQ(ann.Escapes, 1);
    EXPECT_EQ(ann.Score, SumOfChanges(rig.Hands(again), QStringLiteral("ann")));
}

TEST_F(EndToEndTest, TheServerRestartedBetweenHandsKeepsEveryRecord) {
    ASSERT_TRUE(rig.StartServer(QuickTable(1)));
    const int before = rig.StartHall(QStringLiteral("ann"), 0, 2);
    ASSERT_TRUE(rig.WaitForHalls(EveningMs)) << qPrintable(rig.Transcript(before));
    rig.StopServer();
    ASSERT_TRUE(rig.StartServer(QuickTable(1)));
    const int after = rig.StartHall(QStringLiteral("ann"), 0, 1);
    ASSERT_TRUE(rig.WaitForHalls(EveningMs)) << qPrintable(rig.Transcript(after));
    auto hands = rig.Hands(before);
    ASSERT_EQ(hands.size(), 2u);
    const auto later = rig.Hands(after);
    ASSERT_EQ(later.size(), 1u);
    hands.push_back(later[0]);
    const auto ann = rig.Records().at(QStringLiteral("ann"));
    EXPECT_EQ(ann.Score, SumOfChanges(hands, QStringLiteral("ann")));
    EXPECT_EQ(ann.Wins + ann.Losses + ann.Draws, 3);
    // The new totals after the restart start from the stored record.
    const QString total = QStringLiteral("ann %1%2 (%3)")
                              .arg(SumOfChanges(later, QStringLiteral("ann")) > 0 ? "+" : "")
                              .arg(SumOfChanges(later, QStringLiteral("ann")))
                              .arg(ann.Score);
    EXPECT_TRUE(later[0].Settlement.contains(total)) << qPrintable(later[0].Settlement);
}

// The play command's headless evening: four-second turns, so the seat times out three
// times and the module's own trusteeship plays the rest before the server's clock would.
TEST_F(EndToEndTest, AfterThreeTimeOutsTheModulesTrusteeshipPlaysTheSeat) {
    ASSERT_TRUE(rig.StartServer({QStringLiteral("--play-time"), QStringLiteral("4"),
                                 QStringLiteral("--bid-time"), QStringLiteral("1"),
                                 QStringLiteral("--bot-delay"), QStringLiteral("0"),
                                 QStringLiteral("--auto-start"), QStringLiteral("3000")}));
    const int hall = rig.StartHall(QStringLiteral("ann"), 0, 1);
    ASSERT_TRUE(rig.WaitForHalls(EveningMs)) << qPrintable(rig.Transcript(hall));
    const QJsonObject ann = rig.UserStats(QStringLiteral("ann"));
    EXPECT_EQ(ann[QStringLiteral("hands")].toInt(), 1);
    EXPECT_GE(ann[QStringLiteral("trusteeOn")].toInt(), 1);
    EXPECT_GT(ann[QStringLiteral("plays")].toInt(), 0) << "the trusteeship played";
    ExpectInStep(rig, QStringLiteral("ann"));
}
