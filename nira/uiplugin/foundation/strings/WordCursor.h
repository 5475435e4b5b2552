// The byte cursor of the blobs that keep feature values in the registry (the feature store, the
// presets): every value takes a 4-byte slot of which only the low 16 bits are written.
#pragma once

#include <windows.h>

// Writes the value's low byte and then its second byte at *cursor and advances the cursor by 4,
// leaving the slot's two further bytes as they are; a null cursor (or null *cursor) writes nothing.
void WriteWordToCursor(BYTE** cursor, int value);
