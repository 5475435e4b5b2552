#include "nira/uiplugin/foundation/xml/PmlOidXml.h"

#include "common/NiraStatus.h"

#include <oleauto.h>

#include <new>

namespace {

const WCHAR kRootQuery[] = TEXT("component/software/nira");
const WCHAR kEntriesQuery[] = TEXT("//component/software/nira/PmlOIDs/pmldata");
const WCHAR kNameElement[] = TEXT("pmlname");
const WCHAR kOidElement[] = TEXT("oidvalue");

// The whole text of the named child element in a new zero-filled LocalAlloc buffer; null when the
// element is absent or its text cannot be read (*failed tells which).
WCHAR* ReadChildText(IXMLDOMNode* node, LPCWSTR element, BOOL* failed)
{
    *failed = FALSE;
    BSTR query = SysAllocString(element);
    if (query == nullptr) {
        *failed = TRUE;
        return nullptr;
    }
    IXMLDOMNode* child = nullptr;
    HRESULT hr = node->selectSingleNode(query, &child);
    SysFreeString(query);
    if (hr != S_OK || child == nullptr) {
        if (child != nullptr) {
            child->Release();
        }
        *failed = FAILED(hr);
        return nullptr;
    }
    BSTR text = nullptr;
    hr = child->get_text(&text);
    child->Release();
    if (FAILED(hr)) {
        *failed = TRUE;
        return nullptr;
    }
    const UINT length = SysStringLen(text);
    WCHAR* copy = static_cast<WCHAR*>(LocalAlloc(LPTR, (static_cast<SIZE_T>(length) + 1) * sizeof(WCHAR)));
    if (copy == nullptr) {
        *failed = TRUE;
    } else if (length > 0) {
        CopyMemory(copy, text, static_cast<SIZE_T>(length) * sizeof(WCHAR));
    }
    SysFreeString(text);
    return copy;
}

}  // namespace

CNiraPmlOidXml::CNiraPmlOidXml()
    : m_root(nullptr), m_document(new(std::nothrow) CNiraXmlDocument()), m_nodeList(nullptr)
{}

CNiraPmlOidXml::~CNiraPmlOidXml()
{
    ReleaseNodeList();
    m_root = nullptr;
    delete m_document;
}

LONG CNiraPmlOidXml::Open(LPCWSTR path)
{
    if (path == nullptr || m_document == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    ReleaseNodeList();
    m_root = nullptr;
    if (m_document->Load(path) != S_OK) {
        return NIRA_STATUS_XML_NOT_LOADED;
    }
    m_root = m_document->SelectSingleNode(kRootQuery);
    return m_root != nullptr ? 0 : NIRA_STATUS_FAILED;
}

int CNiraPmlOidXml::ReadPmlOids(PmlOidEntry** out)
{
    if (out == nullptr) {
        return 0;
    }
    *out = nullptr;
    if (m_root == nullptr) {
        return 0;
    }
    ReleaseNodeList();
    BSTR query = SysAllocString(kEntriesQuery);
    if (query == nullptr) {
        return 0;
    }
    HRESULT hr = m_root->selectNodes(query, &m_nodeList);
    SysFreeString(query);
    if (FAILED(hr) || m_nodeList == nullptr) {
        m_nodeList = nullptr;
        return 0;
    }
    LONG length = 0;
    m_nodeList->reset();
    m_nodeList->get_length(&length);
    PmlOidEntry* head = nullptr;
    PmlOidEntry** tail = &head;
    for (LONG i = 0; i < length; ++i) {
        IXMLDOMNode* node = nullptr;
        if (m_nodeList->nextNode(&node) != S_OK || node == nullptr) {
            break;
        }
        const BOOL read = ReadPair(node, tail);
        node->Release();
        if (!read) {
            FreeList(head);
            return 0;
        }
    }
    *out = head;
    return 1;
}

BOOL CNiraPmlOidXml::ReadPair(IXMLDOMNode* node, PmlOidEntry**& tail)
{
    BOOL failed = FALSE;
    WCHAR* name = ReadChildText(node, kNameElement, &failed);
    if (name == nullptr) {
        return !failed;
    }
    WCHAR* oid = ReadChildText(node, kOidElement, &failed);
    PmlOidEntry* entry =
        oid != nullptr ? static_cast<PmlOidEntry*>(LocalAlloc(LPTR, sizeof(PmlOidEntry))) : nullptr;
    if (entry == nullptr) {
        LocalFree(name);
        if (oid != nullptr) {
            LocalFree(oid);
            return FALSE;
        }
        return !failed;
    }
    entry->name = name;
    entry->oid = oid;
    *tail = entry;
    tail = &entry->next;
    return TRUE;
}

void CNiraPmlOidXml::FreeList(PmlOidEntry* list)
{
    while (list != nullptr) {
        PmlOidEntry* next = list->next;
        LocalFree(list->name);
        LocalFree(list->oid);
        LocalFree(list);
        list = next;
    }
}

void CNiraPmlOidXml::ReleaseNodeList()
{
    if (m_nodeList != nullptr) {
        m_nodeList->Release();
        m_nodeList = nullptr;
    }
}
