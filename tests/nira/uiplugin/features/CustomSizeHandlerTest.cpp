// The custom size editor: its buttons for the name typed, the unit switch, saving a form (the
// stored record, the paper list told even when the registry refuses), the sizes that do not fit
// their boxes, and deleting after the question.
#include <gtest/gtest.h>

#include <nirasim/Machine.h>

#include <cstring>
#include <memory>

#include "FormServices.h"
#include "nira/uiplugin/features/handlers/CustomSizeHandler.h"
#include "nira/uiplugin/features/handlers/PaperListHandler.h"
#include "nira/uiplugin/foundation/databases/FeatureDatabase.h"
#include "printticket/converters/ConverterFixture.h"

using Call = FakeCoreServices::Call;

namespace {

const char kPrinter[] = "Nira Sample";
const WCHAR kGuid[] = TEXT("1234567-89ab-cdef-2301-6745ab89efcd");
constexpr int kHidden = 0;
constexpr int kGreyed = 2;
constexpr int kEnabled = 3;

class CustomSizeTest : public testing::Test {
protected:
    void SetUp() override
    {
        machine.InstallSamplePackage(NIRA_BUILD_DIR);
        machine.AddSamplePrinter(kPrinter);
        WString guid = kGuid;
        machine.SetPrinterData(
            kPrinter, "ZQRestrictedUserGuid", REG_SZ,
            std::string(reinterpret_cast<const char*>(guid.c_str()), (guid.size() + 1) * sizeof(WCHAR)),
            "ZQPresetRoot");
        WString path = nirasim::Machine::DriverVersionDirectory() + nirasim::Wide("\\niracap.vdf");
        database = std::make_unique<CNiraFeatureDatabase>(path.c_str());
        services.printerName = nirasim::Wide(kPrinter);
        services.current[6019] = 1;
        services.current[6014] = 1;
        services.current[4114] = 256;
        Box(4114, 256, TEXT("Letter"));
        for (int box : {6012, 6015, 6016, 6017, 6018}) {
            Box(box, 1, TEXT(""));
        }
        paperList.Attach(&services, 4233, database.get());
        handler.Attach(&services, 4234, database.get());
    }
    void TearDown() override
    {
        paperList.Detach();
        handler.Detach();
        database.reset();
    }
    void Box(int feature, int option, const WString& text)
    {
        OptionInfo info = {};
        info.featureId = feature;
        info.optionIndex = feature == 4114 ? option : 0;
        std::memcpy(info.displayName, text.c_str(), (text.size() + 1) * sizeof(WCHAR));
        services.optionInfos[{feature, option}] = info;
    }
    WString Text(int feature, int option = 1)
    {
        return WString(services.optionInfos[{feature, option}].displayName);
    }
    std::vector<int> Buttons()
    {
        return {services.display[6013], services.display[6020], services.display[6022]};
    }
    void Fill(const WString& name, const WString& width, const WString& height)
    {
        Box(6012, 1, name);
        Box(6017, 1, width);
        Box(6018, 1, height);
    }
    static bool Stored(const WString& name, CustomFormRecord* record)
    {
        HKEY key = nullptr;
        WString path = WString(TEXT("Software\\Norvell-Ashby\\")) + kGuid + TEXT("\\ZQCustomForms");
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
            return false;
        }
        DWORD bytes = sizeof(*record);
        LSTATUS read =
            RegQueryValueExW(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(record), &bytes);
        RegCloseKey(key);
        return read == ERROR_SUCCESS && bytes == sizeof(*record);
    }
    int Commands(int command)
    {
        int n = 0;
        for (const Call& call : services.calls) {
            n += call.what == "Command" && call.id == 4114 && call.option == command ? 1 : 0;
        }
        return n;
    }

    nirasim::Machine machine;
    std::unique_ptr<CNiraFeatureDatabase> database;
    FormServices services;
    CNiraPaperListHandler paperList;
    CNiraCustomSizeHandler handler;
};

}  // namespace

