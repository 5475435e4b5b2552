#include "xml/DomDocument.h"

#include "files/HostFiles.h"
#include "files/PathMap.h"
#include "xml/DomAttributeOrder.h"
#include "xml/DomElement.h"
#include "xml/DomFactory.h"
#include "xml/DomNodeList.h"
#include "xml/DomParseError.h"
#include "xml/DomTree.h"
#include "xml/DomXPath.h"
#include "xml/Utf.h"

#include <libxml/parser.h>

#include <mutex>

namespace nirasim {
namespace xml {

namespace {

// Documents larger than this are refused rather than read whole into memory.
constexpr size_t kMaxDocumentBytes = 64 * 1024 * 1024;
constexpr long kXmlParseError = static_cast<long>(0xC00CE500L);  // a well-formedness error

void InitialiseLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] { xmlInitParser(); });
}

HRESULT ReturnFlag(bool flag, VARIANT_BOOL* value)
{
    if (!value) {
        return E_INVALIDARG;
    }
    *value = flag ? VARIANT_TRUE : VARIANT_FALSE;
    return S_OK;
}

HRESULT ReadHostFileBytes(const std::string& hostPath, std::string& bytes)
{
    if (nirasim::sim::KindOf(hostPath) != nirasim::sim::HostKind::File) {
        return HRESULT_FROM_WIN32(nirasim::sim::MissingPathError(hostPath));
    }
    if (!nirasim::sim::ReadHostFile(hostPath, bytes, kMaxDocumentBytes)) {
        return HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE);
    }
    return S_OK;
}

// A file of the simulated machine is read through the machine's file calls, as the platform's
// DOM reads through the system's, so that a test can fail its open or its read.
HRESULT ReadMachineFileBytes(const std::u16string& path, std::string& bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return HRESULT_FROM_WIN32(GetLastError());
    }
    HRESULT hr = S_OK;
    LARGE_INTEGER size{};
    DWORD read = 0;
    if (!GetFileSizeEx(file, &size)) {
        hr = HRESULT_FROM_WIN32(GetLastError());
    } else if (static_cast<ULONGLONG>(size.QuadPart) > kMaxDocumentBytes) {
        hr = HRESULT_FROM_WIN32(ERROR_FILE_TOO_LARGE);
    } else {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        if (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
            hr = HRESULT_FROM_WIN32(GetLastError());
        } else {
            bytes.resize(read);
        }
    }
    CloseHandle(file);
    return hr;
}

// A Windows path names a file of the simulated machine; a path that starts with '/' is a file of
// this host as it stands (the host program hands documents to the driver that way).
HRESULT ReadFileBytes(const std::u16string& path, std::string& bytes)
{
    if (!path.empty() && path[0] == u'/') {
        return ReadHostFileBytes(ToUtf8(path.data(), path.size()), bytes);
    }
    return ReadMachineFileBytes(path, bytes);
}

bool NodeTypeOf(const VARIANT& type, DOMNodeType& nodeType)
{
    if (type.vt == VT_BSTR) {
        static const struct {
            const char16_t* name;
            DOMNodeType type;
        } kNames[] = {{u"element", NODE_ELEMENT}, {u"attribute", NODE_ATTRIBUTE},
                      {u"text", NODE_TEXT},       {u"cdatasection", NODE_CDATA_SECTION},
                      {u"comment", NODE_COMMENT}, {u"processinginstruction", NODE_PROCESSING_INSTRUCTION}};
        std::u16string name = type.bstrVal ? type.bstrVal : u"";
        for (const auto& entry : kNames) {
            if (name == entry.name) {
                nodeType = entry.type;
                return true;
            }
        }
        return false;
    }
    VARIANT number;
    VariantInit(&number);
    if (FAILED(VariantChangeType(&number, &type, 0, VT_I4))) {
        return false;
    }
    nodeType = static_cast<DOMNodeType>(number.lVal);
    return true;
}

}  // namespace

HRESULT CreateDocument(REFIID riid, void** object)
{
    InitialiseLibrary();
    auto* store = new DomStore();
    auto* document = new DomDocument(store);
    store->Release();
    HRESULT hr = document->QueryInterface(riid, object);
    document->Release();
    return hr;
}

DomDocument::DomDocument(DomStore* store) : DomNode(store, NodeRef{}) {}

xmlNodePtr DomDocument::Node() const
{
    return reinterpret_cast<xmlNodePtr>(Store()->Document());
}

