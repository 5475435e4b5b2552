#include "nira/uiplugin/features/handlers/AppProfileHandler.h"

#include <new>

#include "common/SafeString.h"
#include "nira/uiplugin/features/handlers/HandlerCommands.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"

namespace {

constexpr INT kAnyVersion = -1;

const AppProfileEntry kAppProfiles[] = {
    {TEXT("QUARKXPRESS"), kAnyVersion, kAnyVersion, kAppProfileRowActive, 0x20},
    {TEXT("PHOTOED"), kAnyVersion, kAnyVersion, kAppProfileRowActive, 0x20},
    {TEXT("QW"), kAnyVersion, kAnyVersion, kAppProfileRowActive, 0x20},
    {TEXT("qw"), kAnyVersion, kAnyVersion, kAppProfileRowActive, 0x20},
    {TEXT("QUARKXPRESS PASSPORT"), kAnyVersion, kAnyVersion, kAppProfileRowActive, 0x20},
    {TEXT("EXCEL"), kAnyVersion, kAnyVersion, kAppProfileRowActive, 0x80008000},
    {TEXT("PHOTOPNT"), kAnyVersion, kAnyVersion, kAppProfileRowActive, 0x1000},
    {TEXT("PHOTOSHP"), kAnyVersion, kAnyVersion, kAppProfileRowActive, 0x200B0001},
    {TEXT("PHOTOSHOP"), kAnyVersion, kAnyVersion, kAppProfileRowActive, 0x200B0001},
    {TEXT("POWERPNT"), kAnyVersion, kAnyVersion, kAppProfileRowActive, 0x80001000},
    {TEXT("ACRORD32"), kAnyVersion, kAnyVersion, kAppProfileRowActive, 0x200},
    {TEXT("ACROBAT"), kAnyVersion, kAnyVersion, kAppProfileRowActive, 0xE020000},
    {TEXT("ACAD"), kAnyVersion, kAnyVersion, kAppProfileRowActive, 0x100},
    {TEXT("devcaps2"), kAnyVersion, kAnyVersion, kAppProfileRowActive, 0x10000},
    {TEXT("NOTEPAD"), 0x3000A, kAnyVersion, kAppProfileRowActive, 0xC000002},
    {TEXT("NOTEPAD"), 0x3000B, 65535, kAppProfileRowActive, 0xC000002},
    {TEXT("CORELDRW"), kAnyVersion, kAnyVersion, kAppProfileRowActive, 0xC030090},
    {TEXT("SPOOLSV"), kAnyVersion, kAnyVersion, kAppProfileRowActive, 0x20004000},
    {TEXT("WINWORD"), kAnyVersion, kAnyVersion, kAppProfileRowActive, 0x9C000200},
    {TEXT("MSPUB"), kAnyVersion, kAnyVersion, kAppProfileRowActive, 0x80000000},
    {TEXT("MSACCESS"), kAnyVersion, kAnyVersion, kAppProfileRowActive, 0x10000200},
    {TEXT("ADOBE_IL"), 0x40000, 0, kAppProfileRowActive, 0xC210000},
    {TEXT("FREEHAND 8"), kAnyVersion, kAnyVersion, kAppProfileRowActive, 0x10018},
    {TEXT("FREEHAND 9"), kAnyVersion, kAnyVersion, kAppProfileRowActive, 0x10018},
    {TEXT("ILLUSTRA"), 0x4000A, 0, kAppProfileRowActive, 0xC210021},
    {TEXT("ILLUSTRA"), kAnyVersion, kAnyVersion, kAppProfileRowActive, 0x10021},
    {TEXT("ImageReady"), kAnyVersion, kAnyVersion, kAppProfileRowActive, 0x10000},
    {TEXT("MAPINFOW"), kAnyVersion, kAnyVersion, kAppProfileRowActive, 0x10000},
    {TEXT("VectorWorks Viewer"), kAnyVersion, kAnyVersion, kAppProfileRowActive, 0x10000},
    {TEXT("InDesign"), kAnyVersion, kAnyVersion, kAppProfileRowActive, 0x10000},
    {TEXT("OUTLOOK"), kAnyVersion, kAnyVersion, kAppProfileRowActive, 0x40000000},
};

// The features a restricted layout hides, each with the caller id that may change it.
struct Restriction {
    int callerId;
    int target;
};
const Restriction kLayoutRestrictions[] = {
    {FEATURE_DUPLEX, FEATURE_DUPLEX},
    {FEATURE_DUPLEX_EDGE, FEATURE_DUPLEX_EDGE},
    {FEATURE_PRESERVE_LAYOUT, FEATURE_PRESERVE_LAYOUT},
    {FEATURE_FIT_TO_SIZE, FEATURE_TARGET_SIZE},
    {FEATURE_PAGES_PER_SHEET, FEATURE_PAGES_PER_SHEET},
    {FEATURE_PAGE_ORDER_NUP, FEATURE_PAGE_ORDER_NUP},
    {FEATURE_BOOKLET, FEATURE_BOOKLET},
    {FEATURE_FIT_TO_SIZE, FEATURE_FIT_TO_SIZE},
    {4124, 4124},
    {FEATURE_BORDERLESS, FEATURE_BORDERLESS},
    {4189, 4131},
    {FEATURE_PRINTING_SHORTCUTS, 6377},
};

// The layout feature a remote printer loses, and the two-sided option it cannot print.
constexpr int kRemoteHiddenFeature = 4124;
constexpr int kRemovedDuplexOption = 2;
constexpr int kProfileOption = 1;
constexpr int kOptionRestricted = 2;
constexpr int kOptionNotRestricted = 1;
constexpr int kFeatureStateOff = 0;

}  // namespace

