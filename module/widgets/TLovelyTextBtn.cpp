#include "widgets/TLovelyTextBtn.h"

#include "widgets/QtText.h"
#include "widgets/TImageList.h"

#include <QPainter>

namespace {

constexpr int DefaultWidth = 75;
constexpr int DefaultHeight = 25;
constexpr QRgb KeyColor = 0xFFFF00FF;

// The picture with its key-coloured pixels made transparent.
QImage Keyed(const QImage &picture) {
    QImage keyed = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < keyed.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(keyed.scanLine(y));
        for (int x = 0; x < keyed.width(); ++x) {
            if (line[x] == KeyColor)
                line[x] = 0;
        }
    }
    return keyed;
}

} // namespace

TLovelyTextBtn::TLovelyTextBtn(QWidget *parent)
    : TLovelyButton(parent) {
    resize(DefaultWidth, DefaultHeight);
}

TLovelyTextBtn::~TLovelyTextBtn() = default;

void TLovelyTextBtn::SetCaption(const std::string &caption) {
    m_caption = caption;
    update();
}

void TLovelyTextBtn::FitToImages() {
    if (Images() && Images()->Count() > 0)
        resize(width(), Images()->ImageSize().height());
}

void TLovelyTextBtn::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    const QImage &state = StateImage();
    if (!state.isNull()) {
        const QImage picture = Keyed(state);
        const int half = picture.width() / 2;
        const int pictureHeight = picture.height();
        painter.drawImage(QPoint(0, 0), picture, QRect(0, 0, half, pictureHeight));
        const int middle = width() - 2 * half;
        if (middle > 0)
            painter.drawImage(QRect(half, 0, middle, pictureHeight), picture,
                              QRect(half, 0, 1, pictureHeight));
        // The picture's last `half` columns: for an odd width exactly those after the
        // middle one, and never a column beyond the picture for an even width.
        painter.drawImage(QPoint(width() - half, 0), picture,
                          QRect(picture.width() - half, 0, half, pictureHeight));
    }
    if (m_caption.empty())
        return;
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    const QPoint shift = State() == bsPressed ? QPoint(1, 1) : QPoint(0, 0);
    painter.drawText(rect().translated(shift), Qt::AlignCenter | Qt::TextSingleLine,
                     QtText::FromGbk(m_caption));
}
