// The RPC runtime as the system uses it: UUIDs.
#pragma once

#include <windows.h>
#include <rpcdce.h>
