// The zlib layer of the packed settings: one deflate at level 9 into the payload's room, and one
// inflate that must end the stream in exactly the announced number of bytes.
#pragma once

#include <windows.h>

// Deflates the image (zlib wrapper, level 9, default method, 15-bit window, memory level 8) into
// `stream`, which has `room` bytes, and answers the stream's length. Throws CNiraException: 13
// when zlib refuses or the stream does not fit, 8 when memory runs out or input is left over.
DWORD DeflateSettingsImage(const BYTE* image, DWORD imageLength, BYTE* stream, DWORD room);

// Inflates `stream` in one call into `image`, which must be filled exactly. Throws
// CNiraException: 13 for a damaged, short, long or unfinished stream, 8 when memory runs out.
void InflateSettingsImage(const BYTE* stream, DWORD streamLength, BYTE* image, DWORD imageLength);
