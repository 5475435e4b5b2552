#include "xml/DomXPath.h"

#include "xml/DomTree.h"

#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <cctype>

namespace nirasim {
namespace xml {
namespace {

void IgnoreError(void*, xmlErrorPtr) {}

struct XPathContext {
    explicit XPathContext(xmlDocPtr doc) : context(xmlXPathNewContext(doc)) {}
    ~XPathContext() { xmlXPathFreeContext(context); }
    xmlXPathContextPtr context;
};

struct XPathResult {
    ~XPathResult() { xmlXPathFreeObject(object); }
    xmlXPathObjectPtr object = nullptr;
};

}  // namespace

HRESULT SelectFrom(DomStore* store, xmlNodePtr context, BSTR query, std::vector<xmlNodePtr>& nodes)
{
    nodes.clear();
    std::string expression = Utf8Of(query);
    if (expression.empty())
        return E_FAIL;
    XPathContext xpath(context->doc);
    if (!xpath.context)
        return E_OUTOFMEMORY;
    xpath.context->error = IgnoreError;
    xmlSetStructuredErrorFunc(nullptr, IgnoreError);
    for (const auto& binding : store->selectionNamespaces) {
        if (xmlXPathRegisterNs(xpath.context, XmlChars(binding.first), XmlChars(binding.second)) != 0)
            return E_FAIL;
    }
    xpath.context->node = context;
    XPathResult result;
    result.object = xmlXPathEvalExpression(XmlChars(expression), xpath.context);
    xmlSetStructuredErrorFunc(nullptr, nullptr);
    if (!result.object || result.object->type != XPATH_NODESET)
        return E_FAIL;
    xmlNodeSetPtr set = result.object->nodesetval;
    if (!set)
        return S_OK;
    for (int i = 0; i < set->nodeNr; ++i) {
        xmlNodePtr node = set->nodeTab[i];
        if (node->type != XML_NAMESPACE_DECL)
            nodes.push_back(node);
    }
    return S_OK;
}

bool ParseSelectionNamespaces(const std::string& text, std::vector<std::pair<std::string, std::string>>& pairs)
{
    pairs.clear();
    size_t at = 0;
    auto skipSpaces = [&] {
        while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
            ++at;
    };
    skipSpaces();
    while (at < text.size()) {
        if (text.compare(at, 5, "xmlns") != 0)
            return false;
        at += 5;
        std::string prefix;
        if (at < text.size() && text[at] == ':') {
            size_t start = ++at;
            while (at < text.size() && text[at] != '=' && !std::isspace(static_cast<unsigned char>(text[at])))
                ++at;
            prefix = text.substr(start, at - start);
            if (prefix.empty())
                return false;
        }
        skipSpaces();
        if (at >= text.size() || text[at] != '=')
            return false;
        ++at;
        skipSpaces();
        if (at >= text.size() || (text[at] != '\'' && text[at] != '"'))
            return false;
        char quote = text[at++];
        size_t end = text.find(quote, at);
        if (end == std::string::npos)
            return false;
        std::string uri = text.substr(at, end - at);
        at = end + 1;
        // A default namespace has no use in a query: names without a prefix select no namespace.
        if (!prefix.empty())
            pairs.emplace_back(prefix, uri);
        if (at < text.size() && !std::isspace(static_cast<unsigned char>(text[at])))
            return false;
        skipSpaces();
    }
    return true;
}

}  // namespace xml
}  // namespace nirasim
