// Declarations of the simulated machine for <oleauto.h>; filled as the system needs them.
#pragma once

#include <windef.h>
