// Declarations of the simulated machine for <unknwn.h>; filled as the system needs them.
#pragma once

#include <windef.h>
