#include "package/niradmc/DmcConfigDocument.h"

#include <objbase.h>
#include <oleauto.h>
#include <strsafe.h>

#include "nira/uiplugin/foundation/dmc/DmcCoreExports.h"
#include "package/niradmc/DmcPath.h"
#include "package/niradmc/DmcXmlFile.h"

namespace {

#define DMC_SEPARATOR DMC_LIST_SEPARATOR
constexpr size_t kSeparatorChars = 3;
constexpr size_t kTokenChars = kDmcValueChars;

bool StartsWithSeparator(LPCWSTR text)
{
    LPCWSTR separator = DMC_SEPARATOR;
    for (size_t i = 0; i < kSeparatorChars; ++i) {
        if (text[i] != separator[i]) {
            return false;
        }
    }
    return true;
}

// A BSTR that frees itself.
class CBstr {
public:
    explicit CBstr(LPCWSTR text) : m_text(SysAllocString(text)) {}
    ~CBstr() { SysFreeString(m_text); }
    CBstr(const CBstr&) = delete;
    CBstr& operator=(const CBstr&) = delete;
    BSTR Get() const { return m_text; }
    // E_OUTOFMEMORY when the text could not be copied: a null BSTR would read as an empty name.
    HRESULT Status() const { return m_text != nullptr ? S_OK : E_OUTOFMEMORY; }

private:
    BSTR m_text;
};

template <typename T>
void ReleaseRef(T*& object)
{
    if (object != nullptr) {
        object->Release();
        object = nullptr;
    }
}

// The element behind a node; null when it is none.
IXMLDOMElement* AsElement(IXMLDOMNode* node)
{
    IXMLDOMElement* element = nullptr;
    if (node == nullptr ||
        FAILED(node->QueryInterface(IID_IXMLDOMElement, reinterpret_cast<void**>(&element)))) {
        return nullptr;
    }
    return element;
}

}  // namespace

bool DmcListAppend(LPWSTR list, size_t chars, LPCWSTR token, bool first)
{
    if (first) {
        list[0] = 0;
    } else if (FAILED(StringCchCatW(list, chars, DMC_SEPARATOR))) {
        return false;
    }
    return SUCCEEDED(StringCchCatW(list, chars, token));
}

bool DmcListTake(LPWSTR token, LPWSTR list)
{
    if (token == nullptr || list == nullptr || list[0] == 0) {
        return false;
    }
    size_t length = static_cast<size_t>(lstrlenW(list));
    size_t end = 0;
    while (end < length && !(end + kSeparatorChars <= length && StartsWithSeparator(list + end))) {
        ++end;
    }
    size_t copied = end < kTokenChars ? end : kTokenChars - 1;
    CopyMemory(token, list, copied * sizeof(WCHAR));
    token[copied] = 0;
    size_t next = end < length ? end + kSeparatorChars : length;
    MoveMemory(list, list + next, (length - next + 1) * sizeof(WCHAR));
    return true;
}

CDmcConfigDocument::CDmcConfigDocument() : m_document(nullptr), m_context(nullptr), m_lastError(S_OK) {}

CDmcConfigDocument::~CDmcConfigDocument()
{
    Close();
}

bool CDmcConfigDocument::Check(HRESULT hr)
{
    if (FAILED(hr)) {
        m_lastError = hr;
    }
    return hr == S_OK;
}

int CDmcConfigDocument::AttributeText(IXMLDOMElement* element, LPCWSTR name, LPWSTR text, size_t chars)
{
    CBstr attribute(name);
    if (!Check(attribute.Status())) {
        return 0;
    }
    VARIANT value;
    VariantInit(&value);
    int read = 0;
    const HRESULT hr = element->getAttribute(attribute.Get(), &value);
    Check(hr);
    if (hr == S_OK && value.vt == VT_BSTR) {
        read = SUCCEEDED(StringCchCopyW(text, chars, value.bstrVal != nullptr ? value.bstrVal : TEXT("")))
                   ? 1
                   : 0;
    }
    VariantClear(&value);
    return read;
}

bool CDmcConfigDocument::Open(LPCWSTR file, LPCWSTR root)
{
    Close();
    if (file == nullptr || file[0] == 0 || root == nullptr ||
        !Check(CoCreateInstance(CLSID_DOMDocument30, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument2,
                                reinterpret_cast<void**>(&m_document)))) {
        Close();
        return false;
    }
    m_document->put_async(VARIANT_FALSE);
    VARIANT source;
    VariantInit(&source);
    source.vt = VT_BSTR;
    source.bstrVal = SysAllocString(file);
    VARIANT_BOOL loaded = VARIANT_FALSE;
    bool opened = Check(m_document->load(source, &loaded)) && loaded == VARIANT_TRUE;
    VariantClear(&source);
    WCHAR path[kTokenChars] = {};
    if (!opened || FAILED(StringCchPrintfW(path, kTokenChars, TEXT("device/software/component[%s]"), root)) ||
        !SetContext(path)) {
        Close();
        return false;
    }
    return true;
}

void CDmcConfigDocument::Close()
{
    ReleaseRef(m_context);
    ReleaseRef(m_document);
}

