// The USB provider: the serial-number job and its DSQUERY state, and the helper-module queries.
#include "DeviceInfoFixture.h"

#include "nira/uiplugin/foundation/deviceinfo/UsbDeviceInfo.h"

#include "support/WString.h"

class UsbDeviceInfoTest : public DeviceInfoTest {
protected:
    void SetUp() override
    {
        DeviceInfoTest::SetUp();
        printer = OpenTestPrinter(kUsbPrinter);
        ASSERT_NE(printer, nullptr);
        RemoveValue(TEXT("DSQUERY"));
        RemoveValue(TEXT("ZQSTSSTR"));
    }

    void RemoveValue(const WCHAR* name)
    {
        WString printerName = kUsbPrinter;
        WString copy = name;
        HANDLE admin = nullptr;
        PRINTER_DEFAULTSW defaults = {nullptr, nullptr, PRINTER_ALL_ACCESS};
        ASSERT_TRUE(OpenPrinterW(printerName.data(), &admin, &defaults));
        ::DeletePrinterDataW(admin, copy.data());
        ClosePrinter(admin);
    }

    DWORD DsQuery()
    {
        std::string bytes;
        DWORD type = 0;
        if (!TestMachine().GetPrinterData(kUsbPrinter, "DSQUERY", bytes, &type) || type != REG_DWORD ||
            bytes.size() != 4) {
            return 0xFFFFFFFF;
        }
        DWORD value = 0;
        memcpy(&value, bytes.data(), 4);
        return value;
    }

    size_t SerialNumberJobs()
    {
        size_t count = 0;
        for (const nirasim::SpoolerJob& job : TestMachine().Jobs()) {
            if (job.printer == kUsbPrinter && job.documentName == TEXT("SerialNumberJob")) {
                EXPECT_EQ(job.dataType, TEXT("RAW"));
                EXPECT_TRUE(job.data.empty());
                EXPECT_TRUE(job.ended);
                ++count;
            }
        }
        return count;
    }

    HANDLE printer = nullptr;
};

TEST_F(UsbDeviceInfoTest, JobRunsOnceUntilDsQueryIsCleared)
{
    CNiraUsbDeviceInfo provider(printer, DeviceSettings());
    size_t before = SerialNumberJobs();
    // No DSQUERY yet: it is created, and the job still runs since no status string is there.
    EXPECT_EQ(provider.Refresh(printer), 0);
    EXPECT_EQ(SerialNumberJobs(), before + 1);
    EXPECT_EQ(DsQuery(), 1u);
    std::string status;
    DWORD type = 0;
    ASSERT_TRUE(TestMachine().GetPrinterData(kUsbPrinter, "ZQSTSSTR", status, &type));
    EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(status, std::string(1, '\0'));

    // Done once: later refreshes answer 1 and send nothing.
    EXPECT_EQ(provider.Refresh(printer), 1);
    EXPECT_EQ(SerialNumberJobs(), before + 1);

    // Cleared while the device status can be read: no job, DSQUERY 0.
    TestMachine().SetPrinterDword(kUsbPrinter, "DSQUERY", 0);
    TestMachine().SetPrinterData(kUsbPrinter, "ZQSTSSTR", REG_BINARY, "MFG:Nira;SN:ABC123;");
    EXPECT_EQ(provider.Refresh(printer), 0);
    EXPECT_EQ(SerialNumberJobs(), before + 1);
    EXPECT_EQ(DsQuery(), 0u);
}

TEST_F(UsbDeviceInfoTest, FailedJobOrMissingRightsLeaveDsQueryToTryAgain)
{
    CNiraUsbDeviceInfo provider(printer, DeviceSettings());
    size_t before = SerialNumberJobs();
    TestMachine().SetPrinterDword(kUsbPrinter, "DSQUERY", 0);
    TestMachine().RefuseDocuments(kUsbPrinter, ERROR_ACCESS_DENIED);
    EXPECT_EQ(provider.Refresh(printer), 0);
    TestMachine().RefuseDocuments(kUsbPrinter, ERROR_SUCCESS);
    EXPECT_EQ(DsQuery(), 0u);

    // A process with a split administrator token sends nothing.
    RemoveValue(TEXT("ZQSTSSTR"));
    TestMachine().SetWindowsVersion(6, 1);
    TestMachine().SetElevationType(3);
    EXPECT_EQ(provider.Refresh(printer), 0);
    TestMachine().SetElevationType(1);
    EXPECT_EQ(SerialNumberJobs(), before);
    EXPECT_EQ(DsQuery(), 0u);

    // Neither the handle nor a new one may write printer data: nothing is sent.
    TestMachine().FailCalls("SetPrinterDataW", ERROR_ACCESS_DENIED, 2);
    EXPECT_EQ(provider.Refresh(printer), 0);
    EXPECT_EQ(SerialNumberJobs(), before);

    // The handle may not, a new one may: the job goes out.
    TestMachine().FailCalls("SetPrinterDataW", ERROR_ACCESS_DENIED, 1);
    EXPECT_EQ(provider.Refresh(printer), 0);
    EXPECT_EQ(SerialNumberJobs(), before + 1);
    EXPECT_EQ(DsQuery(), 1u);
}

