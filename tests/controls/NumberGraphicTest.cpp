// The digit control: its size, where each digit goes, and both ways of drawing.
#include "controls/TNumberGraphic.h"
#include "platform/ResourceImages.h"
#include "resources/Resources.h"

#include <QPainter>
#include <QPixmap>

#include <gtest/gtest.h>

namespace {

const QRgb Magenta = qRgb(255, 0, 255);
const QRgb White = qRgb(255, 255, 255);

// A strip of 11 cells of `cell` x `height` like the module's: cell d filled with a colour
// of its own (exactly representable in 16 bits per pixel), its top-left pixel white to
// show where it starts, its bottom-left pixel magenta, the colour drawn as transparent.
QImage DigitStrip(int cell, int height) {
    QImage strip(cell * 11, height, QImage::Format_RGB32);
    QPainter painter(&strip);
    for (int d = 0; d < 11; ++d)
        painter.fillRect(d * cell, 0, cell, height, QColor::fromRgb(qRgb(16, 4 * d, 255)));
    painter.end();
    for (int d = 0; d < 11; ++d) {
        strip.setPixel(d * cell, 0, White);
        strip.setPixel(d * cell, height - 1, Magenta);
    }
    return strip;
}

QRgb CellColor(int d) {
    return qRgb(16, 4 * d, 255);
}

TEST(NumberGraphic, TurnClockShowsTwoDigitsWithOneGap) {
    TNumberGraphic clock;
    clock.SetBitmapMask(DigitStrip(14, 25));
    EXPECT_EQ(clock.PointWidth(), 14);
    EXPECT_EQ(clock.PointHeight(), 25);
    clock.SetDecimal(2);
    clock.SetNumberSpace(1);
    clock.SetNumber(5);
    EXPECT_EQ(clock.size(), QSize(29, 25));
    const QImage &work = clock.WorkBitmap();
    ASSERT_EQ(work.size(), QSize(29, 25));
    EXPECT_EQ(work.pixel(1, 3), CellColor(0)) << "a leading zero";
    EXPECT_EQ(work.pixel(13, 3), CellColor(0));
    EXPECT_EQ(work.pixel(14, 3), Magenta) << "the gap";
    EXPECT_EQ(work.pixel(14, 0), Magenta);
    EXPECT_EQ(work.pixel(15, 0), White) << "the second digit starts at x = 15";
    EXPECT_EQ(work.pixel(15, 3), CellColor(5));
    EXPECT_EQ(work.pixel(28, 3), CellColor(5));
}

TEST(NumberGraphic, NegativeNumbersShowAsZeroButAreKept) {
    TNumberGraphic clock;
    clock.SetBitmapMask(DigitStrip(14, 25));
    clock.SetDecimal(2);
    clock.SetNumber(-3);
    EXPECT_EQ(clock.Number(), -3) << "a count-down may run below zero";
    EXPECT_EQ(clock.width(), 28);
    EXPECT_EQ(clock.WorkBitmap().pixel(3, 3), CellColor(0));
    EXPECT_EQ(clock.WorkBitmap().pixel(17, 3), CellColor(0));
}

TEST(NumberGraphic, LaterDigitsKeepTheSameGap) {
    TNumberGraphic counter;
    counter.SetBitmapMask(DigitStrip(10, 12));
    counter.SetNumberSpace(3);
    counter.SetNumber(1234);
    EXPECT_EQ(counter.size(), QSize(4 * 10 + 3 * 3, 12));
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(counter.WorkBitmap().pixel(i * 13 + 5, 2), CellColor(i + 1)) << i;
    EXPECT_EQ(counter.WorkBitmap().pixel(2 * 13 + 11, 2), Magenta);
}

TEST(NumberGraphic, CellSizeAndGapTakeEffectAtTheNextRedraw) {
    TNumberGraphic counter;
    counter.SetBitmapMask(DigitStrip(10, 12));
    counter.SetNumber(42);
    counter.SetNumberSpace(4);
    counter.SetPointWidth(8);
    EXPECT_EQ(counter.width(), 20);
    counter.SetNumber(43);
    EXPECT_EQ(counter.width(), 2 * 8 + 4);
    EXPECT_EQ(counter.WorkBitmap().pixel(12 + 5, 2), CellColor((3 * 8 + 5) / 10))
        << "cells are cut with the new width";
}

TEST(NumberGraphic, EmptyStripMeansTheModulePicture) {
    Resources::Initialize();
    const QImage &resource = Platform::ResourceImage("BitmapMask");
    ASSERT_EQ(resource.size(), QSize(144, 14));
    TNumberGraphic counter;
    counter.SetBitmapMask(DigitStrip(10, 12));
    counter.SetBitmapMask(QImage());
    EXPECT_EQ(counter.PointWidth(), 13);
    EXPECT_EQ(counter.PointHeight(), 14);
}

TEST(NumberGraphic, TheModulesClockStripGivesFourteenPixelCells) {
    Resources::Initialize();
    const QImage &strip = Platform::ResourceImage("KepVestrano_BITMAPNUMBER");
    ASSERT_EQ(strip.size(), QSize(154, 25));
    TNumberGraphic clock;
    clock.SetBitmapMask(strip);
    clock.SetDecimal(2);
    clock.SetNumberSpace(1);
    clock.SetNumber(5);
    EXPECT_EQ(clock.PointWidth(), 14);
    EXPECT_EQ(clock.size(), QSize(29, 25));
    // The second digit is cell 5 of the strip, copied from x = 15 on into the 16-bit work
    // bitmap: its opaque pixels come out as 16 bits per pixel hold them.
    const QImage strip32 =
        strip.convertToFormat(QImage::Format_RGB16).convertToFormat(QImage::Format_ARGB32);
    const QImage alpha = strip.convertToFormat(QImage::Format_ARGB32);
    const QImage work = clock.WorkBitmap().convertToFormat(QImage::Format_ARGB32);
    int opaque = 0, differing = 0;
    for (int y = 0; y < 25; ++y)
        for (int x = 0; x < 14; ++x) {
            const QRgb own = strip32.pixel(5 * 14 + x, y);
            if (qAlpha(alpha.pixel(5 * 14 + x, y)) != 255 || own == Magenta)
                continue;
            ++opaque;
            differing += work.pixel(15 + x, y) != own;
        }
    EXPECT_GT(opaque, 20);
    EXPECT_EQ(differing, 0);
}

TEST(NumberGraphic, BitmapBackgroundIsSeeThrough) {
    QWidget table;
    table.setAutoFillBackground(true);
    QPalette palette = table.palette();
    palette.setColor(QPalette::Window, Qt::darkBlue);
    table.setPalette(palette);
    table.resize(100, 40);
    auto *clock = new TNumberGraphic(&table);
    clock->SetBitmapMask(DigitStrip(14, 25));
    clock->SetNumberSpace(1);
    clock->SetNumber(57);
    table.show();
    const QRgb behind = QColor(Qt::darkBlue).rgb();
    QImage shot = table.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shot.pixel(14, 5), behind) << "the gap";
    EXPECT_EQ(shot.pixel(0, 24), behind) << "the strip's bottom-left colour";
    EXPECT_EQ(shot.pixel(5, 5), CellColor(5));

