// The table's picture buttons: which picture shows, where, and how mouse-over ends.
#include "WidgetTestSupport.h"

#include "common/Gbk.h"
#include "widgets/TPictureButton.h"

#include <QCursor>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace {

using WidgetTest::Shot;
using WidgetTest::Solid;

const QRgb Felt = qRgb(0, 100, 0);
const QRgb Normal = qRgb(200, 0, 0);
const QRgb Over = qRgb(0, 0, 200);
const QRgb Down = qRgb(200, 200, 0);
const QRgb Gray = qRgb(128, 128, 128);

class PictureButtonTest : public testing::Test {
protected:
    void SetUp() override {
        button = new TPictureButton(&table);
        button->move(10, 10);
        button->SetCommPicture(Solid(QSize(40, 20), Normal));
        table.show();
    }

    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButton button_, Qt::MouseButtons held) {
        QMouseEvent event(type, QPointF(at), QPointF(button->mapToGlobal(at)), button_, held,
                          Qt::NoModifier);
        QApplication::sendEvent(button, &event);
    }
    QRgb ButtonPixel(QPoint at) { return Shot(table).pixel(button->pos() + at); }

    WidgetTest::Table table{Felt};
    TPictureButton *button = nullptr;
};

TEST_F(PictureButtonTest, NewButtonSizeAndNormalPictureSize) {
    TPictureButton fresh;
    EXPECT_EQ(fresh.size(), QSize(75, 25));
    EXPECT_EQ(fresh.OffsetX(), 1);
    EXPECT_EQ(button->size(), QSize(40, 20)) << "a normal picture gives its size";
    button->SetCommPicture(QImage());
    EXPECT_EQ(button->size(), QSize(40, 20)) << "an empty picture keeps the size";
}

TEST_F(PictureButtonTest, PressedPictureShiftsByTheOffsets) {
    EXPECT_EQ(ButtonPixel(QPoint(0, 0)), Normal);
    Mouse(QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(button->IsPressed());
    EXPECT_EQ(ButtonPixel(QPoint(0, 0)), Felt) << "moved one pixel right and down";
    EXPECT_EQ(ButtonPixel(QPoint(1, 1)), Normal);
    Mouse(QEvent::MouseButtonRelease, QPoint(5, 5), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(ButtonPixel(QPoint(0, 0)), Normal);

    button->SetOffsetX(0);
    button->SetOffsetY(0);
    Mouse(QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(ButtonPixel(QPoint(0, 0)), Normal) << "offsets (0, 0) keep it in place";

    button->SetDownPicture(Solid(QSize(40, 20), Down));
    EXPECT_EQ(ButtonPixel(QPoint(0, 0)), Down);
    Mouse(QEvent::MouseButtonRelease, QPoint(5, 5), Qt::RightButton, Qt::NoButton);
    EXPECT_FALSE(button->IsPressed()) << "any button's release ends the press";
}

TEST_F(PictureButtonTest, DisabledShowsGrayOrNormalPicture) {
    button->SetMovePicture(Solid(QSize(40, 20), Over));
    button->setEnabled(false);
    EXPECT_EQ(ButtonPixel(QPoint(5, 5)), Normal);
    button->SetGrayPicture(Solid(QSize(40, 20), Gray));
    EXPECT_EQ(ButtonPixel(QPoint(5, 5)), Gray);
    button->setEnabled(true);
    EXPECT_EQ(ButtonPixel(QPoint(5, 5)), Normal);
}

TEST_F(PictureButtonTest, ClickNeedsPressAndReleaseInside) {
    int clicks = 0;
    button->OnClick = [&](TPictureButton *) {
        ++clicks;
    };
    Mouse(QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, QPoint(5, 5), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(clicks, 1);
    Mouse(QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton, Qt::LeftButton);
    Mouse(QEvent::MouseButtonRelease, QPoint(60, 5), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(clicks, 1) << "released outside";
}

TEST_F(PictureButtonTest, MouseOverEndsWithin200MsOnAnotherControl) {
    auto *other = new QWidget(&table);
    other->setGeometry(100, 10, 50, 50);
    other->show();
    button->SetMovePicture(Solid(QSize(40, 20), Over));
    QCursor::setPos(button->mapToGlobal(QPoint(5, 5)));
    Mouse(QEvent::MouseMove, QPoint(5, 5), Qt::NoButton, Qt::NoButton);
    ASSERT_TRUE(button->IsMouseOver());
    EXPECT_TRUE(button->MouseTimerActive());
    EXPECT_EQ(ButtonPixel(QPoint(5, 5)), Over);

    WidgetTest::WaitUntil([] { return false; }, 450);
    EXPECT_TRUE(button->IsMouseOver()) << "the picture stays while the cursor stays";

    // The cursor jumps onto the other control without a leave event reaching the button.
    QCursor::setPos(other->mapToGlobal(QPoint(5, 5)));
    const qint64 took = WidgetTest::WaitUntil([&] { return !button->IsMouseOver(); }, 1000);
    EXPECT_FALSE(button->IsMouseOver());
    EXPECT_LT(took, 2 * 200) << "at the first tick of the 200 ms timer";
    EXPECT_FALSE(button->MouseTimerActive());
    EXPECT_EQ(ButtonPixel(QPoint(5, 5)), Normal);
}

TEST_F(PictureButtonTest, MouseOverEndsAtOnceOnLeaving) {
    QCursor::setPos(button->mapToGlobal(QPoint(5, 5)));
    Mouse(QEvent::MouseMove, QPoint(5, 5), Qt::NoButton, Qt::NoButton);
    ASSERT_TRUE(button->IsMouseOver());
    QCursor::setPos(table.mapToGlobal(QPoint(250, 150)));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    EXPECT_FALSE(button->IsMouseOver());
}

TEST_F(PictureButtonTest, CaptionInCommFontOrOwnFont) {
    button->SetCommPicture(Solid(QSize(60, 30), qRgb(255, 255, 255)));
    button->SetCommCaption("确定"_gbk);
    button->SetCommX(4);
    button->SetCommY(6);
    button->SetBUseFont(true);
    button->SetCommFontColor(qRgb(255, 0, 0));
    const QImage shot = Shot(table).copy(QRect(button->pos(), button->size()));
    int red = 0;
    int redAboveOrigin = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const QRgb pixel = shot.pixel(x, y);
            const bool isRed = qRed(pixel) > 200 && qGreen(pixel) < 120;
            red += isRed;
            redAboveOrigin += isRed && (x < 4 || y < 6);
        }
    }
    EXPECT_GT(red, 20);
    EXPECT_EQ(redAboveOrigin, 0) << "the caption starts at (CommX, CommY)";

    button->SetBUseFont(false);
    const QImage plain = Shot(table).copy(QRect(button->pos(), button->size()));
    EXPECT_NE(plain, shot) << "the own font in its own colour";
}

} // namespace
