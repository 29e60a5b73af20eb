// vestrano-server: tables of four seats, the room and game protocol, bots and records.

#include "net/GameServer.h"
#include "net/ServerSettings.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QHostAddress>

#include <algorithm>
#include <cstdio>

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("vestrano-server"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Vestrano game server"));
    parser.addHelpOption();
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("TCP port."),
                                  QStringLiteral("port"), QStringLiteral("9527"));
    const QCommandLineOption listen(QStringLiteral("listen"),
                                    QStringLiteral("Address to listen on (loopback)."),
                                    QStringLiteral("address"), QStringLiteral("127.0.0.1"));
    const QCommandLineOption playTime(QStringLiteral("play-time"),
                                      QStringLiteral("Seconds per turn in play."),
                                      QStringLiteral("seconds"), QStringLiteral("30"));
    const QCommandLineOption bidTime(QStringLiteral("bid-time"),
                                     QStringLiteral("Seconds per turn in the bidding."),
                                     QStringLiteral("seconds"), QStringLiteral("15"));
    const QCommandLineOption botDelay(QStringLiteral("bot-delay"),
                                      QStringLiteral("Bots' thinking delay in milliseconds."),
                                      QStringLiteral("ms"), QStringLiteral("800"));
    const QCommandLineOption database(QStringLiteral("database"),
                                      QStringLiteral("SQLite file of the users' records."),
                                      QStringLiteral("file"), QStringLiteral("users.sqlite"));
    const QCommandLineOption autoStart(
        QStringLiteral("auto-start"),
        QStringLiteral("Deal the next hand this many milliseconds after the last, without "
                       "waiting for ready (unattended play); -1 waits."),
        QStringLiteral("ms"), QStringLiteral("-1"));
    const QCommandLineOption config(
        QStringLiteral("config"),
        QStringLiteral("Settings file: [Administrators] Ids=12,40 Owners=12 List147=40  "
                       "[Announcements] Interval=600 (seconds), Text1=..., Text2=..."),
        QStringLiteral("file"));
    const QCommandLineOption autoStartPlayers(
        QStringLiteral("auto-start-players"),
        QStringLiteral("Unattended play deals only when this many users are seated."),
        QStringLiteral("count"), QStringLiteral("1"));
    const QCommandLineOption statsFile(
        QStringLiteral("stats-file"),
        QStringLiteral("JSON file of per-user counters (table-state requests, refused "
                       "records, hands and their results), rewritten as they change."),
        QStringLiteral("file"));
    const QCommandLineOption tickMs(QStringLiteral("tick-ms"),
                                    QStringLiteral("Milliseconds between clock and bot steps."),
                                    QStringLiteral("ms"), QStringLiteral("100"));
    parser.addOptions({port, listen, playTime, bidTime, botDelay, database, autoStart,
                       autoStartPlayers, config, statsFile, tickMs});
    parser.process(app);

    ServerOptions options;
    options.Game.PlayTime = parser.value(playTime).toInt();
    options.Game.BidTime = parser.value(bidTime).toInt();
    options.BotDelayMs = parser.value(botDelay).toInt();
    options.DatabasePath = parser.value(database);
    options.AutoStartMs = parser.value(autoStart).toInt();
    options.AutoStartPlayers = std::max(1, parser.value(autoStartPlayers).toInt());
    options.StatsPath = parser.value(statsFile);
    options.TickMs = std::max(1, parser.value(tickMs).toInt());
    if (parser.isSet(config) && !ServerSettings::Read(parser.value(config), options)) {
        std::fprintf(stderr, "vestrano-server: cannot read %s\n", qPrintable(parser.value(config)));
        return 1;
    }
    GameServer server(options);
    if (!server.Listen(QHostAddress(parser.value(listen)), parser.value(port).toUShort())) {
        std::fprintf(stderr, "vestrano-server: cannot listen on %s:%s\n",
                     qPrintable(parser.value(listen)), qPrintable(parser.value(port)));
        return 1;
    }
    return app.exec();
}
