#include "xml/DomParseError.h"

#include "xml/DomTree.h"

namespace nirasim {
namespace xml {

namespace {
HRESULT ReturnLong(long value, LONG* out)
{
    if (!out) {
        return E_INVALIDARG;
    }
    *out = static_cast<LONG>(value);
    return S_OK;
}

HRESULT ReturnText(const std::u16string& text, BSTR* out)
{
    if (!out) {
        return E_INVALIDARG;
    }
    *out = nullptr;
    if (text.empty()) {
        return S_FALSE;
    }
    return ReturnBstr(text, out);
}
}  // namespace

void* DomParseError::Find(REFIID riid)
{
    if (riid == IID_IXMLDOMParseError) {
        return static_cast<IXMLDOMParseError*>(this);
    }
    return ComObject::Find(riid);
}

STDMETHODIMP DomParseError::get_errorCode(LONG* errorCode)
{
    return ReturnLong(m_info.errorCode, errorCode);
}

STDMETHODIMP DomParseError::get_url(BSTR* url)
{
    return ReturnText(m_info.url, url);
}

STDMETHODIMP DomParseError::get_reason(BSTR* reason)
{
    return ReturnText(m_info.reason, reason);
}

STDMETHODIMP DomParseError::get_srcText(BSTR* sourceText)
{
    return ReturnText(m_info.sourceText, sourceText);
}

STDMETHODIMP DomParseError::get_line(LONG* line)
{
    return ReturnLong(m_info.line, line);
}

STDMETHODIMP DomParseError::get_linepos(LONG* linePosition)
{
    return ReturnLong(m_info.linePosition, linePosition);
}

STDMETHODIMP DomParseError::get_filepos(LONG* filePosition)
{
    return ReturnLong(m_info.filePosition, filePosition);
}

}  // namespace xml
}  // namespace nirasim
