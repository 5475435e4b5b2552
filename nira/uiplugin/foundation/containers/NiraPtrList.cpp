#include "nira/uiplugin/foundation/containers/NiraPtrList.h"

#include <new>

CNiraPtrList::CNiraPtrList() : m_head(nullptr), m_tail(nullptr), m_count(0) {}

CNiraPtrList::~CNiraPtrList()
{
    RemoveAll();
}

CNiraPtrList::Node* CNiraPtrList::NewNode(void* value)
{
    return new (std::nothrow) Node{nullptr, nullptr, value};
}

CNiraPtrList::Node* CNiraPtrList::AddTail(void* value)
{
    Node* node = NewNode(value);
    if (!node) {
        return nullptr;
    }
    node->prev = m_tail;
    if (m_tail) {
        m_tail->next = node;
    } else {
        m_head = node;
    }
    m_tail = node;
    ++m_count;
    return node;
}

CNiraPtrList::Node* CNiraPtrList::AddHead(void* value)
{
    Node* node = NewNode(value);
    if (!node) {
        return nullptr;
    }
    node->next = m_head;
    if (m_head) {
        m_head->prev = node;
    } else {
        m_tail = node;
    }
    m_head = node;
    ++m_count;
    return node;
}

CNiraPtrList::Node* CNiraPtrList::InsertBefore(Node* node, void* value)
{
    if (!node) {
        return nullptr;
    }
    Node* inserted = NewNode(value);
    if (!inserted) {
        return nullptr;
    }
    inserted->next = node;
    inserted->prev = node->prev;
    if (node->prev) {
        node->prev->next = inserted;
    } else {
        m_head = inserted;
    }
    node->prev = inserted;
    ++m_count;
    return inserted;
}

BOOL CNiraPtrList::Remove(Node* node)
{
    if (!node) {
        return FALSE;
    }
    if (node->prev) {
        node->prev->next = node->next;
    } else {
        m_head = node->next;
    }
    if (node->next) {
        node->next->prev = node->prev;
    } else {
        m_tail = node->prev;
    }
    delete node;
    if (m_count != 0) {
        --m_count;
    }
    return TRUE;
}

void CNiraPtrList::RemoveAll()
{
    while (m_head) {
        Remove(m_head);
    }
}

int CNiraPtrList::FindIf(FindIfCallback callback, void* userData) const
{
    int result = 0;
    for (Node* node = m_head; node; node = node->next) {
        void* value = node->value;
        result = callback(node, &value, userData);
        if (result == 0) {
            break;
        }
    }
    return result;
}
