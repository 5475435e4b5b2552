// Names that several parts of the driver look up: keys of the driver INI's component files, and
// values of a printer's data.
#pragma once

#include <windows.h>

// Driver INI keys (CNiraPrinterAccess::GetComponentPath).
constexpr WCHAR kCapabilityDatabaseKey[] = TEXT("NIRA_CAPABILITY_XML");
constexpr WCHAR kSettingsHelperModuleKey[] = TEXT("Component_F_C");

// The times the driver stores in the printer's data: when the printer was installed and when its
// settings were last changed, each as UTC "month/day/year:hour:minute:second".
constexpr WCHAR kInstallDateValue[] = TEXT("InstallDate");
constexpr WCHAR kNotifyDateValue[] = TEXT("NotifyDate");
constexpr WCHAR kPrinterDateFormat[] = TEXT("%02d/%02d/%04d:%02d:%02d:%02d");

// The device status string that the language monitor keeps in the printer's data.
constexpr WCHAR kDeviceStatusValue[] = TEXT("ZQSTSSTR");
// The printer-data key of the presets, and its value with the restricted user's GUID.
constexpr WCHAR kPresetRootKey[] = TEXT("ZQPresetRoot");
constexpr WCHAR kRestrictedUserGuidValue[] = TEXT("ZQRestrictedUserGuid");
