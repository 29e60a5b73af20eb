#pragma once
// What the server counts for its operator and for the end-to-end tests: per user, the
// table-state requests (a client asks again only when it lost track of the table) and the
// refused game records, the plays, passes and bids its module made, how often it switched
// trusteeship on, the hands played and the sum of their results. Written as JSON, replaced
// atomically, whenever something changed.

#include <QString>

#include <cstdint>
#include <map>
#include <string>
#include <utility>

class ServerStats final {
public:
    explicit ServerStats(QString path)
        : m_path(std::move(path)) {}

    void StateRequested(int64_t userId);
    void Refused(int64_t userId);
    // An accepted game record: its message id and, for a trusteeship switch, its state.
    void Accepted(int64_t userId, uint8_t recordId, bool on);
    void HandPlayed(int64_t userId, int64_t scoreChange, int64_t beanChange);
    void HandFinished();
    void Named(int64_t userId, const std::string &nickName);
    // Writes the file when there is one and something changed since the last write.
    void Flush();

private:
    struct TUser {
        std::string NickName;
        int StateRequests = 0;
        int Refusals = 0;
        int Plays = 0;
        int Bids = 0;
        int TrusteeOn = 0;
        int Hands = 0;
        int64_t Score = 0;
        int64_t Beans = 0;
    };

    QString m_path;
    std::map<int64_t, TUser> m_users;
    int m_hands = 0;
    bool m_dirty = false;
};
