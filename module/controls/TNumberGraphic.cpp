#include "controls/TNumberGraphic.h"

#include "platform/ResourceImages.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

constexpr int StripCells = 11;
constexpr QRgb Magenta = 0xFFFF00FF;
constexpr int Opaque = 255;
constexpr char StripResource[] = "BitmapMask";

int RoundedDivision(long long numerator, long long denominator) {
    return int((numerator + denominator / 2) / denominator);
}

// Lays `source` over `destination` pixel by pixel with the over rule on straight
// (not premultiplied) alpha; an image without an alpha channel counts as opaque.
void CompositeOver(QImage &destination, QPoint to, const QImage &source, const QRect &from) {
    const QRect target = QRect(to, from.size()).intersected(destination.rect());
    const bool sourceAlpha = source.hasAlphaChannel();
    for (int y = target.top(); y <= target.bottom(); ++y) {
        const int sourceY = from.top() + (y - to.y());
        if (sourceY < 0 || sourceY >= source.height())
            continue;
        const auto *in = reinterpret_cast<const QRgb *>(source.constScanLine(sourceY));
        auto *out = reinterpret_cast<QRgb *>(destination.scanLine(y));
        for (int x = target.left(); x <= target.right(); ++x) {
            const int sourceX = from.left() + (x - to.x());
            if (sourceX < 0 || sourceX >= source.width())
                continue;
            const QRgb s = in[sourceX];
            const QRgb d = out[x];
            const long long as = sourceAlpha ? qAlpha(s) : Opaque;
            const long long ad = qAlpha(d);
            const long long a = Opaque * Opaque - (Opaque - as) * (Opaque - ad);
            if (a == 0) {
                out[x] = qRgba(255, 255, 255, 0);
                continue;
            }
            const auto channel = [&](int cs, int cd) {
                return RoundedDivision(cs * as * Opaque + cd * ad * (Opaque - as), a);
            };
            out[x] = qRgba(channel(qRed(s), qRed(d)), channel(qGreen(s), qGreen(d)),
                           channel(qBlue(s), qBlue(d)), RoundedDivision(a, Opaque));
        }
    }
}

} // namespace

TNumberGraphic::TNumberGraphic(QWidget *parent)
    : QWidget(parent) {
    SetBitmapMask(QImage());
}

TNumberGraphic::~TNumberGraphic() = default;

void TNumberGraphic::SetBitmapMask(const QImage &strip) {
    m_bitmapMask = strip.isNull() ? Platform::ResourceImage(StripResource) : strip;
    if (!m_bitmapMask.isNull())
        m_bitmapMask = m_bitmapMask.convertToFormat(QImage::Format_RGB32);
    m_pointWidth = m_bitmapMask.width() / StripCells;
    m_pointHeight = m_bitmapMask.height();
    Redraw();
}

void TNumberGraphic::SetPngMask(const QImage &strip) {
    m_pngMask = strip.isNull() ? QImage() : strip.convertToFormat(QImage::Format_ARGB32);
}

void TNumberGraphic::SetNumber(int number) {
    if (number == m_number)
        return;
    m_number = number;
    Redraw();
}

void TNumberGraphic::SetDecimal(int digits) {
    m_decimal = digits;
    Redraw();
}

void TNumberGraphic::SetImageType(TImageType type) {
    if (type == m_imageType)
        return;
    m_imageType = type;
    Redraw();
}

void TNumberGraphic::SetTransparent(bool on) {
    if (on == m_transparent)
        return;
    m_transparent = on;
    Redraw();
}

void TNumberGraphic::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.drawImage(0, 0, m_imageType == itPng ? m_workPng : m_shownBitmap);
}

void TNumberGraphic::mousePressEvent(QMouseEvent *event) {
    if (OnMouseDown)
        OnMouseDown(this, event);
    QWidget::mousePressEvent(event);
}

void TNumberGraphic::Redraw() {
    const QString digits =
        QString::number(std::max(m_number, 0)).rightJustified(std::max(m_decimal, 0), u'0');
    const int count = int(digits.size());
    resize(std::max(0, count * m_pointWidth + (count - 1) * m_numberSpace), m_pointHeight);
    if (m_imageType == itBmp)
        RenderBitmap(digits);
    else if (!m_pngMask.isNull())
        RenderPng(digits);
    update();
}

// The host's 16-bit work bitmap: digit cells copied onto magenta, the colour of its
// bottom-left pixel then drawn as transparent.
void TNumberGraphic::RenderBitmap(const QString &digits) {
    if (width() <= 0 || height() <= 0 || m_bitmapMask.isNull()) {
        m_workBitmap = m_shownBitmap = QImage();
        return;
    }
    m_workBitmap = QImage(size(), QImage::Format_RGB16);
    m_workBitmap.fill(QColor::fromRgb(Magenta));
    {
        QPainter painter(&m_workBitmap);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        for (int i = 0; i < digits.size(); ++i) {
            const int digit = digits[i].digitValue();
            painter.drawImage(QPoint(DigitLeft(i), 0), m_bitmapMask,
                              QRect(digit * m_pointWidth, 0, m_pointWidth, m_pointHeight));
        }
    }
    m_shownBitmap = m_workBitmap.convertToFormat(QImage::Format_ARGB32);
    if (!m_transparent)
        return;
    const QRgb key = m_shownBitmap.pixel(0, m_shownBitmap.height() - 1);
    for (int y = 0; y < m_shownBitmap.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(m_shownBitmap.scanLine(y));
        std::replace(line, line + m_shownBitmap.width(), key, QRgb(0));
    }
}

void TNumberGraphic::RenderPng(const QString &digits) {
    m_workPng = QImage(std::max(width(), 0), std::max(height(), 0), QImage::Format_ARGB32);
    m_workPng.fill(0);
    for (int i = 0; i < digits.size(); ++i) {
        const int digit = digits[i].digitValue();
        CompositeOver(m_workPng, QPoint(DigitLeft(i), 0), m_pngMask,
                      QRect(digit * m_pointWidth, 0, m_pointWidth, m_pointHeight));
    }
}

int TNumberGraphic::DigitLeft(int i) const {
    return i * (m_pointWidth + m_numberSpace);
}