// Refresh works on the handle it is given: here the provider's own handle is busy with a document
// of its own, so a job sent on it would be refused.
TEST_F(UsbDeviceInfoTest, RefreshSendsOnTheGivenHandle)
{
    CNiraUsbDeviceInfo provider(printer, DeviceSettings());
    WCHAR busyName[] = TEXT("Busy");
    DOC_INFO_1W busy = {busyName, nullptr, nullptr};
    ASSERT_NE(StartDocPrinterW(printer, 1, reinterpret_cast<LPBYTE>(&busy)), 0u);
    HANDLE given = OpenTestPrinter(kUsbPrinter);
    ASSERT_NE(given, nullptr);
    size_t before = SerialNumberJobs();

    EXPECT_EQ(provider.Refresh(given), 0);
    EXPECT_EQ(SerialNumberJobs(), before + 1);
    EXPECT_EQ(DsQuery(), 1u);
    EndDocPrinter(printer);
}

TEST_F(UsbDeviceInfoTest, OnlyLocalDevicePortsGetTheJob)
{
    HANDLE network = OpenTestPrinter(kNetworkPrinter);
    CNiraUsbDeviceInfo provider(network, DeviceSettings());
    size_t before = TestMachine().Jobs().size();
    EXPECT_EQ(provider.Refresh(network), 0);
    EXPECT_EQ(TestMachine().Jobs().size(), before);
}

TEST_F(UsbDeviceInfoTest, HelperModuleAnswersFeatureAndDuplexUnit)
{
    CNiraUsbDeviceInfo provider(printer, DeviceSettings());
    TestMachine().SetPrinterData(kUsbPrinter, "ZQSTSSTR", REG_BINARY, "MFG:Nira;CAL:3;DU:1;");
    int handled = 0;
    int value = -1;
    EXPECT_EQ(provider.QueryFeature(4308, &handled, &value), 1);
    EXPECT_EQ(handled, 1);
    EXPECT_EQ(value, 3);
    value = -1;
    EXPECT_EQ(provider.QueryDuplexUnit(4221, &value), 1);
    EXPECT_EQ(value, 1);

    TestMachine().SetPrinterData(kUsbPrinter, "ZQSTSSTR", REG_BINARY, "MFG:Nira;DU:0;");
    EXPECT_EQ(provider.QueryDuplexUnit(4221, &value), 1);
    EXPECT_EQ(value, 0);
    handled = 0;
    EXPECT_EQ(provider.QueryFeature(4308, &handled, &value), 0);  // no calibration field
    EXPECT_EQ(handled, 1);
}

TEST_F(UsbDeviceInfoTest, MissingHelperModuleAnswersNothing)
{
    const WString folder = nirasim::Machine::DriverVersionDirectory() + TEXT("\\");
    ASSERT_TRUE(TestMachine().WriteFile(folder + TEXT("nohelper.ini"),
                                        "[ComponentFiles]\r\nComponent_F_C=missing.dll\r\n"));
    InstallPrinterWithFiles(TEXT("No Helper"), TEXT("USB009"), {TEXT("nirauip.dll"), TEXT("nohelper.ini")});
    HANDLE other = OpenTestPrinter(TEXT("No Helper"));
    CNiraUsbDeviceInfo provider(other, DeviceSettings());
    int handled = 0;
    int value = 7;
    EXPECT_EQ(provider.QueryDuplexUnit(4221, &value), 0);
    EXPECT_EQ(provider.QueryFeature(4308, &handled, &value), 0);
    EXPECT_EQ(handled, 1);
    EXPECT_EQ(value, 7);
}
