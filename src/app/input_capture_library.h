#pragma once

// The input capture library as the program uses it: loaded once from the program folder, its
// entry points handed out as the capture table. The table's entries go through here, so the
// program knows which window is receiving input events (a scripted run posts its own events
// there). Where the program's windows are not on an X server, the library sees nothing the
// user types into them, so the same entries capture inside the program's own windows instead.

#include <memory>

#include "macro/input_capture_table.h"
#include "platform/win_types.h"

namespace nimba {

class InWindowCapture;

class InputCaptureLibrary {
public:
    InputCaptureLibrary();
    ~InputCaptureLibrary();
    InputCaptureLibrary(const InputCaptureLibrary&) = delete;
    InputCaptureLibrary& operator=(const InputCaptureLibrary&) = delete;

    // Loads "Tap.dll" from the program folder; the table stays empty when it does not load.
    void Load();
    // Removes both hooks and unloads the library.
    void Unload();

    const InputCaptureTable& table() const { return table_; }
    // The window key events go to now, or null while no hook is on.
    HWND receiver() const;

private:
    static void InstallMouseHook();
    static void RemoveMouseHook();
    static void EnableMouseHook(int on);
    static void InstallHook(HWND receiver);
    static void RemoveHook();
    static void EnableHook(int on);
    static void MouseWheelEnable(int on);

    HMODULE library_ = nullptr;
    InputCaptureTable library_entries_;
    InputCaptureTable table_;
    std::unique_ptr<InWindowCapture> in_window_;
    HWND receiver_ = nullptr;
    bool keys_on_ = false;
};

}  // namespace nimba
