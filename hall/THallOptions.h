#pragma once
// The hall's command line:
//   vestrano-hall --server 127.0.0.1 --port 9527 --nick NAME [--password P] [--face N]
//                 [--table N] [--seat S|--watch] [--module PATH] [--data-dir DIR]
//                 [--hands N] [--screenshots DIR] [--transcript FILE] [--quit-after-ms MS]

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

struct THallOptions {
    QString Server = QStringLiteral("127.0.0.1");
    uint16_t Port = 9527;
    QString NickName;
    QString Password;
    uint16_t Face = 1;
    uint16_t Table = 0;
    // 0..3, or HallProto::WatcherSeat to watch.
    uint8_t Seat = 0;
    QString ModulePath;
    QString DataDir;
    // 0: play on until the table is closed.
    int Hands = 0;
    QString ScreenshotDir;
    QString TranscriptFile;
    // 0: no time limit.
    int QuitAfterMs = 0;

    bool Watching() const;

    // The options of `arguments` (the program name first), or nothing with `error` set
    // to a message for the user. --help and --version print and exit.
    static std::optional<THallOptions> Parse(const QStringList &arguments, QString &error);
    // The folder of the hall's own data when --data-dir is not given.
    static QString DefaultDataDir();
};
