// The printing shortcuts through a UI core on the sample printer: the shortcuts table's rows
// configure the soft-link features of the shortcuts page, choices there set the real features with
// their interlocks, and the user's edits are saved, overwritten and deleted in the printer's data.
#include <gtest/gtest.h>

#include <nirasim/Machine.h>

#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <memory>

#include "FakeCoreServices.h"
#include "FakeFeatureDatabase.h"
#include "common/NiraStatus.h"
#include "nira/uiplugin/core/services/CoreServices.h"
#include "nira/uiplugin/core/uicore/UICore.h"
#include "nira/uiplugin/features/factory/FeatureHandlerFactory.h"
#include "nira/uiplugin/features/handlers/ShortcutsHandler.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "support/WString.h"

namespace {

constexpr const WCHAR* kPrinter = TEXT("Nira Sample Inkjet");
const char kPrinterName[] = "Nira Sample Inkjet";
const char kStoreKey[] = "ZQPresetRoot\\CustomShortcutPoolData";
constexpr int kQualityLink = 6399;
constexpr int kTwoSidedLink = 6401;
constexpr int kPagesLink = 6402;

void SetName(WCHAR (&name)[kShortcutNameChars], const WString& text)
{
    std::copy(text.begin(), text.end(), name);
    name[text.size()] = 0;
}

class ShortcutsThroughTheCoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        driver = machine.InstallSamplePackage(NIRA_BUILD_DIR);
        SetDefaultHandlerFactory(&CreateFeatureHandler);
    }
    void AddPrinter(DWORD attributes = PRINTER_ATTRIBUTE_LOCAL)
    {
        nirasim::PrinterSpec spec;
        spec.name = nirasim::Wide(kPrinterName);
        spec.driverName = driver;
        spec.attributes = attributes;
        machine.AddPrinter(spec);
    }
    void Build()
    {
        ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(kPrinter), &printer, nullptr));
        core = std::make_unique<CNiraUICore>();
        ASSERT_EQ(core->ConstructDriverState(printer, nullptr, CNiraUICore::kSheetFeatureLimit), 0);
        services = std::make_unique<CNiraCoreServices>(core.get());
        INiraFeatureHandler* found = nullptr;
        ASSERT_EQ(core->GetHandler(CLASS_SHORTCUTS, &found), 0);
        handler = dynamic_cast<CNiraShortcutsHandler*>(found);
        ASSERT_NE(handler, nullptr);
    }
    void TearDown() override
    {
        services.reset();
        core.reset();
        if (printer != nullptr) {
            ClosePrinter(printer);
            printer = nullptr;
        }
    }
    int Current(int featureId)
    {
        int option = 0;
        int isSet = 0;
        services->GetValue(featureId, &option, &isSet);
        return option;
    }
    int Set(int featureId, int option)
    {
        return services->SetValue(CLASS_SHORTCUTS, &featureId, &option, 2, 0, 0, 0);
    }
    int Default(int featureId)
    {
        int option = 0;
        services->GetDefaultOption(featureId, &option);
        return option;
    }
    std::vector<int> Options(int featureId)
    {
        std::vector<int> options;
        services->EnumerateOptions(
            featureId,
            [](int, int optionId, int, WCHAR*, void* list) {
                static_cast<std::vector<int>*>(list)->push_back(optionId);
                return 0;
            },
            &options);
        return options;
    }
    bool Stored(const char* name) const
    {
        std::string bytes;
        return machine.GetPrinterData(kPrinterName, name, bytes, nullptr, kStoreKey);
    }
    // Types the name as the name box does: its option 1 carries the text (made again after a save
    // took it away).
    void TypeName(const WString& name)
    {
        OptionInfo* info = static_cast<OptionInfo*>(LocalAlloc(LPTR, sizeof(OptionInfo)));
        info->state = 2;
        std::copy(name.begin(), name.end(), info->displayName);
        if (services->SetOptionInfo(CLASS_SHORTCUTS, WIDGET_SHORTCUT_NAME, 1, info) == 0 ||
            services->AddOption(CLASS_SHORTCUTS, WIDGET_SHORTCUT_NAME, 1, info) != 0) {
            LocalFree(info);
        }
        Set(WIDGET_SHORTCUT_NAME, 1);
        handler->OnWidgetChanged(WIDGET_SHORTCUT_NAME);
    }
    // Whether option `first` comes right before option `second` in the shortcuts' walk.
    bool RightBefore(int first, int second)
    {
        std::vector<int> options;
        const int count = services->GetOptionCount(FEATURE_PRINTING_SHORTCUTS);
        for (int index = 0; index < count; ++index) {
            int optionIndex = 0;
            int option = 0;
            int bitmap = 0;
            int icon = 0;
            int state = 0;
            WCHAR name[kOptionTextLength] = {};
            services->GetOptionByIndex(index, FEATURE_PRINTING_SHORTCUTS, &optionIndex, &option, name,
                                       &bitmap, &icon, &state);
            options.push_back(option);
        }
        auto found = std::find(options.begin(), options.end(), first);
        return found != options.end() && found + 1 != options.end() && *(found + 1) == second;
    }
    // Stores a custom shortcut and the list entry for it, as an earlier session saved them.
    void StoreCustom(int id, int base, const WString& name, std::vector<ShortcutListEntry>& list)
    {
        ShortcutRecord record;
        record.optionId = id;
        SetName(record.name, name);
        record.baseOptionId = base;
        record.items = {{FEATURE_ORIENTATION, SHORTCUT_ITEM_VALUE, 2, 0, 3}};
        std::vector<BYTE> bytes = SerializeShortcutRecord(record);
        machine.SetPrinterData(kPrinterName, std::string(name.begin(), name.end()), REG_BINARY,
                               std::string(bytes.begin(), bytes.end()), kStoreKey);
        ShortcutListEntry entry = {id, base, {}};
        SetName(entry.name, name);
        list.push_back(entry);
        bytes = SerializeShortcutList(list.data(), static_cast<int>(list.size()));
        machine.SetPrinterData(kPrinterName, "CustomShortcutsDataSnapShot", REG_BINARY,
                               std::string(bytes.begin(), bytes.end()), kStoreKey);
    }

    nirasim::Machine machine;
    std::u16string driver;
    HANDLE printer = nullptr;
    std::unique_ptr<CNiraUICore> core;
    std::unique_ptr<CNiraCoreServices> services;
    CNiraShortcutsHandler* handler = nullptr;
};

}  // namespace

