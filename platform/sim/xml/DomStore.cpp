#include "xml/DomStore.h"

#include <unordered_set>

namespace nirasim {
namespace xml {

DomStore::DomStore() : m_document(xmlNewDoc(reinterpret_cast<const xmlChar*>("1.0"))) {}

void DomStore::Release()
{
    if (--m_references == 0) {
        delete this;
    }
}

DomStore::~DomStore()
{
    xmlXPathFreeContext(m_selection);
    // Detached nodes first: a node attached again belongs to its new parent and is freed with it.
    // The roots are all found before any is freed, since freeing one frees what hangs below it.
    std::unordered_set<xmlNodePtr> seen;
    std::vector<xmlNodePtr> roots;
    for (xmlNodePtr node : m_detached) {
        if (seen.insert(node).second && !node->parent) {
            roots.push_back(node);
        }
    }
    for (xmlNodePtr node : roots) {
        if (node->type == XML_ATTRIBUTE_NODE) {
            xmlFreeProp(reinterpret_cast<xmlAttrPtr>(node));
        } else {
            xmlFreeNode(node);
        }
    }
    for (xmlDocPtr retired : m_retiredDocuments) {
        xmlFreeDoc(retired);
    }
    xmlFreeDoc(m_document);
    for (xmlNsPtr ns : m_namespaces) {
        xmlFreeNs(ns);
    }
}

void DomStore::ReplaceDocument(xmlDocPtr fresh)
{
    m_retiredDocuments.push_back(m_document);
    m_document = fresh;
}

void DomStore::KeepDetached(xmlNodePtr node)
{
    m_detached.push_back(node);
}

xmlXPathContextPtr DomStore::SelectionContext()
{
    if (!m_selection) {
        m_selection = xmlXPathNewContext(m_document);
    }
    return m_selection;
}

void DomStore::KeepNamespace(xmlNsPtr ns)
{
    ns->next = nullptr;
    m_namespaces.push_back(ns);
}

void DomStore::KeepAttributeOrder(xmlNodePtr element, std::vector<std::string> names)
{
    m_attributeOrders.push_back(std::make_unique<std::vector<std::string>>(std::move(names)));
    element->_private = m_attributeOrders.back().get();
}

}  // namespace xml
}  // namespace nirasim
