#include "WindowPainter.h"

#include "ArtWriter.h"

#include <QPainter>
#include <QPainterPath>

namespace {

using State = ArtStyle::ButtonState;

constexpr int kWindowWidth = 1024;
constexpr int kWindowHeight = 734;
constexpr int kTitleHeight = 38;
constexpr int kColumnLeft = 811;
constexpr int kColumnWidth = kWindowWidth - kColumnLeft;
constexpr int kColumnHeight = kWindowHeight - kTitleHeight;
const QColor kKey(0xFF, 0x00, 0xFF);
const QColor kFrame(0x1C, 0x4C, 0x78);
const QColor kFrameLight(0x5A, 0x9A, 0xC8);
const QColor kColumn(0x3A, 0x72, 0x90);

QString Suffix(State state) {
    return state == State::Normal    ? QStringLiteral("1")
           : state == State::Pressed ? QStringLiteral("2")
                                     : QStringLiteral("3");
}

QColor TitleTint(State state) {
    return state == State::Over ? QColor(0xFF, 0xF0, 0xA0) : QColor(0xFF, 0xFF, 0xFF);
}

// A panel face: a blue title band over a pale body with a fine frame.
void PanelFace(QPainter &painter, const QRectF &rect, int titleHeight) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kFrame, 1));
    painter.setBrush(QColor(0xE8, 0xF0, 0xF6));
    painter.drawRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
    if (titleHeight > 0) {
        QLinearGradient band(0, 0, 0, titleHeight);
        band.setColorAt(0, kFrameLight);
        band.setColorAt(1, kFrame);
        painter.setPen(Qt::NoPen);
        painter.setBrush(band);
        QPainterPath top;
        top.addRoundedRect(rect.adjusted(1, 1, -1, 0), 5, 5);
        QPainterPath clip;
        clip.addRect(QRectF(rect.left(), rect.top(), rect.width(), titleHeight));
        painter.drawPath(top.intersected(clip));
    }
}

} // namespace

WindowPainter::WindowPainter(ArtWriter &writer)
    : m_writer(writer) {}

void WindowPainter::DrawAll() {
    Background();
    TitleButtons();
    Lists();
    Skins();
}

void WindowPainter::Background() {
    QImage image(kWindowWidth, kWindowHeight, QImage::Format_RGB32);
    image.fill(kKey);
    QPainter painter(&image);
    // The outline is cut from the key colour, so it is drawn without blending into it.
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPainterPath outline;
    outline.addRoundedRect(QRectF(0, 0, kWindowWidth, kWindowHeight), 10, 10);
    QLinearGradient frame(0, 0, 0, kWindowHeight);
    frame.setColorAt(0, kFrameLight);
    frame.setColorAt(0.05, kFrame);
    frame.setColorAt(1, kFrame.darker(140));
    painter.setPen(Qt::NoPen);
    painter.setBrush(frame);
    painter.drawPath(outline);
    painter.setRenderHint(QPainter::Antialiasing, true);
    // Title strip with a glossy upper half.
    QLinearGradient title(0, 0, 0, kTitleHeight);
    title.setColorAt(0, QColor(0x7A, 0xBA, 0xE8));
    title.setColorAt(0.5, QColor(0x3A, 0x84, 0xC0));
    title.setColorAt(1, QColor(0x1C, 0x58, 0x90));
    painter.setBrush(title);
    QPainterPath strip;
    strip.addRect(QRectF(0, 0, kWindowWidth, kTitleHeight));
    painter.drawPath(strip.intersected(outline));
    // A faint row of suits between the title buttons, and a gold rule under the strip.
    for (int i = 0; i < 8; ++i) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 255, 255, 36));
        painter.drawPath(ArtStyle::Suit(i % 4, QRectF(775 + 19 * i, 11, 13, 15)));
    }
    painter.setPen(QPen(QColor(0xE8, 0xC0, 0x50), 1));
    painter.drawLine(QPointF(5, kTitleHeight - 1.5), QPointF(kWindowWidth - 5, kTitleHeight - 1.5));
    // The game area and the right column under the title strip; the frame shows only as a
    // thin edge around the game area, which the table covers.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x0E, 0x40, 0x24));
    painter.drawRect(QRectF(5, kTitleHeight, kColumnLeft - 5, kColumnHeight - 5));
    painter.setBrush(kColumn);
    painter.drawRect(QRectF(kColumnLeft, kTitleHeight, kColumnWidth - 5, kColumnHeight - 5));
    painter.end();
    m_writer.Jpeg(QStringLiteral("KepVestrano_BTIMAPBIGBACK"), image);
}

