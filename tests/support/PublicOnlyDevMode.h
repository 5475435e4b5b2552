// An application's DEVMODE as the tests, the host program and the stress runs make it: the public
// part alone, asking for a paper size and an orientation.
#pragma once

#include <windows.h>

#include <vector>

inline std::vector<BYTE> PublicOnlyDevMode(short paperSize, short orientation,
                                           WORD specVersion = DM_SPECVERSION)
{
    std::vector<BYTE> devMode(sizeof(DEVMODEW), 0);
    auto* d = reinterpret_cast<DEVMODEW*>(devMode.data());
    d->dmSpecVersion = specVersion;
    d->dmSize = sizeof(DEVMODEW);
    d->dmFields = DM_PAPERSIZE | DM_ORIENTATION;
    d->dmPaperSize = paperSize;
    d->dmOrientation = orientation;
    return devMode;
}