void* DomDocument::Find(REFIID riid)
{
    if (riid == IID_IXMLDOMDocument || riid == IID_IXMLDOMDocument2) {
        return static_cast<IXMLDOMDocument2*>(this);
    }
    return DomNode::Find(riid);
}

STDMETHODIMP DomDocument::get_documentElement(IXMLDOMElement** element)
{
    if (!element) {
        return E_INVALIDARG;
    }
    *element = nullptr;
    xmlNodePtr root = xmlDocGetRootElement(Store()->Document());
    if (!root) {
        return S_FALSE;
    }
    IXMLDOMNode* node = WrapNode(Store(), root);
    HRESULT hr = node->QueryInterface(IID_IXMLDOMElement, reinterpret_cast<void**>(element));
    node->Release();
    return hr;
}

STDMETHODIMP DomDocument::putref_documentElement(IXMLDOMElement* element)
{
    DomNodeCore* core = CoreOf(element);
    if (!core || core->Store() != Store()) {
        return E_INVALIDARG;
    }
    xmlNodePtr newRoot = core->Node();
    xmlNodePtr oldRoot = xmlDocGetRootElement(Store()->Document());
    if (newRoot == oldRoot) {
        return S_OK;
    }
    if (newRoot->parent) {
        DetachNode(Store(), newRoot);
    }
    xmlNodePtr before = nullptr;
    if (oldRoot) {
        before = oldRoot->next;
        DetachNode(Store(), oldRoot);
    }
    LinkChild(Node(), newRoot, before);
    return S_OK;
}

HRESULT DomDocument::CreateNodeAs(DOMNodeType nodeType, BSTR name, REFIID iid, void** created)
{
    VARIANT type;
    VariantInit(&type);
    type.vt = VT_I4;
    type.lVal = nodeType;
    IXMLDOMNode* node = nullptr;
    HRESULT hr = createNode(type, name, nullptr, &node);
    if (FAILED(hr)) {
        return hr;
    }
    hr = node->QueryInterface(iid, created);
    node->Release();
    return hr;
}

STDMETHODIMP DomDocument::createElement(BSTR tagName, IXMLDOMElement** element)
{
    if (!element) {
        return E_INVALIDARG;
    }
    *element = nullptr;
    return CreateNodeAs(NODE_ELEMENT, tagName, IID_IXMLDOMElement, reinterpret_cast<void**>(element));
}

STDMETHODIMP DomDocument::createAttribute(BSTR name, IXMLDOMAttribute** attribute)
{
    if (!attribute) {
        return E_INVALIDARG;
    }
    *attribute = nullptr;
    return CreateNodeAs(NODE_ATTRIBUTE, name, IID_IXMLDOMAttribute, reinterpret_cast<void**>(attribute));
}

STDMETHODIMP DomDocument::getElementsByTagName(BSTR tagName, IXMLDOMNodeList** list)
{
    if (!list) {
        return E_INVALIDARG;
    }
    *list = new DomNodeList(Store(), ElementsByTagName(Node(), Utf8Of(tagName)));
    return S_OK;
}

STDMETHODIMP DomDocument::createNode(VARIANT type, BSTR name, BSTR namespaceURI, IXMLDOMNode** node)
{
    if (!node) {
        return E_INVALIDARG;
    }
    *node = nullptr;
    DOMNodeType nodeType;
    if (!NodeTypeOf(type, nodeType)) {
        return E_INVALIDARG;
    }
    xmlDocPtr doc = Store()->Document();
    std::string qualified = Utf8Of(name);
    std::string uri = Utf8Of(namespaceURI);
    std::string local;
    std::string prefix = SplitPrefix(qualified, local);
    bool needsName =
        nodeType == NODE_ELEMENT || nodeType == NODE_ATTRIBUTE || nodeType == NODE_PROCESSING_INSTRUCTION;
    if (needsName && (qualified.empty() || xmlValidateQName(XmlChars(qualified), 0) != 0)) {
        return E_FAIL;
    }

    xmlNodePtr created = nullptr;
    switch (nodeType) {
    case NODE_ELEMENT:
        if (uri.empty()) {
            created = xmlNewDocNode(doc, nullptr, XmlChars(qualified), nullptr);
        } else {
            created = xmlNewDocNode(doc, nullptr, XmlChars(local), nullptr);
            xmlNsPtr ns = xmlNewNs(created, XmlChars(uri), prefix.empty() ? nullptr : XmlChars(prefix));
            xmlSetNs(created, ns);
        }
        break;
    case NODE_ATTRIBUTE:
        if (prefix == "xmlns" || qualified == "xmlns") {
            return E_NOTIMPL;  // declarations are made with setAttribute("xmlns:p", uri)
        }
        if (uri.empty() || prefix.empty()) {
            created = reinterpret_cast<xmlNodePtr>(xmlNewDocProp(doc, XmlChars(qualified), nullptr));
        } else {
            created = reinterpret_cast<xmlNodePtr>(xmlNewDocProp(doc, XmlChars(local), nullptr));
            xmlNsPtr ns = xmlNewNs(nullptr, XmlChars(uri), XmlChars(prefix));
            Store()->KeepNamespace(ns);
            reinterpret_cast<xmlAttrPtr>(created)->ns = ns;
        }
        break;
    case NODE_TEXT:
        created = xmlNewDocText(doc, reinterpret_cast<const xmlChar*>(""));
        break;
    case NODE_CDATA_SECTION:
        created = xmlNewCDataBlock(doc, reinterpret_cast<const xmlChar*>(""), 0);
        break;
    case NODE_COMMENT:
        created = xmlNewDocComment(doc, reinterpret_cast<const xmlChar*>(""));
        break;
    case NODE_PROCESSING_INSTRUCTION:
        created = xmlNewDocPI(doc, XmlChars(qualified), nullptr);
        break;
    default:
        return E_NOTIMPL;
    }
    if (!created) {
        return E_OUTOFMEMORY;
    }
    Store()->KeepDetached(created);
    return ReturnNode(Store(), created, node);
}

