// The preview of "print --preview print|cancel": the sample render module asks for a preview,
// the print-UI host answers as the user would, and the report shows the request, the job block,
// the page records and the page bitmaps the preview pass left.
#pragma once

#include "host/HostMachine.h"

#include <string>

// Turns the preview on for the next job; the print-UI host answers Print (confirm) or Cancel.
void PreparePreview(HostMachine& host, bool confirm);
// What the preview was shown, and whether the printing pass followed.
void ReportPreview(HostMachine& host, DWORD jobId, bool printed);
