// Declarations of the simulated machine for <libloaderapi.h>; filled as the system needs them.
#pragma once

#include <windef.h>
