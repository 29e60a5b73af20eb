#include "game/TPlayerControls.h"

#include "cards/VestranoFunc.h"
#include "common/Gbk.h"
#include "controls/TCardGroupGraphic.h"
#include "game/TTablePicture.h"
#include "game/TVestranoClient.h"
#include "game/TableGeometry.h"
#include "platform/ResourceImages.h"
#include "widgets/TPictureButton.h"

#include <QMouseEvent>

#include <algorithm>

namespace VF = VestranoFunc;
namespace TG = TableGeometry;
using TPhase = TVestranoTable::TPhase;

namespace {

// The state pictures of a button share a name up to its last character.
std::string StatePicture(std::string name, char state) {
    name.back() = state;
    return name;
}

constexpr std::string_view Jokers = "10";
constexpr std::string_view WildCards = "1100";
constexpr std::array BombSizes = {8, 7, 6, 5, 4};

} // namespace

TPlayerControls::TPlayerControls(TVestranoClient &client)
    : QObject(&client)
    , m_client(client) {
    PicButtonReady = MakeButton("KepVestrano_BITMAPREADY1", nullptr);
    PicButtonFetch = MakeButton("KepVestrano_BITMAPFETCH1", nullptr, true);
    PicButtonPass = MakeButton("KepVestrano_BITMAPPASS1", nullptr);
    PicButtonPrior = MakeButton("KepVestrano_BITMAPPRIOR1", "查看上一轮出的牌");
    PicButtonResume = MakeButton("KepVestrano_BITMAPRESUME1", nullptr);
    PicButtonTakeLeft = MakeButton("KepVestrano_BITMAPTAKELEFT1", "可将选中的牌放置牌的左侧");
    PicButtonSingleCard = MakeButton("KepVestrano_BITMAPSINGLECARD1", "单张");
    PicButtonTwoCard = MakeButton("KepVestrano_BITMAPTWOCARD1", "对子");
    PicButtonThreeCard = MakeButton("KepVestrano_BITMAPTHREECARD1", "三张");
    PicButtonBombCard = MakeButton("KepVestrano_BITMAPBOMBCARD1", "炸弹");
    PicButtonMuchToFew = MakeButton("KepVestrano_BITMAPMUCHTOFEW1", "从多到少");
    PicButtonToBig = MakeButton("KepVestrano_BITMAPTOBIG1", "从大到小");
    PicButtonToLittle = MakeButton("KepVestrano_BITMAPTOLITTLE1", "从小到大");
    static constexpr std::array FenPictures = {
        "KepVestrano_BITMAPONEFEN1",  "KepVestrano_BITMAPTWOFEN1",  "KepVestrano_BITMAPTHREEFEN1",
        "KepVestrano_BITMAPFOURFEN1", "KepVestrano_BITMAPFIVEFEN1", "KepVestrano_BITMAPSIXFEN1"};
    for (size_t i = 0; i < PicButtonFen.size(); ++i) {
        PicButtonFen[i] = MakeButton(FenPictures[i], nullptr);
        PicButtonFen[i]->SetTag(int(i) + 1);
    }
    PicButtonDontDeclare = MakeButton("KepVestrano_BITMAPDONTDECLARE1", nullptr);
    PicButtonDontDeclare->SetTag(int(GameRecordCodec::NoBid));
    PicButtonBottomCard = MakeButton("KepVestrano_BITMAPBOTTOMCARD1", nullptr);

    PicButtonReady->OnClick = [this](TPictureButton *) {
        Ready();
    };
    PicButtonFetch->OnClick = [this](TPictureButton *) {
        PlaySelection();
    };
    PicButtonPass->OnClick = [this](TPictureButton *) {
        Pass();
    };
    PicButtonPrior->OnClick = [this](TPictureButton *) {
        ShowPreviousTrick();
    };
    PicButtonResume->OnClick = [this](TPictureButton *) {
        ResumeTrick();
    };
    PicButtonTakeLeft->OnClick = [this](TPictureButton *) {
        TakeLeft();
    };
    const std::array groups = {PicButtonSingleCard, PicButtonTwoCard, PicButtonThreeCard,
                               PicButtonBombCard};
    for (size_t i = 0; i < groups.size(); ++i)
        groups[i]->OnClick = [this, i](TPictureButton *) {
            SelectGroups(int(i) + 1);
        };
    PicButtonMuchToFew->OnClick = [this](TPictureButton *) {
        if (CanArrange())
            SetSortMode(m_client.Table().SortMode == 3 ? 2 : 3);
    };
    PicButtonToBig->OnClick = [this](TPictureButton *) {
        if (CanArrange())
            SetSortMode(2);
    };
    PicButtonToLittle->OnClick = [this](TPictureButton *) {
        if (CanArrange())
            SetSortMode(1);
    };
    for (TPictureButton *button : PicButtonFen)
        button->OnClick = [this](TPictureButton *sender) {
            Bid(sender->Tag());
        };
    PicButtonDontDeclare->OnClick = [this](TPictureButton *sender) {
        Bid(sender->Tag());
    };
    PicButtonBottomCard->OnClick = [this](TPictureButton *) {
        ToggleBottomCards();
    };

    for (int i = 0; i < ChoiceCount; ++i) {
        ChoicePanels[size_t(i)] = new TTablePicture(&client);
        ChoicePanels[size_t(i)]->SetPicture(Platform::ResourceImage("KepVestrano_IMAGECANSELECT"));
        ChoicePanels[size_t(i)]->hide();
        auto *cards = new TCardGroupGraphic(&client);
        cards->SetCanSelect(false);
        cards->SetCardSpacing(TG::ChoiceSpacing);
        cards->SetOnCompare([](TCardGroupData *, const VF::TCardInfo &a, const VF::TCardInfo &b,
                               int &compare) { compare = VF::CompareForDisplay(a, b, {}); });
        cards->SetAutoSort(true);
        cards->OnMouseDown = [this, i](TCardGroupGraphic *sender, QMouseEvent *event) {
            if (sender->HitTest(event->position().toPoint()) >= 0 &&
                (event->button() == Qt::LeftButton || event->button() == Qt::RightButton))
                PlayChoice(i);
        };
        cards->hide();
        ChoiceCards[size_t(i)] = cards;
    }
    DragTip = new TTablePicture(&client);
    DragTip->SetPicture(Platform::ResourceImage("KepVestrano_BITMAPNoSelect1"));
    DragTip->hide();

    m_previousTimer.setInterval(PreviousTrickInterval);
    m_previousTimer.setSingleShot(true);
    connect(&m_previousTimer, &QTimer::timeout, this,
            [this] { m_client.Table().SetShowPrevious(false); });
}

