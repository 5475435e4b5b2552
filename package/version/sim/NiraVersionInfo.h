// The version resource of the driver's and the package's DLLs on the simulated machine, from the
// numbers the Windows resource script uses too. A DLL with a resource table of its own names it
// there; any other gets it from NiraVersionResources.cpp.
#pragma once

#include <windows.h>
#include <nirasimres.h>

#include "package/version/NiraVersion.h"

inline const NIRASIM_VERSION_INFO* NiraVersionInfo()
{
    static const NIRASIM_VERSION_STRING strings[] = {
        {TEXT("FileVersion"), TEXT(NIRA_FILE_VERSION_TEXT)},
        {TEXT("ProductName"), TEXT(NIRA_PRODUCT_NAME_TEXT)},
        {TEXT("ProductVersion"), TEXT(NIRA_PRODUCT_VERSION_TEXT)},
    };
    static const NIRASIM_VERSION_INFO info = {
        {NIRA_FILE_VERSION}, {NIRA_PRODUCT_VERSION}, VFT_DLL, 0x0409, 1200, strings, ARRAYSIZE(strings)};
    return &info;
}
