#pragma once
// The hall's word filter for chat lines and broadcasts. The list is UTF-8, one word or
// phrase a line, "#" starting a comment line; the hall ships its own (words.txt, built
// in as the resource :/hall/words.txt). A text is refused when, with letter case,
// blanks, punctuation and symbols ignored on both sides, it contains a listed word, so
// "s-h i.t" is caught like "shit". Texts to check are GBK, as the module sends them.

#include <QString>
#include <QStringList>

#include <string_view>

class TWordFilter final {
public:
    static constexpr const char *BuiltInList = ":/hall/words.txt";

    // False when the file cannot be read; the filter then keeps the words it had.
    bool Load(const QString &fileName);
    void SetWords(const QStringList &words);
    qsizetype Count() const { return m_words.size(); }
    bool Allows(std::string_view gbkText) const;

private:
    static QString Folded(const QString &text);

    QStringList m_words;
};
