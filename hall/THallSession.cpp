#include "hall/THallSession.h"

#include "common/Gbk.h"
#include "hall/TFaceGallery.h"
#include "hall/TGameWindowWatch.h"
#include "hall/THallRequest.h"
#include "hall/THallWindow.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <cstdio>

using namespace HallProto;

namespace {

// How long a closing connection may take to write the last packets.
constexpr int CloseTimeoutMs = 2000;
// How often a release waits for the module's nested loops to end.
constexpr int ReleaseRetryMs = 20;

QString ErrorCodeText(ErrorCode code) {
    switch (code) {
    case ErrorCode::Malformed:
        return QStringLiteral("the server could not read what the hall sent");
    case ErrorCode::NotLoggedIn:
        return QStringLiteral("the hall was not logged in");
    case ErrorCode::NoSuchTable:
        return QStringLiteral("there is no such table");
    case ErrorCode::SeatTaken:
        return QStringLiteral("the seat is taken");
    case ErrorCode::Banned:
        return QStringLiteral("the table is closed to this user for a while (kicked or expelled)");
    }
    return QStringLiteral("error %1").arg(static_cast<int>(code));
}

QString FromGbk(const std::string &text) {
    return QString::fromStdString(Gbk::ToUtf8(text));
}

} // namespace

THallSession::THallSession(THallOptions options, QObject *parent)
    : QObject(parent)
    , m_options(std::move(options))
    , m_nickGbk(Gbk::FromUtf8(m_options.NickName.toStdString()))
    , m_window(std::make_unique<THallWindow>())
    , m_gameWindow(std::make_unique<TGameWindowWatch>()) {
    connect(&m_connection, &THallConnection::Connected, this, &THallSession::Connected);
    connect(&m_connection, &THallConnection::FrameReceived, this, &THallSession::FrameReceived);
    connect(&m_connection, &THallConnection::Broken, this, &THallSession::Fail);
    connect(&m_connection, &THallConnection::Closed, this, &THallSession::ConnectionClosed);
    connect(m_window.get(), &THallWindow::CloseRequested, this,
            [this] { EndTable(QStringLiteral("the hall window was closed")); });
    connect(m_gameWindow.get(), &TGameWindowWatch::HandPainted, this, [this] {
        const QString line = QStringLiteral("table painted: dealt hand shown (%1 ms after start)")
                                 .arg(m_transcript.Elapsed());
        std::printf("%s\n", qPrintable(line));
        std::fflush(stdout);
        m_transcript.Write(line);
    });
    m_quitTimer.setSingleShot(true);
    connect(&m_quitTimer, &QTimer::timeout, this, [this] {
        if (m_state == TState::Ending || m_state == TState::Done)
            return;
        const QString why = QStringLiteral("%1 ms have passed").arg(m_options.QuitAfterMs);
        if (m_state == TState::AtTable)
            EndTable(why);
        else
            Fail(why + QStringLiteral(" and the hall is not at its table"));
    });
    m_closeTimer.setSingleShot(true);
    connect(&m_closeTimer, &QTimer::timeout, &m_connection, &THallConnection::Abort);
}

THallSession::~THallSession() {
    m_connection.disconnect(this);
    m_gameWindow.reset();
    m_module.ReleaseObject();
}

// Each table of each server has its own key, so a second hall of this machine at the
// same table is recognised by the module.
int64_t THallSession::TableKey() const {
    return (static_cast<int64_t>(m_options.Port) << 16) | m_options.Table;
}

QString THallSession::SeatText() const {
    return m_options.Watching() ? QStringLiteral("watching")
                                : QStringLiteral("seat %1").arg(m_options.Seat);
}

