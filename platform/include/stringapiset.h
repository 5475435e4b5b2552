// Declarations of the simulated machine for <stringapiset.h>; filled as the system needs them.
#pragma once

#include <windef.h>