TPlayerControls::~TPlayerControls() = default;

TPictureButton *TPlayerControls::MakeButton(const char *firstPicture, const char *hint,
                                            bool withGray) {
    auto *button = new TPictureButton(&m_client);
    const std::string name = firstPicture;
    button->SetCommPicture(Platform::ResourceImage(name));
    button->SetDownPicture(Platform::ResourceImage(StatePicture(name, '2')));
    button->SetMovePicture(Platform::ResourceImage(StatePicture(name, '3')));
    if (withGray)
        button->SetGrayPicture(Platform::ResourceImage(StatePicture(name, '4')));
    button->SetOffsetX(0);
    button->SetOffsetY(0);
    if (hint) {
        button->SetHint(Gbk::FromUtf8(hint));
        button->SetShowHint(true);
    }
    button->hide();
    return button;
}

// ---- Visibility and places --------------------------------------------------------------

void TPlayerControls::Refresh() {
    const TVestranoTable &table = m_client.Table();
    const TVestranoTableHost &host = table.Host();
    const bool running = host.GameRunning();
    const bool player = host.OwnIsPlayer();
    const int own = host.OwnSeat();
    const bool ownTurn = own == table.CurrentSeat;
    const TPhase phase = table.Phase();
    const bool playing = phase == TPhase::Playing;
    const bool bidding = phase == TPhase::Bidding && player && ownTurn;
    const std::string hand = m_client.OwnHand()->Cards();

    PicButtonReady->setVisible(player && !running && !table.Seats()[size_t(own)].Ready);
    PicButtonFetch->setVisible(playing && player && ownTurn && !hand.empty());
    PicButtonPass->setVisible(!PicButtonFetch->isHidden() && own != table.LastPlayer);
    PicButtonPrior->setVisible(playing && !table.ShowPrevious);
    PicButtonResume->setVisible(playing && table.ShowPrevious);
    PicButtonTakeLeft->setVisible(running && !table.Dealing && player && !hand.empty());
    for (TPictureButton *button : {PicButtonSingleCard, PicButtonTwoCard, PicButtonThreeCard,
                                   PicButtonBombCard, PicButtonMuchToFew})
        button->show();
    PicButtonToBig->setVisible(table.SortMode == 1);
    PicButtonToLittle->setVisible(table.SortMode != 1);
    const auto jokers = std::count_if(
        hand.begin(), hand.end(), [](char c) { return Jokers.find(c) != std::string_view::npos; });
    PicButtonFen[0]->setVisible(bidding && table.HighestBid <= 0 && jokers < 2);
    for (size_t i = 1; i < PicButtonFen.size(); ++i)
        PicButtonFen[i]->setVisible(bidding && table.HighestBid < int64_t(i) + 1);
    PicButtonDontDeclare->setVisible(bidding &&
                                     table.SeatBid[size_t(own)] != GameRecordCodec::NoBid);
    PicButtonBottomCard->setVisible(playing);

    const bool choices =
        running && !table.Dealing && player && ownTurn && table.Interpretations.size() >= 2;
    for (int i = 0; i < ChoiceCount; ++i) {
        ChoicePanels[size_t(i)]->setVisible(choices);
        ChoiceCards[size_t(i)]->setVisible(choices && ChoiceCards[size_t(i)]->Count() > 0);
    }
}

