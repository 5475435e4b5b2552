#include "nira/uiplugin/foundation/databases/WidgetInfo.h"

#include <new>

namespace {
struct WidgetKindEntry {
    INT classCode;
    INT kind;
};

constexpr WidgetKindEntry kWidgetKinds[] = {
    {701, 19}, {702, 7},  {703, 13}, {704, 2},  {705, 6},  {706, 5},  {707, 12},
    {708, 21}, {709, 15}, {710, 29}, {711, 11}, {712, 30}, {713, 31}, {714, 22},
};

void FreeOptionList(WidgetOptionList& options)
{
    if (options.items != nullptr) {
        LocalFree(options.items);
    }
    if (options.texts != nullptr) {
        LocalFree(options.texts);
    }
    options.items = nullptr;
    options.texts = nullptr;
}
}  // namespace

CNiraWidgetInfo::CNiraWidgetInfo(const WidgetRow& row)
    : m_controlId(row.controlId),
      m_groupId(row.groupId),
      m_featureId(row.featureId),
      m_ctrlStringId(row.ctrlStringId),
      m_bitmapId(row.bitmapId),
      m_ctrlHelpId(row.ctrlHelpId),
      m_ctrlType(row.ctrlType)
{}

CNiraWidgetInfo::~CNiraWidgetInfo() = default;
INT CNiraWidgetInfo::ControlID() const
{
    return m_controlId;
}
INT CNiraWidgetInfo::GroupID() const
{
    return m_groupId;
}
INT CNiraWidgetInfo::FeatureID() const
{
    return m_featureId;
}
INT CNiraWidgetInfo::CtrlStringID() const
{
    return m_ctrlStringId;
}
INT CNiraWidgetInfo::BitampID() const
{
    return m_bitmapId;
}
INT CNiraWidgetInfo::CtrlHelpID() const
{
    return m_ctrlHelpId;
}
INT CNiraWidgetInfo::CtrlType() const
{
    return m_ctrlType;
}

INT CNiraWidgetInfo::WidgetKind(INT classCode) const
{
    for (const WidgetKindEntry& entry : kWidgetKinds) {
        if (entry.classCode == classCode) {
            return entry.kind;
        }
    }
    return kWidgetKindUnknown;
}

CNiraListWidgetInfo::CNiraListWidgetInfo(const WidgetRow& row) : CNiraWidgetInfo(row), state{row.ctrlState} {}

CNiraListWidgetInfo::~CNiraListWidgetInfo()
{
    FreeOptionList(options);
}

CNiraEndListWidgetInfo::CNiraEndListWidgetInfo(const WidgetRow& row)
    : CNiraListWidgetInfo(row), endControl(row.endControl)
{}

CNiraEndListWidgetInfo::~CNiraEndListWidgetInfo() = default;

CNiraValueWidgetInfo::CNiraValueWidgetInfo(const WidgetRow& row) : CNiraWidgetInfo(row), state{row.ctrlState}
{}

CNiraValueWidgetInfo::~CNiraValueWidgetInfo() = default;

CNiraRangeWidgetInfo::CNiraRangeWidgetInfo(const WidgetRow& row)
    : CNiraWidgetInfo(row), state{row.ctrlState}, range{row.incrementFactor, row.minValue, row.maxValue}
{}

CNiraRangeWidgetInfo::~CNiraRangeWidgetInfo()
{
    FreeOptionList(options);
}

CNiraLinkedWidgetInfo::CNiraLinkedWidgetInfo(const WidgetRow& row)
    : CNiraWidgetInfo(row), state{row.ctrlState}, labelId(row.labelId)
{}

CNiraLinkedWidgetInfo::~CNiraLinkedWidgetInfo()
{
    FreeOptionList(options);
}

CNiraGroupWidgetInfo::CNiraGroupWidgetInfo(const WidgetRow& row)
    : CNiraWidgetInfo(row), levelId(row.levelId), state{row.ctrlState}
{}

CNiraGroupWidgetInfo::~CNiraGroupWidgetInfo()
{
    FreeOptionList(options);
}

CNiraWidgetInfo* CreateWidgetInfo(const WidgetRow& row)
{
    switch (row.ctrlType) {
    case 3:
        return new (std::nothrow) CNiraWidgetInfo(row);
    case 2:
    case 7:
    case 8:
    case 9:
    case 10:
    case 13:
    case 14:
    case 22:
    case 25:
        return new (std::nothrow) CNiraListWidgetInfo(row);
    case 11:
    case 17:
    case 18:
    case 19:
        return new (std::nothrow) CNiraValueWidgetInfo(row);
    case 12:
    case 15:
    case 16:
    case 21:
    case 24:
        return new (std::nothrow) CNiraRangeWidgetInfo(row);
    case 20:
    case 23:
        return new (std::nothrow) CNiraLinkedWidgetInfo(row);
    case 27:
    case 28:
        return new (std::nothrow) CNiraGroupWidgetInfo(row);
    default:
        // 4, 5, 6, 26 and every type outside the known range.
        return new (std::nothrow) CNiraEndListWidgetInfo(row);
    }
}
