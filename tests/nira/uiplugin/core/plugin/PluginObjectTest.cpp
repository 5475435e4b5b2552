// The UI plug-in object and its class factory as the simulated core driver reaches them from the
// sample package's driver INI.
#include "CoreDriverFixture.h"

namespace {

typedef HRESULT(STDAPICALLTYPE* GetClassObjectProc)(REFCLSID, REFIID, LPVOID*);
typedef HRESULT(STDAPICALLTYPE* CanUnloadNowProc)();

const GUID kUnknownId = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};

TEST_F(CoreDriverTest, CoreDriverStartsThePluginOfTheDriverIni)
{
    ASSERT_NE(Core().PluginModule(), nullptr);
    ASSERT_NE(Core().Plugin(), nullptr);
    EXPECT_EQ(Core().Info(OEMGI_GETREQUESTEDHELPERINTERFACES).result, S_OK);
    EXPECT_EQ(Core().Info(OEMGI_GETREQUESTEDHELPERINTERFACES).value,
              static_cast<DWORD>(OEMPUBLISH_IPRINTCOREHELPER));
    EXPECT_EQ(Core().Info(OEMGI_GETREQUESTEDHELPERINTERFACES).needed, 0u);  // left untouched
    EXPECT_EQ(Core().PublishResult(), S_OK);
    EXPECT_EQ(Core().Info(OEMGI_GETSIGNATURE).value, 0x5A515549u);
    EXPECT_EQ(Core().Info(OEMGI_GETVERSION).value, 0x00120001u);
    EXPECT_EQ(Core().Info(OEMGI_GETVERSION).needed, 4u);
}

TEST_F(CoreDriverTest, GetInfoForHelpersRefusesASmallBuffer)
{
    DWORD value = 7;
    DWORD needed = 9;
    EXPECT_EQ(Core().Plugin()->GetInfo(OEMGI_GETREQUESTEDHELPERINTERFACES, &value, 3, &needed), E_FAIL);
    EXPECT_EQ(Core().Plugin()->GetInfo(OEMGI_GETREQUESTEDHELPERINTERFACES, nullptr, 4, &needed), E_FAIL);
    EXPECT_EQ(value, 7u);
    EXPECT_EQ(needed, 9u);
}

TEST_F(CoreDriverTest, BothClassIdsMakeThePluginObject)
{
    auto getClassObject = PluginExport<GetClassObjectProc>("DllGetClassObject");
    ASSERT_NE(getClassObject, nullptr);
    for (const CLSID& clsid : {CLSID_OEMUI, CLSID_OEMPTPROVIDER}) {
        IClassFactory* factory = nullptr;
        ASSERT_EQ(getClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
        IPrintOemPrintTicketProvider* provider = nullptr;
        EXPECT_EQ(factory->CreateInstance(nullptr, IID_IPrintOemPrintTicketProvider,
                                          reinterpret_cast<void**>(&provider)),
                  S_OK);
        ASSERT_NE(provider, nullptr);
        EXPECT_EQ(provider->Release(), 0u);
        EXPECT_EQ(factory->Release(), 0u);
    }
}

TEST_F(CoreDriverTest, InterfaceTableOfThePluginObject)
{
    IPrintOemUI2* ui = Core().Plugin();
    IUnknown* unknown = nullptr;
    IPrintOemUI* first = nullptr;
    IPrintOemPrintTicketProvider* provider = nullptr;
    ASSERT_EQ(ui->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
    ASSERT_EQ(ui->QueryInterface(IID_IPrintOemUI, reinterpret_cast<void**>(&first)), S_OK);
    ASSERT_EQ(ui->QueryInterface(IID_IPrintOemPrintTicketProvider, reinterpret_cast<void**>(&provider)),
              S_OK);
    EXPECT_EQ(unknown, static_cast<IUnknown*>(ui));
    EXPECT_EQ(first, static_cast<IPrintOemUI*>(ui));
    EXPECT_NE(static_cast<void*>(provider), static_cast<void*>(ui));
    // The provider's IUnknown slots count on the same object.
    IUnknown* fromProvider = nullptr;
    ASSERT_EQ(provider->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&fromProvider)), S_OK);
    EXPECT_EQ(fromProvider, unknown);
    EXPECT_EQ(provider->AddRef(), 6u);  // the core driver's, unknown, first, provider, fromProvider
    EXPECT_EQ(ui->Release(), 5u);
    void* none = &none;
    EXPECT_EQ(provider->QueryInterface(kUnknownId, &none), E_NOINTERFACE);
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(fromProvider->Release(), 4u);
    EXPECT_EQ(provider->Release(), 3u);
    EXPECT_EQ(first->Release(), 2u);
    EXPECT_EQ(unknown->Release(), 1u);
}

