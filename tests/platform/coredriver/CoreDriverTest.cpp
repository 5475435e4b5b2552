// The simulated core driver as its plug-ins and the spooler see it: the helper it publishes over
// its own features, and the entries of its UI module.
#include <gtest/gtest.h>

#include <winspool.h>

#include <nirasim/CoreDriver.h>
#include <nirasim/Machine.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr const char16_t* kPrinter = TEXT("Nira Sample Inkjet");

class CoreDriverSideTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        machine.InstallSamplePackage(NIRA_BUILD_DIR);
        machine.AddSamplePrinter(kPrinter);
        core = std::make_unique<nirasim::CoreDriver>(kPrinter);
        ASSERT_TRUE(core->IsOpen());
    }

    template <class Proc>
    Proc Entry(const char* name)
    {
        return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(core->Module(), name)));
    }

    nirasim::Machine machine;
    std::unique_ptr<nirasim::CoreDriver> core;
};

TEST_F(CoreDriverSideTest, HelperSetsAndReadsItsOwnFeatures)
{
    IPrintCoreHelper* helper = (*core)->CoreHelper();
    PCSTR* features = nullptr;
    DWORD count = 0;
    ASSERT_EQ(helper->EnumFeatures(&features, &count), S_OK);
    std::vector<std::string> names(features, features + count);
    EXPECT_NE(std::find(names.begin(), names.end(), "%PagePerSheet"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), "Orientation"), names.end());

    const PRINT_FEATURE_OPTION pairs[] = {{"%PagePerSheet", "4"}, {"Orientation", "SIDEWAYS"}};
    DWORD written = 0;
    DWORD result = 0;
    EXPECT_EQ(helper->SetOptions(nullptr, 0, TRUE, pairs, 2, &written, &result), E_INVALIDARG);
    EXPECT_EQ(written, 1u);
    EXPECT_EQ((*core)->CurrentOption("%PagePerSheet"), "4");
    EXPECT_EQ((*core)->CurrentOption("Orientation"), "PORTRAIT");

    // On a DEVMODE the option goes into the core driver's own block of that DEVMODE.
    std::vector<BYTE> devMode = (*core)->DefaultDevMode().devMode;
    auto* publicPart = reinterpret_cast<DEVMODEW*>(devMode.data());
    const PRINT_FEATURE_OPTION duplex[] = {{"Duplex", "VERTICAL"}};
    EXPECT_EQ(helper->SetOptions(publicPart, static_cast<DWORD>(devMode.size()), FALSE, duplex, 1, &written,
                                 &result),
              S_OK);
    PCSTR option = nullptr;
    ASSERT_EQ(helper->GetOption(publicPart, static_cast<DWORD>(devMode.size()), "Duplex", &option), S_OK);
    EXPECT_STREQ(option, "VERTICAL");
    EXPECT_EQ((*core)->CurrentOption("Duplex"), "NONE");
    EXPECT_EQ(helper->GetOption(publicPart, sizeof(DEVMODEW), "Duplex", &option), E_INVALIDARG);

    const auto calls = (*core)->SetOptionsCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].pairs, (std::vector<std::pair<std::string, std::string>>{
                                  {"%PagePerSheet", "4"}, {"Orientation", "SIDEWAYS"}}));
    EXPECT_TRUE(calls[0].resolveConflicts);
    EXPECT_FALSE(calls[0].onDevMode);
    EXPECT_TRUE(calls[1].onDevMode);
}

