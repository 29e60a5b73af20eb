#include "controls/TCardGroupGraphic.h"

#include "platform/TickCount.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleHints>

#include <algorithm>
#include <array>

using VestranoFunc::TCardIndex;
using VestranoFunc::TCardInfo;
using VestranoFunc::TColor;

namespace {

constexpr TColor Magenta = 0x00FF00FF; // TColor is 0x00BBGGRR
constexpr TColor PureBlue = 0x00FF0000;
constexpr int DefaultSizeStyle = 1;

struct TSizeStyle {
    int CardSpacing;
    int CardWidth;
    int CardHeight;
    int Raise;
    // How many neighbours on each side a strip redraw takes along, in a row and a column.
    int RowReach;
    int ColumnReach;
};

constexpr std::array<TSizeStyle, 4> SizeStyles = {{
    {14, 22, 30, 8, 5, 7},
    {14, 71, 96, 16, 5, 7},
    {12, 56, 76, 14, 5, 7},
    {17, 100, 135, 16, 6, 8},
}};

// Module-wide state of the mouse rules, shared by every hand control like the one mouse.
struct TClickState {
    std::uint32_t LastClickTick = 0;
    int LastClickedIndex = -1;
    int LastEnteredIndex = -1;
    int CompareMode = 0;
    TCardGroupGraphic::TTickSource TickSource;
};

TClickState &Clicks() {
    static TClickState state;
    return state;
}

std::uint32_t Now() {
    const TClickState &state = Clicks();
    return state.TickSource ? state.TickSource() : Platform::GetTickCount();
}

QRgb ToRgb(TColor color) {
    return qRgb(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

// Runs EndUpdate however the update ends.
class TUpdateScope {
public:
    explicit TUpdateScope(TCardGroupGraphic &control)
        : m_control(control) {
        m_control.BeginUpdate();
    }
    ~TUpdateScope() { m_control.EndUpdate(); }
    TUpdateScope(const TUpdateScope &) = delete;
    TUpdateScope &operator=(const TUpdateScope &) = delete;

private:
    TCardGroupGraphic &m_control;
};

} // namespace

TCardGroupGraphic::TCardGroupGraphic(QWidget *parent)
    : QWidget(parent)
    , m_transparentColor(Magenta)
    , m_highlightColor(PureBlue) {
    setMouseTracking(true);
    SetSizeStyle(DefaultSizeStyle);
}

TCardGroupGraphic::~TCardGroupGraphic() = default;

int TCardGroupGraphic::CardsCompareMode() {
    return Clicks().CompareMode;
}

void TCardGroupGraphic::SetCardsCompareMode(int mode) {
    Clicks().CompareMode = mode;
}

void TCardGroupGraphic::SetTickSource(TTickSource source) {
    Clicks().TickSource = std::move(source);
}

void TCardGroupGraphic::SetImageLoader(CardPictures::TImageLoader loader) {
    CardPictures::SetLoader(std::move(loader));
}

void TCardGroupGraphic::SetVertical(bool on) {
    m_vertical = on;
    Relayout();
}

void TCardGroupGraphic::SetTransparentColor(TColor color) {
    m_transparentColor = color;
    Relayout();
}

void TCardGroupGraphic::SetOnCompare(TCardGroupData::TCardCompareEvent handler) {
    m_data.OnCompare = std::move(handler);
    if (m_data.OnCompare)
        m_data.Sort();
    Relayout();
}

void TCardGroupGraphic::SetCards(std::string_view cards) {
    const std::string current = Cards();
    if (CardsCompareMode() == 2) {
        if (cards == current)
            return;
    } else if (VestranoFunc::SortChars(cards, true) == VestranoFunc::SortChars(current, true)) {
        return;
    }
    TUpdateScope update(*this);
    Clear();
    for (const char code : cards) {
        const int index = VestranoFunc::CardIndexOf(code);
        if (index >= 0)
            AddCard(static_cast<TCardIndex>(index));
    }
}

void TCardGroupGraphic::AddCard(TCardIndex index) {
    AddCardInfo(VestranoFunc::CardInfoOf(index, m_data.BackNumber()));
}

void TCardGroupGraphic::AddCardInfo(const TCardInfo &info) {
    m_data.Add(info);
    Relayout();
}

void TCardGroupGraphic::DeleteCards(std::string_view cards) {
    m_data.SetCardsRemoved(true);
    m_data.ClaimFromLast(cards, [this](int i) { m_data.Delete(i); });
    Relayout();
}

void TCardGroupGraphic::Clear() {
    m_data.Clear();
    Relayout();
}

void TCardGroupGraphic::SetSelectedCards(std::string_view cards) {
    if (cards != SelectedCards()) {
        for (int i = 0; i < Count(); ++i)
            m_data.Item(i).Selected = false;
        m_data.ClaimFromLast(cards, [this](int i) { m_data.Item(i).Selected = true; });
    }
    Relayout();
    if (OnSelected)
        OnSelected(this);
}

void TCardGroupGraphic::HighlightCards(std::string_view cards) {
    if (cards == HighlightedCards())
        return;
    for (int i = 0; i < Count(); ++i)
        m_data.Item(i).Tint = VestranoFunc::clNone;
    m_data.ClaimFromLast(cards, [this](int i) { m_data.Item(i).Tint = m_highlightColor; });
    Relayout();
}

// Prints over each substituted card (a joker) the rank it stands for in `interpretation`,
// the same cards with the jokers replaced by rank letters.
void TCardGroupGraphic::SetJokerLabels(std::string_view interpretation) {
    const std::string cards = Cards();
    if (interpretation == LabelledCards())
        return;
    const std::string extra = VestranoFunc::RemoveCards(interpretation, cards);
    std::string wild = VestranoFunc::RemoveCards(cards, interpretation);
    if (extra.empty() || interpretation.size() != cards.size())
        return;
    for (int i = 0; i < Count(); ++i)
        m_data.Item(i).ShownValue = m_data.Item(i).Value;
    for (const char letter : extra) {
        for (int i = 0; i < Count(); ++i) {
            TCardInfo &card = m_data.Item(i);
            const size_t at = wild.find(VestranoFunc::CardChars[card.Index]);
            if (at == std::string::npos || card.ShownValue != card.Value)
                continue;
            card.ShownValue = VestranoFunc::FaceValueOf(letter);
            wild.erase(at, 1);
            break;
        }
    }
    Relayout();
}

TCardInfo TCardGroupGraphic::Items(int i) const {
    return m_data.IsIndex(i) ? m_data.Item(i) : TCardInfo{0, 0, 0, 0, 0, false, 0};
}

void TCardGroupGraphic::SetItem(int i, const TCardInfo &info) {
    if (m_data.IsIndex(i) && info.Index < VestranoFunc::CardCount)
        m_data.Item(i) = info;
}

// Card i is cut out of a redraw of itself and its neighbours, so that every card that
// overlaps it is drawn in its stacking order without redrawing the whole hand.
void TCardGroupGraphic::RefreshCard(int i) {
    if (m_updating > 0 || !m_data.IsIndex(i) || m_buffer.isNull())
        return;
    const TSizeStyle &style = SizeStyles[size_t(m_sizeStyle)];
    const int extent = m_vertical ? m_cardHeight : m_cardWidth;
    // Closer spacings than the style's own (the deal piles) overlap more neighbours.
    const int overlapping = m_cardSpacing > 0 ? (extent - 1) / m_cardSpacing : Count();
    const int reach = std::max(m_vertical ? style.ColumnReach : style.RowReach, overlapping);
    const QRect strip = (m_vertical ? QRect(0, i * m_cardSpacing, width(), m_cardHeight)
                                    : QRect(i * m_cardSpacing, 0, m_cardWidth, height()))
                            .intersected(m_buffer.rect());
    QPainter painter(&m_buffer);
    painter.setClipRect(strip);
    painter.fillRect(strip, QColor::fromRgb(ToRgb(m_transparentColor)));
    DrawCards(painter, std::max(0, i - reach), std::min(Count() - 1, i + reach));
    painter.end();
    m_displayStale |= strip;
    update(strip);
}

void TCardGroupGraphic::Sort() {
    m_data.Sort();
    Relayout();
}

void TCardGroupGraphic::SetAutoSort(bool on) {
    m_data.SetAutoSort(on);
    if (on)
        m_data.Sort();
    Relayout();
}

void TCardGroupGraphic::SetBackNumber(int back) {
    if (back == m_data.BackNumber())
        return;
    m_data.SetBackNumber(back);
    for (int i = 0; i < Count(); ++i)
        m_data.Item(i).Back = back;
    Relayout();
}

void TCardGroupGraphic::SetCardSpacing(int spacing) {
    if (spacing == m_cardSpacing)
        return;
    m_cardSpacing = spacing;
    Relayout();
}

void TCardGroupGraphic::SetSizeStyle(int style) {
    if (style == m_sizeStyle || style < 0 || style >= int(SizeStyles.size()))
        return;
    m_sizeStyle = style;
    const TSizeStyle &geometry = SizeStyles[size_t(style)];
    m_cardSpacing = geometry.CardSpacing;
    m_cardWidth = geometry.CardWidth;
    m_cardHeight = geometry.CardHeight;
    m_raise = geometry.Raise;
    Relayout();
}

void TCardGroupGraphic::BeginUpdate() {
    ++m_updating;
}

void TCardGroupGraphic::EndUpdate() {
    if (m_updating == 0 || --m_updating > 0)
        return;
    if (AutoSort())
        Sort();
    else
        Relayout();
}

int TCardGroupGraphic::HitTest(QPoint point) const {
    for (int i = Count() - 1; i >= 0; --i) {
        if (CardRect(i).contains(point))
            return i;
    }
    return -1;
}

QRect TCardGroupGraphic::CardRect(int i) const {
    const int lift = m_data.IsIndex(i) && m_data.Item(i).Selected ? 0 : m_raise;
    return m_vertical ? QRect(m_raise - lift, i * m_cardSpacing, m_cardWidth, m_cardHeight)
                      : QRect(i * m_cardSpacing, lift, m_cardWidth, m_cardHeight);
}

void TCardGroupGraphic::paintEvent(QPaintEvent *) {
    if (m_buffer.isNull())
        return;
    if (m_display.size() != m_buffer.size()) {
        m_display = QImage(m_buffer.size(), QImage::Format_ARGB32_Premultiplied);
        m_displayStale = m_buffer.rect();
    }
    if (!m_displayStale.isEmpty()) {
        // The buffer is opaque, so its pixels are premultiplied already.
        const QRgb key = ToRgb(m_transparentColor);
        for (int y = m_displayStale.top(); y <= m_displayStale.bottom(); ++y) {
            const auto *from = reinterpret_cast<const QRgb *>(m_buffer.constScanLine(y));
            auto *to = reinterpret_cast<QRgb *>(m_display.scanLine(y));
            for (int x = m_displayStale.left(); x <= m_displayStale.right(); ++x)
                to[x] = from[x] == key ? 0 : from[x];
        }
        m_displayStale = QRect();
    }
    QPainter painter(this);
    painter.drawImage(0, 0, m_display);
}

void TCardGroupGraphic::mousePressEvent(QMouseEvent *event) {
    MouseDown(event);
    PassOnIfMissed(event, event->position().toPoint());
}

void TCardGroupGraphic::mouseMoveEvent(QMouseEvent *event) {
    MouseMove(event);
    PassOnIfMissed(event, event->position().toPoint());
}

void TCardGroupGraphic::mouseReleaseEvent(QMouseEvent *event) {
    MouseUp(event);
    PassOnIfMissed(event, event->position().toPoint());
}

// Qt delivers the second press of a double click as this event alone, as the host does:
// the double click first, then the press.
void TCardGroupGraphic::mouseDoubleClickEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton)
        DblClick();
    MouseDown(event);
    PassOnIfMissed(event, event->position().toPoint());
}

