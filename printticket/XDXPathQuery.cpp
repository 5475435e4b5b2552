#include "printticket/XDXPathQuery.h"

#include "printticket/XDGuard.h"
#include "printticket/XDQName.h"
#include "printticket/XDTextCopy.h"
#include "printticket/XDVocabulary.h"

namespace {

constexpr WCHAR kQuote = TEXT('"');
constexpr WCHAR kApostrophe = TEXT('\'');

// text as an XPath 1.0 string literal. XPath has no escapes: a text with one kind of quote goes in
// the other, and one with both is joined with concat() from pieces that each hold one kind.
CXDString XPathLiteral(LPCWSTR text)
{
    const XDText value(text ? text : TEXT(""));
    CXDString literal;
    if (value.find(kQuote) == XDText::npos) {
        literal.Append(TEXT("\""));
        literal.Append(value.c_str());
        literal.Append(TEXT("\""));
        return literal;
    }
    if (value.find(kApostrophe) == XDText::npos) {
        literal.Append(TEXT("'"));
        literal.Append(value.c_str());
        literal.Append(TEXT("'"));
        return literal;
    }
    literal.Append(TEXT("concat("));
    size_t start = 0;
    while (start < value.size()) {
        // The longest piece from start that holds no double quote, else a run of double quotes.
        size_t end = value.find(kQuote, start);
        const bool quotes = end == start;
        if (quotes) {
            end = value.find_first_not_of(kQuote, start);
        }
        if (end == XDText::npos) {
            end = value.size();
        }
        if (start > 0) {
            literal.Append(TEXT(", "));
        }
        literal.Append(quotes ? TEXT("'") : TEXT("\""));
        literal.Append(value.substr(start, end - start).c_str());
        literal.Append(quotes ? TEXT("'") : TEXT("\""));
        start = end;
    }
    literal.Append(TEXT(")"));
    return literal;
}

}  // namespace

CXDXPathQuery::CXDXPathQuery(LPCWSTR psfPrefix) : m_psfPrefix(psfPrefix) {}

CXDXPathQuery::~CXDXPathQuery() = default;

HRESULT CXDXPathQuery::AddStep(LPCWSTR element, LPCWSTR prefix, LPCWSTR name)
{
    return XDGuarded([&] {
        if (m_psfPrefix.IsEmpty()) {
            return E_FAIL;
        }
        CXDString qualified(prefix);
        qualified.Append(name);
        CXDString step;
        step.Format(TEXT("//%s%s[@name = %s]"), m_psfPrefix.GetBuffer(), element,
                    XPathLiteral(qualified.GetBuffer()).GetBuffer());
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
        if (m_psfPrefix.IsEmpty()) {
            return E_FAIL;
        }
        CXDString selected(m_query);
        CXDString tail;
        CXDString optionName(keywordsPrefix ? keywordsPrefix : TEXT(""));
        optionName.Append(XDVocabulary::kOptionName);
        tail.Format(TEXT("/%s%s | %s/%s%s[@name = %s]/%s%s"), m_psfPrefix.GetBuffer(), XDVocabulary::kOption,
                    selected.GetBuffer(), m_psfPrefix.GetBuffer(), XDVocabulary::kScoredProperty,
                    XPathLiteral(optionName.GetBuffer()).GetBuffer(), m_psfPrefix.GetBuffer(),
                    XDVocabulary::kValue);
        m_query.Append(tail.GetBuffer());
        return S_OK;
    });
}

HRESULT CXDXPathQuery::GetQuery(BSTR* query) const
{
    if (!query) {
        return E_POINTER;
    }
    return XDGuarded([&] {
        BSTR copy = AllocBstrOrThrow(m_query.GetBuffer());
        SysFreeString(*query);
        *query = copy;
        return S_OK;
    });
}
