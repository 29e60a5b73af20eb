#include "hall/TWordFilter.h"

#include "common/Gbk.h"

#include <QFile>

bool TWordFilter::Load(const QString &fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QStringList words;
    for (const QByteArray &line : file.readAll().split('\n')) {
        const QString word = QString::fromUtf8(line).trimmed();
        if (!word.isEmpty() && !word.startsWith(QLatin1Char('#')))
            words.append(word);
    }
    SetWords(words);
    return true;
}

void TWordFilter::SetWords(const QStringList &words) {
    m_words.clear();
    for (const QString &word : words)
        if (QString folded = Folded(word); !folded.isEmpty())
            m_words.append(std::move(folded));
}

bool TWordFilter::Allows(std::string_view gbkText) const {
    const std::u16string utf16 = Gbk::ToUtf16(gbkText);
    const QString text = Folded(QString::fromUtf16(utf16.data(), qsizetype(utf16.size())));
    for (const QString &word : m_words)
        if (text.contains(word))
            return false;
    return true;
}

QString TWordFilter::Folded(const QString &text) {
    QString folded;
    folded.reserve(text.size());
    for (const QChar c : text.toCaseFolded())
        if (!c.isSpace() && !c.isPunct() && !c.isSymbol())
            folded.append(c);
    return folded;
}
