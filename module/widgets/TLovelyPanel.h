#pragma once

#include <QColor>
#include <QImage>
#include <QRegion>
#include <QWidget>

#include <functional>
#include <memory>

class QPainter;

// A skinned, windowed panel: the base of every room panel. The skin picture is
// stretched as a nine-part grid into a background bitmap of the panel's size, the
// panel's shape follows the skin's non-key pixels, and a caption is drawn in the
// title rectangle.
class TLovelyPanel : public QWidget {
    Q_OBJECT

public:
    enum class TTitleAlignment { Left, Right, Center };

    explicit TLovelyPanel(QWidget *parent = nullptr);
    ~TLovelyPanel() override;

    const QImage &Picture() const { return m_picture; }
    void SetPicture(const QImage &picture);
    int CenterX() const { return m_centerX; }
    void SetCenterX(int value);
    int CenterY() const { return m_centerY; }
    void SetCenterY(int value);

    int TitleHeight() const { return m_titleHeight; }
    void SetTitleHeight(int value);
    int TitleLeft() const { return m_titleLeft; }
    void SetTitleLeft(int value);
    int TitleTop() const { return m_titleTop; }
    void SetTitleTop(int value);
    int TitleRight() const { return m_titleRight; }
    void SetTitleRight(int value);
    TTitleAlignment TitleAlignment() const { return m_titleAlignment; }
    void SetTitleAlignment(TTitleAlignment value);
    QColor TitleColor() const { return m_titleColor; }
    void SetTitleColor(const QColor &value);
    // An invalid QColor is the no-colour value: no shadow is drawn.
    QColor TitleShadowColor() const { return m_titleShadowColor; }
    void SetTitleShadowColor(const QColor &value);

    // An invalid QColor is the no-colour value: the panel keeps its rectangle.
    QColor TransparentColor() const { return m_transparentColor; }
    void SetTransparentColor(const QColor &value);
    int TransparentSpace() const { return m_transparentSpace; }
    void SetTransparentSpace(int value);

    int LifeCount() const { return m_lifeCount; }
    void SetLifeCount(int value);
    std::function<void(TLovelyPanel *Sender)> OnLifeChange;

    // The seconds left of a running count-down.
    int Remaining() const { return m_remaining; }
    // Stores the seconds left and fires OnLifeChange.
    virtual void SetLife(int remaining);
    // Shows the panel and waits in a nested event loop until ModalResult is set, the
    // count-down of LifeCount seconds runs out (result 0), the application quits or the
    // panel is destroyed. Only one wait runs at a time: a second call gives 0 at once.
    virtual int Execute();
    bool Running() const { return m_running; }
    int ModalResult() const { return m_modalResult; }
    // Ends a running wait with `result` (non-zero).
    void SetModalResult(int result) { m_modalResult = result; }

    bool LockedPoint() const { return m_lockedPoint; }
    void SetLockedPoint(bool value) { m_lockedPoint = value; }

    // The caption drawn in the title rectangle (the window title).
    QString Caption() const { return windowTitle(); }
    void SetCaption(const QString &caption);

    // The background bitmap as last rebuilt.
    const QImage &Background() const { return m_background; }
    // The window shape as last rebuilt: the background's pixels that are not the key
    // colour. Meaningful only while IsShaped() is true; otherwise the panel keeps its
    // rectangle.
    const QRegion &WindowShape() const { return m_shape; }
    bool IsShaped() const { return m_shaped; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

    // Rebuilds the background bitmap and the window shape.
    virtual void RebuildBackground();
    void timerEvent(QTimerEvent *event) override;

private:
    void StretchPicture();
    void RebuildShape();
    void DrawTitle(QPainter &painter) const;

    QImage m_picture;
    QImage m_background;
    int m_centerX = 0;
    int m_centerY = 0;
    int m_titleHeight = 0;
    int m_titleLeft = 0;
    int m_titleTop = 0;
    int m_titleRight = 0;
    TTitleAlignment m_titleAlignment = TTitleAlignment::Left;
    QColor m_titleColor = Qt::black;
    QColor m_titleShadowColor;
    QColor m_transparentColor = QColor(0xFF, 0x00, 0xFF);
    int m_transparentSpace = 0;
    int m_lifeCount = 0;
    int m_remaining = 0;
    int m_lifeTimer = 0;
    int m_modalResult = 0;
    bool m_running = false;
    // Shared with a running wait, which must not touch a destroyed panel.
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
    bool m_lockedPoint = true;
    QRegion m_shape;
    bool m_shaped = false;
    bool m_dragging = false;
    QPointF m_dragStartGlobal;
    QPoint m_dragStartPos;
};
