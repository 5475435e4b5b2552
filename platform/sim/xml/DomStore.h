// What a simulated MSXML document keeps besides its tree: the libxml2 document, the nodes taken
// out of the tree (kept alive while a caller may still hold them), the selection settings and the
// last parse error. Every node and list object of the document holds a reference to it.
#pragma once

#include <libxml/tree.h>
#include <libxml/xpath.h>

#include <atomic>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace nirasim {
namespace xml {

struct ParseErrorInfo {
    long errorCode = 0;  // an HRESULT; 0 after a successful load
    std::u16string reason;
    std::u16string url;
    std::u16string sourceText;
    long line = 0;
    long linePosition = 0;
    long filePosition = 0;
};

class DomStore {
public:
    DomStore();
    DomStore(const DomStore&) = delete;
    DomStore& operator=(const DomStore&) = delete;

    void AddRef() { ++m_references; }
    void Release();

    xmlDocPtr Document() const { return m_document; }
    // Puts a freshly parsed tree in place; nodes of the old tree stay valid until the store ends.
    void ReplaceDocument(xmlDocPtr fresh);

    // A node that has no parent (created, removed or replaced) stays allocated until the store ends,
    // so that a caller's reference to it stays valid; it is freed then unless it was attached again.
    void KeepDetached(xmlNodePtr node);
    // A namespace declaration that no element lists any more (still referenced by nodes).
    void KeepNamespace(xmlNsPtr ns);
    // The order of a parsed element's attributes and declarations; the element points at it.
    void KeepAttributeOrder(xmlNodePtr element, std::vector<std::string> names);

    // The document's XPath context, made at the first selection and kept for the life of the
    // store: making one registers every XPath function anew, which costs more than most queries.
    // Null when it cannot be made. Selection keeps its namespaces in step (SelectedNamespaces).
    xmlXPathContextPtr SelectionContext();
    // The prefix bindings the selection context holds now.
    std::vector<std::pair<std::string, std::string>>& SelectedNamespaces() { return m_selectedNamespaces; }

    bool preserveWhiteSpace = false;
    bool async = true;
    bool validateOnParse = true;
    bool resolveExternals = false;
    std::u16string selectionLanguage = u"XSLPattern";
    std::u16string selectionNamespacesText;
    std::vector<std::pair<std::string, std::string>> selectionNamespaces;  // prefix, URI
    ParseErrorInfo parseError;

private:
    ~DomStore();

    std::atomic<long> m_references{1};
    xmlDocPtr m_document;
    std::vector<xmlDocPtr> m_retiredDocuments;
    std::vector<xmlNodePtr> m_detached;
    std::vector<xmlNsPtr> m_namespaces;
    std::vector<std::unique_ptr<std::vector<std::string>>> m_attributeOrders;
    xmlXPathContextPtr m_selection = nullptr;
    std::vector<std::pair<std::string, std::string>> m_selectedNamespaces;
};

}  // namespace xml
}  // namespace nirasim
