// Declarations of the simulated machine for <msxml2.h>; filled as the system needs them.
#pragma once

#include <windef.h>
