#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainterPath>
#include <QRectF>
#include <QString>

class QPainter;

// The shared look of every generated picture: fonts, suit shapes, glossy buttons and
// outlined captions, so the table, the window and the panels read as one product.
class ArtStyle final {
public:
    enum class ButtonState { Normal, Pressed, Over, Disabled };

    static QFont Kai(int pixelSize, bool bold = true);
    static QFont Ming(int pixelSize, bool bold = false);
    static QFont Sans(int pixelSize, bool bold = true);

    // A suit symbol (0 spades, 1 hearts, 2 clubs, 3 diamonds) filling `box`.
    static QPainterPath Suit(int suit, const QRectF &box);
    static QColor SuitColor(int suit);

    static QImage Transparent(int width, int height);
    // A rounded glossy button face in `base`, shaded for `state`.
    static void Button(QPainter &painter, const QRectF &rect, QColor base, ButtonState state,
                       qreal radius);
    // Text centred in `rect`, filled in `fill` with a soft outline in `outline`.
    static void Caption(QPainter &painter, const QRectF &rect, const QString &text,
                        const QFont &font, QColor fill, QColor outline, qreal outlineWidth = 2.5);
    static QColor Shade(QColor color, int lighter);
};