HRESULT DomDocument::Fail(long errorCode, const std::u16string& reason, const std::u16string& url,
                          VARIANT_BOOL* isSuccessful)
{
    Store()->ReplaceDocument(xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0")));
    Store()->parseError = ParseErrorInfo{};
    Store()->parseError.errorCode = errorCode;
    Store()->parseError.reason = reason;
    Store()->parseError.url = url;
    if (isSuccessful) {
        *isSuccessful = VARIANT_FALSE;
    }
    return S_FALSE;
}

HRESULT DomDocument::Parse(const std::string& bytes, const char* forcedEncoding, const std::u16string& url,
                           VARIANT_BOOL* isSuccessful)
{
    xmlParserCtxtPtr parser = xmlNewParserCtxt();
    if (!parser) {
        return E_OUTOFMEMORY;
    }
    // No network, no dictionary (nodes move between trees), no messages on the console; entities
    // of a DTD are not expanded and external ones are not fetched.
    int options = XML_PARSE_NONET | XML_PARSE_NODICT | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
    std::string urlText = ToUtf8(url.data(), url.size());
    RecordAttributeOrder(parser, Store());
    xmlDocPtr parsed =
        xmlCtxtReadMemory(parser, bytes.data(), static_cast<int>(bytes.size()),
                          urlText.empty() ? nullptr : urlText.c_str(), forcedEncoding, options);
    bool wellFormed = parsed && parser->wellFormed && xmlDocGetRootElement(parsed);
    if (!wellFormed) {
        xmlErrorPtr error = xmlCtxtGetLastError(parser);
        std::string reason =
            error && error->message ? TrimWhiteSpace(error->message) : "The document is empty.";
        long line = error ? error->line : 0;
        long column = error ? error->int2 : 0;
        xmlFreeDoc(parsed);
        xmlFreeParserCtxt(parser);
        HRESULT hr = Fail(kXmlParseError, ToUtf16(reason.c_str()), url, isSuccessful);
        Store()->parseError.line = line;
        Store()->parseError.linePosition = column;
        return hr;
    }
    xmlFreeParserCtxt(parser);
    ExpandAttributeEntities(reinterpret_cast<xmlNodePtr>(parsed));
    if (!Store()->preserveWhiteSpace) {
        StripWhiteSpaceNodes(reinterpret_cast<xmlNodePtr>(parsed));
    }
    Store()->ReplaceDocument(parsed);
    Store()->parseError = ParseErrorInfo{};
    if (isSuccessful) {
        *isSuccessful = VARIANT_TRUE;
    }
    return S_OK;
}

STDMETHODIMP DomDocument::load(VARIANT source, VARIANT_BOOL* isSuccessful)
{
    if (isSuccessful) {
        *isSuccessful = VARIANT_FALSE;
    }
    if (source.vt != VT_BSTR || !source.bstrVal) {
        return E_INVALIDARG;
    }
    std::u16string path(source.bstrVal, SysStringLen(source.bstrVal));
    std::string bytes;
    HRESULT hr = ReadFileBytes(path, bytes);
    if (FAILED(hr)) {
        return Fail(hr, u"The system cannot locate the object specified.", path, isSuccessful);
    }
    return Parse(bytes, nullptr, path, isSuccessful);
}

STDMETHODIMP DomDocument::loadXML(BSTR text, VARIANT_BOOL* isSuccessful)
{
    if (isSuccessful) {
        *isSuccessful = VARIANT_FALSE;
    }
    // The text is UTF-16 whatever its declaration says.
    return Parse(Utf8Of(text), "UTF-8", u"", isSuccessful);
}

STDMETHODIMP DomDocument::get_parseError(IXMLDOMParseError** error)
{
    if (!error) {
        return E_INVALIDARG;
    }
    *error = new DomParseError(Store()->parseError);
    return S_OK;
}

STDMETHODIMP DomDocument::save(VARIANT)
{
    return E_NOTIMPL;
}

STDMETHODIMP DomDocument::get_async(VARIANT_BOOL* isAsync)
{
    return ReturnFlag(Store()->async, isAsync);
}

STDMETHODIMP DomDocument::put_async(VARIANT_BOOL isAsync)
{
    Store()->async = isAsync != VARIANT_FALSE;  // loading always completes before load returns
    return S_OK;
}

STDMETHODIMP DomDocument::get_validateOnParse(VARIANT_BOOL* value)
{
    return ReturnFlag(Store()->validateOnParse, value);
}

STDMETHODIMP DomDocument::put_validateOnParse(VARIANT_BOOL value)
{
    Store()->validateOnParse = value != VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP DomDocument::get_resolveExternals(VARIANT_BOOL* value)
{
    return ReturnFlag(Store()->resolveExternals, value);
}

STDMETHODIMP DomDocument::put_resolveExternals(VARIANT_BOOL value)
{
    Store()->resolveExternals = value != VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP DomDocument::get_preserveWhiteSpace(VARIANT_BOOL* value)
{
    return ReturnFlag(Store()->preserveWhiteSpace, value);
}

STDMETHODIMP DomDocument::put_preserveWhiteSpace(VARIANT_BOOL value)
{
    Store()->preserveWhiteSpace = value != VARIANT_FALSE;
    return S_OK;
}

STDMETHODIMP DomDocument::setProperty(BSTR name, VARIANT value)
{
    std::u16string property = name ? name : u"";
    if (property == u"SelectionLanguage") {
        if (value.vt != VT_BSTR || !value.bstrVal) {
            return E_INVALIDARG;
        }
        std::u16string language = value.bstrVal;
        if (language != u"XPath" && language != u"XSLPattern") {
            return E_FAIL;
        }
        Store()->selectionLanguage = language;
        return S_OK;
    }
    if (property == u"SelectionNamespaces") {
        if (value.vt != VT_BSTR) {
            return E_INVALIDARG;
        }
        std::vector<std::pair<std::string, std::string>> pairs;
        if (!ParseSelectionNamespaces(Utf8Of(value.bstrVal), pairs)) {
            return E_FAIL;
        }
        // Each setting replaces the whole prefix map.
        Store()->selectionNamespaces = std::move(pairs);
        Store()->selectionNamespacesText = value.bstrVal ? value.bstrVal : u"";
        return S_OK;
    }
    static const char16_t* const kAcceptedProperties[] = {
        u"ServerHTTPRequest",     u"NewParser",        u"ProhibitDTD",
        u"AllowDocumentFunction", u"AllowXsltScript",  u"MaxElementDepth",
        u"MultipleErrorMessages", u"ResolveExternals", u"ValidateOnParse"};
    for (const char16_t* accepted : kAcceptedProperties) {
        if (property == accepted) {
            return S_OK;  // settings without effect on this machine
        }
    }
    return E_INVALIDARG;
}

STDMETHODIMP DomDocument::getProperty(BSTR name, VARIANT* value)
{
    if (!value) {
        return E_INVALIDARG;
    }
    VariantInit(value);
    std::u16string property = name ? name : u"";
    const std::u16string* text = nullptr;
    if (property == u"SelectionLanguage") {
        text = &Store()->selectionLanguage;
    } else if (property == u"SelectionNamespaces") {
        text = &Store()->selectionNamespacesText;
    } else {
        return E_INVALIDARG;
    }
    HRESULT hr = ReturnBstr(*text, &value->bstrVal);
    if (SUCCEEDED(hr)) {
        value->vt = VT_BSTR;
    }
    return hr;
}

}  // namespace xml
}  // namespace nirasim
