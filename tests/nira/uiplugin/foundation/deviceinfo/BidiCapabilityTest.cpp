// Choosing the device-information provider from the capability row and the port.
#include "DeviceInfoFixture.h"

#include "nira/uiplugin/foundation/deviceinfo/BidiCapability.h"
#include "nira/uiplugin/foundation/deviceinfo/NetworkDeviceInfo.h"
#include "nira/uiplugin/foundation/deviceinfo/UsbDeviceInfo.h"

namespace {

enum Expected { kNone, kUsb, kNetwork };

struct ChoiceCase {
    const WCHAR* printer;
    const WCHAR* port;
    const char* rows;
    Expected expected;
};

}  // namespace

TEST_F(DeviceInfoTest, ProviderFollowsCapabilityRowAndPort)
{
    const ChoiceCase cases[] = {
        {TEXT("Bidi Both Usb"), TEXT("USB001"), "(1, 1)", kUsb},
        {TEXT("Bidi Both Lpt"), TEXT("LPT1:"), "(1, 1)", kNone},
        {TEXT("Bidi Both Net"), TEXT("IP_10.0.0.9"), "(1, 1)", kNetwork},
        {TEXT("Bidi Both File"), TEXT("FILE:"), "(1, 1)", kNone},
        {TEXT("Bidi Eac Net"), TEXT("IP_10.0.0.9"), "(1, 0)", kNone},
        {TEXT("Bidi Ds Usb"), TEXT("USB002"), "(0, 1)", kNone},
        {TEXT("Bidi Ds Net"), TEXT("IP_10.0.0.9"), "(0, 1)", kNetwork},
        {TEXT("Bidi Two"), TEXT("IP_10.0.0.9"), "(0, 1), (1, 0)", kNone},  // the last row wins
        {TEXT("Bidi Text"), TEXT("USB003"), "('1abc', '0')", kUsb},        // leading digits count
        {TEXT("Bidi Empty"), TEXT("USB004"), "", kNone},
    };
    for (const ChoiceCase& test : cases) {
        SCOPED_TRACE(nirasim::Utf8(test.printer));
        InstallBidiPrinter(test.printer, test.port, test.rows);
        HANDLE printer = OpenTestPrinter(test.printer);
        ASSERT_NE(printer, nullptr);
        CNiraBidiCapability capability(DeviceSettings());
        int created = -1;
        INiraDeviceInfo* provider = capability.CreateDeviceInfoProvider(printer, &created);
        EXPECT_EQ(created, provider != nullptr ? 1 : 0);
        EXPECT_EQ(dynamic_cast<CNiraUsbDeviceInfo*>(provider) != nullptr, test.expected == kUsb);
        EXPECT_EQ(dynamic_cast<CNiraNetworkDeviceInfo*>(provider) != nullptr, test.expected == kNetwork);
        delete provider;
    }
}

TEST_F(DeviceInfoTest, SamplePackageReportsOverBothPorts)
{
    CNiraBidiCapability capability(DeviceSettings());
    int created = 0;
    INiraDeviceInfo* usb = capability.CreateDeviceInfoProvider(OpenTestPrinter(kUsbPrinter), &created);
    EXPECT_NE(dynamic_cast<CNiraUsbDeviceInfo*>(usb), nullptr);
    EXPECT_EQ(capability.GetFlags(), CNiraBidiCapability::kFlagUsb | CNiraBidiCapability::kFlagNetwork);
    delete usb;
    INiraDeviceInfo* network =
        capability.CreateDeviceInfoProvider(OpenTestPrinter(kNetworkPrinter), &created);
    EXPECT_NE(dynamic_cast<CNiraNetworkDeviceInfo*>(network), nullptr);
    delete network;
}

TEST_F(DeviceInfoTest, NoPrinterOrNoDatabaseMakesNoProvider)
{
    CNiraBidiCapability capability(DeviceSettings());
    int created = -1;
    EXPECT_EQ(capability.CreateDeviceInfoProvider(nullptr, &created), nullptr);
    EXPECT_EQ(created, 0);
    EXPECT_EQ(capability.EvaluateFlags(), static_cast<LONG>(0x10000002));  // no row read yet

    // A driver whose INI names no capability database.
    ASSERT_TRUE(TestMachine().WriteFile(nirasim::Machine::DriverVersionDirectory() + TEXT("\\nodb.ini"),
                                        "[ComponentFiles]\r\n"));
    InstallPrinterWithFiles(TEXT("No Database"), TEXT("USB005"), {TEXT("nodb.ini")});
    created = -1;
    EXPECT_EQ(capability.CreateDeviceInfoProvider(OpenTestPrinter(TEXT("No Database")), &created), nullptr);
    EXPECT_EQ(created, 0);
}

TEST_F(DeviceInfoTest, QueryCodesAndBaseAnswers)
{
    const std::pair<int, int> kinds[] = {{1, 1},    {2, 2}, {3, 3}, {4, 4},   {4221, 5},
                                         {4308, 6}, {0, 0}, {5, 0}, {4222, 0}};
    for (const auto& kind : kinds) {
        EXPECT_EQ(FindDeviceQueryKind(kind.first), kind.second) << kind.first;
    }

    CNiraDeviceInfoBase base;
    int handled = 0;
    int value = 0;
    EXPECT_EQ(base.Refresh(nullptr), 0);
    EXPECT_EQ(base.QueryFeature(4308, &handled, &value), 0);
    EXPECT_EQ(base.QueryDuplexUnit(4221, &value), 0);

    CNiraUsbDeviceInfo usb(OpenTestPrinter(kUsbPrinter), DeviceSettings());
    CNiraNetworkDeviceInfo network(OpenTestPrinter(kNetworkPrinter));
    for (int code = 1; code <= 4; ++code) {
        handled = 0;
        EXPECT_EQ(usb.QueryFeature(code, &handled, &value), 0);
        EXPECT_EQ(usb.QueryDuplexUnit(code, &value), 0);
        EXPECT_EQ(network.QueryFeature(code, &handled, &value), 0);
        EXPECT_EQ(network.QueryDuplexUnit(code, &value), 0);
        EXPECT_EQ(handled, 0);
    }
}
