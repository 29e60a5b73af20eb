#include "platform/TTopLevelWindowEntry.h"
#include "platform/WindowMessages.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

#include <fstream>
#include <stdexcept>

using namespace Platform;

namespace {

class EchoWindow : public QWidget {
protected:
    bool event(QEvent *event) override {
        if (auto *message = TWindowMessageEvent::From(event)) {
            message->Handle([message]() -> LRESULT {
                if (message->Message == WM_USER + 1)
                    throw std::runtime_error("handler failed");
                return static_cast<LRESULT>(message->WParam) + message->LParam;
            });
            return true;
        }
        return QWidget::event(event);
    }
};

} // namespace

TEST(WindowMessages, HandlesLiveAsLongAsTheirWindows) {
    HWND handle = 0;
    {
        EchoWindow window;
        handle = HandleOf(&window);
        EXPECT_NE(handle, 0);
        EXPECT_EQ(HandleOf(&window), handle);
        EXPECT_EQ(WindowFromHandle(handle), &window);
        EXPECT_EQ(SendMessage(handle, WM_USER + 13, 40, 2), 42);
        EXPECT_THROW(SendMessage(handle, WM_USER + 1, 0, 0), std::runtime_error);
        EXPECT_EQ(SendMessage(handle, WM_USER + 13, 1, 1), 2) << "still answering";
    }
    EXPECT_EQ(WindowFromHandle(handle), nullptr);
    EXPECT_EQ(SendMessage(handle, WM_USER + 13, 1, 1), 0);
    EXPECT_EQ(HandleOf(nullptr), 0);
}

TEST(WindowMessages, FocusInsideLooksAtTheWindowAndItsChildren) {
    QWidget window;
    auto *edit = new QLineEdit(&window);
    QWidget other;
    window.show();
    other.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    QApplication::processEvents();
    edit->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), edit);
    EXPECT_TRUE(FocusInside(HandleOf(&window)));
    EXPECT_FALSE(FocusInside(HandleOf(&other)));
    EXPECT_FALSE(FocusInside(0));
}

TEST(TopLevelWindowEntries, AreSeenByTitleUntilTheyGo) {
    QTemporaryDir dir;
    qputenv("VESTRANO_WINDOW_DIR", dir.path().toLocal8Bit());
    {
        TTopLevelWindowEntry entry("T1A55E3", "{X}-1F");
        ASSERT_TRUE(entry.Registered());
        EXPECT_TRUE(TTopLevelWindowEntry::Exists("T1A55E3", "{X}-1F"));
        EXPECT_FALSE(TTopLevelWindowEntry::Exists("Other", "{X}-1F"));
        EXPECT_FALSE(TTopLevelWindowEntry::Exists("T1A55E3", "{X}-20"));
        entry.SetTitle("changed");
        EXPECT_EQ(entry.Title(), "changed");
        EXPECT_FALSE(TTopLevelWindowEntry::Exists("T1A55E3", "{X}-1F"));
    }
    EXPECT_FALSE(TTopLevelWindowEntry::Exists("T1A55E3", "changed"));
    // A process that died without cleaning up leaves an entry that does not count.
    const std::string stale = dir.path().toStdString() + "/999999999-0";
    std::ofstream(stale) << "999999999\nT1A55E3\n{X}-1F";
    std::ofstream(dir.path().toStdString() + "/garbage") << "not an entry";
    EXPECT_FALSE(TTopLevelWindowEntry::Exists("T1A55E3", "{X}-1F"));
    EXPECT_FALSE(std::ifstream(stale).good()) << "and is cleaned away";
    qunsetenv("VESTRANO_WINDOW_DIR");
}
