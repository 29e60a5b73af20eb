#include "ServerStats.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include "game/GameRecords.h"

void ServerStats::StateRequested(int64_t userId) {
    ++m_users[userId].StateRequests;
    m_dirty = true;
}

void ServerStats::Refused(int64_t userId) {
    ++m_users[userId].Refusals;
    m_dirty = true;
}

void ServerStats::Accepted(int64_t userId, uint8_t recordId, bool on) {
    TUser &user = m_users[userId];
    switch (recordId) {
    case GameRecords::gmPlay:
    case GameRecords::gmPass:
        ++user.Plays;
        break;
    case GameRecords::gmBid:
        ++user.Bids;
        break;
    case GameRecords::gmTrustee:
        user.TrusteeOn += on;
        break;
    default:
        return;
    }
    m_dirty = true;
}

void ServerStats::HandPlayed(int64_t userId, int64_t scoreChange, int64_t beanChange) {
    TUser &user = m_users[userId];
    ++user.Hands;
    user.Score += scoreChange;
    user.Beans += beanChange;
    m_dirty = true;
}

void ServerStats::HandFinished() {
    ++m_hands;
    m_dirty = true;
}

void ServerStats::Named(int64_t userId, const std::string &nickName) {
    m_users[userId].NickName = nickName;
    m_dirty = true;
}

// {"hands": n, "users": [{"id", "nick", "stateRequests", "refusals", "plays", "bids",
// "trusteeOn", "hands", "score", "beans"}]}; nicknames are the GBK bytes read as Latin-1, as in the
// user store.
void ServerStats::Flush() {
    if (!m_dirty || m_path.isEmpty())
        return;
    QJsonArray users;
    for (const auto &[id, user] : m_users)
        users.append(QJsonObject{
            {QStringLiteral("id"), static_cast<qint64>(id)},
            {QStringLiteral("nick"), QString::fromLatin1(user.NickName)},
            {QStringLiteral("stateRequests"), user.StateRequests},
            {QStringLiteral("refusals"), user.Refusals},
            {QStringLiteral("plays"), user.Plays},
            {QStringLiteral("bids"), user.Bids},
            {QStringLiteral("trusteeOn"), user.TrusteeOn},
            {QStringLiteral("hands"), user.Hands},
            {QStringLiteral("score"), static_cast<qint64>(user.Score)},
            {QStringLiteral("beans"), static_cast<qint64>(user.Beans)},
        });
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return;
    file.write(QJsonDocument(QJsonObject{{QStringLiteral("hands"), m_hands},
                                         {QStringLiteral("users"), users}})
                   .toJson());
    m_dirty = !file.commit();
}
