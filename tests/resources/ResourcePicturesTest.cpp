#include "platform/ResourceImages.h"
#include "resources/ArtCatalog.h"
#include "resources/Resources.h"

#include <QFile>
#include <QRgb>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

using Resources::ArtPicture;

constexpr QRgb kMagenta = 0xFFFF00FF;

// The window outline's measure: the summed channel difference from magenta.
int DistanceFromMagenta(QRgb pixel) {
    return std::abs(qRed(pixel) - 255) + qGreen(pixel) + std::abs(qBlue(pixel) - 255);
}

QByteArray RawBytes(const std::string &file) {
    QFile resource(QStringLiteral(":/vestrano/") + QString::fromStdString(file));
    return resource.open(QIODevice::ReadOnly) ? resource.readAll() : QByteArray();
}

struct PngHeader {
    int bitDepth = 0;
    int colorType = -1;
};

PngHeader ReadPngHeader(const QByteArray &bytes) {
    // Signature (8), chunk length (4), "IHDR" (4), width (4), height (4), depth, colour type.
    if (bytes.size() < 26 || bytes.mid(12, 4) != "IHDR")
        return {};
    return {uchar(bytes[24]), uchar(bytes[25])};
}

class ResourcePictures : public ::testing::Test {
protected:
    static void SetUpTestSuite() { Resources::Initialize(); }

    static void ExpectPicture(std::string_view name, int width, int height) {
        SCOPED_TRACE(std::string(name));
        const QImage &image = Platform::ResourceImage(name);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.width(), width);
        EXPECT_EQ(image.height(), height);
        EXPECT_EQ(image.format(), QImage::Format_ARGB32_Premultiplied);
    }
};

TEST_F(ResourcePictures, EveryTableAndWindowPictureHasItsSize) {
    for (const ArtPicture &picture : Resources::kTablePictures)
        ExpectPicture(picture.name, picture.width, picture.height);
    for (const ArtPicture &picture : Resources::kWindowPictures)
        ExpectPicture(picture.name, picture.width, picture.height);
}

TEST_F(ResourcePictures, EveryCardIs71By96WithTransparentCorners) {
    for (std::string_view card : Resources::kCardPictures) {
        ExpectPicture(card, Resources::kCardWidth, Resources::kCardHeight);
        const QImage &image = Platform::ResourceImage(card);
        EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << card;
        EXPECT_EQ(qAlpha(image.pixel(70, 95)), 0) << card;
        EXPECT_EQ(qAlpha(image.pixel(35, 48)), 255) << card;
        EXPECT_EQ(qAlpha(image.pixel(0, 48)), 255) << card;
    }
}

TEST_F(ResourcePictures, FacesAreFourBitPaletteAndJokersAndBackTwentyFourBit) {
    for (std::string_view card : Resources::kCardPictures) {
        const PngHeader header = ReadPngHeader(RawBytes(std::string(card) + ".png"));
        const bool fullColour = card == "GL" || card == "GH" || card == "B0";
        EXPECT_EQ(header.colorType, fullColour ? 2 : 3) << card;
        EXPECT_EQ(header.bitDepth, fullColour ? 8 : 4) << card;
    }
}

TEST_F(ResourcePictures, RedAndBlackSuitsAreInkedDifferently) {
    // The corner rank of a heart is red, of a spade near black.
    const auto darkestInCorner = [](std::string_view card) {
        const QImage &image = Platform::ResourceImage(card);
        QRgb best = 0xFFFFFFFF;
        for (int y = 3; y < 20; ++y)
            for (int x = 2; x < 15; ++x)
                if (qGray(image.pixel(x, y)) < qGray(best))
                    best = image.pixel(x, y);
        return best;
    };
    const QRgb heart = darkestInCorner("HA");
    const QRgb spade = darkestInCorner("SA");
    EXPECT_GT(qRed(heart), 150);
    EXPECT_LT(qGreen(heart), 60);
    EXPECT_LT(qRed(spade), 60);
}

TEST_F(ResourcePictures, NinetyEmoticonsInCodeOrder) {
    for (int i = 0; i < Resources::kEmoticonCount; ++i) {
        char code[4];
        std::snprintf(code, sizeof code, "%03d", i);
        ExpectPicture(std::string(Resources::kEmoticonPrefix) + code, Resources::kEmoticonSize,
                      Resources::kEmoticonSize);
        const QImage &image =
            Platform::ResourceImage(std::string(Resources::kEmoticonPrefix) + code);
        int covered = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                covered += qAlpha(image.pixel(x, y)) > 128;
        EXPECT_GT(covered, 24 * 24 / 5) << "emoticon " << i << " is nearly empty";
    }
    EXPECT_TRUE(Platform::ResourceImage(std::string(Resources::kEmoticonPrefix) + "090").isNull());
}

