#pragma once
// The users' records in an SQLite file through Qt SQL, so that scores survive restarts.
// A user is found by nickname; the first login creates the record with a fresh id.

#include <QString>

#include <cstdint>
#include <optional>

struct UserRecord {
    int64_t UserId = 0;
    QString NickName;
    int64_t Score = 0;
    int64_t Beans = 0;
    int64_t Gold = 0;
    int64_t Wins = 0;
    int64_t Losses = 0;
    int64_t Draws = 0;
    int64_t Escapes = 0;
};

class UserStore final {
public:
    // path ":memory:" keeps the records in memory (tests).
    explicit UserStore(const QString &path);
    ~UserStore();
    UserStore(const UserStore &) = delete;
    UserStore &operator=(const UserStore &) = delete;

    bool IsOpen() const { return m_open; }
    // The user's record, created on first sight; nullopt when the database fails.
    std::optional<UserRecord> Login(const QString &nickName);
    std::optional<UserRecord> Find(int64_t userId) const;
    // Adds one hand's changes: a positive score change is a win, negative a loss, 0 a draw.
    bool AddHandResult(int64_t userId, int64_t score, int64_t beans);
    bool AddEscape(int64_t userId);

private:
    QString m_connection;
    bool m_open = false;
};
