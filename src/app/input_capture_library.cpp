#include "app/input_capture_library.h"

#include <QGuiApplication>
#include <string>

#include "app/in_window_capture.h"
#include "platform/debug_output.h"
#include "platform/library.h"
#include "platform/module_directory.h"
#include "platform/text_encoding.h"

namespace nimba {
namespace {

// The table holds plain function pointers, so its entries find the one library here.
InputCaptureLibrary* loaded = nullptr;

void Trace(const std::string& text) {
    OutputDebugStringW(platform::FromUtf8(text).c_str());
}

}  // namespace

InputCaptureLibrary::InputCaptureLibrary() = default;

InputCaptureLibrary::~InputCaptureLibrary() {
    Unload();
}

void InputCaptureLibrary::Load() {
    library_ = LoadLibraryW(platform::FromUtf8(GetModuleDirectory() + "Tap.dll").c_str());
    if (library_ == nullptr) {
        Trace("input capture library not loaded: nothing can be recorded");
        return;
    }
    const auto entry = [this]<class F>(const char* name, F InputCaptureTable::*slot, F ours) {
        library_entries_.*slot = reinterpret_cast<F>(GetProcAddress(library_, name));
        // An entry the library lacks stays null, and nobody calls it.
        if (library_entries_.*slot != nullptr) table_.*slot = ours;
    };
    entry("installmousehook", &InputCaptureTable::installmousehook, &InstallMouseHook);
    entry("removemousehook", &InputCaptureTable::removemousehook, &RemoveMouseHook);
    entry("enablemousehook", &InputCaptureTable::enablemousehook, &EnableMouseHook);
    entry("installhook", &InputCaptureTable::installhook, &InstallHook);
    entry("removehook", &InputCaptureTable::removehook, &RemoveHook);
    entry("enablehook", &InputCaptureTable::enablehook, &EnableHook);
    entry("mousewheelenable", &InputCaptureTable::mousewheelenable, &MouseWheelEnable);
    loaded = this;

    if (QGuiApplication::platformName() != QStringLiteral("xcb")) {
        in_window_ = std::make_unique<InWindowCapture>();
        Trace("input capture: inside the program's own windows (they are not on an X server)");
    } else {
        Trace("input capture: the capture library, system-wide");
    }
}

void InputCaptureLibrary::Unload() {
    if (library_ == nullptr) return;
    if (table_.removemousehook != nullptr) table_.removemousehook();
    if (table_.removehook != nullptr) table_.removehook();
    in_window_.reset();
    FreeLibrary(library_);
    library_ = nullptr;
    library_entries_ = {};
    table_ = {};
    if (loaded == this) loaded = nullptr;
}

HWND InputCaptureLibrary::receiver() const {
    return keys_on_ ? receiver_ : nullptr;
}

void InputCaptureLibrary::InstallMouseHook() {
    if (loaded->in_window_ == nullptr) loaded->library_entries_.installmousehook();
}

void InputCaptureLibrary::RemoveMouseHook() {
    if (loaded->in_window_ != nullptr) {
        loaded->in_window_->SetMouse(false);
    } else {
        loaded->library_entries_.removemousehook();
    }
}

void InputCaptureLibrary::EnableMouseHook(int on) {
    if (loaded->in_window_ != nullptr) {
        loaded->in_window_->SetMouse(on != 0);
    } else {
        loaded->library_entries_.enablemousehook(on);
    }
}

void InputCaptureLibrary::InstallHook(HWND receiver) {
    loaded->receiver_ = receiver;
    if (loaded->in_window_ != nullptr) {
        loaded->in_window_->SetReceiver(receiver);
    } else {
        loaded->library_entries_.installhook(receiver);
    }
}

void InputCaptureLibrary::RemoveHook() {
    loaded->receiver_ = nullptr;
    loaded->keys_on_ = false;
    if (loaded->in_window_ != nullptr) {
        loaded->in_window_->SetReceiver(nullptr);
    } else {
        loaded->library_entries_.removehook();
    }
}

void InputCaptureLibrary::EnableHook(int on) {
    loaded->keys_on_ = on != 0;
    if (loaded->in_window_ != nullptr) {
        loaded->in_window_->SetKeys(on != 0);
    } else {
        loaded->library_entries_.enablehook(on);
    }
}

void InputCaptureLibrary::MouseWheelEnable(int on) {
    if (loaded->in_window_ == nullptr) loaded->library_entries_.mousewheelenable(on);
}

}  // namespace nimba
