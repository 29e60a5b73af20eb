// The speech bubble: wrapping GBK text whole, style words, drawing with emoticons.
#include "WidgetTestSupport.h"

#include "common/Gbk.h"
#include "panels/TLovelyChat.h"
#include "widgets/TImageList.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using namespace std::string_literals;

namespace {

using Pieces = std::vector<std::string>;

const QRgb Magenta = qRgb(255, 0, 255);

QRgb EmoticonColor(int n) {
    return qRgb(10 * n, 200, 40);
}

TEST(LovelyChatWrap, CutsAsciiAtTheColumnCount) {
    const std::string letters(40, 'x');
    EXPECT_EQ(TLovelyChat::WrapLine(letters, 29),
              (Pieces{std::string(29, 'x'), std::string(11, 'x')}));
    EXPECT_EQ(TLovelyChat::WrapLine(std::string(29, 'x'), 29), Pieces{std::string(29, 'x')});
    EXPECT_EQ(TLovelyChat::WrapLine("", 29), Pieces{""});
}

TEST(LovelyChatWrap, KeepsTwoByteCharactersWhole) {
    const std::string han = "中"_gbk;
    ASSERT_EQ(han.size(), 2u);
    const std::string straddling = std::string(28, 'a') + han + "b";
    EXPECT_EQ(TLovelyChat::WrapLine(straddling, 29), (Pieces{std::string(28, 'a'), han + "b"}));

    // A trail byte at the cut ends its character there.
    const std::string ending = std::string(27, 'a') + han + "bc";
    EXPECT_EQ(TLovelyChat::WrapLine(ending, 29), (Pieces{std::string(27, 'a') + han, "bc"}));

    // Counting from the line's start tells a trail byte that looks like a lead byte.
    std::string hans;
    for (int i = 0; i < 20; ++i)
        hans += "语"_gbk;
    for (const std::string &piece : TLovelyChat::WrapLine("a" + hans, 29))
        EXPECT_EQ(Gbk::SafePrefixLength(piece, piece.size()), piece.size()) << "whole characters";
}

TEST(LovelyChatWrap, MovesEmoticonCodesWhole) {
    const std::string cut = std::string(27, 'a') + "/012";
    EXPECT_EQ(TLovelyChat::WrapLine(cut, 29), (Pieces{std::string(27, 'a'), "/012"}));
    // Any "/" among the last four bytes of a piece moves, even a code that would fit.
    const std::string fits = std::string(25, 'a') + "/012x";
    EXPECT_EQ(TLovelyChat::WrapLine(fits, 29), (Pieces{std::string(25, 'a'), "/012x"}));
}

TEST(LovelyChatWrap, AlwaysMakesProgress) {
    EXPECT_EQ(TLovelyChat::WrapLine("/012", 3), (Pieces{"/", "012"}));
    EXPECT_EQ(TLovelyChat::WrapLine("ab", 0), (Pieces{"a", "b"}));
    const std::string han = "中文"_gbk;
    EXPECT_EQ(TLovelyChat::WrapLine(han, 1), (Pieces{han.substr(0, 2), han.substr(2)}));
}

// Whatever the bytes, the pieces put back together are the line, each piece fits (or is a
// single character), and no piece ends inside a two-byte character.
TEST(LovelyChatWrap, PiecesRebuildAnyLineFromWholeCharacters) {
    std::mt19937 random(20260509);
    const std::string alphabet = "ab/0123456789 "s + "中文"_gbk + "\x81\xFE\x40"s;
    for (int round = 0; round < 3000; ++round) {
        std::string line(random() % 80, ' ');
        for (char &c : line)
            c = alphabet[random() % alphabet.size()];
        const int columns = int(random() % 32);
        const Pieces pieces = TLovelyChat::WrapLine(line, columns);
        std::string joined;
        for (size_t i = 0; i < pieces.size(); ++i) {
            const std::string &piece = pieces[i];
            joined += piece;
            EXPECT_TRUE(piece.size() <= size_t(std::max(columns, 1)) ||
                        Gbk::CharacterCount(piece) == 1)
                << line << " / " << columns;
            if (i + 1 < pieces.size()) {
                EXPECT_EQ(Gbk::SafePrefixLength(joined, joined.size()), joined.size())
                    << line << " / " << columns;
            }
        }
        ASSERT_EQ(joined, line) << columns;
    }
}

class LovelyChatTest : public testing::Test {
protected:
    void SetUp() override {
        canvas.fill(Qt::black);
        chat.SetCanvas(&canvas);
        for (int n = 0; n < 13; ++n)
            emoticons.Add(WidgetTest::Solid(QSize(24, 24), EmoticonColor(n)));
    }

    // Pixels of a band of rows that are not the magenta background.
    int InkInRows(int top, int bottom) const {
        int ink = 0;
        for (int y = top; y <= bottom && y < canvas.height(); ++y)
            for (int x = 0; x < canvas.width(); ++x)
                ink += canvas.pixel(x, y) != Magenta;
        return ink;
    }

