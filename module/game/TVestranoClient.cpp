#include "game/TVestranoClient.h"

#include "common/Gbk.h"
#include "controls/TCardGroupGraphic.h"
#include "controls/TNumberGraphic.h"
#include "game/HandResultText.h"
#include "game/TChatBubbles.h"
#include "game/TDealAnimation.h"
#include "game/THandResultBoard.h"
#include "game/TPlayerControls.h"
#include "game/TTableLabel.h"
#include "game/TTablePicture.h"
#include "game/TableGeometry.h"
#include "platform/ResourceImages.h"
#include "plugin/TCustomPluginShare.h"
#include "plugin/TCustomPluginUser.h"
#include "widgets/QtText.h"

#include <QApplication>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>

#include <cstdio>

namespace TG = TableGeometry;
namespace VF = VestranoFunc;
using TPhase = TVestranoTable::TPhase;

namespace {

// The hand control's update test that ignores only the very same card string.
constexpr int ExactCardsCompare = 2;
constexpr int ShowBacks = 1;
constexpr int ShowFaces = 0;
constexpr QRgb Magenta = 0xFFFF00FF;
constexpr QPoint DigitsAt{12, 14};
constexpr int ClockDigitCount = 2;
constexpr int ClockDigitSpace = 1;
const QColor Aqua(0, 255, 255);
const QColor Maroon(128, 0, 0);
constexpr int NameFontPoints = 9;
constexpr int CountFontHeight = -22;
constexpr int BankerFontPoints = 11;
constexpr char ReadyMarkPicture[] = "KepVestrano_BitmapBegin";
constexpr char PassMarkPicture[] = "KepVestrano_BitmapDontFetch";
constexpr std::array BidMarkPictures = {"KepVestrano_BitmapOneFen",   "KepVestrano_BitmapTwoFen",
                                        "KepVestrano_BitmapThreeFen", "KepVestrano_BitmapFourFen",
                                        "KepVestrano_BitmapFiveFen",  "KepVestrano_BitmapSixFen"};

// Names reach the label without control characters and without the byte 255.
std::string Printable(const std::string &name) {
    std::string shown;
    for (const char c : name)
        if (static_cast<unsigned char>(c) >= 31 && static_cast<unsigned char>(c) != 255)
            shown += c;
    return shown;
}

// The table draws its opaque background by copying it: a picture without alpha.
QImage Opaque(const QImage &picture) {
    return picture.isNull() ? picture : picture.convertToFormat(QImage::Format_RGB32);
}

} // namespace

TVestranoClient::TVestranoClient(QWidget *parent)
    : TCustomPluginClient(parent)
    , m_table(*this) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    TCardGroupGraphic::SetCardsCompareMode(ExactCardsCompare);
    CreateSeatElements();
    CreateTableElements();
    m_deal = new TDealAnimation(*this);
    m_controls = new TPlayerControls(*this);
    m_bubbles = new TChatBubbles(*this);
    m_board = new THandResultBoard(this);
    m_passMark = Platform::ResourceImage(PassMarkPicture);
    SetBackground(0);
    m_clock.setInterval(ClockInterval);
    connect(&m_clock, &QTimer::timeout, this, [this] { ClockTick(); });
    m_clock.start();
}

TVestranoClient::~TVestranoClient() = default;

