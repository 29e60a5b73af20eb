// A hand of 27 cards in size style 1, drawn offscreen with stand-in pictures shaped like
// the module's (premultiplied, transparent corners).
#include "controls/StandInCards.h"
#include "controls/TCardGroupGraphic.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <cstdint>

namespace {

constexpr std::string_view HandA = "ABCDEFGHIJKLMabcdefghijklm0";
constexpr std::string_view HandB = "NOPQRSTUVWXYZnopqrstuvwxyz1";

struct Table {
    QWidget Widget;
    TCardGroupGraphic *Hand;
    QImage Target{800, 200, QImage::Format_ARGB32_Premultiplied};

    Table() {
        StandInCards::Install(true);
        TCardGroupGraphic::SetCardsCompareMode(2);
        Widget.resize(800, 200);
        Hand = new TCardGroupGraphic(&Widget);
        Hand->SetCards(HandA);
        Widget.show();
    }

    void Draw() {
        QPainter painter(&Target);
        Hand->render(&painter);
    }
};

// SetCards with another hand: clear, 27 cards added, relayout into the buffer; then the
// control paints itself.
void BM_HandRelayoutAndDraw(benchmark::State &state) {
    Table table;
    bool flip = false;
    for (auto _ : state) {
        table.Hand->SetCards((flip = !flip) ? HandB : HandA);
        table.Draw();
    }
    benchmark::DoNotOptimize(table.Target.constBits());
}
BENCHMARK(BM_HandRelayoutAndDraw)->Unit(benchmark::kMicrosecond);

// One left click that raises or lowers card 13 and redraws its strip into the buffer.
void BM_ClickToggleWithStripRedraw(benchmark::State &state) {
    Table table;
    static std::uint32_t now = 0;
    TCardGroupGraphic::SetTickSource([] { return now += 10000; });
    const QPoint at = table.Hand->CardRect(13).topLeft() + QPoint(3, 40);
    const QPointF global = table.Hand->mapToGlobal(QPointF(at));
    for (auto _ : state) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), global, Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(table.Hand, &press);
    }
    TCardGroupGraphic::SetTickSource({});
    benchmark::DoNotOptimize(table.Hand->Buffer().constBits());
}
BENCHMARK(BM_ClickToggleWithStripRedraw)->Unit(benchmark::kMicrosecond);

// The toggle as the user sees it: the click, then the paint of the changed strip.
void BM_ClickToggleAndPaint(benchmark::State &state) {
    Table table;
    static std::uint32_t now = 0;
    TCardGroupGraphic::SetTickSource([] { return now += 10000; });
    const QPoint at = table.Hand->CardRect(13).topLeft() + QPoint(3, 40);
    const QPointF global = table.Hand->mapToGlobal(QPointF(at));
    const QRect strip = table.Hand->CardRect(13).adjusted(0, -16, 0, 16);
    for (auto _ : state) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), global, Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(table.Hand, &press);
        QPainter painter(&table.Target);
        table.Hand->render(&painter, strip.topLeft(), QRegion(strip));
    }
    TCardGroupGraphic::SetTickSource({});
    benchmark::DoNotOptimize(table.Target.constBits());
}
BENCHMARK(BM_ClickToggleAndPaint)->Unit(benchmark::kMicrosecond);

// The anchor: one premultiplied 71 x 96 picture drawn.
void BM_DrawOneCard(benchmark::State &state) {
    const QImage card = StandInCards::Picture("SA", true);
    QImage target(800, 200, QImage::Format_RGB32);
    QPainter painter(&target);
    for (auto _ : state)
        painter.drawImage(100, 50, card);
    benchmark::DoNotOptimize(target.constBits());
}
BENCHMARK(BM_DrawOneCard)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
