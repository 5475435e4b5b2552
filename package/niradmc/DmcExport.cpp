#include "package/niradmc/DmcExport.h"

#include <objbase.h>
#include <oleauto.h>
#include <strsafe.h>

CDmcExport::CDmcExport() : m_document(nullptr), m_root(nullptr), m_file() {}

CDmcExport::~CDmcExport()
{
    Reset();
}

void CDmcExport::Reset()
{
    if (m_root != nullptr) {
        m_root->Release();
        m_root = nullptr;
    }
    if (m_document != nullptr) {
        m_document->Release();
        m_document = nullptr;
    }
    m_file[0] = 0;
}

bool CDmcExport::Start(LPCWSTR file)
{
    Reset();
    if (file == nullptr || file[0] == 0 || FAILED(StringCchCopyW(m_file, MAX_PATH, file)) ||
        CoCreateInstance(CLSID_DOMDocument30, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument2,
                         reinterpret_cast<void**>(&m_document)) != S_OK) {
        Reset();
        return false;
    }
    BSTR text = SysAllocString(TEXT("<dmcexport/>"));
    VARIANT_BOOL loaded = VARIANT_FALSE;
    bool started = m_document->loadXML(text, &loaded) == S_OK && loaded == VARIANT_TRUE &&
                   m_document->get_documentElement(&m_root) == S_OK && m_root != nullptr;
    SysFreeString(text);
    if (!started) {
        Reset();
    }
    return started;
}

bool CDmcExport::Add(IXMLDOMNode* node)
{
    if (node == nullptr) {
        return false;
    }
    IXMLDOMNode* added = nullptr;
    bool done = m_root != nullptr && m_root->appendChild(node, &added) == S_OK;
    if (added != nullptr) {
        added->Release();
    }
    node->Release();
    return done;
}

bool CDmcExport::End()
{
    if (m_document == nullptr) {
        return false;
    }
    VARIANT destination;
    VariantInit(&destination);
    destination.vt = VT_BSTR;
    destination.bstrVal = SysAllocString(m_file);
    bool saved = m_document->save(destination) == S_OK;
    VariantClear(&destination);
    Reset();
    return saved;
}
