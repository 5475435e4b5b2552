// Declarations of the simulated machine for <rpc.h>; filled as the system needs them.
#pragma once

#include <windef.h>
