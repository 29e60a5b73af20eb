#pragma once

#include <QColor>
#include <QImage>
#include <QString>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Writes the generated pictures and sounds byte for byte the same on every run: PNG through
// libpng with no time or text chunks, JPEG through libjpeg with fixed settings, WAV as plain
// 16-bit PCM. It remembers every picture for the resource list and the contact sheet.
class ArtWriter final {
public:
    struct Written {
        QString name;
        QImage image;
    };

    ArtWriter(std::string imageDirectory, std::string soundDirectory);

    // 32-bit RGBA.
    void Png(const QString &name, const QImage &image);
    // 24 bits per pixel; pixels less than half covered become `key`, marked transparent.
    void PngRgb(const QString &name, const QImage &image, QColor key);
    // 4 bits per pixel over `palette` (at most 16 colours); entry 0 is transparent.
    void PngPalette4(const QString &name, const QImage &image, std::span<const QColor> palette);
    void Jpeg(const QString &name, const QImage &image);
    void Wav(const QString &name, std::span<const int16_t> samples, int rate);
    // The Qt resource list of every picture, under the prefix the module looks in.
    void WriteResourceList(const std::string &path) const;

    const std::vector<Written> &Pictures() const { return m_pictures; }

private:
    void WritePng(const QString &file, int width, int height, int colorType, int bitDepth,
                  const std::vector<std::vector<uint8_t>> &rows, std::span<const QColor> palette,
                  const QColor *key);
    void Remember(const QString &file, const QImage &image);

    std::string m_imageDirectory;
    std::string m_soundDirectory;
    std::vector<Written> m_pictures;
    std::vector<QString> m_files;
};
