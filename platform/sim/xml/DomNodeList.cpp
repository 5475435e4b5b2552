#include "xml/DomNodeList.h"

#include "xml/DomNode.h"

namespace nirasim {
namespace xml {

DomNodeList::DomNodeList(DomStore* store, std::vector<xmlNodePtr> nodes)
    : m_store(store), m_nodes(std::move(nodes))
{
    m_store->AddRef();
}

DomNodeList::~DomNodeList()
{
    m_store->Release();
}

void* DomNodeList::Find(REFIID riid)
{
    if (riid == IID_IXMLDOMNodeList) {
        return static_cast<IXMLDOMNodeList*>(this);
    }
    return ComObject::Find(riid);
}

STDMETHODIMP DomNodeList::get_item(LONG index, IXMLDOMNode** item)
{
    if (!item) {
        return E_INVALIDARG;
    }
    *item = nullptr;
    if (index < 0 || static_cast<size_t>(index) >= m_nodes.size()) {
        return S_FALSE;
    }
    return ReturnNode(m_store, m_nodes[index], item);
}

STDMETHODIMP DomNodeList::get_length(LONG* length)
{
    if (!length) {
        return E_INVALIDARG;
    }
    *length = static_cast<LONG>(m_nodes.size());
    return S_OK;
}

STDMETHODIMP DomNodeList::nextNode(IXMLDOMNode** item)
{
    if (!item) {
        return E_INVALIDARG;
    }
    *item = nullptr;
    if (m_cursor >= m_nodes.size()) {
        return S_FALSE;
    }
    return ReturnNode(m_store, m_nodes[m_cursor++], item);
}

STDMETHODIMP DomNodeList::reset()
{
    m_cursor = 0;
    return S_OK;
}

}  // namespace xml
}  // namespace nirasim
