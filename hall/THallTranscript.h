#pragma once
// A short line per notable event of the hall (login, seat, each hand, errors), each
// prefixed with the milliseconds since the hall started, written and flushed at once so
// that a reader following the file sees every line as it happens. Without a file the
// transcript writes nothing.

#include <QElapsedTimer>
#include <QFile>
#include <QString>

class THallTranscript final {
public:
    THallTranscript();

    // False with `error` when the file cannot be created.
    bool Open(const QString &fileName, QString &error);
    void Write(const QString &line);
    qint64 Elapsed() const { return m_clock.elapsed(); }

private:
    QFile m_file;
    QElapsedTimer m_clock;
};
