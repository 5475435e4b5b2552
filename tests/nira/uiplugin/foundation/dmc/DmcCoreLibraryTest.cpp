// The sample package's DMC core library through its exports, as any caller loads it.
#include "nira/uiplugin/foundation/dmc/DmcCoreExports.h"

#include "tests/nira/uiplugin/foundation/dmc/DmcFixture.h"

#include "support/WString.h"

namespace {

class DmcCoreLibrary : public DmcTest {
protected:
    void SetUp() override
    {
        DmcTest::SetUp();
        module = LoadLibraryW(PackageFile(TEXT("niradmc.dll")).c_str());
        ASSERT_NE(module, nullptr);
    }
    void TearDown() override
    {
        if (module != nullptr) {
            Export<DmcEndConfigProc>("DMCEndConfig")();
            FreeLibrary(module);
        }
    }

    template <typename Proc>
    Proc Export(const char* name)
    {
        FARPROC proc = GetProcAddress(module, name);
        EXPECT_NE(proc, nullptr) << name;
        return reinterpret_cast<Proc>(reinterpret_cast<void*>(proc));
    }

    int Start(const WString& config = TEXT("nirasmpl_dmc.xml"), int access = kDmcAccessRead,
              int mode = kDmcStartCurrentValues)
    {
        WCHAR root[kDmcValueChars] = TEXT("dmc_driver");
        return Export<DmcStartConfigProc>("DMCStartConfig")(PackageFile(config).c_str(), access, root, mode);
    }

    WString Prv(const WCHAR* path)
    {
        WCHAR value[kDmcValueChars] = {};
        return Export<DmcGetPrvProc>("DMCGetPRV")(path, value) ? WString(value) : TEXT("<none>");
    }

