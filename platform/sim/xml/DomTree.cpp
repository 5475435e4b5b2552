#include "xml/DomTree.h"

#include "xml/DomAttributeOrder.h"
#include "xml/Utf.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace nirasim {
namespace xml {

HRESULT ReturnBstr(const std::u16string& text, BSTR* out)
{
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

HRESULT ReturnBstrUtf8(const std::string& text, BSTR* out)
{
    // ASCII text (most of it) is widened straight into the string handed out.
    const bool ascii = std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; });
    if (!ascii) {
        return ReturnBstr(ToUtf16(text.data(), text.size()), out);
    }
    *out = SysAllocStringLen(nullptr, static_cast<UINT>(text.size()));
    if (!*out) {
        return E_OUTOFMEMORY;
    }
    std::copy(text.begin(), text.end(), *out);
    return S_OK;
}

HRESULT ReturnVariantText(const std::string& text, VARIANT* out)
{
    VariantInit(out);
    HRESULT hr = ReturnBstrUtf8(text, &out->bstrVal);
    if (SUCCEEDED(hr)) {
        out->vt = VT_BSTR;
    }
    return hr;
}

std::string Utf8Of(BSTR text)
{
    return text ? ToUtf8(text, SysStringLen(text)) : std::string();
}

HRESULT TextOfVariant(const VARIANT& value, std::string& text)
{
    if (value.vt == VT_BSTR) {
        text = Utf8Of(value.bstrVal);
        return S_OK;
    }
    VARIANT converted;
    VariantInit(&converted);
    HRESULT hr = VariantChangeType(&converted, &value, VARIANT_ALPHABOOL, VT_BSTR);
    if (FAILED(hr)) {
        return hr;
    }
    text = Utf8Of(converted.bstrVal);
    VariantClear(&converted);
    return S_OK;
}

std::string QualifiedName(xmlNodePtr node)
{
    std::string name = node->name ? Chars(node->name) : "";
    if ((node->type == XML_ELEMENT_NODE || node->type == XML_ATTRIBUTE_NODE) && node->ns &&
        node->ns->prefix) {
        return std::string(Chars(node->ns->prefix)) + ":" + name;
    }
    return name;
}

std::string SplitPrefix(const std::string& qualifiedName, std::string& local)
{
    size_t colon = qualifiedName.find(':');
    if (colon == std::string::npos) {
        local = qualifiedName;
        return {};
    }
    local = qualifiedName.substr(colon + 1);
    return qualifiedName.substr(0, colon);
}

std::string TrimWhiteSpace(const std::string& text)
{
    const char* spaces = " \t\r\n";
    size_t first = text.find_first_not_of(spaces);
    if (first == std::string::npos) {
        return {};
    }
    size_t last = text.find_last_not_of(spaces);
    return text.substr(first, last - first + 1);
}

std::string NodeText(xmlNodePtr node)
{
    // An attribute's value is most often one text node: read in place.
    const xmlNodePtr only = node->type == XML_ATTRIBUTE_NODE ? node->children : nullptr;
    if (only && !only->next && only->type == XML_TEXT_NODE) {
        return only->content ? Chars(only->content) : "";
    }
    xmlChar* content = xmlNodeGetContent(node);
    std::string text = content ? Chars(content) : "";
    xmlFree(content);
    switch (node->type) {
    case XML_ATTRIBUTE_NODE:
    case XML_COMMENT_NODE:
    case XML_PI_NODE:
    case XML_CDATA_SECTION_NODE:
        return text;
    default:
        return TrimWhiteSpace(text);
    }
}

std::vector<AttributeItem> CollectAttributes(xmlNodePtr element)
{
    std::vector<AttributeItem> items;
    if (!element || element->type != XML_ELEMENT_NODE) {
        return items;
    }
    for (xmlNsPtr ns = element->nsDef; ns; ns = ns->next) {
        items.push_back({ns, nullptr});
    }
    for (xmlAttrPtr attribute = element->properties; attribute; attribute = attribute->next) {
        items.push_back({nullptr, attribute});
    }
    const std::vector<std::string>* order = AttributeOrderOf(element);
    if (order) {
        // As the start tag wrote them; entries added since come after, in the order they have.
        std::unordered_map<std::string, size_t> rank;
        for (size_t i = 0; i < order->size(); ++i) {
            rank.emplace((*order)[i], i);
        }
        auto rankOf = [&](const AttributeItem& item) {
            auto found = rank.find(ItemName(item));
            return found == rank.end() ? order->size() : found->second;
        };
        std::stable_sort(items.begin(), items.end(), [&](const AttributeItem& a, const AttributeItem& b) {
            return rankOf(a) < rankOf(b);
        });
    }
    return items;
}

