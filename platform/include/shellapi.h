// Shell: files dropped on a window and documents opened with their program's verbs.
#pragma once

#include <windef.h>

DECLARE_HANDLE(HDROP);

extern "C" {

// The window gets WM_DROPFILES (wParam: the drop) when files are dropped on it, or no longer.
void WINAPI DragAcceptFiles(HWND hWnd, BOOL fAccept);
// iFile 0xFFFFFFFF: the number of files. Else the length of file iFile's path without the
// terminator, and the path itself, cut to cch - 1 characters, when lpszFile is not null.
UINT WINAPI DragQueryFileW(HDROP hDrop, UINT iFile, LPWSTR lpszFile, UINT cch);
// Releases the drop's memory.
void WINAPI DragFinish(HDROP hDrop);
// Runs the verb ("open", "print"...) on the file; more than 32 on success, else an error code.
HINSTANCE WINAPI ShellExecuteW(HWND hwnd, LPCWSTR lpOperation, LPCWSTR lpFile, LPCWSTR lpParameters,
                               LPCWSTR lpDirectory, INT nShowCmd);

}  // extern "C"
