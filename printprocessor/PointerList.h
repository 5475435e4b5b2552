// A doubly linked list of pointer values in local-heap nodes, walked with a cursor. The list
// never frees the values it holds.
#pragma once

#include <windows.h>

struct PointerListNode {
    void* value;
    PointerListNode* next;      // toward the last node
    PointerListNode* previous;  // toward the first node
};

struct PointerList {
    PointerListNode* last;
    PointerListNode* first;
    DWORD count;
};

struct PointerListCursor {
    PointerList* list;
    PointerListNode* node;
    LONG index;  // -1 when the list is empty
};

// Puts a new node behind the cursor's node (appended when the cursor stands on the last node or
// the list is empty) and moves the index on by one; in an empty list the cursor then points at
// the new node with index 0. False, with nothing changed, when no node can be allocated.
bool InsertPointer(PointerListCursor& cursor, void* value);
// Unlinks and frees the cursor's node; the cursor moves to the previous node, or to the next one
// when the first was removed; removing the only node leaves the index at -1.
void RemovePointer(PointerListCursor& cursor);
// Removes every node, last to first.
void ClearPointerList(PointerList& list);
