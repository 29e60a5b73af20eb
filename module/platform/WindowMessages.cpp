#include "platform/WindowMessages.h"

#include <QApplication>
#include <QHash>
#include <QPointer>
#include <QThread>
#include <QWidget>

namespace Platform {

namespace {

struct HandleTable {
    QHash<HWND, QPointer<QWidget>> Windows;
    QHash<const QWidget *, HWND> Handles;
    HWND Next = 0x10;
};

// Handles are used on the GUI thread only, like the windows themselves.
HandleTable &Table() {
    static HandleTable table;
    return table;
}

} // namespace

TWindowMessageEvent::TWindowMessageEvent(uint32_t message, WPARAM wParam, LPARAM lParam)
    : QEvent(EventType())
    , Message(message)
    , WParam(wParam)
    , LParam(lParam) {}

QEvent::Type TWindowMessageEvent::EventType() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

TWindowMessageEvent *TWindowMessageEvent::From(QEvent *event) {
    return event && event->type() == EventType() ? static_cast<TWindowMessageEvent *>(event)
                                                 : nullptr;
}

void TWindowMessageEvent::Handle(const std::function<LRESULT()> &handler) {
    Handled = true;
    try {
        Result = handler();
    } catch (...) {
        Error = std::current_exception();
    }
}

HWND HandleOf(QWidget *window) {
    if (!window)
        return 0;
    auto &table = Table();
    if (const auto found = table.Handles.constFind(window); found != table.Handles.cend())
        return *found;
    const HWND handle = table.Next;
    table.Next += 4;
    table.Windows.insert(handle, window);
    table.Handles.insert(window, handle);
    QObject::connect(window, &QObject::destroyed, [handle, window] {
        Table().Windows.remove(handle);
        Table().Handles.remove(window);
    });
    return handle;
}

QWidget *WindowFromHandle(HWND handle) {
    return Table().Windows.value(handle);
}

bool FocusInside(HWND handle) {
    QWidget *window = WindowFromHandle(handle);
    QWidget *focus = QApplication::focusWidget();
    return window && focus && (focus == window || window->isAncestorOf(focus));
}

LRESULT SendMessage(HWND handle, uint32_t message, WPARAM wParam, LPARAM lParam) {
    QWidget *window = WindowFromHandle(handle);
    if (!window)
        return 0;
    TWindowMessageEvent event(message, wParam, lParam);
    if (QThread::currentThread() == window->thread())
        QCoreApplication::sendEvent(window, &event);
    else
        QMetaObject::invokeMethod(
            window, [window, &event] { QCoreApplication::sendEvent(window, &event); },
            Qt::BlockingQueuedConnection);
    if (event.Error)
        std::rethrow_exception(event.Error);
    return event.Result;
}

} // namespace Platform
