// The base handler's PrintTicket and PrintCapabilities conversions, driven by the PrintTicket names
// of the sample package's features and options.
#include "UICoreFixture.h"

#include <objbase.h>
#include <oleauto.h>

#include "nira/uiplugin/core/services/CoreServices.h"
#include "nira/uiplugin/core/uisettings/NiraUISettings.h"
#include "printticket/XDComPtr.h"
#include "printticket/XDVocabulary.h"
#include "support/WString.h"

namespace {

WString Root(const WString& root, const WString& body)
{
    return WString(TEXT("<psf:")) + root + TEXT(" xmlns:psf=\"") + XDVocabulary::kFrameworkNamespace +
           TEXT("\" xmlns:psk=\"") + XDVocabulary::kKeywordsNamespace + TEXT("\" xmlns:ns0000=\"") +
           XDVocabulary::kPrivateNamespace + TEXT("\" version=\"1\">") + body + TEXT("</psf:") + root +
           TEXT(">");
}

WString OutputColor(const WString& option)
{
    return WString(TEXT("<psf:Feature name=\"psk:PageOutputColor\"><psf:Option name=\"")) + option +
           TEXT("\"/></psf:Feature>");
}

size_t Occurrences(const WString& text, const WString& part)
{
    size_t count = 0;
    for (size_t at = text.find(part); at != WString::npos; at = text.find(part, at + part.size())) {
        ++count;
    }
    return count;
}

}  // namespace

class FeatureHandlerTest : public UICoreTest {
protected:
    void SetUp() override
    {
        UICoreTest::SetUp();
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED)));
        ASSERT_EQ(core->ConstructDriverState(printer, nullptr), 0);
        core->GetSettings(&settings);
        services = std::make_unique<CNiraCoreServices>(core.get());
        handler.Attach(services.get(), FEATURE_PRINT_IN_GRAY, nullptr);
        handler.AddFeature(FEATURE_PRINT_IN_GRAY);
        handler.AddFeature(FEATURE_PAGE_ORDER);
        handler.AddFeature(FEATURE_ICM_INTENT);  // no PrintTicket form
    }
    void TearDown() override
    {
        handler.Detach();
        services.reset();
        UICoreTest::TearDown();
    }

    CXDComPtr<IXMLDOMDocument2> Load(const WString& text)
    {
        CXDComPtr<IXMLDOMDocument2> dom;
        EXPECT_EQ(CoCreateInstance(CLSID_DOMDocument30, nullptr, CLSCTX_INPROC_SERVER, IID_IXMLDOMDocument2,
                                   reinterpret_cast<void**>(&dom)),
                  S_OK);
        CXDBstr xml(SysAllocString(text.c_str()));
        VARIANT_BOOL ok = VARIANT_FALSE;
        EXPECT_EQ(dom->loadXML(xml.Get(), &ok), S_OK);
        EXPECT_EQ(ok, VARIANT_TRUE);
        return dom;
    }
    static WString Xml(IXMLDOMDocument2* dom)
    {
        CXDBstr xml;
        dom->get_xml(&xml);
        return WString(xml.Get());
    }
    int Current(int featureId)
    {
        int option = 0;
        int isSet = 0;
        settings->GetCurrentOption(featureId, &option, &isSet);
        return option;
    }
    void Select(int featureId, int option)
    {
        ASSERT_EQ(services->SetValue(CLASS_SHORTCUTS, &featureId, &option, 2, 0, 0, 0), 0);
    }
    // Gives an option the PrintTicket name "0".
    void HideFromTickets(int featureId, int option)
    {
        OptionInfo info = {};
        ASSERT_EQ(settings->GetOptionInfo(featureId, option, &info), 0);
        info.vocabMap[0] = TEXT('0');
        info.vocabMap[1] = 0;
        ASSERT_EQ(settings->SetOptionInfo(featureId, option, &info), 0);
    }

    CNiraUISettings* settings = nullptr;
    std::unique_ptr<CNiraCoreServices> services;
    CNiraFeatureHandler handler;
};

TEST_F(FeatureHandlerTest, ReadSelectsByTheNameAfterTheFirstColonWithCase)
{
    struct Case {
        const WCHAR* option;
        int expected;
    };
    const Case cases[] = {
        {TEXT("psk:Grayscale"), 2}, {TEXT("ns0000:Monochrome"), 3},
        {TEXT("Grayscale"), 2},     {TEXT("psk:grayscale"), 1},  // letter case differs: nothing selected
        {TEXT("psk:Sepia"), 1},                                  // no such option: unchanged
    };
    for (const Case& c : cases) {
        Select(FEATURE_PRINT_IN_GRAY, 1);
        CXDComPtr<IXMLDOMDocument2> ticket = Load(Root(TEXT("PrintTicket"), OutputColor(c.option)));
        handler.ReadPrintTicket(ticket.Get());
        EXPECT_EQ(Current(FEATURE_PRINT_IN_GRAY), c.expected) << WString(c.option).size();
    }
}