    clock->SetTransparent(false);
    shot = table.grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(shot.pixel(14, 5), Magenta);
    EXPECT_EQ(shot.pixel(0, 24), Magenta);
}

TEST(NumberGraphic, PngDigitsAreCompositedOverTransparency) {
    QImage strip(11 * 4, 2, QImage::Format_ARGB32);
    strip.fill(qRgba(0, 0, 0, 0));
    for (int d = 0; d < 11; ++d) {
        for (int x = 0; x < 4; ++x) {
            strip.setPixel(d * 4 + x, 0, qRgba(200, 20 * d, 40, 128));
            strip.setPixel(d * 4 + x, 1, qRgba(10, 10, 10, x == 0 ? 0 : 255));
        }
    }
    TNumberGraphic counter;
    counter.SetBitmapMask(DigitStrip(4, 2));
    counter.SetPngMask(strip);
    counter.SetNumberSpace(-2); // neighbouring digits overlap by two columns
    counter.SetImageType(TNumberGraphic::itPng);
    counter.SetNumber(31);
    const QImage &work = counter.WorkPng();
    ASSERT_EQ(work.size(), QSize(6, 2));
    EXPECT_EQ(work.pixel(0, 0), qRgba(200, 60, 40, 128)) << "over nothing, the digit itself";
    EXPECT_EQ(work.pixel(0, 1), qRgba(255, 255, 255, 0)) << "nothing over nothing is white";

    // Digit 1 (alpha 128) over digit 3 (alpha 128): a = 255 * 255 - 127 * 127.
    const int a = 255 * 255 - 127 * 127;
    const auto over = [&](int cs, int cd) {
        return (cs * 128 * 255 + cd * 128 * 127 + a / 2) / a;
    };
    EXPECT_EQ(work.pixel(2, 0), qRgba(over(200, 200), over(20, 60), over(40, 40), (a + 127) / 255));
    EXPECT_EQ(work.pixel(2, 1), qRgba(10, 10, 10, 255))
        << "a clear source pixel keeps the digit below";
    EXPECT_EQ(work.pixel(3, 1), qRgba(10, 10, 10, 255));
}

} // namespace
