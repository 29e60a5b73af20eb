#pragma once
// The local player's controls on the game table: the picture buttons (ready, play, pass,
// bids, previous trick, hand arrangement, bottom cards), the two joker-choice panels and
// the drag tip. It shows, places and enables them from the table's state and turns their
// clicks into the table's actions; the state itself stays in TVestranoTable.

#include <QObject>
#include <QTimer>

#include <array>
#include <string>

class QWidget;
class TCardGroupGraphic;
class TPictureButton;
class TTablePicture;
class TVestranoClient;

class TPlayerControls final : public QObject {
    Q_OBJECT

public:
    static constexpr int PreviousTrickInterval = 2000;
    // Hints of the arrangement buttons are for beginners: they retire after these ticks.
    static constexpr int HintTicks = 20;
    // The drag tip helps only during the first minute.
    static constexpr int DragTipTicks = 61;
    static constexpr int DragTipMinCards = 4;
    static constexpr int ChoiceCount = 2;

    explicit TPlayerControls(TVestranoClient &client);
    ~TPlayerControls() override;

    // Visibility and state from the table, then the positions; Raise* bring the groups
    // to the front in the table's stacking order.
    void Refresh();
    void Layout();
    void RaiseButtons();
    void RaiseDragTip();
    void RaiseChoices();
    void RetireHintsAt(int tickCount);

    void UpdatePlayHint();
    void DisablePlay();
    void EnablePass();
    void SetSortMode(int mode);
    void PlaySelection();
    void PlayChoice(int tag);
    void TakeLeft();
    // The mouse over the own hand at `tablePoint` (null: over the table itself).
    void TrackDragTip(const TCardGroupGraphic *hand, QPoint tablePoint);

    TPictureButton *PicButtonReady = nullptr;
    TPictureButton *PicButtonFetch = nullptr;
    TPictureButton *PicButtonPass = nullptr;
    TPictureButton *PicButtonPrior = nullptr;
    TPictureButton *PicButtonResume = nullptr;
    TPictureButton *PicButtonTakeLeft = nullptr;
    TPictureButton *PicButtonSingleCard = nullptr;
    TPictureButton *PicButtonTwoCard = nullptr;
    TPictureButton *PicButtonThreeCard = nullptr;
    TPictureButton *PicButtonBombCard = nullptr;
    TPictureButton *PicButtonMuchToFew = nullptr;
    TPictureButton *PicButtonToBig = nullptr;
    TPictureButton *PicButtonToLittle = nullptr;
    std::array<TPictureButton *, 6> PicButtonFen{};
    TPictureButton *PicButtonDontDeclare = nullptr;
    TPictureButton *PicButtonBottomCard = nullptr;

    std::array<TTablePicture *, ChoiceCount> ChoicePanels{};
    std::array<TCardGroupGraphic *, ChoiceCount> ChoiceCards{};
    TTablePicture *DragTip = nullptr;
    const QTimer &PreviousTrickTimer() const { return m_previousTimer; }

private:
    TPictureButton *MakeButton(const char *firstPicture, const char *hint, bool withGray = false);
    void ShowPreviousTrick();
    void ResumeTrick();
    void Bid(int points);
    void SelectGroups(int which);
    void ToggleBottomCards();
    void Ready();
    void Pass();
    bool CanArrange() const;
    bool MayPlay() const;
    void Play(const std::string &cards, const std::string &faces);
    void PlacePass();
    int PlayCentre() const;

    TVestranoClient &m_client;
    QTimer m_previousTimer;
    bool m_hintsRetired = false;
};
