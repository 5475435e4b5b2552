// The driver INI and its section ComponentFiles, which names the driver's other modules and data
// files. The INI is the first of the printer driver's dependent files whose name contains ".INI"
// (compared in upper case); component files lie in the printer-driver directory's version folder
// "\3\".
#pragma once

#include <windows.h>

extern const WCHAR kComponentFilesSection[];  // "ComponentFiles"
extern const WCHAR kDriverVersionFolder[];    // "\3\"

// Finds the driver INI in a dependent-file list (terminated names ending with an empty one):
// the first name that, in upper case, contains ".INI" is written in upper case to iniPath
// (MAX_PATH characters). A name that does not fit in MAX_PATH characters ends the search. TRUE
// when found.
BOOL FindIniInDependentFiles(LPCWSTR dependentFiles, LPWSTR iniPath);

// Reads a key of section ComponentFiles into value (capacity characters, cut to fit); answers the
// number of characters read (0 for a missing key with an empty default).
DWORD ReadComponentValue(LPCWSTR iniPath, LPCWSTR key, LPCWSTR defaultValue, LPWSTR value, DWORD capacity);