void TVestranoClient::CreateSeatElements() {
    const auto byOrder = [this](TCardGroupData *, const VF::TCardInfo &a, const VF::TCardInfo &b,
                                int &compare) {
        compare = VF::CompareForDisplay(a, b, m_table.HandOrder);
    };
    const auto byRank = [](TCardGroupData *, const VF::TCardInfo &a, const VF::TCardInfo &b,
                           int &compare) {
        compare = VF::CompareForDisplay(a, b, {});
    };
    const auto rightPlay = [this](TCardGroupGraphic *sender, QMouseEvent *event) {
        if (event->button() == Qt::RightButton && !sender->CanSelect() &&
            sender->HitTest(event->position().toPoint()) >= 0)
            RightClickPlay();
    };
    QFont nameFont = QtText::FontOfPointSize(QStringLiteral("宋体"), NameFontPoints);
    QFont countFont = QtText::FontOfHeight(QStringLiteral("楷体_GB2312"), CountFontHeight);
    countFont.setBold(true);
    for (size_t seat = 0; seat < SeatCount; ++seat) {
        m_trick[seat] = new TCardGroupGraphic(this);
        m_trick[seat]->SetCanSelect(false);
        m_trick[seat]->SetOnCompare(byRank);
        m_trick[seat]->SetAutoSort(true);
        m_trick[seat]->OnMouseDown = rightPlay;
        m_avatars[seat] = new TTablePicture(this);
        m_avatars[seat]->OnMouseDown = [this, seat](TTablePicture *, QMouseEvent *event) {
            if (event->button() == Qt::RightButton && m_table.Seats()[seat].UserId != 0)
                ShowUserMenu(m_table.Seats()[seat].UserId);
        };
        auto *hand = new TCardGroupGraphic(this);
        hand->SetCanSelect(false);
        hand->SetOnCompare(byOrder);
        hand->SetAutoSort(true);
        hand->OnMouseDown = rightPlay;
        hand->OnRightFetch = [this](TCardGroupGraphic *) {
            RightClickPlay();
        };
        hand->OnSelected = [this](TCardGroupGraphic *sender) {
            if (sender == OwnHand())
                UpdatePlayHint();
        };
        hand->OnMouseMove = [this](TCardGroupGraphic *sender, QMouseEvent *event) {
            m_controls->TrackDragTip(sender, sender->mapToParent(event->position().toPoint()));
        };
        m_hands[seat] = hand;
        m_names[seat] = new TTableLabel(this);
        m_names[seat]->SetTextFont(nameFont);
        m_counts[seat] = new TTableLabel(this);
        m_counts[seat]->SetTextFont(countFont);
        m_counts[seat]->SetColor(Maroon);
        m_counts[seat]->hide();
        m_readyMarks[seat] = new TTablePicture(this);
        m_readyMarks[seat]->SetPicture(Platform::ResourceImage(ReadyMarkPicture));
        m_readyMarks[seat]->hide();
        m_bidMarks[seat] = new TTablePicture(this);
        m_bidMarks[seat]->hide();
    }
}

void TVestranoClient::CreateTableElements() {
    m_bottomCards = new TCardGroupGraphic(this);
    m_bottomCards->SetCanSelect(false);
    m_bottomCards->SetCardSpacing(TG::OwnSpacing);
    m_bottomCards->hide();
    m_clockPicture = new TTablePicture(this);
    m_clockPicture->SetPicture(Platform::ResourceImage("KepVestrano_BITMAPCLOCK"));
    m_clockDigits = new TTablePicture(this);
    m_number = new TNumberGraphic(this);
    m_number->hide();
    m_number->SetBitmapMask(Platform::ResourceImage("KepVestrano_BITMAPNUMBER"));
    m_number->SetTransparent(true);
    m_number->SetNumberSpace(ClockDigitSpace);
    m_number->resize(ClockDigitCount * (m_number->PointWidth() + ClockDigitSpace) - ClockDigitSpace,
                     m_number->PointHeight());
    m_number->SetDecimal(ClockDigitCount);
    m_digits = QImage(m_clockPicture->size(), QImage::Format_ARGB32_Premultiplied);
    DrawClockDigits();
    m_bankerMark = new TTablePicture(this);
    m_bankerMark->SetPicture(Platform::ResourceImage("KepVestrano_BITMAPZhuang"));
    QFont bankerFont = QtText::FontOfPointSize(QStringLiteral("宋体"), BankerFontPoints);
    m_bankerLabel = new TTableLabel(this);
    m_bidLabel = new TTableLabel(this);
    for (TTableLabel *label : {m_bankerLabel, m_bidLabel}) {
        label->SetTextFont(bankerFont);
        label->SetColor(Aqua);
        label->hide();
    }
    m_trusteeMark = new TTablePicture(this);
    m_trusteeMark->SetPicture(Platform::ResourceImage("KepVestrano_IMAGETRUSTEESHIP"));
    m_trusteeMark->OnMouseDown = [this](TTablePicture *, QMouseEvent *) {
        SetTrustee(false);
    };
    m_trusteeMark->hide();
}

TCardGroupGraphic *TVestranoClient::OwnHand() const {
    return m_hands[OwnSeat() % SeatCount];
}

