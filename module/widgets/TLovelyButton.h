#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <string>

#include "widgets/TImageList.h"

// A small picture button of the room panels. Its pictures come from an image list: the
// picture StartIndex + state, the states being normal, mouse over, pressed and disabled.
// The mouse-over state is checked every 200 ms and ends once the cursor has left.
class TLovelyButton : public QWidget {
    Q_OBJECT

public:
    enum TButtonState { bsNormal = 0, bsMouseOver = 1, bsPressed = 2, bsDisabled = 3 };

    explicit TLovelyButton(QWidget *parent = nullptr);
    ~TLovelyButton() override;

    // The button follows later changes of the list; a list that is destroyed is dropped.
    TImageList *Images() const { return m_images; }
    void SetImages(TImageList *images);
    int StartIndex() const { return m_startIndex; }
    void SetStartIndex(int index);

    TButtonState State() const { return m_state; }
    bool MouseTimerActive() const { return m_mouseTimer.isActive(); }

    // The tool tip, GBK text, shown only while ShowHint is on.
    const std::string &Hint() const { return m_hint; }
    void SetHint(const std::string &hint);
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool on);

    std::function<void(TLovelyButton *Sender)> OnClick;

protected:
    // The picture of the current state; null when the list has none.
    const QImage &StateImage() const;
    // Takes the size the list's pictures call for.
    virtual void FitToImages();

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void SetState(TButtonState state);
    void ImagesChanged();
    void CheckMouseOver();
    bool IsUnderCursor() const;
    void UpdateToolTip();

    QPointer<TImageList> m_images;
    QMetaObject::Connection m_imagesConnection;
    int m_startIndex = 0;
    TButtonState m_state = bsNormal;
    std::string m_hint;
    bool m_showHint = false;
    QTimer m_mouseTimer;
};
