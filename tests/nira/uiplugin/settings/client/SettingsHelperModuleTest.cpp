// The package's settings helper module: its factory and the provider it makes, which answers the
// device's values read from the printer's device ID.
#include "SettingsClientFixture.h"

#include <string>

#include "nira/uiplugin/settings/engine/SettingsInstance.h"
#include "nira/uiplugin/settings/providers/INiraPrinterSettingsProvider.h"

class SettingsHelperModuleTest : public SettingsClientTest {
protected:
    void TearDown() override
    {
        TestMachine().SetPrinterData(kSamplePrinter, "ZQSTSSTR", REG_BINARY, "");
        SettingsClientTest::TearDown();
    }

    INiraPrinterSettingsProvider* MakeProvider()
    {
        auto factory = reinterpret_cast<CreateSettingsInstanceProc>(
            reinterpret_cast<void*>(GetProcAddress(HelperModule(), SETTINGS_FACTORY_EXPORT)));
        void* object = nullptr;
        EXPECT_EQ(factory(&kSettingsGuidHelperProvider, &object), TRUE);
        return static_cast<INiraPrinterSettingsProvider*>(object);
    }
};

TEST_F(SettingsHelperModuleTest, FactoryServesOnlyTheHelperProvider)
{
    auto factory = reinterpret_cast<CreateSettingsInstanceProc>(
        reinterpret_cast<void*>(GetProcAddress(HelperModule(), SETTINGS_FACTORY_EXPORT)));
    ASSERT_NE(factory, nullptr);
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(factory(&kSettingsGuidManager, &object), FALSE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(factory(&kSettingsGuidHelperObject, &object), FALSE);
    EXPECT_EQ(factory(&kSettingsGuidHelperProvider, nullptr), FALSE);
    EXPECT_NE(GetProcAddress(HelperModule(), SETTINGS_HELPER_LOAD_EXPORT), nullptr);
}

TEST_F(SettingsHelperModuleTest, ValuesComeFromTheDeviceId)
{
    CNiraSettingsClient client;
    ASSERT_EQ(client.Initialize(printer), TRUE);
    INiraPrinterSettingsProvider* provider = MakeProvider();
    ASSERT_NE(provider, nullptr);
    ASSERT_EQ(provider->Attach(&client), TRUE);
    EXPECT_EQ(provider->SetTarget(INVALID_HANDLE_VALUE), FALSE);
    ASSERT_EQ(provider->SetTarget(printer), TRUE);
    EXPECT_EQ(provider->HandlesInt(kHelperDeviceFeatureInt), TRUE);
    EXPECT_EQ(provider->HandlesIntRef(kHelperDuplexUnitIntRef), TRUE);
    EXPECT_EQ(provider->HandlesIntRef(kHelperPenSetIntRef), TRUE);
    EXPECT_EQ(provider->HandlesIntRef(122), FALSE);

    // No device ID yet: nothing to answer.
    EXPECT_EQ(provider->SyncInt(kHelperDeviceFeatureInt), FALSE);
    EXPECT_EQ(provider->SyncIntRef(kHelperDuplexUnitIntRef), FALSE);

    TestMachine().SetPrinterData(kSamplePrinter, "ZQSTSSTR", REG_BINARY,
                                 "MFG:Nira;MDL:Sample;CAL:3;DU:1;PS:2;");
    ASSERT_EQ(provider->SyncInt(kHelperDeviceFeatureInt), TRUE);
    LONG value = 0;
    ASSERT_EQ(client.GetInt(kHelperDeviceFeatureInt, &value, 0, 0), TRUE);
    EXPECT_EQ(value, 3);
    EXPECT_EQ(provider->SyncIntRef(kHelperDuplexUnitIntRef), TRUE);
    ASSERT_EQ(provider->SyncIntRef(kHelperPenSetIntRef), TRUE);
    ASSERT_EQ(client.GetIntRef(kHelperPenSetIntRef, &value, 0, 0), TRUE);
    EXPECT_EQ(value, 2);

    // The duplex unit's Sync answers whether one is installed.
    TestMachine().SetPrinterData(kSamplePrinter, "ZQSTSSTR", REG_BINARY, "DU:0;PS:x;");
    EXPECT_EQ(provider->SyncIntRef(kHelperDuplexUnitIntRef), FALSE);
    EXPECT_EQ(provider->SyncIntRef(kHelperPenSetIntRef), FALSE);
    provider->Release();

    // Through the client, an absent entry is asked of the provider.
    TestMachine().SetPrinterData(kSamplePrinter, "ZQSTSSTR", REG_BINARY, "CAL:0;");
    CNiraSettingsClient fresh;
    ASSERT_EQ(fresh.Initialize(printer), TRUE);
    ASSERT_EQ(fresh.GetInt(kHelperDeviceFeatureInt, &value, 0, 0), TRUE);
    EXPECT_EQ(value, 0);
}

// A device ID is read whole whatever its length, and a number too long for a LONG is no value
// (never a cut one).
TEST_F(SettingsHelperModuleTest, LongDeviceIdsAndNumbersAreReadWholeOrNotAtAll)
{
    CNiraSettingsClient client;
    ASSERT_EQ(client.Initialize(printer), TRUE);
    INiraPrinterSettingsProvider* provider = MakeProvider();
    ASSERT_NE(provider, nullptr);
    ASSERT_EQ(provider->Attach(&client), TRUE);
    ASSERT_EQ(provider->SetTarget(printer), TRUE);
    const struct {
        const char* name;
        std::string deviceId;
        BOOLEAN found;
        LONG value;
    } cases[] = {
        {"field past 1024 bytes", "MFG:Nira;DES:" + std::string(1100, 'x') + ";CAL:7;", TRUE, 7},
        {"largest number", "CAL:2147483647;", TRUE, 2147483647},
        {"number one digit too long", "CAL:21474836470;", FALSE, 0},
        {"number just over", "CAL:2147483648;", FALSE, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestMachine().SetPrinterData(kSamplePrinter, "ZQSTSSTR", REG_BINARY, c.deviceId);
        ASSERT_EQ(provider->SyncInt(kHelperDeviceFeatureInt), c.found);
        if (c.found) {
            LONG value = 0;
            ASSERT_EQ(client.GetInt(kHelperDeviceFeatureInt, &value, 0, 0), TRUE);
            EXPECT_EQ(value, c.value);
        }
    }
    provider->Release();
}
