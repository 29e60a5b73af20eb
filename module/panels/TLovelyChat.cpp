#include "panels/TLovelyChat.h"

#include "common/Gbk.h"
#include "widgets/QtText.h"
#include "widgets/TImageList.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace {

constexpr QRgb KeyColor = 0xFFFF00FF;
// Bytes of an emoticon code: "/" and three digits.
constexpr size_t EmoticonCodeLength = 4;
constexpr int LineHeight = 20;
constexpr int TextLeft = 4;
constexpr int TextTop = 7;
constexpr int EmoticonLeft = 2;
// Lines are drawn while their top plus this margin stays within the height less the
// bottom margin; the owner's bubble picture has a tail below the text.
constexpr int LineTopMargin = 5;
constexpr int BottomMargin = 25;
// Horizontal room taken by the bubble's rounded sides.
constexpr int SideMargins = 16;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Where the piece that may hold at most `limit` bytes of `rest` ends: one byte early when
// its last byte starts a two-byte character, otherwise before the first "/" among its last
// four bytes, otherwise after `limit` bytes. Characters are counted from the start of
// `rest`, so a trail byte is never taken for a lead byte or a "/".
size_t PieceEnd(std::string_view rest, size_t limit) {
    const size_t last = limit - 1;
    const size_t window = last >= 3 ? last - 3 : 0;
    size_t slash = std::string_view::npos;
    size_t at = 0;
    while (at <= last) {
        const bool twoBytes =
            Gbk::IsLeadByte(static_cast<unsigned char>(rest[at])) && at + 1 < rest.size();
        if (at == last && twoBytes)
            return last;
        if (at >= window && rest[at] == '/' && slash == std::string_view::npos)
            slash = at;
        at += twoBytes ? 2 : 1;
    }
    return slash != std::string_view::npos ? slash : limit;
}

// On a canvas keyed out by its colour, a half-transparent edge would keep a blend of the
// key colour: such an emoticon is drawn with every pixel either kept whole or left out.
QImage HardEdged(const QImage &picture) {
    QImage hard = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < hard.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(hard.scanLine(y));
        for (int x = 0; x < hard.width(); ++x)
            line[x] = qAlpha(line[x]) >= 128 ? (line[x] | 0xFF000000u) : QRgb(0);
    }
    return hard;
}

size_t FirstCharacterLength(std::string_view line) {
    if (line.size() >= 2 && Gbk::IsLeadByte(static_cast<unsigned char>(line[0])))
        return 2;
    return std::min<size_t>(1, line.size());
}

} // namespace

TLovelyChat::TLovelyChat() {
    SetFont(QStringLiteral("宋体"), m_fontSize, m_fontColor);
}

TLovelyChat::~TLovelyChat() {
    QObject::disconnect(m_emotionConnection);
}

void TLovelyChat::AddBubbleLine(std::string_view text, int style, const QColor &color, int size) {
    const QColor shown = color.isValid() ? color : m_fontColor;
    const int points = size == 0 ? m_fontSize : size;
    std::uint32_t word = StyleSet;
    word |= (std::uint32_t(points) & StyleSizeMask) << StyleSizeShift;
    word |= std::uint32_t(shown.rgb()) & StyleColorMask;
    if (style & fsBold)
        word |= StyleBold;
    if (style & fsItalic)
        word |= StyleItalic;
    if (style & fsUnderline)
        word |= StyleUnderline;
    AddLine(text, word);
}

void TLovelyChat::AddLine(std::string_view text, std::uint32_t style) {
    m_lines.push_back({std::string(text), style});
    Wrap();
}

void TLovelyChat::ClearLines() {
    m_lines.clear();
    Wrap();
}

void TLovelyChat::SetEmotionImages(TImageList *images) {
    QObject::disconnect(m_emotionConnection);
    m_emotionImages = images;
    if (images)
        m_emotionConnection = QObject::connect(images, &TImageList::Changed, [this] { Draw(); });
    Draw();
}

void TLovelyChat::SetBackground(const QImage &background) {
    m_background = background;
    Draw();
}

void TLovelyChat::SetWidth(int width) {
    m_width = width;
    Wrap();
}

