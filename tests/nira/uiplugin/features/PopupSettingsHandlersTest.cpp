// The pop-up settings: the user's choices of the pop-up features kept per printer in the user's
// registry, restored at start, reset on command 27, asked on command 32 and stored by constraint
// actions and by widget 6028.
#include <gtest/gtest.h>

#include <nirasim/Machine.h>

#include "FakeCoreServices.h"
#include "FakeFeatureDatabase.h"
#include "nira/uiplugin/features/handlers/PopupSettingsHandler.h"
#include "nira/uiplugin/features/handlers/PresetPopupHandler.h"

using Call = FakeCoreServices::Call;

namespace {

const char kPrinter[] = "Nira Sample";
const WCHAR kGuid[] = TEXT("5a1c0de-1234-5678-9abc-def012345678");
const char kPopupQuery[] = "Select * from FDT6334";

class PopupSettingsTest : public testing::Test {
protected:
    void SetUp() override
    {
        machine.InstallSamplePackage(NIRA_BUILD_DIR);
        machine.AddSamplePrinter(kPrinter);
        services.printerName = nirasim::Wide(kPrinter);
        WString guid(kGuid);
        machine.SetPrinterData(
            kPrinter, "ZQRestrictedUserGuid", REG_SZ,
            std::string(reinterpret_cast<const char*>(guid.c_str()), (guid.size() + 1) * sizeof(WCHAR)),
            "ZQPresetRoot");
        database.rows[kPopupQuery] = {"6340", "0", "x", "6341"};
    }
    static WString KeyPath()
    {
        return WString(TEXT("Software\\Norvell-Ashby\\")) + kGuid + TEXT("\\ZQopupSettings");
    }
    static void Store(const WCHAR* name, const std::string& bytes)
    {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, KeyPath().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        RegSetValueExW(key, name, 0, REG_BINARY, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
        RegCloseKey(key);
    }
    // The stored bytes of a value, or "absent".
    static std::string Stored(const WCHAR* name)
    {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath().c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
            return "absent";
        }
        BYTE data[16] = {};
        DWORD size = sizeof(data);
        DWORD type = 0;
        LSTATUS status = RegQueryValueExW(key, name, nullptr, &type, data, &size);
        RegCloseKey(key);
        if (status != ERROR_SUCCESS) {
            return "absent";
        }
        EXPECT_EQ(type, static_cast<DWORD>(REG_BINARY));
        return std::string(reinterpret_cast<const char*>(data), size);
    }

    nirasim::Machine machine;
    FakeCoreServices services;
    FakeFeatureDatabase database;
};

}  // namespace

TEST_F(PopupSettingsTest, TheTableGivesThePopupFeaturesInRowOrder)
{
    CNiraPresetPopupHandler handler;
    handler.Attach(&services, 4259, &database);
    EXPECT_EQ(handler.LoadPopupFeatures(), 0);
    std::vector<int> ids;
    for (const CNiraPtrList::Node* node = handler.PopupFeatures().GetHead(); node != nullptr;
         node = node->next) {
        ids.push_back(static_cast<int>(reinterpret_cast<INT_PTR>(node->value)));
    }
    EXPECT_EQ(ids, (std::vector<int>{6340, 6341}));
    EXPECT_EQ(handler.AddPopupFeature(0), NIRA_STATUS_FAILED);

    CNiraPresetPopupHandler withoutDatabase;
    withoutDatabase.Attach(&services, 4259, nullptr);
    EXPECT_EQ(withoutDatabase.LoadPopupFeatures(), NIRA_STATUS_FAILED);
}

TEST_F(PopupSettingsTest, StoredBytesRestoreTheirOptions)
{
    // "2" restores option 2; "1", another byte or an empty value option 1; no value restores nothing.
    Store(TEXT("6340"), "2");
    Store(TEXT("6341"), "");
    database.rows[kPopupQuery] = {"6340", "6341", "6342", "6343", "6344"};
    Store(TEXT("6342"), "1");
    Store(TEXT("6343"), "x");
    CNiraPresetPopupHandler handler;
    handler.Attach(&services, 4259, &database);
    EXPECT_EQ(handler.InitializeStates(), 0);
    EXPECT_EQ(services.calls, (std::vector<Call>{{"SetValue", 4259, 6340, 2},
                                                 {"SetValue", 4259, 6341, 1},
                                                 {"SetValue", 4259, 6342, 1},
                                                 {"SetValue", 4259, 6343, 1}}));
}

TEST_F(PopupSettingsTest, WithoutAGuidNothingIsReadOrWritten)
{
    machine.SetPrinterData(kPrinter, "ZQRestrictedUserGuid", REG_SZ, std::string(2, '\0'), "ZQPresetRoot");
    Store(TEXT("6340"), "2");
    CNiraPresetPopupHandler handler;
    handler.Attach(&services, 4259, &database);
    handler.InitializeStates();
    EXPECT_TRUE(services.calls.empty());
    services.current[6340] = 1;
    EXPECT_EQ(handler.OnConstraintAction(6340, "", "", ""), NIRA_STATUS_FAILED);
}

