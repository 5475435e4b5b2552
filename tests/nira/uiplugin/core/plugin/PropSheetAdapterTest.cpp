// The property-sheet adapter over the simulated core driver's own items and its settings.
#include "CoreDriverFixture.h"

#include <string.h>

#include <string>
#include <vector>

#include "nira/uiplugin/core/plugin/PropSheetAdapter.h"

namespace {

using nirasim::CoreFeature;
using nirasim::CoreOption;

constexpr WORD kAutoResource = 0x70;

CoreOption Named(const char* keyword, const WCHAR* name, bool warning = false)
{
    return CoreOption{keyword, name, 0, warning};
}

std::string Narrow(const WCHAR* text)
{
    return text != nullptr ? nirasim::Utf8(text) : std::string("(null)");
}

class PropSheetAdapterTest : public CoreDriverTest {
protected:
    void SetUp() override
    {
        CoreDriverTest::SetUp();
        machine.SetWindowsVersion(6, 0);
        std::vector<CoreFeature> features;
        features.push_back({"pwstrFIDInputSlot",
                            DMPUB_DEFSOURCE,
                            {Named("UPPER", TEXT("Upper")), Named("LOWER", TEXT("Lower"))},
                            0,
                            true});
        features.push_back(
            {"pwstrFIDInputBin",
             DMPUB_NONE,
             {CoreOption{"AUTO", TEXT(""), kAutoResource, false}, Named("TRAY1", TEXT("Tray 1")),
              Named("TRAY2", TEXT("Tray 2")), Named("MANUAL", TEXT("Manual"))},
             2,
             true});
        features.push_back({"Duplex",
                            DMPUB_DUPLEX,
                            {Named("NONE", TEXT("Off")), Named("VERTICAL", TEXT("Long Edge"), true)},
                            1,
                            true});
        features.push_back({"", DMPUB_COPIES_COLLATE, {}, 1, true});
        features.push_back({"Resolution",
                            DMPUB_NONE,
                            {Named("600dpi", TEXT("600")), Named("1200dpi", TEXT("1200"))},
                            0,
                            true});
        features.push_back({"Halftone", DMPUB_NONE, {Named("AUTO", TEXT("Auto"))}, 0, true});
        Core().SetFeatures(features);
        // The plug-in leaves the core driver's items as they are.
        ASSERT_EQ(Core().Plugin()->HideStandardUI(OEMCUIP_DOCPROP_HIDE), S_OK);
        ASSERT_EQ(Core().CommonUIProp(OEMCUIP_DOCPROP, 1), S_OK);
        Core().ClearJournals();
        adapter = std::make_unique<CNiraPropSheetAdapter>(Core().CommonUIParam());
    }

    OPTITEM& Item(size_t index) { return Core().CommonUIParam()->pDrvOptItems[index]; }

