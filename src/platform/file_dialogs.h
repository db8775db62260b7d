#pragma once

// The open and save file dialogs in the Win32 shape: a filter of "label\0pattern\0" pairs
// ending in an empty label, the chosen path written into the caller's buffer. An answer queued
// with QueueFileDialogAnswer is taken instead of showing the dialog.

#include "platform/win_types.h"

inline constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
inline constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
inline constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
inline constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;

struct OPENFILENAMEW {
    DWORD lStructSize = sizeof(OPENFILENAMEW);
    HWND hwndOwner = nullptr;
    const wchar_t* lpstrFilter = nullptr;
    DWORD nFilterIndex = 1;
    wchar_t* lpstrFile = nullptr;  // in: initial name; out: the chosen path
    DWORD nMaxFile = 0;
    const wchar_t* lpstrInitialDir = nullptr;
    DWORD Flags = 0;
    const wchar_t* lpstrDefExt = nullptr;  // appended when the chosen name has no extension
};

// FALSE when cancelled or when the path does not fit the buffer.
BOOL GetOpenFileNameW(OPENFILENAMEW* dialog);
BOOL GetSaveFileNameW(OPENFILENAMEW* dialog);
