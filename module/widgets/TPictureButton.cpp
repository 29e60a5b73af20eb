#include "widgets/TPictureButton.h"

#include "widgets/QtText.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int MouseCheckMs = 200;
constexpr int DefaultWidth = 75;
constexpr int DefaultHeight = 25;
constexpr int CommFontHeight = -12;

} // namespace

TPictureButton::TPictureButton(QWidget *parent)
    : QWidget(parent)
    , m_commFont(QtText::FontOfHeight(QStringLiteral("宋体"), CommFontHeight)) {
    resize(DefaultWidth, DefaultHeight);
    setMouseTracking(true);
    m_mouseTimer.setInterval(MouseCheckMs);
    connect(&m_mouseTimer, &QTimer::timeout, this, &TPictureButton::CheckMouseOver);
}

TPictureButton::~TPictureButton() = default;

void TPictureButton::SetCommPicture(const QImage &picture) {
    m_commPicture = picture;
    if (!picture.isNull())
        resize(picture.size());
    update();
}

void TPictureButton::SetMovePicture(const QImage &picture) {
    m_movePicture = picture;
    update();
}

void TPictureButton::SetDownPicture(const QImage &picture) {
    m_downPicture = picture;
    update();
}

void TPictureButton::SetGrayPicture(const QImage &picture) {
    m_grayPicture = picture;
    update();
}

void TPictureButton::SetOffsetX(int value) {
    m_offsetX = value;
    update();
}

void TPictureButton::SetOffsetY(int value) {
    m_offsetY = value;
    update();
}

void TPictureButton::SetCommCaption(const std::string &caption) {
    m_commCaption = caption;
    update();
}

void TPictureButton::SetCommX(int value) {
    m_commX = value;
    update();
}

void TPictureButton::SetCommY(int value) {
    m_commY = value;
    update();
}

void TPictureButton::SetBUseFont(bool value) {
    m_useFont = value;
    update();
}

void TPictureButton::SetCommFont(const QFont &font) {
    m_commFont = font;
    update();
}

void TPictureButton::SetCommFontColor(const QColor &color) {
    m_commFontColor = color;
    update();
}

void TPictureButton::SetCommSize(int points) {
    m_commSize = points;
    update();
}

void TPictureButton::SetHint(const std::string &hint) {
    m_hint = hint;
    UpdateToolTip();
}

void TPictureButton::SetShowHint(bool on) {
    m_showHint = on;
    UpdateToolTip();
}

const QImage &TPictureButton::StatePicture() const {
    const auto orNormal = [this](const QImage &picture) -> const QImage & {
        return picture.isNull() ? m_commPicture : picture;
    };
    if (!isEnabled())
        return orNormal(m_grayPicture);
    if (m_pressed)
        return orNormal(m_downPicture);
    if (m_mouseOver)
        return orNormal(m_movePicture);
    return m_commPicture;
}

void TPictureButton::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    const QPoint origin = m_pressed ? QPoint(m_offsetX, m_offsetY) : QPoint(0, 0);
    painter.drawImage(origin, StatePicture());
    if (m_commCaption.empty())
        return;
    if (m_useFont) {
        painter.setFont(m_commFont);
        painter.setPen(m_commFontColor);
    } else {
        painter.setFont(QtText::FontOfPointSize(font().family(), m_commSize));
        painter.setPen(palette().color(QPalette::WindowText));
    }
    painter.drawText(QRect(m_commX, m_commY, width(), height()),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip,
                     QtText::FromGbk(m_commCaption));
}

void TPictureButton::mousePressEvent(QMouseEvent *event) {
    if (OnMouseDown)
        OnMouseDown(this, event);
    if (event->button() == Qt::LeftButton) {
        m_pressed = true;
        update();
    }
}

void TPictureButton::mouseReleaseEvent(QMouseEvent *event) {
    const bool wasPressed = m_pressed;
    m_pressed = false;
    update();
    if (wasPressed && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint()) && OnClick)
        OnClick(this);
}

void TPictureButton::mouseMoveEvent(QMouseEvent *event) {
    MouseEntered();
    QWidget::mouseMoveEvent(event);
}

void TPictureButton::enterEvent(QEnterEvent *event) {
    MouseEntered();
    QWidget::enterEvent(event);
}

void TPictureButton::leaveEvent(QEvent *event) {
    CheckMouseOver();
    QWidget::leaveEvent(event);
}

void TPictureButton::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        if (!isEnabled())
            CheckMouseOver();
        update();
    }
}

void TPictureButton::MouseEntered() {
    if (m_mouseOver || !isEnabled())
        return;
    m_mouseOver = true;
    m_mouseTimer.start();
    update();
}

void TPictureButton::CheckMouseOver() {
    if (isEnabled() && IsUnderCursor())
        return;
    m_mouseOver = false;
    m_mouseTimer.stop();
    update();
}

bool TPictureButton::IsUnderCursor() const {
    const QPoint cursor = QCursor::pos();
    if (!isVisible())
        return false;
    if (const QWidget *parent = parentWidget())
        return parent->childAt(parent->mapFromGlobal(cursor)) == this;
    return rect().contains(mapFromGlobal(cursor));
}

void TPictureButton::UpdateToolTip() {
    setToolTip(m_showHint ? QtText::FromGbk(m_hint) : QString());
}
