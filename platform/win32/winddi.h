// The display-driver records for the Windows compile check. mingw-w64's own <winddi.h> needs the
// DirectDraw driver-kit headers (ddrawint.h, d3dnthal.h), which it does not ship; the records the
// drivers use are declared once, in the project's platform header, over the Windows headers.
#pragma once

#include "../include/winddi.h"
