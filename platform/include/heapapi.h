// Declarations of the simulated machine for <heapapi.h>; filled as the system needs them.
#pragma once

#include <windef.h>
