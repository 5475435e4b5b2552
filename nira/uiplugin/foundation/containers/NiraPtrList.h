// A doubly linked list of untyped values. The list owns its nodes, never the values.
#pragma once

#include <windows.h>

class CNiraPtrList {
public:
    struct Node {
        Node* prev;
        Node* next;
        void* value;
    };

    // Called for each node with the address of a copy of its value; a non-zero answer goes on.
    typedef int (*FindIfCallback)(Node* node, void** value, void* userData);

    CNiraPtrList();
    ~CNiraPtrList();
    CNiraPtrList(const CNiraPtrList&) = delete;
    CNiraPtrList& operator=(const CNiraPtrList&) = delete;

    // Each answers the new node, or null when no node could be allocated.
    Node* AddTail(void* value);
    Node* AddHead(void* value);
    // A null node inserts nothing.
    Node* InsertBefore(Node* node, void* value);

    // Unlinks and deletes the node; 0 for a null node.
    BOOL Remove(Node* node);
    void RemoveAll();

    // Walks from the head while the callback answers non-zero; answers its last result, 0 for an
    // empty list.
    int FindIf(FindIfCallback callback, void* userData) const;

    Node* GetHead() const { return m_head; }
    Node* GetTail() const { return m_tail; }
    int GetCount() const { return m_count; }

private:
    Node* NewNode(void* value);

    Node* m_head;
    Node* m_tail;
    int m_count;
};
