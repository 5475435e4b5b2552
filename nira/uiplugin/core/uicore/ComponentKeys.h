// The driver INI keys (section ComponentFiles) of the components that the UI core and the
// handlers open: each names a file in the driver directory's version folder.
#pragma once

#include <windows.h>

constexpr WCHAR kStringDllKey[] = TEXT("NIRA_STRING_DLL");
constexpr WCHAR kCapabilityXmlKey[] = TEXT("NIRA_CAPABILITY_XML");
constexpr WCHAR kConstraintXmlKey[] = TEXT("NIRA_CONSTRAINT_XML");
constexpr WCHAR kProductDataFileKey[] = TEXT("PRODUCT_DATA_FILE");
constexpr WCHAR kPresentationDllKey[] = TEXT("NIRA_UI_DLL");
constexpr WCHAR kUILayoutXmlKey[] = TEXT("NIRA_UILAYOUT_XML");
