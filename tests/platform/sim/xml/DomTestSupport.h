// Small helpers for tests of the simulated DOM: owned COM pointers, BSTRs and a loaded document.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <oleauto.h>
#include <msxml2.h>

#include <gtest/gtest.h>

#include <string>

template <class T>
class Ref {
public:
    Ref() = default;
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    ~Ref() { Reset(); }
    T** operator&()
    {
        Reset();
        return &m_p;
    }
    T* operator->() const { return m_p; }
    T* get() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    void Reset()
    {
        if (m_p) {
            m_p->Release();
        }
        m_p = nullptr;
    }
    template <class U>
    HRESULT As(REFIID iid, Ref<U>& out) const
    {
        return m_p->QueryInterface(iid, reinterpret_cast<void**>(&out));
    }

private:
    T* m_p = nullptr;
};

class Bstr {
public:
    Bstr() = default;
    explicit Bstr(const char16_t* text) : m_b(SysAllocString(text)) {}
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    ~Bstr() { SysFreeString(m_b); }
    BSTR* operator&()
    {
        SysFreeString(m_b);
        m_b = nullptr;
        return &m_b;
    }
    operator BSTR() const { return m_b; }
    std::u16string str() const { return m_b ? std::u16string(m_b, SysStringLen(m_b)) : std::u16string(); }

private:
    BSTR m_b = nullptr;
};

// COM initialised for the test's thread.
class ComTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))); }
    void TearDown() override { CoUninitialize(); }

    static void NewDocument(Ref<IXMLDOMDocument2>& document)
    {
        ASSERT_EQ(CoCreateInstance(CLSID_DOMDocument30, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument2,
                                   reinterpret_cast<void**>(&document)),
                  S_OK);
    }

    static void Load(Ref<IXMLDOMDocument2>& document, const char16_t* text)
    {
        NewDocument(document);
        VARIANT_BOOL ok = VARIANT_FALSE;
        ASSERT_EQ(document->loadXML(Bstr(text), &ok), S_OK);
        ASSERT_EQ(ok, VARIANT_TRUE);
    }

    static HRESULT SetProperty(IXMLDOMDocument2* document, const char16_t* name, const char16_t* value)
    {
        VARIANT v;
        VariantInit(&v);
        v.vt = VT_BSTR;
        v.bstrVal = SysAllocString(value);
        HRESULT hr = document->setProperty(Bstr(name), v);
        VariantClear(&v);
        return hr;
    }

    static std::u16string NameOf(IXMLDOMNode* node)
    {
        Bstr name;
        EXPECT_EQ(node->get_nodeName(&name), S_OK);
        return name.str();
    }

    static std::u16string TextOf(IXMLDOMNode* node)
    {
        Bstr text;
        HRESULT hr = node->get_text(&text);
        EXPECT_EQ(hr, text.str().empty() ? S_FALSE : S_OK);
        return text.str();
    }

    static std::u16string XmlOf(IXMLDOMNode* node)
    {
        Bstr xml;
        EXPECT_EQ(node->get_xml(&xml), S_OK);
        return xml.str();
    }
};

inline size_t CountOf(const std::u16string& text, const std::u16string& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != std::u16string::npos; at = text.find(part, at + part.size())) {
        ++count;
    }
    return count;
}
