// An export of the configuration: copies of chosen features gathered under one element and
// written to a file at the end.
#pragma once

#include <windows.h>
#include <msxml2.h>

class CDmcExport {
public:
    CDmcExport();
    ~CDmcExport();
    CDmcExport(const CDmcExport&) = delete;
    CDmcExport& operator=(const CDmcExport&) = delete;

    bool Start(LPCWSTR file);
    // Takes over the node (a copy made by the caller).
    bool Add(IXMLDOMNode* node);
    // Writes the file and ends the export.
    bool End();

private:
    void Reset();

    IXMLDOMDocument2* m_document;
    IXMLDOMElement* m_root;
    WCHAR m_file[MAX_PATH];
};
