// nirauip loaded on a simulated machine with the sample package and a printer, as the module that
// makes the settings objects, and the package's settings helper module as the component module;
// an owner (a settings manager without providers) for each test, and helpers to fill it. The
// process path and Windows version a test changes are restored after it.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>
#include <winddi.h>

#include <string>
#include "support/WString.h"

#include "nira/uiplugin/settings/engine/INiraSettingsAccess.h"
#include "nira/uiplugin/settings/engine/SettingsInstance.h"
#include "nira/uiplugin/settings/providers/DerivedValuesProvider.h"
#include "nira/uiplugin/settings/providers/HostProcessProvider.h"
#include "nirasim/Machine.h"

// A printer of the sample driver, installed on the machine.
extern const WCHAR kSamplePrinter[];

nirasim::Machine& TestMachine();

class DeviceRecordTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Made through the loaded library's factory; the test owns them.
    static INiraSettingsAccess* NewOwner(const SettingsProviderList* pushProviders = nullptr);
    static CNiraHostProcessProvider* NewHostProvider();
    static CNiraDerivedValuesProvider* NewDerivedProvider();

    void SetText(LONG index, LPCWSTR text);
    void SetFlag(LONG index, bool value) { ASSERT_EQ(owner->SetFlag(index, value ? 1 : 0, 0), TRUE); }
    void SetInt(LONG index, LONG value) { ASSERT_EQ(owner->SetInt(index, value, 0), TRUE); }
    void SetIntRef(LONG index, LONG value) { ASSERT_EQ(owner->SetIntRef(index, &value, 0), TRUE); }
    void SetFloat(LONG index, FLOAT value) { ASSERT_EQ(owner->SetFloat(index, value, 0), TRUE); }

    INiraSettingsAccess* owner = nullptr;

private:
    WString m_processPath;
    OSVERSIONINFOA m_version{};
};
