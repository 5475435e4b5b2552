// Builds the XPath queries of the PrintTicket library step by step, with the document's own
// framework prefix.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include "printticket/XDString.h"

class CXDXPathQuery {
public:
    explicit CXDXPathQuery(LPCWSTR psfPrefix);
    virtual ~CXDXPathQuery();
    CXDXPathQuery(const CXDXPathQuery&) = delete;
    CXDXPathQuery& operator=(const CXDXPathQuery&) = delete;

    // Each appends one step selecting, anywhere below what the query selects so far, the element
    // whose "name" is prefix + name (name alone for an empty prefix). The name goes in as an XPath
    // literal, so no name can change the query. E_FAIL without a framework prefix.
    HRESULT AddFeature(LPCWSTR prefix, LPCWSTR name);
    HRESULT AddScoredProperty(LPCWSTR prefix, LPCWSTR name);
    HRESULT AddParameterInit(LPCWSTR prefix, LPCWSTR name);
    // Extends the query to the Option of what it selects, or the Value of that Option's
    // OptionName scored property.
    HRESULT AddOptionValue(LPCWSTR keywordsPrefix);
    // Frees *query and puts a copy of the query there.
    HRESULT GetQuery(BSTR* query) const;
    LPCWSTR GetText() const { return m_query.GetBuffer(); }

private:
    HRESULT AddStep(LPCWSTR element, LPCWSTR prefix, LPCWSTR name);

    CXDString m_query;
    CXDString m_psfPrefix;
};
