// The player list's list view: how its header paints itself, shortens captions and gives
// its painting back.
#include "controls/TCardKepListView.h"

#include <QApplication>
#include <QHeaderView>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QStandardItemModel>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {

const QRgb DarkGrey = qRgb(50, 50, 50);
const QRgb Grey = qRgb(128, 128, 128);
const QRgb Red = qRgb(255, 0, 0);
const QRgb Blue = qRgb(0, 0, 255);
const QRgb Green = qRgb(0, 255, 0);
const QRgb Yellow = qRgb(255, 255, 0);

// Columns of 80, 60 and 50 pixels: cells [0, 80), [80, 140), [140, 190), then the rest.
constexpr int Widths[] = {80, 60, 50};
constexpr int CellsEnd = 190;

QImage Solid(QSize size, QRgb color) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(color);
    return image;
}

QImage Render(QWidget &widget) {
    QImage image(widget.size(), QImage::Format_RGB32);
    image.fill(Qt::black);
    widget.render(&image);
    return image;
}

// Pixels drawn in the font colour: the text.
bool Lit(QRgb pixel) {
    return qGray(pixel) > 150;
}

QRect LitBounds(const QImage &image, int left, int right) {
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = left; x < right; ++x)
            if (Lit(image.pixel(x, y)))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// The image's columns [left, right) against those of `other` starting at `otherLeft`.
bool SameColumns(const QImage &image, int left, int right, const QImage &other, int otherLeft) {
    for (int y = 0; y < image.height(); ++y)
        for (int x = left; x < right; ++x)
            if (image.pixel(x, y) != other.pixel(otherLeft + x - left, y))
                return false;
    return true;
}

class ListViewHeaderTest : public testing::Test {
protected:
    void SetUp() override {
        list = std::make_unique<TCardKepListView>();
        list->setHeaderLabels({"Name", "Level", "Score"});
        for (int i = 0; i < 3; ++i)
            list->header()->resizeSection(i, Widths[i]);
        list->resize(320, 160);
        list->show();
        QApplication::processEvents();
        list->Loaded();
    }

    QHeaderView &Header() { return *list->header(); }
    QImage Shot() { return Render(Header()); }
    // The header with a single caption in column 0, its other captions empty.
    QImage ShotOfCaption(const QString &caption) {
        list->setHeaderLabels({caption, QString(), QString()});
        return Shot();
    }
    int TextWidth(const QString &text) const {
        return QFontMetrics(list->header()->font()).horizontalAdvance(text);
    }

    std::unique_ptr<TCardKepListView> list;
};

TEST_F(ListViewHeaderTest, PaintsBackgroundSeparatorsAndCaptionsInItsColours) {
    const QImage shot = Shot();
    ASSERT_GT(shot.height(), 10);
    ASSERT_GT(shot.width(), CellsEnd + 20);
    const int bottom = shot.height() - 1;
    for (int y : {0, bottom}) {
        EXPECT_EQ(shot.pixel(2, y), DarkGrey);
        EXPECT_EQ(shot.pixel(79, y), Grey) << "the separator after the first column";
        EXPECT_EQ(shot.pixel(80, y), DarkGrey);
        EXPECT_EQ(shot.pixel(139, y), Grey);
        EXPECT_EQ(shot.pixel(189, y), DarkGrey) << "no separator after the last column";
        EXPECT_EQ(shot.pixel(CellsEnd, y), DarkGrey) << "the rest of the header";
        EXPECT_EQ(shot.pixel(shot.width() - 1, y), DarkGrey);
    }
    const QRect name = LitBounds(shot, 0, 79);
    ASSERT_FALSE(name.isEmpty());
    EXPECT_GE(name.left(), 4);
    EXPECT_LE(name.right(), 4 + TextWidth("Name"));
    EXPECT_NEAR(name.center().y(), shot.height() / 2, 2) << "vertically centred";
    EXPECT_EQ(LitBounds(shot, 80, 139).left() - 80, name.left()) << "every caption at its indent";
    EXPECT_TRUE(LitBounds(shot, CellsEnd, shot.width()).isEmpty());
    int white = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < 79; ++x)
            white += shot.pixel(x, y) == qRgb(255, 255, 255);
    EXPECT_GT(white, 0) << "the caption in the font colour";
}

