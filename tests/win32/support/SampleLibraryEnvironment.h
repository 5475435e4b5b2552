// The sample library environment of a whole test program as Windows runs it: nirauip and a second
// module loaded from the program's folder (see support/SampleDriverMachine.h beside this file).
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <utility>

#include "support/SampleDriverMachine.h"
#include "support/WString.h"

class CSampleLibraryEnvironment : public ::testing::Environment {
public:
    CSampleLibraryEnvironment(LANGID uiLanguage, WString secondModule)
        : m_uiLanguage(uiLanguage), m_secondModule(std::move(secondModule))
    {}

    void SetUp() override
    {
        m_sample = std::make_unique<CSampleDriverMachine>(m_uiLanguage);
        m_library = m_sample->LoadDriverModule(TEXT("nirauip.dll"));
        m_second = m_sample->LoadDriverModule(m_secondModule);
        ASSERT_NE(m_library, nullptr);
        ASSERT_NE(m_second, nullptr);
    }

    void TearDown() override { m_sample.reset(); }

    HMODULE Library() const { return m_library; }
    HMODULE SecondModule() const { return m_second; }

private:
    LANGID m_uiLanguage;
    WString m_secondModule;
    std::unique_ptr<CSampleDriverMachine> m_sample;
    HMODULE m_library = nullptr;
    HMODULE m_second = nullptr;
};