int TPlayerControls::PlayCentre() const {
    return TG::Centred(PicButtonFetch->width());
}

void TPlayerControls::PlacePass() {
    const bool choices = m_client.Table().Interpretations.size() >= 2;
    PicButtonPass->move(choices ? TG::PassLeftBesideChoices : PlayCentre() - TG::PlayOffsetWithPass,
                        TG::ButtonRow);
}

void TPlayerControls::Layout() {
    PicButtonReady->move(TG::ReadyAt);
    const int offset = PicButtonPass->isHidden() ? TG::PlayOffsetAlone : TG::PlayOffsetWithPass;
    PicButtonFetch->move(PlayCentre() + offset, TG::ButtonRow);
    PlacePass();
    PicButtonPrior->move(TG::PriorAt);
    PicButtonResume->move(TG::PriorAt);
    PicButtonTakeLeft->move(TG::TakeLeftAt);
    const std::array groups = {PicButtonSingleCard, PicButtonTwoCard, PicButtonThreeCard,
                               PicButtonBombCard};
    for (size_t i = 0; i < groups.size(); ++i)
        groups[i]->move(TG::GroupButtonAt[i]);
    PicButtonMuchToFew->move(TG::MuchToFewAt);
    PicButtonToBig->move(TG::SortToggleAt);
    PicButtonToLittle->move(TG::SortToggleAt);
    for (size_t i = 0; i < PicButtonFen.size(); ++i)
        PicButtonFen[i]->move(TG::OneFenLeft + TG::BidButtonStep * int(i), TG::ButtonRow);
    PicButtonDontDeclare->move(TG::DontDeclareAt);
    PicButtonBottomCard->move(TG::BottomCardAt);
    for (int i = 0; i < ChoiceCount; ++i) {
        ChoicePanels[size_t(i)]->move(TG::ChoicePanelAt[size_t(i)]);
        ChoiceCards[size_t(i)]->move(TG::ChoicePanelAt[size_t(i)] + TG::ChoiceCardsOffset);
    }
}

void TPlayerControls::RaiseButtons() {
    for (QWidget *button : std::initializer_list<QWidget *>{
             PicButtonReady, PicButtonFetch, PicButtonPass, PicButtonPrior, PicButtonResume,
             PicButtonTakeLeft, PicButtonSingleCard, PicButtonTwoCard, PicButtonThreeCard,
             PicButtonBombCard, PicButtonMuchToFew, PicButtonToBig, PicButtonToLittle})
        button->raise();
    for (TPictureButton *button : PicButtonFen)
        button->raise();
    PicButtonDontDeclare->raise();
    PicButtonBottomCard->raise();
}

