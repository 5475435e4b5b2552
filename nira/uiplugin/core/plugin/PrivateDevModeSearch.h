// Finding the plug-in's private section in a DEVMODE and deciding whether to trust it.
#pragma once

#include <windows.h>

#include "common/PrivateDevMode.h"

// The section that ends exactly at the end of the DEVMODE's driver-private area: its signature,
// GUID and size found at an offset so that the section's last byte is the area's last. *out is
// set to null first; false for a null DEVMODE or out, or when no section is found (a private area
// of 6892 bytes or less has none: the core driver's own private bytes come first).
BOOLEAN FindPrivateDevMode(const DEVMODEW* devMode, PrivateDevMode** out);

// The DEVMODE carries a driver-private area, a section is found there and it passes the checksum
// test.
BOOL HasValidPrivateDevMode(const DEVMODEW* devMode);

// The section is this driver's own (size, signature and GUID) and passes the checksum test.
BOOL IsIntactPrivateDevMode(const PrivateDevMode* section);
