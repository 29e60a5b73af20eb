#include "UserStore.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <atomic>

namespace {

const char *const Columns = "id, nickname, score, beans, gold, wins, losses, draws, escapes";

UserRecord RecordOf(const QSqlQuery &query) {
    UserRecord record;
    record.UserId = query.value(0).toLongLong();
    record.NickName = query.value(1).toString();
    record.Score = query.value(2).toLongLong();
    record.Beans = query.value(3).toLongLong();
    record.Gold = query.value(4).toLongLong();
    record.Wins = query.value(5).toLongLong();
    record.Losses = query.value(6).toLongLong();
    record.Draws = query.value(7).toLongLong();
    record.Escapes = query.value(8).toLongLong();
    return record;
}

} // namespace

// Each store has its own named connection, so several stores (tests) can be open at once.
UserStore::UserStore(const QString &path) {
    static std::atomic<int> counter = 0;
    m_connection = QStringLiteral("users-%1").arg(counter++);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(path);
    m_open = db.open() && QSqlQuery(db).exec(QStringLiteral(
                              "CREATE TABLE IF NOT EXISTS users ("
                              "id INTEGER PRIMARY KEY AUTOINCREMENT, nickname TEXT UNIQUE NOT NULL,"
                              "score INTEGER NOT NULL DEFAULT 0, beans INTEGER NOT NULL DEFAULT 0,"
                              "gold INTEGER NOT NULL DEFAULT 0, wins INTEGER NOT NULL DEFAULT 0,"
                              "losses INTEGER NOT NULL DEFAULT 0, draws INTEGER NOT NULL DEFAULT 0,"
                              "escapes INTEGER NOT NULL DEFAULT 0)"));
}

UserStore::~UserStore() {
    QSqlDatabase::database(m_connection, false).close();
    QSqlDatabase::removeDatabase(m_connection);
}

std::optional<UserRecord> UserStore::Login(const QString &nickName) {
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT OR IGNORE INTO users (nickname) VALUES (?)"));
    insert.addBindValue(nickName);
    if (!insert.exec())
        return std::nullopt;
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT %1 FROM users WHERE nickname = ?").arg(Columns));
    query.addBindValue(nickName);
    if (!query.exec() || !query.next())
        return std::nullopt;
    return RecordOf(query);
}

std::optional<UserRecord> UserStore::Find(int64_t userId) const {
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QStringLiteral("SELECT %1 FROM users WHERE id = ?").arg(Columns));
    query.addBindValue(static_cast<qlonglong>(userId));
    if (!query.exec() || !query.next())
        return std::nullopt;
    return RecordOf(query);
}

bool UserStore::AddHandResult(int64_t userId, int64_t score, int64_t beans) {
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QStringLiteral("UPDATE users SET score = score + ?, beans = beans + ?,"
                                 " wins = wins + ?, losses = losses + ?, draws = draws + ?"
                                 " WHERE id = ?"));
    query.addBindValue(static_cast<qlonglong>(score));
    query.addBindValue(static_cast<qlonglong>(beans));
    query.addBindValue(score > 0 ? 1 : 0);
    query.addBindValue(score < 0 ? 1 : 0);
    query.addBindValue(score == 0 ? 1 : 0);
    query.addBindValue(static_cast<qlonglong>(userId));
    return query.exec() && query.numRowsAffected() == 1;
}

bool UserStore::AddEscape(int64_t userId) {
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.prepare(QStringLiteral("UPDATE users SET escapes = escapes + 1 WHERE id = ?"));
    query.addBindValue(static_cast<qlonglong>(userId));
    return query.exec() && query.numRowsAffected() == 1;
}