TEST_F(ShortcutsThroughTheCoreTest, TheRowsConfigureTheSoftLinkFeaturesWithoutChangingTheSettings)
{
    AddPrinter();
    Build();
    // Shortcut 1 names four soft-link features; the fifth has no row and stays hidden.
    std::vector<int> rows = handler->RowFeatures();
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows, (std::vector<int>{6399, 6400, 6401, 6402}));
    EXPECT_EQ(services->GetDisplayState(kQualityLink), 3);
    EXPECT_EQ(services->GetDisplayState(6403), 0);
    EXPECT_EQ(Options(kQualityLink).size(), 5u);
    // The two-sided soft-link feature lists the three two-sided choices and the two booklets.
    int source = 0;
    int sourceOption = 0;
    ASSERT_EQ(services->GetLinkedOptionSource(kTwoSidedLink, 4, &source, &sourceOption), 0);
    EXPECT_EQ(source, FEATURE_BOOKLET);
    EXPECT_EQ(sourceOption, 2);
    EXPECT_EQ(Current(kQualityLink), Current(FEATURE_PRINT_QUALITY));
    EXPECT_EQ(handler->ApplyValues(), 0);
    EXPECT_EQ(Current(FEATURE_SHORTCUT_MODIFIED), 1);
    EXPECT_EQ(handler->ReferenceValues().at(FEATURE_PRINT_QUALITY), 2);
    EXPECT_EQ(handler->MaxShortcuts(), 10);
    EXPECT_EQ(handler->PredefinedCount(), 6);
}

