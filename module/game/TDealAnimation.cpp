#include "game/TDealAnimation.h"

#include "controls/TCardGroupGraphic.h"
#include "game/TVestranoClient.h"
#include "game/TableGeometry.h"

namespace TG = TableGeometry;
namespace VF = VestranoFunc;

namespace {

constexpr int ShowBacks = 1;

TCardGroupGraphic *MakeView(QWidget *parent) {
    auto *view = new TCardGroupGraphic(parent);
    view->SetCanSelect(false);
    view->hide();
    return view;
}

} // namespace

TDealAnimation::TDealAnimation(TVestranoClient &client)
    : QObject(&client)
    , m_client(client) {
    for (TCardGroupGraphic **pile : {&PileA, &PileB}) {
        *pile = MakeView(&client);
        (*pile)->SetVertical(true);
        (*pile)->SetBackNumber(ShowBacks);
        (*pile)->SetCardSpacing(TG::PileSpacing);
    }
    for (size_t seat = 0; seat < DealViews.size(); ++seat) {
        DealViews[seat] = MakeView(&client);
        DealViews[seat]->SetOnCompare(m_client.HandControl(int(seat))->Data().OnCompare);
        DealViews[seat]->SetAutoSort(true);
        TurnedViews[seat] = MakeView(&client);
    }
    m_timer.setInterval(TickInterval);
    connect(&m_timer, &QTimer::timeout, this, [this] { Tick(); });
}

TDealAnimation::~TDealAnimation() = default;

bool TDealAnimation::Running() const {
    const TVestranoTable &table = m_client.Table();
    return table.Host().GameRunning() && table.Dealing;
}

// A deck shorter than a full deal gives shorter piles, never a read past its end.
void TDealAnimation::Start() {
    const TVestranoTable &table = m_client.Table();
    const std::string deck = table.Deck.GetCards();
    PileA->SetCards(deck.substr(0, std::min<size_t>(PileCards, deck.size())));
    PileB->SetCards(deck.size() > PileBFirst ? deck.substr(PileBFirst, PileCards) : std::string());
    const int turned = table.TurnedCard.empty() ? -1 : VF::CardIndexOf(table.TurnedCard.front());
    if (turned >= 0 && PileB->Count() > 0) {
        const int last = PileB->Count() - 1;
        PileB->SetItem(last, VF::CardInfoOf(VF::TCardIndex(turned), 0));
        PileB->RefreshCard(last);
    }
    for (size_t seat = 0; seat < DealViews.size(); ++seat)
        DealViews[seat]->SetOnCompare(m_client.HandControl(int(seat))->Data().OnCompare);
    m_shownCount.fill(-1);
    m_dealt = false;
    m_dealTick = 1;
    m_timer.start();
}

void TDealAnimation::TrimPile(TCardGroupGraphic *pile, int keep) {
    const std::string cards = pile->Cards();
    if (keep < 0)
        keep = 0;
    if (size_t(keep) < cards.size())
        pile->DeleteCards(std::string_view(cards).substr(size_t(keep)));
}

void TDealAnimation::Tick() {
    if (!Running() || m_dealTick <= 0) {
        m_timer.stop();
        return;
    }
    const TVestranoTable &table = m_client.Table();
    const int count = m_dealTick / TicksPerCard;
    for (size_t seat = 0; seat < DealViews.size(); ++seat) {
        // A view is given its cards only when their number grows: the sorted view never
        // equals the deal-order prefix, and rebuilding it every tick would cost the tick.
        if (m_shownCount[seat] == count)
            continue;
        m_shownCount[seat] = count;
        DealViews[seat]->SetCards(
            std::string_view(table.Hands[seat])
                .substr(0, std::min<size_t>(size_t(count), table.Hands[seat].size())));
    }
    ++m_dealTick;
    if (m_dealTick % TicksPerCard == 0) {
        TrimPile(PileA, PileCards - m_dealTick / TicksPerCard);
        TrimPile(PileB, 2 * PileCards - m_dealTick / TicksPerCard);
    }
    TurnedViews[table.TurnedCardSeat % TurnedViews.size()]->SetCards(table.TurnedCard);
    if (m_dealTick > LastTick) {
        m_dealTick = 0;
        m_dealt = true;
        m_timer.stop();
    }
    Refresh();
    Layout();
    m_client.update();
}

void TDealAnimation::ClearViews() {
    for (size_t seat = 0; seat < DealViews.size(); ++seat)
        ClearSeat(int(seat));
}

void TDealAnimation::ClearSeat(int seat) {
    DealViews[size_t(seat)]->Clear();
    TurnedViews[size_t(seat)]->Clear();
    m_shownCount[size_t(seat)] = -1;
}

bool TDealAnimation::TurnedCardShown() const {
    return Running() && (m_dealTick > TurnedCardTick || m_dealt);
}

void TDealAnimation::Refresh() {
    const bool running = Running();
    if (!running)
        m_timer.stop();
    PileA->setVisible(running);
    PileB->setVisible(running);
    for (size_t seat = 0; seat < DealViews.size(); ++seat) {
        const TCardGroupGraphic *hand = m_client.HandControl(int(seat));
        TCardGroupGraphic *view = DealViews[seat];
        if (view->Vertical() != hand->Vertical())
            view->SetVertical(hand->Vertical());
        view->SetCardSpacing(hand->CardSpacing());
        view->SetBackNumber(hand->BackNumber());
        view->setVisible(running);
        TurnedViews[seat]->setVisible(TurnedCardShown());
    }
}

void TDealAnimation::Layout() {
    const TVestranoTable &table = m_client.Table();
    PileA->move(TG::PileAAt);
    PileB->move(TG::PileBAt);
    for (size_t seat = 0; seat < DealViews.size(); ++seat) {
        const int position = table.RelativePosition(int(seat));
        DealViews[seat]->move(TG::DealViewAt(position, DealViews[seat]->size()));
        TurnedViews[seat]->move(TG::TrickAt(position, TurnedViews[seat]->size()));
    }
}

void TDealAnimation::RaisePiles() {
    PileA->raise();
    PileB->raise();
}

void TDealAnimation::RaiseViews() {
    for (TCardGroupGraphic *view : DealViews)
        view->raise();
}
