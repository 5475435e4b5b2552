// The driver's version, as every file of the driver and of its package carries it in its version
// resource: the release (product version) and the build of the files (file version). Plain
// macros, so that the Windows resource script and the simulated machine's table share them.
#pragma once

#define NIRA_PRODUCT_VERSION 1, 0, 0, 0
#define NIRA_PRODUCT_VERSION_TEXT "1.0.0.0"
#define NIRA_FILE_VERSION 1, 0, 0, 1
#define NIRA_FILE_VERSION_TEXT "1.0.0.1"
#define NIRA_PRODUCT_NAME_TEXT "Nira Sample Inkjet driver"
