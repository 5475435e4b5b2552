// The resources of nirares as the simulated machine reads a module's resources: the bitmaps the
// build embeds from the package's bitmap files.
#include <windows.h>
#include <nirasimres.h>

extern const NIRASIM_RESOURCE_ENTRY kNiraResBitmaps[];
extern const DWORD kNiraResBitmapCount;

extern "C" __declspec(dllexport) const NIRASIM_RESOURCE_TABLE* WINAPI NiraSimGetResources(void)
{
    static const NIRASIM_RESOURCE_TABLE resources = {
        NIRASIM_RESOURCE_TABLE_VERSION, nullptr, 0, kNiraResBitmaps, kNiraResBitmapCount, nullptr};
    return &resources;
}
