// The core driver UI module's version resource: the file version of the platform release whose
// core driver it stands in for.
#include <windows.h>
#include <nirasimres.h>

namespace {

const NIRASIM_VERSION_STRING kStrings[] = {
    {u"FileVersion", u"6.0.6001.18000"},
    {u"ProductVersion", u"6.0.6001.18000"},
};

const NIRASIM_VERSION_INFO kVersion = {
    {6, 0, 6001, 18000}, {6, 0, 6001, 18000}, VFT_DLL, 0x0409, 1200, kStrings, ARRAYSIZE(kStrings)};

const NIRASIM_RESOURCE_TABLE kResources = {NIRASIM_RESOURCE_TABLE_VERSION, nullptr, 0, nullptr, 0, &kVersion};

}  // namespace

extern "C" __declspec(dllexport) const NIRASIM_RESOURCE_TABLE* WINAPI NiraSimGetResources(void)
{
    return &kResources;
}
