#pragma once
// A picture lying on the game table: a mark, the clock, a bubble, the score board, an
// avatar. It is as large as its picture; magenta pixels of a keyed picture let the table
// show through. Without a mouse handler every mouse event goes on to the table beneath.

#include <QImage>
#include <QWidget>

#include <functional>

class QMouseEvent;

class TTablePicture final : public QWidget {
    Q_OBJECT

public:
    explicit TTablePicture(QWidget *parent = nullptr);

    const QImage &Picture() const { return m_picture; }
    // The picture as it is (already transparent where it should be), or with every
    // magenta pixel made transparent.
    void SetPicture(const QImage &picture);
    void SetKeyedPicture(const QImage &picture);

    std::function<void(TTablePicture *Sender, QMouseEvent *Event)> OnMouseDown;

    static QImage KeyedOut(const QImage &picture);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QImage m_picture;
};
