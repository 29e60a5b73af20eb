#include "platform/ResourceImages.h"
#include "resources/Resources.h"

#include <QFile>
#include <QProcess>
#include <QResource>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>

namespace {

uint32_t Crc32(const QByteArray &bytes) {
    uint32_t crc = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        crc ^= uchar(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray BigEndian(uint32_t value) {
    QByteArray bytes;
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.append(char(value >> shift));
    return bytes;
}

// A well-formed PNG signature and header (with a correct checksum) claiming a picture of
// `width` x `height`, and no pixel data.
QByteArray PngHeaderOnly(uint32_t width, uint32_t height) {
    const QByteArray body = QByteArray("IHDR") + BigEndian(width) + BigEndian(height) +
                            QByteArray("\x08\x06\x00\x00\x00", 5);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + BigEndian(13) + body + BigEndian(Crc32(body));
}

QByteArray Resource(const char *file) {
    QFile resource(QStringLiteral(":/vestrano/") + QLatin1String(file));
    return resource.open(QIODevice::ReadOnly) ? resource.readAll() : QByteArray();
}

// Damaged pictures under the module's resource folder, compiled and registered at run time.
class DamagedPictures : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        Resources::Initialize();
        s_dir = new QTemporaryDir;
        const QByteArray png = Resource("SA.png");
        const QByteArray jpeg = Resource("KepVestrano_BITMAPBBACK01.jpg");
        ASSERT_GT(png.size(), 100);
        ASSERT_GT(jpeg.size(), 4000);
        const QList<QPair<QString, QByteArray>> files = {
            {"Damaged_CUTPNG.png", png.left(60)},
            {"Damaged_NOISEPNG.png", QByteArray(500, '\x5A')},
            {"Damaged_HUGEPNG.png", PngHeaderOnly(100000, 100000)},
            {"Damaged_EMPTYPNG.png", PngHeaderOnly(0, 10)},
            {"Damaged_CUTJPG.jpg", jpeg.left(3000)},
            {"Damaged_MARKERJPG.jpg", QByteArray("\xFF\xD8", 2)},
            {"Damaged_NOISEJPG.jpg", QByteArray("\xFF\xD8", 2) + QByteArray(400, '\x33')}};
        QByteArray qrc = "<RCC><qresource prefix=\"/vestrano\">";
        for (const auto &[name, bytes] : files) {
            QFile file(s_dir->filePath(name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(bytes);
            qrc += "<file>" + name.toLatin1() + "</file>";
        }
        qrc += "</qresource></RCC>";
        QFile list(s_dir->filePath("damaged.qrc"));
        ASSERT_TRUE(list.open(QIODevice::WriteOnly));
        list.write(qrc);
        list.close();
        QProcess rcc;
        rcc.start(QStringLiteral(VESTRANO_RCC),
                  {"--binary", "-o", s_dir->filePath("damaged.rcc"), list.fileName()});
        ASSERT_TRUE(rcc.waitForFinished(60000) && rcc.exitCode() == 0);
        ASSERT_TRUE(QResource::registerResource(s_dir->filePath("damaged.rcc")));
    }

    static void TearDownTestSuite() {
        QResource::unregisterResource(s_dir->filePath("damaged.rcc"));
        delete s_dir;
        s_dir = nullptr;
    }

    static QTemporaryDir *s_dir;
};

QTemporaryDir *DamagedPictures::s_dir = nullptr;

TEST_F(DamagedPictures, BrokenPngGivesNullImage) {
    EXPECT_TRUE(Platform::ResourceImage("Damaged_CUTPNG").isNull());
    EXPECT_TRUE(Platform::ResourceImage("Damaged_NOISEPNG").isNull());
    EXPECT_TRUE(Platform::ResourceImage("Damaged_EMPTYPNG").isNull());
}

TEST_F(DamagedPictures, OversizedHeaderIsRefusedBeforeAllocating) {
    EXPECT_TRUE(Platform::ResourceImage("Damaged_HUGEPNG").isNull());
}

TEST_F(DamagedPictures, BrokenJpegGivesNullImageAndCutJpegItsFullSize) {
    EXPECT_TRUE(Platform::ResourceImage("Damaged_MARKERJPG").isNull());
    EXPECT_TRUE(Platform::ResourceImage("Damaged_NOISEJPG").isNull());
    // A cut-off stream still has a valid header: libjpeg fills the missing rows, so the
    // picture keeps its full size rather than coming back short.
    const QImage &cut = Platform::ResourceImage("Damaged_CUTJPG");
    EXPECT_EQ(cut.size(), QSize(1024, 734));
    EXPECT_EQ(cut.format(), QImage::Format_ARGB32_Premultiplied);
}

} // namespace
