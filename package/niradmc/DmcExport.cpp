#include "package/niradmc/DmcExport.h"

#include <oleauto.h>

#include "package/niradmc/DmcXmlFile.h"

#define EXPORT_START TEXT("<dmcexport>")
#define EXPORT_END TEXT("</dmcexport>")

bool CDmcExport::Start(LPCWSTR file)
{
    m_started = file != nullptr && file[0] != 0;
    m_file = m_started ? file : TEXT("");
    m_text = EXPORT_START;
    return m_started;
}

bool CDmcExport::Add(IXMLDOMNode* node)
{
    BSTR text = nullptr;
    bool added = m_started && node != nullptr && node->get_xml(&text) == S_OK && text != nullptr;
    if (added) {
        m_text.append(text, SysStringLen(text));
    }
    SysFreeString(text);
    return added;
}

bool CDmcExport::End()
{
    if (!m_started) {
        return false;
    }
    m_text += EXPORT_END;
    bool written = DmcWriteTextFile(m_file.c_str(), m_text.c_str(), static_cast<int>(m_text.size()));
    m_started = false;
    m_text.clear();
    return written;
}
