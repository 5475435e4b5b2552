// A machine with the sample package and a printer on a USB port above the simulated port
// monitor, and niralm's code attached as at process start.
#pragma once

#include <windows.h>

#include <nirasim/Machine.h>
#include <nirasim/Printer.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include "support/WString.h"
#include <thread>
#include <vector>

#include "langmon/pcllm/MonitorEntry.h"
#include "langmon/pcllm/PortContext.h"

class MonitorTest : public ::testing::Test {
protected:
    static constexpr const WCHAR* kPrinter = TEXT("Nira Inkjet");
    static constexpr const WCHAR* kPort = TEXT("USB001");

    std::unique_ptr<nirasim::Machine> machine;
    std::vector<HANDLE> openPorts;

    void SetUp() override
    {
        machine = std::make_unique<nirasim::Machine>();
        machine->InstallSamplePackage(NIRA_BUILD_DIR);
        machine->AddSamplePrinter(kPrinter, kPort);
        ASSERT_TRUE(DllMain(nullptr, DLL_PROCESS_ATTACH, nullptr));
    }

    void TearDown() override
    {
        for (HANDLE port : openPorts) {
            ClosePort(port);
        }
        DllMain(nullptr, DLL_PROCESS_DETACH, nullptr);
        machine.reset();
    }

    // Opens a port above the port monitor (with its table as it stands); null on failure.
    PortContext* Open(const WCHAR* port = kPort)
    {
        MONITOR2 lower = nirasim::printer::PortMonitorTable();
        WString name = port;
        WString printer = kPrinter;
        HANDLE handle = nullptr;
        if (!OpenPortEx(nullptr, nirasim::printer::PortMonitorHandle(), name.data(), printer.data(), &handle,
                        &lower)) {
            return nullptr;
        }
        openPorts.push_back(handle);
        return static_cast<PortContext*>(handle);
    }

    void Close(PortContext* port)
    {
        openPorts.erase(std::remove(openPorts.begin(), openPorts.end(), port), openPorts.end());
        ClosePort(port);
    }

    // Waits (real time, at most 10 s) until the condition holds.
    static bool Eventually(const std::function<bool()>& condition)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (!condition()) {
            if (std::chrono::steady_clock::now() > end) {
                return false;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return true;
    }
};
