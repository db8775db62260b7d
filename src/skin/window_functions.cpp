#include "skin/window_functions.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include "skin/window_impl_base.h"

namespace {
QWidget* WidgetOf(HWND hwnd) {
    WindowImplBase* window = WindowImplBase::FromHandle(hwnd);
    return window != nullptr ? window->GetWindowWidget() : nullptr;
}
}  // namespace

BOOL ShowWindow(HWND hwnd, int command) {
    QWidget* widget = WidgetOf(hwnd);
    if (widget == nullptr) return FALSE;
    const BOOL was_visible = widget->isVisible() ? TRUE : FALSE;
    switch (command) {
        case SW_HIDE:
            widget->hide();
            break;
        case SW_SHOWMINIMIZED:
            widget->showMinimized();
            break;
        case SW_RESTORE:
        case SW_SHOWNORMAL:
            widget->showNormal();
            break;
        default:
            widget->show();
            break;
    }
    return was_visible;
}

BOOL IsWindowVisible(HWND hwnd) {
    QWidget* widget = WidgetOf(hwnd);
    return widget != nullptr && widget->isVisible() ? TRUE : FALSE;
}

BOOL IsIconic(HWND hwnd) {
    QWidget* widget = WidgetOf(hwnd);
    return widget != nullptr && widget->isMinimized() ? TRUE : FALSE;
}

BOOL SetForegroundWindow(HWND hwnd) {
    QWidget* widget = WidgetOf(hwnd);
    if (widget == nullptr) return FALSE;
    widget->raise();
    widget->activateWindow();
    return TRUE;
}

BOOL DestroyWindow(HWND hwnd) {
    WindowImplBase* window = WindowImplBase::FromHandle(hwnd);
    if (window == nullptr) return FALSE;
    window->DestroyWindow();
    return TRUE;
}

BOOL SetWindowTextW(HWND hwnd, const char16_t* text) {
    WindowImplBase* window = WindowImplBase::FromHandle(hwnd);
    if (window == nullptr) return FALSE;
    window->SetWindowText(text != nullptr ? text : u"");
    return TRUE;
}

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
    QWidget* widget = WidgetOf(hwnd);
    if (widget == nullptr || rect == nullptr) return FALSE;
    const QRect g = widget->frameGeometry();
    *rect = RECT{g.left(), g.top(), g.left() + g.width(), g.top() + g.height()};
    return TRUE;
}

BOOL GetCursorPos(POINT* point) {
    if (point == nullptr) return FALSE;
    const QPoint at = QCursor::pos();
    *point = POINT{at.x(), at.y()};
    return TRUE;
}

int GetSystemMetrics(int index) {
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return 0;
    if (index == SM_CXSCREEN) return screen->geometry().width();
    if (index == SM_CYSCREEN) return screen->geometry().height();
    return 0;
}
