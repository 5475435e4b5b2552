// The job warning: a caption, a message, up to three buttons, an optional picture and an optional
// do-not-show-again check box; its picture form for postcard printing records, per user and
// printer, that the user does not want to see it again.
#pragma once

#include <windows.h>

#include "oemui/doceventdlg/JobRequests.h"

// Shows the warning modally on this thread and answers its end code (1 OK, 2 Cancel or closed,
// 285 the third button, 1035 OK of the picture form); 0 without memory. `owner` may be null.
// The request stays the caller's.
INT_PTR RunJobWarningDialog(const JobWarningRequest& request, HWND owner);

// The template a request shows: the picture form for "HagakiPrinting" (any case), else the plain
// one or its right-to-left twin.
int JobWarningTemplate(const JobWarningRequest& request, BOOL rightToLeft);

// The printer whose per-printer key the picture-form choice goes under: the last printer a
// warning was shown for in this process (none on the session road).
void SetWarningPrinter(HANDLE printer);

// Records the picture-form choice: byte 2 as the REG_BINARY value `userName` in that user's hive,
// "Software\<maker>\<printer GUID>\HagakiMedia" (the maker's key itself without the GUID).
void RecordPictureFormChoice(LPCWSTR userName);