void TCardGroupGraphic::wheelEvent(QWheelEvent *event) {
    PassOnIfMissed(event, event->position().toPoint());
}

void TCardGroupGraphic::MouseDown(QMouseEvent *event) {
    if (OnMouseDown)
        OnMouseDown(this, event);
    if (!m_canSelect)
        return;
    const int k = HitTest(event->position().toPoint());
    if (k < 0)
        return;
    if (event->button() == Qt::RightButton) {
        if (OnRightFetch)
            OnRightFetch(this);
    } else if (event->button() == Qt::LeftButton) {
        ClickCard(k);
    }
}

void TCardGroupGraphic::MouseMove(QMouseEvent *event) {
    if (OnMouseMove)
        OnMouseMove(this, event);
    if (!(event->buttons() & Qt::LeftButton) || m_singleSelected || !m_canMoveSelect ||
        !m_canSelect || m_inDoubleClick)
        return;
    const int k = HitTest(event->position().toPoint());
    TClickState &clicks = Clicks();
    if (k < 0 || k == clicks.LastEnteredIndex)
        return;
    clicks.LastEnteredIndex = k;
    if (m_data.Item(k).Selected != m_dragState)
        Toggle(k);
    if (OnSelected)
        OnSelected(this);
}

void TCardGroupGraphic::MouseUp(QMouseEvent *) {
    if (m_canMoveSelect && m_canSelect)
        HighlightCards({});
}

