#pragma once
// Where every element of the game table lies. The table is a fixed design of 811 × 698
// pixels; a seat's elements follow its screen position (0 bottom, the own seat, then
// right, top, left), and centred elements are centred in the table's width.

#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>

namespace TableGeometry {

enum TPosition { posBottom, posRight, posTop, posLeft };

inline constexpr int TableWidth = 811;
inline constexpr int TableHeight = 698;
// The score board is centred in a shorter height, clear of the hand along the bottom.
inline constexpr int BoardAreaHeight = 680;
inline constexpr QSize BackgroundSize{1024, 734};

// Card spacings.
inline constexpr int OwnSpacing = 15;
inline constexpr int SideSpacingInGame = 2;
inline constexpr int OpenSpacing = 14;
inline constexpr int TopBackSpacing = 4;
inline constexpr int PileSpacing = 2;
inline constexpr int ChoiceSpacing = 14;

constexpr int Centred(int width) {
    return (TableWidth - width) / 2;
}

constexpr bool IsVertical(int position) {
    return position == posLeft || position == posRight;
}

inline QPoint HandAt(int position, QSize size) {
    switch (position) {
    case posBottom:
        return {Centred(size.width()) - 6, 570};
    case posRight:
        return {658, (TableHeight - size.height()) / 2};
    case posTop:
        return {Centred(size.width()) + 10, 44};
    default:
        return {91, (TableHeight - size.height()) / 2};
    }
}

inline QPoint DealViewAt(int position, QSize size) {
    return position == posBottom ? QPoint(Centred(size.width()) + 10, 570) : HandAt(position, size);
}

// The played cards and the turned card of a seat.
inline QPoint TrickAt(int position, QSize size) {
    switch (position) {
    case posBottom:
        return {Centred(size.width()) + 6, 450};
    case posRight:
        return {650 - size.width(), 292};
    case posTop:
        return {Centred(size.width()) + 6, 150};
    default:
        return {170, 292};
    }
}

inline constexpr std::array<QPoint, 4> AvatarAt = {{{57, 592}, {733, 275}, {579, 43}, {16, 275}}};
inline constexpr int NameBelowAvatar = 113;
inline constexpr std::array<QPoint, 4> ReadyMarkAt = {
    {{366, 520}, {580, 322}, {366, 143}, {160, 322}}};
// Also where a seat's pass mark is painted.
inline constexpr std::array<QPoint, 4> BidMarkAt = {
    {{366, 500}, {560, 322}, {366, 185}, {180, 322}}};
inline constexpr std::array<QPoint, 4> ClockAt = {{{205, 515}, {590, 230}, {516, 159}, {172, 230}}};
// The own clock sits above the bid buttons while the own seat bids.
inline constexpr QPoint OwnBiddingClockAt{390, 445};
inline constexpr std::array<QPoint, 4> BankerMarkAt = {
    {{73, 546}, {749, 229}, {662, 46}, {32, 229}}};
inline constexpr std::array<QPoint, 4> BubbleAt = {{{21, 531}, {673, 213}, {650, 41}, {21, 213}}};
inline constexpr QPoint BubbleTextOffset{4, 3};

// The own count would cover the own cards, so it is kept off the table.
inline QPoint CountLabelAt(int position, QRect hand) {
    switch (position) {
    case posBottom:
        return {-1000, -1000};
    case posTop:
        return {hand.left() + hand.width() - 70, hand.top() + hand.height() - 93};
    default:
        return {hand.left() + 1, hand.top() + hand.height() - 93};
    }
}

inline constexpr QPoint PileAAt{332, 326};
inline constexpr QPoint PileBAt{424, 326};
inline constexpr QPoint BottomCardsAt{326, 294};
inline constexpr int TrusteeMarkTop = 632;
inline constexpr QPoint BankerLabelAt{16, 45};
inline constexpr QPoint BidLabelAt{16, 65};
inline constexpr std::array<QPoint, 2> ChoicePanelAt = {{{335, 442}, {508, 442}}};
inline constexpr QPoint ChoiceCardsOffset{7, 10};

inline QPoint BoardAt(QSize size) {
    return {Centred(size.width()), (BoardAreaHeight - size.height()) / 2};
}

// Buttons.
inline constexpr int ButtonRow = 522;
inline constexpr QPoint ReadyAt{380, 522};
inline constexpr int PassLeftBesideChoices = 260;
inline constexpr int PlayOffsetWithPass = 45;
inline constexpr int PlayOffsetAlone = 10;
inline constexpr QPoint PriorAt{550, 687};
inline constexpr QPoint TakeLeftAt{386, 687};
inline constexpr std::array<QPoint, 4> GroupButtonAt = {
    {{682, 639}, {723, 639}, {764, 639}, {764, 680}}};
inline constexpr QPoint MuchToFewAt{723, 680};
inline constexpr QPoint SortToggleAt{682, 680};
inline constexpr int OneFenLeft = 178;
inline constexpr int BidButtonStep = 75;
inline constexpr QPoint DontDeclareAt{628, 522};
inline constexpr QPoint BottomCardAt{736, 593};

inline constexpr int DragTipBelowMouse = 25;

} // namespace TableGeometry
