#include "ArtWriter.h"

#include <jpeglib.h>
#include <png.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace {

constexpr int kJpegQuality = 95;
constexpr int kPngCompression = 9;

struct FileCloser {
    void operator()(FILE *file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<FILE, FileCloser>;

FilePtr OpenForWriting(const std::string &path) {
    FilePtr file(std::fopen(path.c_str(), "wb"));
    if (!file)
        throw std::runtime_error("cannot write " + path);
    return file;
}

int NearestEntry(QRgb pixel, std::span<const QColor> palette) {
    int best = 1;
    int bestDistance = INT32_MAX;
    for (int i = 1; i < int(palette.size()); ++i) {
        const int dr = qRed(pixel) - palette[i].red();
        const int dg = qGreen(pixel) - palette[i].green();
        const int db = qBlue(pixel) - palette[i].blue();
        const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

void PutLe(std::vector<uint8_t> &out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(uint8_t(value >> (8 * i)));
}

} // namespace

ArtWriter::ArtWriter(std::string imageDirectory, std::string soundDirectory)
    : m_imageDirectory(std::move(imageDirectory))
    , m_soundDirectory(std::move(soundDirectory)) {}

void ArtWriter::Png(const QString &name, const QImage &image) {
    const QImage rgba = image.convertToFormat(QImage::Format_RGBA8888);
    std::vector<std::vector<uint8_t>> rows;
    for (int y = 0; y < rgba.height(); ++y)
        rows.emplace_back(rgba.constScanLine(y), rgba.constScanLine(y) + 4 * rgba.width());
    WritePng(name + ".png", image.width(), image.height(), PNG_COLOR_TYPE_RGBA, 8, rows, {},
             nullptr);
    Remember(name, rgba);
}

void ArtWriter::PngRgb(const QString &name, const QImage &image, QColor key) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QImage shown(argb.size(), QImage::Format_ARGB32);
    std::vector<std::vector<uint8_t>> rows;
    for (int y = 0; y < argb.height(); ++y) {
        auto &row = rows.emplace_back();
        for (int x = 0; x < argb.width(); ++x) {
            QRgb pixel = argb.pixel(x, y);
            const bool covered = qAlpha(pixel) >= 128;
            if (!covered)
                pixel = key.rgb();
            row.insert(row.end(),
                       {uint8_t(qRed(pixel)), uint8_t(qGreen(pixel)), uint8_t(qBlue(pixel))});
            shown.setPixel(x, y, covered ? qRgb(qRed(pixel), qGreen(pixel), qBlue(pixel)) : 0);
        }
    }
    WritePng(name + ".png", image.width(), image.height(), PNG_COLOR_TYPE_RGB, 8, rows, {},
             key.isValid() ? &key : nullptr);
    Remember(name, shown);
}

void ArtWriter::PngPalette4(const QString &name, const QImage &image,
                            std::span<const QColor> palette) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    QImage shown(argb.size(), QImage::Format_ARGB32);
    std::vector<std::vector<uint8_t>> rows;
    for (int y = 0; y < argb.height(); ++y) {
        auto &row = rows.emplace_back((argb.width() + 1) / 2, uint8_t(0));
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb pixel = argb.pixel(x, y);
            const int entry = qAlpha(pixel) < 128 ? 0 : NearestEntry(pixel, palette);
            row[x / 2] |= uint8_t(x % 2 == 0 ? entry << 4 : entry);
            shown.setPixel(x, y, entry == 0 ? 0 : palette[entry].rgb());
        }
    }
    WritePng(name + ".png", image.width(), image.height(), PNG_COLOR_TYPE_PALETTE, 4, rows, palette,
             nullptr);
    Remember(name, shown);
}