TEST_F(CoreDriverSideTest, DocumentPropertiesAndConvertAnswerTheDefaultDevMode)
{
    typedef LONG(WINAPI * SheetsProc)(PPROPSHEETUI_INFO, LPARAM);
    typedef BOOL(WINAPI * ConvertProc)(LPWSTR, DEVMODEW*, DEVMODEW*, LONG*, DWORD);
    const std::vector<BYTE> defaults = (*core)->DefaultDevMode().devMode;

    HANDLE printer = nullptr;
    ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(kPrinter), &printer, nullptr));
    DOCUMENTPROPERTYHEADER header = {};
    header.cbSize = sizeof(header);
    header.hPrinter = printer;
    auto sheets = Entry<SheetsProc>("DrvDocumentPropertySheets");
    EXPECT_EQ(sheets(nullptr, reinterpret_cast<LPARAM>(&header)), static_cast<LONG>(defaults.size()));
    std::vector<BYTE> out(defaults.size());
    header.pdmOut = reinterpret_cast<DEVMODEW*>(out.data());
    header.cbOut = static_cast<DWORD>(out.size());
    header.fMode = 2;  // DM_OUT_BUFFER
    EXPECT_EQ(sheets(nullptr, reinterpret_cast<LPARAM>(&header)), IDOK);
    EXPECT_EQ(out, defaults);
    ClosePrinter(printer);

    auto convert = Entry<ConvertProc>("DrvConvertDevMode");
    LONG needed = 10;
    EXPECT_FALSE(convert(const_cast<LPWSTR>(kPrinter), nullptr, reinterpret_cast<DEVMODEW*>(out.data()),
                         &needed, CDM_DRIVER_DEFAULT));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(needed, static_cast<LONG>(defaults.size()));
    EXPECT_TRUE(convert(const_cast<LPWSTR>(kPrinter), nullptr, reinterpret_cast<DEVMODEW*>(out.data()),
                        &needed, CDM_DRIVER_DEFAULT));
    EXPECT_FALSE(convert(const_cast<LPWSTR>(kPrinter), nullptr, nullptr, &needed, 0x10));
}

// The spooler's DocumentPropertiesW goes to the configuration module: the size, the default, and
// a caller's DEVMODE merged: the public fields it names and the plug-in's section.
TEST_F(CoreDriverSideTest, DocumentPropertiesOfTheSpoolerMergeTheCallersDevMode)
{
    const std::vector<BYTE> defaults = (*core)->DefaultDevMode().devMode;
    HANDLE printer = nullptr;
    ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(kPrinter), &printer, nullptr));
    LPWSTR name = const_cast<LPWSTR>(kPrinter);
    ASSERT_EQ(DocumentPropertiesW(nullptr, printer, name, nullptr, nullptr, 0),
              static_cast<LONG>(defaults.size()));
    std::vector<BYTE> out(defaults.size());
    auto* outDevMode = reinterpret_cast<DEVMODEW*>(out.data());
    EXPECT_EQ(DocumentPropertiesW(nullptr, printer, name, outDevMode, nullptr, DM_OUT_BUFFER), IDOK);
    EXPECT_EQ(out, defaults);

    std::vector<BYTE> in(defaults);
    auto* inDevMode = reinterpret_cast<DEVMODEW*>(in.data());
    inDevMode->dmOrientation = DMORIENT_LANDSCAPE;
    inDevMode->dmPaperSize = DMPAPER_A4;
    inDevMode->dmCopies = 3;  // not named in dmFields: not taken
    inDevMode->dmFields = DM_ORIENTATION | DM_PAPERSIZE;
    EXPECT_EQ(
        DocumentPropertiesW(nullptr, printer, name, outDevMode, inDevMode, DM_IN_BUFFER | DM_OUT_BUFFER),
        IDOK);
    EXPECT_EQ(outDevMode->dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(outDevMode->dmPaperSize, DMPAPER_A4);
    EXPECT_EQ(outDevMode->dmCopies, 1);
    // The plug-in's merge noted the caller's paper size in its section, which ends the DEVMODE.
    const size_t total = outDevMode->dmSize + outDevMode->dmDriverExtra;
    ASSERT_EQ(total, out.size());
    LONG paperAtMerge = 0;
    std::memcpy(&paperAtMerge, out.data() + total - 6892 + 60, sizeof(paperAtMerge));
    EXPECT_EQ(paperAtMerge, DMPAPER_A4);

    EXPECT_EQ(DocumentPropertiesW(nullptr, printer, name, nullptr, nullptr, DM_OUT_BUFFER), -1);
    // Without a handle the spooler opens the printer by its name; without either it fails.
    EXPECT_EQ(DocumentPropertiesW(nullptr, nullptr, name, nullptr, nullptr, 0),
              static_cast<LONG>(defaults.size()));
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(DocumentPropertiesW(nullptr, nullptr, nullptr, nullptr, nullptr, 0), -1);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    ClosePrinter(printer);
}

}  // namespace
