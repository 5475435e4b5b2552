// Names that several parts of the driver look up: keys of the driver INI's component files, and
// values of a printer's data.
#pragma once

#include <windows.h>

// Driver INI keys (CNiraPrinterAccess::GetComponentPath).
constexpr WCHAR kCapabilityDatabaseKey[] = TEXT("NIRA_CAPABILITY_XML");
constexpr WCHAR kSettingsHelperModuleKey[] = TEXT("Component_F_C");

// The device status string that the language monitor keeps in the printer's data.
constexpr WCHAR kDeviceStatusValue[] = TEXT("ZQSTSSTR");
// The printer-data key of the presets, and its value with the restricted user's GUID.
constexpr WCHAR kPresetRootKey[] = TEXT("ZQPresetRoot");
constexpr WCHAR kRestrictedUserGuidValue[] = TEXT("ZQRestrictedUserGuid");
