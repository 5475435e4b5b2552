// The image path of the current process and the file-name part of a path, as the settings read
// them for the host-process rules.
#pragma once

#include <windows.h>

// The path of the process's image, at most MAX_PATH characters and terminated; false (and an empty
// path) when the platform cannot give it.
bool GetProcessImagePath(WCHAR (&path)[MAX_PATH + 1]);

// The file name and extension of a path: what follows its last separator ('\' or '/') or, without
// one, its drive, as the C runtime splits a path.
const WCHAR* GetPathFileName(const WCHAR* path);
