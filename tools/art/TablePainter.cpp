#include "TablePainter.h"

#include "ArtWriter.h"

#include "resources/ArtCatalog.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <random>

namespace {

using State = ArtStyle::ButtonState;

const QColor kKey(0xFF, 0x00, 0xFF);
const QColor kTextLight(0xFF, 0xFF, 0xFF);
const QColor kOrange(0xE8, 0x80, 0x18);
const QColor kBlue(0x2C, 0x78, 0xC8);
const QColor kGreen(0x2C, 0xA0, 0x48);
const QColor kTeal(0x1C, 0x90, 0x98);
const QColor kPurple(0x88, 0x48, 0xB8);
const QColor kRed(0xC8, 0x30, 0x30);

QString Suffix(State state) {
    switch (state) {
    case State::Normal:
        return QStringLiteral("1");
    case State::Pressed:
        return QStringLiteral("2");
    case State::Over:
        return QStringLiteral("3");
    case State::Disabled:
        break;
    }
    return QStringLiteral("4");
}

// A rounded plaque with a caption, the look of the marks shown beside a seat.
QImage Plaque(int width, int height, const QString &text, QColor base, int fontSize) {
    QImage image = ArtStyle::Transparent(width, height);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body(1.5, 3.5, width - 3, height - 7);
    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    fill.setColorAt(0, base.lighter(160));
    fill.setColorAt(1, base);
    painter.setPen(QPen(QColor(255, 255, 255, 230), 2));
    painter.setBrush(fill);
    painter.drawRoundedRect(body, body.height() / 2, body.height() / 2);
    ArtStyle::Caption(painter, body, text, ArtStyle::Kai(fontSize), Qt::white, base.darker(220));
    return image;
}

} // namespace

TablePainter::TablePainter(ArtWriter &writer)
    : m_writer(writer) {}

void TablePainter::DrawAll() {
    Buttons();
    Marks();
    Clock();
    DigitStrip(QStringLiteral("KepVestrano_BITMAPNUMBER"), 154, 25, QColor(0xFF, 0xE0, 0x40),
               QColor(0x60, 0x20, 0x00));
    DigitStrip(QStringLiteral("BitmapMask"), 144, 14, QColor(0xFF, 0xFF, 0xFF),
               QColor(0x10, 0x30, 0x60));
    Boards();
    Backgrounds();
}

void TablePainter::ButtonSet(const QString &stem, int width, int height, QColor base,
                             const QString &caption, bool disabled) {
    std::vector<State> states = {State::Normal, State::Pressed, State::Over};
    if (disabled)
        states.push_back(State::Disabled);
    for (State state : states) {
        QImage image = ArtStyle::Transparent(width, height);
        QPainter painter(&image);
        ArtStyle::Button(painter, QRectF(0, 0, width, height), base, state, height / 2.6);
        const QRectF text = QRectF(0, 0, width, height).translated(0, state == State::Pressed);
        const QColor outline =
            state == State::Disabled ? QColor(0x70, 0x70, 0x74) : base.darker(230);
        const QColor fill = state == State::Disabled ? QColor(0xE4, 0xE4, 0xE4) : kTextLight;
        ArtStyle::Caption(painter, text, caption, ArtStyle::Kai(height >= 32 ? 20 : 18), fill,
                          outline);
        painter.end();
        m_writer.Png(stem + Suffix(state), image);
    }
}

void TablePainter::SmallButtonSet(const QString &stem, const QString &top, const QString &bottom,
                                  QColor base) {
    for (State state : {State::Normal, State::Pressed, State::Over}) {
        QImage image = ArtStyle::Transparent(35, 35);
        QPainter painter(&image);
        ArtStyle::Button(painter, QRectF(0, 0, 35, 35), base, state, 8);
        const qreal shift = state == State::Pressed ? 1 : 0;
        const QColor outline = base.darker(230);
        if (bottom.isEmpty()) {
            ArtStyle::Caption(painter, QRectF(0, shift, 35, 35), top, ArtStyle::Kai(22), kTextLight,
                              outline);
        } else {
            ArtStyle::Caption(painter, QRectF(0, 2 + shift, 35, 16), top, ArtStyle::Kai(14),
                              kTextLight, outline, 2);
            ArtStyle::Caption(painter, QRectF(0, 17 + shift, 35, 16), bottom, ArtStyle::Kai(14),
                              kTextLight, outline, 2);
        }
        painter.end();
        m_writer.Png(stem + Suffix(state), image);
    }
}