TEST_F(ShortcutsThroughTheCoreTest, AnAbsentShortcutFallsBackToTheDefault)
{
    AddPrinter();
    Build();
    int option = 7;
    ASSERT_EQ(handler->ApplyShortcutRows(&option, 1, 0), 0);
    EXPECT_EQ(option, Default(FEATURE_PRINTING_SHORTCUTS));
}

TEST(ShortcutRows, AShortcutWithoutRowsIsRetriedOnceWithTheDefault)
{
    FakeCoreServices services;
    FakeFeatureDatabase database;
    services.listed[FEATURE_PRINTING_SHORTCUTS] = {{1, 1, TEXT("Default")}, {2, 2, TEXT("Empty")}};
    services.defaults[FEATURE_PRINTING_SHORTCUTS] = 1;
    const std::string count = "SELECT COUNT(FeatureID) FROM FDT4143 WHERE PSOptionID=\"";
    database.rows[count + "2\""] = {"0"};
    database.rows[count + "1\""] = {"0"};  // the default has none either
    CNiraShortcutsHandler handler;
    handler.Attach(&services, FEATURE_PRINTING_SHORTCUTS, &database);
    int option = 2;
    EXPECT_EQ(handler.ApplyShortcutRows(&option, 0, 0), 0);
    EXPECT_EQ(option, 1);
    // Count and rows of the shortcut, then once of the default.
    EXPECT_EQ(database.statements.size(), 4u);
}

TEST_F(ShortcutsThroughTheCoreTest, WithDeviceDataTheFixedShortcutTakesTheFeaturesOwnDefaults)
{
    AddPrinter();
    Build();
    int option = SHORTCUT_FIXED_OPTION;
    handler->ApplyShortcutRows(&option, 0, 0);
    EXPECT_EQ(Default(kQualityLink), 3);                    // the row's default
    EXPECT_EQ(services->GetDisplayState(kQualityLink), 2);  // the fixed shortcut is shown greyed

    TearDown();
    machine.SetPrinterString(kPrinterName, "DMCExist", "True");
    Build();
    option = SHORTCUT_FIXED_OPTION;
    handler->ApplyShortcutRows(&option, 0, 0);
    EXPECT_EQ(Default(kQualityLink), Default(FEATURE_PRINT_QUALITY));
    EXPECT_EQ(Current(kQualityLink), Default(FEATURE_PRINT_QUALITY));
}

TEST_F(ShortcutsThroughTheCoreTest, APrinterThatPrintsDirectlyLosesThePhotoShortcut)
{
    AddPrinter(PRINTER_ATTRIBUTE_LOCAL | PRINTER_ATTRIBUTE_DIRECT);
    Build();
    const std::vector<int> shortcuts = Options(FEATURE_PRINTING_SHORTCUTS);
    EXPECT_EQ(std::count(shortcuts.begin(), shortcuts.end(), 3), 0);
    EXPECT_EQ(services->GetDisplayState(kTwoSidedLink), 2);
    EXPECT_EQ(services->GetDisplayState(kPagesLink), 2);
    EXPECT_EQ(services->GetDisplayState(kQualityLink), 3);
}

