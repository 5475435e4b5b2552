#include "printticket/XDXPathQuery.h"

#include "printticket/XDGuard.h"
#include "printticket/XDTextCopy.h"
#include "printticket/XDVocabulary.h"

CXDXPathQuery::CXDXPathQuery(LPCWSTR psfPrefix) : m_psfPrefix(psfPrefix) {}

CXDXPathQuery::~CXDXPathQuery() = default;

HRESULT CXDXPathQuery::AddStep(LPCWSTR element, LPCWSTR prefix, LPCWSTR name)
{
    return XDGuarded([&] {
        if (m_psfPrefix.IsEmpty())
            return E_FAIL;
        CXDString qualified(prefix);
        qualified.Append(name);
        CXDString step;
        step.Format(TEXT("//%s%s[@name = \"%s\"]"), m_psfPrefix.GetBuffer(), element, qualified.GetBuffer());
        m_query.Append(step.GetBuffer());
        return S_OK;
    });
}

HRESULT CXDXPathQuery::AddFeature(LPCWSTR prefix, LPCWSTR name)
{
    return AddStep(XDVocabulary::kFeature, prefix, name);
}

HRESULT CXDXPathQuery::AddScoredProperty(LPCWSTR prefix, LPCWSTR name)
{
    return AddStep(XDVocabulary::kScoredProperty, prefix, name);
}

HRESULT CXDXPathQuery::AddParameterInit(LPCWSTR prefix, LPCWSTR name)
{
    return AddStep(XDVocabulary::kParameterInit, prefix, name);
}

HRESULT CXDXPathQuery::AddOptionValue(LPCWSTR keywordsPrefix)
{
    return XDGuarded([&] {
        if (m_psfPrefix.IsEmpty())
            return E_FAIL;
        CXDString selected(m_query);
        CXDString tail;
        tail.Format(TEXT("/%s%s | %s/%s%s[@name = \"%s%s\"]/%s%s"), m_psfPrefix.GetBuffer(), XDVocabulary::kOption,
                    selected.GetBuffer(), m_psfPrefix.GetBuffer(), XDVocabulary::kScoredProperty,
                    keywordsPrefix ? keywordsPrefix : TEXT(""), XDVocabulary::kOptionName, m_psfPrefix.GetBuffer(),
                    XDVocabulary::kValue);
        m_query.Append(tail.GetBuffer());
        return S_OK;
    });
}

HRESULT CXDXPathQuery::GetQuery(BSTR* query) const
{
    if (!query)
        return E_POINTER;
    return XDGuarded([&] {
        BSTR copy = AllocBstrOrThrow(m_query.GetBuffer());
        SysFreeString(*query);
        *query = copy;
        return S_OK;
    });
}
