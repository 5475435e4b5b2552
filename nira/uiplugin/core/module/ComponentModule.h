// The settings helper module that the driver INI names under Component_F_C: loaded once for the
// process, kept until process detach.
#pragma once

#include <windows.h>

// Loads the module from the printer-driver directory's "\3\" folder when the process has not yet
// loaded it, and calls its LoadHelper export (when it has one) with the printer handle.
// NIRA_STATUS_OK when the module is loaded, NIRA_STATUS_FAILED when it could not be loaded.
LONG LoadComponentModule(HANDLE printer);
