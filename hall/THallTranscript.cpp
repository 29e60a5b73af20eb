#include "hall/THallTranscript.h"

THallTranscript::THallTranscript() {
    m_clock.start();
}

bool THallTranscript::Open(const QString &fileName, QString &error) {
    m_file.setFileName(fileName);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        error = QStringLiteral("cannot write the transcript %1: %2")
                    .arg(fileName, m_file.errorString());
        return false;
    }
    return true;
}

void THallTranscript::Write(const QString &line) {
    if (!m_file.isOpen())
        return;
    m_file.write(QStringLiteral("%1 %2\n").arg(m_clock.elapsed(), 6).arg(line).toUtf8());
    m_file.flush();
}
