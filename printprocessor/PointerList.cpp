#include "printprocessor/PointerList.h"

bool InsertPointer(PointerListCursor& cursor, void* value)
{
    auto* node = static_cast<PointerListNode*>(LocalAlloc(LPTR, sizeof(PointerListNode)));
    if (node == nullptr) {
        return false;
    }
    PointerList& list = *cursor.list;
    node->value = value;
    PointerListNode* behind = cursor.node;
    if (list.count == 0 || behind == nullptr) {
        behind = list.last;
    }
    node->previous = behind;
    node->next = behind != nullptr ? behind->next : nullptr;
    if (behind != nullptr) {
        behind->next = node;
    } else {
        list.first = node;
    }
    if (node->next != nullptr) {
        node->next->previous = node;
    } else {
        list.last = node;
    }
    ++list.count;
    if (list.count == 1) {
        cursor.node = node;
        cursor.index = 0;
    } else {
        ++cursor.index;
    }
    return true;
}

void RemovePointer(PointerListCursor& cursor)
{
    PointerListNode* node = cursor.node;
    if (node == nullptr) {
        return;
    }
    PointerList& list = *cursor.list;
    if (node->previous != nullptr) {
        node->previous->next = node->next;
    } else {
        list.first = node->next;
    }
    if (node->next != nullptr) {
        node->next->previous = node->previous;
    } else {
        list.last = node->previous;
    }
    --list.count;
    if (node->previous != nullptr) {
        cursor.node = node->previous;
    } else {
        cursor.node = node->next;
        --cursor.index;
    }
    if (list.count == 0) {
        cursor.index = -1;
    }
    LocalFree(node);
}

void ClearPointerList(PointerList& list)
{
    PointerListCursor cursor = {&list, list.last, static_cast<LONG>(list.count) - 1};
    while (list.count > 0) {
        cursor.node = list.last;
        RemovePointer(cursor);
    }
}
