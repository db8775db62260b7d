#pragma once

// Runs the UI thread's platform message queue and window timers inside Qt's event loop:
// woken by the queue's descriptor and by one single-shot timer for the next due window timer,
// so an idle UI thread sleeps. WM_QUIT ends every running Qt loop of the thread.

namespace nimba::skin {

// Installs the bridge for the UI thread once (after the QApplication exists); later calls do
// nothing.
void EnsureMessageQueueBridge();
// Runs what the queue holds now, as the loop does when woken, and reports how many messages
// ran: a driver that steps the program itself can tell when all that was due has happened.
int PumpMessageQueue();
// The code WM_QUIT carried, once one arrived.
int QuitCode();

}  // namespace nimba::skin
