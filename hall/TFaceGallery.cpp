#include "hall/TFaceGallery.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>

#include <array>

namespace {

constexpr std::array<QRgb, 8> Backgrounds = {0xFF7FB3D5, 0xFFF5B7B1, 0xFFA9DFBF, 0xFFF9E79F,
                                             0xFFD7BDE2, 0xFFAED6F1, 0xFFF8C471, 0xFFA3E4D7};
constexpr std::array<QRgb, 4> Skins = {0xFFFCE0C8, 0xFFF1C27D, 0xFFE0AC69, 0xFFC68642};
constexpr std::array<QRgb, 5> Hairs = {0xFF2C1B10, 0xFF6B4226, 0xFFB5651D, 0xFF1C1C1C, 0xFFD4A017};

// The picture's traits are digits of its number in mixed bases, so neighbours differ.
struct Traits {
    QColor Background, Skin, Hair;
    int HairStyle = 0;
    bool Glasses = false;
    bool Blush = false;
};

Traits TraitsOf(int number) {
    const unsigned n = static_cast<unsigned>(number) * 2654435761u >> 8;
    Traits traits;
    traits.Background = QColor::fromRgba(Backgrounds[number % Backgrounds.size()]);
    traits.Skin = QColor::fromRgba(Skins[n % Skins.size()]);
    traits.Hair = QColor::fromRgba(Hairs[(n / 4) % Hairs.size()]);
    traits.HairStyle = static_cast<int>((n / 20) % 3);
    traits.Glasses = (n / 60) % 4 == 0;
    traits.Blush = (n / 240) % 2 == 0;
    return traits;
}

// Written whole or not at all: two halls starting at once may both draw the faces.
bool Save(const QImage &image, const QString &fileName, const char *format) {
    QSaveFile file(fileName);
    return file.open(QIODevice::WriteOnly) && image.save(&file, format) && file.commit();
}

} // namespace

QImage TFaceGallery::Draw(int number) {
    QImage image(FaceSize, FaceSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    if (number > 0) {
        DrawPerson(image, number);
        return image;
    }
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xC8, 0xCC, 0xD0));
    painter.drawEllipse(QRectF(2, 2, 44, 44));
    painter.setBrush(QColor(0x8A, 0x90, 0x98));
    painter.drawEllipse(QRectF(16, 9, 16, 17));
    painter.drawChord(QRectF(8, 28, 32, 30), 0, 180 * 16);
    return image;
}

void TFaceGallery::DrawPerson(QImage &image, int number) {
    const Traits t = TraitsOf(number);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(t.Background);
    painter.drawEllipse(QRectF(1, 1, 46, 46));
    // Shoulders, then the head over them.
    painter.setBrush(t.Background.darker(140));
    painter.drawChord(QRectF(7, 34, 34, 26), 0, 180 * 16);
    painter.setBrush(t.Hair);
    if (t.HairStyle == 2)
        painter.drawRoundedRect(QRectF(11, 10, 26, 30), 10, 10);
    painter.setBrush(t.Skin);
    painter.drawEllipse(QRectF(13, 11, 22, 25));
    painter.setBrush(t.Hair);
    if (t.HairStyle == 0) {
        painter.drawChord(QRectF(12, 8, 24, 18), 0, 180 * 16);
    } else {
        QPainterPath fringe;
        fringe.moveTo(12, 20);
        fringe.cubicTo(12, 6, 36, 6, 36, 20);
        fringe.lineTo(30, 16);
        fringe.lineTo(24, 19);
        fringe.lineTo(18, 15);
        fringe.closeSubpath();
        painter.drawPath(fringe);
    }
    painter.setBrush(QColor(0x33, 0x2A, 0x24));
    painter.drawEllipse(QRectF(18.5, 21, 3, 3.5));
    painter.drawEllipse(QRectF(26.5, 21, 3, 3.5));
    if (t.Blush) {
        painter.setBrush(QColor(0xF0, 0x80, 0x80, 0x70));
        painter.drawEllipse(QRectF(15.5, 26, 4, 2.5));
        painter.drawEllipse(QRectF(28.5, 26, 4, 2.5));
    }
    QPen mouth(QColor(0xA0, 0x40, 0x40), 1.4);
    mouth.setCapStyle(Qt::RoundCap);
    painter.setPen(mouth);
    painter.setBrush(Qt::NoBrush);
    painter.drawArc(QRectF(20, 24, 8, 6), 200 * 16, 140 * 16);
    if (t.Glasses) {
        painter.setPen(QPen(QColor(0x30, 0x30, 0x30), 1.2));
        painter.drawEllipse(QRectF(16.5, 19.5, 7, 6));
        painter.drawEllipse(QRectF(24.5, 19.5, 7, 6));
        painter.drawLine(QPointF(23.5, 22.5), QPointF(24.5, 22.5));
    }
}

bool TFaceGallery::Provide(const QString &faceFolder, QString &error) {
    if (!QDir().mkpath(faceFolder)) {
        error = QStringLiteral("cannot create the face folder %1").arg(faceFolder);
        return false;
    }
    for (int number = 0; number < FaceCount; ++number) {
        const QString base = faceFolder + QLatin1Char('/') + QString::number(number);
        const bool havePng = QFileInfo::exists(base + QStringLiteral(".png"));
        const bool haveBmp = QFileInfo::exists(base + QStringLiteral(".bmp"));
        if (havePng && haveBmp)
            continue;
        const QImage face = Draw(number);
        // A bitmap has no alpha: the face lies on white, as drawn.
        if ((!havePng && !Save(face, base + QStringLiteral(".png"), "PNG")) ||
            (!haveBmp && !Save(face.convertToFormat(QImage::Format_RGB888),
                               base + QStringLiteral(".bmp"), "BMP"))) {
            error = QStringLiteral("cannot write the face picture %1").arg(base);
            return false;
        }
    }
    return true;
}
