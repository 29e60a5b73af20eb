#pragma once

#include "cards/VestranoFunc.h"
#include "controls/CardPictures.h"
#include "controls/TCardGroupData.h"

#include <QImage>
#include <QRect>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// A row (or column) of overlapping cards: the hands, the played cards, the deal piles and
// the joker choices of the game table. Cards are drawn into an off-screen buffer whose
// background is the key colour TransparentColor, so the table shows through the gaps.
// A click raises or lowers a card, a drag paints that state over further cards, and every
// mouse event that hits no card goes on to the parent widget, so clicks between the cards
// reach the table.
class TCardGroupGraphic : public QWidget {
    Q_OBJECT

public:
    using TNotifyEvent = std::function<void(TCardGroupGraphic *Sender)>;
    using TMouseEvent = std::function<void(TCardGroupGraphic *Sender, QMouseEvent *Event)>;
    using TTickSource = std::function<std::uint32_t()>;

    explicit TCardGroupGraphic(QWidget *parent = nullptr);
    ~TCardGroupGraphic() override;

    // Shared by every hand control of the module. With mode 2, SetCards ignores only the
    // very same string; otherwise any string holding the same cards in another order.
    static int CardsCompareMode();
    static void SetCardsCompareMode(int mode);
    // The millisecond clock of the double-click rule (empty: the system tick count).
    static void SetTickSource(TTickSource source);
    // Where card pictures come from (empty: the module's embedded pictures).
    static void SetImageLoader(CardPictures::TImageLoader loader);

    bool Vertical() const { return m_vertical; }
    void SetVertical(bool on);
    bool CanSelect() const { return m_canSelect; }
    void SetCanSelect(bool on) { m_canSelect = on; }
    bool CanMoveSelect() const { return m_canMoveSelect; }
    void SetCanMoveSelect(bool on) { m_canMoveSelect = on; }
    bool SingleSelected() const { return m_singleSelected; }
    void SetSingleSelected(bool on) { m_singleSelected = on; }
    VestranoFunc::TColor TransparentColor() const { return m_transparentColor; }
    void SetTransparentColor(VestranoFunc::TColor color);
    VestranoFunc::TColor HighlightColor() const { return m_highlightColor; }
    void SetHighlightColor(VestranoFunc::TColor color) { m_highlightColor = color; }
    // Assigning a handler sorts at once.
    void SetOnCompare(TCardGroupData::TCardCompareEvent handler);

    TNotifyEvent OnSelected;
    TNotifyEvent OnRightFetch;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseMove;

    std::string Cards() const { return m_data.Cards(); }
    void SetCards(std::string_view cards);
    int Count() const { return m_data.Count(); }
    void AddCard(VestranoFunc::TCardIndex index);
    void AddCardInfo(const VestranoFunc::TCardInfo &info);
    void DeleteCards(std::string_view cards);
    void Clear();

    std::string SelectedCards() const { return m_data.SelectedCards(); }
    void SetSelectedCards(std::string_view cards);
    std::string HighlightedCards() const { return m_data.HighlightedCards(); }
    void HighlightCards(std::string_view cards);
    std::string LabelledCards() const { return m_data.LabelledCards(); }
    void SetJokerLabels(std::string_view interpretation);

    // An all-zero record for an index outside the hand.
    VestranoFunc::TCardInfo Items(int i) const;
    // Overwrites one record without redrawing; ignored outside the hand or for a record
    // that names no card.
    void SetItem(int i, const VestranoFunc::TCardInfo &info);
    // Redraws card i and the neighbours that overlap it.
    void RefreshCard(int i);

    void Sort();
    bool AutoSort() const { return m_data.AutoSort(); }
    void SetAutoSort(bool on);
    int BackNumber() const { return m_data.BackNumber(); }
    void SetBackNumber(int back);
    int CardSpacing() const { return m_cardSpacing; }
    void SetCardSpacing(int spacing);
    int SizeStyle() const { return m_sizeStyle; }
    void SetSizeStyle(int style);
    int CardWidth() const { return m_cardWidth; }
    int CardHeight() const { return m_cardHeight; }
    int Raise() const { return m_raise; }

    // Relayouts wait until the outermost EndUpdate, which sorts when AutoSort is on.
    void BeginUpdate();
    void EndUpdate();

    bool DragState() const { return m_dragState; }
    bool InDoubleClick() const { return m_inDoubleClick; }

    // The card under `point` (the topmost, i.e. the later one), -1 for none.
    int HitTest(QPoint point) const;
    // Where card i is drawn.
    QRect CardRect(int i) const;
    // The off-screen buffer: the key colour where no card is.
    const QImage &Buffer() const { return m_buffer; }
    TCardGroupData &Data() { return m_data; }

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

    virtual void MouseDown(QMouseEvent *event);
    virtual void MouseMove(QMouseEvent *event);
    virtual void MouseUp(QMouseEvent *event);
    virtual void DblClick();

private:
    void Relayout();
    void DrawCards(QPainter &painter, int first, int last) const;
    // Hands the event on to the parent widget when it hits no card.
    void PassOnIfMissed(QEvent *event, QPoint point) const;
    void ClickCard(int k);
    void Toggle(int k);

    TCardGroupData m_data;
    QImage m_buffer;
    // The buffer with its key colour made transparent, brought up to date when painted.
    QImage m_display;
    QRect m_displayStale;
    int m_cardSpacing = 0;
    int m_cardWidth = 0;
    int m_cardHeight = 0;
    int m_raise = 0;
    int m_sizeStyle = -1;
    bool m_vertical = false;
    bool m_canSelect = true;
    bool m_canMoveSelect = false;
    bool m_singleSelected = false;
    VestranoFunc::TColor m_transparentColor;
    VestranoFunc::TColor m_highlightColor;
    int m_updating = 0;
    bool m_dragState = false;
    bool m_inDoubleClick = false;
};