std::string ItemName(const AttributeItem& item)
{
    if (item.ns) {
        return item.ns->prefix ? std::string("xmlns:") + Chars(item.ns->prefix) : std::string("xmlns");
    }
    return QualifiedName(reinterpret_cast<xmlNodePtr>(item.attribute));
}

namespace {

constexpr char kDeclarationName[] = "xmlns";
constexpr size_t kDeclarationNameLength = sizeof(kDeclarationName) - 1;

// Whether text at from equals the NUL-terminated part (a null part reads as empty).
bool PartEquals(const std::string& text, size_t from, size_t length, const xmlChar* part)
{
    const char* chars = part ? Chars(part) : "";
    return std::strlen(chars) == length && text.compare(from, length, chars) == 0;
}

// ItemName(item) == name without building the item's name.
bool ItemNamed(const AttributeItem& item, const std::string& name)
{
    if (item.ns) {
        if (name.compare(0, kDeclarationNameLength, kDeclarationName) != 0) {
            return false;
        }
        if (name.size() == kDeclarationNameLength) {
            return !item.ns->prefix;
        }
        return item.ns->prefix && name[kDeclarationNameLength] == ':' &&
               PartEquals(name, kDeclarationNameLength + 1, name.size() - kDeclarationNameLength - 1,
                          item.ns->prefix);
    }
    const xmlNs* ns = item.attribute->ns;
    if (!ns || !ns->prefix) {
        return PartEquals(name, 0, name.size(), item.attribute->name);
    }
    const size_t prefixLength = std::strlen(Chars(ns->prefix));
    return name.size() > prefixLength && name[prefixLength] == ':' &&
           PartEquals(name, 0, prefixLength, ns->prefix) &&
           PartEquals(name, prefixLength + 1, name.size() - prefixLength - 1, item.attribute->name);
}

// Walks the element's map in its order without collecting it when the start tag wrote its
// declarations first (or was not parsed): the declarations, then the attributes. The visitor
// answers true to stop.
template <class Visitor>
void VisitAttributes(xmlNodePtr element, Visitor visit)
{
    if (!element || element->type != XML_ELEMENT_NODE) {
        return;
    }
    if (AttributeOrderOf(element)) {
        std::vector<AttributeItem> items = CollectAttributes(element);
        for (size_t i = 0; i < items.size(); ++i) {
            if (visit(i, items[i])) {
                return;
            }
        }
        return;
    }
    size_t index = 0;
    for (xmlNsPtr ns = element->nsDef; ns; ns = ns->next, ++index) {
        if (visit(index, AttributeItem{ns, nullptr})) {
            return;
        }
    }
    for (xmlAttrPtr attribute = element->properties; attribute; attribute = attribute->next, ++index) {
        if (visit(index, AttributeItem{nullptr, attribute})) {
            return;
        }
    }
}

}  // namespace

size_t AttributeCount(xmlNodePtr element)
{
    size_t count = 0;
    VisitAttributes(element, [&count](size_t, const AttributeItem&) {
        ++count;
        return false;
    });
    return count;
}

AttributeItem AttributeItemAt(xmlNodePtr element, size_t index)
{
    AttributeItem found;
    VisitAttributes(element, [&](size_t at, const AttributeItem& item) {
        if (at != index) {
            return false;
        }
        found = item;
        return true;
    });
    return found;
}

AttributeItem FindAttributeItem(xmlNodePtr element, const std::string& name, size_t* index)
{
    AttributeItem found;
    VisitAttributes(element, [&](size_t at, const AttributeItem& item) {
        if (!ItemNamed(item, name)) {
            return false;
        }
        found = item;
        if (index) {
            *index = at;
        }
        return true;
    });
    return found;
}

