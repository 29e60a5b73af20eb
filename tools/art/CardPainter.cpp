#include "CardPainter.h"

#include "ArtStyle.h"
#include "ArtWriter.h"

#include "resources/ArtCatalog.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <vector>

namespace {

constexpr int kW = Resources::kCardWidth;
constexpr int kH = Resources::kCardHeight;
constexpr int kCornerRadius = 4;
const QColor kMagentaKey(0xFF, 0x00, 0xFF);

const char *const kRankTexts[13] = {"A", "2", "3",  "4", "5", "6", "7",
                                    "8", "9", "10", "J", "Q", "K"};

struct Pip {
    qreal column; // 0 left, 0.5 middle, 1 right
    qreal row;    // 0 top .. 1 bottom
};

std::vector<Pip> PipLayout(int rank) {
    const std::vector<Pip> six = {{0, 0}, {1, 0}, {0, 0.5}, {1, 0.5}, {0, 1}, {1, 1}};
    const std::vector<Pip> eight = {{0, 0},       {1, 0},       {0, 1.0 / 3}, {1, 1.0 / 3},
                                    {0, 2.0 / 3}, {1, 2.0 / 3}, {0, 1},       {1, 1}};
    switch (rank) {
    case 2:
        return {{0.5, 0}, {0.5, 1}};
    case 3:
        return {{0.5, 0}, {0.5, 0.5}, {0.5, 1}};
    case 4:
        return {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    case 5:
        return {{0, 0}, {1, 0}, {0.5, 0.5}, {0, 1}, {1, 1}};
    case 6:
        return six;
    case 7: {
        auto pips = six;
        pips.push_back({0.5, 0.25});
        return pips;
    }
    case 8: {
        auto pips = six;
        pips.push_back({0.5, 0.25});
        pips.push_back({0.5, 0.75});
        return pips;
    }
    case 9: {
        auto pips = eight;
        pips.push_back({0.5, 0.5});
        return pips;
    }
    default: {
        auto pips = eight;
        pips.push_back({0.5, 1.0 / 6});
        pips.push_back({0.5, 5.0 / 6});
        return pips;
    }
    }
}

// Rank text squeezed to `maxWidth` so "10" is as legible as a single letter.
QPainterPath RankPath(const QString &text, qreal height, qreal maxWidth) {
    QFont font = ArtStyle::Sans(int(height), true);
    if (text.size() > 1)
        font.setStretch(QFont::Condensed);
    QPainterPath path;
    path.addText(0, 0, font, text);
    const QRectF bounds = path.boundingRect();
    const qreal sx = std::min(1.0, maxWidth / bounds.width());
    QTransform transform;
    transform.scale(sx, height * 0.74 / bounds.height());
    transform.translate(-bounds.left(), -bounds.top());
    return transform.map(path);
}

void DrawCorner(QPainter &painter, const QString &rank, int suit) {
    const QColor color = ArtStyle::SuitColor(suit);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color);
    const QPainterPath text = RankPath(rank, 19, 11.5);
    const qreal textWidth = text.boundingRect().width();
    painter.drawPath(text.translated(2.5 + (11.5 - textWidth) / 2, 4));
    painter.drawPath(ArtStyle::Suit(suit, QRectF(2.5, 20, 11.5, 12.5)));
}

// The upper half of a court card's portrait: robe, face, hair and headgear, drawn between
// the frame's top and its middle line (y 48); the lower half is the same turned round.
void HalfPortrait(QPainter &painter, int suit, int rank) {
    const QColor ink(0x10, 0x10, 0x18);
    const QColor gold(0xE0, 0xA8, 0x20);
    const QColor robe = suit % 2 == 1 ? QColor(0xD0, 0x10, 0x18) : QColor(0x18, 0x28, 0x58);
    painter.setPen(QPen(ink, 1));
    QPainterPath body;
    body.moveTo(19, 49);
    body.lineTo(21, 41);
    body.quadTo(35.5, 33, 50, 41);
    body.lineTo(52, 49);
    body.closeSubpath();
    painter.setBrush(robe);
    painter.drawPath(body);
    painter.setBrush(gold);
    painter.drawPolygon(QPolygonF({QPointF(30, 38.5), QPointF(35.5, 47), QPointF(41, 38.5)}));
    // Hair behind the face: long for the queen, short for the jack; the king wears a beard.
    painter.setBrush(rank == 12 ? gold : QColor(0x80, 0x10, 0x18));
    if (rank == 12)
        painter.drawRoundedRect(QRectF(27.5, 21, 16, 19), 6, 6);
    else if (rank == 11)
        painter.drawEllipse(QRectF(28.5, 21, 14, 12));
    painter.setBrush(QColor(0xF8, 0xD8, 0xD8));
    painter.drawEllipse(QPointF(35.5, 30), 5.5, 6.5);
    if (rank == 13) {
        painter.setBrush(QColor(0xCC, 0xCC, 0xD0));
        QPainterPath beard;
        beard.moveTo(30, 31);
        beard.quadTo(35.5, 44, 41, 31);
        beard.quadTo(35.5, 35, 30, 31);
        painter.drawPath(beard);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    painter.drawEllipse(QPointF(33.4, 29), 0.9, 0.9);
    painter.drawEllipse(QPointF(37.6, 29), 0.9, 0.9);
    // Headgear: crown, tiara or cap.
    painter.setPen(QPen(ink, 1));
    painter.setBrush(rank == 11 ? robe : gold);
    QPainterPath hat;
    if (rank == 13) {
        hat.moveTo(29, 24);
        hat.lineTo(28, 14);
        hat.lineTo(32, 19);
        hat.lineTo(35.5, 12);
        hat.lineTo(39, 19);
        hat.lineTo(43, 14);
        hat.lineTo(42, 24);
        hat.closeSubpath();
    } else if (rank == 12) {
        hat.moveTo(29.5, 24);
        hat.lineTo(31, 19);
        hat.lineTo(33.5, 21);
        hat.lineTo(35.5, 16);
        hat.lineTo(37.5, 21);
        hat.lineTo(40, 19);
        hat.lineTo(41.5, 24);
        hat.closeSubpath();
    } else {
        hat.moveTo(28, 25);
        hat.cubicTo(27, 15, 44, 14, 44, 25);
        hat.closeSubpath();
    }
    painter.drawPath(hat);
    if (rank == 11) {
        painter.setBrush(gold);
        QPainterPath feather;
        feather.moveTo(40, 18);
        feather.quadTo(46, 10, 50, 11);
        feather.quadTo(46, 16, 41.5, 21);
        feather.closeSubpath();
        painter.drawPath(feather);
    }
    // The suit beside the head.
    painter.setPen(Qt::NoPen);
    painter.setBrush(ArtStyle::SuitColor(suit));
    painter.drawPath(ArtStyle::Suit(suit, QRectF(20, 11, 7, 8)));
}

} // namespace

CardPainter::CardPainter(ArtWriter &writer)
    : m_writer(writer) {}

const std::array<QColor, 16> &CardPainter::Palette() {
    static const std::array<QColor, 16> palette = {
        QColor(0xFF, 0x00, 0xFF), QColor(0xFF, 0xFF, 0xFF), QColor(0x10, 0x10, 0x18),
        QColor(0xD0, 0x10, 0x18), QColor(0x48, 0x48, 0x50), QColor(0x8C, 0x8C, 0x94),
        QColor(0xCC, 0xCC, 0xD0), QColor(0xEC, 0x90, 0x94), QColor(0xF8, 0xD8, 0xD8),
        QColor(0x80, 0x10, 0x18), QColor(0xE0, 0xA8, 0x20), QColor(0xF8, 0xEC, 0xB0),
        QColor(0x28, 0x50, 0xA8), QColor(0xB8, 0xCC, 0xEC), QColor(0x18, 0x28, 0x58),
        QColor(0xEE, 0xEE, 0xF0)};
    return palette;
}

void CardPainter::DrawAll() {
    const char suits[4] = {'S', 'H', 'C', 'D'};
    for (int suit = 0; suit < 4; ++suit) {
        for (int rank = 1; rank <= 13; ++rank) {
            const QString name = QChar(suits[suit]) + QString::fromLatin1(kRankTexts[rank - 1]);
            m_writer.PngPalette4(name, Face(suit, rank), Palette());
        }
    }
    m_writer.PngRgb(QStringLiteral("GL"), Joker(false), kMagentaKey);
    m_writer.PngRgb(QStringLiteral("GH"), Joker(true), kMagentaKey);
    m_writer.PngRgb(QStringLiteral("B0"), Back(), kMagentaKey);
}

void CardPainter::Blank(QImage &card) {
    card = ArtStyle::Transparent(kW, kH);
    QPainter painter(&card);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x48, 0x48, 0x50), 1.0));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(0.5, 0.5, kW - 1, kH - 1), kCornerRadius, kCornerRadius);
}

