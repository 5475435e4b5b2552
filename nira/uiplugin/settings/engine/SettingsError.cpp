#include "nira/uiplugin/settings/engine/SettingsError.h"

#include "common/NiraException.h"

namespace {

thread_local CResourceFailureWatch* t_watch = nullptr;

}  // namespace

CResourceFailureWatch::CResourceFailureWatch() : m_outer(t_watch)
{
    t_watch = this;
}

CResourceFailureWatch::~CResourceFailureWatch()
{
    t_watch = m_outer;
    if (m_outer != nullptr && m_outer->m_noted == 0) {
        m_outer->m_noted = m_noted;
    }
}

void CResourceFailureWatch::RaiseNoted() const
{
    if (m_noted != 0) {
        RaiseSettingsError(m_noted);
    }
}

void RaiseSettingsError(LONG code)
{
    if (t_watch != nullptr && t_watch->m_noted == 0 && IsResourceFailure(code)) {
        t_watch->m_noted = code;
    }
    throw CNiraException(code);
}
