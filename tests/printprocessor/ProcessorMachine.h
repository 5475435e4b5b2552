// A simulated machine with the sample package, a printer of the sample driver and the print
// processor loaded by the spooler's side, for the tests that run jobs through nirapp.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <nirasim/Gdi.h>
#include <nirasim/Machine.h>
#include <nirasim/PrintJobs.h>

#include <memory>
#include <string>
#include "support/WString.h"
#include <vector>

class ProcessorMachineTest : public ::testing::Test {
protected:
    static constexpr const char* kPrinter = "Nira Sample";

    void SetUp() override
    {
        m_machine = std::make_unique<nirasim::Machine>();
        m_machine->InstallSamplePackage(NIRA_BUILD_DIR);
        m_machine->AddSamplePrinter(kPrinter);
        m_host = std::make_unique<nirasim::PrintProcessorHost>();
        ASSERT_TRUE(m_host->Loaded());
    }

    void TearDown() override
    {
        m_host.reset();
        m_machine.reset();
    }

    nirasim::PrintJobSpec Job(const WString& datatype, const std::string& data,
                              const WString& parameters = WString()) const
    {
        nirasim::PrintJobSpec job;
        job.printer = nirasim::Wide(kPrinter);
        job.datatype = datatype;
        job.data = data;
        job.parameters = parameters;
        return job;
    }

    nirasim::PrintJobRun Run(const WString& datatype, const std::string& data,
                             const WString& parameters = WString(),
                             const std::vector<nirasim::JobControl>& controls = {})
    {
        return m_host->Run(Job(datatype, data, parameters), controls);
    }

    nirasim::Machine& Machine() { return *m_machine; }
    nirasim::PrintProcessorHost& Host() { return *m_host; }

private:
    std::unique_ptr<nirasim::Machine> m_machine;
    std::unique_ptr<nirasim::PrintProcessorHost> m_host;
};
