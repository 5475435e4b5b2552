// A machine with the sample package and one printer, and the simulated core driver's instance on
// it with the UI plug-in loaded from the package.
#pragma once

#include <gtest/gtest.h>

#include <nirasim/CoreDriver.h>
#include <nirasim/Machine.h>

#include <memory>

class CoreDriverTest : public ::testing::Test {
protected:
    static constexpr const WCHAR* kPrinter = TEXT("Nira Sample Inkjet");

    void SetUp() override
    {
        machine.InstallSamplePackage(NIRA_BUILD_DIR);
        machine.AddSamplePrinter(kPrinter);
    }

    // The core driver opened after the test has set up the machine (Windows version, ...).
    nirasim::CoreDriverInstance& Core()
    {
        if (core == nullptr) {
            core = std::make_unique<nirasim::CoreDriver>(kPrinter);
            EXPECT_TRUE(core->IsOpen());
        }
        return **core;
    }

    template <class Proc>
    Proc PluginExport(const char* name)
    {
        return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(Core().PluginModule(), name)));
    }

    nirasim::Machine machine;
    std::unique_ptr<nirasim::CoreDriver> core;
};
