// HTML Help: context help of a control from a compiled help file.
// On the simulated machine no help window opens; the call answers a help window handle when a
// help file is named, else null.
#pragma once

#include <windef.h>

#define HH_DISPLAY_TOPIC 0x0000
#define HH_HELP_CONTEXT 0x000F
#define HH_TP_HELP_CONTEXTMENU 0x0010
#define HH_TP_HELP_WM_HELP 0x0011

extern "C" {

HWND WINAPI HtmlHelpW(HWND hwndCaller, LPCWSTR pszFile, UINT uCommand, DWORD_PTR dwData);

}  // extern "C"

#define HtmlHelp HtmlHelpW