void WindowPainter::TitleSet(const QString &stem, int width, int height, const QString &caption,
                             const Icon &icon) {
    for (State state : {State::Normal, State::Pressed, State::Over}) {
        QImage image = ArtStyle::Transparent(width, height);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        if (state != State::Normal) {
            painter.setPen(QPen(QColor(255, 255, 255, 150), 1));
            painter.setBrush(state == State::Pressed ? QColor(0, 0, 0, 60)
                                                     : QColor(255, 255, 255, 50));
            painter.drawRoundedRect(QRectF(0.5, 0.5, width - 1, height - 1), 4, 4);
        }
        const qreal shift = state == State::Pressed ? 1 : 0;
        const QRectF iconBox = caption.isEmpty()
                                   ? QRectF(0, 0, width, height).adjusted(6, 4, -6, -4)
                                   : QRectF(4, 4, height - 8, height - 8);
        icon(painter, iconBox.translated(shift, shift), TitleTint(state));
        if (!caption.isEmpty())
            ArtStyle::Caption(painter, QRectF(height - 2 + shift, shift, width - height, height),
                              caption, ArtStyle::Kai(15), TitleTint(state), kFrame, 2);
        painter.end();
        m_writer.Png(stem + Suffix(state), image);
    }
}

void WindowPainter::TitleButtons() {
    const QString p = QStringLiteral("KepVestrano_TITLE");
    const auto pen = [](QPainter &painter, QColor ink, qreal width = 1.8) {
        painter.setPen(QPen(ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
    };
    TitleSet(p + "LOGO", 40, 32, {}, [](QPainter &painter, const QRectF &, QColor ink) {
        // Two fanned cards, a spade over a heart.
        for (int card = 0; card < 2; ++card) {
            painter.save();
            painter.translate(card == 0 ? 15 : 24, 17);
            painter.rotate(card == 0 ? -14 : 10);
            painter.setPen(QPen(QColor(0x10, 0x30, 0x50), 1));
            painter.setBrush(ink == Qt::white ? QColor(Qt::white) : QColor(0xFF, 0xF8, 0xD8));
            painter.drawRoundedRect(QRectF(-9, -13, 18, 26), 2.5, 2.5);
            const int suit = card == 0 ? 1 : 0;
            painter.setPen(Qt::NoPen);
            painter.setBrush(ArtStyle::SuitColor(suit));
            painter.drawPath(ArtStyle::Suit(suit, QRectF(-6, -6, 12, 12)));
            painter.restore();
        }
    });
    TitleSet(p + "MAIN", 56, 16, {}, [](QPainter &painter, const QRectF &, QColor ink) {
        ArtStyle::Caption(painter, QRectF(0, 0, 56, 16), QStringLiteral("游戏主页"),
                          ArtStyle::Ming(12), ink, kFrame, 2);
    });
    TitleSet(p + "SETUP", 80, 26, QStringLiteral("设置"),
             [&](QPainter &painter, const QRectF &r, QColor ink) {
                 pen(painter, ink, 2.2);
                 painter.drawEllipse(r.center(), r.width() / 2 - 2, r.height() / 2 - 2);
                 painter.drawEllipse(r.center(), 2, 2);
             });
    TitleSet(p + "TOPIC", 80, 26, QStringLiteral("换背景"),
             [&](QPainter &painter, const QRectF &r, QColor ink) {
                 pen(painter, ink);
                 painter.drawRect(r.adjusted(0, 2, 0, -2));
                 painter.drawPolyline(QPolygonF({QPointF(r.left(), r.bottom() - 3),
                                                 QPointF(r.center().x() - 2, r.center().y()),
                                                 QPointF(r.right(), r.bottom() - 3)}));
             });
    TitleSet(p + "SCREEN", 80, 26, QStringLiteral("截图"),
             [&](QPainter &painter, const QRectF &r, QColor ink) {
                 pen(painter, ink);
                 painter.drawRoundedRect(r.adjusted(0, 3, 0, -1), 2, 2);
                 painter.drawEllipse(r.center() + QPointF(0, 1), 3.5, 3.5);
             });
    TitleSet(p + "ADVICE", 80, 26, QStringLiteral("反馈"),
             [&](QPainter &painter, const QRectF &r, QColor ink) {
                 pen(painter, ink);
                 painter.drawRect(r.adjusted(0, 3, 0, -3));
                 painter.drawPolyline(QPolygonF(
                     {r.topLeft() + QPointF(0, 3), r.center(), r.topRight() + QPointF(0, 3)}));
             });
    TitleSet(p + "HELP", 26, 22, {}, [](QPainter &painter, const QRectF &r, QColor ink) {
        ArtStyle::Caption(painter, r, QStringLiteral("?"), ArtStyle::Sans(15), ink, kFrame, 2);
    });
    TitleSet(p + "MIN", 26, 22, {}, [&](QPainter &painter, const QRectF &r, QColor ink) {
        pen(painter, ink, 2.4);
        painter.drawLine(QPointF(r.left() + 2, r.bottom() - 3),
                         QPointF(r.right() - 2, r.bottom() - 3));
    });
    TitleSet(p + "RESTORE", 26, 22, {}, [&](QPainter &painter, const QRectF &r, QColor ink) {
        pen(painter, ink, 1.6);
        painter.drawRect(r.adjusted(4, 0, 0, -4));
        painter.drawRect(r.adjusted(0, 4, -4, 0));
    });
    TitleSet(p + "MAX", 26, 22, {}, [&](QPainter &painter, const QRectF &r, QColor ink) {
        pen(painter, ink, 1.8);
        painter.drawRect(r.adjusted(1, 0, -1, 0));
        painter.drawLine(r.topLeft() + QPointF(1, 2), r.topRight() + QPointF(-1, 2));
    });
    TitleSet(p + "CLOSE", 26, 22, {}, [&](QPainter &painter, const QRectF &r, QColor ink) {
        pen(painter, ink == Qt::white ? ink : QColor(0xFF, 0x90, 0x80), 2.4);
        const QRectF x = r.adjusted(2, 0, -2, 0);
        painter.drawLine(x.topLeft(), x.bottomRight());
        painter.drawLine(x.topRight(), x.bottomLeft());
    });
    TitleSet(p + "TIP", 18, 18, {}, [](QPainter &painter, const QRectF &, QColor) {
        painter.setPen(QPen(Qt::white, 1));
        painter.setBrush(QColor(0x20, 0x80, 0xE0));
        painter.drawEllipse(QRectF(1.5, 1.5, 15, 15));
        ArtStyle::Caption(painter, QRectF(0, 0, 18, 18), QStringLiteral("i"), ArtStyle::Sans(12),
                          Qt::white, Qt::white, 0);
    });
}

void WindowPainter::Lists() {
    // Image lists hold normal, mouse over, pressed, disabled side by side.
    const State states[4] = {State::Normal, State::Over, State::Pressed, State::Disabled};
    QImage text = ArtStyle::Transparent(300, 25);
    QImage close = ArtStyle::Transparent(68, 17);
    {
        QPainter t(&text);
        QPainter c(&close);
        for (int i = 0; i < 4; ++i) {
            ArtStyle::Button(t, QRectF(75 * i, 0, 75, 25), QColor(0x3A, 0x84, 0xC0), states[i], 6);
            ArtStyle::Button(c, QRectF(17 * i, 0, 17, 17), QColor(0xC8, 0x40, 0x30), states[i], 4);
            c.setRenderHint(QPainter::Antialiasing);
            c.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap));
            c.drawLine(QPointF(17 * i + 5, 5), QPointF(17 * i + 12, 12));
            c.drawLine(QPointF(17 * i + 12, 5), QPointF(17 * i + 5, 12));
        }
    }
    m_writer.Png(QStringLiteral("KepVestrano_LISTBUTTON"), text);
    m_writer.Png(QStringLiteral("KepVestrano_LISTCLOSE"), close);

    // Chat panel: emoticons, text colour, send, clear.
    QImage chat = ArtStyle::Transparent(352, 22);
    {
        QPainter painter(&chat);
        for (int button = 0; button < 4; ++button) {
            for (int s = 0; s < 4; ++s) {
                const QRectF cell(88 * button + 22 * s, 0, 22, 22);
                ArtStyle::Button(painter, cell, QColor(0x5A, 0x9A, 0xC8), states[s], 5);
                painter.setRenderHint(QPainter::Antialiasing);
                const QColor ink = states[s] == State::Disabled ? QColor(0xE0, 0xE0, 0xE0)
                                                                : QColor(0xFF, 0xFF, 0xFF);
                const QRectF r = cell.adjusted(5, 5, -5, -5);
                painter.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap));
                painter.setBrush(Qt::NoBrush);
                switch (button) {
                case 0:
                    painter.setBrush(QColor(0xF8, 0xD0, 0x40));
                    painter.drawEllipse(r);
                    painter.drawArc(r.adjusted(3, 3, -3, -3), 200 * 16, 140 * 16);
                    break;
                case 1:
                    for (int k = 0; k < 3; ++k) {
                        painter.setPen(Qt::NoPen);
                        painter.setBrush(QColor::fromHsv(k * 120, 200, 240));
                        painter.drawEllipse(QRectF(r.left() + k * 4, r.top() + (k % 2) * 5, 6, 6));
                    }
                    break;
                case 2:
                    painter.drawPolyline(
                        QPolygonF({r.topLeft(), r.bottomLeft() + QPointF(0, -5),
                                   r.bottomRight() + QPointF(0, -6), r.topLeft()}));
                    break;
                default:
                    painter.drawLine(r.topLeft(), r.bottomRight());
                    painter.drawRect(r.adjusted(2, 4, -2, 0));
                    break;
                }
            }
        }
    }
    m_writer.Png(QStringLiteral("KepVestrano_LISTCHAT"), chat);

    QImage check = ArtStyle::Transparent(26, 13);
    {
        QPainter painter(&check);
        painter.setRenderHint(QPainter::Antialiasing);
        for (int i = 0; i < 2; ++i) {
            painter.setPen(QPen(kFrame, 1));
            painter.setBrush(Qt::white);
            painter.drawRoundedRect(QRectF(13 * i + 0.5, 0.5, 12, 12), 2, 2);
        }
        painter.setPen(QPen(QColor(0x20, 0x90, 0x30), 2, Qt::SolidLine, Qt::RoundCap));
        painter.drawPolyline(QPolygonF({QPointF(16.5, 6.5), QPointF(19, 9.5), QPointF(23, 3)}));
    }
    m_writer.Png(QStringLiteral("KepVestrano_LISTCHECK"), check);

    QImage combo = ArtStyle::Transparent(18, 20);
    {
        QPainter painter(&combo);
        ArtStyle::Button(painter, QRectF(0, 0, 18, 20), QColor(0x5A, 0x9A, 0xC8), State::Normal, 3);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::white);
        painter.drawPolygon(QPolygonF({QPointF(5, 8), QPointF(13, 8), QPointF(9, 13)}));
    }
    m_writer.Png(QStringLiteral("KepVestrano_IMAGECOMBOX"), combo);
}

