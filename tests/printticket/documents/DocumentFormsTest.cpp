// Valid documents written in forms other than the usual one, and hostile ones: the library reads
// the same settings from each, writes into each without losing what it does not own, and lets no
// name taken from a document change what a query selects.
#include "PrintSchemaFixture.h"

#include "printticket/XDOrientationFeature.h"
#include "printticket/XDPageScalingFeature.h"
#include "printticket/XDPrintCapabilities.h"
#include "printticket/XDPrintTicket.h"
#include "printticket/XDXPathQuery.h"

#include "support/WString.h"
#include "support/Wine.h"

namespace {

const HRESULT kNotFound = HRESULT_FROM_WIN32(ERROR_NOT_FOUND);

void ReplaceAll(WString& text, const WString& from, const WString& to)
{
    for (size_t at = text.find(from); at != WString::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

// One form of a ticket: its root start tag and, in the body, the framework element prefix {e},
// the prefix of keyword names {k}, declarations carried by each top-level element {d} and the
// white space around names {w}.
struct Form {
    const char* label;
    WString rootStart;
    WString rootEnd;
    WString elementPrefix;
    WString namePrefix;
    WString declarations;
    WString space;
};

WString Uri(LPCWSTR uri)
{
    return TEXT("\"") + WString(uri) + TEXT("\"");
}

WString Ticket(const Form& form)
{
    WString text = form.rootStart + TEXT(R"(
  <{e}Feature{d} name="{w}{k}PageOrientation{w}"><{e}Option name="{w}{k}Landscape{w}"/></{e}Feature>
  <{e}Feature{d} name="{k}JobCopiesAllDocuments"><{e}Option name="{k}Two"/></{e}Feature>
  <{e}Feature{d} name="{k}PageMediaSize">
    <{e}Option name="{k}NorthAmericaLetter">
      <{e}ScoredProperty name="{w}{k}MediaSizeWidth{w}"><{e}Value>215900</{e}Value></{e}ScoredProperty>
    </{e}Option>
  </{e}Feature>
  <{e}Feature{d} name="{k}PageScaling">
    <{e}Option name="{k}CustomSquare">
      <{e}ScoredProperty name="{k}Scale"><{e}ParameterRef name="{w}{k}PageScalingScale{w}"/></{e}ScoredProperty>
    </{e}Option>
  </{e}Feature>
  <{e}ParameterInit{d} name="{k}PageScalingScale"><{e}Value>150</{e}Value></{e}ParameterInit>
  <x:Unrelated xmlns:x="urn:unrelated">kept</x:Unrelated>
)") + form.rootEnd;
    ReplaceAll(text, TEXT("{e}"), form.elementPrefix);
    ReplaceAll(text, TEXT("{k}"), form.namePrefix);
    ReplaceAll(text, TEXT("{d}"), form.declarations);
    ReplaceAll(text, TEXT("{w}"), form.space);
    return text;
}

std::vector<Form> Forms()
{
    const WString f = Uri(XDVocabulary::kFrameworkNamespace);
    const WString k = Uri(XDVocabulary::kKeywordsNamespace);
    // Every root carries the version the Print Schema asks of it.
    const WString version = TEXT(" version=\"1\">");
    const WString prefixedEnd = TEXT("</psf:PrintTicket>");
    const WString plainEnd = TEXT("</PrintTicket>");
    return {
        {"usual", TEXT("<psf:PrintTicket xmlns:psf=") + f + TEXT(" xmlns:psk=") + k + version, prefixedEnd,
         TEXT("psf:"), TEXT("psk:"), TEXT(""), TEXT("")},
        {"framework as the default namespace",
         TEXT("<PrintTicket xmlns=") + f + TEXT(" xmlns:psk=") + k + version, plainEnd, TEXT(""),
         TEXT("psk:"), TEXT(""), TEXT("")},
        {"keywords declared on each element", TEXT("<psf:PrintTicket xmlns:psf=") + f + version, prefixedEnd,
         TEXT("psf:"), TEXT("k:"), TEXT(" xmlns:k=") + k, TEXT("")},
        {"keywords bound to two prefixes",
         TEXT("<psf:PrintTicket xmlns:psf=") + f + TEXT(" xmlns:psk=") + k + TEXT(" xmlns:kw=") + k + version,
         prefixedEnd, TEXT("psf:"), TEXT("kw:"), TEXT(""), TEXT("")},
        {"framework bound both ways, default first",
         TEXT("<PrintTicket xmlns=") + f + TEXT(" xmlns:psf=") + f + TEXT(" xmlns:psk=") + k + version,
         plainEnd, TEXT(""), TEXT("psk:"), TEXT(""), TEXT("")},
        {"framework bound both ways, prefix first",
         TEXT("<psf:PrintTicket xmlns:psf=") + f + TEXT(" xmlns=") + f + TEXT(" xmlns:psk=") + k + version,
         prefixedEnd, TEXT("psf:"), TEXT("psk:"), TEXT(""), TEXT("")},
        {"white space around names",
         TEXT("<psf:PrintTicket xmlns:psf=") + f + TEXT(" xmlns:psk=") + k + version, prefixedEnd,
         TEXT("psf:"), TEXT("psk:"), TEXT(""), TEXT(" \n\t")},
    };
}

class DocumentForms : public PrintSchemaTest {
protected:
    // A capabilities document of unusual prefixes holding one ParameterDef of that data type.
    void LoadDefinition(int dataType)
    {
        Load(m_dom, Document(TEXT("PrintCapabilities"),
                             Prefixes{TEXT("f1"), TEXT("k1"), TEXT("i1"), TEXT("s1")}, TEXT("")));
        CXDPrintCapabilities capabilities(m_dom.Get());
        CXDParameterEntry entry;
        entry.name = TEXT("PageScalingScale");
        entry.dataType = dataType;
        entry.defaultValue = TEXT("100");
        entry.maxValue = 400;
        entry.unitType = TEXT("percent");
        CXDComPtr<IXMLDOMElement> definition;
        ASSERT_EQ(capabilities.AddParameterDefEntry(entry, &definition), S_OK);
        ASSERT_EQ(capabilities.AppendToRoot(TEXT("PrintCapabilities"), definition.Get()), S_OK);
    }
};

void ExpectSettings(CXDPrintTicket& ticket, LPCWSTR orientation, int scale)
{
    CXDBstr option;
    EXPECT_EQ(ticket.GetFeatureOption(TEXT("PageOrientation"), &option), S_OK);
    EXPECT_EQ(Str(option), orientation);
    EXPECT_EQ(ticket.GetFeatureOption(TEXT("JobCopiesAllDocuments"), &option), S_OK);
    EXPECT_EQ(Str(option), TEXT("Two"));
    int value = 0;
    EXPECT_EQ(ticket.GetScoredPropertyInteger(TEXT("PageMediaSize"), TEXT("MediaSizeWidth"), &value), S_OK);
    EXPECT_EQ(value, 215900);
    EXPECT_EQ(ticket.GetScoredPropertyInteger(TEXT("PageScaling"), TEXT("Scale"), &value), S_OK);
    EXPECT_EQ(value, scale);
}

TEST_F(DocumentForms, EachFormReadsAndWritesLikeTheUsualOne)
{
    const WString byUri = DefaultNamespaces();
    for (const Form& form : Forms()) {
        SCOPED_TRACE(form.label);
        Load(m_dom, Ticket(form));
        {
            CXDPrintTicket ticket(m_dom.Get());
            ExpectSettings(ticket, TEXT("Landscape"), 150);

            CXDOrientationFeature orientation;
            const int portrait = 0;
            EXPECT_EQ(orientation.WritePrintTicket(ticket, &portrait), S_OK);
            CXDPageScalingFeature scaling;
            PageScalingValues values{};
            values.kind = 2;
            values.scale = 200;
            EXPECT_EQ(scaling.WritePrintTicket(ticket, &values), S_OK);
        }
        // Read again from the text, as the next user of the ticket does: one feature of each name,
        // names that resolve, and what the library does not own left as it was.
        CXDComPtr<IXMLDOMDocument2> written;
        Load(written, Xml(m_dom.Get()));
        CXDPrintTicket reread(written.Get());
        ExpectSettings(reread, TEXT("Portrait"), 200);
        EXPECT_EQ(Count(written.Get(), TEXT("/f:PrintTicket/f:Feature"), byUri), 4);
        EXPECT_EQ(Count(written.Get(), TEXT("//f:ParameterInit"), byUri), 1);
        EXPECT_EQ(Count(written.Get(), TEXT("//f:Value[. = '215900']"), byUri), 1);
        EXPECT_EQ(Count(written.Get(), TEXT("//x:Unrelated[. = 'kept']"), TEXT("xmlns:x='urn:unrelated'")),
                  1);
    }
}

TEST_F(DocumentForms, DocumentsInOtherNamespacesStayRefused)
{
    const WString https = TEXT(
        "<psf:PrintTicket xmlns:psf=\"https://schemas.microsoft.com/windows/2003/08/printing/"
        "printschemaframework\" version=\"1\"/>");
    Load(m_dom, https);
    EXPECT_EQ(Thrown([&] { CXDPrintTicket ticket(m_dom.Get()); }), E_FAIL);
}

// A document whose parameters carry names made to break out of a quoted query.
WString CraftedTicket()
{
    return Document(TEXT("PrintTicket"), Prefixes(), TEXT(R"(
  <psf:Feature name="psk:PageScaling">
    <psf:Option name="psk:CustomSquare">
      <psf:ScoredProperty name="psk:Scale"><psf:ParameterRef name="psk:x&quot; or &quot;1&quot;=&quot;1"/></psf:ScoredProperty>
      <psf:ScoredProperty name="psk:Other"><psf:ParameterRef name="psk:y' or '1'='1"/></psf:ScoredProperty>
    </psf:Option>
  </psf:Feature>
  <psf:ParameterInit name="psk:PageMediaSizeMediaSizeWidth"><psf:Value>1</psf:Value></psf:ParameterInit>
  <psf:ParameterInit name="psk:x&quot; or &quot;1&quot;=&quot;1"><psf:Value>2</psf:Value></psf:ParameterInit>
  <psf:ParameterDef name="psk:Kept"/>
)"));
}

TEST_F(DocumentForms, CraftedNamesRemoveOnlyWhatTheyName)
{
    Load(m_dom, CraftedTicket());
    {
        CXDPrintTicket ticket(m_dom.Get());
        EXPECT_EQ(ticket.RemoveParameterInit(TEXT("a\" or \"1\"=\"1")), S_FALSE);
        EXPECT_EQ(ticket.RemoveParameterInit(TEXT("b' or '1'='1")), S_FALSE);
        // The feature goes with the one parameter its reference names exactly.
        EXPECT_EQ(ticket.RemoveFeature(TEXT("PageScaling")), S_FALSE);
    }
    EXPECT_EQ(Count(m_dom.Get(), TEXT("//f:Feature")), 0);
    EXPECT_EQ(Count(m_dom.Get(), TEXT("//f:ParameterInit")), 1);
    EXPECT_EQ(Count(m_dom.Get(), TEXT("//f:ParameterInit[@name = 'psk:PageMediaSizeMediaSizeWidth']")), 1);
    EXPECT_EQ(Count(m_dom.Get(), TEXT("//f:ParameterDef")), 1);
}

TEST_F(DocumentForms, QueryStepsQuoteAnyName)
{
    Load(m_dom, CraftedTicket());
    const LPCWSTR names[] = {TEXT("psk:x\" or \"1\"=\"1"), TEXT("psk:PageMediaSizeMediaSizeWidth"),
                             TEXT("a\"b'c\"\"d")};
    const LONG expected[] = {1, 1, 0};
    for (size_t i = 0; i < sizeof(names) / sizeof(names[0]); ++i) {
        CXDXPathQuery query(TEXT("f:"));
        ASSERT_EQ(query.AddParameterInit(nullptr, names[i]), S_OK);
        EXPECT_EQ(Count(m_dom.Get(), query.GetText()), expected[i]) << i;
    }
}

TEST_F(DocumentForms, ValuesThatAreNoNumbersAreNotGiven)
{
    const struct {
        LPCWSTR scale;  // the ParameterInit's content
        HRESULT result;
        int value;
    } cases[] = {
        {TEXT("<psf:Value> 120 </psf:Value>"), S_OK, 120},
        {TEXT("<psf:Value>-7</psf:Value>"), S_OK, -7},
        {TEXT("<psf:Value></psf:Value>"), kNotFound, -1},
        {TEXT(""), kNotFound, -1},  // a ParameterInit without a Value
        {TEXT("<psf:Value>12abc</psf:Value>"), kNotFound, -1},
        {TEXT("<psf:Value>+</psf:Value>"), kNotFound, -1},
        {TEXT("<psf:Value>2147483648</psf:Value>"), kNotFound, -1},
        {TEXT("<psf:Value>-2147483648</psf:Value>"), S_OK, -2147483647 - 1},
    };
    for (const auto& c : cases) {
        Load(m_dom, Document(TEXT("PrintTicket"), Prefixes(),
                             TEXT(R"(
  <psf:Feature name="psk:PageScaling"><psf:Option name="psk:CustomSquare">
    <psf:ScoredProperty name="psk:Scale"><psf:ParameterRef name="psk:PageScalingScale"/></psf:ScoredProperty>
  </psf:Option></psf:Feature>
  <psf:ParameterInit name="psk:PageScalingScale">)") +
                                 WString(c.scale) + TEXT("</psf:ParameterInit>")));
        CXDPrintTicket ticket(m_dom.Get());
        int value = -1;
        EXPECT_EQ(ticket.GetScoredPropertyInteger(TEXT("PageScaling"), TEXT("Scale"), &value), c.result)
            << std::string(c.scale, c.scale + std::char_traits<WCHAR>::length(c.scale));
        EXPECT_EQ(value, c.value);
    }
}

// A ParameterDef of each data type, written into a capabilities document of unusual prefixes.

TEST_F(DocumentForms, ParameterDefinitionsUseFrameworkProperties)
{
    for (int dataType :
         {CXDParameterEntry::kStringData, CXDParameterEntry::kIntegerData, CXDParameterEntry::kDecimalData}) {
        LoadDefinition(dataType);
        const WString definition = TEXT("//f:ParameterDef[@name = 'k1:PageScalingScale']");
        for (LPCWSTR name : {TEXT("DataType"), TEXT("DefaultValue"), TEXT("Mandatory"), TEXT("UnitType")}) {
            EXPECT_EQ(Count(m_dom.Get(), definition + TEXT("/f:Property[@name = 'f1:") + name + TEXT("']")),
                      1)
                << dataType;
        }
        // Every property of the definition is a framework property.
        EXPECT_EQ(Count(m_dom.Get(), definition + TEXT("/f:Property[starts-with(@name, 'k1:')]")), 0);
    }
}

TEST_F(DocumentForms, DefaultValuesAreTypedByTheParameter)
{
    SKIP_UNDER_WINE(WineDifference::kAttributeNamespace);
    const struct {
        int dataType;
        LPCWSTR type;
    } cases[] = {{CXDParameterEntry::kStringData, TEXT("s1:string")},
                 {CXDParameterEntry::kIntegerData, TEXT("s1:integer")},
                 {CXDParameterEntry::kDecimalData, TEXT("s1:decimal")}};
    for (const auto& c : cases) {
        LoadDefinition(c.dataType);
        EXPECT_EQ(
            Count(m_dom.Get(),
                  WString(TEXT("//f:ParameterDef/f:Property[@name = 'f1:DefaultValue']/f:Value[. = '100']"
                               "[@i:type = '")) +
                      c.type + TEXT("']")),
            1)
            << c.dataType;
    }
}

}  // namespace
