// The spooler's EMF playback functions for the Windows compile check: no mingw-w64 header declares
// them, while its gdi32 import library holds them; the declarations are the stand-in's own.
#pragma once

#include "../include/winppi.h"
