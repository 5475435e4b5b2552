#include "nira/uiplugin/foundation/xml/XmlDocument.h"

#include <oleauto.h>

CNiraXmlDocument::CNiraXmlDocument() : m_document(nullptr), m_selected(nullptr), m_comInitialized(0) {}

CNiraXmlDocument::~CNiraXmlDocument()
{
    Release();
}

HRESULT CNiraXmlDocument::Load(LPCWSTR path)
{
    if (path == nullptr) {
        return E_INVALIDARG;
    }
    Release();
    HRESULT hr = CoInitialize(nullptr);
    if (hr == S_OK || hr == S_FALSE) {
        m_comInitialized = 1;
    }
    hr = CoCreateInstance(CLSID_DOMDocument, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument,
                          reinterpret_cast<void**>(&m_document));
    if (FAILED(hr)) {
        m_document = nullptr;
        return hr;
    }
    VARIANT source;
    VariantInit(&source);
    V_VT(&source) = VT_BSTR;
    V_BSTR(&source) = SysAllocString(path);
    if (V_BSTR(&source) == nullptr) {
        return E_OUTOFMEMORY;
    }
    VARIANT_BOOL loaded = VARIANT_FALSE;
    hr = m_document->load(source, &loaded);
    VariantClear(&source);
    return (FAILED(hr) || loaded != VARIANT_TRUE) ? E_INVALIDARG : S_OK;
}

IXMLDOMNode* CNiraXmlDocument::SelectSingleNode(LPCWSTR query)
{
    ReleaseSelected();
    if (m_document == nullptr || query == nullptr) {
        return nullptr;
    }
    BSTR text = SysAllocString(query);
    if (text == nullptr) {
        return nullptr;
    }
    IXMLDOMNode* node = nullptr;
    if (m_document->selectSingleNode(text, &node) == S_OK) {
        m_selected = node;
    } else if (node != nullptr) {
        node->Release();
    }
    SysFreeString(text);
    return m_selected;
}

int CNiraXmlDocument::Release()
{
    ReleaseSelected();
    if (m_document != nullptr) {
        m_document->Release();
        m_document = nullptr;
    }
    if (m_comInitialized) {
        CoUninitialize();
        m_comInitialized = 0;
    }
    return 0;
}

void CNiraXmlDocument::ReleaseSelected()
{
    if (m_selected != nullptr) {
        m_selected->Release();
        m_selected = nullptr;
    }
}