TEST_F(ListViewHeaderTest, StretchesItsPictureOverEveryCellAndTheRest) {
    QImage halves(2, 1, QImage::Format_RGB32);
    halves.setPixel(0, 0, Red);
    halves.setPixel(1, 0, Blue);
    list->SetHeaderBgPicture(halves);
    list->setHeaderLabels({QString(), QString(), QString()});
    const QImage shot = Shot();
    const int y = shot.height() / 2;
    EXPECT_EQ(shot.pixel(0, y), Red);
    EXPECT_EQ(shot.pixel(39, y), Red);
    EXPECT_EQ(shot.pixel(40, y), Blue);
    EXPECT_EQ(shot.pixel(79, y), Grey);
    EXPECT_EQ(shot.pixel(80, y), Red);
    EXPECT_EQ(shot.pixel(110, y), Blue);
    EXPECT_EQ(shot.pixel(140, y), Red);
    EXPECT_EQ(shot.pixel(189, y), Blue);
    const int rest = shot.width() - CellsEnd;
    EXPECT_EQ(shot.pixel(CellsEnd, y), Red);
    EXPECT_EQ(shot.pixel(CellsEnd + rest / 2 - 1, y), Red);
    EXPECT_EQ(shot.pixel(CellsEnd + rest / 2 + 1, y), Blue);
    EXPECT_EQ(shot.pixel(shot.width() - 1, y), Blue);

    list->SetHeaderBgPicture(QImage());
    EXPECT_TRUE(list->HeaderBgPicture().isNull());
    const QImage plain = Shot();
    EXPECT_EQ(plain.pixel(0, y), DarkGrey) << "an empty picture gives the colour back";
    EXPECT_EQ(plain.pixel(CellsEnd + 5, y), DarkGrey);
}

TEST_F(ListViewHeaderTest, WithoutColumnsTheWholeHeaderIsBackground) {
    // Qt's header takes the height of its sections; without any it keeps a given one.
    Header().setMinimumHeight(20);
    list->setColumnCount(0);
    ASSERT_EQ(Header().count(), 0);
    QApplication::processEvents();
    ASSERT_EQ(Header().height(), 20);
    const QImage shot = Shot();
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            ASSERT_EQ(shot.pixel(x, y), DarkGrey) << x << "," << y;

    list->SetHeaderBgPicture(Solid({3, 3}, Yellow));
    const QImage pictured = Shot();
    EXPECT_EQ(pictured.pixel(0, 0), Yellow);
    EXPECT_EQ(pictured.pixel(pictured.width() - 1, pictured.height() - 1), Yellow);
}

TEST_F(ListViewHeaderTest, SeparatorPictureStaysWholeOverTheNextCell) {
    list->setHeaderLabels({QString(), QString(), QString()});
    list->SetHeaderSplitPicture(Solid({3, 200}, Green));
    for (const bool pictured : {false, true}) {
        SCOPED_TRACE(pictured ? "background picture" : "background colour");
        list->SetHeaderBgPicture(pictured ? Solid({4, 4}, Blue) : QImage());
        const QRgb background = pictured ? Blue : DarkGrey;
        const QImage shot = Shot();
        for (int y : {0, shot.height() - 1}) {
            EXPECT_EQ(shot.pixel(78, y), background);
            EXPECT_EQ(shot.pixel(79, y), Green);
            EXPECT_EQ(shot.pixel(80, y), Green);
            EXPECT_EQ(shot.pixel(81, y), Green);
            EXPECT_EQ(shot.pixel(82, y), background);
            EXPECT_EQ(shot.pixel(141, y), Green);
            EXPECT_EQ(shot.pixel(142, y), background);
            EXPECT_EQ(shot.pixel(189, y), background) << "none after the last column";
        }
    }
}

