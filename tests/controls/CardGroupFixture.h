#pragma once

#include "StandInCards.h"
#include "controls/TCardGroupGraphic.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

// A table widget that records the mouse events that reach it.
class RecordingTable : public QWidget {
public:
    struct Event {
        QEvent::Type Type;
        QPoint Position;
    };
    std::vector<Event> Events;

protected:
    void mousePressEvent(QMouseEvent *event) override { Record(event); }
    void mouseReleaseEvent(QMouseEvent *event) override { Record(event); }
    void mouseDoubleClickEvent(QMouseEvent *event) override { Record(event); }

private:
    void Record(QMouseEvent *event) {
        Events.push_back({event->type(), event->position().toPoint()});
        event->accept();
    }
};

// A hand of style 1 on a table, with stand-in pictures and a clock the test moves.
class CardGroupTest : public testing::Test {
protected:
    void SetUp() override {
        StandInCards::Install();
        TCardGroupGraphic::SetCardsCompareMode(2);
        // Every test starts long after any click of an earlier one.
        s_now += 100000;
        TCardGroupGraphic::SetTickSource([] { return s_now; });
        table = std::make_unique<RecordingTable>();
        table->resize(800, 300);
        hand = new TCardGroupGraphic(table.get());
        hand->move(10, 20);
    }

    void TearDown() override { TCardGroupGraphic::SetTickSource({}); }

    static void Advance(std::uint32_t ms) { s_now += ms; }
    static int DoubleClickTime() { return QApplication::doubleClickInterval(); }

    // The centre of the part of card i that no later card covers.
    QPoint VisiblePointOf(int i) const {
        const QRect rect = hand->CardRect(i);
        const int inset = std::min(3, hand->CardSpacing() / 2);
        return hand->Vertical() ? QPoint(rect.center().x(), rect.top() + inset)
                                : QPoint(rect.left() + inset, rect.center().y());
    }

    void Send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons) {
        QMouseEvent event(type, QPointF(at), QPointF(hand->mapToGlobal(at)), button, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(hand, &event);
    }
    void Press(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        Send(QEvent::MouseButtonPress, at, button, button);
    }
    void Release(QPoint at, Qt::MouseButton button = Qt::LeftButton) {
        Send(QEvent::MouseButtonRelease, at, button, Qt::NoButton);
    }
    void DragTo(QPoint at) { Send(QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton); }
    void Click(int card) {
        Press(VisiblePointOf(card));
        Release(VisiblePointOf(card));
    }
    // What Qt delivers for a double click: the second press comes as the double click.
    void DoubleClick(int card) {
        const QPoint at = VisiblePointOf(card);
        Press(at);
        Release(at);
        Send(QEvent::MouseButtonDblClick, at, Qt::LeftButton, Qt::LeftButton);
        Release(at);
    }

    std::unique_ptr<RecordingTable> table;
    TCardGroupGraphic *hand = nullptr;

private:
    static inline std::uint32_t s_now = 0x7FFF0000;
};
