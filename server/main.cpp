// vestrano-server: tables of four seats, the room and game protocol, bots and records.

#include "net/GameServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QHostAddress>

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
    parser.addOptions({port, listen, playTime, bidTime, botDelay, database, autoStart});
    parser.process(app);

    ServerOptions options;
    options.Game.PlayTime = parser.value(playTime).toInt();
    options.Game.BidTime = parser.value(bidTime).toInt();
    options.BotDelayMs = parser.value(botDelay).toInt();
    options.DatabasePath = parser.value(database);
    options.AutoStartMs = parser.value(autoStart).toInt();
    GameServer server(options);
    if (!server.Listen(QHostAddress(parser.value(listen)), parser.value(port).toUShort())) {
        std::fprintf(stderr, "vestrano-server: cannot listen on %s:%s\n",
                     qPrintable(parser.value(listen)), qPrintable(parser.value(port)));
        return 1;
    }
    return app.exec();
}
