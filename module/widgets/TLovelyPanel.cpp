#include "widgets/TLovelyPanel.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTimerEvent>

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

namespace {

// A region that lies wholly outside any widget. QWidget::setMask treats an empty region
// as "no mask", so an empty shape is expressed by a mask that covers nothing of the panel.
const QRegion NothingVisible(-1, -1, 1, 1);

} // namespace

TLovelyPanel::TLovelyPanel(QWidget *parent)
    : QWidget(parent) {}

TLovelyPanel::~TLovelyPanel() {
    *m_alive = false;
}

void TLovelyPanel::SetPicture(const QImage &picture) {
    m_picture = picture;
    RebuildBackground();
}

void TLovelyPanel::SetCenterX(int value) {
    m_centerX = value;
    RebuildBackground();
}

void TLovelyPanel::SetCenterY(int value) {
    m_centerY = value;
    RebuildBackground();
}

void TLovelyPanel::SetTitleHeight(int value) {
    m_titleHeight = value;
    update();
}

void TLovelyPanel::SetTitleLeft(int value) {
    m_titleLeft = value;
    update();
}

void TLovelyPanel::SetTitleTop(int value) {
    m_titleTop = value;
    update();
}

void TLovelyPanel::SetTitleRight(int value) {
    m_titleRight = value;
    update();
}

void TLovelyPanel::SetTitleAlignment(TTitleAlignment value) {
    m_titleAlignment = value;
    update();
}

void TLovelyPanel::SetTitleColor(const QColor &value) {
    m_titleColor = value;
    update();
}

void TLovelyPanel::SetTitleShadowColor(const QColor &value) {
    m_titleShadowColor = value;
    update();
}

void TLovelyPanel::SetTransparentColor(const QColor &value) {
    m_transparentColor = value;
    RebuildBackground();
}

void TLovelyPanel::SetTransparentSpace(int value) {
    m_transparentSpace = value;
    RebuildBackground();
}

void TLovelyPanel::SetLifeCount(int value) {
    if (m_lifeCount == value)
        return;
    m_lifeCount = value;
    if (OnLifeChange)
        OnLifeChange(this);
}

void TLovelyPanel::SetLife(int remaining) {
    m_remaining = remaining;
    if (OnLifeChange)
        OnLifeChange(this);
}

int TLovelyPanel::Execute() {
    if (m_running)
        return 0;
    m_running = true;
    const auto alive = m_alive;
    SetLife(m_lifeCount);
    if (m_lifeTimer)
        killTimer(std::exchange(m_lifeTimer, 0));
    if (m_lifeCount > 0)
        m_lifeTimer = startTimer(1000);
    raise();
    show();
    setFocus();
    m_modalResult = 0;
    while (m_modalResult == 0) {
        if (QCoreApplication::closingDown() || (m_lifeCount > 0 && m_remaining <= 0))
            break;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (!*alive)
            return 0;
    }
    hide();
    m_running = false;
    return m_modalResult;
}

// The count-down: a second less while the panel is on screen; once it runs out the
// timer stops and the panel hides.
void TLovelyPanel::timerEvent(QTimerEvent *event) {
    if (event->timerId() != m_lifeTimer) {
        QWidget::timerEvent(event);
        return;
    }
    SetLife(isVisible() ? m_remaining - 1 : 0);
    if (m_remaining <= 0) {
        killTimer(m_lifeTimer);
        m_lifeTimer = 0;
        hide();
    }
}

void TLovelyPanel::SetCaption(const QString &caption) {
    setWindowTitle(caption);
    update();
}

void TLovelyPanel::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    if (!m_background.isNull())
        painter.drawImage(0, 0, m_background);
    DrawTitle(painter);
}

void TLovelyPanel::resizeEvent(QResizeEvent *event) {
    QWidget::resizeEvent(event);
    RebuildBackground();
}

void TLovelyPanel::changeEvent(QEvent *event) {
    QWidget::changeEvent(event);
    // Only a panel inside another window takes a shape, so a new parent may change it.
    if (event->type() == QEvent::ParentChange)
        RebuildShape();
}

