// Declarations of the simulated machine for <fileapi.h>; filled as the system needs them.
#pragma once

#include <windef.h>
