// nirauip loaded once per test program on a simulated machine with the sample package, so that
// settings objects made here reach the library's classes through its exported factory.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include "nira/uiplugin/settings/engine/SettingsInstance.h"

// The loaded nirauip; the settings engine linked into the test uses it as its own module.
HMODULE LibraryModule();
// A loaded driver library that exports no settings factory.
HMODULE ModuleWithoutFactory();

class SettingsLibraryTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
};