void ArtWriter::WritePng(const QString &file, int width, int height, int colorType, int bitDepth,
                         const std::vector<std::vector<uint8_t>> &rows,
                         std::span<const QColor> palette, const QColor *key) {
    const std::string path = m_imageDirectory + "/" + file.toStdString();
    FilePtr out = OpenForWriting(path);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("cannot encode " + path);
    }
    png_init_io(png, out.get());
    png_set_compression_level(png, kPngCompression);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), bitDepth, colorType,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> entries;
    for (const QColor &color : palette)
        entries.push_back({png_byte(color.red()), png_byte(color.green()), png_byte(color.blue())});
    png_byte transparent = 0;
    if (!entries.empty()) {
        png_set_PLTE(png, info, entries.data(), int(entries.size()));
        png_set_tRNS(png, info, &transparent, 1, nullptr);
    }
    png_color_16 keyColor{};
    if (key) {
        keyColor.red = png_uint_16(key->red());
        keyColor.green = png_uint_16(key->green());
        keyColor.blue = png_uint_16(key->blue());
        png_set_tRNS(png, info, nullptr, 0, &keyColor);
    }
    std::vector<png_bytep> pointers;
    for (const auto &row : rows)
        pointers.push_back(const_cast<png_bytep>(row.data()));
    png_set_rows(png, info, pointers.data());
    png_write_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    png_destroy_write_struct(&png, &info);
    m_files.push_back(file);
}

void ArtWriter::Jpeg(const QString &name, const QImage &image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    const std::string path = m_imageDirectory + "/" + name.toStdString() + ".jpg";
    FilePtr out = OpenForWriting(path);
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr error{};
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, out.get());
    cinfo.image_width = JDIMENSION(rgb.width());
    cinfo.image_height = JDIMENSION(rgb.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, kJpegQuality, TRUE);
    // Full-resolution colour: the window's magenta outline must not bleed into its frame.
    for (int c = 0; c < 3; ++c) {
        cinfo.comp_info[c].h_samp_factor = 1;
        cinfo.comp_info[c].v_samp_factor = 1;
    }
    cinfo.write_JFIF_header = TRUE;
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(int(cinfo.next_scanline)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    m_files.push_back(name + ".jpg");
    Remember(name, rgb);
}

void ArtWriter::Wav(const QString &name, std::span<const int16_t> samples, int rate) {
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    std::vector<uint8_t> bytes;
    bytes.insert(bytes.end(), {'R', 'I', 'F', 'F'});
    PutLe(bytes, 36 + dataBytes, 4);
    bytes.insert(bytes.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    PutLe(bytes, 16, 4);
    PutLe(bytes, 1, 2); // PCM
    PutLe(bytes, 1, 2); // mono
    PutLe(bytes, uint32_t(rate), 4);
    PutLe(bytes, uint32_t(rate) * 2, 4);
    PutLe(bytes, 2, 2);
    PutLe(bytes, 16, 2);
    bytes.insert(bytes.end(), {'d', 'a', 't', 'a'});
    PutLe(bytes, dataBytes, 4);
    for (int16_t sample : samples)
        PutLe(bytes, uint16_t(sample), 2);
    FilePtr out = OpenForWriting(m_soundDirectory + "/" + name.toStdString() + ".wav");
    if (std::fwrite(bytes.data(), 1, bytes.size(), out.get()) != bytes.size())
        throw std::runtime_error("cannot write sound " + name.toStdString());
}

void ArtWriter::WriteResourceList(const std::string &path) const {
    FilePtr out = OpenForWriting(path);
    std::fputs("<RCC>\n  <qresource prefix=\"/vestrano\">\n", out.get());
    for (const QString &file : m_files)
        std::fprintf(out.get(), "    <file alias=\"%s\">%s/%s</file>\n", qPrintable(file),
                     m_imageDirectory.c_str(), qPrintable(file));
    std::fputs("  </qresource>\n</RCC>\n", out.get());
}

void ArtWriter::Remember(const QString &name, const QImage &image) {
    m_pictures.push_back({name, image.convertToFormat(QImage::Format_ARGB32)});
}