TEST_F(ListViewHeaderTest, ZeroWidthColumnShowsAsADoubleSeparator) {
    Header().setMinimumSectionSize(0);
    Header().resizeSection(1, 0);
    ASSERT_EQ(Header().sectionSize(1), 0);
    ASSERT_FALSE(Header().isSectionHidden(1));
    const QImage shot = Shot();
    const int y = 1;
    EXPECT_EQ(shot.pixel(77, y), DarkGrey);
    EXPECT_EQ(shot.pixel(78, y), Grey);
    EXPECT_EQ(shot.pixel(79, y), Grey);
    EXPECT_EQ(shot.pixel(80, y), DarkGrey);
    EXPECT_EQ(shot.pixel(129, y), DarkGrey) << "the last column, now [80, 130)";
}

TEST_F(ListViewHeaderTest, CellsFollowTheColumnsAsShown) {
    Header().moveSection(2, 0); // shown: Score [0, 50), Name [50, 130), Level [130, 190)
    const QImage moved = Shot();
    EXPECT_EQ(moved.pixel(49, 1), Grey);
    EXPECT_EQ(moved.pixel(129, 1), Grey);
    EXPECT_EQ(moved.pixel(189, 1), DarkGrey);
    EXPECT_EQ(moved.pixel(79, 1), DarkGrey);

    Header().hideSection(1); // shown: Score [0, 50), Name [50, 130)
    const QImage hidden = Shot();
    EXPECT_EQ(hidden.pixel(49, 1), Grey);
    EXPECT_EQ(hidden.pixel(129, 1), DarkGrey);
    EXPECT_TRUE(LitBounds(hidden, 130, hidden.width()).isEmpty());
}

TEST_F(ListViewHeaderTest, CaptionThatFitsIsDrawnWhole) {
    const QImage inWideCell = ShotOfCaption("Name");
    Header().resizeSection(0, 4 + TextWidth("Name") + 2 + 1);
    const QImage inSnugCell = ShotOfCaption("Name");
    const int textEnd = 4 + TextWidth("Name");
    EXPECT_TRUE(SameColumns(inSnugCell, 0, textEnd, inWideCell, 0));
}

TEST_F(ListViewHeaderTest, CaptionTooWideIsCutWithAWholeEllipsis) {
    const QString caption = "Nickname of the player";
    const int room = Widths[0] - 4 - 2;
    const QString cut =
        TCardKepCustomListView::ShortCaption(caption, QFontMetrics(Header().font()), room);
    ASSERT_TRUE(cut.endsWith("..."));
    ASSERT_LE(TextWidth(cut), room);

    const QImage shot = ShotOfCaption(caption);
    EXPECT_LT(LitBounds(shot, 0, 79).right(), 78) << "nothing drawn past the text's room";
    Header().resizeSection(0, 300);
    const QImage asWritten = ShotOfCaption(cut);
    EXPECT_TRUE(SameColumns(shot, 0, 78, asWritten, 0))
        << "the cut caption is drawn as if written so, dots and all";
}

TEST(ListViewCaption, KeepsTheLongestStartThatFitsWithItsEllipsis) {
    const QFontMetrics metrics(QApplication::font());
    const QString captions[] = {"Nickname of the player", QString::fromUtf8("昵称很长的玩家名字"),
                                "iiiiiiiiiiiiWWWWWW", "A"};
    for (const QString &caption : captions) {
        for (int width = 0; width <= metrics.horizontalAdvance(caption) + 3; ++width) {
            SCOPED_TRACE(caption.toStdString() + " in " + std::to_string(width));
            const QString cut = TCardKepCustomListView::ShortCaption(caption, metrics, width);
            if (metrics.horizontalAdvance(caption) <= width) {
                EXPECT_EQ(cut, caption);
                continue;
            }
            ASSERT_TRUE(cut.endsWith("..."));
            const QString start = cut.chopped(3);
            EXPECT_TRUE(caption.startsWith(start));
            EXPECT_LT(start.size(), caption.size());
            if (start.isEmpty())
                continue;
            EXPECT_LE(metrics.horizontalAdvance(cut), width);
            const QString longer = caption.left(start.size() + 1) + "...";
            EXPECT_GT(metrics.horizontalAdvance(longer), width) << "the longest start that fits";
        }
    }
}

