#include "widgets/TLovelyButton.h"

#include "widgets/QtText.h"
#include "widgets/TImageList.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int MouseCheckMs = 200;

} // namespace

TLovelyButton::TLovelyButton(QWidget *parent)
    : QWidget(parent) {
    setMouseTracking(true);
    m_mouseTimer.setInterval(MouseCheckMs);
    connect(&m_mouseTimer, &QTimer::timeout, this, &TLovelyButton::CheckMouseOver);
}

TLovelyButton::~TLovelyButton() = default;

void TLovelyButton::SetImages(TImageList *images) {
    disconnect(m_imagesConnection);
    m_images = images;
    if (images)
        m_imagesConnection =
            connect(images, &TImageList::Changed, this, &TLovelyButton::ImagesChanged);
    ImagesChanged();
}

void TLovelyButton::SetStartIndex(int index) {
    m_startIndex = index;
    update();
}

void TLovelyButton::SetHint(const std::string &hint) {
    m_hint = hint;
    UpdateToolTip();
}

void TLovelyButton::SetShowHint(bool on) {
    m_showHint = on;
    UpdateToolTip();
}

const QImage &TLovelyButton::StateImage() const {
    static const QImage none;
    return m_images ? m_images->Image(m_startIndex + m_state) : none;
}

void TLovelyButton::FitToImages() {
    if (m_images && m_images->Count() > 0)
        resize(m_images->ImageSize());
}

void TLovelyButton::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.drawImage(0, 0, StateImage());
}

void TLovelyButton::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton)
        SetState(bsPressed);
}

void TLovelyButton::mouseReleaseEvent(QMouseEvent *event) {
    if (event->button() != Qt::LeftButton || m_state != bsPressed)
        return;
    const bool inside = rect().contains(event->position().toPoint());
    SetState(inside ? bsMouseOver : bsNormal);
    if (inside) {
        m_mouseTimer.start();
        if (OnClick)
            OnClick(this);
    }
}

void TLovelyButton::mouseMoveEvent(QMouseEvent *event) {
    if (m_state == bsNormal) {
        SetState(bsMouseOver);
        m_mouseTimer.start();
    }
    QWidget::mouseMoveEvent(event);
}

void TLovelyButton::enterEvent(QEnterEvent *event) {
    if (m_state == bsNormal) {
        SetState(bsMouseOver);
        m_mouseTimer.start();
    }
    QWidget::enterEvent(event);
}

void TLovelyButton::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        m_mouseTimer.stop();
        SetState(isEnabled() ? bsNormal : bsDisabled);
    }
}

void TLovelyButton::SetState(TButtonState state) {
    if (m_state == state)
        return;
    m_state = state;
    update();
}

void TLovelyButton::ImagesChanged() {
    FitToImages();
    update();
}

void TLovelyButton::CheckMouseOver() {
    if (IsUnderCursor())
        return;
    m_mouseTimer.stop();
    if (m_state == bsMouseOver)
        SetState(bsNormal);
}

bool TLovelyButton::IsUnderCursor() const {
    const QPoint cursor = QCursor::pos();
    if (!isVisible())
        return false;
    if (const QWidget *parent = parentWidget())
        return parent->childAt(parent->mapFromGlobal(cursor)) == this;
    return rect().contains(mapFromGlobal(cursor));
}

void TLovelyButton::UpdateToolTip() {
    setToolTip(m_showHint ? QtText::FromGbk(m_hint) : QString());
}
