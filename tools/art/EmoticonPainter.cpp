#include "EmoticonPainter.h"

#include "ArtStyle.h"
#include "ArtWriter.h"

#include "resources/ArtCatalog.h"

#include <QPainter>

#include <array>

namespace {

// The emoji's native bitmap size; drawing there and scaling down once keeps the
// result independent of how the font engine scales colour bitmaps.
constexpr int kNativeSize = 109;
constexpr int kCanvas = 136;

// One emoji per code, picked for the name shown beside it. Codes 45 to 51 show the
// game window's own names (donkey, money, lips, vomit, telephone, time, crying).
constexpr std::array<char32_t, Resources::kEmoticonCount> kEmoji = {
    0x1F642, 0x1F615, 0x1F60D, 0x1F610, 0x1F60F, 0x1F622, 0x1F60A, 0x1F910, 0x1F634, 0x1F62D,
    0x1F62C, 0x1F621, 0x1F61C, 0x1F601, 0x1F62E, 0x1F641, 0x1F60E, 0x1F630, 0x1F62B, 0x1F92E,
    0x1F92D, 0x1F970, 0x1F644, 0x1F624, 0x1F924, 0x1F62A, 0x1F631, 0x1F613, 0x1F604, 0x1F482,
    0x1F4AA, 0x1F92C, 0x1F914, 0x1F92B, 0x1F635, 0x1F616, 0x1F61E, 0x1F480, 0x1F528, 0x1F44B,
    0x1F625, 0x1F443, 0x1F44F, 0x1F633, 0x1F608, 0x1F434, 0x1F4B0, 0x1F48B, 0x1F922, 0x1F4DE,
    0x023F0, 0x1F62D, 0x1F618, 0x1F628, 0x1F97A, 0x1F52A, 0x1F349, 0x1F37A, 0x1F3C0, 0x1F3D3,
    0x02615, 0x1F35A, 0x1F437, 0x1F339, 0x1F940, 0x1F498, 0x02764, 0x1F494, 0x1F382, 0x026A1,
    0x1F4A3, 0x1F5E1, 0x026BD, 0x1F41E, 0x1F4A9, 0x1F319, 0x02600, 0x1F381, 0x1F917, 0x1F44D,
    0x1F44E, 0x1F91D, 0x0270C, 0x1F64F, 0x1F919, 0x1F44A, 0x1F974, 0x1F91F, 0x1F6AB, 0x1F44C};

} // namespace

EmoticonPainter::EmoticonPainter(ArtWriter &writer)
    : m_writer(writer) {}

void EmoticonPainter::DrawAll() {
    QFont font(QStringLiteral("Noto Color Emoji"));
    font.setPixelSize(kNativeSize);
    for (int i = 0; i < Resources::kEmoticonCount; ++i) {
        QImage big = ArtStyle::Transparent(kCanvas, kCanvas);
        {
            QPainter painter(&big);
            painter.setFont(font);
            QString text = QString::fromUcs4(&kEmoji[i], 1);
            if (kEmoji[i] < 0x10000)
                text += QChar(0xFE0F); // emoji presentation, not the text glyph
            painter.drawText(big.rect(), Qt::AlignCenter, text);
        }
        // Crop to the drawn pixels, centred in a square, before scaling down.
        QRect used;
        for (int y = 0; y < kCanvas; ++y)
            for (int x = 0; x < kCanvas; ++x)
                if (qAlpha(big.pixel(x, y)) > 8)
                    used |= QRect(x, y, 1, 1);
        const int side = std::max(used.width(), used.height());
        const QRect square(used.center().x() - side / 2, used.center().y() - side / 2, side, side);
        QImage icon = ArtStyle::Transparent(Resources::kEmoticonSize, Resources::kEmoticonSize);
        {
            QPainter painter(&icon);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(QRectF(0.5, 0.5, 23, 23), big, square);
        }
        m_writer.Png(QString::fromLatin1(Resources::kEmoticonPrefix.data(),
                                         qsizetype(Resources::kEmoticonPrefix.size())) +
                         QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0')),
                     icon);
    }
}