void TablePainter::Buttons() {
    const QString p = QStringLiteral("KepVestrano_BITMAP");
    ButtonSet(p + "FETCH", 72, 33, kOrange, QStringLiteral("出牌"), true);
    ButtonSet(p + "PASS", 72, 33, kBlue, QStringLiteral("不出"));
    ButtonSet(p + "PRIOR", 72, 33, kTeal, QStringLiteral("上一轮"));
    ButtonSet(p + "RESUME", 72, 33, kTeal, QStringLiteral("返回"));
    ButtonSet(p + "READY", 89, 32, kGreen, QStringLiteral("准备"));
    ButtonSet(p + "TAKELEFT", 77, 30, kPurple, QStringLiteral("左置"));
    const char *const fen[6] = {"ONE", "TWO", "THREE", "FOUR", "FIVE", "SIX"};
    for (int i = 0; i < 6; ++i)
        ButtonSet(p + fen[i] + "FEN", 72, 33, kOrange, QStringLiteral("%1分").arg(i + 1));
    ButtonSet(p + "DONTDECLARE", 72, 33, kBlue, QStringLiteral("不叫"));
    ButtonSet(p + "BOTTOMCARD", 72, 33, kTeal, QStringLiteral("底牌"));
    SmallButtonSet(p + "SINGLECARD", QStringLiteral("单"), {}, kPurple);
    SmallButtonSet(p + "TWOCARD", QStringLiteral("对"), {}, kPurple);
    SmallButtonSet(p + "THREECARD", QStringLiteral("三"), {}, kPurple);
    SmallButtonSet(p + "BOMBCARD", QStringLiteral("炸"), {}, kRed);
    SmallButtonSet(p + "MUCHTOFEW", QStringLiteral("多"), QStringLiteral("→少"), kTeal);
    SmallButtonSet(p + "TOBIG", QStringLiteral("大"), QStringLiteral("→小"), kTeal);
    SmallButtonSet(p + "TOLITTLE", QStringLiteral("小"), QStringLiteral("→大"), kTeal);
}

