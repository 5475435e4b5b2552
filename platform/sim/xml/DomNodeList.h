// A list of nodes (a selection or the children of a node), taken when the list is made.
#pragma once

#include <msxml2.h>

#include "com/ComObject.h"
#include "xml/DomStore.h"

#include <vector>

namespace nirasim {
namespace xml {

class DomNodeList : public com::ComObject<IXMLDOMNodeList> {
public:
    DomNodeList(DomStore* store, std::vector<xmlNodePtr> nodes);

    STDMETHODIMP get_item(LONG index, IXMLDOMNode** item) override;
    STDMETHODIMP get_length(LONG* length) override;
    STDMETHODIMP nextNode(IXMLDOMNode** item) override;
    STDMETHODIMP reset() override;

protected:
    ~DomNodeList() override;
    void* Find(REFIID riid) override;

private:
    DomStore* m_store;
    std::vector<xmlNodePtr> m_nodes;
    size_t m_cursor = 0;
};

}  // namespace xml
}  // namespace nirasim
