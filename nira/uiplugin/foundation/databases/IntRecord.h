// The container and window records that the UI layout reader hands to its callbacks. The reader
// deletes each record right after the callback returns: a callback copies what it keeps.
#pragma once

#include <windows.h>

// A container record: the id of the container that was found.
class CNiraIntRecord {
public:
    explicit CNiraIntRecord(INT containerId) : containerId(containerId) {}
    virtual ~CNiraIntRecord() = default;

    INT containerId;
};

// A window of a container. windowId is the right-to-left window id when the walk asked for them.
class CNiraWindowRecord : public CNiraIntRecord {
public:
    CNiraWindowRecord(INT containerId, INT windowId, INT stringId, LPCWSTR windowName, INT helpId)
        : CNiraIntRecord(containerId),
          windowId(windowId),
          stringId(stringId),
          windowName(windowName),
          helpId(helpId),
          reserved(0)
    {}

    INT windowId;
    INT stringId;
    LPCWSTR windowName;  // owned by the reader, valid during the callback
    INT helpId;
    INT reserved;
};
