#pragma once
// What the table's rules need from the panel around them: the hub's view of the local
// user, the ways out to the server and the speakers, and the controls that mirror the
// state. The game client implements it; tests and benchmarks use quiet stand-ins.

#include <cstdint>
#include <string>
#include <string_view>

class TVestranoTableHost {
public:
    virtual bool GameRunning() const = 0;
    virtual void SetGameRunning(bool running) = 0;
    virtual uint8_t OwnSeat() const = 0;
    virtual bool OwnIsPlayer() const = 0;
    virtual int64_t OwnUserId() const = 0;
    // Whether the keyboard focus is inside the main window.
    virtual bool WindowHasFocus() const = 0;

    virtual void PlaySound(const std::string &fileName) = 0;
    virtual void ShowNotice(bool flash, const std::string &text) = 0;
    virtual void SendRecord(std::string_view record) = 0;
    virtual void SendReady() = 0;
    virtual void RequestResync() = 0;
    // The player menu is enabled again and the chat unlocked.
    virtual void ReleaseMenuAndChat() = 0;
    virtual void StopClock() = 0;

    // The seat's hand was replaced (keepSelection: the own selection survives it).
    virtual void HandReplaced(int seat, bool keepSelection) = 0;
    virtual void CardsRemoved(int seat, std::string_view cards) = 0;
    virtual void CardsMarked(int seat, std::string_view cards) = 0;
    virtual void UpdateTrusteeMark() = 0;
    virtual void RefreshTable() = 0;
    // The clock number changed: its digits are drawn again.
    virtual void ClockChanged() = 0;
    // A play or pass was applied, or play began: the play button starts disabled and the
    // own hint is worked out again when the turn is the own seat's.
    virtual void TurnApplied() = 0;
    // A snapshot's state is in place, just before the table is refreshed.
    virtual void SnapshotApplied() = 0;
    // A hand result arrived: the score board is written.
    virtual void ShowHandResult() = 0;

protected:
    ~TVestranoTableHost() = default;
};