    HMODULE module = nullptr;
};

TEST_F(DmcCoreLibrary, OpensOnlyAKnownComponentForReading)
{
    EXPECT_EQ(Start(TEXT("absent.xml")), 0);
    EXPECT_EQ(Start(TEXT("nirasmpl_dmc.xml"), 1), 0);
    EXPECT_EQ(Start(TEXT("nirasmpl_dmc.xml"), kDmcAccessRead, 0), 0);
    machine.WriteFile(PackageFile(TEXT("broken.xml")), "<device><software>");
    EXPECT_EQ(Start(TEXT("broken.xml")), 0);
    EXPECT_EQ(Export<DmcEndConfigProc>("DMCEndConfig")(), 0);  // nothing open
    ASSERT_EQ(Start(), 1);
    EXPECT_EQ(Export<DmcEndConfigProc>("DMCEndConfig")(), 1);
}

TEST_F(DmcCoreLibrary, AnswersTheFeatureTree)
{
    ASSERT_EQ(Start(), 1);
    auto count = Export<DmcCountChildElementsProc>("DMCCountChildElements");
    EXPECT_EQ(count(TEXT("device/software/component[dmc_driver]/current/printing"), TEXT("feature")), 7);
    EXPECT_EQ(count(TEXT("device/software/component[dmc_driver]/current/physical"), TEXT("feature")), 2);
    EXPECT_EQ(count(TEXT("device/software/component[other]/current/physical"), TEXT("feature")), 0);
    EXPECT_EQ(count(TEXT("current/printing/Duplex[AUTOMATIC]"), TEXT("feature")), 2);

    WCHAR list[kDmcFeatureListChars] = {};
    auto features = Export<DmcEnumFeaturesProc>("DMCEnumFeatures");
    ASSERT_EQ(features(TEXT("current/printing/Duplex[AUTOMATIC]"), list), 1);
    EXPECT_EQ(WString(list), TEXT("DuplexEdge]@[Preserve_Layout"));
    ASSERT_EQ(features(TEXT("current/printing/Duplex[FALSE]"), list), 1);
    EXPECT_EQ(WString(list), DMC_LIST_SEPARATOR);
    EXPECT_EQ(features(TEXT("current/printing/Staple"), list), 0);
    EXPECT_EQ(features(TEXT("current/printing/Duplex[it's]"), list), 0);

    EXPECT_EQ(Prv(TEXT("current/printing/PrintQuality")), TEXT("Normal"));
    EXPECT_EQ(Prv(TEXT("current/printing/Duplex[AUTOMATIC]/DuplexEdge")), TEXT("LongEdge"));
    EXPECT_EQ(Prv(TEXT("device/software/component[dmc_driver]/current/physical/Tray2")),
              TEXT("NotInstalled"));
    EXPECT_EQ(Prv(TEXT("current/printing/")), TEXT("<none>"));

    WCHAR text[kDmcValueChars] = {};
    auto attribute = Export<DmcGetNamedFeatureAttributeProc>("DMCGetNamedFeatureAttribute");
    EXPECT_EQ(attribute(TEXT("current/physical/DuplexUnit"), TEXT("lock"), text), 1);
    EXPECT_EQ(WString(text), TEXT("true"));
    EXPECT_EQ(attribute(TEXT("current/physical/DuplexUnit"), TEXT("color"), text), 0);
    EXPECT_EQ(attribute(TEXT("current/physical/Nothing"), TEXT("lock"), text), -1);

    WCHAR options[kDmcOptionListChars] = {};
    ASSERT_EQ(Export<DmcEnumOptionsProc>("DMCEnumOptions")(TEXT("current/physical/Tray2"), options), 1);
    EXPECT_EQ(WString(options), TEXT("Installed]@[NotInstalled"));
    ASSERT_EQ(
        Export<DmcGetFeatureAttributesProc>("DMCGetFeatureAttributes")(TEXT("current/physical/Tray2"), list),
        1);
    EXPECT_EQ(WString(list), TEXT("name=Tray2]@[value=NotInstalled]@[lock=true"));
}

TEST_F(DmcCoreLibrary, ListTokensAreTakenOutInOrder)
{
    auto take = Export<DmcEnumListTokenProc>("DMCEnumListToken");
    WCHAR list[kDmcFeatureListChars] = TEXT("Duplex]@[]@[Tray2");
    WCHAR token[kDmcValueChars] = {};
    std::vector<WString> tokens;
    while (take(token, list)) {
        tokens.push_back(token);
    }
    EXPECT_EQ(tokens, (std::vector<WString>{TEXT("Duplex"), TEXT(""), TEXT("Tray2")}));
    // A token longer than a token buffer is cut, and the rest of the list still follows.
    WString longList = WString(300, TEXT('x')) + DMC_LIST_SEPARATOR + TEXT("y");
    std::copy(longList.begin(), longList.end() + 1, list);
    ASSERT_EQ(take(token, list), 1);
    EXPECT_EQ(WString(token), WString(kDmcValueChars - 1, TEXT('x')));
    ASSERT_EQ(take(token, list), 1);
    EXPECT_EQ(WString(token), TEXT("y"));
    EXPECT_EQ(take(token, list), 0);
}

TEST_F(DmcCoreLibrary, ContextValuesCanBeChangedSavedAndExported)
{
    ASSERT_EQ(Start(), 1);
    WCHAR text[kDmcValueChars] = {};
    ASSERT_EQ(Export<DmcGetContextProc>("DMCGetContext")(text), 1);
    EXPECT_EQ(WString(text), TEXT("device/software/component[dmc_driver]"));
    ASSERT_EQ(Export<DmcSetContextRelativeProc>("DMCSetContextRelative")(TEXT("current/printing/MediaType")),
              1);
    ASSERT_EQ(Export<DmcGetContextPrvProc>("DMCGetContextPRV")(text), 1);
    EXPECT_EQ(WString(text), TEXT("PLAIN"));
    ASSERT_EQ(Export<DmcSetContextPrvProc>("DMCSetContextPRV")(TEXT("ZQ_PREM_INKJET_PAPER")), 1);
    EXPECT_EQ(Export<DmcSetContextProc>("DMCSetContext")(TEXT("current/printing/Staple")), 0);
    // Relative paths start from the context; back to the component.
    ASSERT_EQ(Export<DmcSetContextProc>("DMCSetContext")(TEXT("device/software/component[dmc_driver]")), 1);
    ASSERT_EQ(
        Export<DmcSetProc>("DMCSet")(TEXT("device/software/component[dmc_driver]/current/physical/Tray2"),
                                     nullptr, TEXT("Installed")),
        1);
    ASSERT_EQ(Export<DmcGetProc>("DMCGet")(
                  TEXT("device/software/component[dmc_driver]/current/physical/Tray2"), TEXT("lock"), text),
              1);
    EXPECT_EQ(WString(text), TEXT("true"));

    const WString saved = PackageFile(TEXT("saved_dmc.xml"));
    ASSERT_EQ(Export<DmcSaveDomProc>("saveDOM")(saved.c_str()), 1);
    ASSERT_EQ(Export<DmcStartExportProc>("DMCStartExport")(PackageFile(TEXT("export.xml")).c_str()), 1);
    EXPECT_EQ(Export<DmcSetExportProc>("DMCSetExport")(TEXT("current/physical/Tray2")), 1);
    EXPECT_EQ(Export<DmcSetExportProc>("DMCSetExport")(TEXT("current/physical/Nothing")), 0);
    EXPECT_EQ(Export<DmcEndExportProc>("DMCEndExport")(), 1);
    EXPECT_EQ(Export<DmcGetLastComErrorProc>("DMCGetLastCOMError")(), S_OK);
    Export<DmcEndConfigProc>("DMCEndConfig")();

    std::string exported;
    ASSERT_TRUE(machine.ReadFile(PackageFile(TEXT("export.xml")), exported));
    EXPECT_NE(exported.find("name=\"Tray2\" value=\"Installed\""), std::string::npos) << exported;
    ASSERT_EQ(Start(TEXT("saved_dmc.xml")), 1);
    EXPECT_EQ(Prv(TEXT("current/printing/MediaType")), TEXT("ZQ_PREM_INKJET_PAPER"));
    EXPECT_EQ(Prv(TEXT("current/physical/Tray2")), TEXT("Installed"));
    Export<DmcEndConfigProc>("DMCEndConfig")();
}

}  // namespace
