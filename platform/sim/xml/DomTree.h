// Tree work on libxml2 nodes as MSXML does it: names, text, attributes (with the namespace
// declarations among them), linking without merging text nodes, and namespace clean-up.
#pragma once

#include <oleauto.h>

#include "xml/DomStore.h"

#include <string>
#include <vector>

namespace nirasim {
namespace xml {

inline const char* Chars(const xmlChar* text)
{
    return reinterpret_cast<const char*>(text);
}
inline const xmlChar* XmlChars(const std::string& text)
{
    return reinterpret_cast<const xmlChar*>(text.c_str());
}

HRESULT ReturnBstr(const std::u16string& text, BSTR* out);
HRESULT ReturnBstrUtf8(const std::string& text, BSTR* out);
HRESULT ReturnVariantText(const std::string& text, VARIANT* out);
// The UTF-8 text of a BSTR (null reads as empty).
std::string Utf8Of(BSTR text);
// The text of a variant converted as automation converts it.
HRESULT TextOfVariant(const VARIANT& value, std::string& text);

// prefix:local, or local alone.
std::string QualifiedName(xmlNodePtr node);
std::string SplitPrefix(const std::string& qualifiedName, std::string& local);
// The text MSXML gives for a node: the text of its descendants, trimmed for elements and text.
std::string NodeText(xmlNodePtr node);
std::string TrimWhiteSpace(const std::string& text);

// One entry of an element's attribute map: a namespace declaration or an attribute.
struct AttributeItem {
    xmlNsPtr ns = nullptr;
    xmlAttrPtr attribute = nullptr;
};
std::vector<AttributeItem> CollectAttributes(xmlNodePtr element);
std::string ItemName(const AttributeItem& item);
// The entry whose qualified name is name (its place in the map in *index when given); both fields
// null when there is none.
AttributeItem FindAttributeItem(xmlNodePtr element, const std::string& name, size_t* index = nullptr);
// The number of entries and the entry at index (both fields null past the end), in the map's
// order, without collecting the map where its order is the libxml2 lists' own.
size_t AttributeCount(xmlNodePtr element);
AttributeItem AttributeItemAt(xmlNodePtr element, size_t index);

// Replaces the value of an attribute with one text node.
void SetAttributeValue(xmlAttrPtr attribute, const std::string& value);

bool IsAncestorOrSelf(xmlNodePtr candidate, xmlNodePtr node);
// Links child below parent before `before` (null: last); text nodes are never merged, so every node
// a caller holds stays what it was.
void LinkChild(xmlNodePtr parent, xmlNodePtr child, xmlNodePtr before);
// Takes node out of its tree; it keeps the namespace declarations it needs and stays allocated.
void DetachNode(DomStore* store, xmlNodePtr node);
// Drops the declarations below node that repeat one already in scope at its new place.
void DropRedundantNamespaces(DomStore* store, xmlNodePtr node);

// Replaces the entity references in the attribute values below node by their text, as MSXML
// gives an attribute one value (so that selection compares what text reads).
void ExpandAttributeEntities(xmlNodePtr node);

// Removes the white-space-only text nodes below node (loading without preserveWhiteSpace).
void StripWhiteSpaceNodes(xmlNodePtr node);

}  // namespace xml
}  // namespace nirasim
