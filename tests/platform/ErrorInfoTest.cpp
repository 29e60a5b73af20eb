#include "platform/ErrorInfo.h"

#include <gtest/gtest.h>

#include <thread>

TEST(ErrorInfo, ReadBackOnceOnTheSameThread) {
    Platform::SetErrorInfoText("Range check error");
    const auto text = Platform::TakeErrorInfoText();
    ASSERT_TRUE(text);
    EXPECT_EQ(*text, "Range check error");
    EXPECT_FALSE(Platform::TakeErrorInfoText()) << "reading clears the text";
}

TEST(ErrorInfo, NotVisibleOnAnotherThread) {
    Platform::SetErrorInfoText("set on the main thread");
    bool seenElsewhere = true;
    std::thread([&] { seenElsewhere = Platform::TakeErrorInfoText().has_value(); }).join();
    EXPECT_FALSE(seenElsewhere);
    EXPECT_EQ(Platform::TakeErrorInfoText().value_or(""), "set on the main thread");
}

TEST(ErrorInfo, LaterTextReplacesEarlierAndClearRemovesIt) {
    Platform::SetErrorInfoText("first");
    Platform::SetErrorInfoText("second");
    EXPECT_EQ(Platform::TakeErrorInfoText().value_or(""), "second");
    Platform::SetErrorInfoText("third");
    Platform::ClearErrorInfo();
    EXPECT_FALSE(Platform::TakeErrorInfoText());
}
