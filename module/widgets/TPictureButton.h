#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <string>

// A picture button of the game table and the window's title strip: one picture per state
// (normal, mouse over, pressed, disabled), an optional caption, and a pressed picture that
// may shift by (OffsetX, OffsetY). The mouse-over picture is checked every 200 ms, since
// a button may lose the mouse to a control that appears over it without a leave event.
class TPictureButton : public QWidget {
    Q_OBJECT

public:
    explicit TPictureButton(QWidget *parent = nullptr);
    ~TPictureButton() override;

    // Setting a normal picture that holds a graphic gives the button its size.
    const QImage &CommPicture() const { return m_commPicture; }
    void SetCommPicture(const QImage &picture);
    const QImage &MovePicture() const { return m_movePicture; }
    void SetMovePicture(const QImage &picture);
    const QImage &DownPicture() const { return m_downPicture; }
    void SetDownPicture(const QImage &picture);
    const QImage &GrayPicture() const { return m_grayPicture; }
    void SetGrayPicture(const QImage &picture);

    int OffsetX() const { return m_offsetX; }
    void SetOffsetX(int value);
    int OffsetY() const { return m_offsetY; }
    void SetOffsetY(int value);

    // The caption, GBK text, drawn with its top-left corner at (CommX, CommY).
    const std::string &CommCaption() const { return m_commCaption; }
    void SetCommCaption(const std::string &caption);
    int CommX() const { return m_commX; }
    void SetCommX(int value);
    int CommY() const { return m_commY; }
    void SetCommY(int value);
    // With BUseFont the caption is drawn in CommFont and CommFontColor, otherwise in the
    // button's own font at CommSize points.
    bool BUseFont() const { return m_useFont; }
    void SetBUseFont(bool value);
    const QFont &CommFont() const { return m_commFont; }
    void SetCommFont(const QFont &font);
    QColor CommFontColor() const { return m_commFontColor; }
    void SetCommFontColor(const QColor &color);
    int CommSize() const { return m_commSize; }
    void SetCommSize(int points);

    int Tag() const { return m_tag; }
    void SetTag(int tag) { m_tag = tag; }
    // The tool tip, GBK text, shown only while ShowHint is on.
    const std::string &Hint() const { return m_hint; }
    void SetHint(const std::string &hint);
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool on);

    bool IsPressed() const { return m_pressed; }
    bool IsMouseOver() const { return m_mouseOver; }
    bool MouseTimerActive() const { return m_mouseTimer.isActive(); }
    // The picture the current state shows.
    const QImage &StatePicture() const;

    std::function<void(TPictureButton *Sender)> OnClick;
    std::function<void(TPictureButton *Sender, QMouseEvent *event)> OnMouseDown;

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void MouseEntered();
    void CheckMouseOver();
    bool IsUnderCursor() const;
    void UpdateToolTip();

    QImage m_commPicture;
    QImage m_movePicture;
    QImage m_downPicture;
    QImage m_grayPicture;
    int m_offsetX = 1;
    int m_offsetY = 1;
    std::string m_commCaption;
    int m_commX = 0;
    int m_commY = 0;
    bool m_useFont = false;
    QFont m_commFont;
    QColor m_commFontColor = Qt::black;
    int m_commSize = 10;
    int m_tag = 0;
    std::string m_hint;
    bool m_showHint = false;
    bool m_pressed = false;
    bool m_mouseOver = false;
    QTimer m_mouseTimer;
};
