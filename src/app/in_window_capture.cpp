#include "app/in_window_capture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

#include "platform/input_event_message.h"
#include "platform/messages.h"

namespace nimba {
namespace {

struct QtKeyRow {
    int qt;
    int virtual_key;
};

constexpr QtKeyRow kKeys[] = {
    {Qt::Key_Backspace, 0x08},   {Qt::Key_Tab, 0x09},        {Qt::Key_Return, 0x0D},
    {Qt::Key_Enter, 0x0D},       {Qt::Key_Shift, 0xA0},      {Qt::Key_Control, 0xA2},
    {Qt::Key_Alt, 0xA4},         {Qt::Key_Pause, 0x13},      {Qt::Key_CapsLock, 0x14},
    {Qt::Key_Escape, 0x1B},      {Qt::Key_Space, 0x20},      {Qt::Key_PageUp, 0x21},
    {Qt::Key_PageDown, 0x22},    {Qt::Key_End, 0x23},        {Qt::Key_Home, 0x24},
    {Qt::Key_Left, 0x25},        {Qt::Key_Up, 0x26},         {Qt::Key_Right, 0x27},
    {Qt::Key_Down, 0x28},        {Qt::Key_Print, 0x2C},      {Qt::Key_Insert, 0x2D},
    {Qt::Key_Delete, 0x2E},      {Qt::Key_Meta, 0x5B},       {Qt::Key_Menu, 0x5D},
    {Qt::Key_NumLock, 0x90},     {Qt::Key_ScrollLock, 0x91}, {Qt::Key_Semicolon, 0xBA},
    {Qt::Key_Equal, 0xBB},       {Qt::Key_Comma, 0xBC},      {Qt::Key_Minus, 0xBD},
    {Qt::Key_Period, 0xBE},      {Qt::Key_Slash, 0xBF},      {Qt::Key_QuoteLeft, 0xC0},
    {Qt::Key_BracketLeft, 0xDB}, {Qt::Key_Backslash, 0xDC},  {Qt::Key_BracketRight, 0xDD},
    {Qt::Key_Apostrophe, 0xDE},
};

struct QtButtonRow {
    Qt::MouseButton button;
    WPARAM down;
    LPARAM which;
};

constexpr QtButtonRow kButtons[] = {
    {Qt::LeftButton, 0x201, 0}, {Qt::RightButton, 0x204, 0},   {Qt::MiddleButton, 0x207, 0},
    {Qt::BackButton, 0x20B, 1}, {Qt::ForwardButton, 0x20B, 2},
};

// A click on one of the program's own buttons works the window (the record button among them).
bool OnProgramButton(QWindow* window, QPoint position) {
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (top->windowHandle() != window) continue;
        return qobject_cast<QAbstractButton*>(top->childAt(position)) != nullptr;
    }
    return false;
}

}  // namespace

int VirtualKeyOfQtKey(int key) {
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return key;
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return 0x70 + (key - Qt::Key_F1);
    for (const QtKeyRow& row : kKeys) {
        if (row.qt == key) return row.virtual_key;
    }
    return 0;
}

InWindowCapture::InWindowCapture() {
    qApp->installEventFilter(this);
}

InWindowCapture::~InWindowCapture() {
    qApp->removeEventFilter(this);
}

bool InWindowCapture::eventFilter(QObject* watched, QEvent* event) {
    // Each input event reaches the window before the widget it is meant for: looked at there,
    // it is seen once, however far it then travels up the widgets.
    if (receiver_ == nullptr || !watched->isWindowType()) return false;
    const QEvent::Type type = event->type();
    if (keys_ && (type == QEvent::KeyPress || type == QEvent::KeyRelease)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const int virtual_key = VirtualKeyOfQtKey(key->key());
        if (virtual_key != 0) {
            PostMessageW(receiver_, kInputEventMessage, static_cast<WPARAM>(virtual_key),
                         type == QEvent::KeyRelease ? 1 : 0);
        }
    } else if (mouse_ && (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease)) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (OnProgramButton(static_cast<QWindow*>(watched), mouse->position().toPoint()))
            return false;
        for (const QtButtonRow& row : kButtons) {
            if (row.button != mouse->button()) continue;
            const WPARAM message = type == QEvent::MouseButtonPress ? row.down : row.down + 1;
            PostMessageW(receiver_, kInputEventMessage, message, row.which);
        }
    }
    return false;
}

}  // namespace nimba