void TablePainter::Marks() {
    const QString p = QStringLiteral("KepVestrano_Bitmap");
    m_writer.Png(p + "Begin", Plaque(79, 40, QStringLiteral("准备"), kGreen, 22));
    m_writer.Png(p + "DontDeclare", Plaque(79, 40, QStringLiteral("不叫"), kBlue, 22));
    m_writer.Png(p + "DontFetch", Plaque(79, 40, QStringLiteral("不出"), kBlue, 22));
    const char *const fen[6] = {"One", "Two", "Three", "Four", "Five", "Six"};
    for (int i = 0; i < 6; ++i)
        m_writer.Png(p + fen[i] + "Fen",
                     Plaque(65, 40, QStringLiteral("%1分").arg(i + 1), kOrange, 22));

    QImage banker = ArtStyle::Transparent(38, 37);
    {
        QPainter painter(&banker);
        painter.setRenderHint(QPainter::Antialiasing);
        QRadialGradient fill(QPointF(15, 13), 22);
        fill.setColorAt(0, QColor(0xFF, 0x70, 0x50));
        fill.setColorAt(1, QColor(0xB0, 0x10, 0x10));
        painter.setPen(QPen(QColor(0xF8, 0xD0, 0x40), 2.5));
        painter.setBrush(fill);
        painter.drawEllipse(QRectF(2, 1.5, 34, 34));
        ArtStyle::Caption(painter, QRectF(2, 1.5, 34, 34), QStringLiteral("庄"), ArtStyle::Kai(24),
                          QColor(0xFF, 0xF0, 0xA0), QColor(0x70, 0, 0));
    }
    m_writer.Png(QStringLiteral("KepVestrano_BITMAPZhuang"), banker);

    QImage trustee = ArtStyle::Transparent(97, 31);
    {
        QPainter painter(&trustee);
        ArtStyle::Button(painter, QRectF(0, 0, 97, 31), QColor(0x50, 0x60, 0x78), State::Normal,
                         15);
        painter.setRenderHint(QPainter::Antialiasing);
        // A little robot head: the computer is playing for this seat.
        painter.setPen(QPen(QColor(0x20, 0x28, 0x38), 1));
        painter.setBrush(QColor(0xD8, 0xE4, 0xF0));
        painter.drawRoundedRect(QRectF(8, 8, 17, 15), 4, 4);
        painter.drawLine(QPointF(16.5, 8), QPointF(16.5, 4));
        painter.setBrush(QColor(0x30, 0xB0, 0xF0));
        painter.drawEllipse(QPointF(16.5, 4), 1.8, 1.8);
        painter.drawEllipse(QPointF(13, 14), 2, 2);
        painter.drawEllipse(QPointF(20, 14), 2, 2);
        painter.drawLine(QPointF(13, 19), QPointF(20, 19));
        ArtStyle::Caption(painter, QRectF(26, 0, 68, 31), QStringLiteral("托管中"),
                          ArtStyle::Kai(17), kTextLight, QColor(0x20, 0x28, 0x38));
    }
    m_writer.Png(QStringLiteral("KepVestrano_IMAGETRUSTEESHIP"), trustee);
}

