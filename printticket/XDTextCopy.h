// Bounded copies and allocations of the PrintTicket library; each throws CXDException.
#pragma once

#include <windows.h>
#include <oleauto.h>

// Copies at most count characters (stopping at a terminator) into destination and terminates it.
void CopyWideN(LPWSTR destination, int capacity, LPCWSTR source, int count);
// Converts byteCount bytes of ANSI text; every byte must become exactly one character.
void CopyAnsiToWide(LPWSTR destination, int capacity, LPCSTR source, int byteCount);
// A BSTR copy of text; a null text or a failed allocation throws E_OUTOFMEMORY.
BSTR AllocBstrOrThrow(LPCWSTR text);