TEST_F(ShortcutsThroughTheCoreTest, BookletAndTwoSidedPrintingSwitchEachOther)
{
    AddPrinter();
    Build();
    // Linked option 4 of the two-sided soft-link feature is booklet option 2.
    ASSERT_EQ(Set(kTwoSidedLink, 4), 0);
    handler->OnWidgetChanged(kTwoSidedLink);
    EXPECT_EQ(Current(FEATURE_BOOKLET), 2);
    EXPECT_EQ(Current(FEATURE_DUPLEX), 2);

    // A shortcut's row choosing a booklet, once the user has chosen a shortcut: two-sided printing
    // and two pages per sheet come with it.
    Set(FEATURE_PRINTING_SHORTCUTS, 1);
    handler->OnWidgetChanged(FEATURE_PRINTING_SHORTCUTS);
    ASSERT_EQ(Current(FEATURE_DUPLEX), 1);
    ShortcutRow row = {};
    row.optionId = 4;
    row.featureId = kTwoSidedLink;
    row.softLink = 1;
    row.softLinkFeatureId = FEATURE_DUPLEX;
    row.softLinkFeatureId2 = FEATURE_BOOKLET;
    row.defaultOption = 5;  // booklet option 3
    row.auxIndex = 2;
    row.auxBit = 1;
    handler->ApplyShortcutRow(row);
    EXPECT_EQ(Current(FEATURE_BOOKLET), 3);
    EXPECT_EQ(Current(FEATURE_DUPLEX), 2);
    EXPECT_EQ(Current(FEATURE_PAGES_PER_SHEET), 2);

    // Linked option 3 is short-edge two-sided printing: booklet off.
    ASSERT_EQ(Set(kTwoSidedLink, 3), 0);
    handler->OnWidgetChanged(kTwoSidedLink);
    EXPECT_EQ(Current(FEATURE_DUPLEX), 3);
    EXPECT_EQ(Current(FEATURE_BOOKLET), 1);
    // The change is the working record's.
    EXPECT_TRUE(Stored("Customized Settings"));
}

TEST_F(ShortcutsThroughTheCoreTest, CustomShortcutsStandBeforeTheirBase)
{
    AddPrinter();
    std::vector<ShortcutListEntry> list;
    StoreCustom(500, 4, TEXT("Reports"), list);
    StoreCustom(501, 2, TEXT("Drafts"), list);
    Build();
    EXPECT_TRUE(RightBefore(500, 4));
    EXPECT_TRUE(RightBefore(501, 2));
    EXPECT_EQ(handler->CustomCount(), 2);

    // Choosing one applies its base's rows and then its items.
    ASSERT_EQ(Set(FEATURE_PRINTING_SHORTCUTS, 500), 0);
    handler->OnWidgetChanged(FEATURE_PRINTING_SHORTCUTS);
    EXPECT_EQ(Current(FEATURE_ORIENTATION), 2);
    EXPECT_EQ(Current(FEATURE_DUPLEX), 2);  // shortcut 4 prints on both sides
    EXPECT_EQ(services->GetDisplayState(WIDGET_SHORTCUT_DELETE), 3);
}

TEST_F(ShortcutsThroughTheCoreTest, TheNameBoxTakesNamesOfAtMost80Characters)
{
    AddPrinter();
    Build();
    TypeName(TEXT("  Letters  "));
    EXPECT_EQ(services->GetDisplayState(WIDGET_SHORTCUT_SAVE), 3);
    TypeName(TEXT("   "));
    EXPECT_EQ(services->GetDisplayState(WIDGET_SHORTCUT_SAVE), 2);
    TypeName(TEXT("Letters"));
    TypeName(WString(81, 'x'));
    OptionInfo info = {};
    services->GetOptionInfo(WIDGET_SHORTCUT_NAME, 1, &info);
    EXPECT_EQ(WString(info.displayName), TEXT("Letters"));  // given back
    EXPECT_EQ(services->GetDisplayState(WIDGET_SHORTCUT_SAVE), 3);
}