void TLovelyChat::SetHeight(int height) {
    m_height = height;
    Draw();
}

void TLovelyChat::SetFont(const QString &family, int points, const QColor &color) {
    m_fontSize = points;
    m_font = QtText::FontOfPointSize(family, points);
    // The canvas is keyed on magenta: smoothed glyph edges would blend into it and show as
    // a pink fringe once the key colour is cut out.
    m_font.setStyleStrategy(QFont::NoAntialias);
    m_fontColor = color;
    Wrap();
}

int TLovelyChat::Columns() const {
    return m_characterWidth > 0 ? (m_width - SideMargins) / m_characterWidth : 0;
}

void TLovelyChat::SetCanvas(QImage *canvas) {
    m_canvas = canvas;
    Draw();
}

std::vector<std::string> TLovelyChat::WrapLine(std::string_view line, int columns) {
    // Every piece holds at least one whole character, however narrow the bubble.
    const size_t limit = size_t(std::max(columns, 1));
    std::vector<std::string> pieces;
    std::string_view rest = line;
    while (rest.size() > limit) {
        size_t cut = PieceEnd(rest, limit);
        if (cut == 0)
            cut = FirstCharacterLength(rest);
        pieces.emplace_back(rest.substr(0, cut));
        rest.remove_prefix(cut);
    }
    if (!rest.empty() || pieces.empty())
        pieces.emplace_back(rest);
    return pieces;
}

void TLovelyChat::Wrap() {
    m_displayLines.clear();
    m_characterWidth = QFontMetrics(m_font).horizontalAdvance(QLatin1Char('W'));
    const int columns = Columns();
    for (const TLine &line : m_lines) {
        for (std::string &piece : WrapLine(line.Text, columns))
            m_displayLines.push_back({std::move(piece), line.Style});
    }
    Draw();
}

QFont TLovelyChat::FontOfStyle(std::uint32_t style, QColor &color) const {
    color = m_fontColor;
    if (!(style & StyleSet))
        return m_font;
    const int points = int((style >> StyleSizeShift) & StyleSizeMask);
    QFont font = QtText::FontOfPointSize(m_font.family(), points == 0 ? m_fontSize : points);
    font.setBold(style & StyleBold);
    font.setItalic(style & StyleItalic);
    font.setUnderline(style & StyleUnderline);
    font.setStyleStrategy(QFont::NoAntialias);
    color = QColor::fromRgb(QRgb(style & StyleColorMask));
    return font;
}

void TLovelyChat::Draw() {
    if (!m_canvas || m_canvas->isNull())
        return;
    m_canvas->fill(KeyColor);
    QPainter painter(m_canvas);
    if (!m_background.isNull())
        painter.drawImage(0, 0, m_background);
    const int pictureCount = m_emotionImages ? m_emotionImages->Count() : 0;
    for (size_t j = 0; j < m_displayLines.size(); ++j) {
        const int top = LineHeight * int(j);
        if (top + LineTopMargin > m_height - BottomMargin)
            break;
        QColor color;
        painter.setFont(FontOfStyle(m_displayLines[j].Style, color));
        painter.setPen(color);
        std::string text = m_displayLines[j].Text;
        for (size_t at = text.find('/'); pictureCount > 0 && at != std::string::npos;
             at = text.find('/', at + 1)) {
            if (at + EmoticonCodeLength > text.size() || !IsDigit(text[at + 1]) ||
                !IsDigit(text[at + 2]) || !IsDigit(text[at + 3]))
                continue;
            const int number = std::stoi(text.substr(at + 1, 3));
            if (number >= pictureCount)
                continue;
            text.replace(at, EmoticonCodeLength, EmoticonCodeLength, ' ');
            const QImage &emoticon = m_emotionImages->Image(number);
            painter.drawImage(EmoticonLeft + m_characterWidth * int(at), top,
                              m_background.isNull() ? HardEdged(emoticon) : emoticon);
        }
        painter.drawText(QRect(TextLeft, top + TextTop, m_canvas->width(), LineHeight),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip,
                         QtText::FromGbk(text));
    }
}