const AppProfileEntry* CNiraAppProfileHandler::Table(size_t* rows)
{
    *rows = sizeof(kAppProfiles) / sizeof(kAppProfiles[0]);
    return kAppProfiles;
}

void CNiraAppProfileHandler::IdentifyCallingProcess()
{
    m_table = Table(&m_rows);
    m_profile = kNotLookedUp;
    m_modulePath[0] = 0;
    m_moduleName[0] = 0;
    WCHAR path[kPathChars] = {};
    DWORD length = GetModuleFileNameW(nullptr, path, kPathChars);
    if (length == 0 || length >= kPathChars) {
        return;
    }
    CopyStringSafe(m_modulePath, kPathChars, path);
    LPCWSTR baseName = nullptr;
    for (LPCWSTR c = path; *c != 0; ++c) {
        if (*c == TEXT('\\')) {
            baseName = c + 1;
        }
    }
    if (baseName == nullptr) {
        return;
    }
    WCHAR name[kPathChars] = {};
    CopyStringSafe(name, kPathChars, baseName);
    WCHAR* dot = nullptr;
    for (WCHAR* c = name; *c != 0; ++c) {
        if (*c == TEXT('.')) {
            dot = c;
        }
    }
    if (dot == nullptr) {
        return;
    }
    *dot = 0;
    CharUpperW(name);
    CopyStringSafe(m_moduleName, kPathChars, name);
}

int CNiraAppProfileHandler::MatchEntry(LPCWSTR name, INT versionHigh, INT versionLow,
                                       const AppProfileEntry& entry)
{
    if ((entry.flags & kAppProfileRowActive) == 0 || name == nullptr ||
        CompareStringNoCaseSafe(name, entry.moduleName) != S_OK) {
        return 0;
    }
    bool anyRequested = versionHigh == kAnyVersion && versionLow == kAnyVersion;
    bool anyInRow = entry.versionHigh == kAnyVersion && entry.versionLow == kAnyVersion;
    bool highMatches = entry.versionHigh == versionHigh;
    return anyRequested || anyInRow || (highMatches && entry.versionLow == kAnyVersion) ||
                   (highMatches && entry.versionLow == versionLow)
               ? 1
               : 0;
}

UINT CNiraAppProfileHandler::LookupProfile()
{
    if (m_profile != kNotLookedUp) {
        return static_cast<UINT>(m_profile);
    }
    UINT profile = 0;
    if (m_moduleName[0] != 0) {
        // The calling program's version is not read: rows that ask for one never match.
        for (size_t row = 0; row < m_rows; ++row) {
            if (MatchEntry(m_moduleName, 0, 0, m_table[row]) != 0) {
                profile = m_table[row].profile;
                break;
            }
        }
    }
    m_profile = profile;
    return profile;
}

void CNiraAppProfileHandler::RestrictLayout()
{
    int feature = kRestrictionFeature;
    int option = kOptionRestricted;
    m_services->SetValue(CLASS_APP_PROFILE, &feature, &option, kReasonByHandler, 0, 0, 0);
    for (const Restriction& restriction : kLayoutRestrictions) {
        if (restriction.target == FEATURE_DUPLEX) {
            int duplex = FEATURE_DUPLEX;
            int removed = kRemovedDuplexOption;
            m_services->RemoveOption(FEATURE_DUPLEX, &duplex, &removed);
        }
        m_services->SetDisplayState(restriction.callerId, restriction.target, DISPLAY_STATE_HIDDEN);
        m_services->SetFeatureState(restriction.callerId, restriction.target, kFeatureStateOff);
    }
}

int CNiraAppProfileHandler::InitializeStates()
{
    IdentifyCallingProcess();
    if (m_services == nullptr) {
        return 0;
    }
    WCHAR* printerName = nullptr;
    CNiraPrinterAccess* printer = nullptr;
    if (m_services->GetPrinterName(&printerName) == 0 && printerName != nullptr) {
        printer = new (std::nothrow) CNiraPrinterAccess(printerName);
    }
    LocalFree(printerName);
    UINT profile = LookupProfile();
    DWORD portType = 0;
    int direct = 0;
    BOOL local = FALSE;
    if (printer != nullptr) {
        printer->GetPortType(&portType);
        printer->IsDirectPrinting(&direct);
        local = printer->IsLocalPrinter();
        delete printer;
    }
    OptionInfo info = {};
    if (m_services->GetOptionInfo(FEATURE_APP_PROFILE, kProfileOption, &info) != 0) {
        return 0;
    }
    info.optionIndex = static_cast<INT>(profile);
    m_services->SetOptionInfo(CLASS_APP_PROFILE, FEATURE_APP_PROFILE, kProfileOption, &info);
    if (!local) {
        m_services->SetDisplayState(kRemoteHiddenFeature, kRemoteHiddenFeature, DISPLAY_STATE_HIDDEN);
        m_services->SetFeatureState(kRemoteHiddenFeature, kRemoteHiddenFeature, kFeatureStateOff);
        int duplex = FEATURE_DUPLEX;
        int removed = kRemovedDuplexOption;
        m_services->RemoveOption(FEATURE_DUPLEX, &duplex, &removed);
    }
    if (portType == NIRA_PORT_FILE || (profile & kAppProfileRestrictLayout) != 0 || direct != 0) {
        RestrictLayout();
    } else {
        int feature = kRestrictionFeature;
        int option = kOptionNotRestricted;
        m_services->SetValue(CLASS_APP_PROFILE, &feature, &option, kReasonByHandler, 0, 0, 0);
    }
    return 0;
}

int CNiraAppProfileHandler::OnCommand(int, int, int*, int*)
{
    return InitializeStates();
}
