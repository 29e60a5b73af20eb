#include "ContactSheet.h"

#include "ArtStyle.h"
#include "ArtWriter.h"

#include <QHash>
#include <QPainter>

#include <vector>

namespace {

constexpr int kSheetWidth = 1400;
constexpr int kMargin = 12;
constexpr int kLabelHeight = 14;
constexpr int kLargest = 340;
constexpr int kHandOverlap = 15;

struct Placed {
    QPoint at;
    QImage image;
    QString name;
};

} // namespace

QImage ContactSheet::Compose(const ArtWriter &writer) {
    QHash<QString, QImage> byName;
    for (const auto &picture : writer.Pictures())
        byName.insert(picture.name, picture.image);
    const QStringList hand = {"GH", "GL", "SA", "HA", "SK", "HQ", "CJ", "D10", "S9",
                              "H8", "C7", "D6", "S5", "H4", "C3", "D2", "B0"};
    const int handHeight = 96 + 2 * kMargin;

    std::vector<Placed> placed;
    int x = kMargin;
    int y = handHeight + kMargin;
    int rowHeight = 0;
    QFont label = ArtStyle::Sans(10, false);
    for (const auto &picture : writer.Pictures()) {
        QImage image = picture.image;
        if (image.width() > kLargest)
            image = image.scaledToWidth(kLargest, Qt::SmoothTransformation);
        const int cellWidth = std::max(image.width(), int(picture.name.size()) * 6) + kMargin;
        if (x + cellWidth > kSheetWidth) {
            x = kMargin;
            y += rowHeight + kLabelHeight + kMargin;
            rowHeight = 0;
        }
        placed.push_back({QPoint(x, y), image, picture.name});
        x += cellWidth;
        rowHeight = std::max(rowHeight, image.height());
    }
    const int height = y + rowHeight + kLabelHeight + kMargin;

    QImage sheet(kSheetWidth, height, QImage::Format_RGB32);
    sheet.fill(QColor(0x6E, 0x80, 0x78));
    QPainter painter(&sheet);
    painter.fillRect(0, 0, kSheetWidth, handHeight, QColor(0x1E, 0x6A, 0x3C));
    for (int i = 0; i < hand.size(); ++i)
        painter.drawImage(kMargin + i * kHandOverlap, kMargin, byName.value(hand[i]));
    int spread = kMargin + hand.size() * kHandOverlap + 80;
    for (const char *name : {"SA", "HK", "CQ", "DJ", "S10", "H7", "GL", "GH", "B0"}) {
        painter.drawImage(spread, kMargin, byName.value(QString::fromLatin1(name)));
        spread += 76;
    }
    painter.setFont(label);
    painter.setPen(Qt::white);
    for (const Placed &p : placed) {
        painter.drawImage(p.at, p.image);
        painter.drawText(QPoint(p.at.x(), p.at.y() + p.image.height() + 11), p.name);
    }
    return sheet;
}