TEST_F(ResourcePictures, DigitStripCellsAreKeyedExactlyInMagenta) {
    struct Strip {
        std::string_view name;
        int cellWidth;
    };
    for (const Strip strip : {Strip{"KepVestrano_BITMAPNUMBER", 14}, Strip{"BitmapMask", 13}}) {
        SCOPED_TRACE(std::string(strip.name));
        const QImage &image = Platform::ResourceImage(strip.name);
        ASSERT_FALSE(image.isNull());
        EXPECT_EQ(image.width() / Resources::kDigitCells, strip.cellWidth);
        for (int cell = 0; cell < Resources::kDigitCells; ++cell) {
            int inked = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = cell * strip.cellWidth; x < (cell + 1) * strip.cellWidth; ++x) {
                    const QRgb pixel = image.pixel(x, y);
                    ASSERT_EQ(qAlpha(pixel), 255);
                    if (pixel == kMagenta)
                        continue;
                    // A digit pixel is never a blend toward the key colour.
                    EXPECT_GE(DistanceFromMagenta(pixel), 63) << x << "," << y;
                    ++inked;
                }
            }
            if (cell < 10)
                EXPECT_GT(inked, strip.cellWidth * 2) << "digit " << cell;
            else
                EXPECT_EQ(inked, 0) << "the eleventh cell is never drawn";
        }
        // The strip's edges stay in the key colour, so neighbouring cells never touch.
        for (int y = 0; y < image.height(); ++y)
            EXPECT_EQ(image.pixel(0, y), kMagenta);
    }
}

TEST_F(ResourcePictures, WindowBackgroundIsCutOutOfMagenta) {
    const QImage &image = Platform::ResourceImage("KepVestrano_BTIMAPBIGBACK");
    ASSERT_FALSE(image.isNull());
    // Outside the rounded outline the window is cut away (closer than 20 per channel on
    // average); inside, nothing is.
    for (const QPoint corner : {QPoint(0, 0), QPoint(1023, 0), QPoint(0, 733), QPoint(1023, 733),
                                QPoint(1, 1), QPoint(1022, 732)})
        EXPECT_LT(DistanceFromMagenta(image.pixel(corner)), 63) << corner.x() << "," << corner.y();
    int keyedInside = 0;
    for (int y = 5; y <= 729; y += 3)
        for (int x = 5; x <= 1019; x += 3)
            keyedInside += DistanceFromMagenta(image.pixel(x, y)) < 63;
    EXPECT_EQ(keyedInside, 0);
    for (int x = 20; x < 1004; x += 7) {
        EXPECT_GE(DistanceFromMagenta(image.pixel(x, 0)), 63) << "top edge at " << x;
        EXPECT_GE(DistanceFromMagenta(image.pixel(x, 733)), 63) << "bottom edge at " << x;
    }
}

TEST_F(ResourcePictures, BackgroundsAreJpeg) {
    for (const char *name :
         {"KepVestrano_BITMAPBBACK01", "KepVestrano_BITMAPBBACK11", "KepVestrano_BTIMAPBIGBACK"}) {
        const QByteArray bytes = RawBytes(std::string(name) + ".jpg");
        ASSERT_GT(bytes.size(), 2) << name;
        EXPECT_EQ(uchar(bytes[0]), 0xFF);
        EXPECT_EQ(uchar(bytes[1]), 0xD8);
        EXPECT_EQ(qAlpha(Platform::ResourceImage(name).pixel(500, 400)), 255);
    }
}

// Qt's resource compiler stores every file name in UTF-16, big-endian.
QByteArray ResourceName(std::string_view name) {
    QByteArray utf16;
    for (const char c : name) {
        utf16.append('\0');
        utf16.append(c);
    }
    return utf16;
}

TEST(ModuleFile, CarriesEveryPictureInside) {
    QFile module(QStringLiteral(VESTRANO_MODULE_PATH));
    ASSERT_TRUE(module.open(QIODevice::ReadOnly));
    const QByteArray bytes = module.readAll();
    const auto expectInside = [&bytes](std::string_view name) {
        EXPECT_GE(bytes.indexOf(ResourceName(name)), 0) << name << " is not in the module";
    };
    for (std::string_view card : Resources::kCardPictures)
        expectInside(std::string(card) + ".png");
    for (const ArtPicture &picture : Resources::kTablePictures)
        expectInside(picture.name);
    for (const ArtPicture &picture : Resources::kWindowPictures)
        expectInside(picture.name);
    expectInside(std::string(Resources::kEmoticonPrefix) + "089.png");
}

TEST_F(ResourcePictures, UnknownNameGivesNullImageEveryTime) {
    EXPECT_TRUE(Platform::ResourceImage("KepVestrano_NOSUCHPICTURE").isNull());
    EXPECT_TRUE(Platform::ResourceImage("KepVestrano_NOSUCHPICTURE").isNull());
    EXPECT_TRUE(Platform::ResourceImage("").isNull());
}

TEST_F(ResourcePictures, LookupReturnsTheSameDecodedPicture) {
    const QImage &first = Platform::ResourceImage("SA");
    const QImage &second = Platform::ResourceImage("SA");
    EXPECT_EQ(&first, &second);
}

} // namespace
