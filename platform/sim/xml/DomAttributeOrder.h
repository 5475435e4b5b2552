// The order in which a parsed start tag wrote its attributes and namespace declarations. libxml2
// keeps the declarations apart from the attributes; MSXML lists both as the document wrote them,
// so the parser notes the order of every start tag that mixes the two, and the attribute map
// follows it.
#pragma once

#include <libxml/parser.h>

#include "xml/DomStore.h"

#include <string>
#include <vector>

namespace nirasim {
namespace xml {

// Makes the parser note the order of mixed start tags in store (set before parsing).
void RecordAttributeOrder(xmlParserCtxtPtr parser, DomStore* store);

// The names ("xmlns:p", "xmlns", "p:name") in the order the element's start tag wrote them, or
// null when it wrote its declarations first (or was not parsed).
const std::vector<std::string>* AttributeOrderOf(xmlNodePtr element);

}  // namespace xml
}  // namespace nirasim
