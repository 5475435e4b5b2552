#include "nira/presentation/WidgetGroup.h"

#include "nira/presentation/NiraWidget.h"

#include <strsafe.h>

namespace {

constexpr int kKindFlagBits = 7;

}  // namespace

CNiraWidgetGroup::CNiraWidgetGroup(int windowId, int helpId, int kind, int stringId, LPCWSTR windowName)
    : m_flags(kind & kKindFlagBits),
      m_kind(kind),
      m_helpId(helpId),
      m_windowId(windowId),
      m_stringId(stringId),
      m_windowName{}
{
    if (windowName != nullptr) {
        StringCchCopyW(m_windowName, MAX_PATH, windowName);
    }
}

CNiraWidgetGroup::~CNiraWidgetGroup() = default;

void CNiraWidgetGroup::AddWidget(INiraWidget* widget)
{
    if (widget == nullptr) {
        return;
    }
    m_widgets.SetAt(widget->GetControlId(), widget);
    if (auto* base = dynamic_cast<CNiraWidget*>(widget)) {
        base->SetController(m_controller);
        base->SetGroup(this);
    }
}
