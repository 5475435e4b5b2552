#include "nira/uiplugin/foundation/databases/UILayoutDB.h"

#include "common/NiraStatus.h"
#include "nira/uiplugin/foundation/databases/IntRecord.h"
#include "nira/uiplugin/foundation/databases/QueryRow.h"
#include "nira/uiplugin/foundation/databases/WidgetInfo.h"

#include <new>

namespace {
constexpr LPCSTR kContainerIdQuery = "SELECT ContainerID FROM UI_CONTAINERS_INFO WHERE ContainerName=";
constexpr LPCSTR kFrameTypeQuery = "SELECT FrameType FROM UI_CONTAINERS_INFO WHERE ContainerName=";
constexpr LPCSTR kRtlWindowIdQuery = "SELECT RTLWindowID FROM UI_WINDOWS_INFO WHERE WindowID=";

constexpr LPCSTR kWindowCountQuery = "SELECT COUNT(WindowID) FROM UI_WINDOWS_INFO WHERE ContainerID=";
constexpr LPCSTR kWindowIdsQuery = "SELECT WindowID FROM UI_WINDOWS_INFO WHERE ContainerID=";
constexpr LPCSTR kWindowRowQuery =
    "SELECT WindowID, WindowStringID, WindowHelp, WindowName, ContainerID FROM UI_WINDOWS_INFO "
    "WHERE WindowID=";
constexpr LPCSTR kRtlWindowCountQuery = "SELECT COUNT(RTLWindowID) FROM UI_WINDOWS_INFO WHERE ContainerID=";
constexpr LPCSTR kRtlWindowIdsQuery = "SELECT RTLWindowID FROM UI_WINDOWS_INFO WHERE ContainerID=";
constexpr LPCSTR kRtlWindowRowQuery =
    "SELECT RTLWindowID, WindowStringID, WindowHelp, WindowName, ContainerID FROM UI_WINDOWS_INFO "
    "WHERE RTLWindowID=";

constexpr LPCSTR kWidgetCountQuery = "SELECT COUNT(ControlID) FROM UI_WIDGETS_INFO WHERE WindowID=";
constexpr LPCSTR kWidgetIdsQuery = "SELECT ControlID FROM UI_WIDGETS_INFO WHERE WindowID=";
constexpr LPCSTR kRtlWidgetCountQuery = "SELECT COUNT(ControlID) FROM UI_WIDGETS_INFO WHERE RTLWindowID=";
constexpr LPCSTR kRtlWidgetIdsQuery = "SELECT ControlID FROM UI_WIDGETS_INFO WHERE RTLWindowID=";
// The column "BitampID" is spelled so in the database.
constexpr LPCSTR kWidgetRowQuery =
    "SELECT ControlID, GroupID, FeatureID, CtrlStringID, BitampID, CtrlHelpID, CtrlType, LabelID, "
    "CtrlName, CtrlState, MaxValue, MinValue, IncrementFactor, LevelID, EndControl "
    "FROM UI_WIDGETS_INFO WHERE ControlID=";

enum WindowColumn {
    WINDOW_ID,
    WINDOW_STRING_ID,
    WINDOW_HELP,
    WINDOW_NAME,
    WINDOW_CONTAINER_ID,
    WINDOW_COLUMN_COUNT
};

enum WidgetColumn {
    WIDGET_CONTROL_ID,
    WIDGET_GROUP_ID,
    WIDGET_FEATURE_ID,
    WIDGET_STRING_ID,
    WIDGET_BITMAP_ID,
    WIDGET_HELP_ID,
    WIDGET_CTRL_TYPE,
    WIDGET_LABEL_ID,
    WIDGET_NAME,
    WIDGET_STATE,
    WIDGET_MAX_VALUE,
    WIDGET_MIN_VALUE,
    WIDGET_INCREMENT,
    WIDGET_LEVEL_ID,
    WIDGET_END_CONTROL
};

// Bounds on the columns of a widget row: more than the minimum and fewer than the maximum.
constexpr int kWidgetMinColumns = 12;
constexpr int kWidgetMaxColumns = 500;

template <typename Callback>
struct RowContext {
    Callback callback;
    LPVOID user;
};

int OnWindowRow(void* argument, int columnCount, char** values, char**)
{
    if (columnCount < WINDOW_COLUMN_COUNT) {
        return 1;
    }
    auto* context = static_cast<RowContext<NiraLayoutRecordCallback>*>(argument);
    LPWSTR name = nullptr;
    if (!DuplicateColumnText(columnCount, values, WINDOW_NAME, &name)) {
        return 1;
    }
    CNiraWindowRecord* record = new (std::nothrow) CNiraWindowRecord(
        ReadColumnInt(columnCount, values, WINDOW_CONTAINER_ID),
        ReadColumnInt(columnCount, values, WINDOW_ID), ReadColumnInt(columnCount, values, WINDOW_STRING_ID),
        name, ReadColumnInt(columnCount, values, WINDOW_HELP));
    if (record != nullptr && context->callback != nullptr) {
        context->callback(record, context->user);
    }
    delete record;
    if (name != nullptr) {
        LocalFree(name);
    }
    return record != nullptr ? 0 : 1;
}

int OnWidgetRow(void* argument, int columnCount, char** values, char**)
{
    if (columnCount <= kWidgetMinColumns || columnCount >= kWidgetMaxColumns) {
        return 1;
    }
    auto* context = static_cast<RowContext<NiraWidgetCallback>*>(argument);
    WidgetRow row = {};
    row.controlId = ReadColumnInt(columnCount, values, WIDGET_CONTROL_ID);
    row.groupId = ReadColumnInt(columnCount, values, WIDGET_GROUP_ID);
    row.featureId = ReadColumnInt(columnCount, values, WIDGET_FEATURE_ID);
    row.ctrlStringId = ReadColumnInt(columnCount, values, WIDGET_STRING_ID);
    row.bitmapId = ReadColumnInt(columnCount, values, WIDGET_BITMAP_ID);
    row.ctrlHelpId = ReadColumnInt(columnCount, values, WIDGET_HELP_ID);
    row.ctrlType = ReadColumnInt(columnCount, values, WIDGET_CTRL_TYPE);
    row.labelId = ReadColumnInt(columnCount, values, WIDGET_LABEL_ID);
    row.ctrlState = ReadColumnInt(columnCount, values, WIDGET_STATE);
    row.maxValue = ReadColumnInt(columnCount, values, WIDGET_MAX_VALUE);
    row.minValue = ReadColumnInt(columnCount, values, WIDGET_MIN_VALUE);
    row.incrementFactor = ReadColumnInt(columnCount, values, WIDGET_INCREMENT);
    row.levelId = ReadColumnInt(columnCount, values, WIDGET_LEVEL_ID);
    row.endControl = ReadColumnInt(columnCount, values, WIDGET_END_CONTROL);
    CNiraWidgetInfo* widget = CreateWidgetInfo(row);
    if (widget == nullptr) {
        return 1;
    }
    if (context->callback != nullptr) {
        context->callback(widget, context->user);
    }
    delete widget;
    return 0;
}
}  // namespace