void TCardGroupGraphic::DblClick() {
    struct TDoubleClickScope {
        bool &Flag;
        explicit TDoubleClickScope(bool &flag)
            : Flag(flag) {
            Flag = true;
        }
        ~TDoubleClickScope() { Flag = false; }
    } scope(m_inDoubleClick);
    if (OnDblClick)
        OnDblClick(this);
}

void TCardGroupGraphic::Relayout() {
    if (m_updating > 0)
        return;
    const int count = Count();
    const int length = count > 0 ? (count - 1) * m_cardSpacing : 0;
    const QSize size = m_vertical
                           ? QSize(m_cardWidth + m_raise, count > 0 ? length + m_cardHeight : 0)
                           : QSize(count > 0 ? length + m_cardWidth : 0, m_cardHeight + m_raise);
    resize(size);
    if (size.isEmpty()) {
        m_buffer = QImage();
    } else {
        if (m_buffer.size() != size)
            m_buffer = QImage(size, QImage::Format_RGB32);
        m_buffer.fill(ToRgb(m_transparentColor));
        QPainter painter(&m_buffer);
        DrawCards(painter, 0, count - 1);
    }
    m_displayStale = m_buffer.rect();
    update();
}

void TCardGroupGraphic::DrawCards(QPainter &painter, int first, int last) const {
    for (int i = first; i <= last; ++i) {
        const QImage picture = CardPictures::Picture(m_data.Item(i), m_sizeStyle);
        if (!picture.isNull())
            painter.drawImage(CardRect(i).topLeft(), picture);
    }
}

