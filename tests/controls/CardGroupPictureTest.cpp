// What the hand control draws: its buffer, strip redraws, washes, labels and gaps.
#include "CardGroupFixture.h"

#include <QPainter>
#include <QPixmap>

#include <string>

namespace {

using StandInCards::ColorOf;

constexpr VestranoFunc::TColor Blue = 0xFF0000; // 0x00BBGGRR
const QRgb Magenta = qRgb(255, 0, 255);

QRgb Washed(QRgb face, QRgb tint, int x, int y) {
    const QRgb over = (x + y) % 2 == 0 ? tint : face;
    const auto mix = [](int a, int b) {
        return (160 * a + 95 * b) >> 8;
    };
    return qRgb(mix(qRed(face), qRed(over)), mix(qGreen(face), qGreen(over)),
                mix(qBlue(face), qBlue(over)));
}

int RedPixels(const QImage &image, const QRect &area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            count += qRed(pixel) > 200 && qGreen(pixel) < 90 && qBlue(pixel) < 90;
        }
    }
    return count;
}

TEST_F(CardGroupTest, BufferHoldsCardsOnTheKeyColour) {
    hand->SetCards("AB");
    const QImage &buffer = hand->Buffer();
    EXPECT_EQ(buffer.pixel(5, 5), Magenta) << "above an unraised card";
    EXPECT_EQ(buffer.pixel(5, 40), ColorOf("SA"));
    EXPECT_EQ(buffer.pixel(60, 40), ColorOf("S2")) << "the later card lies on top";
    EXPECT_EQ(buffer.pixel(84, 16), Magenta) << "the corners are not drawn";
    EXPECT_EQ(buffer.pixel(14, 16), ColorOf("SA")) << "the card beneath shows at a corner";
    EXPECT_EQ(buffer.pixel(0, 111), Magenta);

    hand->SetTransparentColor(0x00FF00);
    EXPECT_EQ(hand->Buffer().pixel(5, 5), qRgb(0, 255, 0));
    EXPECT_EQ(hand->Buffer().pixel(84, 16), qRgb(0, 255, 0));

    hand->SetBackNumber(1);
    EXPECT_EQ(hand->Buffer().pixel(60, 40), ColorOf("B0"));
}

TEST_F(CardGroupTest, StripRedrawMatchesAFullLayout) {
    struct Case {
        const char *Name;
        bool Vertical;
        int SizeStyle;
        int Spacing; // 0: the style's own
    };
    for (const Case &c :
         {Case{"row", false, 1, 0}, Case{"column", true, 1, 0}, Case{"large row", false, 3, 0},
          Case{"deal pile", true, 1, 2}, Case{"wide row", false, 1, 30}}) {
        SCOPED_TRACE(c.Name);
        hand->SetVertical(c.Vertical);
        hand->SetSizeStyle(c.SizeStyle);
        if (c.Spacing > 0)
            hand->SetCardSpacing(c.Spacing);
        hand->SetCards("ABCDEFGHIJKLMabcdefghijklm01");
        hand->SetSelectedCards("CDn");
        hand->HighlightCards("EF");
        for (const int card : {0, 1, 4, 5, 6, 13, 26, 27}) {
            SCOPED_TRACE(card);
            Advance(DoubleClickTime() + 1);
            Click(card);
            const QImage strip = hand->Buffer().copy();
            hand->SetTransparentColor(hand->TransparentColor());
            EXPECT_TRUE(strip == hand->Buffer());
        }
        hand->SetCards({});
        hand->SetSizeStyle(1);
    }
}

TEST_F(CardGroupTest, WashMixesACheckerboardOfTheTint) {
    for (const bool transparentCorners : {false, true}) {
        SCOPED_TRACE(transparentCorners);
        StandInCards::Install(transparentCorners);
        hand->SetCards({});
        hand->SetHighlightColor(Blue);
        hand->SetCards("A");
        hand->HighlightCards("A");
        const QImage &buffer = hand->Buffer();
        const QRgb face = ColorOf("SA");
        const QRgb blue = qRgb(0, 0, 255);
        for (const QPoint at : {QPoint(10, 10), QPoint(11, 10), QPoint(30, 57), QPoint(69, 94)})
            EXPECT_EQ(buffer.pixel(at + QPoint(0, 16)), Washed(face, blue, at.x(), at.y()))
                << at.x() << "," << at.y();
        EXPECT_EQ(buffer.pixel(0, 16), Magenta) << "corners stay out of the wash";

        hand->SetBackNumber(2);
        EXPECT_EQ(hand->Buffer().pixel(10, 26), ColorOf("B1")) << "a back is never washed";
        hand->SetBackNumber(0);
    }
}

TEST_F(CardGroupTest, JokerLabelPrintsTheRankItStandsFor) {
    hand->SetCards("M0");
    const QRect labelArea(14 + 1, 16 + 58, 24, 24);
    EXPECT_EQ(RedPixels(hand->Buffer(), labelArea), 0);

    hand->SetJokerLabels("MM");
    const QImage king = hand->Buffer().copy(labelArea);
    EXPECT_GT(RedPixels(king, king.rect()), 15) << "a red K over the small joker";
    EXPECT_EQ(RedPixels(hand->Buffer(), QRect(1, 16 + 58, 12, 24)), 0) << "not over the king";

    hand->SetCards("A0");
    hand->SetJokerLabels("AJ");
    const QImage ten = hand->Buffer().copy(labelArea);
    EXPECT_GT(RedPixels(ten, ten.rect()), 15);
    EXPECT_FALSE(ten == king);
}

TEST_F(CardGroupTest, TableShowsThroughTheGapsAndCorners) {
    table->setAutoFillBackground(true);
    QPalette palette = table->palette();
    const QRgb felt = qRgb(0, 96, 48);
    palette.setColor(QPalette::Window, QColor::fromRgb(felt));
    table->setPalette(palette);
    hand->SetCardSpacing(80);
    hand->SetCards("AB");
    hand->SetSelectedCards("B");
    table->show();
    const QImage shot = table->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QPoint origin = hand->pos();
    EXPECT_EQ(shot.pixel(origin + QPoint(75, 50)), felt) << "between the cards";
    EXPECT_EQ(shot.pixel(origin + QPoint(5, 5)), felt) << "above the unraised card";
    EXPECT_EQ(shot.pixel(origin + QPoint(5, 50)), ColorOf("SA"));
    EXPECT_EQ(shot.pixel(origin + QPoint(85, 5)), ColorOf("S2"));
    EXPECT_EQ(shot.pixel(origin + QPoint(80, 0)), felt) << "a corner";

    Advance(DoubleClickTime() + 1);
    Click(1);
    const QImage lowered = table->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(lowered.pixel(origin + QPoint(85, 5)), felt) << "the strip redraw is painted";
}

} // namespace
