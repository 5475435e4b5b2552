// The opened device-model configuration: an XML document read through the DOM, the component
// element it was opened at (the context that relative paths start from) and the last DOM error.
#pragma once

#include <windows.h>
#include <msxml2.h>

class CDmcConfigDocument {
public:
    CDmcConfigDocument();
    ~CDmcConfigDocument();
    CDmcConfigDocument(const CDmcConfigDocument&) = delete;
    CDmcConfigDocument& operator=(const CDmcConfigDocument&) = delete;

    // Loads the file and takes "device/software/component[root]" as the context.
    bool Open(LPCWSTR file, LPCWSTR root);
    void Close();
    bool IsOpen() const { return m_document != nullptr; }

    // The node a path names (a reference the caller releases); null when there is none.
    IXMLDOMNode* Select(LPCWSTR path);
    // Makes the node a path names the context; relative paths start from the current context.
    bool SetContext(LPCWSTR path);
    // The name attributes of the child elements of a kind, joined as a list; false when the
    // path names nothing or the list does not fit.
    bool ListChildren(LPCWSTR path, LPCWSTR element, LPWSTR list, size_t chars);
    // The number of child elements of a kind; -1 when the path names nothing.
    int CountChildren(LPCWSTR path, LPCWSTR element);
    // An attribute's text: 1 when read, 0 when the node lacks it, -1 when the path names nothing.
    int ReadAttribute(LPCWSTR path, LPCWSTR name, LPWSTR text, size_t chars);
    bool WriteAttribute(LPCWSTR path, LPCWSTR name, LPCWSTR text);
    // Every attribute of the node as "name=value" tokens of a list.
    bool ListAttributes(LPCWSTR path, LPWSTR list, size_t chars);
    bool Save(LPCWSTR file);

    HRESULT GetLastError() const { return m_lastError; }

private:
    // Keeps a failure as the last error; true for S_OK alone.
    bool Check(HRESULT hr);
    // 1 and the text of an element's attribute, 0 when the element lacks it or it could not be read.
    int AttributeText(IXMLDOMElement* element, LPCWSTR name, LPWSTR text, size_t chars);

    IXMLDOMDocument2* m_document;
    IXMLDOMNode* m_context;
    HRESULT m_lastError;
};

// Lists of the configuration: tokens joined by the list separator; the separator alone is the
// empty list.
bool DmcListAppend(LPWSTR list, size_t chars, LPCWSTR token, bool first);
// Takes the first token out of the list (at most 260 characters of it); false when the list is
// empty.
bool DmcListTake(LPWSTR token, LPWSTR list);