    std::unique_ptr<CNiraPropSheetAdapter> adapter;
};

TEST_F(PropSheetAdapterTest, ItemsAreFoundByKeywordWithoutCaseAndById)
{
    OPTITEM* item = nullptr;
    EXPECT_EQ(adapter->FindItem(TEXT("PWSTRFIDinputslot"), &item), 0);
    EXPECT_EQ(item, &Item(0));
    EXPECT_EQ(adapter->FindItem(TEXT("Missing"), &item), kPropsheetNoItem);
    EXPECT_EQ(adapter->FindItemContaining(TEXT("FIDInputB"), &item), 0);
    EXPECT_EQ(item, &Item(1));
    // Items without a public id count among themselves: the third is "Halftone".
    EXPECT_EQ(adapter->FindItemById(DMPUB_NONE, 2, &item), 0);
    EXPECT_EQ(item, &Item(5));
    EXPECT_EQ(adapter->FindItemById(DMPUB_NONE, 3, &item), kPropsheetNoItem);
    EXPECT_EQ(adapter->FindItemById(DMPUB_DUPLEX, 5, &item), 0);
    EXPECT_EQ(item, &Item(2));
    EXPECT_EQ(adapter->FindOemItemById(DMPUB_NONE, &item), 0);
    EXPECT_EQ(item, Core().CommonUIParam()->pOEMOptItems);
}

TEST_F(PropSheetAdapterTest, HidingTwiceAnswersAlreadyHiddenAndCallsTheCoreDriverOnce)
{
    EXPECT_EQ(adapter->HideItem(TEXT("Resolution"), 1), 0);
    EXPECT_EQ(adapter->HideItem(TEXT("resolution"), 1), kPropsheetAlreadyHidden);
    EXPECT_EQ(adapter->HideItemById(DMPUB_COPIES_COLLATE, 0), 0);
    EXPECT_EQ(adapter->HideItemById(DMPUB_COPIES_COLLATE, 0), kPropsheetAlreadyHidden);
    const auto calls = Core().UpdateUISettingCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].keyword, "Resolution");
    EXPECT_EQ(calls[1].publicId, DMPUB_COPIES_COLLATE);
    EXPECT_EQ(calls[1].previous, 1u);  // the current selection is the previous one
    EXPECT_EQ(Item(4).Flags & OPTIF_HIDE, static_cast<DWORD>(OPTIF_HIDE));

    EXPECT_EQ(adapter->DisableItem(TEXT("Duplex"), 1), 0);
    EXPECT_EQ(adapter->DisableItem(TEXT("Duplex"), 1), kPropsheetAlreadyDisabled);
    EXPECT_EQ(adapter->EnableItem(TEXT("Duplex"), 1), 0);
    EXPECT_EQ(adapter->EnableItem(TEXT("Duplex"), 1), kPropsheetNotDisabled);
    // An option that carries the warning icon counts as hidden already; an index past the end is
    // out of range.
    EXPECT_EQ(adapter->HideOption(TEXT("Duplex"), 1, 1), kPropsheetAlreadyHidden);
    EXPECT_EQ(adapter->HideOption(TEXT("Duplex"), 2, 1), kPropsheetBadArgument);
    EXPECT_EQ(adapter->HideOptionById(DMPUB_DUPLEX, 0, 0), 0);
    EXPECT_EQ(Item(2).pOptType->pOptParam[0].Flags & OPTPF_HIDE, OPTPF_HIDE);
}

TEST_F(PropSheetAdapterTest, KeywordEnumerationRestoresSelectionAndWarningIcon)
{
    WCHAR** keywords = nullptr;
    int count = 0;
    ASSERT_EQ(adapter->GetOptionKeywords(TEXT("Duplex"), &keywords, &count, 1), 0);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(Narrow(keywords[0]), "NONE");
    EXPECT_EQ(Narrow(keywords[1]), "VERTICAL");
    FreeAdapterTexts(keywords, count);
    EXPECT_EQ(Item(2).Sel, 1);
    EXPECT_EQ(Core().CurrentOption("Duplex"), "VERTICAL");
    EXPECT_NE(Item(2).pOptType->pOptParam[1].Flags & OPTPF_OVERLAY_WARNING_ICON, 0);
    for (const auto& call : Core().UpdateUISettingCalls()) {
        EXPECT_FALSE(call.warningDuringCall);  // lifted while the core driver looks
    }
    // A feature the core driver shows no item for answers its current option alone.
    Core().SetFeatures({{"Hidden", DMPUB_NONE, {Named("ONLY", TEXT("Only"))}, 0, true}});
    ASSERT_EQ(adapter->GetOptionKeywords(TEXT("Hidden"), &keywords, &count, 1), 0);
    ASSERT_EQ(count, 1);
    EXPECT_EQ(Narrow(keywords[0]), "ONLY");
    FreeAdapterTexts(keywords, count);
}

TEST_F(PropSheetAdapterTest, ResourceIdNamesAndTheBinKeywordOffset)
{
    WCHAR** names = nullptr;
    int count = 0;
    ASSERT_EQ(adapter->GetOptionNames(TEXT("pwstrFIDInputBin"), &names, &count), 0);
    ASSERT_EQ(count, 3);  // the automatic choice is shown by resource id
    EXPECT_EQ(Narrow(names[0]), "Tray 1");
    FreeAdapterTexts(names, count);

    WCHAR* name = nullptr;
    ASSERT_EQ(adapter->GetOptionNameByKeyword(TEXT("pwstrFIDInputBin"), TEXT("tray1"), &name), 0);
    EXPECT_EQ(Narrow(name), "Tray 1");
    delete[] name;
    EXPECT_EQ(Item(1).Sel, 2);
    WCHAR* keyword = nullptr;
    // Four keywords and three names do not pair the other way round.
    EXPECT_EQ(adapter->GetOptionKeywordByName(TEXT("pwstrFIDInputBin"), TEXT("Tray 1"), &keyword),
              kPropsheetBadArgument);
    ASSERT_EQ(adapter->GetOptionKeywordByName(TEXT("Duplex"), TEXT("long edge"), &keyword), 0);
    EXPECT_EQ(Narrow(keyword), "VERTICAL");
    delete[] keyword;

    int index = -1;
    ASSERT_EQ(adapter->GetSelectedOptionIndex(TEXT("pwstrFIDInputBin"), &index), 0);
    EXPECT_EQ(index, 2);
    EXPECT_EQ(adapter->SelectOptionByName(&Item(1), TEXT("Tray 1"), 1), 0);
    EXPECT_EQ(Item(1).Sel, 1);
    EXPECT_EQ(adapter->SelectOptionByName(&Item(1), TEXT("tray 2"), 1), kPropsheetNoOption);
    EXPECT_EQ(adapter->GetSelectedOptionNameById(DMPUB_DEFSOURCE, 0, &name), 0);
    EXPECT_EQ(Narrow(name), "Upper");
    delete[] name;
}

