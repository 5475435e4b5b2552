// The configuration's path vocabulary mapped onto the XML document that holds it. A path is
// segments joined by "/"; each segment is a name with an optional "[value]". The structural
// names (device, software, component, current, printing, physical) are elements, "[x]" picking
// the one whose name attribute is x; any other name is a feature element of that name, and
// "[x]" then picks its option x (below which further features may hang).
#pragma once

#include <windows.h>

constexpr size_t kDmcXPathChars = 1024;

// The XPath of a path into xpath (kDmcXPathChars characters); *absolute when the path starts at
// the document's top ("device/..."), else it is relative to the opened component. False for an
// empty or malformed path, a segment holding a quote, or one that does not fit.
bool DmcPathToXPath(LPCWSTR path, LPWSTR xpath, bool* absolute);
