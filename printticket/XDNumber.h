// Numbers read from PrintTicket values, which are XML Schema integers: white space around the
// digits is allowed, anything else makes the value no number.
#pragma once

#include <windows.h>

// Whether text is an integer within the range of int; value is set only then.
bool XDParseInteger(LPCWSTR text, int& value);
