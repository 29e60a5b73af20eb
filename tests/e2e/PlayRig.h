#pragma once
// A real evening in miniature: a vestrano-server process and vestrano-hall processes with
// the real module, over loopback TCP, each hall in a runtime and data folder of its own (the
// module refuses a second instance at the same table within one runtime folder). The rig
// keeps every file in a temporary folder and reads back what the processes leave: the
// halls' transcripts, the server's counters and the users' records in SQLite.

#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

class PlayRig final {
public:
    struct TRecord {
        int64_t Score = 0;
        int64_t Beans = 0;
        int64_t Wins = 0;
        int64_t Losses = 0;
        int64_t Draws = 0;
        int64_t Escapes = 0;
    };
    // One line "hand N ended: ..." of a transcript.
    struct THand {
        int Number = 0;
        QString Settlement;
    };

    PlayRig();
    ~PlayRig();
    PlayRig(const PlayRig &) = delete;
    PlayRig &operator=(const PlayRig &) = delete;

    // Starts the server with these options on a free port, the counters and the
    // database in the rig's folder; true once it accepts connections.
    bool StartServer(const QStringList &options);
    // Stops it as an operator would (SIGTERM) and waits for it.
    void StopServer();
    // A hall for nickName at table 0 that sits at seat (0..3) or watches (-1) and plays
    // this many hands; returns its index.
    int StartHall(const QString &nickName, int seat, int hands, const QStringList &extra = {});
    // Waits until every hall has ended; true when all exited with 0 (the killed aside).
    bool WaitForHalls(int timeoutMs);
    // Kills one hall as if its machine dropped off the network.
    void KillHall(int index);
    bool HallRunning(int index) const;

    QString Transcript(int index) const;
    std::vector<THand> Hands(int index) const;
    QJsonObject Stats() const;
    // The user's counters of the stats file by nickname.
    QJsonObject UserStats(const QString &nickName) const;
    std::map<QString, TRecord> Records() const;
    QString Folder() const { return m_dir.path(); }
    // The hall's standard output and error, for failure messages.
    QString HallOutput(int index) const;

private:
    QTemporaryDir m_dir;
    quint16 m_port = 0;
    std::unique_ptr<QProcess> m_server;
    std::vector<std::unique_ptr<QProcess>> m_halls;
    std::vector<const QProcess *> m_killed;
};
