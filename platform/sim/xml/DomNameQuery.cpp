#include "xml/DomNameQuery.h"

#include <cstring>

namespace nirasim {
namespace xml {
namespace {

constexpr char kDocumentStart[] = "//";
constexpr char kBelowStart[] = ".//";

bool IsNameStart(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

bool IsNameChar(char c)
{
    return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}

// An ASCII NCName: the characters of a name the engine reads the same way.
bool IsPlainName(const std::string& text)
{
    if (text.empty() || !IsNameStart(text[0])) {
        return false;
    }
    for (char c : text) {
        if (!IsNameChar(c)) {
            return false;
        }
    }
    return true;
}

bool Matches(xmlNodePtr node, const NameQuery& query, const xmlChar* uri)
{
    const char* name = reinterpret_cast<const char*>(node->name);
    if (node->type != XML_ELEMENT_NODE || !name || name[0] != query.local[0] ||
        std::strcmp(name, query.local.c_str()) != 0) {
        return false;
    }
    if (!uri) {
        return node->ns == nullptr;
    }
    return node->ns && node->ns->href && xmlStrEqual(node->ns->href, uri);
}

// The elements below top in document order: a walk by the parent links, so that no depth of
// nesting deepens the stack.
void SelectDescendants(xmlNodePtr top, const NameQuery& query, const xmlChar* uri,
                       std::vector<xmlNodePtr>& nodes)
{
    xmlNodePtr node = top->children;
    while (node && node != top) {
        if (Matches(node, query, uri)) {
            nodes.push_back(node);
        }
        // Only elements hold elements; the engine does not enter entity references either.
        if (node->type == XML_ELEMENT_NODE && node->children) {
            node = node->children;
            continue;
        }
        while (node != top && !node->next) {
            node = node->parent;
        }
        if (node != top) {
            node = node->next;
        }
    }
}

}  // namespace

bool ParseNameQuery(const std::string& text, NameQuery& query)
{
    size_t start = 0;
    if (text.compare(0, sizeof(kBelowStart) - 1, kBelowStart) == 0) {
        query.axis = NameQuery::Axis::kBelow;
        start = sizeof(kBelowStart) - 1;
    } else if (text.compare(0, sizeof(kDocumentStart) - 1, kDocumentStart) == 0) {
        query.axis = NameQuery::Axis::kDocument;
        start = sizeof(kDocumentStart) - 1;
    } else {
        query.axis = NameQuery::Axis::kChild;
    }
    const size_t colon = text.find(':', start);
    if (colon == std::string::npos) {
        query.prefix.clear();
        query.local = text.substr(start);
        return IsPlainName(query.local);
    }
    query.prefix = text.substr(start, colon - start);
    query.local = text.substr(colon + 1);
    return IsPlainName(query.prefix) && IsPlainName(query.local);
}

void SelectByName(xmlNodePtr context, const NameQuery& query, const xmlChar* uri,
                  std::vector<xmlNodePtr>& nodes)
{
    switch (query.axis) {
    case NameQuery::Axis::kChild:
        for (xmlNodePtr child = context->children; child; child = child->next) {
            if (Matches(child, query, uri)) {
                nodes.push_back(child);
            }
        }
        return;
    case NameQuery::Axis::kDocument:
        SelectDescendants(reinterpret_cast<xmlNodePtr>(context->doc), query, uri, nodes);
        return;
    case NameQuery::Axis::kBelow:
        SelectDescendants(context, query, uri, nodes);
        return;
    }
}

}  // namespace xml
}  // namespace nirasim
