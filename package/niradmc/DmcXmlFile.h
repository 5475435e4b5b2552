// Writes XML text to a file, UTF-8 encoded.
#pragma once

#include <windows.h>
#include <msxml2.h>

bool DmcWriteTextFile(LPCWSTR file, LPCWSTR text, int length);
// The node's own XML text (a document: the whole document).
bool DmcWriteXmlFile(IXMLDOMNode* node, LPCWSTR file);
