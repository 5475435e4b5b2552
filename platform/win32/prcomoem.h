// The core driver's plug-in interfaces for the Windows compile check: mingw-w64 does not ship
// them, so the project's one declaration (over the Windows headers) is used.
#pragma once

#include "../include/prcomoem.h"
