#pragma once
// The game table on screen: a client of 1024 × 734 shown offscreen, four players seated
// with faces, and the phases of a hand reached through the hub as the server would.

#include "ClientHubFixture.h"
#include "GameTestSupport.h"
#include "cards/VestranoFunc.h"
#include "controls/TCardGroupGraphic.h"
#include "game/GameRecords.h"
#include "game/TPlayerControls.h"
#include "plugin/TCustomPluginUser.h"
#include "resources/Resources.h"
#include "widgets/TPictureButton.h"

#include <QDir>
#include <QImage>
#include <QPainter>

#include <array>
#include <string>

namespace GameTest {

inline constexpr std::array<int64_t, 4> Players = {Me, 6001, 6002, 6003};

// Two decks, strongest first within each deck; a deal takes 25 cards a seat in turn.
inline std::string FullDeck() {
    return std::string(VestranoFunc::CardChars) + std::string(VestranoFunc::CardChars);
}

class TableViewFixture : public ClientHubFixture {
protected:
    static void SetUpTestSuite() { Resources::Initialize(); }

    TableViewFixture() {
        hub.SetPluginUser(&pluginUser);
        client->resize(1024, 734);
        client->show();
    }

    // Players at seats 0..3 in places 0..3, each with a face picture of its own colour;
    // the local user at `own` (a watcher when not `player`).
    void SeatPlayers(uint8_t own = 0, bool player = true) {
        Sit(own, player);
        const std::string faces = hub.Paths().FaceFolder;
        QDir().mkpath(QString::fromStdString(faces));
        static constexpr std::array<QRgb, 4> colours = {0xFF3060C0, 0xFFC04040, 0xFF40A040,
                                                        0xFFC0A030};
        for (uint8_t seat = 0; seat < 4; ++seat) {
            STRU_PLUGIN_USERINFO user;
            user.UserId = Players[seat];
            user.SetNickname(seat == 0 ? "Me" : "Player" + std::to_string(seat));
            user.Seat = seat;
            user.Player = 1;
            user.Face = uint16_t(seat + 1);
            hub.Room().AddUser(user);
            QImage face(64, 64, QImage::Format_ARGB32_Premultiplied);
            face.fill(colours[seat]);
            face.save(QString::fromStdString(faces) + QString::number(seat + 1) + ".png");
            client->OnSeatTaken({}, user.Face, seat, user.UserId);
        }
    }

    std::array<std::string, 4> DealtHands() const {
        const std::string deck = FullDeck();
        std::array<std::string, 4> hands;
        for (size_t i = 0; i < 100; ++i)
            hands[i % 4] += deck[i];
        return hands;
    }

    SnapshotText DealTable() const {
        SnapshotText t = PlayingTable(DealtHands(), 0, 0);
        t.Number(1, 1);
        t.Fields[10] = FullDeck();
        t.Fields[35] = FullDeck().substr(100);
        t.Fields[37] = "Q";
        t.Number(8, 2);
        t.Number(53, 15);
        t.Number(54, 10);
        t.Number(72, 1);
        t.Number(73, 1);
        return t;
    }

    void StartDeal() {
        Deliver(PluginPackets::Sub::GameStart);
        Snapshot(DealTable().Join());
    }
    void DealTicks(int ticks) {
        for (int i = 0; i < ticks; ++i)
            client->DealTimerTick();
    }
    void StartBidding(uint8_t first) {
        StartDeal();
        Record(GameRecords::BiddingStart(first));
    }
    // Bidding won by `banker` with 3 points, the bottom taken and play begun.
    void StartPlay(uint8_t banker) {
        StartBidding(banker);
        Record(GameRecords::BidMade(banker, 3));
        Record(GameRecords::BiddingEnd(banker, 3));
        Record(GameRecords::BankerHand(banker, DealtHands()[banker] + FullDeck().substr(100)));
    }

    // The table configuration naming the score board's two columns.
    void NameColumns(const std::string &score, const std::string &beans) {
        std::string config(152, '\0');
        config[0] = char(255);
        const auto shortString = [&](size_t at, const std::string &text) {
            config[at] = char(text.size());
            config.replace(at + 1, text.size(), text);
        };
        shortString(19 + 87, beans);
        shortString(19 + 108, score);
        Record(config);
    }

    TPlayerControls &Controls() { return client->Controls(); }
    TCardGroupGraphic *OwnHand() { return client->OwnHand(); }
    bool Shown(const QWidget *widget) const { return widget->isVisible(); }
    QPoint At(const QWidget *widget) const { return widget->pos(); }
    // What the table shows, children included.
    QImage Screen() { return client->grab().toImage(); }

    // Names are shown: the player list does not hide them.
    TCustomPluginUser pluginUser;
};

} // namespace GameTest
