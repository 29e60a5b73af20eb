#include "game/TVestranoClient.h"

#include "controls/TCardGroupGraphic.h"
#include "plugin/TCustomPluginShare.h"

#include <QApplication>

namespace {

enum TPosition { posBottom, posRight, posTop, posLeft };

constexpr int TableMargin = 8;

} // namespace

TVestranoClient::TVestranoClient(QWidget *parent)
    : TCustomPluginClient(parent)
    , m_table(*this) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    for (auto &hand : m_hands) {
        hand = new TCardGroupGraphic(this);
        hand->SetCanSelect(false);
    }
    m_clock.setInterval(ClockInterval);
    connect(&m_clock, &QTimer::timeout, this, [this] { ClockTick(); });
    m_clock.start();
}

TVestranoClient::~TVestranoClient() = default;

// ---- Hub notices ------------------------------------------------------------------------

void TVestranoClient::OnGameRecord(std::span<const uint8_t> record, int64_t sender) {
    TCustomPluginClient::OnGameRecord(record, sender);
    m_table.ApplyRecord(record);
}

void TVestranoClient::OnSnapshot(std::span<const uint8_t> snapshot) {
    m_table.ApplySnapshot(
        std::string_view(reinterpret_cast<const char *>(snapshot.data()), snapshot.size()));
    // Until the first game the other hands have no order of their own: rank alone.
    if (!m_table.NoGameYet)
        return;
    for (int seat = 0; seat < TVestranoTable::SeatCount; ++seat)
        if (seat != OwnSeat())
            m_hands[seat]->SetOnCompare([](TCardGroupData *, const VestranoFunc::TCardInfo &a,
                                           const VestranoFunc::TCardInfo &b, int &compare) {
                compare = VestranoFunc::CompareForDisplay(a, b, {});
            });
}

void TVestranoClient::OnSeatReady(int seat) {
    m_table.SeatReady(seat);
}

void TVestranoClient::OnGameStart() {
    m_table.GameStart();
}

void TVestranoClient::OnGameOver() {
    m_table.GameOver();
}

void TVestranoClient::OnSeatTaken(const std::string &, uint16_t, uint8_t seat, int64_t userId) {
    const auto *hub = PluginShare();
    m_table.SeatTaken(seat, userId, hub ? hub->UserDisplayName(userId) : std::string());
    if (!hub || !hub->FindUser(userId))
        return;
    PlaySound("Public_BeOn.wav");
    RefreshTable();
}

void TVestranoClient::OnSeatLeft(uint8_t seat, int64_t) {
    m_table.SeatLeft(seat);
    PlaySound("Public_BeOff.wav");
    RefreshTable();
}

void TVestranoClient::OnHubClosing() {
    PlaySound("Public_Exit.wav");
}

void TVestranoClient::RequestResync() {
    TCustomPluginClient::RequestResync();
}

void TVestranoClient::SendReady() {
    TCustomPluginClient::SendReady();
}

void TVestranoClient::PlaySound(const std::string &fileName) {
    TCustomPluginClient::PlaySound(fileName);
}

void TVestranoClient::ShowNotice(bool flash, const std::string &text) {
    TCustomPluginClient::ShowNotice(flash, text);
}

// ---- What the table needs ---------------------------------------------------------------

bool TVestranoClient::GameRunning() const {
    return TCustomPluginClient::GameRunning();
}

void TVestranoClient::SetGameRunning(bool running) {
    TCustomPluginClient::SetGameRunning(running);
}

uint8_t TVestranoClient::OwnSeat() const {
    return TCustomPluginClient::OwnSeat();
}

bool TVestranoClient::OwnIsPlayer() const {
    return TCustomPluginClient::OwnIsPlayer();
}

int64_t TVestranoClient::OwnUserId() const {
    return TCustomPluginClient::OwnUserId();
}

bool TVestranoClient::WindowHasFocus() const {
    if (m_focusProbe)
        return m_focusProbe();
    const QWidget *focus = QApplication::focusWidget();
    return focus && focus->window() == window();
}

void TVestranoClient::SendRecord(std::string_view record) {
    SendGameRecord(record, 0);
}

void TVestranoClient::ReleaseMenuAndChat() {
    if (auto *hub = PluginShare()) {
        hub->SetMenuEnabled(true);
        hub->SetChatLocked(false);
    }
}

void TVestranoClient::StopClock() {
    m_clock.stop();
}

void TVestranoClient::HandReplaced(int seat, bool keepSelection) {
    TCardGroupGraphic *hand = m_hands[seat];
    const std::string selected = keepSelection ? hand->SelectedCards() : std::string();
    hand->SetCards(m_table.LiveHand(seat));
    if (keepSelection)
        hand->SetSelectedCards(selected);
}

void TVestranoClient::CardsRemoved(int seat, std::string_view cards) {
    m_hands[seat]->DeleteCards(cards);
}

void TVestranoClient::CardsMarked(int seat, std::string_view cards) {
    m_hands[seat]->HighlightCards(cards);
}

// ---- Visibility and layout --------------------------------------------------------------

void TVestranoClient::RefreshTable() {
    const bool running = GameRunning();
    if (running && !m_clock.isActive())
        m_clock.start();
    else if (!running)
        m_clock.stop();
    const int own = OwnSeat();
    for (int seat = 0; seat < TVestranoTable::SeatCount; ++seat) {
        const int position = m_table.RelativePosition(seat);
        m_hands[seat]->SetVertical(position == posLeft || position == posRight);
        m_hands[seat]->SetCanSelect(seat == own && running && OwnIsPlayer());
    }
    ShowTrickCards();
    UpdateTrusteeMark();
    LayoutTable();
}

void TVestranoClient::ShowTrickCards() {
    for (int seat = 0; seat < TVestranoTable::SeatCount; ++seat)
        m_shownTrick[seat] = m_table.TrickCardsOf(seat);
}

void TVestranoClient::UpdateTrusteeMark() {
    const int own = OwnSeat();
    m_trusteeMarkShown = m_table.SeatTrustee[own] && GameRunning() && OwnIsPlayer() &&
                         !m_table.LiveHand(own).empty();
}

// The own hand along the bottom edge, the top hand along the top, the side hands upright
// along the left and right edges, each centred on its edge.
void TVestranoClient::LayoutTable() {
    for (int seat = 0; seat < TVestranoTable::SeatCount; ++seat) {
        TCardGroupGraphic *hand = m_hands[seat];
        const QSize size = hand->size();
        QPoint at;
        switch (m_table.RelativePosition(seat)) {
        case posBottom:
            at = {(width() - size.width()) / 2, height() - size.height() - TableMargin};
            break;
        case posRight:
            at = {width() - size.width() - TableMargin, (height() - size.height()) / 2};
            break;
        case posTop:
            at = {(width() - size.width()) / 2, TableMargin};
            break;
        default:
            at = {TableMargin, (height() - size.height()) / 2};
            break;
        }
        hand->move(at);
    }
}

void TVestranoClient::resizeEvent(QResizeEvent *event) {
    TCustomPluginClient::resizeEvent(event);
    LayoutTable();
}
