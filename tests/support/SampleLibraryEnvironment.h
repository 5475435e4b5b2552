// The sample machine of a whole test program, made before its first test and gone after its last:
// nirauip loaded as the settings library, and a second module of the driver directory beside it
// (the settings helper module, or a library that exports no settings factory). Setting the
// settings module handles is left to the program's fixtures.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include "support/WString.h"
#include <utility>

#include "support/SampleDriverMachine.h"

class CSampleLibraryEnvironment : public ::testing::Environment {
public:
    CSampleLibraryEnvironment(LANGID uiLanguage, WString secondModule)
        : m_uiLanguage(uiLanguage), m_secondModule(std::move(secondModule))
    {}

    void SetUp() override
    {
        m_sample = std::make_unique<CSampleDriverMachine>(m_uiLanguage);
        AddPrinters(m_sample->Machine());
        m_library = m_sample->LoadDriverModule(TEXT("nirauip.dll"));
        m_second = m_sample->LoadDriverModule(m_secondModule);
        ASSERT_NE(m_library, nullptr);
        ASSERT_NE(m_second, nullptr);
    }

    void TearDown() override { m_sample.reset(); }

    nirasim::Machine& Machine() { return m_sample->Machine(); }
    HMODULE Library() const { return m_library; }
    HMODULE SecondModule() const { return m_second; }

protected:
    // The program's printers, added before the modules load; none by default.
    virtual void AddPrinters(nirasim::Machine& /*machine*/) {}

private:
    LANGID m_uiLanguage;
    WString m_secondModule;
    std::unique_ptr<CSampleDriverMachine> m_sample;
    HMODULE m_library = nullptr;
    HMODULE m_second = nullptr;
};