TEST_F(PropSheetAdapterTest, SelectionsAndTheCoreDriversSetting)
{
    WCHAR* setting = nullptr;
    ASSERT_EQ(adapter->GetDriverSetting(TEXT("pwstrFIDInputBin"), &setting), 0);
    EXPECT_EQ(Narrow(setting), "TRAY2");
    delete[] setting;
    EXPECT_EQ(adapter->GetDriverSetting(TEXT("Unknown"), &setting), kPropsheetNoItem);

    EXPECT_EQ(adapter->SelectOptionByKeyword(TEXT("pwstrFIDInputBin"), TEXT("manual"), 1), 0);
    EXPECT_EQ(Item(1).Sel, 3);
    EXPECT_EQ(adapter->SelectOptionByKeyword(TEXT("pwstrFIDInputBin"), TEXT("NOWHERE"), 1),
              kPropsheetNoOption);
    EXPECT_EQ(Item(1).Sel, 3);
    EXPECT_EQ(Core().CurrentOption("pwstrFIDInputBin"), "MANUAL");
    EXPECT_EQ(adapter->FindOptionIndexByKeyword(TEXT("tray1"), TEXT("pwstrFIDInputBin"), nullptr), 1);
    EXPECT_EQ(adapter->FindOptionIndexByKeyword(TEXT("NOWHERE"), nullptr, &Item(1)), 4);
    EXPECT_EQ(adapter->FindOptionIndexByKeyword(nullptr, TEXT("pwstrFIDInputBin"), nullptr), -1);
    EXPECT_EQ(Item(1).Sel, 3);

    EXPECT_EQ(adapter->SelectOptionByIndex(TEXT("Resolution"), 2, 1), kPropsheetBadArgument);
    EXPECT_EQ(adapter->SelectOptionByIndex(TEXT("Resolution"), 1, 1), 0);
    EXPECT_EQ(Item(4).Flags & OPTIF_CHANGED, static_cast<DWORD>(OPTIF_CHANGED));
    const unsigned past = 2;
    EXPECT_EQ(adapter->SelectOptionByIndexRef(TEXT("Resolution"), &past, 1), kPropsheetNoOption);
    // The copies item takes any number as its selection.
    EXPECT_EQ(adapter->SetSelectionById(DMPUB_COPIES_COLLATE, 0, 25), 0);
    EXPECT_EQ(Item(3).Sel, 25);
    EXPECT_EQ(adapter->SelectOptionById(DMPUB_DUPLEX, 0, 2), kPropsheetBadArgument);
    EXPECT_EQ(adapter->HasWarningSelection(), 1);
    EXPECT_EQ(adapter->SelectOptionById(DMPUB_DUPLEX, 0, 0), 0);
    EXPECT_EQ(adapter->HasWarningSelection(), 0);
}

TEST_F(PropSheetAdapterTest, ListsOverAllItems)
{
    const DWORD items = Core().CommonUIParam()->cDrvOptItems + Core().CommonUIParam()->cOEMOptItems;
    EXPECT_EQ(adapter->ResetSelections(nullptr, static_cast<int>(items) - 1), kPropsheetBadArgument);
    EXPECT_EQ(adapter->ResetSelections(nullptr, static_cast<int>(items)), 0);
    // From the bins on (their first option has no warning), every item goes back to its first.
    for (size_t i = 0; i < Core().CommonUIParam()->cDrvOptItems; ++i) {
        EXPECT_EQ(Item(i).Sel, 0) << i;
    }

    WCHAR** keywords = nullptr;
    WCHAR** settings = nullptr;
    int count = 0;
    ASSERT_EQ(adapter->GetDriverKeywords(&keywords, &settings, &count), 0);
    ASSERT_EQ(count, 5);  // every item but the copies item
    EXPECT_EQ(Narrow(keywords[2]), "Duplex");
    EXPECT_EQ(Narrow(settings[2]), "NONE");
    FreeAdapterTexts(keywords, count);
    FreeAdapterTexts(settings, count);

    WCHAR** names = nullptr;
    WCHAR** values = nullptr;
    ASSERT_EQ(adapter->GetStandardSettings(&names, &values, &count), 0);
    ASSERT_EQ(count, 2);  // the plug-in's item has no option to name
    EXPECT_EQ(Narrow(names[0]), "Copies");
    EXPECT_EQ(Narrow(values[0]), "0");
    EXPECT_EQ(Narrow(names[1]), "Duplex");
    EXPECT_EQ(Narrow(values[1]), "Off");
    FreeAdapterTexts(names, count);
    FreeAdapterTexts(values, count);
}

