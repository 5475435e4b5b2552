// niraprev's export: shows the job's preview sheets in a window on the calling thread, while one
// worker thread builds the preview document, and answers the user's decision.
#pragma once

#include <windows.h>

#include "common/PreviewRecords.h"

extern "C" {

// 1 when the user chose to print; 0 for cancel, exit, closing the window, "Cancel >>", an empty
// block, or a window that could not be made.
__declspec(dllexport) INT WINAPI BDisplayZQPrintPreview(PreviewJobBlock block);
__declspec(dllexport) BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);

}  // extern "C"
