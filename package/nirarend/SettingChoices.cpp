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
    {TEXT("FitScales"), &JobSettingsRecord::fitScales},
    {TEXT("CellReports"), &JobSettingsRecord::cellReports},
    {TEXT("BindShortEdge"), &JobSettingsRecord::bindShortEdge},
};

// The texts a user types for the overlay, as REG_SZ values.
struct TextChoice {
    const WCHAR* name;
    WCHAR (JobOverlaySettings::*field)[kOverlayTextChars];
};

const TextChoice kTextChoices[] = {
    {TEXT("OverlayText"), &JobOverlaySettings::overlayText2},
    {TEXT("OverlayFont"), &JobOverlaySettings::overlayFont},
};

// The poster's tiles as one DWORD: bit t set prints tile t (row by row from the top left).
const WCHAR kPosterTiles[] = TEXT("PosterTiles");

bool ReadDword(HKEY key, const WCHAR* name, DWORD& value)
{
    DWORD size = sizeof(value);
    DWORD type = 0;
    return RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) ==
               ERROR_SUCCESS &&
           type == REG_DWORD && size == sizeof(value);
}

// A text value into a field of kOverlayTextChars characters, always terminated.
void ReadText(HKEY key, const WCHAR* name, WCHAR* field)
{
    WCHAR text[kOverlayTextChars + 1] = {};
    DWORD size = sizeof(text) - sizeof(WCHAR);
    DWORD type = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) != ERROR_SUCCESS ||
        type != REG_SZ) {
        return;
    }
    size_t length = 0;
    while (length + 1 < kOverlayTextChars && length < size / sizeof(WCHAR) && text[length] != 0) {
        field[length] = text[length];
        ++length;
    }
    field[length] = 0;
}

}  // namespace

void ApplySettingChoices(JobSettingsRecord& settings)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
        return;
    }
    for (const Choice& choice : kChoices) {
        DWORD value = 0;
        if (ReadDword(key, choice.name, value)) {
            settings.*choice.field = static_cast<LONG>(value);
        }
    }
    DWORD tiles = 0;
    if (ReadDword(key, kPosterTiles, tiles)) {
        for (DWORD t = 0; t < kPosterTileCount; ++t) {
            settings.posterTileSelected[t] = (tiles >> t) & 1;
        }
    }
    for (const TextChoice& choice : kTextChoices) {
        ReadText(key, choice.name, settings.overlay.*choice.field);
    }
    RegCloseKey(key);
}