TEST_F(CustomSizeTest, ButtonsFollowTheName)
{
    Box(4114, 501, TEXT("Card"));
    // The paper handler's sizes, in micrometres: Letter and a saved card of 4 x 6 inches.
    services.answer = [](int command, int* value, int* result) {
        if (command != PAPER_COMMAND_GET_FORM_SIZE) {
            return NIRA_STATUS_FAILED;
        }
        result[0] = *value == 256 ? 215900 : 101600;
        result[1] = *value == 256 ? 279400 : 152400;
        return 0;
    };
    struct Case {
        const WCHAR* name;
        const WCHAR* width;
        std::vector<int> buttons;  // Save, Delete, select
    };
    const Case cases[] = {
        {TEXT("Custom"), TEXT("8.5"), {kGreyed, kHidden, kGreyed}},
        {TEXT("   "), TEXT("8.5"), {kGreyed, kHidden, kGreyed}},
        {TEXT(""), TEXT("8.5"), {kGreyed, kHidden, kGreyed}},
        {TEXT("Letter"), TEXT("8.5"), {kGreyed, kHidden, kGreyed}},    // a paper of the database
        {TEXT(" Card "), TEXT("4.0"), {kHidden, kEnabled, kEnabled}},  // a saved form, blanks trimmed
        {TEXT("Card"), TEXT("4.1"), {kEnabled, kHidden, kGreyed}},     // its name, another size
        {TEXT("New"), TEXT("4.0"), {kEnabled, kHidden, kGreyed}},
    };
    for (const Case& c : cases) {
        Fill(c.name, c.width, WString(c.width) == TEXT("8.5") ? TEXT("11") : TEXT("6"));
        EXPECT_EQ(handler.OnNameChanged(), 0);
        EXPECT_EQ(Buttons(), c.buttons) << Narrow(c.name);
    }
    services.current.erase(6019);  // no unit: nothing changes
    services.display.clear();
    Fill(TEXT("Card"), TEXT("4"), TEXT("6"));
    EXPECT_EQ(handler.OnNameChanged(), NIRA_STATUS_FAILED);
    EXPECT_TRUE(services.display.empty());
}

TEST_F(CustomSizeTest, UnitSwitchConvertsTheBoxesAndRanges)
{
    Fill(TEXT("New"), TEXT("8.5"), TEXT("11"));
    services.current[6019] = 2;
    handler.OnWidgetChanged(6019);
    EXPECT_EQ(Text(6017), TEXT("215.90"));
    EXPECT_EQ(Text(6018), TEXT("279.40"));
    EXPECT_EQ(Text(6015), TEXT("(76.20 - 215.90)"));
    EXPECT_EQ(Text(6016), TEXT("(127.00 - 1117.60)"));
    services.current[6019] = 1;
    handler.OnWidgetChanged(6019);
    EXPECT_EQ(Text(6017), TEXT("8.50"));
    EXPECT_EQ(Text(6015), TEXT("(3.00 - 8.50)"));

    Box(6017, 1, TEXT("12"));  // leaving the box clamps it
    handler.OnFeatureNotify(6017);
    EXPECT_EQ(Text(6017), TEXT("8.50"));
}