void TPlayerControls::RaiseDragTip() {
    DragTip->raise();
}

void TPlayerControls::RaiseChoices() {
    for (int i = 0; i < ChoiceCount; ++i) {
        ChoicePanels[size_t(i)]->raise();
        ChoiceCards[size_t(i)]->raise();
    }
}

void TPlayerControls::RetireHintsAt(int tickCount) {
    if (m_hintsRetired || tickCount <= HintTicks)
        return;
    m_hintsRetired = true;
    for (TPictureButton *button : {PicButtonPrior, PicButtonTakeLeft, PicButtonSingleCard,
                                   PicButtonTwoCard, PicButtonThreeCard, PicButtonBombCard,
                                   PicButtonMuchToFew, PicButtonToBig, PicButtonToLittle})
        button->SetShowHint(false);
}

// ---- Playing ----------------------------------------------------------------------------

bool TPlayerControls::MayPlay() const {
    const TVestranoTable &table = m_client.Table();
    return table.Phase() == TPhase::Playing && table.Host().OwnIsPlayer() &&
           table.Host().OwnSeat() == table.CurrentSeat;
}

void TPlayerControls::UpdatePlayHint() {
    if (!MayPlay())
        return;
    TVestranoTable &table = m_client.Table();
    const int own = table.Host().OwnSeat();
    const std::string selection = m_client.OwnHand()->SelectedCards();
    table.Interpretations.clear();
    if (selection.find_first_of(Jokers) != std::string::npos &&
        !VF::RemoveCards(selection, WildCards).empty()) {
        const std::string previous = own == table.LastPlayer ? std::string() : table.PlayToBeat;
        VF::JokerInterpretations(selection, WildCards, previous, &table.Interpretations);
    }
    const auto &interpretations = table.Interpretations;
    for (int i = 0; i < ChoiceCount; ++i) {
        TCardGroupGraphic *cards = ChoiceCards[size_t(i)];
        cards->Clear();
        if (interpretations.size() < 2)
            continue;
        cards->SetCards(selection);
        cards->SetJokerLabels(interpretations[size_t(i)]);
    }
    const bool choices = !table.Dealing && interpretations.size() >= 2;
    for (int i = 0; i < ChoiceCount; ++i) {
        ChoicePanels[size_t(i)]->setVisible(choices);
        ChoiceCards[size_t(i)]->setVisible(choices && ChoiceCards[size_t(i)]->Count() > 0);
    }
    PlacePass();
    const int code =
        interpretations.empty() ? table.ApplyPlay(own, selection, selection, true) : VF::pcOk;
    PicButtonFetch->setEnabled(code == VF::pcOk);
    PicButtonFetch->SetHint(std::string(VF::PlayCheckTexts[size_t(code)]));
    PicButtonFetch->SetShowHint(true);
}

void TPlayerControls::DisablePlay() {
    PicButtonFetch->setEnabled(false);
    PicButtonFetch->SetHint({});
}

void TPlayerControls::EnablePass() {
    PicButtonPass->setEnabled(true);
}

void TPlayerControls::Play(const std::string &cards, const std::string &faces) {
    TVestranoTable &table = m_client.Table();
    const int own = table.Host().OwnSeat();
    if (table.ApplyPlay(own, cards, faces, false) == VF::pcOk)
        table.SendPlay(own, cards, faces);
}

void TPlayerControls::PlaySelection() {
    if (!MayPlay() || !PicButtonFetch->isEnabled())
        return;
    const auto &interpretations = m_client.Table().Interpretations;
    const std::string cards = m_client.OwnHand()->SelectedCards();
    Play(cards, interpretations.empty() ? cards : interpretations.front());
}

// A choice beyond the list (the panels are hidden then) plays nothing rather than read
// past its end.
void TPlayerControls::PlayChoice(int tag) {
    if (!MayPlay() || !PicButtonFetch->isEnabled() || tag < 0 || tag >= ChoiceCount)
        return;
    const auto &interpretations = m_client.Table().Interpretations;
    const std::string cards = ChoiceCards[size_t(tag)]->Cards();
    if (interpretations.empty()) {
        Play(cards, cards);
        return;
    }
    if (size_t(tag) < interpretations.size())
        Play(cards, interpretations[size_t(tag)]);
}

