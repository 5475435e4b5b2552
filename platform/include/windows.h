// The Windows platform as the system's libraries see it on the simulated machine.
// Only what the system uses is declared, with the Windows names, signatures and layouts.
#pragma once

#include <stdarg.h>
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <winnt.h>
#include <windef.h>
#include <winerror.h>
#include <guiddef.h>
#include <crtwide.h>
#include <winbase.h>
#include <winnls.h>
#include <winreg.h>
#include <wingdi.h>
#include <winuser.h>
#include <winver.h>
