#include "raw_input_watch.h"

#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

#include "platform/debug_output.h"

namespace tap {
namespace {

void Trace(const wchar_t* text) {
    OutputDebugStringW(text);
}

// Asks for raw key and button events of every device; false when the server cannot give them.
bool SelectRawEvents(Display* display, int& opcode) {
    int event = 0;
    int error = 0;
    if (!XQueryExtension(display, "XInputExtension", &opcode, &event, &error)) return false;
    int major = 2;
    int minor = 0;
    if (XIQueryVersion(display, &major, &minor) != Success) return false;
    unsigned char bits[XIMaskLen(XI_LASTEVENT)] = {};
    XIEventMask mask{XIAllMasterDevices, sizeof(bits), bits};
    XISetMask(bits, XI_RawKeyPress);
    XISetMask(bits, XI_RawKeyRelease);
    XISetMask(bits, XI_RawButtonPress);
    XISetMask(bits, XI_RawButtonRelease);
    XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
    XFlush(display);
    return true;
}

}  // namespace

RawInputWatch::RawInputWatch(Sink sink) : sink_(std::move(sink)) {
    stop_fd_ = eventfd(0, EFD_CLOEXEC);
    thread_ = std::thread([this] { Run(); });
}

RawInputWatch::~RawInputWatch() {
    const uint64_t one = 1;
    if (write(stop_fd_, &one, sizeof(one)) != sizeof(one)) Trace(L"Tap: cannot stop the watch");
    thread_.join();
    close(stop_fd_);
}

void RawInputWatch::Run() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        Trace(L"Tap: no X server, nothing is captured");
        return;
    }
    int opcode = 0;
    if (!SelectRawEvents(display, opcode)) {
        Trace(L"Tap: the X server has no XInput 2, nothing is captured");
        XCloseDisplay(display);
        return;
    }
    Trace(L"Tap: capturing keys and mouse buttons of the X server");
    pollfd fds[2] = {{ConnectionNumber(display), POLLIN, 0}, {stop_fd_, POLLIN, 0}};
    for (;;) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            XGenericEventCookie* cookie = &event.xcookie;
            if (cookie->type != GenericEvent || cookie->extension != opcode ||
                !XGetEventData(display, cookie)) {
                continue;
            }
            const auto* raw = static_cast<const XIRawEvent*>(cookie->data);
            switch (cookie->evtype) {
                case XI_RawKeyPress:
                case XI_RawKeyRelease:
                    sink_({RawInput::kKey, cookie->evtype == XI_RawKeyPress,
                           XkbKeycodeToKeysym(display, static_cast<KeyCode>(raw->detail), 0, 0),
                           0});
                    break;
                case XI_RawButtonPress:
                case XI_RawButtonRelease:
                    sink_({RawInput::kButton, cookie->evtype == XI_RawButtonPress, 0, raw->detail});
                    break;
                default:
                    break;
            }
            XFreeEventData(display, cookie);
        }
        if (poll(fds, 2, -1) < 0) continue;
        if (fds[1].revents != 0) break;
    }
    XCloseDisplay(display);
}

}  // namespace tap
