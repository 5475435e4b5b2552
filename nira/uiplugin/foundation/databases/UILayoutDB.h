// The reader of the UI layout database: which containers, windows and controls a property sheet
// or pop-up shows. The presentation library walks the layout through the data-source slots.
#pragma once

#include <windows.h>

#include "nira/uiplugin/foundation/databases/DatabaseCopy.h"
#include "nira/uiplugin/foundation/databases/DataSource.h"

class CNiraUILayoutDB : public CNiraDataSource {
public:
    CNiraUILayoutDB();
    ~CNiraUILayoutDB() override;

    // Keeps the path; opens a copy only when none is open yet, so a later Open with another
    // path keeps reading the first database.
    LONG Open(LPCWSTR path) override;
    LONG FindContainer(LPCWSTR name, NiraLayoutRecordCallback callback, LPVOID user) override;
    // The right-to-left flag is remembered: it also chooses the column of later EnumWidgets.
    LONG EnumWindows(INT containerId, INT rtl, NiraLayoutRecordCallback callback, LPVOID user) override;
    LONG EnumWidgets(INT ignored, INT windowId, NiraWidgetCallback callback, LPVOID user) override;
    LONG Close() override;
    LONG GetFrameType(LPCWSTR containerName, INT* frameType) override;
    LONG GetRtlWindowId(INT windowId, INT* rtlWindowId) override;

private:
    // The ids of the first column of a COUNT query's rows, then of the id query, in a LocalAlloc
    // array (null when there are none); NIRA_STATUS_FAILED when a query or the array failed.
    LONG CollectIds(LPCSTR countPrefix, LPCSTR idPrefix, INT value, INT** ids, INT* count);
    LONG DeliverWindow(INT windowId, NiraLayoutRecordCallback callback, LPVOID user);
    LONG DeliverWidget(INT controlId, NiraWidgetCallback callback, LPVOID user);

    CNiraDatabaseCopy m_copy;
    INT m_rtl;
    INT m_rtlWindowId;
};
