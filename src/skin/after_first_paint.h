#pragma once

// Work a window does not need for its first picture waits until that picture is up, so the
// window appears sooner.

#include <QWidget>
#include <functional>

namespace nimba::skin {

// `action` runs once, from the event loop, after `window` has been painted for the first time,
// or after `latest_ms` where no paint comes (a window that stays hidden or minimised).
void RunAfterFirstPaint(QWidget* window, int latest_ms, std::function<void()> action);

}  // namespace nimba::skin
