// Media sizes in PrintTickets: named sizes with plain values, custom sizes through parameters.
#include "ConverterFixture.h"

#include "printticket/XDMediaSizeFeature.h"
#include "printticket/XDPrintTicket.h"

#include "support/WString.h"
#include "support/Wine.h"

namespace {

using MediaSizeTest = ConverterTest;

MediaSizeValues HandlerDefaults()
{
    return MediaSizeValues{CXDMediaSizeFeature::kLetterWidth, CXDMediaSizeFeature::kLetterHeight,
                           CXDString(TEXT("NorthAmericaLetter"))};
}

WString Dimension(const WString& name, const WString& value)
{
    return TEXT("<{f}ScoredProperty name=\"{k}") + name + TEXT("\"><{f}Value xsi:type=\"xsd:integer\">") +
           value + TEXT("</{f}Value></{f}ScoredProperty>");
}

TEST_F(MediaSizeTest, ReadsNamedAndCustomSizes)
{
    struct Case {
        const char* what;
        WString body;
        HRESULT result;
        int width;
        int height;
        WString name;
    } cases[] = {
        {"a keyword size",
         TEXT("<{f}Feature name=\"{k}PageMediaSize\"><{f}Option name=\"{k}ISOA4\">") +
             Dimension(TEXT("MediaSizeWidth"), TEXT("210000")) +
             Dimension(TEXT("MediaSizeHeight"), TEXT("297000")) + TEXT("</{f}Option></{f}Feature>"),
         S_OK, 210000, 297000, TEXT("ISOA4")},
        {"a user form",
         TEXT("<{f}Feature name=\"{k}PageMediaSize\"><{f}Option name=\"{n}ZQ_Label 4x6\">") +
             Dimension(TEXT("MediaSizeWidth"), TEXT("101600")) +
             Dimension(TEXT("MediaSizeHeight"), TEXT("152400")) + TEXT("</{f}Option></{f}Feature>"),
         S_OK, 101600, 152400, TEXT("ZQ_Label 4x6")},
        {"a custom size",
         TEXT("<{f}Feature name=\"{k}PageMediaSize\"><{f}Option name=\"{k}CustomMediaSize\">"
              "<{f}ScoredProperty name=\"{k}MediaSizeWidth\"><{f}ParameterRef "
              "name=\"{k}PageMediaSizeMediaSizeWidth\"/>"
              "</{f}ScoredProperty><{f}ScoredProperty name=\"{k}MediaSizeHeight\"><{f}ParameterRef "
              "name=\"{k}PageMediaSizeMediaSizeHeight\"/></{f}ScoredProperty></{f}Option></{f}Feature>"
              "<{f}ParameterInit name=\"{k}PageMediaSizeMediaSizeHeight\"><{f}Value "
              "xsi:type=\"xsd:integer\">127000"
              "</{f}Value></{f}ParameterInit><{f}ParameterInit name=\"{k}PageMediaSizeMediaSizeWidth\">"
              "<{f}Value xsi:type=\"xsd:integer\">76200</{f}Value></{f}ParameterInit>"),
         S_OK, 76200, 127000, TEXT("CustomMediaSize")},
        {"without height: width and name are taken",
         TEXT("<{f}Feature name=\"{k}PageMediaSize\"><{f}Option name=\"{k}ISOA5\">") +
             Dimension(TEXT("MediaSizeWidth"), TEXT("148000")) + TEXT("</{f}Option></{f}Feature>"),
         kNotFound, 148000, CXDMediaSizeFeature::kLetterHeight, TEXT("ISOA5")},
        {"without width nothing is taken",
         TEXT("<{f}Feature name=\"{k}PageMediaSize\"><{f}Option name=\"{k}ISOA5\">") +
             Dimension(TEXT("MediaSizeHeight"), TEXT("210000")) + TEXT("</{f}Option></{f}Feature>"),
         kNotFound, CXDMediaSizeFeature::kLetterWidth, CXDMediaSizeFeature::kLetterHeight,
         TEXT("NorthAmericaLetter")},
        {"without the feature", TEXT(""), kNotFound, CXDMediaSizeFeature::kLetterWidth,
         CXDMediaSizeFeature::kLetterHeight, TEXT("NorthAmericaLetter")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LoadTicket(c.body);
        CXDPrintTicket ticket(m_dom.Get());
        MediaSizeValues values = HandlerDefaults();
        EXPECT_EQ(CXDMediaSizeFeature::ReadPrintTicket(ticket, &values), c.result);
        EXPECT_EQ(values.width, c.width);
        EXPECT_EQ(values.height, c.height);
        EXPECT_EQ(WString(values.optionName.GetBuffer()), c.name);
    }
}

TEST_F(MediaSizeTest, LetterWritesPlainMicronValuesAndReadsBack)
{
    SKIP_UNDER_WINE(WineDifference::kAttributeNamespace);
    LoadTicket(TEXT(""));
    {
        CXDPrintTicket ticket(m_dom.Get());
        const MediaSizeValues values = HandlerDefaults();
        ASSERT_EQ(CXDMediaSizeFeature::WritePrintTicket(ticket, &values), S_OK);
    }
    const WString option = TEXT(
        "/f:PrintTicket/f:Feature[@name='psk:PageMediaSize']/"
        "f:Option[@name='psk:NorthAmericaLetter']");
    EXPECT_EQ(
        Text(option + TEXT("/f:ScoredProperty[@name='psk:MediaSizeWidth']/f:Value[@i:type='xsd:integer']")),
        TEXT("215900"));
    EXPECT_EQ(
        Text(option + TEXT("/f:ScoredProperty[@name='psk:MediaSizeHeight']/f:Value[@i:type='xsd:integer']")),
        TEXT("279400"));
    Reload();
    CXDPrintTicket ticket(m_dom.Get());
    MediaSizeValues read{0, 0, CXDString()};
    ASSERT_EQ(CXDMediaSizeFeature::ReadPrintTicket(ticket, &read), S_OK);
    EXPECT_EQ(read.width, 215900);
    EXPECT_EQ(read.height, 279400);
    EXPECT_TRUE(read.optionName.Equals(TEXT("NorthAmericaLetter")));
}

TEST_F(MediaSizeTest, UserFormGetsThePrivatePrefix)
{
    LoadTicket(TEXT(""));
    CXDPrintTicket ticket(m_dom.Get());
    const MediaSizeValues values{101600, 152400, CXDString(TEXT("ZQ_Label 4x6"))};
    ASSERT_EQ(CXDMediaSizeFeature::WritePrintTicket(ticket, &values), S_OK);
    EXPECT_EQ(Count(TEXT("//f:Feature[@name='psk:PageMediaSize']/f:Option[@name='ns0000:ZQ_Label 4x6']")), 1);
    MediaSizeValues read = HandlerDefaults();
    ASSERT_EQ(CXDMediaSizeFeature::ReadPrintTicket(ticket, &read), S_OK);
    EXPECT_TRUE(read.optionName.Equals(TEXT("ZQ_Label 4x6")));
}

TEST_F(MediaSizeTest, CustomSizeTravelsInTwoParameterInits)
{
    LoadTicket(TEXT(""));
    CXDPrintTicket ticket(m_dom.Get());
    const MediaSizeValues values{76200, 127000, CXDString(TEXT("CustomMediaSize"))};
    ASSERT_EQ(CXDMediaSizeFeature::WritePrintTicket(ticket, &values), S_OK);
    const WString option =
        TEXT("//f:Feature[@name='psk:PageMediaSize']/f:Option[@name='psk:CustomMediaSize']");
    EXPECT_EQ(Count(option + TEXT("/f:ScoredProperty[@name='psk:MediaSizeWidth']/"
                                  "f:ParameterRef[@name='psk:PageMediaSizeMediaSizeWidth']")),
              1);
    EXPECT_EQ(Text(TEXT("/f:PrintTicket/f:ParameterInit[@name='psk:PageMediaSizeMediaSizeWidth']/f:Value")),
              TEXT("76200"));
    EXPECT_EQ(Text(TEXT("/f:PrintTicket/f:ParameterInit[@name='psk:PageMediaSizeMediaSizeHeight']/f:Value")),
              TEXT("127000"));
}

TEST_F(MediaSizeTest, NamedSizeDropsTheCustomParameters)
{
    LoadTicket(TEXT(""));
    CXDPrintTicket ticket(m_dom.Get());
    const MediaSizeValues custom{76200, 127000, CXDString(TEXT("CustomMediaSize"))};
    ASSERT_EQ(CXDMediaSizeFeature::WritePrintTicket(ticket, &custom), S_OK);
    const MediaSizeValues letter = HandlerDefaults();
    ASSERT_EQ(CXDMediaSizeFeature::WritePrintTicket(ticket, &letter), S_OK);
    EXPECT_EQ(Count(TEXT("//f:ParameterInit")), 0);
    EXPECT_EQ(Count(TEXT("//f:Feature")), 1);
}

TEST_F(MediaSizeTest, EmptyNameLeavesNoMediaSize)
{
    LoadTicket(TEXT("<{f}Feature name=\"{k}PageMediaSize\"><{f}Option name=\"{k}ISOA4\"/></{f}Feature>"));
    CXDPrintTicket ticket(m_dom.Get());
    for (const MediaSizeValues& values :
         {MediaSizeValues{1, 1, CXDString(TEXT(""))}, MediaSizeValues{1, 1, CXDString()}}) {
        EXPECT_EQ(CXDMediaSizeFeature::WritePrintTicket(ticket, &values), E_INVALIDARG);
        EXPECT_EQ(Count(TEXT("//f:Feature")), 0);
    }
    EXPECT_EQ(CXDMediaSizeFeature::WritePrintTicket(ticket, nullptr), E_POINTER);
    EXPECT_EQ(CXDMediaSizeFeature::ReadPrintTicket(ticket, nullptr), E_POINTER);
}

}  // namespace
