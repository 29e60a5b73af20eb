// The panels' small picture buttons: state pictures from an image list, text buttons.
#include "WidgetTestSupport.h"

#include "widgets/TImageList.h"
#include "widgets/TLovelyButton.h"
#include "widgets/TLovelyTextBtn.h"

#include <QCursor>
#include <QMouseEvent>

#include <gtest/gtest.h>

#include <memory>

namespace {

using WidgetTest::Shot;
using WidgetTest::Solid;

const QRgb Felt = qRgb(0, 100, 0);
const QRgb StateColors[] = {qRgb(200, 0, 0), qRgb(0, 0, 200), qRgb(200, 200, 0),
                            qRgb(128, 128, 128), qRgb(0, 200, 200)};

void Mouse(QWidget *target, QEvent::Type type, QPoint at, Qt::MouseButton button,
           Qt::MouseButtons held) {
    QMouseEvent event(type, QPointF(at), QPointF(target->mapToGlobal(at)), button, held,
                      Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

class LovelyButtonTest : public testing::Test {
protected:
    void SetUp() override {
        for (const QRgb color : StateColors)
            images->Add(Solid(QSize(20, 10), color));
        button = new TLovelyButton(&table);
        button->move(10, 10);
        button->SetImages(images.get());
        table.show();
    }
    QRgb Pixel() { return Shot(table).pixel(button->pos() + QPoint(5, 5)); }

    WidgetTest::Table table{Felt};
    std::unique_ptr<TImageList> images = std::make_unique<TImageList>();
    TLovelyButton *button = nullptr;
};

TEST_F(LovelyButtonTest, DrawsThePictureOfItsState) {
    EXPECT_EQ(button->size(), QSize(20, 10));
    EXPECT_EQ(Pixel(), StateColors[0]);
    button->SetStartIndex(1);
    EXPECT_EQ(Pixel(), StateColors[1]) << "StartIndex + state";
    button->SetStartIndex(0);

    int clicks = 0;
    button->OnClick = [&](TLovelyButton *) {
        ++clicks;
    };
    Mouse(button, QEvent::MouseButtonPress, QPoint(3, 3), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(button->State(), TLovelyButton::bsPressed);
    EXPECT_EQ(Pixel(), StateColors[2]);
    Mouse(button, QEvent::MouseButtonRelease, QPoint(3, 3), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(button->State(), TLovelyButton::bsMouseOver);

    button->setEnabled(false);
    EXPECT_EQ(Pixel(), StateColors[3]);
    button->setEnabled(true);
    EXPECT_EQ(Pixel(), StateColors[0]);
}

TEST_F(LovelyButtonTest, MouseOverEndsOnceTheCursorHasLeft) {
    QCursor::setPos(button->mapToGlobal(QPoint(3, 3)));
    Mouse(button, QEvent::MouseMove, QPoint(3, 3), Qt::NoButton, Qt::NoButton);
    ASSERT_EQ(button->State(), TLovelyButton::bsMouseOver);
    EXPECT_EQ(Pixel(), StateColors[1]);
    QCursor::setPos(table.mapToGlobal(QPoint(250, 150)));
    const qint64 took =
        WidgetTest::WaitUntil([&] { return button->State() == TLovelyButton::bsNormal; }, 1000);
    EXPECT_EQ(button->State(), TLovelyButton::bsNormal);
    EXPECT_LT(took, 2 * 200) << "at the first tick of the 200 ms timer";
    EXPECT_FALSE(button->MouseTimerActive());
}

TEST_F(LovelyButtonTest, FollowsChangesOfTheList) {
    images->Replace(0, Solid(QSize(30, 12), StateColors[4]));
    EXPECT_EQ(button->size(), QSize(30, 12));
    EXPECT_EQ(Pixel(), StateColors[4]);
    images.reset();
    EXPECT_EQ(button->Images(), nullptr);
    EXPECT_EQ(Pixel(), Felt) << "a destroyed list leaves nothing to draw";
}

TEST(LovelyTextBtn, StretchesTheMiddleColumnAndCentresTheCaption) {
    WidgetTest::Table table(Felt);
    TImageList images;
    QImage skin(21, 10, QImage::Format_RGB32);
    skin.fill(qRgb(200, 0, 0));
    for (int y = 0; y < 10; ++y) {
        skin.setPixel(10, y, qRgb(0, 200, 0));
        for (int x = 11; x < 21; ++x)
            skin.setPixel(x, y, qRgb(0, 0, 200));
    }
    skin.setPixel(0, 0, qRgb(255, 0, 255));
    for (int state = 0; state < 4; ++state)
        images.Add(skin);

    auto *button = new TLovelyTextBtn(&table);
    EXPECT_EQ(button->size(), QSize(75, 25));
    button->SetImages(&images);
    EXPECT_EQ(button->size(), QSize(75, 10)) << "only the pictures' height is taken";
    table.show();
    QImage shot = Shot(table).copy(QRect(button->pos(), button->size()));
    EXPECT_EQ(shot.pixel(0, 0), Felt) << "#FF00FF is transparent";
    EXPECT_EQ(shot.pixel(9, 5), qRgb(200, 0, 0));
    EXPECT_EQ(shot.pixel(10, 5), qRgb(0, 200, 0));
    EXPECT_EQ(shot.pixel(64, 5), qRgb(0, 200, 0));
    EXPECT_EQ(shot.pixel(65, 5), qRgb(0, 0, 200));
    EXPECT_EQ(shot.pixel(74, 5), qRgb(0, 0, 200));

    button->SetImages(nullptr);
    button->resize(75, 25);
    button->SetCaption("OK");
    const auto inkBox = [&] {
        const QImage image = Shot(table).copy(QRect(button->pos(), button->size()));
        QRect box;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 40)
                    box |= QRect(x, y, 1, 1);
        return box;
    };
    const QRect normal = inkBox();
    ASSERT_FALSE(normal.isEmpty());
    EXPECT_NEAR(normal.center().x(), 37, 2) << "centred";
    Mouse(button, QEvent::MouseButtonPress, QPoint(3, 3), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(inkBox(), normal.translated(1, 1)) << "moved by (1, 1) while pressed";
}

} // namespace