void TablePainter::Clock() {
    QImage clock = ArtStyle::Transparent(53, 54);
    QPainter painter(&clock);
    painter.setRenderHint(QPainter::Antialiasing);
    // Bells and legs of an alarm clock around a plain face the digits sit on.
    painter.setPen(QPen(QColor(0x60, 0x20, 0x00), 1));
    painter.setBrush(QColor(0xF0, 0xB8, 0x30));
    painter.drawChord(QRectF(2, 2, 18, 18), 30 * 16, 180 * 16);
    painter.drawChord(QRectF(33, 2, 18, 18), -30 * 16, 180 * 16);
    painter.setPen(QPen(QColor(0x60, 0x20, 0x00), 3, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(13, 44), QPointF(8, 51));
    painter.drawLine(QPointF(40, 44), QPointF(45, 51));
    QRadialGradient rim(QPointF(22, 22), 30);
    rim.setColorAt(0, QColor(0xFF, 0x60, 0x40));
    rim.setColorAt(1, QColor(0xB0, 0x18, 0x10));
    painter.setPen(QPen(QColor(0x60, 0x10, 0x00), 1));
    painter.setBrush(rim);
    painter.drawEllipse(QRectF(4.5, 6.5, 44, 44));
    painter.setBrush(QColor(0xFF, 0xFB, 0xEE));
    painter.drawEllipse(QRectF(9.5, 11.5, 34, 34));
    painter.setPen(QPen(QColor(0xA0, 0x90, 0x80), 1.2));
    for (int i = 0; i < 12; ++i) {
        const qreal a = i * M_PI / 6;
        const QPointF c(26.5, 28.5);
        painter.drawLine(c + QPointF(std::cos(a), std::sin(a)) * 14.5,
                         c + QPointF(std::cos(a), std::sin(a)) * 16);
    }
    painter.end();
    m_writer.Png(QStringLiteral("KepVestrano_BITMAPCLOCK"), clock);
}

void TablePainter::DigitStrip(const QString &name, int width, int height, QColor fill,
                              QColor edge) {
    const int cell = width / Resources::kDigitCells;
    // Digits drawn smooth, then keyed hard: the strip is drawn with magenta as its
    // transparent colour, so no pixel may be a blend of a digit and the key.
    const qreal outline = height > 20 ? 3 : 2;
    QImage glyphs = ArtStyle::Transparent(width, height);
    {
        QPainter painter(&glyphs);
        painter.setRenderHint(QPainter::Antialiasing);
        for (int d = 0; d < 10; ++d) {
            // Each digit fits its cell with a one-pixel key margin on both sides.
            QPainterPath digit;
            digit.addText(0, 0, ArtStyle::Sans(64, true), QString::number(d));
            const QRectF bounds = digit.boundingRect();
            const qreal boxWidth = cell - 2 - outline;
            const qreal boxHeight = height - 2 - outline;
            QTransform fit;
            fit.translate(d * cell + cell / 2.0, height / 2.0);
            fit.scale(boxWidth / bounds.width(), boxHeight / bounds.height());
            fit.translate(-bounds.center().x(), -bounds.center().y());
            const QPainterPath placed = fit.map(digit);
            painter.setPen(QPen(edge, outline, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.setBrush(fill);
            painter.drawPath(placed);
            painter.setPen(Qt::NoPen);
            painter.drawPath(placed);
        }
    }
    QImage strip(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const QRgb g = glyphs.pixel(x, y);
            const int a = qAlpha(g);
            if (a < 110) {
                strip.setPixel(x, y, kKey.rgb());
                continue;
            }
            const auto mix = [a](int premultiplied, int under) {
                return premultiplied + under * (255 - a) / 255;
            };
            strip.setPixel(x, y,
                           qRgb(mix(qRed(g), edge.red()), mix(qGreen(g), edge.green()),
                                mix(qBlue(g), edge.blue())));
        }
    }
    m_writer.PngRgb(name, strip, QColor());
}

void TablePainter::Boards() {
    // Speech bubbles: tail down-right (bottom and right seats), up-left (top and left seats).
    for (int kind = 1; kind <= 2; ++kind) {
        QImage bubble = ArtStyle::Transparent(131, 88);
        QPainter painter(&bubble);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath path;
        const QRectF body = kind == 1 ? QRectF(1.5, 1.5, 128, 72) : QRectF(1.5, 14.5, 128, 72);
        path.addRoundedRect(body, 12, 12);
        QPainterPath tail;
        if (kind == 1) {
            tail.moveTo(92, 70);
            tail.lineTo(112, 86);
            tail.lineTo(108, 70);
        } else {
            tail.moveTo(22, 18);
            tail.lineTo(18, 1.5);
            tail.lineTo(40, 18);
        }
        path = path.united(tail);
        painter.setPen(QPen(QColor(0x50, 0x80, 0xB0), 1.5));
        painter.setBrush(QColor(0xFF, 0xFF, 0xF4, 240));
        painter.drawPath(path);
        painter.end();
        m_writer.Png(QStringLiteral("KepVestrano_BITMAPDIALOG%1").arg(kind), bubble);
    }

    QImage score = ArtStyle::Transparent(359, 195);
    {
        QPainter painter(&score);
        painter.setRenderHint(QPainter::Antialiasing);
        QLinearGradient fill(0, 0, 0, 195);
        fill.setColorAt(0, QColor(0xFF, 0xF6, 0xDC));
        fill.setColorAt(1, QColor(0xF4, 0xE2, 0xB0));
        painter.setPen(QPen(QColor(0x8C, 0x50, 0x18), 3));
        painter.setBrush(fill);
        painter.drawRoundedRect(QRectF(1.5, 1.5, 356, 192), 14, 14);
        QLinearGradient band(0, 6, 0, 46);
        band.setColorAt(0, QColor(0xE0, 0x58, 0x28));
        band.setColorAt(1, QColor(0xB0, 0x30, 0x18));
        painter.setPen(Qt::NoPen);
        painter.setBrush(band);
        painter.drawRoundedRect(QRectF(8, 8, 343, 40), 10, 10);
        ArtStyle::Caption(painter, QRectF(8, 8, 343, 40), QStringLiteral("本局结算"),
                          ArtStyle::Kai(26), QColor(0xFF, 0xF0, 0xA0), QColor(0x60, 0x10, 0));
        // Row rules under the four result lines (written from top 70, 26 pixels apart).
        painter.setPen(QPen(QColor(0xC8, 0xA0, 0x60), 1, Qt::DotLine));
        for (int i = 0; i < 4; ++i)
            painter.drawLine(QPointF(16, 88.5 + 26 * i), QPointF(343, 88.5 + 26 * i));
    }
    m_writer.Png(QStringLiteral("KepVestrano_BITMAPSCORE"), score);

    QImage choice = ArtStyle::Transparent(160, 124);
    {
        QPainter painter(&choice);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(0xF8, 0xD0, 0x40), 2));
        painter.setBrush(QColor(0x10, 0x30, 0x20, 170));
        painter.drawRoundedRect(QRectF(1, 1, 158, 122), 10, 10);
        ArtStyle::Caption(painter, QRectF(0, 104, 160, 18), QStringLiteral("点击选择此出法"),
                          ArtStyle::Kai(14), QColor(0xFF, 0xF0, 0xA0), QColor(0, 0, 0), 2);
    }
    m_writer.Png(QStringLiteral("KepVestrano_IMAGECANSELECT"), choice);

    QImage tip = ArtStyle::Transparent(162, 18);
    {
        QPainter painter(&tip);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(0xF8, 0xD0, 0x40), 1));
        painter.setBrush(QColor(0x20, 0x20, 0x20, 190));
        painter.drawRoundedRect(QRectF(0.5, 0.5, 161, 17), 8, 8);
        ArtStyle::Caption(painter, QRectF(0, 0, 162, 18), QStringLiteral("按住左键拖过即可选牌"),
                          ArtStyle::Ming(13), QColor(0xFF, 0xF4, 0xC0), Qt::black, 0);
    }
    m_writer.Png(QStringLiteral("KepVestrano_BITMAPNoSelect1"), tip);
}