void THallSession::Start() {
    m_loopLevel = QThread::currentThread()->loopLevel();
    m_state = TState::Connecting;
    QString error;
    if (!m_options.TranscriptFile.isEmpty() && !m_transcript.Open(m_options.TranscriptFile, error))
        return Fail(error);
    const QString where = QStringLiteral("%1:%2").arg(m_options.Server).arg(m_options.Port);
    m_window->SetStatus(QStringLiteral("Connecting to %1 as %2…").arg(where, m_options.NickName));
    m_window->show();
    m_connection.Open(m_options.Server, m_options.Port);
    if (m_options.QuitAfterMs > 0)
        m_quitTimer.start(m_options.QuitAfterMs);

    const QString dataDir = QDir(m_options.DataDir).absolutePath();
    if (!TFaceGallery::Provide(dataDir + QStringLiteral("/Face"), error))
        Note(QStringLiteral("warning: ") + error);
    if (!m_words.Load(QString::fromLatin1(TWordFilter::BuiltInList)))
        Note(QStringLiteral("warning: the hall's word list is missing; chat is not filtered"));
    const std::string hallPath = QFile::encodeName(dataDir + QLatin1Char('/')).toStdString();
    if (hallPath.size() >= INimOpenInterfaceReq::HallPathSize)
        return Fail(QStringLiteral("the data folder's path %1 is longer than %2 bytes")
                        .arg(dataDir)
                        .arg(INimOpenInterfaceReq::HallPathSize - 1));

    if (!m_module.Load(TModuleHost::VestranoClassId, m_options.ModulePath, error) ||
        !m_module.CreateObject(error))
        return Fail(error);
    if (m_module.Registered())
        Note(QStringLiteral("registered the game module %1").arg(m_module.ModulePath()));
    THallRequest::THandlers handlers;
    handlers.SendData = [this](int64_t, std::string_view packet) {
        return SendPacket(packet);
    };
    handlers.ShowUserInfo = [this](int64_t userId) {
        const QString name = m_table ? m_table->NameOf(userId) : QString::number(userId);
        Note(QStringLiteral("user information of %1").arg(name));
        m_window->ShowUserInfo(name, userId,
                               QStringLiteral("At table %1 of %2:%3")
                                   .arg(m_options.Table)
                                   .arg(m_options.Server)
                                   .arg(m_options.Port));
    };
    handlers.InviteFriends = [this] {
        Note(QStringLiteral("invitation shown"));
        m_window->ShowInvitation(
            QStringLiteral("Ask your friends to join table %1 of %2:%3:\n\n"
                           "vestrano-hall --server %2 --port %3 --nick NAME --table %1")
                .arg(m_options.Table)
                .arg(m_options.Server)
                .arg(m_options.Port));
    };
    handlers.PluginFinished = [this] {
        PluginFinished();
    };
    m_request = std::make_unique<THallRequest>(TableKey(), hallPath, m_words, handlers);
    ++m_callDepth;
    const HRESULT attached = m_module.Object()->SetRequestInterface(m_request.get());
    --m_callDepth;
    if (FAILED(attached))
        return Fail(m_module.Failure("SetRequestInterface", attached));
}

void THallSession::Connected() {
    if (m_state != TState::Connecting)
        return;
    m_state = TState::LoggingIn;
    Note(QStringLiteral("connected to %1:%2").arg(m_options.Server).arg(m_options.Port));
    m_connection.Send(LoginFrame{m_nickGbk, m_options.Password.toStdString()});
}

void THallSession::FrameReceived(const HallFrame &frame) {
    if (const auto *login = std::get_if<LoginResultFrame>(&frame)) {
        LoginAnswered(*login);
    } else if (const auto *packet = std::get_if<TablePacketFrame>(&frame)) {
        if (m_state == TState::ChoosingTable)
            StartTable();
        if (m_state == TState::AtTable || m_state == TState::Ending)
            Deliver(packet->Packet);
    } else if (const auto *notice = std::get_if<HallNoticeFrame>(&frame)) {
        HallNotice(notice->Text);
    } else if (const auto *error = std::get_if<ErrorFrame>(&frame)) {
        QString text = QStringLiteral("the server refused: ") + ErrorCodeText(error->Code);
        if (!error->Text.empty())
            text += QStringLiteral(" (%1)").arg(FromGbk(error->Text));
        Fail(text);
    }
}

void THallSession::LoginAnswered(const LoginResultFrame &result) {
    if (m_state != TState::LoggingIn)
        return;
    switch (result.Status) {
    case LoginStatus::Accepted:
        break;
    case LoginStatus::BadPassword:
        return Fail(QStringLiteral("the server refused the login of %1: wrong password")
                        .arg(m_options.NickName));
    case LoginStatus::ServerFull:
        return Fail(QStringLiteral("the server refused the login of %1: it is full")
                        .arg(m_options.NickName));
    }
    m_userId = result.UserId;
    m_table = std::make_unique<TTableWatch>(m_userId);
    m_state = TState::ChoosingTable;
    Note(QStringLiteral("logged in as %1 (user %2)").arg(m_options.NickName).arg(m_userId));
    m_connection.Send(TableChoiceFrame{m_options.Table, m_options.Seat});
}

