#include "plugin/TCustomPluginDialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QTimer>

#include <gtest/gtest.h>

TEST(DialogWait, AnAnswerEndsTheWaitAndTheTextIsCleared) {
    TCustomPluginDialog dialog;
    dialog.SetText("question");
    QTimer::singleShot(20, [&] {
        EXPECT_TRUE(dialog.Running());
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.Execute(), 0) << "a second wait gives 0 at once";
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(&dialog, &enter);
    });
    EXPECT_EQ(dialog.Execute(), TCustomPluginDialog::drOk);
    EXPECT_FALSE(dialog.Running());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.Text(), "");

    QTimer::singleShot(20, [&] {
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(&dialog, &escape);
    });
    EXPECT_EQ(dialog.Execute(), TCustomPluginDialog::drCancel);
    QTimer::singleShot(20, [&] { dialog.Finalize(); });
    EXPECT_EQ(dialog.Execute(), TCustomPluginDialog::drClosed) << "the stop closes it";
}

TEST(DialogWait, TheCountDownEndsAnUnansweredWaitWithZero) {
    TCustomPluginDialog dialog;
    dialog.SetLifeCount(2);
    std::vector<int> seen;
    dialog.OnLifeChange = [&](TLovelyPanel *panel) {
        seen.push_back(panel->Remaining());
    };
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(dialog.Execute(), 0);
    EXPECT_GE(clock.elapsed(), 1900);
    EXPECT_EQ(seen, (std::vector<int>{2, 1, 0}));
    EXPECT_FALSE(dialog.isVisible());
}

TEST(DialogWait, DestroyingTheDialogEndsTheWait) {
    auto *dialog = new TCustomPluginDialog;
    QTimer::singleShot(20, [&] { delete dialog; });
    EXPECT_EQ(dialog->Execute(), 0);
}
