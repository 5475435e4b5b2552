// The spooler's print-processor interface for the Windows compile check: mingw-w64's own
// <winsplp.h>, and the page-order flag of booklets that the driver kit's headers add.
#pragma once

#include_next <winsplp.h>

#ifndef BOOKLET_PRINT
#define BOOKLET_PRINT 0x00000002
#endif