TEST(ListViewCaption, NeverSplitsACharacterOutsideTheBasicPlane) {
    const QFontMetrics metrics(QApplication::font());
    const QString faces = QString::fromUtf8("😀😀😀😀😀😀");
    for (int width = 0; width < metrics.horizontalAdvance(faces); ++width) {
        const QString cut = TCardKepCustomListView::ShortCaption(faces, metrics, width);
        ASSERT_TRUE(cut.endsWith("..."));
        EXPECT_EQ(cut.chopped(3).size() % 2, 0) << "in " << width;
    }
}

TEST(ListViewCaption, CellTooNarrowForAnyStartShowsTheEllipsisAlone) {
    const QFontMetrics metrics(QApplication::font());
    EXPECT_EQ(TCardKepCustomListView::ShortCaption("Name", metrics, 1), "...");
    EXPECT_EQ(TCardKepCustomListView::ShortCaption("", metrics, 0), "");
}

TEST_F(ListViewHeaderTest, AlignsCaptionsAsTheirColumns) {
    const QString caption = "Lv";
    const QImage leftAligned = ShotOfCaption(caption);
    const int leftX = 4;
    const int width = TextWidth(caption);

    list->headerItem()->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
    const QImage right = Shot();
    const int rightX = Widths[0] - 2 - width;
    EXPECT_TRUE(SameColumns(right, rightX, rightX + width, leftAligned, leftX))
        << "ends 2 pixels before the cell's right edge";
    EXPECT_TRUE(LitBounds(right, 0, rightX).isEmpty());

    list->headerItem()->setTextAlignment(0, Qt::AlignHCenter | Qt::AlignVCenter);
    const QImage centred = Shot();
    const int centreX = (Widths[0] - width) / 2;
    EXPECT_TRUE(SameColumns(centred, centreX, centreX + width, leftAligned, leftX));
    EXPECT_TRUE(LitBounds(centred, 0, centreX).isEmpty());
}

TEST_F(ListViewHeaderTest, WideAlignedCaptionsStayInsideTheirCell) {
    const QString caption = "Nickname of the player";
    const QImage leftAligned = ShotOfCaption(caption);
    for (const Qt::Alignment alignment : {Qt::AlignRight, Qt::AlignHCenter}) {
        list->headerItem()->setTextAlignment(0, alignment | Qt::AlignVCenter);
        EXPECT_TRUE(SameColumns(Shot(), 0, Widths[0], leftAligned, 0))
            << "starts at the indent like a left-aligned one, alignment " << int(alignment);
    }
}

TEST_F(ListViewHeaderTest, DrawsTheColumnIconBeforeItsCaption) {
    const QString caption = "Name";
    const QImage plain = ShotOfCaption(caption);
    const QRect plainText = LitBounds(plain, 0, 79);
    list->headerItem()->setIcon(0, QIcon(QPixmap::fromImage(Solid({10, 8}, Red))));
    const QImage shot = Shot();
    const int top = (shot.height() - 8) / 2;
    EXPECT_EQ(shot.pixel(4, top), Red);
    EXPECT_EQ(shot.pixel(13, top + 7), Red);
    EXPECT_EQ(shot.pixel(3, top), DarkGrey);
    EXPECT_EQ(shot.pixel(14, top), DarkGrey);
    EXPECT_EQ(shot.pixel(4, top - 1), DarkGrey) << "centred vertically";
    EXPECT_EQ(shot.pixel(4, top + 8), DarkGrey);
    const int shift = 10 + 2;
    EXPECT_TRUE(SameColumns(shot, 4 + shift, 4 + shift + TextWidth(caption), plain, 4));
    EXPECT_EQ(LitBounds(shot, 0, 79).left(), plainText.left() + shift);

    list->headerItem()->setText(0, "Nickname of the player");
    const QImage leftAligned = Shot();
    list->headerItem()->setTextAlignment(0, Qt::AlignRight | Qt::AlignVCenter);
    EXPECT_TRUE(SameColumns(Shot(), 0, Widths[0], leftAligned, 0))
        << "a wide right-aligned caption stops at the icon";
}

