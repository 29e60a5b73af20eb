// vestrano-server: tables of four seats, the room and game protocol, bots and records.

#include "net/GameServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QHostAddress>
#include <QSettings>
#include <QStringEncoder>

#include <algorithm>
#include <cstdio>

namespace {

// "12, 40" or "12,40," as the protocol's list: each id followed by a comma. QSettings reads
// an unquoted comma list as a string list.
std::string IdList(const QSettings &file, const QString &key) {
    std::string list;
    for (QString id : file.value(key).toStringList()) {
        id = id.trimmed();
        if (!id.isEmpty())
            list += id.toStdString() + ",";
    }
    return list;
}

} // namespace

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
    if (parser.isSet(config)) {
        // The file is UTF-8; the modules show GBK.
        QSettings file(parser.value(config), QSettings::IniFormat);
        QStringEncoder gbk("GBK");
        options.OwnerIds = IdList(file, QStringLiteral("Administrators/Owners"));
        options.AdministratorIds =
            IdList(file, QStringLiteral("Administrators/Ids")) + options.OwnerIds;
        options.List147 = IdList(file, QStringLiteral("Administrators/List147"));
        options.AnnouncementIntervalMs =
            file.value(QStringLiteral("Announcements/Interval"), 600).toInt() * 1000;
        for (int i = 1;; ++i) {
            const QVariant text = file.value(QStringLiteral("Announcements/Text%1").arg(i));
            if (!text.isValid())
                break;
            const QByteArray bytes = gbk.encode(text.toString());
            options.Announcements.push_back(bytes.toStdString());
        }
    }
    GameServer server(options);
    if (!server.Listen(QHostAddress(parser.value(listen)), parser.value(port).toUShort())) {
        std::fprintf(stderr, "vestrano-server: cannot listen on %s:%s\n",
                     qPrintable(parser.value(listen)), qPrintable(parser.value(port)));
        return 1;
    }
    return app.exec();
}
