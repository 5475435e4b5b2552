#include "xml/DomXPath.h"

#include "xml/DomNameQuery.h"
#include "xml/DomTree.h"

#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <cctype>

namespace nirasim {
namespace xml {
namespace {

void IgnoreError(void*, xmlErrorPtr) {}

// Brings the context's prefix bindings in line with the document's selection namespaces; they
// are registered again only when they changed since the last selection.
bool SyncNamespaces(DomStore* store, xmlXPathContextPtr context)
{
    std::vector<std::pair<std::string, std::string>>& registered = store->SelectedNamespaces();
    if (registered == store->selectionNamespaces) {
        return true;
    }
    xmlXPathRegisteredNsCleanup(context);
    registered.clear();
    for (const auto& binding : store->selectionNamespaces) {
        if (xmlXPathRegisterNs(context, XmlChars(binding.first), XmlChars(binding.second)) != 0) {
            xmlXPathRegisteredNsCleanup(context);  // a half-registered set would answer wrongly next time
            registered.clear();
            return false;
        }
        registered.push_back(binding);
    }
    return true;
}

// What the engine binds prefix to: "xml" always to its namespace, any other prefix to the URI its
// last declaration among the selection namespaces gives it; null when it is unbound.
const xmlChar* SelectionUri(const DomStore* store, const std::string& prefix)
{
    if (prefix == "xml") {
        return XML_XML_NAMESPACE;
    }
    const auto& bindings = store->selectionNamespaces;
    for (auto binding = bindings.rbegin(); binding != bindings.rend(); ++binding) {
        if (binding->first == prefix) {
            return XmlChars(binding->second);
        }
    }
    return nullptr;
}

// Answers a query of one element name without the engine; false leaves it to the engine.
bool SelectName(const DomStore* store, xmlNodePtr context, const std::string& expression, HRESULT& hr,
                std::vector<xmlNodePtr>& nodes)
{
    if ((context->type != XML_ELEMENT_NODE && context->type != XML_DOCUMENT_NODE) || !context->doc) {
        return false;
    }
    NameQuery query;
    if (!ParseNameQuery(expression, query)) {
        return false;
    }
    const xmlChar* uri = nullptr;
    if (!query.prefix.empty()) {
        uri = SelectionUri(store, query.prefix);
        if (!uri) {
            hr = E_FAIL;  // as the engine answers an unbound prefix
            return true;
        }
    }
    SelectByName(context, query, uri, nodes);
    hr = S_OK;
    return true;
}

struct XPathResult {
    ~XPathResult() { xmlXPathFreeObject(object); }
    xmlXPathObjectPtr object = nullptr;
};

}  // namespace

HRESULT SelectFrom(DomStore* store, xmlNodePtr context, BSTR query, std::vector<xmlNodePtr>& nodes)
{
    nodes.clear();
    std::string expression = Utf8Of(query);
    if (expression.empty()) {
        return E_FAIL;
    }
    HRESULT named = S_OK;
    if (SelectName(store, context, expression, named, nodes)) {
        return named;
    }
    xmlXPathContextPtr xpath = store->SelectionContext();
    if (!xpath) {
        return E_OUTOFMEMORY;
    }
    if (!SyncNamespaces(store, xpath)) {
        return E_FAIL;
    }
    // What one evaluation may leave behind is set afresh: the document (a load replaces it), the
    // context node and the position a predicate last worked at.
    xpath->doc = context->doc;
    xpath->node = context;
    xpath->contextSize = -1;
    xpath->proximityPosition = -1;
    xpath->error = IgnoreError;
    xmlSetStructuredErrorFunc(nullptr, IgnoreError);
    XPathResult result;
    result.object = xmlXPathEvalExpression(XmlChars(expression), xpath);
    xmlSetStructuredErrorFunc(nullptr, nullptr);
    if (!result.object || result.object->type != XPATH_NODESET) {
        return E_FAIL;
    }
    xmlNodeSetPtr set = result.object->nodesetval;
    if (!set) {
        return S_OK;
    }
    for (int i = 0; i < set->nodeNr; ++i) {
        xmlNodePtr node = set->nodeTab[i];
        if (node->type != XML_NAMESPACE_DECL) {
            nodes.push_back(node);
        }
    }
    return S_OK;
}

bool ParseSelectionNamespaces(const std::string& text,
                              std::vector<std::pair<std::string, std::string>>& pairs)
{
    pairs.clear();
    size_t at = 0;
    auto skipSpaces = [&] {
        while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at]))) {
            ++at;
        }
    };
    skipSpaces();
    while (at < text.size()) {
        if (text.compare(at, 5, "xmlns") != 0) {
            return false;
        }
        at += 5;
        std::string prefix;
        if (at < text.size() && text[at] == ':') {
            size_t start = ++at;
            while (at < text.size() && text[at] != '=' &&
                   !std::isspace(static_cast<unsigned char>(text[at]))) {
                ++at;
            }
            prefix = text.substr(start, at - start);
            if (prefix.empty()) {
                return false;
            }
        }
        skipSpaces();
        if (at >= text.size() || text[at] != '=') {
            return false;
        }
        ++at;
        skipSpaces();
        if (at >= text.size() || (text[at] != '\'' && text[at] != '"')) {
            return false;
        }
        char quote = text[at++];
        size_t end = text.find(quote, at);
        if (end == std::string::npos) {
            return false;
        }
        std::string uri = text.substr(at, end - at);
        at = end + 1;
        // A default namespace has no use in a query: names without a prefix select no namespace.
        if (!prefix.empty()) {
            pairs.emplace_back(prefix, uri);
        }
        if (at < text.size() && !std::isspace(static_cast<unsigned char>(text[at]))) {
            return false;
        }
        skipSpaces();
    }
    return true;
}

}  // namespace xml
}  // namespace nirasim
