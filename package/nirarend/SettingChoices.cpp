#include "package/nirarend/SettingChoices.h"

namespace {

const WCHAR kSettingsKey[] = TEXT("SOFTWARE\\NiraSample\\RenderModule");

struct Choice {
    const WCHAR* name;
    LONG JobSettingsRecord::*field;
};

const Choice kChoices[] = {
    {TEXT("OutputMode"), &JobSettingsRecord::outputMode},
    {TEXT("PageBorders"), &JobSettingsRecord::pageBorders},
    {TEXT("NupDirection"), &JobSettingsRecord::nupDirection},
    {TEXT("Rotate180"), &JobSettingsRecord::rotate180},
    {TEXT("RotationEnabled"), &JobSettingsRecord::rotationEnabled},
    {TEXT("Booklet"), &JobSettingsRecord::booklet},
    {TEXT("FitToPaper"), &JobSettingsRecord::fitToPaper},
    {TEXT("PaperSize"), &JobSettingsRecord::paperSize},
    {TEXT("ScalePercent"), &JobSettingsRecord::scalePercent},
    {TEXT("MarginMode"), &JobSettingsRecord::marginMode},
    {TEXT("ManualDuplex"), &JobSettingsRecord::manualDuplex},
    {TEXT("ManualDuplexOrderMode"), &JobSettingsRecord::manualDuplexOrderMode},
    {TEXT("SpecialPages"), &JobSettingsRecord::specialPages},
    {TEXT("FrontCover"), &JobSettingsRecord::frontCover},
    {TEXT("BackCover"), &JobSettingsRecord::backCover},
    {TEXT("SkipLastBlankBack"), &JobSettingsRecord::skipLastBlankBack},
    {TEXT("SkipLastBlankBackSingle"), &JobSettingsRecord::skipLastBlankBackSingle},
    {TEXT("RepeatMode"), &JobSettingsRecord::repeatMode},
    {TEXT("RepeatCount"), &JobSettingsRecord::repeatCount},
    {TEXT("Poster"), &JobSettingsRecord::poster},
    {TEXT("PosterSize"), &JobSettingsRecord::posterSize},
    {TEXT("DriverScales"), &JobSettingsRecord::driverScales},
    {TEXT("MaxPaperWidth"), &JobSettingsRecord::maxPaperWidth},
    {TEXT("PageParityMode"), &JobSettingsRecord::pageParityMode},
};

}  // namespace

void ApplySettingChoices(JobSettingsRecord& settings)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return;
    }
    for (const Choice& choice : kChoices) {
        DWORD value = 0;
        DWORD size = sizeof(value);
        DWORD type = 0;
        if (RegQueryValueExW(key, choice.name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) ==
                ERROR_SUCCESS &&
            type == REG_DWORD && size == sizeof(value)) {
            settings.*choice.field = static_cast<LONG>(value);
        }
    }
    RegCloseKey(key);
}
