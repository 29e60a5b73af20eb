#include "controls/CardPictures.h"

#include "platform/ResourceImages.h"

#include <QFontMetrics>
#include <QPainter>

#include <cstdio>
#include <unordered_map>

namespace CardPictures {
namespace {

using VestranoFunc::clNone;
using VestranoFunc::TCardInfo;
using VestranoFunc::TColor;

// The only size style with pictures of its own names; the others use the "0" tables.
constexpr int ResourceSizeStyle = 1;

// The wash: a checkerboard of the tint laid over the face, 95/256 of it mixed in.
constexpr int FaceShare = 160;
constexpr int TintShare = 95;
constexpr QRgb WashSkipColor = 0xFF00FF; // pixels of this colour keep their face

// The label of a substituted joker: red, bold, in a cell 22 pixels high, near the left
// edge at the height of the card's middle; "10" is squeezed into the width of one digit.
constexpr int LabelCellHeight = 22;
const QPoint LabelOrigin(1, 58);
const QPoint LabelTenZeroOrigin(8, 58);
constexpr int TenValue = 10;

struct TPictureKey {
    std::string Name;
    TColor Tint;
    int ShownValue;

    bool operator==(const TPictureKey &) const = default;
};

struct TPictureKeyHash {
    size_t operator()(const TPictureKey &key) const {
        size_t hash = std::hash<std::string>()(key.Name);
        hash ^= std::hash<uint64_t>()((uint64_t(key.Tint) << 8) ^ uint64_t(key.ShownValue)) +
                0x9e3779b97f4a7c15ULL + (hash << 6) + (hash >> 2);
        return hash;
    }
};

struct TStore {
    TImageLoader Loader;
    std::unordered_map<TPictureKey, QImage, TPictureKeyHash> Prepared;
};

TStore &Store() {
    static TStore store;
    return store;
}

QImage Load(std::string_view name) {
    const TStore &store = Store();
    return store.Loader ? store.Loader(name) : Platform::ResourceImage(name);
}

QFont LabelFont() {
    static const QFont font = [] {
        QFont label(QStringLiteral("楷体_GB2312"));
        label.setBold(true);
        // A cell height: scale the em so that ascent plus descent come to 22 pixels.
        label.setPixelSize(LabelCellHeight);
        const int cell = QFontMetrics(label).height();
        if (cell > LabelCellHeight)
            label.setPixelSize(std::max(1, LabelCellHeight * LabelCellHeight / cell));
        return label;
    }();
    return font;
}

// Pictures without an alpha channel mark their surroundings with the colour of their
// bottom-left pixel (the corners); pictures with one are transparent there already.
void MakeCornersTransparent(QImage &picture) {
    const QRgb corner = picture.pixel(0, picture.height() - 1);
    if (qAlpha(corner) < 255)
        return;
    for (int y = 0; y < picture.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            if (line[x] == corner)
                line[x] = 0;
        }
    }
}

void Wash(QImage &picture, TColor tint) {
    const QRgb tintRgb = qRgb(int(tint & 0xFF), int((tint >> 8) & 0xFF), int((tint >> 16) & 0xFF));
    for (int y = 0; y < picture.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < picture.width(); ++x) {
            const QRgb face = line[x];
            if (qAlpha(face) == 0)
                continue;
            const QRgb over = (x + y) % 2 == 0 ? tintRgb : face;
            if ((over & 0xFFFFFF) == WashSkipColor)
                continue;
            const auto mix = [](int faceChannel, int overChannel) {
                return (FaceShare * faceChannel + TintShare * overChannel) >> 8;
            };
            line[x] = qRgba(mix(qRed(face), qRed(over)), mix(qGreen(face), qGreen(over)),
                            mix(qBlue(face), qBlue(over)), qAlpha(face));
        }
    }
}

void DrawLabel(QImage &picture, const TCardInfo &card) {
    QPainter painter(&picture);
    painter.setFont(LabelFont());
    painter.setPen(Qt::red);
    const auto text = [&painter](QPoint origin, std::string_view label) {
        painter.drawText(QRect(origin, QSize(LabelCellHeight * 2, LabelCellHeight * 2)),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                         QString::fromLatin1(label.data(), qsizetype(label.size())));
    };
    if (card.ShownValue == TenValue) {
        text(LabelOrigin, "1");
        text(LabelTenZeroOrigin, "0");
    } else {
        text(LabelOrigin, LabelOf(card));
    }
}

QImage Prepare(const QImage &source, const TCardInfo &card, bool face) {
    const bool washed = face && card.Tint != clNone;
    const bool labelled = face && !LabelOf(card).empty();
    QImage picture = source.convertToFormat(QImage::Format_ARGB32);
    MakeCornersTransparent(picture);
    if (washed)
        Wash(picture, card.Tint);
    if (labelled)
        DrawLabel(picture, card);
    return picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

void SetLoader(TImageLoader loader) {
    TStore &store = Store();
    store.Loader = std::move(loader);
    store.Prepared.clear();
}

std::string ImageName(const TCardInfo &card, int sizeStyle) {
    const bool ownNames = sizeStyle == ResourceSizeStyle;
    if (card.Back > 0) {
        char name[32];
        std::snprintf(name, sizeof name,
                      ownNames ? VestranoFunc::CardBackImageFormat
                               : VestranoFunc::CardBackImageFormat0,
                      int(card.Back - 1));
        return name;
    }
    if (card.Index >= VestranoFunc::CardCount)
        return {};
    const auto &names = ownNames ? VestranoFunc::CardImageNames : VestranoFunc::CardImageNames0;
    return std::string(names[card.Index]);
}

QImage Picture(const TCardInfo &card, int sizeStyle) {
    const bool face = card.Back <= 0;
    const bool labelled = face && !LabelOf(card).empty();
    TPictureKey key{ImageName(card, sizeStyle), face ? card.Tint : clNone,
                    labelled ? card.ShownValue : 0};
    if (key.Name.empty())
        return {};
    TStore &store = Store();
    if (auto found = store.Prepared.find(key); found != store.Prepared.end())
        return found->second;
    const QImage source = Load(key.Name);
    QImage prepared = source.isNull() ? QImage() : Prepare(source, card, face);
    store.Prepared.emplace(std::move(key), prepared);
    return prepared;
}

std::string_view LabelOf(const TCardInfo &card) {
    if (card.ShownValue < 1 || card.ShownValue > int(VestranoFunc::RankTexts.size()) ||
        card.ShownValue == card.Value)
        return {};
    return VestranoFunc::RankTexts[size_t(card.ShownValue - 1)];
}

} // namespace CardPictures