void CardPainter::CutCorners(QImage &card) {
    // Hard-edged corners: the faces have one transparent palette entry, no partial alpha.
    for (int y = 0; y < kCornerRadius; ++y) {
        for (int x = 0; x < kCornerRadius; ++x) {
            const qreal dx = kCornerRadius - (x + 0.5);
            const qreal dy = kCornerRadius - (y + 0.5);
            if (std::hypot(dx, dy) <= kCornerRadius + 0.2)
                continue;
            card.setPixel(x, y, 0);
            card.setPixel(kW - 1 - x, y, 0);
            card.setPixel(x, kH - 1 - y, 0);
            card.setPixel(kW - 1 - x, kH - 1 - y, 0);
        }
    }
}

QImage CardPainter::Face(int suit, int rank) const {
    QImage card;
    Blank(card);
    QPainter painter(&card);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor color = ArtStyle::SuitColor(suit);
    const QString rankText = QString::fromLatin1(kRankTexts[rank - 1]);
    DrawCorner(painter, rankText, suit);
    painter.save();
    painter.translate(kW, kH);
    painter.rotate(180);
    DrawCorner(painter, rankText, suit);
    painter.restore();

    painter.setPen(Qt::NoPen);
    if (rank == 1) {
        const QRectF big(kW / 2.0 - 15, kH / 2.0 - 16, 30, 32);
        painter.setBrush(color);
        painter.drawPath(ArtStyle::Suit(suit, big));
    } else if (rank <= 10) {
        const QRectF area(25, 11, 21, 62);
        const QSizeF pip(11.5, 12.5);
        painter.setBrush(color);
        for (const Pip &p : PipLayout(rank)) {
            const QPointF centre(area.left() + p.column * area.width(),
                                 area.top() + p.row * area.height() + pip.height() / 2);
            painter.save();
            painter.translate(centre);
            if (p.row > 0.5)
                painter.rotate(180);
            painter.drawPath(
                ArtStyle::Suit(suit, QRectF(QPointF(-pip.width() / 2, -pip.height() / 2), pip)));
            painter.restore();
        }
    } else {
        // Court cards: a framed, double-headed portrait, as on a printed deck.
        const QColor panel = rank == 13   ? QColor(0xF8, 0xEC, 0xB0)
                             : rank == 12 ? QColor(0xB8, 0xCC, 0xEC)
                                          : QColor(0xF8, 0xD8, 0xD8);
        const QColor trim = rank == 13   ? QColor(0xE0, 0xA8, 0x20)
                            : rank == 12 ? QColor(0x28, 0x50, 0xA8)
                                         : QColor(0x80, 0x10, 0x18);
        const QRectF frame(17.5, 8.5, 36, 79);
        painter.setPen(QPen(trim, 2));
        painter.setBrush(panel);
        painter.drawRect(frame);
        painter.setClipRect(frame.adjusted(1, 1, -1, -1));
        for (int half = 0; half < 2; ++half) {
            painter.save();
            if (half == 1) {
                painter.translate(35.5, 48);
                painter.rotate(180);
                painter.translate(-35.5, -48);
            }
            HalfPortrait(painter, suit, rank);
            painter.restore();
        }
        painter.setClipping(false);
        painter.setPen(QPen(trim, 1));
        painter.drawLine(QPointF(18.5, 48), QPointF(52.5, 48));
    }
    painter.end();
    CutCorners(card);
    return card;
}

