#include <windows.h>
#include <htmlhelp.h>

#include <nirasim/Help.h>
#include <nirasim/Machine.h>
#include <nirasim/Modules.h>

#include <gtest/gtest.h>

#include "common/NiraStatus.h"
#include "nira/presentation/HelpProvider.h"
#include "nira/presentation/UIHelpers.h"

namespace {

TEST(UIHelpers, ArabicAndHebrewReadRightToLeft)
{
    nirasim::Machine machine;
    struct Case {
        LANGID language;
        int rtl;
    };
    for (const Case& c :
         {Case{0x0401, 1}, Case{0x040D, 1}, Case{0x0C01, 1}, Case{0x0409, 0}, Case{1065, 0}}) {
        machine.SetUILanguage(c.language);
        EXPECT_EQ(IsRtlUILanguage(), c.rtl) << std::hex << c.language;
    }
}

TEST(UIHelpers, TheHelpProviderOpensTopicsOfItsFirstHelpFile)
{
    nirasim::Machine machine;
    EXPECT_EQ(GetHelpProvider(nullptr), nullptr);  // no help file: no provider, no help
    CNiraHelpProvider* provider = GetHelpProvider(TEXT("C:\\Temp\\printer.chm"));
    ASSERT_NE(provider, nullptr);
    EXPECT_EQ(GetHelpProvider(TEXT("C:\\Other.chm")), provider);
    EXPECT_EQ(provider->ShowContextHelp(nullptr, 1234, 0), 0);
    auto requests = nirasim::HelpRequests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].file, TEXT("C:\\Temp\\printer.chm::/1234.html"));
    EXPECT_EQ(requests[0].command, static_cast<UINT>(HH_DISPLAY_TOPIC));
    DeleteHelpProvider();
}

TEST(UIHelpers, ATopicTooLongForItsBufferIsNotShown)
{
    nirasim::Machine machine;
    std::u16string path = TEXT("C:\\") + std::u16string(250, 'h') + TEXT(".chm");
    CNiraHelpProvider provider(reinterpret_cast<LPCWSTR>(path.c_str()));
    EXPECT_EQ(provider.ShowHelp(nullptr, 1234, 0), static_cast<int>(NIRA_STATUS_FAILED));
    EXPECT_TRUE(nirasim::HelpRequests().empty());
}

TEST(UIHelpers, ManifestContextsNeedWindowsXpAndKernelSupport)
{
    nirasim::Machine machine;
    const char16_t* const module = TEXT("C:\\Program Files\\Fixture\\DialogFixture.dll");
    ASSERT_TRUE(machine.CopyIn(std::string(NIRA_BUILD_DIR) + "/fixtures/dialogfixture.dll", module));
    HMODULE loaded = LoadLibraryW(module);
    ASSERT_NE(loaded, nullptr);
    HANDLE context = nullptr;

    machine.SetWindowsVersion(5, 0);
    EXPECT_EQ(CreateManifestContext(loaded, 2, &context), static_cast<int>(NIRA_STATUS_FAILED));
    EXPECT_EQ(context, INVALID_HANDLE_VALUE);

    machine.SetWindowsVersion(5, 1);
    EXPECT_EQ(CreateManifestContext(loaded, 2, &context), 0);
    EXPECT_NE(context, INVALID_HANDLE_VALUE);
    ReleaseActCtx(context);
    EXPECT_EQ(CreateManifestContext(loaded, 3, &context), 0);  // no such manifest
    EXPECT_EQ(context, INVALID_HANDLE_VALUE);

    nirasim::RemoveSystemExport(TEXT("kernel32.dll"), "CreateActCtxW");
    EXPECT_EQ(CreateManifestContext(loaded, 2, &context), 0);
    EXPECT_EQ(context, INVALID_HANDLE_VALUE);
    FreeLibrary(loaded);
}

}  // namespace