TEST_F(ListViewHeaderTest, QtPaintsTheHeaderUntilLoaded) {
    TCardKepListView fresh;
    fresh.setHeaderLabels({"Name"});
    fresh.resize(200, 100);
    fresh.show();
    QApplication::processEvents();
    const int rest = fresh.header()->width() - 5;
    EXPECT_NE(Render(*fresh.header()).pixel(rest, 1), DarkGrey);
    fresh.Loaded();
    fresh.Loaded();
    EXPECT_EQ(Render(*fresh.header()).pixel(rest, 1), DarkGrey);
}

TEST_F(ListViewHeaderTest, ReplacedHeaderIsTakenOverByTheNextLoaded) {
    list->setHeader(new QHeaderView(Qt::Horizontal));
    list->header()->setStretchLastSection(false);
    list->header()->show();
    QApplication::processEvents();
    const int rest = Header().width() - 5;
    EXPECT_NE(Shot().pixel(rest, 1), DarkGrey);
    list->Loaded();
    EXPECT_EQ(Shot().pixel(rest, 1), DarkGrey);
}

// The header outlives the list when it is moved elsewhere first; it must paint as any
// header of Qt's own again, without calling into the destroyed list.
TEST_F(ListViewHeaderTest, DestroyedListGivesTheHeaderItsOwnPaintingBack) {
    ASSERT_EQ(Shot().pixel(2, 1), DarkGrey);
    QWidget elsewhere;
    QHeaderView *header = list->header();
    header->setParent(&elsewhere);
    list.reset();

    QStandardItemModel columns(0, 2);
    columns.setHorizontalHeaderLabels({"Name", "Level"});
    header->setModel(&columns);
    header->resize(200, 24);
    QHeaderView plain(Qt::Horizontal);
    plain.setModel(&columns);
    plain.resize(200, 24);
    plain.setFont(header->font());
    plain.setDefaultAlignment(header->defaultAlignment());
    for (int i = 0; i < 2; ++i) {
        header->resizeSection(i, 70);
        plain.resizeSection(i, 70);
    }
    EXPECT_EQ(Render(*header), Render(plain));
}

TEST_F(ListViewHeaderTest, ChangingTheLookOrAColumnRepaintsTheHeader) {
    struct PaintCounter : QObject {
        int Paints = 0;
        bool eventFilter(QObject *, QEvent *event) override {
            Paints += event->type() == QEvent::Paint;
            return false;
        }
    } counter;
    Header().viewport()->installEventFilter(&counter);
    const std::function<void()> changes[] = {
        [&] { list->SetHeaderBgColor(Qt::blue); },
        [&] { list->SetHeaderFontColor(Qt::yellow); },
        [&] { list->SetHeaderSplitColor(Qt::red); },
        [&] {
            list->SetHeaderBgPicture(Solid({2, 2}, Green));
        },
        [&] {
            list->SetHeaderSplitPicture(Solid({2, 2}, Red));
        },
        [&] { list->headerItem()->setText(0, "Nickname"); },
        [&] { list->headerItem()->setTextAlignment(1, Qt::AlignRight); },
        [&] { Header().resizeSection(2, 70); },
    };
    for (const auto &change : changes) {
        QApplication::processEvents();
        counter.Paints = 0;
        change();
        QApplication::processEvents();
        EXPECT_GT(counter.Paints, 0);
    }
    Header().viewport()->removeEventFilter(&counter);
}

TEST_F(ListViewHeaderTest, LookIsPublishedAsProperties) {
    EXPECT_EQ(list->property("HeaderBgColor").value<QColor>(), QColor(50, 50, 50));
    EXPECT_EQ(list->property("HeaderFontColor").value<QColor>(), QColor(Qt::white));
    EXPECT_EQ(list->property("HeaderSplitColor").value<QColor>(), QColor(128, 128, 128));
    EXPECT_TRUE(list->property("HeaderBgPicture").value<QImage>().isNull());
    EXPECT_TRUE(list->property("HeaderSplitPicture").value<QImage>().isNull());

    ASSERT_TRUE(list->setProperty("HeaderBgColor", QColor(Qt::blue)));
    ASSERT_TRUE(list->setProperty("HeaderSplitColor", QColor(Qt::red)));
    ASSERT_TRUE(list->setProperty("HeaderSplitPicture", Solid({1, 200}, Yellow)));
    const QImage shot = Shot();
    EXPECT_EQ(shot.pixel(2, 1), Blue);
    EXPECT_EQ(shot.pixel(79, 1), Yellow) << "the picture rather than the colour";
    EXPECT_EQ(shot.pixel(80, 1), Blue) << "a picture one pixel wide moves no cell";
}

