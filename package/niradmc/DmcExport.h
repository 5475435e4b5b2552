// An export of the configuration: the XML of chosen features gathered under one element and
// written to a file at the end.
#pragma once

#include <windows.h>
#include <msxml2.h>

#include <string>

class CDmcExport {
public:
    bool Start(LPCWSTR file);
    // Adds the node's XML; the node stays the caller's.
    bool Add(IXMLDOMNode* node);
    // Writes the file and ends the export.
    bool End();

private:
    std::basic_string<WCHAR> m_file;
    std::basic_string<WCHAR> m_text;
    bool m_started = false;
};
