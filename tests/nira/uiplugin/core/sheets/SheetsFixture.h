// A machine with the sample package and one printer whose nirapres is the presentation library's
// stand-in; the test keeps the stand-in loaded to read its journal and set its script.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <nirasim/CoreDriver.h>
#include <nirasim/Machine.h>

#include <memory>
#include <string>

#include "fixtures/presentationdouble/PresentationDouble.h"
#include "nira/uiplugin/core/uicore/HandlerFactoryHook.h"
#include "nira/uiplugin/features/factory/FeatureHandlerFactory.h"

class SheetsTest : public ::testing::Test {
protected:
    static constexpr const WCHAR* kPrinter = TEXT("Nira Sample Inkjet");

    void SetUp() override
    {
        machine.InstallSamplePackage(NIRA_BUILD_DIR);
        machine.AddSamplePrinter(kPrinter);
        const std::u16string library = nirasim::Machine::DriverVersionDirectory() + TEXT("\\nirapres.dll");
        ASSERT_TRUE(machine.CopyIn(std::string(NIRA_BUILD_DIR) + "/fixtures/niratestpres.dll", library));
        presentation = LoadLibraryW(library.c_str());
        ASSERT_NE(presentation, nullptr);
        auto control = reinterpret_cast<presentationdouble::ControlProc>(
            reinterpret_cast<void*>(GetProcAddress(presentation, presentationdouble::kControlExport)));
        ASSERT_NE(control, nullptr);
        double_ = control();
        *double_ = presentationdouble::Control();
        // A test program links the handler library without loading it as a module.
        SetDefaultHandlerFactory(&CreateFeatureHandler);
    }
    void TearDown() override
    {
        core.reset();
        if (double_ != nullptr) {
            *double_ = presentationdouble::Control();
        }
        FreeLibrary(presentation);
    }

    nirasim::CoreDriverInstance& Core()
    {
        if (core == nullptr) {
            core = std::make_unique<nirasim::CoreDriver>(kPrinter);
            EXPECT_TRUE(core->IsOpen());
        }
        return **core;
    }

    const presentationdouble::Journal& Journal() const { return double_->journal; }
    presentationdouble::Script& Script() { return double_->script; }

    nirasim::Machine machine;
    std::unique_ptr<nirasim::CoreDriver> core;
    HMODULE presentation = nullptr;
    presentationdouble::Control* double_ = nullptr;
};
