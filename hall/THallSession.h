#pragma once
// One run of the hall: connect to the game server, log in, take the seat of the command
// line, load the game module and start it at that table, pass every table packet both
// ways, and end the table cleanly — when the player closes the game window, after the
// hands asked for, after the time asked for, or when the connection is lost. Finished
// carries the exit status: 0 when the table ended as asked, 1 after any failure.

#include "hall/THallConnection.h"
#include "hall/THallOptions.h"
#include "hall/THallTranscript.h"
#include "hall/TModuleHost.h"
#include "hall/TTableWatch.h"
#include "hall/TWordFilter.h"

#include <QObject>
#include <QTimer>

#include <memory>
#include <string>
#include <vector>

class TGameWindowWatch;
class THallRequest;
class THallWindow;

class THallSession final : public QObject {
    Q_OBJECT

public:
    enum class TState { Idle, Connecting, LoggingIn, ChoosingTable, AtTable, Ending, Done };

    explicit THallSession(THallOptions options, QObject *parent = nullptr);
    ~THallSession() override;

    // Prepares the data folder, the word filter and the module, and connects. A failure
    // before connecting ends the session at once (Finished is still emitted, queued).
    void Start();
    TState State() const { return m_state; }
    int64_t UserId() const { return m_userId; }
    int64_t TableKey() const;
    THallWindow &Window() const { return *m_window; }
    const TModuleHost &Module() const { return m_module; }
    const THallRequest *Request() const { return m_request.get(); }
    // The first failure, empty while all is well.
    const QString &Failure() const { return m_failure; }

signals:
    void Finished(int exitCode);

private:
    void Connected();
    void FrameReceived(const HallProto::HallFrame &frame);
    void LoginAnswered(const HallProto::LoginResultFrame &result);
    void StartTable();
    void Deliver(const std::string &packet);
    void HandOver();
    void HallNotice(const std::string &gbkText);
    void ConnectionClosed(const QString &reason);
    void PluginFinished();
    // Stops the module; PluginFinished follows and ends the session.
    void EndTable(const QString &why);
    void Release();
    void Done();
    void Fail(const QString &message);
    void Note(const QString &line);
    bool Check(const char *method, HRESULT result);
    bool SendPacket(std::string_view packet);
    QString SeatText() const;

    THallOptions m_options;
    std::string m_nickGbk;
    THallTranscript m_transcript;
    TWordFilter m_words;
    TModuleHost m_module;
    THallConnection m_connection;
    std::unique_ptr<THallWindow> m_window;
    std::unique_ptr<TGameWindowWatch> m_gameWindow;
    std::unique_ptr<THallRequest> m_request;
    std::unique_ptr<TTableWatch> m_table;
    std::vector<std::string> m_early;
    QTimer m_quitTimer;
    QTimer m_closeTimer;
    TState m_state = TState::Idle;
    int64_t m_userId = 0;
    // The event loop level the session runs at; deeper loops are the module's.
    int m_loopLevel = 0;
    int m_callDepth = 0;
    int m_exitCode = 0;
    bool m_started = false;
    bool m_finishing = false;
    bool m_released = false;
    bool m_connectionClosed = false;
    QString m_failure;
};
