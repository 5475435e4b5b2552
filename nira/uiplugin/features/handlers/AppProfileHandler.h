// The handler of the calling-application profile (class 4237): it finds the program the driver's
// user interface runs in, looks it up in a table of application profiles, publishes the profile's
// bit mask as the public value of option 1 of feature 4237, and restricts the page-layout features
// (hides them, removes two-sided option 2) for programs whose profile asks for it, for printing to
// a file and for printers that print directly. A printer reached through a remote port loses the
// layout feature 4124 and two-sided option 2 in any case.
#pragma once

#include "nira/uiplugin/features/base/FeatureHandler.h"

// One row of the profile table. A version of -1 matches any version.
struct AppProfileEntry {
    LPCWSTR moduleName;  // the program's file name without folder and extension
    INT versionHigh;
    INT versionLow;
    UINT flags;  // a row counts only with kAppProfileRowActive
    UINT profile;
};

constexpr UINT kAppProfileRowActive = 0x4;
// The profile bit that restricts the page layout.
constexpr UINT kAppProfileRestrictLayout = 0x20;

class CNiraAppProfileHandler : public CNiraFeatureHandler {
public:
    static constexpr int kRestrictionFeature = 6053;
    static constexpr int kNotLookedUp = -2;
    static constexpr size_t kPathChars = 260;

    int InitializeStates() override;
    // Every command runs the profile again (the printing shortcuts send command 34).
    int OnCommand(int sourceFeatureId, int command, int* value, int* result) override;

    void IdentifyCallingProcess();
    UINT LookupProfile();
    static int MatchEntry(LPCWSTR name, INT versionHigh, INT versionLow, const AppProfileEntry& entry);

    // The program's name as looked up: upper case, no folder, no extension (empty when none).
    LPCWSTR ModuleName() const { return m_moduleName; }
    static const AppProfileEntry* Table(size_t* rows);

private:
    void RestrictLayout();

    const AppProfileEntry* m_table = nullptr;
    size_t m_rows = 0;
    INT64 m_profile = kNotLookedUp;
    WCHAR m_modulePath[kPathChars] = {};
    WCHAR m_moduleName[kPathChars] = {};
};