void TLovelyPanel::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton && !m_lockedPoint &&
        event->position().y() <= m_titleHeight) {
        m_dragging = true;
        m_dragStartGlobal = event->globalPosition();
        m_dragStartPos = pos();
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

void TLovelyPanel::mouseMoveEvent(QMouseEvent *event) {
    if (m_dragging && (event->buttons() & Qt::LeftButton)) {
        move(m_dragStartPos + (event->globalPosition() - m_dragStartGlobal).toPoint());
        event->accept();
        return;
    }
    QWidget::mouseMoveEvent(event);
}

void TLovelyPanel::mouseReleaseEvent(QMouseEvent *event) {
    if (m_dragging && event->button() == Qt::LeftButton) {
        m_dragging = false;
        event->accept();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void TLovelyPanel::RebuildBackground() {
    if (width() <= 0 || height() <= 0) {
        m_background = QImage();
        RebuildShape();
        return;
    }
    m_background = QImage(size(), QImage::Format_ARGB32_Premultiplied);
    m_background.fill(Qt::white);
    if (!m_picture.isNull())
        StretchPicture();
    RebuildShape();
    update();
}

// The nine-part grid: rows first (above CenterY at the top, from CenterY on at the bottom,
// row CenterY stretched between), then the same with the columns of that result.
void TLovelyPanel::StretchPicture() {
    const int pictureWidth = m_picture.width();
    const int pictureHeight = m_picture.height();
    const int centerX = std::clamp(m_centerX, 0, pictureWidth - 1);
    const int centerY = std::clamp(m_centerY, 0, pictureHeight - 1);
    const int panelWidth = width();
    const int panelHeight = height();

    QImage rows(pictureWidth, panelHeight, QImage::Format_ARGB32_Premultiplied);
    rows.fill(Qt::transparent);
    {
        QPainter painter(&rows);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        const int bottom = pictureHeight - centerY;
        painter.drawImage(QPoint(0, 0), m_picture, QRect(0, 0, pictureWidth, centerY));
        painter.drawImage(QPoint(0, panelHeight - bottom), m_picture,
                          QRect(0, centerY, pictureWidth, bottom));
        const int middle = panelHeight - centerY - bottom;
        if (middle > 0)
            painter.drawImage(QRect(0, centerY, pictureWidth, middle), m_picture,
                              QRect(0, centerY, pictureWidth, 1));
    }

    QPainter painter(&m_background);
    const int right = pictureWidth - centerX;
    painter.drawImage(QPoint(0, 0), rows, QRect(0, 0, centerX, panelHeight));
    painter.drawImage(QPoint(panelWidth - right, 0), rows, QRect(centerX, 0, right, panelHeight));
    const int middle = panelWidth - centerX - right;
    if (middle > 0)
        painter.drawImage(QRect(centerX, 0, middle, panelHeight), rows,
                          QRect(centerX, 0, 1, panelHeight));
}

// The shape is the union of the horizontal runs of background pixels that differ from the
// key colour by more than TransparentSpace (the mean of the three channel differences).
void TLovelyPanel::RebuildShape() {
    m_shape = QRegion();
    m_shaped = !m_picture.isNull() && m_transparentColor.isValid() && parentWidget() &&
               !m_background.isNull();
    if (!m_shaped) {
        clearMask();
        return;
    }
    const int keyRed = m_transparentColor.red();
    const int keyGreen = m_transparentColor.green();
    const int keyBlue = m_transparentColor.blue();
    const auto isKey = [&](QRgb pixel) {
        const int difference = std::abs(qRed(pixel) - keyRed) + std::abs(qGreen(pixel) - keyGreen) +
                               std::abs(qBlue(pixel) - keyBlue);
        return difference / 3 <= m_transparentSpace;
    };
    // Rows with the same runs as the row above extend that band, which keeps the region
    // as small as the skin allows.
    std::vector<QRect> bands;
    std::vector<std::pair<int, int>> previousRuns;
    std::vector<std::pair<int, int>> runs;
    size_t bandStart = 0;
    const int panelWidth = m_background.width();
    for (int y = 0; y < m_background.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(m_background.constScanLine(y));
        runs.clear();
        int x = 0;
        while (x < panelWidth) {
            while (x < panelWidth && isKey(line[x]))
                ++x;
            const int start = x;
            while (x < panelWidth && !isKey(line[x]))
                ++x;
            if (x > start)
                runs.emplace_back(start, x - start);
        }
        if (!runs.empty() && runs == previousRuns) {
            for (size_t i = bandStart; i < bands.size(); ++i)
                bands[i].setHeight(bands[i].height() + 1);
        } else {
            bandStart = bands.size();
            for (const auto &[start, length] : runs)
                bands.emplace_back(start, y, length, 1);
        }
        std::swap(previousRuns, runs);
    }
    m_shape.setRects(bands.data(), static_cast<int>(bands.size()));
    setMask(m_shape.isEmpty() ? NothingVisible : m_shape);
}

void TLovelyPanel::DrawTitle(QPainter &painter) const {
    const QString caption = Caption();
    if (m_titleHeight <= 0 || caption.isEmpty())
        return;
    const QRect rect(m_titleLeft, m_titleTop, width() - m_titleRight - m_titleLeft, m_titleHeight);
    int flags = Qt::AlignVCenter | Qt::TextSingleLine;
    switch (m_titleAlignment) {
    case TTitleAlignment::Left:
        flags |= Qt::AlignLeft;
        break;
    case TTitleAlignment::Right:
        flags |= Qt::AlignRight;
        break;
    case TTitleAlignment::Center:
        flags |= Qt::AlignHCenter;
        break;
    }
    painter.setFont(font());
    if (m_titleShadowColor.isValid()) {
        painter.setPen(m_titleShadowColor);
        painter.drawText(rect.translated(1, 1), flags, caption);
    }
    painter.setPen(m_titleColor);
    painter.drawText(rect, flags, caption);
}
