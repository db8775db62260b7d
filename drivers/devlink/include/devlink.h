#pragma once

// The seven entry points of a driver library (devlink_1 for the 2.4 GHz receiver, devlink_2
// for the cable). The program loads a library from its folder and looks each one up by name;
// the real libraries talk to the mouse through hidapi, the simulated ones to the virtual mouse.

#include "platform/win_types.h"

extern "C" {

// Selects the USB device the other entry points work on; called first.
void Set_VIDPID(int vendorId, int productId);

// From now on posts `presenceMessage` to `window` (wParam 1 = arrived, 0 = gone) and, for every
// notice the mouse sends, `noticeMessage` with wParam = notice word, lParam = notice value.
void Open_DevMonitor(HWND window, UINT noticeMessage, UINT presenceMessage);
// No more messages once it returns.
void Close_DevMonitor();

// Nonzero when the device is present and open for feature reports.
int Open_FeatureDevice();
void Close_FeatureDevice();

// Writes one feature report of `length` bytes; nonzero = written.
int SetFeature(const BYTE* report, int length);
// Present because the program looks it up; nothing calls it, it reads nothing and returns 0.
int GetFeature(BYTE* report, int length);

}  // extern "C"

// Pointer types for GetProcAddress.
using Set_VIDPID_Fn = decltype(&Set_VIDPID);
using Open_DevMonitor_Fn = decltype(&Open_DevMonitor);
using Close_DevMonitor_Fn = decltype(&Close_DevMonitor);
using Open_FeatureDevice_Fn = decltype(&Open_FeatureDevice);
using Close_FeatureDevice_Fn = decltype(&Close_FeatureDevice);
using SetFeature_Fn = decltype(&SetFeature);
using GetFeature_Fn = decltype(&GetFeature);
