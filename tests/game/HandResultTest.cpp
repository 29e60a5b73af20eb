// The end of a hand: each player's row of the score board in exact byte widths, the sound
// of the own result, the highlighted row, and when the board shows.
#include "FakeTableHost.h"
#include "TableViewFixture.h"
#include "common/Gbk.h"
#include "game/HandResultText.h"
#include "game/THandResultBoard.h"
#include "game/TTablePicture.h"
#include "game/TVestranoTable.h"

#include <limits>

namespace GR = GameRecords;
namespace HR = HandResultText;
using GameTest::TableViewFixture;

TEST(HandResultText, RowsHaveFixedByteWidths) {
    EXPECT_EQ(HR::LineCell(3, -20, 10, 1), "胜"_gbk + "      +30     -20");
    EXPECT_EQ(HR::LineCell(0, 0, 10, 1), "负"_gbk + "      +0      +0");
    EXPECT_EQ(HR::LineCell(-5, 2, 0, 0), "胜"_gbk + "      -0      +0")
        << "a scale of 0 zeroes the magnitude, the result follows the value";
    EXPECT_EQ(HR::LineCell(-1, -1, 1234567, 1), "负"_gbk + "      -1234567-1")
        << "a first column of seven digits meets the second";
    const int64_t least = std::numeric_limits<int64_t>::min();
    EXPECT_EQ(HR::LineCell(least, 1, least, 1),
              "胜"_gbk + "      -85070591730234615865843651857942052864+1")
        << "the product is exact, not wrapped";
    EXPECT_EQ(HR::NameCell("Bob"), "Bob         ");
    EXPECT_EQ(HR::NameCell("abcdefghijklmnop"), "abcdefghijkl");
}

TEST(HandResultText, ANameCutInsideACharacterDropsTheHalfAndPads) {
    const std::string name = "a" + "一二三四五六七"_gbk; // the 12th byte is a lead byte
    const std::string cell = HR::NameCell(name);
    EXPECT_EQ(cell.size(), 12u);
    EXPECT_EQ(cell, "a" + "一二三四五"_gbk + " ");
    EXPECT_EQ(Gbk::ToUtf8(cell), "a一二三四五 ");
}

TEST(HandResultSound, TheOwnSeatsPlayerHearsItsResultWatcherOrNot) {
    for (const bool player : {true, false}) {
        FakeTableHost host;
        host.Seat = 1;
        host.Player = player;
        TVestranoTable table(host);
        table.SeatTaken(1, 77, "P");
        GameRecordCodec::TGameHandResultRec result;
        result.Entries[0] = {66, 5, 5};
        result.Entries[3] = {77, 0, -3};
        const std::string record = GameRecordCodec::Encode(result);
        table.ApplyRecord(
            std::span(reinterpret_cast<const uint8_t *>(record.data()), record.size()));
        EXPECT_EQ(host.Sounds, std::vector<std::string>{"Run111.wav"});
        EXPECT_EQ(host.ResultsShown, 1);
        EXPECT_TRUE(table.ResultReady);
    }
}

namespace {

class HandResultBoard : public TableViewFixture {
protected:
    // The colour of the first text pixel of board row i.
    QRgb RowColour(int row) {
        const QImage &text = client->Board().TextImage();
        for (int y = 70 + 26 * row; y < 70 + 26 * row + 20; ++y)
            for (int x = 22; x < 300; ++x)
                if (text.pixel(x, y) != 0xFFFF00FF)
                    return text.pixel(x, y);
        return 0;
    }
    bool RowBlank(int row) { return RowColour(row) == 0; }
    void FinishWith(const std::array<GR::ResultEntry, 4> &entries) {
        StartPlay(0);
        Record(GR::HandResult(entries));
        Deliver(PluginPackets::Sub::GameOver);
    }
};

} // namespace

TEST_F(HandResultBoard, RowsKeepTheRecordsOrderAndEmptyEntriesStayBlank) {
    SeatPlayers();
    FinishWith({{{GameTest::Players[2], 1, 1}, {0, 9, 9}, {GameTest::Players[0], -1, -1}, {}}});
    EXPECT_FALSE(RowBlank(0));
    EXPECT_TRUE(RowBlank(1));
    EXPECT_FALSE(RowBlank(2));
    EXPECT_TRUE(RowBlank(3));
    EXPECT_EQ(RowColour(0), 0xFF000000);
    EXPECT_EQ(RowColour(2), 0xFF800000) << "the own player's row is maroon";
}

TEST_F(HandResultBoard, AWatcherSeesTheWatchedPlayersRowHighlighted) {
    SeatPlayers(1, false);
    FinishWith({{{GameTest::Players[0], 1, 1}, {GameTest::Players[1], -1, -1}}});
    EXPECT_EQ(RowColour(0), 0xFF000000);
    EXPECT_EQ(RowColour(1), 0xFF800000);
    EXPECT_TRUE(client->Board().Shown());
}

TEST_F(HandResultBoard, TheBoardShowsAfterTheGameUntilReadyAndNeverWhenHidden) {
    SeatPlayers();
    FinishWith({{{GameTest::Players[0], 1, 1}}});
    ASSERT_TRUE(client->Board().Shown());
    client->Controls().PicButtonReady->OnClick(client->Controls().PicButtonReady);
    EXPECT_FALSE(client->Board().Shown()) << "pressing ready puts the board away";
    EXPECT_FALSE(Table().ResultReady);

    Record(GR::HandResult({{{GameTest::Players[0], 1, 1}}}));
    EXPECT_TRUE(client->Board().Shown());
    client->OnSeatReady(0);
    EXPECT_FALSE(client->Board().Shown()) << "the own seat reported ready";

    client->SetHideResult(true);
    Record(GR::HandResult({{{GameTest::Players[0], 1, 1}}}));
    Deliver(PluginPackets::Sub::GameOver);
    EXPECT_FALSE(client->Board().Shown());
    client->SetHideResult(false);
    client->RefreshTable();
    EXPECT_TRUE(client->Board().Shown()) << "the option takes effect at the next refresh";
    Deliver(PluginPackets::Sub::GameStart);
    Snapshot(DealTable().Join());
    EXPECT_FALSE(client->Board().Shown()) << "the next game's deal";
}
