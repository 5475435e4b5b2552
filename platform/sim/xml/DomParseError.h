// The error of the last load, as IXMLDOMParseError shows it.
#pragma once

#include <msxml2.h>

#include "com/ComObject.h"
#include "xml/DomStore.h"

namespace nirasim {
namespace xml {

class DomParseError : public com::ComObject<IXMLDOMParseError> {
public:
    explicit DomParseError(ParseErrorInfo info) : m_info(std::move(info)) {}

    STDMETHODIMP get_errorCode(LONG* errorCode) override;
    STDMETHODIMP get_url(BSTR* url) override;
    STDMETHODIMP get_reason(BSTR* reason) override;
    STDMETHODIMP get_srcText(BSTR* sourceText) override;
    STDMETHODIMP get_line(LONG* line) override;
    STDMETHODIMP get_linepos(LONG* linePosition) override;
    STDMETHODIMP get_filepos(LONG* filePosition) override;

protected:
    void* Find(REFIID riid) override;

private:
    ParseErrorInfo m_info;
};

}  // namespace xml
}  // namespace nirasim
