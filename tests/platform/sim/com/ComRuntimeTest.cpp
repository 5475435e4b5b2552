#include "platform/sim/xml/DomTestSupport.h"

#include <nirasim/Com.h>

#include <thread>

namespace {

TEST(Bstr, KeepsItsLengthInFrontAndCountsEmbeddedNulls)
{
    const OLECHAR text[] = {TEXT('a'), 0, TEXT('b')};
    BSTR b = SysAllocStringLen(text, 3);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(SysStringLen(b), 3u);
    EXPECT_EQ(SysStringByteLen(b), 6u);
    uint32_t prefix;
    memcpy(&prefix, reinterpret_cast<char*>(b) - 4, 4);
    EXPECT_EQ(prefix, 6u);
    EXPECT_EQ(b[3], 0);  // always terminated
    SysFreeString(b);

    EXPECT_EQ(SysAllocString(nullptr), nullptr);
    EXPECT_EQ(SysStringLen(nullptr), 0u);
    SysFreeString(nullptr);
    BSTR zeroed = SysAllocStringLen(nullptr, 2);
    EXPECT_EQ(zeroed[0], 0);
    SysFreeString(zeroed);
}

TEST(Bstr, AllocationFailureCanBeInjected)
{
    nirasim::com::FailBstrAllocationsAfter(1);
    BSTR first = SysAllocString(TEXT("x"));
    EXPECT_NE(first, nullptr);
    EXPECT_EQ(SysAllocString(TEXT("y")), nullptr);
    nirasim::com::FailBstrAllocationsAfter(-1);
    BSTR again = SysAllocString(TEXT("z"));
    EXPECT_NE(again, nullptr);
    SysFreeString(first);
    SysFreeString(again);
}

TEST(Variant, CopiesOwnTheirStringsAndConversionsFollowAutomation)
{
    VARIANT source, copy;
    VariantInit(&source);
    VariantInit(&copy);
    source.vt = VT_BSTR;
    source.bstrVal = SysAllocString(TEXT(" 42 "));
    ASSERT_EQ(VariantCopy(&copy, &source), S_OK);
    EXPECT_NE(copy.bstrVal, source.bstrVal);

    VARIANT number;
    VariantInit(&number);
    ASSERT_EQ(VariantChangeType(&number, &source, 0, VT_I4), S_OK);
    EXPECT_EQ(number.vt, VT_I4);
    EXPECT_EQ(number.lVal, 42);
    ASSERT_EQ(VariantChangeType(&number, &number, 0, VT_BSTR), S_OK);  // in place
    EXPECT_EQ(std::u16string(number.bstrVal), TEXT("42"));
    VariantClear(&number);

    SysReAllocString(&source.bstrVal, TEXT("4x"));
    EXPECT_EQ(VariantChangeType(&number, &source, 0, VT_I4), DISP_E_TYPEMISMATCH);
    SysReAllocString(&source.bstrVal, TEXT("70000"));
    EXPECT_EQ(VariantChangeType(&number, &source, 0, VT_I2), DISP_E_OVERFLOW);

    VARIANT truth;
    VariantInit(&truth);
    truth.vt = VT_BOOL;
    truth.boolVal = VARIANT_TRUE;
    ASSERT_EQ(VariantChangeType(&number, &truth, VARIANT_ALPHABOOL, VT_BSTR), S_OK);
    EXPECT_EQ(std::u16string(number.bstrVal), TEXT("True"));
    VariantClear(&number);
    VariantClear(&source);
    VariantClear(&copy);
}

TEST(ComRuntime, ApartmentsCountPerThreadAndCreationNeedsOne)
{
    Ref<IXMLDOMDocument> document;
    EXPECT_EQ(CoCreateInstance(CLSID_DOMDocument, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                               reinterpret_cast<void**>(&document)),
              CO_E_NOTINITIALIZED);
    EXPECT_EQ(CoInitialize(nullptr), S_OK);
    EXPECT_EQ(CoInitialize(nullptr), S_FALSE);
    EXPECT_EQ(CoInitializeEx(nullptr, COINIT_MULTITHREADED), RPC_E_CHANGED_MODE);
    HRESULT onOtherThread = S_OK;
    std::thread other([&] {
        onOtherThread = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        CoUninitialize();
    });
    other.join();
    EXPECT_EQ(onOtherThread, S_OK);

    EXPECT_EQ(CoCreateInstance(CLSID_DOMDocument, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                               reinterpret_cast<void**>(&document)),
              S_OK);
    Ref<IXMLDOMDocument2> document2;
    EXPECT_EQ(document.As(IID_IXMLDOMDocument2, document2), S_OK);
    Ref<IUnknown> nothing;
    const CLSID unknown = {0x12345678, 0x1, 0x2, {3, 4, 5, 6, 7, 8, 9, 10}};
    EXPECT_EQ(CoCreateInstance(unknown, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&nothing)),
              REGDB_E_CLASSNOTREG);
    document.Reset();
    document2.Reset();
    EXPECT_EQ(nirasim::com::LiveObjectCount(), 0);
    CoUninitialize();
    CoUninitialize();
}

class CountingFactory : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** object) override
    {
        if (riid != IID_IUnknown && riid != IID_IClassFactory) {
            return E_NOINTERFACE;
        }
        *object = this;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++references; }
    STDMETHODIMP_(ULONG) Release() override { return --references; }
    STDMETHODIMP CreateInstance(IUnknown*, REFIID riid, void** object) override
    {
        ++created;
        return QueryInterface(riid, object);
    }
    STDMETHODIMP LockServer(BOOL) override { return S_OK; }
    ULONG references = 1;
    int created = 0;
};

TEST(ComRuntime, RegisteredClassesAreCreatedThroughTheirFactory)
{
    ASSERT_EQ(CoInitialize(nullptr), S_OK);
    CountingFactory factory;
    const CLSID clsid = {0xabcdef01, 0x2, 0x3, {4, 5, 6, 7, 8, 9, 10, 11}};
    DWORD cookie = 0;
    ASSERT_EQ(CoRegisterClassObject(clsid, &factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie),
              S_OK);
    IUnknown* object = nullptr;
    EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                               reinterpret_cast<void**>(&object)),
              S_OK);
    EXPECT_EQ(factory.created, 1);
    object->Release();
    EXPECT_EQ(CoRevokeClassObject(cookie), S_OK);
    EXPECT_EQ(factory.references, 1u);
    EXPECT_EQ(CoRevokeClassObject(cookie), E_INVALIDARG);
    CoUninitialize();
}

TEST(ComRuntime, GuidsRoundTripThroughText)
{
    GUID guid;
    ASSERT_EQ(CoCreateGuid(&guid), S_OK);
    EXPECT_EQ(guid.Data3 >> 12, 4);
    OLECHAR text[39];
    ASSERT_EQ(StringFromGUID2(CLSID_DOMDocument30, text, 39), 39);
    EXPECT_EQ(std::u16string(text), TEXT("{F5078F32-C551-11D3-89B9-0000F81FE221}"));
    EXPECT_EQ(StringFromGUID2(CLSID_DOMDocument30, text, 38), 0);
    CLSID back;
    ASSERT_EQ(CLSIDFromString(text, &back), S_OK);
    EXPECT_TRUE(back == CLSID_DOMDocument30);
    EXPECT_EQ(CLSIDFromString(TEXT("{F5078F32-C551-11D3-89B9-0000F81FE22}"), &back), (HRESULT)0x800401F3L);
}

}  // namespace
