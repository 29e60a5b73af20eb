#include "game/TTablePicture.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace {

constexpr QRgb Magenta = 0xFFFF00FF;

} // namespace

TTablePicture::TTablePicture(QWidget *parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_NoSystemBackground);
}

void TTablePicture::SetPicture(const QImage &picture) {
    if (picture.cacheKey() == m_picture.cacheKey())
        return;
    m_picture = picture.format() == QImage::Format_ARGB32_Premultiplied ||
                        picture.format() == QImage::Format_RGB32
                    ? picture
                    : picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    resize(m_picture.size());
    update();
}

void TTablePicture::SetKeyedPicture(const QImage &picture) {
    SetPicture(KeyedOut(picture));
}

QImage TTablePicture::KeyedOut(const QImage &picture) {
    if (picture.isNull())
        return picture;
    QImage keyed = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < keyed.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(keyed.scanLine(y));
        std::replace(line, line + keyed.width(), Magenta, QRgb(0));
    }
    return keyed.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

void TTablePicture::paintEvent(QPaintEvent *) {
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
}

void TTablePicture::mousePressEvent(QMouseEvent *event) {
    if (!OnMouseDown) {
        event->ignore();
        return;
    }
    OnMouseDown(this, event);
}
