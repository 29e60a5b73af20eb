#include "ArtStyle.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>

QFont ArtStyle::Kai(int pixelSize, bool bold) {
    QFont font(QStringLiteral("AR PL UKai CN"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

QFont ArtStyle::Ming(int pixelSize, bool bold) {
    QFont font(QStringLiteral("AR PL UMing CN"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QFont ArtStyle::Sans(int pixelSize, bool bold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

QPainterPath ArtStyle::Suit(int suit, const QRectF &b) {
    const auto at = [&b](qreal x, qreal y) {
        return QPointF(b.left() + x * b.width(), b.top() + y * b.height());
    };
    QPainterPath path;
    switch (suit) {
    case 1: // heart
        path.moveTo(at(0.5, 1.0));
        path.cubicTo(at(0.38, 0.82), at(0.0, 0.6), at(0.0, 0.3));
        path.cubicTo(at(0.0, 0.05), at(0.4, -0.05), at(0.5, 0.2));
        path.cubicTo(at(0.6, -0.05), at(1.0, 0.05), at(1.0, 0.3));
        path.cubicTo(at(1.0, 0.6), at(0.62, 0.82), at(0.5, 1.0));
        break;
    case 3: // diamond
        path.moveTo(at(0.5, 0.0));
        path.quadTo(at(0.72, 0.3), at(0.92, 0.5));
        path.quadTo(at(0.72, 0.7), at(0.5, 1.0));
        path.quadTo(at(0.28, 0.7), at(0.08, 0.5));
        path.quadTo(at(0.28, 0.3), at(0.5, 0.0));
        break;
    case 0: // spade
        path.moveTo(at(0.5, 0.0));
        path.cubicTo(at(0.62, 0.2), at(1.0, 0.4), at(1.0, 0.62));
        path.cubicTo(at(1.0, 0.85), at(0.68, 0.9), at(0.53, 0.72));
        path.quadTo(at(0.56, 0.9), at(0.72, 1.0));
        path.lineTo(at(0.28, 1.0));
        path.quadTo(at(0.44, 0.9), at(0.47, 0.72));
        path.cubicTo(at(0.32, 0.9), at(0.0, 0.85), at(0.0, 0.62));
        path.cubicTo(at(0.0, 0.4), at(0.38, 0.2), at(0.5, 0.0));
        break;
    default: { // club
        const qreal r = 0.24;
        path.addEllipse(at(0.5, 0.26), r * b.width(), r * b.height());
        path.addEllipse(at(0.25, 0.57), r * b.width(), r * b.height());
        path.addEllipse(at(0.75, 0.57), r * b.width(), r * b.height());
        QPainterPath stem;
        stem.moveTo(at(0.46, 0.5));
        stem.quadTo(at(0.45, 0.88), at(0.28, 1.0));
        stem.lineTo(at(0.72, 1.0));
        stem.quadTo(at(0.55, 0.88), at(0.54, 0.5));
        stem.closeSubpath();
        path.addPath(stem);
        path.addRect(QRectF(at(0.4, 0.4), at(0.6, 0.62)));
        path.setFillRule(Qt::WindingFill);
        path = path.simplified();
        break;
    }
    }
    return path;
}

QColor ArtStyle::SuitColor(int suit) {
    return suit % 2 == 1 ? QColor(0xD0, 0x10, 0x18) : QColor(0x10, 0x10, 0x18);
}

QImage ArtStyle::Transparent(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QColor ArtStyle::Shade(QColor color, int lighter) {
    return lighter >= 100 ? color.lighter(lighter) : color.darker(10000 / lighter);
}

void ArtStyle::Button(QPainter &painter, const QRectF &rect, QColor base, ButtonState state,
                      qreal radius) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (state == ButtonState::Disabled)
        base = QColor(0x9A, 0x9E, 0xA4);
    else if (state == ButtonState::Over)
        base = base.lighter(118);
    const bool pressed = state == ButtonState::Pressed;
    const QRectF body = rect.adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    fill.setColorAt(0.0, pressed ? base.darker(135) : base.lighter(150));
    fill.setColorAt(0.48, pressed ? base.darker(115) : base.lighter(108));
    fill.setColorAt(0.52, pressed ? base.darker(105) : base);
    fill.setColorAt(1.0, pressed ? base.lighter(110) : base.darker(130));
    painter.setPen(QPen(base.darker(210), 1.0));
    painter.setBrush(fill);
    painter.drawRoundedRect(body, radius, radius);
    if (!pressed) {
        const QRectF gloss = body.adjusted(1.5, 1.5, -1.5, -body.height() * 0.5);
        QLinearGradient shine(gloss.topLeft(), gloss.bottomLeft());
        shine.setColorAt(0, QColor(255, 255, 255, 120));
        shine.setColorAt(1, QColor(255, 255, 255, 20));
        painter.setPen(Qt::NoPen);
        painter.setBrush(shine);
        painter.drawRoundedRect(gloss, radius - 1, radius - 1);
    }
    if (state == ButtonState::Over) {
        painter.setPen(QPen(QColor(255, 245, 170, 220), 1.4));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(body.adjusted(1, 1, -1, -1), radius - 1, radius - 1);
    }
    painter.restore();
}

void ArtStyle::Caption(QPainter &painter, const QRectF &rect, const QString &text,
                       const QFont &font, QColor fill, QColor outline, qreal outlineWidth) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QFontMetricsF metrics(font);
    const qreal width = metrics.horizontalAdvance(text);
    const QPointF origin(rect.center().x() - width / 2,
                         rect.center().y() + (metrics.ascent() - metrics.descent()) / 2);
    QPainterPath path;
    path.addText(origin, font, text);
    if (outlineWidth > 0) {
        painter.setPen(QPen(outline, outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
    }
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawPath(path);
    painter.restore();
}