// The server answers a table choice with the table's packets; the first of them says the
// seat is ours.
void THallSession::StartTable() {
    m_state = TState::AtTable;
    Note(m_options.Watching() ? QStringLiteral("watching table %1").arg(m_options.Table)
                              : QStringLiteral("seated at table %1, seat %2")
                                    .arg(m_options.Table)
                                    .arg(m_options.Seat));
    m_window->SetStatus(QStringLiteral("%1 at table %2 of %3:%4, %5")
                            .arg(m_options.NickName)
                            .arg(m_options.Table)
                            .arg(m_options.Server)
                            .arg(m_options.Port)
                            .arg(SeatText()));
    const std::string title = "Vestrano table " + std::to_string(m_options.Table);
    ++m_callDepth;
    const HRESULT result = m_module.Object()->StartPlugin(
        TableKey(), title.c_str(), &m_userId, m_nickGbk.c_str(), m_options.Face, 0, 0, 0);
    --m_callDepth;
    if (FAILED(result))
        return Fail(m_module.Failure("StartPlugin", result));
    m_started = true;
    for (const std::string &packet : std::exchange(m_early, {}))
        Deliver(packet);
}

void THallSession::Deliver(const std::string &packet) {
    if (m_finishing || m_released || !m_module.Object())
        return;
    // Packets that come while the module is still starting (a nested loop) wait for it.
    if (!m_started) {
        m_early.push_back(packet);
        return;
    }
    const TTableWatch::TEvent event = m_table->Observe(packet);
    ++m_callDepth;
    Check("DeliverPacket",
          m_module.Object()->DeliverPacket(static_cast<int32_t>(packet.size()),
                                           reinterpret_cast<const uint8_t *>(packet.data())));
    --m_callDepth;
    switch (event) {
    case TTableWatch::TEvent::OwnUserListed:
        ++m_callDepth;
        Check("UpdateUserInfo", m_module.Object()->UpdateUserInfo(&m_userId, m_nickGbk.c_str(),
                                                                  m_options.Face, 0, 0));
        --m_callDepth;
        break;
    case TTableWatch::TEvent::Snapshot:
        m_gameWindow->ExpectDealtHand();
        break;
    case TTableWatch::TEvent::HandOver:
        HandOver();
        break;
    case TTableWatch::TEvent::None:
        break;
    }
}

void THallSession::HandOver() {
    const int hand = m_table->HandsOver();
    const QString settlement = m_table->HandSettlement();
    Note(settlement.isEmpty() ? QStringLiteral("hand %1 ended").arg(hand)
                              : QStringLiteral("hand %1 ended: %2").arg(hand).arg(settlement));
    if (!m_options.ScreenshotDir.isEmpty()) {
        const QString file = QStringLiteral("%1/hand-%2.png")
                                 .arg(m_options.ScreenshotDir)
                                 .arg(hand, 3, 10, QLatin1Char('0'));
        QString error;
        if (m_gameWindow->Screenshot(file, error))
            m_transcript.Write(QStringLiteral("screenshot %1").arg(file));
        else
            Note(QStringLiteral("warning: ") + error);
    }
    if (m_options.Hands > 0 && hand >= m_options.Hands)
        QTimer::singleShot(0, this, [this, hand] {
            EndTable(QStringLiteral("%1 hands have been played").arg(hand));
        });
}

void THallSession::HallNotice(const std::string &gbkText) {
    const QString text = FromGbk(gbkText);
    Note(QStringLiteral("notice: ") + text);
    if (!m_started || m_released)
        return;
    ++m_callDepth;
    Check("ShowHallMessage",
          m_module.Object()->ShowHallMessage(static_cast<int32_t>(Gbk::CharacterCount(gbkText)),
                                             gbkText.c_str()));
    --m_callDepth;
}

