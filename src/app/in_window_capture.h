#pragma once

// Capture for a program whose windows are not on an X server: the keys and mouse buttons the
// user presses inside the program's own windows are posted as input events (message 1034),
// exactly as the capture library posts what it sees system-wide. Clicks on the windows' own
// buttons work the windows and are not posted.

#include <QObject>

#include "platform/win_types.h"

namespace nimba {

class InWindowCapture : public QObject {
public:
    InWindowCapture();
    ~InWindowCapture() override;

    void SetReceiver(HWND receiver) { receiver_ = receiver; }
    void SetKeys(bool on) { keys_ = on; }
    void SetMouse(bool on) { mouse_ = on; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    HWND receiver_ = nullptr;
    bool keys_ = false;
    bool mouse_ = false;
};

// The virtual key of a Qt key; 0 for keys without one.
int VirtualKeyOfQtKey(int key);

}  // namespace nimba