TEST_F(PopupSettingsTest, Command27ResetsEveryPopupFeatureToOption1)
{
    Store(TEXT("6340"), "2");
    CNiraPresetPopupHandler handler;
    handler.Attach(&services, 4259, &database);
    handler.InitializeStates();
    services.calls.clear();
    EXPECT_EQ(handler.OnCommand(4143, 27, nullptr, nullptr), 0);
    EXPECT_EQ(services.calls, (std::vector<Call>{{"SetValue", 4259, 6340, 1}, {"SetValue", 4259, 6341, 1}}));
    EXPECT_EQ(Stored(TEXT("6340")), "1");
    EXPECT_EQ(Stored(TEXT("6341")), "1");
    EXPECT_EQ(handler.OnCommand(4143, 99, nullptr, nullptr), NIRA_STATUS_FAILED);
}

TEST_F(PopupSettingsTest, Command32AnswersTheStoredChoice)
{
    Store(TEXT("6340"), "2");
    Store(TEXT("6341"), "1");
    CNiraPresetPopupHandler handler;
    handler.Attach(&services, 4259, &database);
    for (auto expected : {std::pair<int, int>{6340, 2}, {6341, 1}}) {
        int feature = expected.first;
        int show = 0;
        EXPECT_EQ(handler.OnCommand(4125, 32, &feature, &show), 0);
        EXPECT_EQ(show, expected.second) << feature;
    }
    int missing = 6342;
    int show = 7;
    EXPECT_EQ(handler.OnCommand(4125, 32, &missing, &show), NIRA_STATUS_FAILED);
    EXPECT_EQ(show, 7);
}

TEST_F(PopupSettingsTest, AConstraintActionStoresTheCurrentChoice)
{
    CNiraPresetPopupHandler handler;
    handler.Attach(&services, 4259, &database);
    services.current[6340] = 2;
    EXPECT_EQ(handler.OnConstraintAction(6340, "", "", ""), 0);
    EXPECT_EQ(Stored(TEXT("6340")), "2");
    services.current[6340] = 3;  // neither choice: nothing stored
    services.current[6341] = 3;
    EXPECT_EQ(handler.OnConstraintAction(6341, "", "", ""), 0);
    EXPECT_EQ(Stored(TEXT("6341")), "absent");
    EXPECT_EQ(handler.OnConstraintAction(6399, "", "", ""), NIRA_STATUS_FAILED);  // no value
}

TEST_F(PopupSettingsTest, Feature6027IsRestoredStoredAndReset)
{
    CNiraPopupSettingsHandler handler;
    handler.Attach(&services, 4215, &database);
    // No key yet: 6027 stays as the settings have it.
    handler.InitializeStates();
    EXPECT_TRUE(services.calls.empty());

    // Widget 6028 stores only option 2 of 6027.
    services.current[6027] = 1;
    EXPECT_EQ(handler.OnWidgetChanged(6028), 0);
    EXPECT_EQ(Stored(TEXT("6027")), "absent");
    services.current[6027] = 2;
    EXPECT_EQ(handler.OnWidgetChanged(6028), 0);
    EXPECT_EQ(Stored(TEXT("6027")), "2");
    EXPECT_EQ(handler.OnWidgetChanged(6029), NIRA_STATUS_FAILED);

    services.current[6027] = 1;
    handler.InitializeStates();
    EXPECT_EQ(services.current[6027], 2);

    // A key without the value gives option 1.
    Store(TEXT("6340"), "2");
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath().c_str(), 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
    RegDeleteValueW(key, TEXT("6027"));
    RegCloseKey(key);
    services.calls.clear();
    handler.InitializeStates();
    EXPECT_EQ(services.calls, (std::vector<Call>{{"SetValue", 4215, 6027, 1}}));

    services.current[6027] = 2;
    EXPECT_EQ(handler.OnCommand(4143, 27, nullptr, nullptr), 0);
    EXPECT_EQ(services.current[6027], 1);
    EXPECT_EQ(Stored(TEXT("6027")), "1");
    EXPECT_EQ(handler.OnCommand(4143, 32, nullptr, nullptr), NIRA_STATUS_FAILED);
    EXPECT_EQ(handler.WriteSetting(6027, 0), NIRA_STATUS_FAILED);
}

TEST_F(PopupSettingsTest, TheConstraintMessageShowsOnlyWhenThePopupSettingsWereChosen)
{
    CNiraPopupSettingsHandler handler;
    handler.Attach(&services, 4215, &database);
    services.current[6027] = 1;
    int show = 0;
    EXPECT_EQ(handler.OnConstraintMessage(4119, "", "6027", "", &show), 0);
    EXPECT_EQ(show, 2);
    services.userSelected[4215] = 1;
    EXPECT_EQ(handler.OnConstraintMessage(4119, "", "6027", "", &show), 0);
    EXPECT_EQ(show, 1);
    services.current[6027] = 2;
    handler.OnConstraintMessage(4119, "", "6027", "", &show);
    EXPECT_EQ(show, 2);
}