TCardGroupGraphic *TVestranoClient::OwnDealView() const {
    return m_deal->DealViews[OwnSeat() % SeatCount];
}

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
    for (int seat = 0; seat < SeatCount; ++seat)
        if (seat != OwnSeat())
            m_hands[size_t(seat)]->SetOnCompare(
                [](TCardGroupData *, const VF::TCardInfo &a, const VF::TCardInfo &b, int &compare) {
                    compare = VF::CompareForDisplay(a, b, {});
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

void TVestranoClient::OnChatLine(const std::string &text, int64_t kind) {
    m_bubbles->ShowLine(text, kind);
}

void TVestranoClient::OnSeatTaken(const std::string &, uint16_t face, uint8_t seat,
                                  int64_t userId) {
    const auto *hub = PluginShare();
    m_table.SeatTaken(seat, userId, hub ? hub->UserDisplayName(userId) : std::string());
    if (!hub || !hub->FindUser(userId))
        return;
    const bool hidden = hub->PluginUser() && hub->PluginUser()->HideInfo() && userId != OwnUserId();
    const QString file =
        QString::fromLocal8Bit(FaceFolder()) + QString::number(hidden ? 0 : face) + ".png";
    if (QFileInfo::exists(file))
        m_avatars[seat % SeatCount]->SetPicture(QImage(file));
    PlaySound("Public_BeOn.wav");
    RefreshTable();
}

void TVestranoClient::OnSeatLeft(uint8_t seat, int64_t) {
    m_table.SeatLeft(seat);
    PlaySound("Public_BeOff.wav");
    m_avatars[seat % SeatCount]->SetPicture(QImage());
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
    m_deal->Stop();
}

// The own hand takes its order again from the sort mode whenever it is replaced.
void TVestranoClient::HandReplaced(int seat, bool keepSelection) {
    TCardGroupGraphic *hand = m_hands[size_t(seat)];
    const std::string selected = keepSelection ? hand->SelectedCards() : std::string();
    hand->SetCards(m_table.LiveHand(seat));
    if (m_table.LiveHand(seat).empty())
        m_deal->ClearSeat(seat);
    if (seat == OwnSeat())
        SetSortMode(m_table.SortMode);
    if (keepSelection)
        hand->SetSelectedCards(selected);
}

void TVestranoClient::CardsRemoved(int seat, std::string_view cards) {
    m_hands[size_t(seat)]->DeleteCards(cards);
}

void TVestranoClient::CardsMarked(int seat, std::string_view cards) {
    m_hands[size_t(seat)]->HighlightCards(cards);
}

void TVestranoClient::ClockChanged() {
    m_number->SetNumber(m_table.ClockNumber);
    DrawClockDigits();
    update();
}

void TVestranoClient::TurnApplied() {
    m_controls->DisablePlay();
    UpdatePlayHint();
}

void TVestranoClient::SnapshotApplied() {
    m_deal->ClearViews();
    if (m_table.Dealing)
        m_deal->Start();
    m_bottomCards->SetCards(m_table.BottomCards);
    SetSortMode(m_table.SortMode);
    m_controls->DisablePlay();
    m_controls->EnablePass();
}

void TVestranoClient::ShowHandResult() {
    const auto *hub = PluginShare();
    if (!hub)
        return;
    const int64_t ownUser = m_table.Seats()[OwnSeat() % SeatCount].UserId;
    std::array<THandResultBoard::TRow, SeatCount> rows;
    for (size_t i = 0; i < rows.size(); ++i) {
        const auto &entry = m_table.Result.Entries[i];
        if (entry.UserId == 0)
            continue;
        rows[i].Name = HandResultText::NameCell(hub->UserDisplayName(entry.UserId));
        rows[i].Line = HandResultText::LineCell(entry.Value1, entry.Value2, m_table.ResultScale1,
                                                m_table.ResultScale2);
        rows[i].Own = entry.UserId == ownUser;
    }
    m_board->Write(rows, ScoreName(), BeanName());
}

// ---- Controls and options ---------------------------------------------------------------

void TVestranoClient::UpdatePlayHint() {
    m_controls->UpdatePlayHint();
}

void TVestranoClient::SetSortMode(int mode) {
    m_controls->SetSortMode(mode);
}

void TVestranoClient::RightClickPlay() {
    if (GameRunning() && OwnIsPlayer() && OwnSeat() == m_table.CurrentSeat)
        m_controls->PlaySelection();
}

void TVestranoClient::SetDragSelect(bool on) {
    m_dragSelect = on;
    OwnHand()->SetCanMoveSelect(on);
}

void TVestranoClient::SetHideBubbles(bool on) {
    m_bubbles->SetHideBubbles(on);
}

void TVestranoClient::SetBackground(int index) {
    m_backgroundIndex = index;
    char name[48];
    std::snprintf(name, sizeof name, "KepVestrano_BITMAPBBACK%d1", index);
    m_background = Opaque(Platform::ResourceImage(name));
    update();
}

void TVestranoClient::SetBackgroundPicture(const QImage &picture) {
    if (picture.isNull())
        return;
    m_background =
        Opaque(picture.scaled(TG::BackgroundSize, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    update();
}

void TVestranoClient::ClockTick() {
    m_table.ClockTick();
    m_controls->RetireHintsAt(m_table.TickCount);
}

void TVestranoClient::DealTimerTick() {
    m_deal->Tick();
}

void TVestranoClient::BubbleTimerTick() {
    m_bubbles->Tick();
}

void TVestranoClient::DrawClockDigits() {
    m_digits.fill(Magenta);
    QPainter painter(&m_digits);
    painter.drawImage(DigitsAt, m_number->WorkBitmap());
    painter.end();
    m_clockDigits->SetKeyedPicture(m_digits);
}

// ---- Visibility -------------------------------------------------------------------------

void TVestranoClient::RefreshTable() {
    const bool running = GameRunning();
    if (running && !m_clock.isActive())
        m_clock.start();
    else if (!running)
        m_clock.stop();
    RefreshHands();
    RefreshMarks();
    RefreshLabels();
    m_deal->Refresh();
    m_controls->Refresh();
    m_bubbles->Refresh();
    const int own = OwnSeat() % SeatCount;
    m_board->SetShown(!running && m_table.ResultReady && !m_table.Seats()[size_t(own)].Ready &&
                      !m_hideResult);
    ShowTrickCards();
    UpdateTrusteeMark();
    LayoutTable();
}

void TVestranoClient::RefreshHands() {
    const bool running = GameRunning();
    const TPhase phase = m_table.Phase();
    const int own = OwnSeat();
    const bool ownFaces = OwnIsPlayer() || WatcherMaySeeCards();
    for (int seat = 0; seat < SeatCount; ++seat) {
        TCardGroupGraphic *hand = m_hands[size_t(seat)];
        const int position = m_table.RelativePosition(seat);
        const bool backs = running && (seat != own || !ownFaces);
        hand->SetBackNumber(backs ? ShowBacks : ShowFaces);
        if (hand->Vertical() != TG::IsVertical(position))
            hand->SetVertical(TG::IsVertical(position));
        hand->SetCardSpacing(position == TG::posBottom ? TG::OwnSpacing
                             : TG::IsVertical(position)
                                 ? (running ? TG::SideSpacingInGame : TG::OpenSpacing)
                                 : (backs ? TG::TopBackSpacing : TG::OpenSpacing));
        hand->SetCanSelect(seat == own && running && OwnIsPlayer());
        const bool ready = m_table.Seats()[size_t(seat)].Ready;
        hand->setVisible((running && !m_table.Dealing) || (m_table.HandOver && !ready));
        m_trick[size_t(seat)]->setVisible(running || (m_table.HandOver && !ready));
        TTableLabel *count = m_counts[size_t(seat)];
        const bool counted = running && !m_table.Dealing && hand->Count() > 0 && backs;
        if (counted)
            count->SetText(std::to_string(hand->Count()));
        count->setVisible(counted);
    }
    OwnHand()->SetCanMoveSelect(m_dragSelect);
    m_bottomCards->SetBackNumber(
        phase == TPhase::Playing || phase == TPhase::TakingBottom ? ShowFaces : ShowBacks);
    m_bottomCards->setVisible(running && !m_table.Dealing &&
                              (phase == TPhase::Bidding || phase == TPhase::TakingBottom));
}

void TVestranoClient::RefreshMarks() {
    const bool running = GameRunning();
    const TPhase phase = m_table.Phase();
    for (size_t seat = 0; seat < SeatCount; ++seat) {
        const TSeatInfo &info = m_table.Seats()[seat];
        m_readyMarks[seat]->setVisible(!running && info.Ready && info.UserId != 0);
        const int64_t bid = m_table.SeatBid[seat];
        if (bid == GameRecordCodec::NoBid)
            m_bidMarks[seat]->SetPicture(Platform::ResourceImage("KepVestrano_BitmapDontDeclare"));
        else if (bid >= 1 && bid <= GameRecordCodec::MaxBid)
            m_bidMarks[seat]->SetPicture(Platform::ResourceImage(BidMarkPictures[size_t(bid - 1)]));
        const bool current = int(seat) == m_table.CurrentSeat;
        m_bidMarks[seat]->setVisible(
            running && !m_table.Dealing && m_table.HasBid[seat] && bid != 0 &&
            ((phase == TPhase::Bidding && !current) || (phase == TPhase::TakingBottom && current)));
    }
    const bool clock = running && !m_table.Dealing && !m_table.TakingBottom;
    m_clockPicture->setVisible(clock);
    m_clockDigits->setVisible(clock);
}

std::string TVestranoClient::SeatName(int seat) const {
    const TSeatInfo &info = m_table.Seats()[size_t(seat)];
    if (info.UserId == 0)
        return GameRunning() ? "掉线中.."_gbk : std::string();
    const auto *hub = PluginShare();
    return Printable(hub ? hub->UserDisplayName(info.UserId) : info.NickName);
}

void TVestranoClient::RefreshLabels() {
    const bool running = GameRunning();
    const TPhase phase = m_table.Phase();
    const size_t banker = m_table.Banker % SeatCount;
    const bool bankerBid = m_table.SeatBid[banker] > 0;
    const bool bankerKnown =
        ((running && !m_table.Dealing && !m_table.Bidding) || m_table.HandOver) && bankerBid;
    const bool aqua = bankerBid && (phase == TPhase::Playing || phase == TPhase::TakingBottom ||
                                    phase == TPhase::HandOver);
    for (size_t seat = 0; seat < SeatCount; ++seat) {
        m_names[seat]->SetText(SeatName(int(seat)));
        m_names[seat]->SetColor(aqua && seat == banker ? Aqua : QColor(Qt::white));
    }
    m_bankerMark->setVisible(bankerKnown);
    m_bankerLabel->setVisible(bankerKnown);
    m_bidLabel->setVisible(bankerKnown);
    if (!bankerKnown)
        return;
    m_bankerLabel->SetText("庄家："_gbk + m_table.Seats()[banker].NickName);
    m_bidLabel->SetText("叫分："_gbk + std::to_string(m_table.SeatBid[banker]) + "分"_gbk);
}

void TVestranoClient::ShowTrickCards() {
    for (int seat = 0; seat < SeatCount; ++seat) {
        TVestranoTable::TTrickView view = m_table.TrickCardsOf(seat);
        auto &shown = m_shownTrick[size_t(seat)];
        // The display sorts what it is given, so it never equals the play's order: it is
        // given cards only when the play changed.
        if (view.Cards == shown.Cards && view.Faces == shown.Faces)
            continue;
        shown = std::move(view);
        TCardGroupGraphic *display = m_trick[size_t(seat)];
        display->SetCards(shown.Cards);
        display->SetJokerLabels(shown.Faces);
    }
}

void TVestranoClient::UpdateTrusteeMark() {
    const int own = OwnSeat();
    m_trusteeMarkShown = m_table.SeatTrustee[size_t(own % SeatCount)] && GameRunning() &&
                         OwnIsPlayer() && !m_table.LiveHand(own).empty();
    m_trusteeMark->setVisible(m_trusteeMarkShown);
}

// ---- Layout and painting ----------------------------------------------------------------

void TVestranoClient::LayoutTable() {
    LayoutSeats();
    m_bottomCards->move(TG::BottomCardsAt);
    const int current = m_table.RelativePosition(m_table.CurrentSeat);
    const QPoint clock = current == TG::posBottom && m_table.Phase() == TPhase::Bidding
                             ? TG::OwnBiddingClockAt
                             : TG::ClockAt[size_t(current)];
    m_clockPicture->move(clock);
    m_clockDigits->move(clock);
    m_bankerMark->move(TG::BankerMarkAt[size_t(m_table.RelativePosition(m_table.Banker))]);
    m_trusteeMark->move(TG::Centred(m_trusteeMark->width()), TG::TrusteeMarkTop);
    m_bankerLabel->move(TG::BankerLabelAt);
    m_bidLabel->move(TG::BidLabelAt);
    m_board->Layout();
    m_deal->Layout();
    m_controls->Layout();
    m_bubbles->Layout();
    RaiseInOrder();
    m_laidout = true;
    update();
}

void TVestranoClient::LayoutSeats() {
    for (size_t seat = 0; seat < SeatCount; ++seat) {
        const int position = m_table.RelativePosition(int(seat));
        const auto at = size_t(position);
        TCardGroupGraphic *hand = m_hands[seat];
        hand->move(TG::HandAt(position, hand->size()));
        m_trick[seat]->move(TG::TrickAt(position, m_trick[seat]->size()));
        m_avatars[seat]->move(TG::AvatarAt[at]);
        m_names[seat]->move(TG::AvatarAt[at] + QPoint(0, TG::NameBelowAvatar));
        m_counts[seat]->move(TG::CountLabelAt(position, hand->geometry()));
        m_readyMarks[seat]->move(TG::ReadyMarkAt[at]);
        m_bidMarks[seat]->move(TG::BidMarkAt[at]);
    }
}

// What lies later in this order lies on top; the played cards, turned cards and avatars
// stay beneath everything.
void TVestranoClient::RaiseInOrder() {
    m_deal->RaisePiles();
    m_bottomCards->raise();
    m_deal->RaiseViews();
    for (QWidget *hand : m_hands)
        hand->raise();
    for (QWidget *label : m_counts)
        label->raise();
    for (QWidget *label : m_names)
        label->raise();
    m_clockPicture->raise();
    m_clockDigits->raise();
    m_bankerMark->raise();
    m_controls->RaiseButtons();
    for (QWidget *mark : m_readyMarks)
        mark->raise();
    for (QWidget *mark : m_bidMarks)
        mark->raise();
    m_trusteeMark->raise();
    m_bubbles->Raise();
    m_board->Raise();
    m_controls->RaiseDragTip();
    m_bankerLabel->raise();
    m_bidLabel->raise();
    m_controls->RaiseChoices();
}

void TVestranoClient::paintEvent(QPaintEvent *event) {
    QPainter painter(this);
    const bool background = m_laidout && !m_background.isNull();
    // Filling first what the background covers anyway would write the table twice.
    if (!background || !m_background.rect().contains(event->rect()))
        painter.fillRect(event->rect(), palette().window());
    if (background)
        painter.drawImage(event->rect().topLeft(), m_background, event->rect());
    if (!GameRunning() || m_passMark.isNull())
        return;
    for (int seat = 0; seat < SeatCount; ++seat) {
        if (seat == m_table.CurrentSeat)
            continue;
        const std::string &play =
            m_table.ShowPrevious ? m_table.PrevPlay[size_t(seat)] : m_table.TrickPlay[size_t(seat)];
        if (play == TVestranoTable::PassMark || m_table.TrickEndPasses[size_t(seat)])
            painter.drawImage(TG::BidMarkAt[size_t(m_table.RelativePosition(seat))], m_passMark);
    }
}

void TVestranoClient::resizeEvent(QResizeEvent *event) {
    TCustomPluginClient::resizeEvent(event);
    LayoutTable();
}

// ---- Mouse ------------------------------------------------------------------------------

void TVestranoClient::mousePressEvent(QMouseEvent *event) {
    if (event->button() == Qt::RightButton)
        RightClickPlay();
}

void TVestranoClient::mouseDoubleClickEvent(QMouseEvent *event) {
    if (event->button() == Qt::LeftButton && !OwnHand()->SelectedCards().empty())
        OwnHand()->SetSelectedCards({});
    mousePressEvent(event);
}

void TVestranoClient::mouseReleaseEvent(QMouseEvent *) {
    if (!OwnHand()->HighlightedCards().empty())
        OwnHand()->HighlightCards({});
}

void TVestranoClient::mouseMoveEvent(QMouseEvent *) {
    m_controls->TrackDragTip(nullptr, {});
}