// A combo box's entries matched with the option names: exactly for an entry's option, without
// regard to case for an entry.
TEST_F(PropSheetAdapterTest, ComboEntriesAndOptionNames)
{
    HWND combo = CreateWindowExW(0, TEXT("ComboBox"), nullptr, CBS_DROPDOWNLIST, 0, 0, 100, 100, nullptr,
                                 nullptr, nullptr, nullptr);
    ASSERT_NE(combo, nullptr);
    for (const WCHAR* text : {TEXT("Lower"), TEXT("upper"), TEXT("Tray 1"), TEXT("")}) {
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    struct Case {
        int entry;
        size_t item;
        LONG option;
    } const cases[] = {
        {0, 0, 1},   // "Lower" is the slot's second option
        {1, 0, -1},  // "upper" differs from "Upper" in case
        {2, 1, 1},   // "Tray 1" follows the bin's resource-id option
        {3, 1, -1},  // an empty entry never matches the resource-id option
        {4, 0, -1},  // no such entry
        {-1, 0, -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(adapter->FindComboSelectionOption(c.entry, combo, &Item(c.item)), c.option) << c.entry;
    }
    EXPECT_EQ(adapter->FindComboSelectionOption(0, combo, nullptr), -1);

    EXPECT_EQ(adapter->FindComboEntry(TEXT("UPPER"), combo), 1);
    EXPECT_EQ(adapter->FindComboEntry(TEXT("tray 1"), combo), 2);
    EXPECT_EQ(adapter->FindComboEntry(TEXT(""), combo), 3);
    EXPECT_EQ(adapter->FindComboEntry(TEXT("Tray"), combo), -1);
    EXPECT_EQ(adapter->FindComboEntry(nullptr, combo), -1);

    DestroyWindow(combo);
    EXPECT_EQ(adapter->FindComboSelectionOption(0, combo, &Item(0)), -1);
    EXPECT_EQ(adapter->FindComboEntry(TEXT("Lower"), combo), -1);
    EXPECT_EQ(adapter->FindComboEntry(TEXT("Lower"), nullptr), -1);
}

TEST(PropSheetAdapterBlockTest, EveryOperationRefusesAMissingBlockOrUIObject)
{
    OEMCUIPPARAM noUIObject = {};
    for (POEMCUIPPARAM param : {static_cast<POEMCUIPPARAM>(nullptr), &noUIObject}) {
        CNiraPropSheetAdapter adapter(param);
        OPTITEM* item = nullptr;
        WCHAR* text = nullptr;
        WCHAR** list = nullptr;
        int count = 0;
        EXPECT_EQ(adapter.FindItem(TEXT("Duplex"), &item), kPropsheetBadArgument);
        EXPECT_EQ(adapter.HideItem(TEXT("Duplex"), 1), kPropsheetBadArgument);
        EXPECT_EQ(adapter.HideItemById(DMPUB_DUPLEX, 0), kPropsheetBadArgument);
        EXPECT_EQ(adapter.GetDriverSetting(TEXT("Duplex"), &text), kPropsheetBadArgument);
        EXPECT_EQ(adapter.GetOptionKeywords(TEXT("Duplex"), &list, &count, 1), kPropsheetBadArgument);
        EXPECT_EQ(adapter.ResetSelections(nullptr, 0), kPropsheetBadArgument);
        EXPECT_EQ(adapter.HasWarningSelection(), 0);
        EXPECT_EQ(adapter.FindOptionIndexByKeyword(TEXT("A"), TEXT("Duplex"), nullptr), -1);
        EXPECT_EQ(adapter.FindComboEntry(TEXT("A"), nullptr), -1);
    }
}

}  // namespace
