// The exports of the DMC core library, the driver package's module that answers a printer's
// device-model configuration as a path-addressed feature tree. Paths are UTF-16 texts of
// segments joined by "/": "device/software/component[dmc_driver]/current/printing" addresses a
// section from the top, "current/printing/Duplex" a feature below the opened component, and
// "current/printing/Duplex[AUTOMATIC]" the features that hang below one value of a feature.
// Lists (features, options, attributes) are tokens joined by kDmcListSeparator; the separator
// alone is the empty list. No export takes a buffer size: the callers' buffers hold the sizes
// given here.
#pragma once

#include <windows.h>

constexpr DWORD kDmcValueChars = 260;         // values, tokens, attribute texts, contexts
constexpr DWORD kDmcFeatureListChars = 2048;  // DMCEnumFeatures, DMCGetFeatureAttributes
constexpr DWORD kDmcOptionListChars = 4096;   // DMCEnumOptions
#define DMC_LIST_SEPARATOR TEXT("]@[")
#define DMC_ROOT_CONTEXT TEXT("dmc_driver")

// DMCStartConfig: the configuration is opened for reading, with the current values.
constexpr int kDmcAccessRead = 4;
constexpr int kDmcStartCurrentValues = 2;

// Truth answers are non-zero for success; counts and attribute reads answer 0 or below when
// there is nothing.
typedef int(WINAPI* DmcStartConfigProc)(LPCWSTR configPath, int access, LPWSTR rootContext, int startMode);
typedef int(WINAPI* DmcEndConfigProc)();
typedef int(WINAPI* DmcGetProc)(LPCWSTR path, LPCWSTR attribute, LPWSTR value);
typedef int(WINAPI* DmcSetProc)(LPCWSTR path, LPCWSTR attribute, LPCWSTR value);
typedef int(WINAPI* DmcEnumListTokenProc)(LPWSTR token, LPWSTR list);
typedef int(WINAPI* DmcEnumFeaturesProc)(LPCWSTR path, LPWSTR list);
typedef int(WINAPI* DmcEnumOptionsProc)(LPCWSTR path, LPWSTR list);
typedef int(WINAPI* DmcSetContextProc)(LPCWSTR path);
typedef int(WINAPI* DmcGetContextProc)(LPWSTR path);
typedef int(WINAPI* DmcSetContextPrvProc)(LPCWSTR value);
typedef int(WINAPI* DmcGetContextPrvProc)(LPWSTR value);
typedef int(WINAPI* DmcSetContextRelativeProc)(LPCWSTR relativePath);
typedef int(WINAPI* DmcGetNamedFeatureAttributeProc)(LPCWSTR path, LPCWSTR name, LPWSTR value);
typedef int(WINAPI* DmcGetFeatureAttributesProc)(LPCWSTR path, LPWSTR list);
typedef int(WINAPI* DmcGetPrvProc)(LPCWSTR path, LPWSTR value);
typedef int(WINAPI* DmcCountChildElementsProc)(LPCWSTR path, LPCWSTR elementName);
typedef int(WINAPI* DmcStartExportProc)(LPCWSTR filePath);
typedef int(WINAPI* DmcSetExportProc)(LPCWSTR path);
typedef int(WINAPI* DmcEndExportProc)();
typedef HRESULT(WINAPI* DmcGetLastComErrorProc)();
typedef HRESULT(WINAPI* DmcRegisterServerProc)();
typedef int(WINAPI* DmcSaveDomProc)(LPCWSTR filePath);