QImage CardPainter::Joker(bool big) const {
    QImage card;
    Blank(card);
    QPainter painter(&card);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor ink = big ? QColor(0xD0, 0x10, 0x18) : QColor(0x10, 0x10, 0x18);
    const QFont letters = ArtStyle::Sans(11, true);
    const QString word = QStringLiteral("JOKER");
    for (int corner = 0; corner < 2; ++corner) {
        painter.save();
        if (corner == 1) {
            painter.translate(kW, kH);
            painter.rotate(180);
        }
        for (int i = 0; i < word.size(); ++i)
            ArtStyle::Caption(painter, QRectF(2, 3 + 11 * i, 13, 11), word.mid(i, 1), letters, ink,
                              Qt::white, 0);
        painter.restore();
    }
    // A jester's cap with three bells over a star.
    const QColor cap1 = big ? QColor(0xD0, 0x10, 0x18) : QColor(0x30, 0x30, 0x38);
    const QColor cap2 = big ? QColor(0xE0, 0xA8, 0x20) : QColor(0x8C, 0x8C, 0x94);
    QPainterPath left, middle, right;
    left.moveTo(24, 44);
    left.quadTo(18, 26, 20, 22);
    left.quadTo(28, 28, 32, 44);
    middle.moveTo(30, 44);
    middle.quadTo(30, 24, 35.5, 16);
    middle.quadTo(41, 24, 41, 44);
    right.moveTo(39, 44);
    right.quadTo(43, 28, 51, 22);
    right.quadTo(53, 26, 47, 44);
    painter.setPen(QPen(QColor(0x10, 0x10, 0x18), 1));
    painter.setBrush(cap1);
    painter.drawPath(left);
    painter.drawPath(right);
    painter.setBrush(cap2);
    painter.drawPath(middle);
    painter.setBrush(QColor(0xF8, 0xD0, 0x40));
    for (const QPointF bell : {QPointF(20, 21), QPointF(35.5, 15), QPointF(51, 21)})
        painter.drawEllipse(bell, 3, 3);
    painter.setBrush(cap2);
    painter.drawRoundedRect(QRectF(22, 43, 27, 6), 3, 3);
    // Face under the cap.
    painter.setBrush(QColor(0xFF, 0xE8, 0xD0));
    painter.drawEllipse(QPointF(35.5, 58), 11, 10);
    painter.setBrush(QColor(0x10, 0x10, 0x18));
    painter.drawEllipse(QPointF(31.5, 56), 1.6, 1.6);
    painter.drawEllipse(QPointF(39.5, 56), 1.6, 1.6);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(QRectF(30, 56, 11, 7), 200 * 16, 140 * 16);
    if (big) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0xF0, 0x70, 0x70, 150));
        painter.drawEllipse(QPointF(28.5, 61), 2.5, 1.8);
        painter.drawEllipse(QPointF(42.5, 61), 2.5, 1.8);
    }
    ArtStyle::Caption(painter, QRectF(14, 70, 43, 20),
                      big ? QStringLiteral("大王") : QStringLiteral("小王"), ArtStyle::Kai(16), ink,
                      Qt::white, 0);
    painter.end();
    CutCorners(card);
    return card;
}