// A few rows under the header, as the player list shows them; saved for a look by eye
// when VESTRANO_SHOTS names a folder.
class ListViewRowsTest : public ListViewHeaderTest {
protected:
    void SetUp() override {
        ListViewHeaderTest::SetUp();
        list->headerItem()->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        const char *rows[][3] = {{"玩家甲", "新手", "1200"},
                                 {"Robot 2", "长工", "300"},
                                 {"一个名字很长的玩家", "财主", "98000"}};
        for (const auto &row : rows) {
            auto *item = new QTreeWidgetItem(list.get());
            for (int i = 0; i < 3; ++i)
                item->setText(i, QString::fromUtf8(row[i]));
            item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
        }
        list->resize(240, 120);
        QApplication::processEvents();
    }

    QImage Shot(const char *name) {
        const QImage shot = list->grab().toImage().convertToFormat(QImage::Format_RGB32);
        if (const QByteArray dir = qgetenv("VESTRANO_SHOTS"); !dir.isEmpty())
            shot.save(QString::fromLocal8Bit(dir) + "/" + name);
        return shot;
    }
    QPoint HeaderAt(int x, int y) { return Header().mapTo(list.get(), QPoint(x, y)); }
};

TEST_F(ListViewRowsTest, InThePlayerListColours) {
    list->setHeaderLabels(
        {QString::fromUtf8("昵称"), QString::fromUtf8("等级"), QString::fromUtf8("游戏豆")});
    list->SetHeaderBgColor(QColor(0x00, 0x00, 0xFF));
    list->SetHeaderSplitColor(QColor(0xFF, 0x00, 0x00));
    const QImage shot = Shot("listview.png");
    EXPECT_EQ(shot.pixel(HeaderAt(2, 1)), Blue);
    EXPECT_EQ(shot.pixel(HeaderAt(79, 1)), Red);
    EXPECT_EQ(shot.pixel(HeaderAt(139, 1)), Red);
    const QRect firstRow = list->visualItemRect(list->topLevelItem(0));
    EXPECT_GE(list->viewport()->mapTo(list.get(), firstRow.topLeft()).y(),
              HeaderAt(0, Header().height()).y())
        << "the rows start under the header";
}

TEST_F(ListViewRowsTest, WithPicturesAnIconAndACutCaption) {
    QImage shade(1, 24, QImage::Format_RGB32);
    for (int y = 0; y < shade.height(); ++y)
        shade.setPixel(0, y, qRgb(200 - 5 * y, 150 - 4 * y, 90 - 3 * y));
    QImage bevel(2, 24, QImage::Format_RGB32);
    for (int y = 0; y < bevel.height(); ++y) {
        bevel.setPixel(0, y, qRgb(250, 230, 190));
        bevel.setPixel(1, y, qRgb(60, 40, 20));
    }
    list->SetHeaderBgPicture(shade);
    list->SetHeaderSplitPicture(bevel);
    list->setHeaderLabels({QString::fromUtf8("昵称（玩家的名字）"), QString::fromUtf8("等级"),
                           QString::fromUtf8("游戏豆")});
    list->headerItem()->setIcon(1, QIcon(QPixmap::fromImage(Solid({8, 8}, Yellow))));
    const QImage shot = Shot("listview-pictures.png");
    EXPECT_EQ(shot.pixel(HeaderAt(2, 0)), shade.pixel(0, 0));
    EXPECT_EQ(shot.pixel(HeaderAt(79, 1)), bevel.pixel(0, 1));
    EXPECT_EQ(shot.pixel(HeaderAt(80, 1)), bevel.pixel(1, 1));
    EXPECT_EQ(shot.pixel(HeaderAt(84, Header().height() / 2)), Yellow) << "the icon";
}

} // namespace