TEST_F(CustomSizeTest, SavingStoresTheRecordAndTellsThePaperList)
{
    services.paperList = &paperList;
    handler.InitializeStates();  // the limits of the paper table: 3 x 5 to 8.5 x 14 inches
    EXPECT_EQ(Text(6016), TEXT("(5.00 - 14.00)"));
    Fill(TEXT("  My card  "), TEXT("8.27"), TEXT("11"));
    services.current[6014] = 2;  // borderless
    ASSERT_EQ(handler.SaveForm(), 0);
    CustomFormRecord record = {};
    ASSERT_TRUE(Stored(TEXT("My card"), &record));
    const CustomFormRecord expected = {0, 0, 210058, 279400, 0, 0, 210058, 279400, 1, 501};
    EXPECT_EQ(std::memcmp(&record, &expected, sizeof(record)), 0);
    ASSERT_NE(paperList.Form(501), nullptr);
    EXPECT_EQ(WString(paperList.Form(501)->name), TEXT("My card"));
    EXPECT_EQ(Commands(PAPER_COMMAND_ADD_FORM), 1);
    EXPECT_EQ(services.display[6022], kEnabled);

    // Read back, 8.27 inches is the size saved: the form is recognised.
    Fill(TEXT("My card"), TEXT("8.27"), TEXT("11.00"));
    handler.OnNameChanged();
    EXPECT_EQ(Buttons(), (std::vector<int>{kHidden, kEnabled, kEnabled}));

    // A registry that refuses the value still hands the form over.
    machine.FailCalls("RegSetValueExW", ERROR_ACCESS_DENIED);
    Fill(TEXT("Second"), TEXT("4"), TEXT("6"));
    services.current[6014] = 1;
    EXPECT_EQ(handler.SaveForm(), 0);
    EXPECT_FALSE(Stored(TEXT("Second"), &record));
    ASSERT_NE(paperList.Form(502), nullptr);
    EXPECT_EQ(paperList.Form(502)->record.borderless, 0);
    EXPECT_EQ(Commands(PAPER_COMMAND_ADD_FORM), 2);
    EXPECT_EQ(services.calls.back().what, "SetDisplayState");
}

TEST_F(CustomSizeTest, MillimetresThatDoNotFitStayAsTyped)
{
    services.paperList = &paperList;
    services.current[6019] = 2;
    Fill(TEXT("Banner"), TEXT("100"), TEXT("1200"));
    ASSERT_EQ(handler.SaveForm(), 0);
    EXPECT_EQ(Text(6018), TEXT("1200"));  // 1117.60 has no room in the box
    EXPECT_EQ(Text(6017), TEXT("100"));
    CustomFormRecord record = {};
    ASSERT_TRUE(Stored(TEXT("Banner"), &record));
    EXPECT_NEAR(record.height, 1117600, 1);  // clamped to 44 inches all the same
    Fill(TEXT("Card"), TEXT("50"), TEXT("130"));
    handler.SaveForm();
    EXPECT_EQ(Text(6017), TEXT("76.20"));  // fits: written back clamped
}

TEST_F(CustomSizeTest, DeletingAsksFirst)
{
    services.paperList = &paperList;
    Fill(TEXT("Card"), TEXT("4"), TEXT("6"));
    handler.SaveForm();
    machine.SetMessageBoxAnswer(IDCANCEL);
    EXPECT_EQ(handler.OnWidgetChanged(6020), 0);
    EXPECT_EQ(Commands(PAPER_COMMAND_REMOVE_FORM), 0);
    CustomFormRecord record = {};
    EXPECT_TRUE(Stored(TEXT("Card"), &record));
    auto boxes = machine.MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].type, 0x31u);
    EXPECT_EQ(nirasim::Utf8(boxes[0].text), "Do you want to delete the selected item?");
    EXPECT_EQ(nirasim::Utf8(boxes[0].caption), "Delete Custom Size");

    machine.SetMessageBoxAnswer(IDOK);
    EXPECT_EQ(handler.ConfirmDeleteForm(), 0);
    EXPECT_EQ(Commands(PAPER_COMMAND_REMOVE_FORM), 1);
    EXPECT_FALSE(Stored(TEXT("Card"), &record));
    EXPECT_EQ(paperList.FormCount(), 0);
    EXPECT_EQ(services.display[6020], kGreyed);

    for (LANGID language : {1037, 1025}) {
        machine.SetUILanguage(language);
        machine.SetMessageBoxAnswer(IDCANCEL);
        handler.ConfirmDeleteForm();
        EXPECT_EQ(machine.MessageBoxes().back().type, 0x100031u) << language;
    }
    EXPECT_EQ(nirasim::Utf8(machine.MessageBoxes()[2].text), "האם למחוק את הפריט הנבחר?");  // Hebrew
}
