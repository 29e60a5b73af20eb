#pragma once
// A table host for the rules without any widget: answers the hub's questions from its
// fields and records everything the table asks of it.

#include "game/GameRecordCodec.h"
#include "game/TVestranoTableHost.h"

#include <span>
#include <string>
#include <vector>

class FakeTableHost final : public TVestranoTableHost {
public:
    bool GameRunning() const override { return Running; }
    void SetGameRunning(bool running) override { Running = running; }
    uint8_t OwnSeat() const override { return Seat; }
    bool OwnIsPlayer() const override { return Player; }
    int64_t OwnUserId() const override { return UserId; }
    bool WindowHasFocus() const override { return Focus; }

    void PlaySound(const std::string &fileName) override { Sounds.push_back(fileName); }
    void ShowNotice(bool flash, const std::string &text) override {
        (flash ? Flashes : Notices).push_back(text);
    }
    void SendRecord(std::string_view record) override { Sent.emplace_back(record); }
    void SendReady() override { ++ReadySent; }
    void RequestResync() override { ++Resyncs; }
    void ReleaseMenuAndChat() override { ++Releases; }
    void StopClock() override { ++ClockStops; }
    void HandReplaced(int, bool) override {}
    void CardsRemoved(int, std::string_view) override {}
    void CardsMarked(int seat, std::string_view cards) override {
        Marked.push_back(std::to_string(seat) + ":" + std::string(cards));
    }
    void UpdateTrusteeMark() override {}
    void RefreshTable() override { ++Refreshes; }
    void ClockChanged() override { ++ClockChanges; }
    void TurnApplied() override { ++TurnsApplied; }
    void SnapshotApplied() override {}
    void ShowHandResult() override { ++ResultsShown; }

    // The records sent, decoded.
    std::vector<GameRecordCodec::TGameRecord> SentRecords() const {
        std::vector<GameRecordCodec::TGameRecord> records;
        for (const auto &bytes : Sent)
            records.push_back(
                *GameRecordCodec::Decode(
                     std::span(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size()))
                     .Record);
        return records;
    }

    bool Running = false;
    uint8_t Seat = 0;
    bool Player = true;
    int64_t UserId = 5000;
    bool Focus = true;
    std::vector<std::string> Sounds;
    std::vector<std::string> Notices;
    std::vector<std::string> Flashes;
    std::vector<std::string> Sent;
    std::vector<std::string> Marked;
    int ReadySent = 0;
    int Resyncs = 0;
    int Releases = 0;
    int ClockStops = 0;
    int Refreshes = 0;
    int ClockChanges = 0;
    int TurnsApplied = 0;
    int ResultsShown = 0;
};
