#pragma once

// The open and save file dialogs in their Win32 shape, shown as Qt file dialogs. An answer
// queued with platform::QueueFileDialogAnswer is taken instead of showing a dialog, so a
// scripted run passes through them.

#include "platform/win_types.h"

inline constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
inline constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
inline constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
inline constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;

struct OPENFILENAMEW {
    DWORD lStructSize;
    HWND hwndOwner;
    // Pairs of description and patterns ("*.pro;*.PRO"), each NUL-terminated, ending in an
    // empty string.
    const wchar_t* lpstrFilter;
    DWORD nFilterIndex;          // from 1
    wchar_t* lpstrFile;          // in: the name to start with; out: the chosen path
    DWORD nMaxFile;              // units of lpstrFile, the terminator included
    const wchar_t* lpstrDefExt;  // appended to a chosen name without an extension
    DWORD Flags;
    const wchar_t* lpstrInitialDir;  // the folder shown first; null for the dialog's own choice
};

// TRUE with the chosen path in lpstrFile; FALSE when cancelled or the path does not fit.
BOOL GetOpenFileNameW(OPENFILENAMEW* ofn);
BOOL GetSaveFileNameW(OPENFILENAMEW* ofn);

// File dialogs showing now; ModalDepth counts them, EndModals cancels them.
int OpenFileDialogCount();
void CancelFileDialogs();