    QImage canvas{220, 280, QImage::Format_RGB32};
    TLovelyChat chat;
    TImageList emoticons;
};

TEST_F(LovelyChatTest, WrapsToTheBubbleWidth) {
    ASSERT_GT(chat.CharacterWidth(), 0);
    chat.SetWidth(16 + 29 * chat.CharacterWidth());
    EXPECT_EQ(chat.Columns(), 29);
    chat.AddBubbleLine(std::string(40, 'W'), 0);
    ASSERT_EQ(chat.DisplayLines().size(), 2u);
    EXPECT_EQ(chat.DisplayLines()[0].Text.size(), 29u);
    EXPECT_EQ(chat.DisplayLines()[1].Text.size(), 11u);
    EXPECT_EQ(chat.DisplayLines()[1].Style, chat.Lines()[0].Style) << "pieces keep the style";
    chat.ClearLines();
    EXPECT_TRUE(chat.DisplayLines().empty());
}

TEST_F(LovelyChatTest, StyleWordCarriesColourSizeAndFlags) {
    chat.AddBubbleLine("a", TLovelyChat::fsBold | TLovelyChat::fsUnderline, QColor(255, 0, 0), 12);
    chat.AddBubbleLine("b", 0);
    chat.AddBubbleLine("c", TLovelyChat::fsItalic, QColor(1, 2, 3), 20);
    EXPECT_EQ(chat.Lines()[0].Style,
              0x80000000u | 0x40000000u | 0x10000000u | (12u << 24) | 0xFF0000u);
    EXPECT_EQ(chat.Lines()[1].Style, 0x80000000u | (9u << 24) | 0xFFFFFFu)
        << "the bubble's own size and colour";
    EXPECT_EQ(chat.Lines()[2].Style, 0x80000000u | 0x20000000u | (4u << 24) | 0x010203u)
        << "the size is kept modulo 16";
}

TEST_F(LovelyChatTest, DrawsAtMostThirteenLinesAtHeight280) {
    for (int i = 0; i < 20; ++i)
        chat.AddBubbleLine("WWWW", 0);
    EXPECT_GT(InkInRows(20 * 12 + 7, 20 * 12 + 19), 0) << "line 12 is drawn";
    EXPECT_EQ(InkInRows(20 * 13 + 5, 279), 0) << "line 13 is not";
    EXPECT_EQ(canvas.pixel(219, 0), Magenta);
}

TEST_F(LovelyChatTest, EmoticonCodesBecomePictures) {
    chat.SetEmotionImages(&emoticons);
    chat.AddBubbleLine("ab/012", 0);
    const int x = 2 + chat.CharacterWidth() * 2;
    EXPECT_EQ(canvas.pixel(x + 3, 3), EmoticonColor(12));
    EXPECT_EQ(canvas.pixel(x + 20, 20), EmoticonColor(12));

    emoticons.Replace(12, WidgetTest::Solid(QSize(24, 24), qRgb(0, 0, 250)));
    EXPECT_EQ(canvas.pixel(x + 3, 3), qRgb(0, 0, 250)) << "the bubble follows the list";
}

TEST_F(LovelyChatTest, SoftEdgesLeaveNoBlendOfTheKeyColour) {
    // A picture whose left half is faint and right half strong, like an emoticon's
    // smoothed outline.
    QImage soft(24, 24, QImage::Format_ARGB32);
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 24; ++x)
            soft.setPixel(x, y, qRgba(0, 200, 0, x < 12 ? 60 : 200));
    emoticons.Replace(3, soft.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    chat.SetEmotionImages(&emoticons);
    chat.AddBubbleLine("/003", 0);
    EXPECT_EQ(canvas.pixel(2 + 4, 10), Magenta) << "a faint pixel is left out";
    EXPECT_EQ(canvas.pixel(2 + 20, 10), qRgb(0, 200, 0)) << "a strong one is drawn whole";

    // Over a background nothing is keyed out and the picture blends as drawn.
    chat.SetBackground(WidgetTest::Solid(QSize(220, 280), qRgb(255, 255, 255)));
    const QRgb faint = canvas.pixel(2 + 4, 10);
    EXPECT_NE(faint, qRgb(255, 255, 255));
    EXPECT_GT(qRed(faint), 150);
}

TEST_F(LovelyChatTest, IncompleteOrUnknownCodesStayText) {
    chat.SetEmotionImages(&emoticons);
    for (const char *text : {"ab/01x", "ab/013", "ab/01"}) {
        chat.ClearLines();
        chat.AddBubbleLine(text, 0);
        int pictured = 0;
        for (int n = 0; n < 13; ++n)
            for (int y = 0; y < 24; ++y)
                for (int x = 0; x < 220; ++x)
                    pictured += canvas.pixel(x, y) == EmoticonColor(n);
        EXPECT_EQ(pictured, 0) << text;
        EXPECT_GT(InkInRows(7, 19), 0) << text;
    }
}

TEST_F(LovelyChatTest, BackgroundIsDrawnFirst) {
    chat.SetBackground(WidgetTest::Solid(QSize(50, 50), qRgb(1, 2, 3)));
    EXPECT_EQ(canvas.pixel(49, 49), qRgb(1, 2, 3));
    EXPECT_EQ(canvas.pixel(50, 50), Magenta);
}

} // namespace
