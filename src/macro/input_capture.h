#pragma once

// Input capture: while a session is open, the keys the user presses (and, when asked, the
// mouse buttons) reach one window as message 1034, wherever the pointer is.

#include "platform/input_event_message.h"
#include "platform/win_types.h"

namespace nimba {

class InputCapture {
public:
    virtual ~InputCapture() = default;
    // False where nothing can be captured: then starting does nothing.
    virtual bool Available() const = 0;

protected:
    friend class CaptureSession;
    // Keys go to `receiver`, mouse buttons not yet, the wheel never.
    virtual void Start(HWND receiver) = 0;
    virtual void SetMouse(bool on) = 0;
    // Takes every hook down.
    virtual void Stop() = 0;
};

// Where the capture library is missing.
class NoInputCapture final : public InputCapture {
public:
    bool Available() const override { return false; }

protected:
    void Start(HWND) override {}
    void SetMouse(bool) override {}
    void Stop() override {}
};

// Captures for one window from construction to destruction, so no path leaves a hook on.
class CaptureSession {
public:
    CaptureSession(InputCapture& capture, HWND receiver) : capture_(capture) {
        capture_.Start(receiver);
    }
    ~CaptureSession() { capture_.Stop(); }
    CaptureSession(const CaptureSession&) = delete;
    CaptureSession& operator=(const CaptureSession&) = delete;

    // Mouse buttons are recorded too while on.
    void SetMouse(bool on) { capture_.SetMouse(on); }

private:
    InputCapture& capture_;
};

}  // namespace nimba
