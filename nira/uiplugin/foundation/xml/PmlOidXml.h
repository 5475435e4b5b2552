// The driver's list of device values to ask a network printer for: pairs of a value name and an
// SNMP object id, read from the XML file named by NIRA_PMLOID_XML in the driver INI:
//   <component><software><nira><PmlOIDs>
//     <pmldata><pmlname>MODEL_NAME</pmlname><oidvalue>1.3.6.1...</oidvalue></pmldata>
//   </PmlOIDs></nira></software></component>
#pragma once

#include <windows.h>
#include <msxml2.h>

#include "nira/uiplugin/foundation/databases/DataSource.h"
#include "nira/uiplugin/foundation/xml/XmlDocument.h"

// Open's answer for a file that does not load as XML.
constexpr LONG NIRA_STATUS_XML_NOT_LOADED = 0x20000009;

// One entry of the list; every part (both texts and the node) is LocalAlloc'ed and belongs to the
// caller.
struct PmlOidEntry {
    WCHAR* name;
    WCHAR* oid;
    PmlOidEntry* next;
};

class CNiraPmlOidXml : public CNiraDataSource {
public:
    CNiraPmlOidXml();
    ~CNiraPmlOidXml() override;
    CNiraPmlOidXml(const CNiraPmlOidXml&) = delete;
    CNiraPmlOidXml& operator=(const CNiraPmlOidXml&) = delete;

    // 0 when the file loaded and holds "component/software/nira"; NIRA_STATUS_FAILED for a null
    // path or without that node; NIRA_STATUS_XML_NOT_LOADED when the file does not load as XML.
    LONG Open(LPCWSTR path) override;

    // 1 and the entries in document order (null when there are none) once the entries could be
    // selected; 0 and a null list without an open root node, without a node list, or when a text
    // cannot be read or memory runs out (never a partial list). A "pmldata" element without
    // "pmlname" or "oidvalue" gives no entry.
    int ReadPmlOids(PmlOidEntry** out);

    // Frees every entry of a list (both texts, then the node).
    static void FreeList(PmlOidEntry* list);

private:
    // Appends the entry of one "pmldata" element (none when a child element is missing); FALSE when
    // a text cannot be read or memory runs out.
    BOOL ReadPair(IXMLDOMNode* node, PmlOidEntry**& tail);
    void ReleaseNodeList();

    IXMLDOMNode* m_root;  // kept by m_document
    CNiraXmlDocument* m_document;
    IXMLDOMNodeList* m_nodeList;
};
