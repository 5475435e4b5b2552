// The string tables of nirastr as the simulated machine reads a module's resources.
#include <windows.h>
#include <nirasimres.h>

#include "package/nirastr/NiraStrTexts.h"
#include "package/version/sim/NiraVersionInfo.h"

namespace {

constexpr WORD kEnglish = 0x0409;
constexpr WORD kGerman = 0x0407;
constexpr WORD kJapanese = 0x0411;
constexpr WORD kHebrew = 0x040D;

#define NIRASTR_ENGLISH_ENTRY(id, text) {kEnglish, id, TEXT(text)},
#define NIRASTR_GERMAN_ENTRY(id, text) {kGerman, id, TEXT(text)},
#define NIRASTR_JAPANESE_ENTRY(id, text) {kJapanese, id, TEXT(text)},
#define NIRASTR_HEBREW_ENTRY(id, text) {kHebrew, id, TEXT(text)},

const NIRASIM_STRING_ENTRY kStrings[] = {
    NIRASTR_TEXTS_ENGLISH(NIRASTR_ENGLISH_ENTRY) NIRASTR_TEXTS_GERMAN(NIRASTR_GERMAN_ENTRY)
        NIRASTR_TEXTS_JAPANESE(NIRASTR_JAPANESE_ENTRY) NIRASTR_TEXTS_HEBREW(NIRASTR_HEBREW_ENTRY)};

const NIRASIM_RESOURCE_TABLE kResources = {
    NIRASIM_RESOURCE_TABLE_VERSION, kStrings, ARRAYSIZE(kStrings), nullptr, 0, NiraVersionInfo()};

}  // namespace

extern "C" __declspec(dllexport) const NIRASIM_RESOURCE_TABLE* WINAPI NiraSimGetResources(void)
{
    return &kResources;
}