CNiraUILayoutDB::CNiraUILayoutDB() : m_rtl(0), m_rtlWindowId(0) {}

CNiraUILayoutDB::~CNiraUILayoutDB() = default;

LONG CNiraUILayoutDB::Open(LPCWSTR path)
{
    if (!m_copy.SetPath(path) && !m_copy.IsOpen()) {
        return NIRA_STATUS_FAILED;
    }
    return m_copy.EnsureOpen() ? 0 : NIRA_STATUS_FAILED;
}

LONG CNiraUILayoutDB::FindContainer(LPCWSTR name, NiraLayoutRecordCallback callback, LPVOID user)
{
    CNiraQueryText sql;
    sql.Append(kContainerIdQuery).AppendQuotedName(name);
    INT containerId = 0;
    if (m_copy.Run(sql, StoreFirstColumn, &containerId) != 0 || containerId == 0) {
        return NIRA_STATUS_FAILED;
    }
    CNiraIntRecord* record = new (std::nothrow) CNiraIntRecord(containerId);
    if (record == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    LONG result = callback != nullptr ? callback(record, user) : 0;
    delete record;
    return result;
}

LONG CNiraUILayoutDB::GetFrameType(LPCWSTR containerName, INT* frameType)
{
    CNiraQueryText sql;
    sql.Append(kFrameTypeQuery).AppendQuotedName(containerName);
    INT found = 0;
    if (m_copy.Run(sql, StoreFirstColumn, &found) != 0) {
        return NIRA_STATUS_FAILED;
    }
    if (found != 0 && frameType != nullptr) {
        *frameType = found;
    }
    return 0;
}

LONG CNiraUILayoutDB::GetRtlWindowId(INT windowId, INT* rtlWindowId)
{
    INT found = 0;
    BOOL read = FALSE;
    struct Target {
        INT* value;
        BOOL* read;
    } target = {&found, &read};
    auto onRow = [](void* argument, int columnCount, char** values, char**) -> int {
        auto* t = static_cast<Target*>(argument);
        *t->value = ReadColumnInt(columnCount, values, 0);
        *t->read = TRUE;
        return 0;
    };
    if (m_copy.RunWithNumber(kRtlWindowIdQuery, static_cast<UINT>(windowId), onRow, &target) != 0) {
        return NIRA_STATUS_FAILED;
    }
    if (read) {
        m_rtlWindowId = found;
        if (rtlWindowId != nullptr) {
            *rtlWindowId = found;
        }
    }
    return 0;
}

LONG CNiraUILayoutDB::CollectIds(LPCSTR countPrefix, LPCSTR idPrefix, INT value, INT** ids, INT* count)
{
    *ids = nullptr;
    *count = 0;
    INT expected = 0;
    if (m_copy.RunWithNumber(countPrefix, static_cast<UINT>(value), StoreFirstColumn, &expected) != 0) {
        return NIRA_STATUS_FAILED;
    }
    if (expected <= 0) {
        return 0;
    }

    CNiraIdCollector collector(expected);
    if (!collector.IsAllocated() ||
        m_copy.RunWithNumber(idPrefix, static_cast<UINT>(value), CNiraIdCollector::OnRow, &collector) != 0) {
        return NIRA_STATUS_FAILED;
    }
    *count = collector.Count();
    *ids = collector.Detach();
    return 0;
}

LONG CNiraUILayoutDB::EnumWindows(INT containerId, INT rtl, NiraLayoutRecordCallback callback, LPVOID user)
{
    m_rtl = rtl != 0 ? 1 : 0;
    CNiraDatabaseCopy::ReadTransaction transaction(m_copy);
    INT count = 0;
    INT* ids = nullptr;
    // A list that could not be read is a failure, not a container without windows.
    LONG result = m_rtl ? CollectIds(kRtlWindowCountQuery, kRtlWindowIdsQuery, containerId, &ids, &count)
                        : CollectIds(kWindowCountQuery, kWindowIdsQuery, containerId, &ids, &count);
    for (INT i = 0; i < count; ++i) {
        // A window that cannot be read is reported, and the walk goes on with the next one.
        if (DeliverWindow(ids[i], callback, user) != 0) {
            result = NIRA_STATUS_FAILED;
        }
    }
    if (ids != nullptr) {
        LocalFree(ids);
    }
    return result;
}

LONG CNiraUILayoutDB::DeliverWindow(INT windowId, NiraLayoutRecordCallback callback, LPVOID user)
{
    RowContext<NiraLayoutRecordCallback> context = {callback, user};
    return m_copy.RunWithNumber(m_rtl ? kRtlWindowRowQuery : kWindowRowQuery, static_cast<UINT>(windowId),
                                OnWindowRow, &context);
}

LONG CNiraUILayoutDB::EnumWidgets(INT, INT windowId, NiraWidgetCallback callback, LPVOID user)
{
    CNiraDatabaseCopy::ReadTransaction transaction(m_copy);
    INT count = 0;
    INT* ids = nullptr;
    LONG result = m_rtl ? CollectIds(kRtlWidgetCountQuery, kRtlWidgetIdsQuery, windowId, &ids, &count)
                        : CollectIds(kWidgetCountQuery, kWidgetIdsQuery, windowId, &ids, &count);
    for (INT i = 0; i < count; ++i) {
        if (DeliverWidget(ids[i], callback, user) != 0) {
            result = NIRA_STATUS_FAILED;
        }
    }
    if (ids != nullptr) {
        LocalFree(ids);
    }
    return result;
}

LONG CNiraUILayoutDB::DeliverWidget(INT controlId, NiraWidgetCallback callback, LPVOID user)
{
    RowContext<NiraWidgetCallback> context = {callback, user};
    return m_copy.RunWithNumber(kWidgetRowQuery, static_cast<UINT>(controlId), OnWidgetRow, &context);
}

LONG CNiraUILayoutDB::Close()
{
    return m_copy.Close() ? 0 : NIRA_STATUS_FAILED;
}
