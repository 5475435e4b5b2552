// Declarations of the simulated machine for <securitybaseapi.h>; filled as the system needs them.
#pragma once

#include <windef.h>