TEST_F(FeatureHandlerTest, WriteReplacesTheFeatureAndSkipsNamesOfZero)
{
    Select(FEATURE_PRINT_IN_GRAY, 3);
    HideFromTickets(FEATURE_PAGE_ORDER, 1);  // the current option of page order
    CXDComPtr<IXMLDOMDocument2> ticket = Load(Root(TEXT("PrintTicket"), OutputColor(TEXT("psk:Color"))));
    EXPECT_EQ(handler.WritePrintTicket(ticket.Get()), 0);

    WString xml = Xml(ticket.Get());
    EXPECT_EQ(Occurrences(xml, TEXT("PageOutputColor")), 1u);
    EXPECT_EQ(Occurrences(xml, TEXT("Monochrome")), 1u);
    EXPECT_EQ(Occurrences(xml, TEXT("psk:Color")), 0u);
    EXPECT_EQ(Occurrences(xml, TEXT("JobPageOrder")), 0u);
}

TEST_F(FeatureHandlerTest, FeaturesAreWrittenInReverseOrderOfAddFeature)
{
    CXDComPtr<IXMLDOMDocument2> ticket = Load(Root(TEXT("PrintTicket"), WString()));
    handler.WritePrintTicket(ticket.Get());
    WString xml = Xml(ticket.Get());
    size_t pageOrder = xml.find(TEXT("JobPageOrder"));
    size_t outputColor = xml.find(TEXT("PageOutputColor"));
    ASSERT_NE(pageOrder, WString::npos);
    ASSERT_NE(outputColor, WString::npos);
    EXPECT_LT(pageOrder, outputColor);
}

TEST_F(FeatureHandlerTest, CapabilitiesMarkOnlyTheDefaultAndOfferNoOptionOfZero)
{
    HideFromTickets(FEATURE_PRINT_IN_GRAY, 2);
    CXDComPtr<IXMLDOMDocument2> ticket = Load(Root(TEXT("PrintTicket"), WString()));
    CXDComPtr<IXMLDOMDocument2> capabilities = Load(Root(TEXT("PrintCapabilities"), WString()));
    EXPECT_EQ(handler.WritePrintCapabilities(ticket.Get(), capabilities.Get()), 0);

    WString xml = Xml(capabilities.Get());
    EXPECT_EQ(Occurrences(xml, TEXT("IdentityOption")), 2u);  // one per feature: its default
    EXPECT_EQ(Occurrences(xml, TEXT("Grayscale")), 0u);
    EXPECT_EQ(Occurrences(xml, TEXT("Monochrome")), 1u);
    EXPECT_EQ(Occurrences(xml, TEXT("High quality grayscale")), 0u);
    EXPECT_EQ(Occurrences(xml, TEXT("Black ink only")), 1u);
    // The default of the grey feature is option 1 ("Color"): its option carries the identity mark.
    size_t color = xml.find(TEXT("psk:Color"));
    size_t identity = xml.find(TEXT("IdentityOption"), color);
    ASSERT_NE(color, WString::npos);
    EXPECT_LT(identity, xml.find(TEXT("Monochrome")));
    EXPECT_EQ(Occurrences(xml, TEXT("Saturation")), 0u);  // the feature named "0"
}

TEST_F(FeatureHandlerTest, ConstraintMessageAsksTheOwnerOnlyForAChosenFeature)
{
    int show = 9;
    EXPECT_EQ(handler.OnConstraintMessage(FEATURE_PAGE_ORDER, "", "4136", "", &show), 0);
    EXPECT_EQ(show, 2);
    int feature = FEATURE_PAGE_ORDER;
    int option = 2;
    ASSERT_EQ(services->SetValue(CLASS_SHORTCUTS, &feature, &option, 2, 1, 0, 0), 0);
    show = 9;
    // The owner (a base handler) answers the command without touching show.
    EXPECT_EQ(handler.OnConstraintMessage(FEATURE_PAGE_ORDER, "", "4136", "", &show), 0);
    EXPECT_EQ(show, 9);
}

TEST(FeatureHandlerUnattached, AnswersFailedOrNothing)
{
    CNiraFeatureHandler handler;
    int value = 0;
    EXPECT_EQ(handler.GetOptionValue(FEATURE_COLLATE, 1, &value), NIRA_STATUS_FAILED);
    EXPECT_EQ(handler.FindOptionByValue(FEATURE_COLLATE, 1, &value), NIRA_STATUS_FAILED);
    int handled = 7;
    EXPECT_EQ(handler.DeviceCapabilities(nullptr, nullptr, DC_COPIES, nullptr, nullptr, nullptr, 0, nullptr,
                                         &handled),
              S_OK);
    EXPECT_EQ(handled, 0);
    WCHAR text[260] = {};
    EXPECT_EQ(handler.LoadResourceString(14114, text), 0);
    EXPECT_EQ(text[0], 0);
}