QImage TablePainter::Felt(QColor centre, QColor edge, unsigned seed) const {
    QImage felt(1024, 734, QImage::Format_RGB32);
    {
        QPainter painter(&felt);
        QRadialGradient light(QPointF(405, 330), 620);
        light.setColorAt(0, centre);
        light.setColorAt(1, edge);
        painter.fillRect(felt.rect(), light);
        // The play area: an oval rim of slightly lighter cloth, like a table's inlay.
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(255, 255, 255, 28), 3));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(40, 40, 731, 618), 120, 120);
        painter.setPen(QPen(QColor(0, 0, 0, 30), 2));
        painter.drawRoundedRect(QRectF(44, 44, 723, 610), 116, 116);
    }
    // Fine cloth grain from a fixed seed, so every build writes the same picture.
    std::mt19937 random(seed);
    for (int y = 0; y < felt.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(felt.scanLine(y));
        for (int x = 0; x < felt.width(); ++x) {
            const int n = int(random() % 11) - 5;
            const QRgb c = line[x];
            line[x] = qRgb(std::clamp(qRed(c) + n, 0, 255), std::clamp(qGreen(c) + n, 0, 255),
                           std::clamp(qBlue(c) + n, 0, 255));
        }
    }
    return felt;
}

void TablePainter::Backgrounds() {
    m_writer.Jpeg(QStringLiteral("KepVestrano_BITMAPBBACK01"),
                  Felt(QColor(0x2E, 0x8A, 0x50), QColor(0x0E, 0x40, 0x24), 1));
    m_writer.Jpeg(QStringLiteral("KepVestrano_BITMAPBBACK11"),
                  Felt(QColor(0x30, 0x6C, 0xA8), QColor(0x10, 0x28, 0x50), 2));
}