TEST_F(ShortcutsThroughTheCoreTest, SavingOverwritingAndDeleting)
{
    AddPrinter();
    Build();
    machine.ClearJournals();
    // A predefined shortcut's name, in other letters: refused, nothing stored.
    TypeName(TEXT("general EVERYDAY printing"));
    handler->OnWidgetChanged(WIDGET_SHORTCUT_SAVE);
    ASSERT_EQ(machine.MessageBoxes().size(), 1u);
    EXPECT_EQ(
        machine.MessageBoxes()[0].text,
        nirasim::Wide("This name belongs to a predefined printing shortcut. Please choose another name."));
    EXPECT_FALSE(Stored("CustomShortcutsDataSnapShot"));

    // A change, then saved as a new shortcut made from shortcut 1.
    Set(FEATURE_ORIENTATION, 2);
    handler->OnConstraintAction(FEATURE_PRINTING_SHORTCUTS, "4118", nullptr, nullptr);
    TypeName(TEXT("Landscape"));
    handler->OnWidgetChanged(WIDGET_SHORTCUT_SAVE);
    EXPECT_TRUE(Stored("Landscape"));
    EXPECT_TRUE(Stored("CustomShortcutsDataSnapShot"));
    EXPECT_FALSE(Stored("Customized Settings"));
    EXPECT_EQ(Current(FEATURE_PRINTING_SHORTCUTS), 500);
    EXPECT_EQ(handler->CustomCount(), 1);
    EXPECT_TRUE(RightBefore(500, 1));

    // A second one made from it, then the first overwritten from shortcut 4: the second takes
    // the first's old base.
    Set(FEATURE_COPIES, 3);
    handler->OnConstraintAction(FEATURE_PRINTING_SHORTCUTS, "4235", nullptr, nullptr);
    TypeName(TEXT("Three copies"));
    handler->OnWidgetChanged(WIDGET_SHORTCUT_SAVE);
    ASSERT_EQ(Current(FEATURE_PRINTING_SHORTCUTS), 501);
    ASSERT_EQ(Set(FEATURE_PRINTING_SHORTCUTS, 4), 0);
    handler->OnWidgetChanged(FEATURE_PRINTING_SHORTCUTS);
    Set(FEATURE_ORIENTATION, 2);
    handler->OnConstraintAction(FEATURE_PRINTING_SHORTCUTS, "4118", nullptr, nullptr);
    TypeName(TEXT("LANDSCAPE"));
    machine.ClearJournals();
    handler->OnWidgetChanged(WIDGET_SHORTCUT_SAVE);
    ASSERT_EQ(machine.MessageBoxes().size(), 1u);  // the overwrite question, answered OK
    EXPECT_EQ(Current(FEATURE_PRINTING_SHORTCUTS), 500);
    EXPECT_EQ(handler->CustomCount(), 2);
    EXPECT_EQ(handler->GetShortcutBase(500), 4);
    EXPECT_EQ(handler->GetShortcutBase(501), 1);

    // The limit: 6 predefined and 4 custom shortcuts fill the 10 places.
    for (const WString name : {TEXT("Third"), TEXT("Fourth"), TEXT("Fifth")}) {
        TypeName(name);
        handler->OnWidgetChanged(WIDGET_SHORTCUT_SAVE);
    }
    EXPECT_EQ(handler->CustomCount(), 4);
    EXPECT_FALSE(Stored("Fifth"));
    EXPECT_EQ(machine.MessageBoxes().back().text,
              nirasim::Wide("The maximum number of printing shortcuts has been reached."));

    // Deleting every custom shortcut deletes the list as well.
    for (int option : {503, 502, 501, 500}) {
        ASSERT_EQ(Set(FEATURE_PRINTING_SHORTCUTS, option), 0);
        handler->OnWidgetChanged(WIDGET_SHORTCUT_DELETE);
    }
    EXPECT_EQ(handler->CustomCount(), 0);
    EXPECT_FALSE(Stored("Landscape"));
    EXPECT_FALSE(Stored("CustomShortcutsDataSnapShot"));
}

