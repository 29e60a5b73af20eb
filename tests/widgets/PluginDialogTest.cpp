#include "common/Gbk.h"
#include "panels/TPluginDialog50.h"
#include "resources/Resources.h"
#include "widgets/TLovelyTextBtn.h"

#include <QApplication>
#include <QListWidget>
#include <QTimer>

#include <gtest/gtest.h>

TEST(PluginDialog, LaysOutItsButtonsByKind) {
    TPluginDialog50 dialog;
    ASSERT_EQ(dialog.size(), QSize(300, 150));
    auto *ok = dialog.OkButton();
    auto *cancel = dialog.CancelButton();
    dialog.SetKind(0);
    EXPECT_EQ(ok->x(), (300 - ok->width()) / 2);
    EXPECT_EQ(ok->y(), 150 - ok->height() - 10);
    EXPECT_TRUE(cancel->isHidden());
    EXPECT_TRUE(dialog.ChoiceList()->isHidden());
    dialog.SetKind(2);
    const int gap = (300 - 2 * ok->width()) / 3;
    EXPECT_EQ(ok->x(), gap);
    EXPECT_EQ(cancel->x(), 2 * gap + ok->width());
    EXPECT_FALSE(cancel->isHidden());
    EXPECT_FALSE(dialog.ChoiceList()->isHidden());
    EXPECT_EQ(dialog.ChoiceList()->geometry(),
              QRect(9, 24 + 4, 300 - 9 - 9 - 5, 150 - 28 - ok->height() - 10 - 5));
    EXPECT_EQ(dialog.CloseButton()->x(), 300 - dialog.CloseButton()->width() - 3);
    EXPECT_EQ(dialog.CloseButton()->y(), 3);
}

TEST(PluginDialog, CountsDownOnTheButtonThatTheTimeOutStandsFor) {
    TPluginDialog50 dialog;
    dialog.SetKind(1);
    dialog.SetLife(30);
    EXPECT_EQ(dialog.CancelButton()->Caption(), "取消(30)"_gbk);
    dialog.SetLife(29);
    EXPECT_EQ(dialog.CancelButton()->Caption(), "取消(29)"_gbk);
    dialog.SetLife(0);
    EXPECT_EQ(dialog.CancelButton()->Caption(), "取消"_gbk);
    dialog.SetKind(0);
    dialog.SetLife(3);
    EXPECT_EQ(dialog.OkButton()->Caption(), "确定(3)"_gbk);
    EXPECT_EQ(dialog.CancelButton()->Caption(), "取消"_gbk);
}

TEST(PluginDialog, ThreeLinesSitSixteenPixelsApartAroundTheMiddle) {
    TPluginDialog50 dialog;
    const QRect middle = dialog.TextLineRect(1, 3);
    EXPECT_EQ(dialog.TextLineRect(0, 3).center().y(), middle.center().y() - 16);
    EXPECT_EQ(dialog.TextLineRect(2, 3).center().y(), middle.center().y() + 16);
    EXPECT_EQ(dialog.TextLineRect(0, 1), middle);
}

TEST(PluginDialog, AChoiceIsMadeByDoubleClickOrEnter) {
    TPluginDialog50 dialog;
    dialog.SetKind(2);
    dialog.SetItems(std::vector<std::string>{"阻碍游戏"_gbk, "说脏话"_gbk, "有作弊嫌疑"_gbk});
    EXPECT_EQ(dialog.SelectedIndex(), 0);
    QTimer::singleShot(10, [&] {
        dialog.SetSelectedIndex(2);
        emit dialog.ChoiceList()->itemDoubleClicked(dialog.ChoiceList()->item(2));
    });
    EXPECT_EQ(dialog.Execute(), 1);
    EXPECT_EQ(dialog.SelectedIndex(), 2);
    QTimer::singleShot(10, [&] { dialog.CloseButton()->OnClick(dialog.CloseButton()); });
    EXPECT_EQ(dialog.Execute(), 3);
    dialog.SetItems(std::nullopt);
    EXPECT_EQ(dialog.ChoiceList()->count(), 0);
}

// With VESTRANO_SHOTS set, the question as the player sees it is saved for review.
TEST(PluginDialog, DrawsItsTextTitleAndButtons) {
    Resources::Initialize();
    TPluginDialog50 dialog;
    dialog.SetCaption(QString::fromUtf8("警告"));
    dialog.SetKind(1);
    dialog.SetText("正在游戏中,如果您现在退出,\r\n将会扣除您的积分或游戏豆! "_gbk);
    dialog.SetLife(30);
    const QImage shot = dialog.grab().toImage();
    ASSERT_EQ(shot.size(), QSize(300, 150));
    int dark = 0;
    for (int y = dialog.TextLineRect(0, 2).top(); y < dialog.TextLineRect(1, 2).bottom(); ++y)
        for (int x = 20; x < 280; ++x)
            dark += qGray(shot.pixel(x, y)) < 80;
    EXPECT_GT(dark, 100) << "the two lines of text are drawn";
    if (const QByteArray dir = qgetenv("VESTRANO_SHOTS"); !dir.isEmpty())
        shot.save(QString::fromLocal8Bit(dir) + "/dialog.png");
}