IXMLDOMNode* CDmcConfigDocument::Select(LPCWSTR path)
{
    WCHAR xpath[kDmcXPathChars] = {};
    bool absolute = false;
    if (m_document == nullptr || !DmcPathToXPath(path, xpath, &absolute)) {
        return nullptr;
    }
    IXMLDOMNode* from = absolute || m_context == nullptr ? static_cast<IXMLDOMNode*>(m_document) : m_context;
    CBstr query(xpath);
    IXMLDOMNode* node = nullptr;
    if (!Check(query.Status()) || !Check(from->selectSingleNode(query.Get(), &node))) {
        ReleaseRef(node);
    }
    return node;
}

bool CDmcConfigDocument::SetContext(LPCWSTR path)
{
    IXMLDOMNode* node = Select(path);
    if (node == nullptr) {
        return false;
    }
    ReleaseRef(m_context);
    m_context = node;
    return true;
}

bool CDmcConfigDocument::ListChildren(LPCWSTR path, LPCWSTR element, LPWSTR list, size_t chars)
{
    IXMLDOMNode* node = Select(path);
    if (node == nullptr) {
        return false;
    }
    IXMLDOMNodeList* children = nullptr;
    CBstr query(element);
    LONG count = 0;
    bool listed = Check(query.Status()) && Check(node->selectNodes(query.Get(), &children)) &&
                  Check(children->get_length(&count)) &&
                  SUCCEEDED(StringCchCopyW(list, chars, DMC_SEPARATOR));
    for (LONG i = 0; listed && i < count; ++i) {
        IXMLDOMNode* child = nullptr;
        listed = Check(children->get_item(i, &child));
        IXMLDOMElement* childElement = AsElement(child);
        WCHAR name[kTokenChars] = {};
        if (childElement != nullptr && AttributeText(childElement, TEXT("name"), name, kTokenChars) == 1) {
            listed = DmcListAppend(list, chars, name, i == 0);
        }
        ReleaseRef(childElement);
        ReleaseRef(child);
    }
    ReleaseRef(children);
    node->Release();
    return listed;
}

int CDmcConfigDocument::CountChildren(LPCWSTR path, LPCWSTR element)
{
    IXMLDOMNode* node = Select(path);
    if (node == nullptr) {
        return -1;
    }
    IXMLDOMNodeList* children = nullptr;
    CBstr query(element);
    LONG count = 0;
    if (!Check(query.Status()) || !Check(node->selectNodes(query.Get(), &children)) ||
        !Check(children->get_length(&count))) {
        count = -1;
    }
    ReleaseRef(children);
    node->Release();
    return static_cast<int>(count);
}

int CDmcConfigDocument::ReadAttribute(LPCWSTR path, LPCWSTR name, LPWSTR text, size_t chars)
{
    IXMLDOMNode* node = Select(path);
    IXMLDOMElement* element = AsElement(node);
    ReleaseRef(node);
    if (element == nullptr) {
        return -1;
    }
    int read = AttributeText(element, name, text, chars);
    element->Release();
    return read;
}

bool CDmcConfigDocument::WriteAttribute(LPCWSTR path, LPCWSTR name, LPCWSTR text)
{
    IXMLDOMNode* node = Select(path);
    IXMLDOMElement* element = AsElement(node);
    ReleaseRef(node);
    if (element == nullptr || name == nullptr || text == nullptr) {
        ReleaseRef(element);
        return false;
    }
    CBstr attribute(name);
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocString(text);
    bool written = Check(element->setAttribute(attribute.Get(), value));
    VariantClear(&value);
    element->Release();
    return written;
}

bool CDmcConfigDocument::ListAttributes(LPCWSTR path, LPWSTR list, size_t chars)
{
    IXMLDOMNode* node = Select(path);
    if (node == nullptr) {
        return false;
    }
    IXMLDOMNamedNodeMap* attributes = nullptr;
    LONG count = 0;
    bool listed = Check(node->get_attributes(&attributes)) && attributes != nullptr &&
                  Check(attributes->get_length(&count)) &&
                  SUCCEEDED(StringCchCopyW(list, chars, DMC_SEPARATOR));
    for (LONG i = 0; listed && i < count; ++i) {
        IXMLDOMNode* attribute = nullptr;
        BSTR name = nullptr;
        VARIANT value;
        VariantInit(&value);
        WCHAR token[kTokenChars] = {};
        listed = Check(attributes->get_item(i, &attribute)) && Check(attribute->get_nodeName(&name)) &&
                 Check(attribute->get_nodeValue(&value));
        if (listed && value.vt == VT_BSTR) {
            listed = SUCCEEDED(StringCchPrintfW(token, kTokenChars, TEXT("%s=%s"), name, value.bstrVal)) &&
                     DmcListAppend(list, chars, token, i == 0);
        }
        VariantClear(&value);
        SysFreeString(name);
        ReleaseRef(attribute);
    }
    ReleaseRef(attributes);
    node->Release();
    return listed;
}

bool CDmcConfigDocument::Save(LPCWSTR file)
{
    return m_document != nullptr && DmcWriteXmlFile(m_document, file);
}
