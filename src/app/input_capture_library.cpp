#include "app/input_capture_library.h"

#include <QGuiApplication>

#include "app/in_window_capture.h"
#include "platform/debug_output.h"
#include "platform/library.h"
#include "platform/module_directory.h"
#include "platform/text_encoding.h"

namespace nimba {

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
    bool complete = true;
    const auto entry = [&]<class F>(const char* name, F& slot) {
        slot = reinterpret_cast<F>(GetProcAddress(library_, name));
        if (slot == nullptr) Trace(std::string("input capture library without ") + name);
        complete = complete && slot != nullptr;
    };
    entry("removemousehook", entries_.removemousehook);
    entry("enablemousehook", entries_.enablemousehook);
    entry("installhook", entries_.installhook);
    entry("removehook", entries_.removehook);
    entry("enablehook", entries_.enablehook);
    entry("mousewheelenable", entries_.mousewheelenable);
    // A library missing an entry could leave a hook on that nothing takes down.
    if (!complete) {
        FreeLibrary(library_);
        library_ = nullptr;
        return;
    }
    if (QGuiApplication::platformName() != QStringLiteral("xcb")) {
        in_window_ = std::make_unique<InWindowCapture>();
        Trace("input capture: inside the program's own windows (they are not on an X server)");
    } else {
        Trace("input capture: the capture library, system-wide");
    }
}

void InputCaptureLibrary::Unload() {
    if (library_ == nullptr) return;
    Stop();
    in_window_.reset();
    FreeLibrary(library_);
    library_ = nullptr;
    entries_ = {};
}

void InputCaptureLibrary::Start(HWND receiver) {
    if (library_ == nullptr) return;
    receiver_ = receiver;
    if (in_window_ != nullptr) {
        in_window_->SetReceiver(receiver);
        in_window_->SetKeys(true);
        return;
    }
    entries_.installhook(receiver);
    entries_.enablehook(1);
    entries_.mousewheelenable(0);
}

void InputCaptureLibrary::SetMouse(bool on) {
    if (library_ == nullptr) return;
    if (in_window_ != nullptr) {
        in_window_->SetMouse(on);
    } else {
        entries_.enablemousehook(on ? 1 : 0);
    }
}

void InputCaptureLibrary::Stop() {
    if (library_ == nullptr) return;
    receiver_ = nullptr;
    if (in_window_ != nullptr) {
        in_window_->SetReceiver(nullptr);
        in_window_->SetKeys(false);
        in_window_->SetMouse(false);
        return;
    }
    entries_.removehook();
    entries_.removemousehook();
    entries_.enablemousehook(0);
    entries_.enablehook(0);
    entries_.mousewheelenable(0);
}

}  // namespace nimba
