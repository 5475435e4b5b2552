// Both providers over a settings client whose values come from the sample package's product data,
// as a driver uses them: the device records agree with the geometry the packer writes.
#include "DeviceRecordFixture.h"

#include <winspool.h>

#include <cstring>
#include <memory>

#include "common/PrivateDevMode.h"
#include "nira/uiplugin/settings/client/SettingsClient.h"
#include "support/DefaultPrivateSection.h"
#include "support/SampleUISettings.h"

#include "support/WString.h"

namespace {

constexpr LONG kPassthrough = 109;

class ProductDataRecordsTest : public DeviceRecordTest {
protected:
    void SetUp() override
    {
        DeviceRecordTest::SetUp();
        WCHAR name[64] = {};
        std::memcpy(name, kSamplePrinter,
                    (std::char_traits<WCHAR>::length(kSamplePrinter) + 1) * sizeof(WCHAR));
        ASSERT_TRUE(OpenPrinterW(name, &printer, nullptr));
    }
    void TearDown() override
    {
        if (printer != nullptr) {
            ClosePrinter(printer);
        }
        DeviceRecordTest::TearDown();
    }

    // The default settings, packed into a section and read back by a second client, which holds
    // the product values and the host strings as a job's settings do.
    void LoadDefaults(CNiraSettingsClient& client, PrivateDevMode* block)
    {
        const WString database = nirasim::Machine::DriverVersionDirectory() + TEXT("\\niracap.vdf");
        auto sample = LoadSampleUISettings(database.c_str());
        ASSERT_NE(sample, nullptr);
        CNiraSettingsClient writer;
        ASSERT_EQ(writer.Initialize(printer), TRUE);
        ASSERT_EQ(writer.CopyFromUISettings(&sample->settings, 1), TRUE);
        ASSERT_EQ(writer.SavePrivateBlock(block), TRUE);
        ASSERT_EQ(client.Initialize(printer), TRUE);
        ASSERT_EQ(client.LoadPrivateBlock(block), TRUE);
    }

    HANDLE printer = nullptr;
};

}  // namespace

TEST_F(ProductDataRecordsTest, DeviceRecordsFollowTheProductData)
{
    auto block = DefaultPrivateSection();
    CNiraSettingsClient client;
    LoadDefaults(client, block.get());

    CNiraDerivedValuesProvider* derived = NewDerivedProvider();
    ASSERT_NE(derived, nullptr);
    GDIINFO gdi{};
    EXPECT_EQ(derived->Attach(&client), TRUE);
    EXPECT_EQ(derived->SetTarget(&gdi), TRUE);
    EXPECT_EQ(derived->UpdateAll(), TRUE);
    derived->Release();
    // Letter at 600 dpi in portrait, as the section header has it.
    EXPECT_EQ(gdi.szlPhysSize.cx, 5100);
    EXPECT_EQ(gdi.szlPhysSize.cy, 6600);
    EXPECT_EQ(gdi.ulLogPixelsX, block->horizontalResolution);
    EXPECT_EQ(gdi.ulLogPixelsY, block->verticalResolution);
    EXPECT_EQ(gdi.szlPhysSize.cx, block->physicalWidth);
    EXPECT_EQ(gdi.szlPhysSize.cy, block->physicalHeight);
    EXPECT_EQ(static_cast<LONG>(gdi.ulHorzRes), block->printableWidth);
    EXPECT_EQ(static_cast<LONG>(gdi.ulVertRes), block->printableHeight);
    EXPECT_EQ(gdi.ptlPhysOffset.x, block->physicalOffsetX);
    EXPECT_EQ(gdi.ptlPhysOffset.y, block->physicalOffsetY);
    EXPECT_LT(static_cast<LONG>(gdi.ulHorzSize), 0);

    CNiraHostProcessProvider* host = NewHostProvider();
    ASSERT_NE(host, nullptr);
    DEVINFO dev{};
    EXPECT_EQ(host->Attach(&client), TRUE);
    EXPECT_EQ(host->SetTarget(&dev), TRUE);  // the host strings came with the section
    EXPECT_EQ(host->UpdateAll(), TRUE);
    host->Release();
    BYTE passthrough = 0;
    const bool announced = client.GetFlag(kPassthrough, &passthrough, 0, 0) == TRUE && passthrough == 1;
    EXPECT_EQ((dev.flGraphicsCaps2 & GCAPS2_PNGSRC) != 0, announced);
}