TEST_F(ShortcutsThroughTheCoreTest, ChangesAreTrackedAgainstTheShortcut)
{
    AddPrinter();
    Build();
    Set(FEATURE_PRINT_QUALITY, 3);
    handler->OnConstraintAction(FEATURE_PRINTING_SHORTCUTS, "4115", nullptr, nullptr);
    EXPECT_EQ(Current(FEATURE_SHORTCUT_MODIFIED), 2);
    EXPECT_EQ(services->GetDisplayState(WIDGET_SHORTCUT_SAVE_AS), 3);
    EXPECT_EQ(Current(kQualityLink), 3);  // shown on its soft-link feature

    Set(FEATURE_PRINT_QUALITY, 2);
    handler->OnConstraintAction(FEATURE_PRINTING_SHORTCUTS, "4115", nullptr, nullptr);
    EXPECT_TRUE(handler->ModifiedFeatures().empty());
    EXPECT_EQ(Current(FEATURE_SHORTCUT_MODIFIED), 1);
    EXPECT_EQ(services->GetDisplayState(WIDGET_SHORTCUT_SAVE_AS), 2);
    EXPECT_EQ(services->GetDisplayState(FEATURE_SHORTCUT_RESET), 2);

    // A feature without soft-link feature is kept as a kind-1 item.
    Set(FEATURE_ORIENTATION, 2);
    handler->OnConstraintAction(FEATURE_PRINTING_SHORTCUTS, "4118", nullptr, nullptr);
    ShortcutRecord working;
    ASSERT_EQ(handler->Store().LoadShortcutRecord(working, kCustomizedSettingsName), 0);
    ASSERT_EQ(working.items.size(), 1u);
    EXPECT_EQ(working.items[0].featureId, FEATURE_ORIENTATION);
    EXPECT_EQ(working.items[0].kind, SHORTCUT_ITEM_VALUE);
    EXPECT_EQ(working.items[0].value, 2);

    // The reset puts the shortcut's settings back.
    handler->OnWidgetChanged(FEATURE_SHORTCUT_RESET);
    EXPECT_EQ(Current(FEATURE_ORIENTATION), 1);
    EXPECT_FALSE(Stored("Customized Settings"));
}

TEST(ShortcutCommands, ChoosingTheFixedShortcutAsksTheOtherHandlers)
{
    nirasim::Machine machine;
    machine.InstallSamplePackage(NIRA_BUILD_DIR);
    machine.AddSamplePrinter("Nira Sample");
    FakeCoreServices services;
    services.printerName = nirasim::Wide("Nira Sample");
    services.listed[FEATURE_PRINTING_SHORTCUTS] = {{SHORTCUT_FIXED_OPTION, 9, TEXT("Fixed")}};
    services.current[FEATURE_PRINTING_SHORTCUTS] = SHORTCUT_FIXED_OPTION;
    CNiraShortcutsHandler handler;
    handler.Attach(&services, FEATURE_PRINTING_SHORTCUTS, nullptr);
    handler.OnWidgetChanged(FEATURE_PRINTING_SHORTCUTS);
    std::vector<std::pair<int, int>> sent;
    for (const FakeCoreServices::Call& call : services.calls) {
        if (call.what == "Command") {
            sent.push_back({call.id, call.option});
        }
    }
    EXPECT_EQ(sent, (std::vector<std::pair<int, int>>{
                        {6334, 27}, {6025, 28}, {4303, 29}, {6015, 37}, {4237, 34}, {4211, 24}, {6005, 31}}));
    services.calls.clear();
    services.current[FEATURE_SHORTCUT_RESET] = 1;
    handler.OnWidgetChanged(FEATURE_SHORTCUT_RESET);
    sent.clear();
    for (const FakeCoreServices::Call& call : services.calls) {
        if (call.what == "Command") {
            sent.push_back({call.id, call.option});
        }
    }
    EXPECT_EQ(sent, (std::vector<std::pair<int, int>>{
                        {4303, 29}, {6025, 28}, {4219, 39}, {4237, 34}, {4211, 24}, {6015, 37}}));
}