QImage CardPainter::Back() const {
    QImage card;
    Blank(card);
    QPainter painter(&card);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF inner(4.5, 4.5, kW - 9, kH - 9);
    painter.setPen(QPen(QColor(0x14, 0x3C, 0x8C), 1));
    painter.setBrush(QColor(0x24, 0x5C, 0xB8));
    painter.drawRoundedRect(inner, 3, 3);
    painter.setClipRect(inner.adjusted(1, 1, -1, -1));
    painter.setPen(QPen(QColor(0x7C, 0xA8, 0xE8), 1));
    for (int d = -kH; d < kW + kH; d += 8) {
        painter.drawLine(QPointF(d, 0), QPointF(d + kH, kH));
        painter.drawLine(QPointF(d, kH), QPointF(d + kH, 0));
    }
    painter.setClipping(false);
    // Emblem: a white medallion with a spade and a heart.
    painter.setPen(QPen(QColor(0xE0, 0xA8, 0x20), 2));
    painter.setBrush(QColor(0xFF, 0xFF, 0xFF));
    painter.drawEllipse(QPointF(kW / 2.0, kH / 2.0), 17, 20);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ArtStyle::SuitColor(0));
    painter.drawPath(ArtStyle::Suit(0, QRectF(kW / 2.0 - 12, kH / 2.0 - 13, 11, 12)));
    painter.setBrush(ArtStyle::SuitColor(1));
    painter.drawPath(ArtStyle::Suit(1, QRectF(kW / 2.0 + 1, kH / 2.0 - 13, 11, 12)));
    painter.setBrush(ArtStyle::SuitColor(3));
    painter.drawPath(ArtStyle::Suit(3, QRectF(kW / 2.0 - 12, kH / 2.0 + 1, 11, 12)));
    painter.setBrush(ArtStyle::SuitColor(2));
    painter.drawPath(ArtStyle::Suit(2, QRectF(kW / 2.0 + 1, kH / 2.0 + 1, 11, 12)));
    painter.end();
    CutCorners(card);
    return card;
}
