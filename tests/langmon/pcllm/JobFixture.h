// A port open above the simulated port monitor, with jobs that the spooler knows, started and
// written through niralm's job entries.
#pragma once

#include "MonitorFixture.h"

#include "langmon/pcllm/JobEntry.h"

class JobTest : public MonitorTest {
protected:
    PortContext* port = nullptr;
    WString printerName = kPrinter;  // the spooler's, which the port keeps until the job ends

    void SetUp() override
    {
        MonitorTest::SetUp();
        machine->SetWindowsVersion(5, 1);
        port = Open();
        ASSERT_NE(port, nullptr);
    }

    // A job in the printer's queue, at the port.
    DWORD NewJob(const WCHAR* document = TEXT("Report"))
    {
        const DWORD id = machine->QueueJob(kPrinter, document);
        machine->SetJobPrinting(id, true);
        return id;
    }

    BOOL Start(PortContext* on, DWORD jobId, const WCHAR* document = TEXT("Report"))
    {
        WString name = document;
        DOC_INFO_1W info = {name.data(), nullptr, nullptr};
        return StartDocPort(on, printerName.data(), jobId, 1, reinterpret_cast<LPBYTE>(&info));
    }

    BOOL Write(PortContext* on, const std::string& bytes)
    {
        std::string copy = bytes;
        DWORD written = 0;
        const BOOL result =
            WritePort(on, reinterpret_cast<LPBYTE>(&copy[0]), static_cast<DWORD>(copy.size()), &written);
        if (result) {
            EXPECT_EQ(written, copy.size());
        }
        return result;
    }

    // The sizes the port monitor was offered, in order.
    static std::vector<size_t> OfferedSizes(const WCHAR* onPort = kPort)
    {
        std::vector<size_t> sizes;
        for (const auto& write : nirasim::printer::Writes(onPort)) {
            sizes.push_back(write.offered.size());
        }
        return sizes;
    }

    void UseCounters(DWORD counter, DWORD digits)
    {
        machine->SetPrinterDword(kPrinter, "ZQSETCTR", counter);
        machine->SetPrinterDword(kPrinter, "ZQDynCtrDigits", digits);
        machine->SetPrinterDword(kPrinter, "ZQPrintingLanguage", 4);
    }
};

// The device commands around a counter request.
inline std::string CounterRequest(unsigned char high, unsigned char low)
{
    return std::string("\x1B%-12345X@PJL ENTER LANGUAGE=PCL3GUI\n") + std::string("\x1B*o5W\xC0\x01\x00", 8) +
           std::string{static_cast<char>(high), static_cast<char>(low), '\n'} + "\x1B%-12345X";
}
