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

QImage ContactSheet::TablePreview(const ArtWriter &writer) {
    QHash<QString, QImage> byName;
    for (const auto &picture : writer.Pictures())
        byName.insert(picture.name, picture.image);
    const auto at = [&byName](const char *name) {
        return byName.value(QString::fromLatin1(name));
    };
    QImage table(811, 698, QImage::Format_RGB32);
    QPainter painter(&table);
    painter.drawImage(0, 0, at("KepVestrano_BITMAPBBACK01"));

    const QStringList hand = {"GH", "GL", "S2", "H2", "D2", "SA",  "HA",  "CA", "SK",
                              "HK", "DQ", "CQ", "SJ", "HJ", "H10", "S10", "C9", "D9",
                              "H8", "S7", "C6", "D5", "H5", "S4",  "C3",  "D3", "H3"};
    const int handLeft = (811 - (hand.size() - 1) * kHandOverlap - 71) / 2;
    for (int i = 0; i < hand.size(); ++i)
        painter.drawImage(handLeft + i * kHandOverlap, i >= 5 && i <= 7 ? 560 : 580,
                          byName.value(hand[i]));
    const QStringList played = {"D10", "C10", "S10", "H10"};
    for (int i = 0; i < played.size(); ++i)
        painter.drawImage(350 + i * kHandOverlap, 300, byName.value(played[i]));
    for (int i = 0; i < 13; ++i) {
        painter.drawImage(40, 160 + i * 12, at("B0"));
        painter.drawImage(700, 160 + i * 12, at("B0"));
    }
    painter.drawImage(250, 515, at("KepVestrano_BITMAPFETCH1"));
    painter.drawImage(330, 515, at("KepVestrano_BITMAPPASS3"));
    painter.drawImage(410, 515, at("KepVestrano_BITMAPPRIOR1"));
    painter.drawImage(490, 515, at("KepVestrano_BITMAPFETCH4"));
    for (int i = 0; i < 7; ++i) {
        const char *const names[7] = {"SINGLECARD", "TWOCARD", "THREECARD", "BOMBCARD",
                                      "MUCHTOFEW",  "TOBIG",   "TOLITTLE"};
        painter.drawImage(735, 380 + i * 38,
                          byName.value(QStringLiteral("KepVestrano_BITMAP%1%2")
                                           .arg(QString::fromLatin1(names[i]))
                                           .arg(i == 2 ? 3 : 1)));
    }
    painter.drawImage(580, 500, at("KepVestrano_BITMAPCLOCK"));
    // "15" from the digit strip over the clock face, keyed on magenta.
    QImage strip = at("KepVestrano_BITMAPNUMBER").convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < strip.height(); ++y)
        for (int x = 0; x < strip.width(); ++x)
            if (strip.pixel(x, y) == 0xFFFF00FF)
                strip.setPixel(x, y, 0);
    painter.drawImage(QPoint(592, 518), strip, QRect(14, 0, 14, 25));
    painter.drawImage(QPoint(606, 518), strip, QRect(70, 0, 14, 25));
    painter.drawImage(140, 260, at("KepVestrano_BitmapThreeFen"));
    painter.drawImage(600, 260, at("KepVestrano_BitmapDontDeclare"));
    painter.drawImage(360, 120, at("KepVestrano_BitmapBegin"));
    painter.drawImage(120, 120, at("KepVestrano_BITMAPZhuang"));
    painter.drawImage(357, 632, at("KepVestrano_IMAGETRUSTEESHIP"));
    painter.drawImage(520, 60, at("KepVestrano_BITMAPDIALOG2"));
    painter.setFont(ArtStyle::Ming(12));
    painter.setPen(Qt::black);
    painter.drawText(QRectF(530, 80, 110, 60), Qt::TextWordWrap,
                     QStringLiteral("快点吧，我等得花儿都谢了"));
    painter.drawImage(568, 100, at("KepVestrano_FACE064"));
    painter.drawImage(325, 440, at("KepVestrano_BITMAPNoSelect1"));
    return table;
}
