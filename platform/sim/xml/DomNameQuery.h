// Queries of one element name ("p:n" for the children, "//p:n" for the whole document, ".//p:n"
// below the context node): nearly every query a document helper makes. A walk of the tree gives
// the nodes the XPath engine gives, in the same order, without compiling the text or building and
// sorting node sets; any other query goes to the engine.
#pragma once

#include <libxml/tree.h>

#include <string>
#include <vector>

namespace nirasim {
namespace xml {

struct NameQuery {
    enum class Axis { kChild, kDocument, kBelow };
    Axis axis = Axis::kChild;
    std::string prefix;  // empty: elements in no namespace
    std::string local;
};

// False when text is not exactly one of the three forms with an ASCII name.
bool ParseNameQuery(const std::string& text, NameQuery& query);

// Appends the elements the query selects from context (an element or a document) in document
// order; uri is what the prefix is bound to (null for a name without prefix).
void SelectByName(xmlNodePtr context, const NameQuery& query, const xmlChar* uri,
                  std::vector<xmlNodePtr>& nodes);

}  // namespace xml
}  // namespace nirasim
