// The skinned panel: nine-part stretch, window shape, title and dragging.
#include "WidgetTestSupport.h"

#include "widgets/TLovelyPanel.h"

#include <QMouseEvent>

#include <gtest/gtest.h>

namespace {

using WidgetTest::Shot;

const QRgb Felt = qRgb(0, 100, 0);
const QRgb Magenta = qRgb(255, 0, 255);

QRgb SkinColor(int x, int y) {
    return qRgb(x * 50, y * 50, 100);
}

// A 5 x 5 skin whose every pixel tells where it came from.
QImage Skin() {
    QImage skin(5, 5, QImage::Format_RGB32);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            skin.setPixel(x, y, SkinColor(x, y));
    return skin;
}

int CountPixels(const QImage &image, const std::function<bool(QRgb)> &wanted) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += wanted(image.pixel(x, y));
    return count;
}

TEST(LovelyPanel, StretchesTheCentreRowAndColumn) {
    TLovelyPanel panel;
    panel.resize(20, 12);
    panel.show();
    EXPECT_EQ(panel.Background().pixel(7, 7), qRgb(255, 255, 255)) << "white without a skin";
    panel.SetCenterX(2);
    panel.SetCenterY(2);
    panel.SetPicture(Skin());
    const QImage &background = panel.Background();
    ASSERT_EQ(background.size(), QSize(20, 12));
    const auto sourceColumn = [](int x) {
        return x < 2 ? x : x >= 17 ? x - 15 : 2;
    };
    const auto sourceRow = [](int y) {
        return y < 2 ? y : y >= 9 ? y - 7 : 2;
    };
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 20; ++x)
            ASSERT_EQ(background.pixel(x, y), SkinColor(sourceColumn(x), sourceRow(y)))
                << x << "," << y;

    panel.resize(30, 20);
    EXPECT_EQ(panel.Background().size(), QSize(30, 20)) << "rebuilt on resize";
    EXPECT_EQ(panel.Background().pixel(29, 19), SkinColor(4, 4));
    panel.SetCenterX(99);
    EXPECT_EQ(panel.Background().pixel(29, 0), SkinColor(4, 0)) << "a centre beyond the skin";
}

TEST(LovelyPanel, ShapeFollowsTheSkinsNonKeyPixels) {
    WidgetTest::Table table(Felt);
    auto *panel = new TLovelyPanel(&table);
    panel->setGeometry(10, 10, 40, 30);
    QImage skin(40, 30, QImage::Format_RGB32);
    skin.fill(Magenta);
    panel->SetPicture(skin);
    table.show();
    EXPECT_TRUE(panel->IsShaped());
    EXPECT_TRUE(panel->WindowShape().isEmpty());
    EXPECT_EQ(CountPixels(Shot(table), [](QRgb p) { return p != Felt; }), 0)
        << "an all-key skin leaves nothing of the panel";

    for (int y = 5; y < 10; ++y)
        for (int x = 3; x < 9; ++x)
            skin.setPixel(x, y, qRgb(250, 0, 250));
    panel->SetPicture(skin);
    EXPECT_EQ(panel->WindowShape(), QRegion(3, 5, 6, 5)) << "a difference of 3 shows";
    panel->SetTransparentSpace(3);
    EXPECT_TRUE(panel->WindowShape().isEmpty()) << "within the tolerance";

    panel->SetTransparentColor(QColor());
    EXPECT_FALSE(panel->IsShaped()) << "no key colour, no shape";
    EXPECT_EQ(CountPixels(Shot(table), [](QRgb p) { return p == Magenta; }), 40 * 30 - 30);
}

TEST(LovelyPanel, OnlyAPanelInsideAWindowTakesAShape) {
    TLovelyPanel panel;
    panel.resize(10, 10);
    QImage skin(10, 10, QImage::Format_RGB32);
    skin.fill(Magenta);
    panel.SetPicture(skin);
    EXPECT_FALSE(panel.IsShaped());
    QWidget window;
    panel.setParent(&window);
    EXPECT_TRUE(panel.IsShaped()) << "taking a parent shapes it";
    panel.setParent(nullptr);
}

