// What the updater relies on of the machine's COM: classes found through the registry, and the
// process-wide security set once.
#include "DeviceInfoFixture.h"

#include <objbase.h>

#include "nira/uiplugin/foundation/deviceinfo/DeviceServerInterfaces.h"

#include "support/WString.h"

TEST_F(DeviceInfoTest, ClassesAreFoundThroughTheirRegisteredServer)
{
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
    void* object = nullptr;
    EXPECT_EQ(CoCreateInstance(CLSID_NiraObjectIdServer, nullptr, kDeviceServerContext,
                               IID_INiraObjectIdServer, &object),
              REGDB_E_CLASSNOTREG);

    // Registered, but the DLL is gone.
    HKEY key = nullptr;
    const WString path = TEXT("CLSID\\{D713F357-7920-4B91-9EB6-49054709EC7A}\\InprocServer32");
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr),
              ERROR_SUCCESS);
    const std::string missing = WideBytes(TEXT("C:\\Windows\\System32\\missing.dll"));
    RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(missing.data()),
                   static_cast<DWORD>(missing.size()));
    RegCloseKey(key);
    EXPECT_EQ(CoCreateInstance(CLSID_NiraObjectIdServer, nullptr, kDeviceServerContext,
                               IID_INiraObjectIdServer, &object),
              CO_E_DLLNOTFOUND);

    // The server registers itself; its class is made, and only for the interfaces it has.
    HMODULE server = LoadLibraryW(TEXT("C:\\Windows\\System32\\niraquery.dll"));
    ASSERT_NE(server, nullptr);
    auto registration =
        reinterpret_cast<HRESULT (*)()>(reinterpret_cast<void*>(GetProcAddress(server, "DllRegisterServer")));
    ASSERT_EQ(registration(), S_OK);
    EXPECT_EQ(CoCreateInstance(CLSID_NiraObjectIdServer, nullptr, kDeviceServerContext, IID_INiraMgmtRequest,
                               &object),
              E_NOINTERFACE);
    ASSERT_EQ(CoCreateInstance(CLSID_NiraObjectIdServer, nullptr, kDeviceServerContext,
                               IID_INiraObjectIdServer, &object),
              S_OK);
    static_cast<IUnknown*>(object)->Release();
    auto unregistration = reinterpret_cast<HRESULT (*)()>(
        reinterpret_cast<void*>(GetProcAddress(server, "DllUnregisterServer")));
    EXPECT_EQ(unregistration(), S_OK);
    EXPECT_EQ(CoCreateInstance(CLSID_NiraObjectIdServer, nullptr, kDeviceServerContext,
                               IID_INiraObjectIdServer, &object),
              REGDB_E_CLASSNOTREG);
    FreeLibrary(server);

    // Security is set once per process; later calls are too late.
    CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_NONE, RPC_C_IMP_LEVEL_IDENTIFY,
                         nullptr, EOAC_NONE, nullptr);
    EXPECT_EQ(CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_NONE,
                                   RPC_C_IMP_LEVEL_IDENTIFY, nullptr, EOAC_NONE, nullptr),
              RPC_E_TOO_LATE);
    CoUninitialize();
}

TEST_F(DeviceInfoTest, ManagementRequestBoundsItsEntries)
{
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
    HMODULE server = LoadLibraryW(TEXT("C:\\Windows\\System32\\niramgmt.dll"));
    ASSERT_NE(server, nullptr);
    auto getClassObject = reinterpret_cast<LPFNGETCLASSOBJECT>(
        reinterpret_cast<void*>(GetProcAddress(server, "DllGetClassObject")));
    IClassFactory* factory = nullptr;
    ASSERT_EQ(getClassObject(CLSID_NiraMgmtRequest, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
              S_OK);
    INiraMgmtRequest* request = nullptr;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_INiraMgmtRequest, reinterpret_cast<void**>(&request)),
              S_OK);
    factory->Release();

    EXPECT_EQ(request->Add(1, TEXT("1.3.6")), E_INVALIDARG);  // indices are filled in order
    EXPECT_EQ(request->Add(0, TEXT("1.3.6")), S_OK);
    EXPECT_EQ(request->Add(-1, TEXT("1.3.6")), E_INVALIDARG);
    EXPECT_EQ(request->Add(1, nullptr), E_POINTER);
    int error = 0;
    EXPECT_EQ(request->GetError(0, &error), E_INVALIDARG);  // not sent yet
    BYTE type = 0;
    BYTE* data = reinterpret_cast<BYTE*>(1);
    DWORD length = 7;
    EXPECT_EQ(request->GetValue(5, &type, &data, &length), E_INVALIDARG);
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(length, 0u);
    for (LONG index = 1; index < 64; ++index) {
        ASSERT_EQ(request->Add(index, TEXT("1.3.6")), S_OK);
    }
    EXPECT_EQ(request->Add(64, TEXT("1.3.6")), E_INVALIDARG);
    const WString tooLong(200, TEXT('1'));
    EXPECT_EQ(request->Add(0, tooLong.c_str()), E_INVALIDARG);
    EXPECT_EQ(request->Clear(), S_OK);
    request->Release();
    FreeLibrary(server);
    CoUninitialize();
}