TEST_F(CoreDriverTest, RefusedClassInterfaceAndAggregation)
{
    auto getClassObject = PluginExport<GetClassObjectProc>("DllGetClassObject");
    auto canUnloadNow = PluginExport<CanUnloadNowProc>("DllCanUnloadNow");
    void* out = &out;
    EXPECT_EQ(getClassObject(kUnknownId, IID_IClassFactory, &out), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(out, &out);
    EXPECT_EQ(getClassObject(CLSID_OEMUI, kUnknownId, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);

    // With the core driver gone no object lives, and a refused interface leaves none behind.
    HMODULE module =
        LoadLibraryW((nirasim::Machine::DriverVersionDirectory() + TEXT("\\nirauip.dll")).c_str());
    core.reset();
    IClassFactory* factory = nullptr;
    ASSERT_EQ(getClassObject(CLSID_OEMUI, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
    EXPECT_EQ(factory->CreateInstance(nullptr, kUnknownId, &out), E_NOINTERFACE);
    EXPECT_EQ(out, nullptr);
    EXPECT_EQ(canUnloadNow(), S_OK);
    out = &out;
    EXPECT_EQ(factory->CreateInstance(factory, IID_IPrintOemUI2, &out), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(canUnloadNow(), S_OK);
    factory->Release();
    FreeLibrary(module);
}

TEST_F(CoreDriverTest, UnloadWaitsForLiveObjectsAndLocks)
{
    // The test's own hold on the module keeps it loaded when the core driver goes.
    HMODULE module =
        LoadLibraryW((nirasim::Machine::DriverVersionDirectory() + TEXT("\\nirauip.dll")).c_str());
    ASSERT_EQ(module, Core().PluginModule());
    auto canUnloadNow = PluginExport<CanUnloadNowProc>("DllCanUnloadNow");
    auto getClassObject = PluginExport<GetClassObjectProc>("DllGetClassObject");
    EXPECT_EQ(canUnloadNow(), S_FALSE);  // the core driver's plug-in object
    core.reset();
    EXPECT_EQ(canUnloadNow(), S_OK);
    IClassFactory* factory = nullptr;
    ASSERT_EQ(getClassObject(CLSID_OEMUI, IID_IClassFactory, reinterpret_cast<void**>(&factory)), S_OK);
    EXPECT_EQ(factory->LockServer(TRUE), S_OK);
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    EXPECT_EQ(factory->LockServer(FALSE), S_OK);
    EXPECT_EQ(canUnloadNow(), S_OK);
    factory->Release();
    FreeLibrary(module);
}

TEST_F(CoreDriverTest, SecondPublishKeepsTheFirstHelper)
{
    nirasim::CoreDriverInstance& instance = Core();
    // The plug-in holds the published helper: the instance's own count and the plug-in's.
    IPrintCoreHelper* helper = instance.CoreHelper();
    const ULONG held = helper->AddRef() - 1;
    helper->Release();
    EXPECT_EQ(instance.Plugin()->PublishDriverInterface(helper), E_FAIL);
    EXPECT_EQ(helper->AddRef() - 1, held);
    helper->Release();
}

TEST_F(CoreDriverTest, SlotsThatAreNotImplemented)
{
    IPrintOemUI2* plugin = Core().Plugin();
    EXPECT_EQ(plugin->HideStandardUI(3), E_NOTIMPL);
    EXPECT_EQ(plugin->HideStandardUI(OEMCUIP_DOCPROP_HIDE), S_OK);
    EXPECT_EQ(plugin->DevQueryPrintEx(nullptr, nullptr, nullptr, nullptr), E_NOTIMPL);
    EXPECT_EQ(plugin->FontInstallerDlgProc(nullptr, 0, 0, 0), E_NOTIMPL);
    EXPECT_EQ(plugin->UpdateExternalFonts(nullptr, nullptr, nullptr), E_NOTIMPL);
    EXPECT_EQ(plugin->QueryJobAttributes(nullptr, nullptr, 0, nullptr), E_NOTIMPL);
    DRIVER_UPGRADE_INFO_1W upgrade = {const_cast<LPWSTR>(kPrinter), nullptr};
    EXPECT_EQ(plugin->UpgradePrinter(1, reinterpret_cast<PBYTE>(&upgrade)), E_NOTIMPL);
    EXPECT_EQ(plugin->UpgradePrinter(1, nullptr), E_NOTIMPL);
}

}  // namespace

namespace {

// Once a slot has made the helpers the events reach their handler; the sheets still bind the
// settings helper module.
TEST_F(CoreDriverTest, SlotsOfMissingHelpersAnswerTheirFailure)
{
    IPrintOemUI2* plugin = Core().Plugin();
    OEMDMPARAM devModeParam = {};
    devModeParam.hPrinter = Core().Printer();
    EXPECT_EQ(plugin->DevMode(OEMDM_SIZE, &devModeParam), S_OK);
    EXPECT_EQ(devModeParam.cbBufSize, 6892u);
    EXPECT_EQ(plugin->DevMode(OEMDM_SIZE, nullptr), E_FAIL);
    // A capability no handler answers leaves the caller's result.
    DWORD result = 5;
    EXPECT_EQ(plugin->DeviceCapabilities(nullptr, Core().Printer(), nullptr, DC_FIELDS, nullptr, nullptr,
                                         nullptr, 0, &result),
              S_OK);
    EXPECT_EQ(result, 5u);
    // The UI core refuses a colour-profile request without DEVMODEs.
    EXPECT_EQ(
        plugin->QueryColorProfile(Core().Printer(), nullptr, nullptr, nullptr, 0, nullptr, nullptr, nullptr),
        E_FAIL);
    EXPECT_EQ(plugin->DriverEvent(1, 3, nullptr, 0), S_OK);
    // A create-DC without its record is refused inside: the result stays as it was.
    INT eventResult = 0;
    EXPECT_EQ(plugin->DocumentEvent(Core().Printer(), nullptr, 1, 0, nullptr, 0, nullptr, &eventResult),
              S_OK);
    EXPECT_EQ(eventResult, 0);
    // The sheets go to the UI core, which shows none yet.
    EXPECT_EQ(plugin->DevicePropertySheets(nullptr, 0), S_OK);

    ASSERT_EQ(Core().CommonUIProp(OEMCUIP_DOCPROP, 0), S_OK);  // tells the plug-in its printer
    EXPECT_EQ(plugin->DocumentPropertySheets(nullptr, 0), S_OK);
    EXPECT_NE(GetModuleHandleW(TEXT("nirasettings.dll")), nullptr);
}

}  // namespace
