#include "xml/DomAttributeOrder.h"

#include <libxml/SAX2.h>

#include <cstring>

namespace nirasim {
namespace xml {
namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The attribute names of the start tag text (from '<' up to its end), in order; false when the
// text is not a start tag this reader understands.
bool ScanStartTag(const char* tag, const char* end, std::vector<std::string>& names)
{
    const char* at = tag + 1;
    while (at < end && !IsSpace(*at) && *at != '>' && *at != '/') {
        ++at;  // the element's name
    }
    for (;;) {
        while (at < end && IsSpace(*at)) {
            ++at;
        }
        if (at >= end || *at == '>' || *at == '/') {
            return true;
        }
        const char* name = at;
        while (at < end && !IsSpace(*at) && *at != '=') {
            ++at;
        }
        names.emplace_back(name, at);
        while (at < end && IsSpace(*at)) {
            ++at;
        }
        if (at >= end || *at != '=') {
            return false;
        }
        ++at;
        while (at < end && IsSpace(*at)) {
            ++at;
        }
        if (at >= end || (*at != '"' && *at != '\'')) {
            return false;
        }
        const char* close = static_cast<const char*>(memchr(at + 1, *at, static_cast<size_t>(end - at - 1)));
        if (!close) {
            return false;
        }
        at = close + 1;
    }
}

bool IsDeclaration(const std::string& name)
{
    return name == "xmlns" || name.compare(0, 6, "xmlns:") == 0;
}

// Whether an attribute stands before a declaration, which the separate lists would reorder.
bool IsMixed(const std::vector<std::string>& names)
{
    bool attributeSeen = false;
    for (const std::string& name : names) {
        if (!IsDeclaration(name)) {
            attributeSeen = true;
        } else if (attributeSeen) {
            return true;
        }
    }
    return false;
}

void StartElement(void* context, const xmlChar* localName, const xmlChar* prefix, const xmlChar* uri,
                  int namespaceCount, const xmlChar** namespaces, int attributeCount, int defaultedCount,
                  const xmlChar** attributes)
{
    xmlSAX2StartElementNs(context, localName, prefix, uri, namespaceCount, namespaces, attributeCount,
                          defaultedCount, attributes);
    auto* parser = static_cast<xmlParserCtxtPtr>(context);
    const int written = attributeCount - defaultedCount;
    if (namespaceCount == 0 || written <= 0 || !parser->node || !parser->input || !parser->input->cur) {
        return;
    }
    // The parser stands at the end of the start tag; its '<' is the last one before (an attribute
    // value holds none). The names found must be exactly those the parser reported.
    const char* base = reinterpret_cast<const char*>(parser->input->base);
    const char* end = reinterpret_cast<const char*>(parser->input->cur);
    const char* tag = end;
    while (tag > base && *tag != '<') {
        --tag;
    }
    std::vector<std::string> names;
    if (*tag != '<' || !ScanStartTag(tag, end, names) ||
        names.size() != static_cast<size_t>(namespaceCount + written)) {
        return;
    }
    if (IsMixed(names)) {
        static_cast<DomStore*>(parser->_private)->KeepAttributeOrder(parser->node, std::move(names));
    }
}

}  // namespace

void RecordAttributeOrder(xmlParserCtxtPtr parser, DomStore* store)
{
    parser->_private = store;
    parser->sax->startElementNs = StartElement;
}

const std::vector<std::string>* AttributeOrderOf(xmlNodePtr element)
{
    return static_cast<const std::vector<std::string>*>(element->_private);
}

}  // namespace xml
}  // namespace nirasim
