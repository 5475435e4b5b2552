// Declarations of the simulated machine for <winnls.h>; filled as the system needs them.
#pragma once

#include <winerror.h>
#include <windef.h>
