#include "hall/THallOptions.h"

#include "common/Gbk.h"
#include "protocol/HallFrame.h"

#include <QCommandLineParser>
#include <QStandardPaths>

#include <limits>

namespace {

// A whole number in [low, high], or nothing.
std::optional<int64_t> Number(const QString &text, int64_t low, int64_t high) {
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok || value < low || value > high)
        return std::nullopt;
    return value;
}

} // namespace

bool THallOptions::Watching() const {
    return Seat == HallProto::WatcherSeat;
}

QString THallOptions::DefaultDataDir() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/vestrano/hall");
}

std::optional<THallOptions> THallOptions::Parse(const QStringList &arguments, QString &error) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Vestrano game hall: logs in to a game "
                                                    "server and plays at one table."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const auto option = [](const char *name, const char *help, const char *value = nullptr) {
        return value ? QCommandLineOption(QString::fromLatin1(name), QString::fromLatin1(help),
                                          QString::fromLatin1(value))
                     : QCommandLineOption(QString::fromLatin1(name), QString::fromLatin1(help));
    };
    const auto server = option("server", "Address of the game server.", "address");
    const auto port = option("port", "TCP port of the game server.", "port");
    const auto nick = option("nick", "Nickname to log in with (at most 20 bytes).", "name");
    const auto password = option("password", "Password (at most 32 bytes).", "password");
    const auto face = option("face", "Face picture number.", "number");
    const auto table = option("table", "Table number.", "number");
    const auto seat = option("seat", "Seat 0..3 to play at.", "seat");
    const auto watch = option("watch", "Watch the table instead of playing.");
    const auto module =
        option("module", "The game module to load (registered on first use).", "path");
    const auto dataDir = option("data-dir", "The hall's data folder (faces).", "dir");
    const auto hands = option("hands", "Close the table after this many hands.", "count");
    const auto shots = option("screenshots",
                              "Write the table after each hand as "
                              "DIR/hand-NNN.png.",
                              "dir");
    const auto transcript = option("transcript", "Write a line per notable event.", "file");
    const auto quitAfter = option("quit-after-ms", "Close the table after this long.", "ms");
    parser.addOptions({server, port, nick, password, face, table, seat, watch, module, dataDir,
                       hands, shots, transcript, quitAfter});
    if (!parser.parse(arguments)) {
        error = parser.errorText();
        return std::nullopt;
    }
    if (parser.isSet(help))
        parser.showHelp(0);
    if (parser.isSet(version))
        parser.showVersion();
    if (!parser.positionalArguments().isEmpty()) {
        error = QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments()[0]);
        return std::nullopt;
    }

    THallOptions options;
    const auto number = [&](const QCommandLineOption &which, int64_t low, int64_t high,
                            auto &target) {
        if (!parser.isSet(which))
            return true;
        const auto value = Number(parser.value(which), low, high);
        if (!value) {
            error = QStringLiteral("--%1 needs a number from %2 to %3, not \"%4\"")
                        .arg(which.names()[0])
                        .arg(low)
                        .arg(high)
                        .arg(parser.value(which));
            return false;
        }
        target = static_cast<std::remove_reference_t<decltype(target)>>(*value);
        return true;
    };
    constexpr int64_t IntMax = std::numeric_limits<int>::max();
    if (!number(port, 1, 65535, options.Port) || !number(face, 0, 65535, options.Face) ||
        !number(table, 0, 65535, options.Table) ||
        !number(seat, 0, HallProto::SeatCount - 1, options.Seat) ||
        !number(hands, 1, IntMax, options.Hands) ||
        !number(quitAfter, 1, IntMax, options.QuitAfterMs))
        return std::nullopt;
    if (parser.isSet(watch)) {
        if (parser.isSet(seat)) {
            error = QStringLiteral("--seat and --watch exclude each other");
            return std::nullopt;
        }
        options.Seat = HallProto::WatcherSeat;
    }
    options.NickName = parser.value(nick);
    if (options.NickName.isEmpty()) {
        error = QStringLiteral("--nick is required");
        return std::nullopt;
    }
    if (Gbk::FromUtf8(options.NickName.toStdString()).size() > HallProto::NickNameSize) {
        error = QStringLiteral("--nick is longer than %1 bytes").arg(HallProto::NickNameSize);
        return std::nullopt;
    }
    if (parser.isSet(server))
        options.Server = parser.value(server);
    options.Password = parser.value(password);
    if (options.Password.toUtf8().size() > qsizetype(HallProto::PasswordSize)) {
        error = QStringLiteral("--password is longer than %1 bytes").arg(HallProto::PasswordSize);
        return std::nullopt;
    }
    options.ModulePath = parser.value(module);
    options.DataDir = parser.isSet(dataDir) ? parser.value(dataDir) : DefaultDataDir();
    options.ScreenshotDir = parser.value(shots);
    options.TranscriptFile = parser.value(transcript);
    return options;
}
