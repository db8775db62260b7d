#pragma once

// The input capture library as the program uses it: loaded once from the program folder, with
// every entry point it uses or not at all. It knows which window is receiving input events
// (a scripted run posts its own events there). Where the program's windows are not on an X
// server, the library sees nothing the user types into them, so the capture happens inside the
// program's own windows instead.

#include <memory>

#include "macro/input_capture.h"
#include "platform/win_types.h"

namespace nimba {

class InWindowCapture;

class InputCaptureLibrary final : public InputCapture {
public:
    InputCaptureLibrary();
    ~InputCaptureLibrary() override;
    InputCaptureLibrary(const InputCaptureLibrary&) = delete;
    InputCaptureLibrary& operator=(const InputCaptureLibrary&) = delete;

    // Loads "Tap.dll" from the program folder; nothing is captured when it does not load.
    void Load();
    // Takes the hooks down and unloads the library.
    void Unload();

    bool Available() const override { return library_ != nullptr; }
    // The window input events go to now, or null while no session is open.
    HWND receiver() const { return receiver_; }

protected:
    void Start(HWND receiver) override;
    void SetMouse(bool on) override;
    void Stop() override;

private:
    // The library's entry points.
    struct Entries {
        void (*removemousehook)() = nullptr;
        void (*enablemousehook)(int on) = nullptr;
        void (*installhook)(HWND receiver) = nullptr;
        void (*removehook)() = nullptr;
        void (*enablehook)(int on) = nullptr;
        void (*mousewheelenable)(int on) = nullptr;
    };

    HMODULE library_ = nullptr;
    Entries entries_;
    std::unique_ptr<InWindowCapture> in_window_;
    HWND receiver_ = nullptr;
};

}  // namespace nimba