TEST(LovelyPanel, TitleIsDrawnWithItsShadowOnlyWithAHeight) {
    WidgetTest::Table table(Felt);
    auto *panel = new TLovelyPanel(&table);
    panel->setGeometry(0, 0, 200, 60);
    panel->SetCaption(QStringLiteral("Vestrano 标题"));
    panel->SetTitleColor(QColor(255, 0, 0));
    panel->SetTitleShadowColor(QColor(0, 0, 255));
    panel->SetTitleLeft(4);
    panel->SetTitleTop(2);
    table.show();
    const auto red = [](QRgb p) {
        return qRed(p) > 200 && qGreen(p) < 80 && qBlue(p) < 80;
    };
    const auto blue = [](QRgb p) {
        return qBlue(p) > 200 && qRed(p) < 80 && qGreen(p) < 80;
    };
    EXPECT_EQ(CountPixels(Shot(table), red), 0) << "no title height, no caption";

    panel->SetTitleHeight(20);
    const QImage left = Shot(table);
    EXPECT_GT(CountPixels(left, red), 30);
    EXPECT_GT(CountPixels(left, blue), 5) << "the shadow shows beside the caption";
    EXPECT_EQ(CountPixels(left.copy(0, 0, 4, 60), red), 0) << "from TitleLeft on";
    EXPECT_EQ(CountPixels(left.copy(0, 22, 200, 38), red), 0) << "within the title";

    panel->SetTitleAlignment(TLovelyPanel::TTitleAlignment::Right);
    const QImage right = Shot(table);
    EXPECT_EQ(CountPixels(right.copy(0, 0, 100, 60), red), 0);

    panel->SetTitleShadowColor(QColor());
    EXPECT_EQ(CountPixels(Shot(table), blue), 0) << "no shadow colour, no shadow";
}

class PanelDragTest : public testing::Test {
protected:
    void SetUp() override {
        panel = new TLovelyPanel(&table);
        panel->setGeometry(50, 50, 100, 80);
        panel->SetTitleHeight(20);
        table.show();
    }
    void Mouse(QEvent::Type type, QPointF local, QPointF global, Qt::MouseButtons held) {
        QMouseEvent event(type, local, global,
                          type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, held,
                          Qt::NoModifier);
        QApplication::sendEvent(panel, &event);
    }
    void Drag(QPoint from, QPoint by) {
        const QPointF global = panel->mapToGlobal(QPointF(from));
        Mouse(QEvent::MouseButtonPress, from, global, Qt::LeftButton);
        Mouse(QEvent::MouseMove, from, global + by, Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, from, global + by, Qt::NoButton);
    }

    WidgetTest::Table table{Felt};
    TLovelyPanel *panel = nullptr;
};

TEST_F(PanelDragTest, LockedPanelStaysPut) {
    Drag(QPoint(10, 10), QPoint(30, 15));
    EXPECT_EQ(panel->pos(), QPoint(50, 50));
}

TEST_F(PanelDragTest, UnlockedPanelMovesByItsTitleOnly) {
    panel->SetLockedPoint(false);
    Drag(QPoint(10, 20), QPoint(30, 15));
    EXPECT_EQ(panel->pos(), QPoint(80, 65));
    Drag(QPoint(10, 21), QPoint(30, 15));
    EXPECT_EQ(panel->pos(), QPoint(80, 65)) << "below the title";
}

TEST(LovelyPanel, LifeChangeIsReportedOnChangesOnly) {
    TLovelyPanel panel;
    int changes = 0;
    panel.OnLifeChange = [&](TLovelyPanel *sender) {
        EXPECT_EQ(sender, &panel);
        ++changes;
    };
    panel.SetLifeCount(5);
    panel.SetLifeCount(5);
    panel.SetLifeCount(4);
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(panel.LifeCount(), 4);
}

} // namespace
