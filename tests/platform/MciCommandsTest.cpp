#include "platform/MciCommands.h"
#include "platform/RecordingMciBackend.h"

#include <gtest/gtest.h>

namespace {

class MciCommandsTest : public testing::Test {
protected:
    MciCommandsTest() { SetMciBackend(&backend); }
    ~MciCommandsTest() override { SetMciBackend(nullptr); }

    RecordingMciBackend backend;
};

} // namespace

TEST_F(MciCommandsTest, TheThreeCommandsReachTheBackendInOrder) {
    EXPECT_EQ(MciSendString("open \"/a b/c.wav\" alias 3"), MciOk);
    EXPECT_EQ(MciSendString("play 3"), MciOk);
    EXPECT_EQ(MciSendString("close 3"), MciOk);
    EXPECT_EQ(MciSendString("close 21"), MciOk) << "closing an alias never opened is no error";
    EXPECT_EQ(backend.Commands, (std::vector<std::string>{"open \"/a b/c.wav\" alias 3", "play 3",
                                                          "close 3", "close 21"}));
}

TEST_F(MciCommandsTest, AnythingElseIsRefusedAndDoesNothing) {
    for (const char *bad :
         {"", "open", "open \"\" alias 1", "open \"x\" alias", "open \"x alias 1", "play", "play ",
          "stop 3", "close 1 2", "open \"x\" alias 1 2", "OPEN \"x\" alias 1", "play 1\n",
          " play 1", "open x alias 1", "open \"x\"  alias 1", "close \"1\"", "play\t1"})
        EXPECT_EQ(MciSendString(bad), MciUnknownCommand) << bad;
    EXPECT_EQ(MciSendString(std::string_view("play 1\0", 7)), MciUnknownCommand);
    EXPECT_TRUE(backend.Commands.empty());
}

TEST_F(MciCommandsTest, PathsMayHoldQuotesBlanksAndGbkBytes) {
    const std::string path = "/tmp/say \"hi\" alias 2/\xC9\xF9\xD2\xF4.wav";
    EXPECT_EQ(MciSendString("open \"" + path + "\" alias 7"), MciOk);
    ASSERT_EQ(backend.Commands.size(), 1u);
    EXPECT_EQ(backend.Commands[0], "open \"" + path + "\" alias 7");
}

TEST_F(MciCommandsTest, AnAliasIsAnyOneWord) {
    EXPECT_EQ(MciSendString("open \"a.wav\" alias intro"), MciOk);
    EXPECT_EQ(MciSendString("play intro"), MciOk);
    EXPECT_EQ(backend.Commands.back(), "play intro");
}
