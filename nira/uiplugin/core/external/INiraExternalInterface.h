// The settings of one printer for a program outside the property sheets: read and set feature
// options, enumerate features and options, carry a DEVMODE in and out, and save the registry
// feature store. The slot order is a contract with those programs: the destructor comes last.
#pragma once

#include <windows.h>

#include "nira/uiplugin/interfaces/UISettingsRecords.h"

// Called for each option of a feature; the name is the option's display name.
typedef int (*NiraExternalOptionCallback)(int featureId, int optionId, const WCHAR* optionName,
                                          void* userData);
typedef int (*NiraExternalOptionExCallback)(int featureId, int optionId, int optionIndex,
                                            const WCHAR* optionName, void* userData);
// Called for each feature with its current option and that option's display name.
typedef int (*NiraExternalFeatureCallback)(int featureId, int optionId, const WCHAR* displayName,
                                           int reserved, void* userData);

class INiraExternalInterface {
public:
    // Builds the settings of the printer; only the first call counts. The handle stays the caller's.
    virtual void Initialize(HANDLE printer) = 0;  // 0
    virtual void Destroy() = 0;                   // 1
    // The DEVMODE's private section into the settings; the DEVMODE becomes the one read back.
    virtual int WriteDevMode(DEVMODEW* devMode) = 0;  // 2
    // The settings into the DEVMODE last written (its section and public fields); null before one.
    virtual DEVMODEW* ReadDevMode() = 0;                            // 3
    virtual int Reserved4() = 0;                                    // 4
    virtual int SetValue(int featureId, int optionId) = 0;          // 5
    virtual int GetValue(int featureId, int* optionId) = 0;         // 6
    virtual int GetDefaultValue(int featureId, int* optionId) = 0;  // 7
    virtual void EnumerateOptionsEx(int featureId, NiraExternalOptionExCallback callback,
                                    void* userData) = 0;  // 8
    virtual void EnumerateOptions(int featureId, NiraExternalOptionCallback callback,
                                  void* userData) = 0;  // 9
    virtual int EnumerateFeatures(int reserved, NiraExternalFeatureCallback callback,
                                  void* userData) = 0;                             // 10
    virtual int GetOptionInfo(int featureId, int optionId, OptionInfo* info) = 0;  // 11
    virtual int SaveFeatureStore() = 0;                                            // 12
    virtual ~INiraExternalInterface() = default;                                   // 13
};

// nirauip's export: a new interface object, or null without memory. The caller deletes it.
extern "C" __declspec(dllexport) INiraExternalInterface* CreateExternalInterfaceInstance();
