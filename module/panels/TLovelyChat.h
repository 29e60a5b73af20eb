#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QMetaObject>
#include <QPointer>

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TImageList;

// The speech bubble over a seat: a few lines of GBK text, each with its own style,
// wrapped to the bubble's width without splitting a two-byte character or an emoticon
// code ("/" and three digits), and drawn onto the owner's bitmap with emoticon pictures
// in place of their codes. Magenta (#FF00FF) is the background the owner keys out.
class TLovelyChat {
public:
    // A line's style word: with StyleSet, bits 0..23 hold the colour as 0xRRGGBB, bits
    // 24..27 the size in points (0: the bubble's size) and three bits the font style.
    // Without StyleSet the line uses the bubble's font unchanged.
    static constexpr std::uint32_t StyleSet = 1u << 31;
    static constexpr std::uint32_t StyleBold = 1u << 30;
    static constexpr std::uint32_t StyleItalic = 1u << 29;
    static constexpr std::uint32_t StyleUnderline = 1u << 28;
    static constexpr int StyleSizeShift = 24;
    static constexpr std::uint32_t StyleSizeMask = 0xF;
    static constexpr std::uint32_t StyleColorMask = 0xFFFFFF;

    // The style flags of AddBubbleLine.
    enum TBubbleStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4 };

    struct TLine {
        std::string Text; // GBK
        std::uint32_t Style = 0;
    };

    TLovelyChat();
    ~TLovelyChat();
    TLovelyChat(const TLovelyChat &) = delete;
    TLovelyChat &operator=(const TLovelyChat &) = delete;

    // `style` is a set of TBubbleStyle flags; an invalid colour means the bubble font's
    // colour and a size of 0 the bubble font's size.
    void AddBubbleLine(std::string_view text, int style, const QColor &color = QColor(),
                       int size = 0);
    void AddLine(std::string_view text, std::uint32_t style);
    void ClearLines();
    const std::vector<TLine> &Lines() const { return m_lines; }
    // The lines as wrapped to the bubble's width.
    const std::vector<TLine> &DisplayLines() const { return m_displayLines; }

    // Pictures by emoticon number. The bubble follows later changes of the list.
    void SetEmotionImages(TImageList *images);
    TImageList *EmotionImages() const { return m_emotionImages; }
    const QImage &Background() const { return m_background; }
    void SetBackground(const QImage &background);

    int Width() const { return m_width; }
    void SetWidth(int width);
    int Height() const { return m_height; }
    void SetHeight(int height);
    const QFont &Font() const { return m_font; }
    int FontSize() const { return m_fontSize; }
    QColor FontColor() const { return m_fontColor; }
    void SetFont(const QString &family, int points, const QColor &color);

    // The width of "W" in the bubble's font, measured at the last wrap.
    int CharacterWidth() const { return m_characterWidth; }
    // How many bytes fit on a line: (width - 16) div the width of "W".
    int Columns() const;

    // The owner's drawing surface (not owned); null draws nothing.
    void SetCanvas(QImage *canvas);

    // Cuts one line into pieces of at most `columns` bytes; a two-byte character and a
    // "/" within the last four bytes of a piece move whole to the next piece.
    static std::vector<std::string> WrapLine(std::string_view line, int columns);

private:
    void Wrap();
    void Draw();
    QFont FontOfStyle(std::uint32_t style, QColor &color) const;

    std::vector<TLine> m_lines;
    std::vector<TLine> m_displayLines;
    QPointer<TImageList> m_emotionImages;
    QMetaObject::Connection m_emotionConnection;
    QImage m_background;
    int m_characterWidth = 0;
    int m_width = 220;
    int m_height = 280;
    QFont m_font;
    int m_fontSize = 9;
    QColor m_fontColor = Qt::white;
    QImage *m_canvas = nullptr;
};