void SetAttributeValue(xmlAttrPtr attribute, const std::string& value)
{
    xmlFreeNodeList(attribute->children);
    xmlNodePtr text = xmlNewDocText(attribute->doc, XmlChars(value));
    text->parent = reinterpret_cast<xmlNodePtr>(attribute);
    attribute->children = attribute->last = text;
}

bool IsAncestorOrSelf(xmlNodePtr candidate, xmlNodePtr node)
{
    for (xmlNodePtr walk = node; walk; walk = walk->parent) {
        if (walk == candidate) {
            return true;
        }
    }
    return false;
}

void LinkChild(xmlNodePtr parent, xmlNodePtr child, xmlNodePtr before)
{
    if (child->doc != parent->doc) {
        xmlSetTreeDoc(child, parent->doc);
    }
    child->parent = parent;
    if (before) {
        child->next = before;
        child->prev = before->prev;
        if (before->prev) {
            before->prev->next = child;
        } else {
            parent->children = child;
        }
        before->prev = child;
    } else {
        child->next = nullptr;
        child->prev = parent->last;
        if (parent->last) {
            parent->last->next = child;
        } else {
            parent->children = child;
        }
        parent->last = child;
    }
}

void DetachNode(DomStore* store, xmlNodePtr node)
{
    xmlUnlinkNode(node);
    if (node->type == XML_ELEMENT_NODE) {
        xmlReconciliateNs(node->doc, node);
    }
    store->KeepDetached(node);
}

namespace {

void ReplaceNamespace(xmlNodePtr node, xmlNsPtr from, xmlNsPtr to)
{
    if (node->ns == from) {
        node->ns = to;
    }
    for (xmlAttrPtr attribute = node->properties; attribute; attribute = attribute->next) {
        if (attribute->ns == from) {
            attribute->ns = to;
        }
    }
    for (xmlNodePtr child = node->children; child; child = child->next) {
        if (child->type == XML_ELEMENT_NODE) {
            ReplaceNamespace(child, from, to);
        }
    }
}

bool SameText(const xmlChar* a, const xmlChar* b)
{
    if (!a || !b) {
        return a == b;
    }
    return xmlStrEqual(a, b) != 0;
}

}  // namespace

void DropRedundantNamespaces(DomStore* store, xmlNodePtr node)
{
    if (node->type != XML_ELEMENT_NODE) {
        return;
    }
    xmlNodePtr parent = node->parent;
    if (parent && parent->type == XML_ELEMENT_NODE) {
        xmlNsPtr* link = &node->nsDef;
        while (*link) {
            xmlNsPtr ns = *link;
            xmlNsPtr inScope = xmlSearchNs(node->doc, parent, ns->prefix);
            if (inScope && SameText(inScope->href, ns->href)) {
                *link = ns->next;
                ReplaceNamespace(node, ns, inScope);
                store->KeepNamespace(ns);
            } else {
                link = &ns->next;
            }
        }
    }
    for (xmlNodePtr child = node->children; child; child = child->next) {
        DropRedundantNamespaces(store, child);
    }
}

void ExpandAttributeEntities(xmlNodePtr node)
{
    for (xmlNodePtr child = node->children; child; child = child->next) {
        if (child->type != XML_ELEMENT_NODE) {
            continue;
        }
        for (xmlAttrPtr attribute = child->properties; attribute; attribute = attribute->next) {
            bool hasReference = false;
            for (xmlNodePtr part = attribute->children; part && !hasReference; part = part->next) {
                hasReference = part->type == XML_ENTITY_REF_NODE;
            }
            if (!hasReference) {
                continue;
            }
            xmlChar* value = xmlNodeGetContent(reinterpret_cast<xmlNodePtr>(attribute));
            SetAttributeValue(attribute, value ? Chars(value) : "");
            xmlFree(value);
        }
        ExpandAttributeEntities(child);
    }
}

void StripWhiteSpaceNodes(xmlNodePtr node)
{
    xmlNodePtr child = node->children;
    while (child) {
        xmlNodePtr next = child->next;
        if (child->type == XML_TEXT_NODE && xmlIsBlankNode(child)) {
            xmlUnlinkNode(child);
            xmlFreeNode(child);
        } else if (child->type == XML_ELEMENT_NODE) {
            StripWhiteSpaceNodes(child);
        }
        child = next;
    }
}

}  // namespace xml
}  // namespace nirasim