void TPlayerControls::Pass() {
    TVestranoTable &table = m_client.Table();
    const int own = table.Host().OwnSeat();
    if (MayPlay() && !table.PlayToBeat.empty() && table.ApplyPass(own))
        table.SendPass(own);
}

void TPlayerControls::Ready() {
    TVestranoTable &table = m_client.Table();
    if (table.Host().GameRunning() || !table.Host().OwnIsPlayer())
        return;
    table.Host().SendReady();
    table.ResultReady = false;
    m_client.RefreshTable();
}

void TPlayerControls::Bid(int points) {
    TVestranoTable &table = m_client.Table();
    const int own = table.Host().OwnSeat();
    if (table.Phase() == TPhase::Bidding && own == table.CurrentSeat && table.Host().OwnIsPlayer())
        table.SendBid(own, points);
}

void TPlayerControls::ShowPreviousTrick() {
    m_client.Table().SetShowPrevious(true);
    if (!m_previousTimer.isActive())
        m_previousTimer.start();
}

void TPlayerControls::ResumeTrick() {
    m_client.Table().SetShowPrevious(false);
    m_previousTimer.stop();
}

// ---- Arranging the hand -----------------------------------------------------------------

bool TPlayerControls::CanArrange() const {
    const TVestranoTable &table = m_client.Table();
    return table.Host().GameRunning() && !table.Dealing && m_client.OwnHand()->Count() > 0;
}

void TPlayerControls::SetSortMode(int mode) {
    TVestranoTable &table = m_client.Table();
    TCardGroupGraphic *hand = m_client.OwnHand();
    const std::string cards = hand->Cards();
    table.SortMode = mode;
    table.HandOrder = mode == 1   ? VF::SortCards(cards, false)
                      : mode == 3 ? VF::ArrangeByCount(cards)
                                  : VF::SortCards(cards, true);
    hand->SetAutoSort(true);
    m_client.OwnDealView()->Sort();
    PicButtonToBig->setVisible(mode == 1);
    PicButtonToLittle->setVisible(mode != 1);
}

// The moved cards stay selected, so that the play button keeps telling what they make.
void TPlayerControls::TakeLeft() {
    TCardGroupGraphic *hand = m_client.OwnHand();
    const std::string selection = hand->SelectedCards();
    if (selection.empty())
        return;
    hand->SetAutoSort(false);
    hand->SetCards(selection + VF::RemoveCards(hand->Cards(), selection));
    hand->SetSelectedCards(selection);
}

void TPlayerControls::SelectGroups(int which) {
    if (!CanArrange())
        return;
    TCardGroupGraphic *hand = m_client.OwnHand();
    const std::string cards = hand->Cards();
    std::string groups;
    if (which == 4)
        for (const int size : BombSizes)
            groups += VF::CardsInGroupsOf(cards, size);
    else
        groups = VF::CardsInGroupsOf(cards, which);
    const bool same = VF::SortCards(hand->SelectedCards(), true) == VF::SortCards(groups, true);
    hand->SetSelectedCards(same ? std::string() : groups);
}

void TPlayerControls::ToggleBottomCards() {
    const TVestranoTable &table = m_client.Table();
    if (!table.Host().GameRunning() || table.Dealing || table.Bidding)
        return;
    TCardGroupGraphic *bottom = m_client.BottomCardsDisplay();
    bottom->setVisible(bottom->isHidden());
}

void TPlayerControls::TrackDragTip(const TCardGroupGraphic *hand, QPoint tablePoint) {
    const TVestranoTable &table = m_client.Table();
    const bool shown =
        hand && hand->CanSelect() && table.Host().GameRunning() && table.Host().OwnIsPlayer() &&
        hand->SelectedCards().size() > size_t(DragTipMinCards) && table.TickCount < DragTipTicks;
    if (shown)
        DragTip->move(tablePoint + QPoint(0, TG::DragTipBelowMouse));
    DragTip->setVisible(shown);
}
