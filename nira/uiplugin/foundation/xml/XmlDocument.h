// Holds one MSXML DOM document loaded from a file, with COM initialised for the holder's life.
// COM is uninitialised again only when the holder's own initialisation succeeded (S_OK or
// S_FALSE); a caller that needs COM afterwards must have initialised it itself.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <msxml2.h>

class CNiraXmlDocument {
public:
    CNiraXmlDocument();
    virtual ~CNiraXmlDocument();
    CNiraXmlDocument(const CNiraXmlDocument&) = delete;
    CNiraXmlDocument& operator=(const CNiraXmlDocument&) = delete;

    // 0 when the file loaded; E_INVALIDARG for a null path or a file that does not load as XML;
    // the failure of COM's initialisation or of CoCreateInstance when MSXML cannot be made. A
    // document loaded earlier is released first.
    HRESULT Load(LPCWSTR path);
    // The node the query selects from the document, kept by the holder (valid until the next
    // selection or Release); null when there is none.
    IXMLDOMNode* SelectSingleNode(LPCWSTR query);
    // Releases the document and the kept node, and uninitialises COM when the holder initialised it.
    int Release();

    IXMLDOMDocument* GetDocument() const { return m_document; }

private:
    void ReleaseSelected();

    IXMLDOMDocument* m_document;
    IXMLDOMNode* m_selected;
    int m_comInitialized;
};