void WindowPainter::Skins() {
    // The right column (below the title strip) holds the player card at the top, the player
    // list at (9, 98), the advertisement at (7, 223) and the chat at (2, 335).
    QImage right(kColumnWidth, kColumnHeight, QImage::Format_ARGB32_Premultiplied);
    {
        QPainter painter(&right);
        QLinearGradient fill(0, 0, kColumnWidth, 0);
        fill.setColorAt(0, kColumn.darker(115));
        fill.setColorAt(0.5, kColumn);
        fill.setColorAt(1, kColumn.darker(115));
        painter.fillRect(right.rect(), fill);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(0xA8, 0xCC, 0xE0), 1));
        painter.setBrush(QColor(0x24, 0x54, 0x70));
        painter.drawRoundedRect(QRectF(4.5, 4.5, kColumnWidth - 14, 88), 8, 8);
        painter.setBrush(QColor(0x18, 0x40, 0x58));
        painter.drawRoundedRect(QRectF(11.5, 11.5, 74, 74), 6, 6);
        painter.setPen(QPen(QColor(0xA8, 0xCC, 0xE0, 120), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(QRectF(6.5, 96.5, 190, 106), 4, 4);
        painter.drawRoundedRect(QRectF(5.5, 221.5, 193, 112), 4, 4);
    }
    m_writer.Png(QStringLiteral("KepVestrano_BIGRIGHT"), right);

    QImage list = ArtStyle::Transparent(186, 102);
    {
        QPainter painter(&list);
        PanelFace(painter, QRectF(0, 0, 186, 102), 0);
    }
    m_writer.Png(QStringLiteral("KepVestrano_BTIMAPBUSERLIST"), list);

    // Chat: the view inset 7, 7, 4 and 55 from the edges, the input along the bottom.
    QImage chat = ArtStyle::Transparent(200, 351);
    {
        QPainter painter(&chat);
        PanelFace(painter, QRectF(0, 0, 200, 351), 0);
        painter.setPen(QPen(QColor(0x9A, 0xB8, 0xCC), 1));
        painter.setBrush(QColor(0xE0, 0xE9, 0xEF));
        painter.drawRoundedRect(QRectF(6.5, 3.5, 187, 293), 3, 3);
        painter.drawRoundedRect(QRectF(10.5, 301.5, 132, 21), 3, 3);
    }
    m_writer.Png(QStringLiteral("KepVestrano_BTIMAPBUSERCHAT"), chat);
}
