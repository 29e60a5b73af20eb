#pragma once
// The score board in the middle of the table at the end of a hand: the board picture and
// over it a picture of the four result rows, written when the result arrives.

#include <QImage>
#include <QObject>

#include <array>
#include <string>

class QWidget;
class TTablePicture;

class THandResultBoard final : public QObject {
    Q_OBJECT

public:
    struct TRow {
        std::string Name; // GBK, blank for an empty entry
        std::string Line;
        bool Own = false; // the own seat's player: written in maroon
    };

    explicit THandResultBoard(QWidget *table);

    void Write(const std::array<TRow, 4> &rows, const std::string &scoreName,
               const std::string &beanName);
    void SetShown(bool shown);
    bool Shown() const;
    void Layout();
    void Raise();

    const QImage &TextImage() const { return m_text; }
    TTablePicture *Board = nullptr;
    TTablePicture *Text = nullptr;

private:
    QImage m_text;
};
