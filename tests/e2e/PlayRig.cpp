#include "PlayRig.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTcpServer>
#include <QTcpSocket>

#include <algorithm>

namespace {

constexpr int StartTimeoutMs = 30000;

quint16 FreePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

} // namespace

PlayRig::PlayRig() = default;

PlayRig::~PlayRig() {
    for (auto &hall : m_halls)
        if (hall->state() != QProcess::NotRunning) {
            hall->kill();
            hall->waitForFinished();
        }
    StopServer();
}

bool PlayRig::StartServer(const QStringList &options) {
    if (m_port == 0)
        m_port = FreePort();
    m_server = std::make_unique<QProcess>();
    m_server->setProcessChannelMode(QProcess::ForwardedChannels);
    m_server->start(QStringLiteral(VESTRANO_SERVER_EXE),
                    QStringList{QStringLiteral("--port"), QString::number(m_port),
                                QStringLiteral("--database"), m_dir.filePath("users.sqlite"),
                                QStringLiteral("--stats-file"), m_dir.filePath("stats.json")} +
                        options);
    if (!m_server->waitForStarted())
        return false;
    QDeadlineTimer deadline(StartTimeoutMs);
    while (!deadline.hasExpired()) {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, m_port);
        if (socket.waitForConnected(200))
            return true;
        if (m_server->waitForFinished(50))
            return false;
    }
    return false;
}

void PlayRig::StopServer() {
    if (!m_server || m_server->state() == QProcess::NotRunning)
        return;
    m_server->terminate();
    if (!m_server->waitForFinished(10000)) {
        m_server->kill();
        m_server->waitForFinished();
    }
}

int PlayRig::StartHall(const QString &nickName, int seat, int hands, const QStringList &extra) {
    const int index = static_cast<int>(m_halls.size());
    const QString home = m_dir.filePath(QStringLiteral("hall-%1").arg(index));
    for (const char *sub : {"runtime", "data", "shots"})
        QDir().mkpath(home + QLatin1Char('/') + QLatin1String(sub));
    QFile::setPermissions(home + QStringLiteral("/runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home + QStringLiteral("/runtime"));
    env.insert(QStringLiteral("VESTRANO_WINDOW_DIR"), home + QStringLiteral("/runtime"));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/data"));
    env.insert(QStringLiteral("VESTRANO_REGISTRY"), home + QStringLiteral("/registry.ini"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    QStringList arguments{
        QStringLiteral("--server"),      QStringLiteral("127.0.0.1"),
        QStringLiteral("--port"),        QString::number(m_port),
        QStringLiteral("--nick"),        nickName,
        QStringLiteral("--table"),       QStringLiteral("0"),
        QStringLiteral("--module"),      QStringLiteral(VESTRANO_MODULE_FILE),
        QStringLiteral("--data-dir"),    home + QStringLiteral("/data"),
        QStringLiteral("--hands"),       QString::number(hands),
        QStringLiteral("--screenshots"), home + QStringLiteral("/shots"),
        QStringLiteral("--transcript"),  home + QStringLiteral("/transcript.txt")};
    if (seat < 0)
        arguments << QStringLiteral("--watch");
    else
        arguments << QStringLiteral("--seat") << QString::number(seat);
    auto hall = std::make_unique<QProcess>();
    hall->setProcessEnvironment(env);
    hall->setProcessChannelMode(QProcess::MergedChannels);
    hall->start(QStringLiteral(VESTRANO_HALL_EXE), arguments + extra);
    hall->waitForStarted();
    m_halls.push_back(std::move(hall));
    return index;
}

bool PlayRig::WaitForHalls(int timeoutMs) {
    QDeadlineTimer deadline(timeoutMs);
    bool ok = true;
    for (auto &hall : m_halls) {
        if (hall->state() != QProcess::NotRunning &&
            !hall->waitForFinished(static_cast<int>(std::max<qint64>(1, deadline.remainingTime()))))
            return false;
        const bool killed =
            std::find(m_killed.begin(), m_killed.end(), hall.get()) != m_killed.end();
        ok =
            ok && (killed || (hall->exitStatus() == QProcess::NormalExit && hall->exitCode() == 0));
    }
    return ok;
}

void PlayRig::KillHall(int index) {
    m_halls[index]->kill();
    m_halls[index]->waitForFinished();
    m_killed.push_back(m_halls[index].get());
}

bool PlayRig::HallRunning(int index) const {
    return m_halls[index]->state() != QProcess::NotRunning;
}

QString PlayRig::HallOutput(int index) const {
    return QString::fromLocal8Bit(m_halls[index]->readAll());
}

QString PlayRig::Transcript(int index) const {
    QFile file(m_dir.filePath(QStringLiteral("hall-%1/transcript.txt").arg(index)));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

std::vector<PlayRig::THand> PlayRig::Hands(int index) const {
    static const QRegularExpression line(QStringLiteral("hand (\\d+) ended(?:: (.*))?$"),
                                         QRegularExpression::MultilineOption);
    std::vector<THand> hands;
    auto matches = line.globalMatch(Transcript(index));
    while (matches.hasNext()) {
        const auto match = matches.next();
        hands.push_back({match.captured(1).toInt(), match.captured(2).trimmed()});
    }
    return hands;
}

QJsonObject PlayRig::Stats() const {
    QFile file(m_dir.filePath("stats.json"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QJsonDocument::fromJson(file.readAll()).object();
}

QJsonObject PlayRig::UserStats(const QString &nickName) const {
    for (const auto &user : Stats()[QStringLiteral("users")].toArray())
        if (user[QStringLiteral("nick")].toString() == nickName)
            return user.toObject();
    return {};
}

std::map<QString, PlayRig::TRecord> PlayRig::Records() const {
    std::map<QString, TRecord> records;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("rig-records"));
        db.setDatabaseName(m_dir.filePath("users.sqlite"));
        if (db.open()) {
            QSqlQuery query(db);
            query.exec(QStringLiteral(
                "SELECT nickname, score, beans, wins, losses, draws, escapes FROM users"));
            while (query.next())
                records[query.value(0).toString()] = {
                    query.value(1).toLongLong(), query.value(2).toLongLong(),
                    query.value(3).toLongLong(), query.value(4).toLongLong(),
                    query.value(5).toLongLong(), query.value(6).toLongLong()};
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("rig-records"));
    return records;
}
