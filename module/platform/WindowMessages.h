#pragma once
// Window handles and synchronous window messages. Every top-level window that takes
// messages gets an integer handle; SendMessage delivers a message to the window's
// event() as a TWindowMessageEvent and returns once it has been handled, on the
// window's own thread. Private messages keep their numbers (WM_USER + 13 and so on).

#include <QEvent>

#include <cstdint>
#include <exception>
#include <functional>

class QWidget;

namespace Platform {

using HWND = intptr_t;
using WPARAM = uintptr_t;
using LPARAM = intptr_t;
using LRESULT = intptr_t;

constexpr uint32_t WM_USER = 0x0400;

class TWindowMessageEvent final : public QEvent {
public:
    TWindowMessageEvent(uint32_t message, WPARAM wParam, LPARAM lParam);

    static QEvent::Type EventType();
    // The message event behind `event`, or nullptr for any other event.
    static TWindowMessageEvent *From(QEvent *event);

    // Runs the window's handler. An exception it throws is kept and rethrown by
    // SendMessage in the sender's frame, never thrown through Qt's event dispatch.
    void Handle(const std::function<LRESULT()> &handler);

    const uint32_t Message;
    const WPARAM WParam;
    const LPARAM LParam;
    LRESULT Result = 0;
    bool Handled = false;
    std::exception_ptr Error;
};

// The window's handle, given on first use and dropped when the window is destroyed.
HWND HandleOf(QWidget *window);
// The live window with that handle, or nullptr.
QWidget *WindowFromHandle(HWND handle);

// Whether the widget with the keyboard focus is that window or lies inside it.
bool FocusInside(HWND handle);

// Delivers the message and waits for its handler; 0 when no window has the handle or
// the window did not handle the message. Rethrows what the handler threw.
LRESULT SendMessage(HWND handle, uint32_t message, WPARAM wParam, LPARAM lParam);

} // namespace Platform