void THallSession::ConnectionClosed(const QString &reason) {
    m_connectionClosed = true;
    m_closeTimer.stop();
    if (m_released)
        return Done();
    if (m_state == TState::Connecting)
        return Fail(QStringLiteral("cannot connect to the server at %1:%2: %3")
                        .arg(m_options.Server)
                        .arg(m_options.Port)
                        .arg(reason));
    const QString text = QStringLiteral("the connection to the server was lost: ") + reason;
    if (m_started && !m_released && m_state == TState::AtTable) {
        const std::string line = Gbk::FromUtf8(text.toStdString());
        ++m_callDepth;
        m_module.Object()->ShowHallMessage(static_cast<int32_t>(Gbk::CharacterCount(line)),
                                           line.c_str());
        --m_callDepth;
    }
    Fail(text);
}

void THallSession::EndTable(const QString &why) {
    if (m_state == TState::Ending || m_state == TState::Done)
        return;
    const bool started = m_started;
    m_state = TState::Ending;
    Note(QStringLiteral("closing the table: ") + why);
    if (!started || !m_module.Object())
        return Release();
    ++m_callDepth;
    const HRESULT result = m_module.Object()->StopPlugin(0);
    --m_callDepth;
    if (FAILED(result))
        Fail(m_module.Failure("StopPlugin", result));
    // A module that does not report its end is released all the same.
    if (!m_finishing)
        PluginFinished();
}

void THallSession::PluginFinished() {
    if (m_finishing)
        return;
    m_finishing = true;
    if (m_state != TState::Ending && m_state != TState::Done) {
        m_state = TState::Ending;
        Note(QStringLiteral("the module ended the table"));
    }
    // Never from inside the module's own call: the object must outlive it.
    QTimer::singleShot(0, this, &THallSession::Release);
}

// Waits for every call into the module and every loop it runs to return, then releases
// the object (its window goes with it) and closes the connection after the module's
// last packets.
void THallSession::Release() {
    if (m_released)
        return;
    if (m_callDepth > 0 || QThread::currentThread()->loopLevel() > m_loopLevel) {
        QTimer::singleShot(ReleaseRetryMs, this, &THallSession::Release);
        return;
    }
    m_released = true;
    m_state = TState::Ending;
    m_module.ReleaseObject();
    Note(QStringLiteral("left the table"));
    if (m_connectionClosed)
        return Done();
    if (!m_connection.IsOpen())
        return m_connection.Abort();
    m_closeTimer.start(CloseTimeoutMs);
    m_connection.Close();
}

void THallSession::Done() {
    if (m_state == TState::Done)
        return;
    m_state = TState::Done;
    m_window->SetStatus(m_failure.isEmpty() ? QStringLiteral("The table has ended.") : m_failure);
    emit Finished(m_exitCode);
}

void THallSession::Fail(const QString &message) {
    if (m_failure.isEmpty()) {
        m_failure = message;
        m_exitCode = 1;
        std::fprintf(stderr, "vestrano-hall: %s\n", qPrintable(message));
        std::fflush(stderr);
        m_transcript.Write(QStringLiteral("error: ") + message);
        m_window->AddMessage(message, true);
    }
    if (m_state == TState::AtTable)
        return EndTable(message);
    if (m_state != TState::Ending && m_state != TState::Done) {
        m_state = TState::Ending;
        QTimer::singleShot(0, this, &THallSession::Release);
    }
}

void THallSession::Note(const QString &line) {
    m_transcript.Write(line);
    m_window->AddMessage(line);
    if (line.startsWith(QLatin1String("warning: "))) {
        std::fprintf(stderr, "vestrano-hall: %s\n", qPrintable(line));
        std::fflush(stderr);
    }
}

bool THallSession::Check(const char *method, HRESULT result) {
    if (SUCCEEDED(result))
        return true;
    const QString text = m_module.Failure(method, result);
    std::fprintf(stderr, "vestrano-hall: %s\n", qPrintable(text));
    std::fflush(stderr);
    m_transcript.Write(QStringLiteral("error: ") + text);
    m_window->AddMessage(text, true);
    return false;
}

bool THallSession::SendPacket(std::string_view packet) {
    return m_connection.Send(TablePacketFrame{FrameType::PacketFromModule, std::string(packet)});
}
