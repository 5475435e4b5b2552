// Selection: XPath over libxml2 with the document's "SelectionNamespaces" prefixes.
#pragma once

#include <wtypes.h>

#include "xml/DomStore.h"

#include <vector>

namespace nirasim {
namespace xml {

// The nodes query selects from context, in document order. E_FAIL for a query that does not
// parse, uses an unbound prefix or does not give nodes.
HRESULT SelectFrom(DomStore* store, xmlNodePtr context, BSTR query, std::vector<xmlNodePtr>& nodes);

// Parses "xmlns:p='uri' xmlns:q=\"uri\"" into pairs; false when the text is not of that form.
bool ParseSelectionNamespaces(const std::string& text,
                              std::vector<std::pair<std::string, std::string>>& pairs);

}  // namespace xml
}  // namespace nirasim
