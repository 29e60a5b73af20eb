#include "platform/ResourceImages.h"

#include <QFile>
#include <QHash>
#include <QString>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <jpeglib.h>
#include <png.h>

namespace Platform {

namespace {

const char *const kResourceFolder = ":/vestrano/";
// The largest picture is the 1024 x 734 window; a header claiming far more is damaged, and
// is refused before any pixel memory is allocated for it.
constexpr unsigned kMaxSide = 4096;

// Any PNG colour type and depth (palette, key colour, grey, 16-bit) becomes 8-bit BGRA,
// which is QImage::Format_ARGB32 in memory on a little-endian machine.
QImage DecodePng(const QByteArray &bytes) {
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.constData(), size_t(bytes.size())))
        return {};
    if (image.width == 0 || image.height == 0 || image.width > kMaxSide ||
        image.height > kMaxSide) {
        png_image_free(&image);
        return {};
    }
    image.format = PNG_FORMAT_BGRA;
    QImage decoded(int(image.width), int(image.height), QImage::Format_ARGB32);
    if (decoded.isNull() || !png_image_finish_read(&image, nullptr, decoded.bits(),
                                                   png_int_32(decoded.bytesPerLine()), nullptr)) {
        png_image_free(&image);
        return {};
    }
    return decoded.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf escape;
};

void JpegFail(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegError *>(info->err)->escape, 1);
}

void JpegQuiet(j_common_ptr, int) {}

// No local of this function changes after setjmp, so the jump back leaves nothing stale.
bool ReadJpeg(jpeg_decompress_struct &info, JpegError &error, const QByteArray &bytes,
              QImage &out) {
    if (setjmp(error.escape))
        return false;
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char *>(bytes.constData()),
                 static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    if (info.image_width > kMaxSide || info.image_height > kMaxSide)
        return false;
    // Opaque pixels in the byte order of QImage::Format_RGB32.
    info.out_color_space = JCS_EXT_BGRX;
    jpeg_start_decompress(&info);
    out = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB32);
    if (out.isNull())
        return false;
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = out.scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    return true;
}

QImage DecodeJpeg(const QByteArray &bytes) {
    jpeg_decompress_struct info;
    JpegError error;
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = JpegFail;
    error.manager.emit_message = JpegQuiet;
    jpeg_create_decompress(&info);
    QImage decoded;
    const bool ok = ReadJpeg(info, error, bytes, decoded);
    jpeg_destroy_decompress(&info);
    return ok ? decoded.convertToFormat(QImage::Format_ARGB32_Premultiplied) : QImage();
}

QImage Load(const QString &name) {
    QFile png(QLatin1String(kResourceFolder) + name + QLatin1String(".png"));
    if (png.open(QIODevice::ReadOnly))
        return DecodePng(png.readAll());
    QFile jpeg(QLatin1String(kResourceFolder) + name + QLatin1String(".jpg"));
    if (jpeg.open(QIODevice::ReadOnly))
        return DecodeJpeg(jpeg.readAll());
    return {};
}

} // namespace

const QImage &ResourceImage(std::string_view name) {
    static QHash<QString, QImage> cache;
    const QString key = QString::fromLatin1(name.data(), qsizetype(name.size()));
    auto it = cache.find(key);
    if (it == cache.end())
        it = cache.insert(key, Load(key));
    return *it;
}

} // namespace Platform
