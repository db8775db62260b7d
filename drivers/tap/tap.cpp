#include "tap.h"

#include <atomic>
#include <memory>
#include <mutex>

#include "platform/input_event_message.h"
#include "platform/messages.h"
#include "raw_input_watch.h"
#include "x11_virtual_key.h"

namespace {

using nimba::kInputEventMessage;

struct ButtonMessage {
    int x_button;
    WPARAM down;  // the up message is the one after it
    LPARAM which;
};

// X numbers the side buttons 8 (back, the first) and 9 (forward, the second); 4..7 are the
// wheel, which is never posted.
constexpr ButtonMessage kButtons[] = {
    {1, 0x201, 0}, {3, 0x204, 0}, {2, 0x207, 0}, {8, 0x20B, 1}, {9, 0x20B, 2},
};

std::atomic<HWND> receiver{nullptr};
std::atomic<bool> keys_on{false};
std::atomic<bool> mouse_on{false};

// The watch runs while either hook is installed.
std::mutex watch_mutex;
bool key_hook = false;
bool mouse_hook = false;
std::unique_ptr<tap::RawInputWatch> watch;

void Post(const tap::RawInput& input) {
    const HWND target = receiver.load();
    if (target == nullptr) return;
    if (input.kind == tap::RawInput::kKey) {
        const int virtual_key = tap::VirtualKeyOfKeysym(input.keysym);
        if (keys_on.load() && virtual_key != 0) {
            PostMessageW(target, kInputEventMessage, static_cast<WPARAM>(virtual_key),
                         input.down ? 0 : 1);
        }
        return;
    }
    if (!mouse_on.load()) return;
    for (const ButtonMessage& button : kButtons) {
        if (button.x_button != input.button) continue;
        PostMessageW(target, kInputEventMessage, input.down ? button.down : button.down + 1,
                     button.which);
    }
}

void UpdateWatch() {
    if ((key_hook || mouse_hook) && !watch) {
        watch = std::make_unique<tap::RawInputWatch>(Post);
    } else if (!key_hook && !mouse_hook) {
        watch.reset();
    }
}

// A program that unloads the library without removing its hooks still gets the thread ended.
struct EndWatchAtUnload {
    ~EndWatchAtUnload() {
        std::lock_guard lock(watch_mutex);
        watch.reset();
    }
} end_watch_at_unload;

}  // namespace

extern "C" {

void installmousehook() {
    std::lock_guard lock(watch_mutex);
    mouse_hook = true;
    UpdateWatch();
}

void removemousehook() {
    std::lock_guard lock(watch_mutex);
    mouse_hook = false;
    mouse_on = false;
    UpdateWatch();
}

void enablemousehook(int on) {
    mouse_on = on != 0;
}

void installhook(HWND window) {
    std::lock_guard lock(watch_mutex);
    receiver = window;
    key_hook = true;
    UpdateWatch();
}

void removehook() {
    std::lock_guard lock(watch_mutex);
    receiver = nullptr;
    keys_on = false;
    key_hook = false;
    UpdateWatch();
}

void enablehook(int on) {
    keys_on = on != 0;
}

void mousewheelenable(int) {}

}  // extern "C"