// A mouse event that hits no card belongs to what lies behind the hand: ignoring it lets
// Qt hand it on to the parent widget, as if the control were not there.
void TCardGroupGraphic::PassOnIfMissed(QEvent *event, QPoint point) const {
    event->setAccepted(HitTest(point) >= 0);
}

void TCardGroupGraphic::ClickCard(int k) {
    TClickState &clicks = Clicks();
    const std::uint32_t now = Now();
    const auto doubleClickTime =
        std::uint32_t(QGuiApplication::styleHints()->mouseDoubleClickInterval());
    const bool completesDoubleClick = now - clicks.LastClickTick <= doubleClickTime &&
                                      (k == clicks.LastClickedIndex || m_data.CardsRemoved());
    if (completesDoubleClick)
        clicks.LastClickedIndex = -1;
    else
        clicks.LastClickedIndex = m_data.CardsRemoved() ? -1 : k;
    clicks.LastClickTick = now;
    m_data.SetCardsRemoved(false);
    // A drag starts from the pressed card, whatever the last drag entered.
    clicks.LastEnteredIndex = k;
    if (completesDoubleClick) {
        if (m_dragState && OnDblClick)
            OnDblClick(this);
        return;
    }
    if (m_singleSelected && !SelectedCards().empty() && !m_data.Item(k).Selected) {
        for (int i = 0; i < Count(); ++i)
            m_data.Item(i).Selected = false;
        Relayout();
    }
    Toggle(k);
    m_dragState = m_data.Item(k).Selected;
    if (OnSelected)
        OnSelected(this);
}

void TCardGroupGraphic::Toggle(int k) {
    TCardInfo &card = m_data.Item(k);
    card.Selected = !card.Selected;
    RefreshCard(k);
}
