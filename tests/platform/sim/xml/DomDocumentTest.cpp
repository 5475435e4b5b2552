#include "platform/sim/xml/DomTestSupport.h"

#include <nirasim/Com.h>
#include <nirasim/Machine.h>

#include <cstdio>
#include <fstream>

namespace {

const char16_t* const kTicket = TEXT(
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<psf:PrintTicket xmlns:psf=\"urn:f\" xmlns:psk=\"urn:k\" xmlns:xsi=\"urn:i\" version=\"1\">\n"
    "  <psf:Feature name=\"psk:A\">\n"
    "    <psf:Option name=\"psk:One\">\n"
    "      <psf:ScoredProperty name=\"psk:Width\"><psf:Value xsi:type=\"xsd:integer\"> 42 </psf:Value>"
    "</psf:ScoredProperty>\n"
    "    </psf:Option>\n"
    "  </psf:Feature>\n"
    "  <psf:Feature name=\"psk:B\"><psf:Option name=\"psk:Two\"/></psf:Feature>\n"
    "</psf:PrintTicket>\n");

class DomDocumentTest : public ComTest {
protected:
    void SetUp() override
    {
        ComTest::SetUp();
        Load(m_doc, kTicket);
        ASSERT_EQ(SetProperty(m_doc.get(), TEXT("SelectionLanguage"), TEXT("XPath")), S_OK);
        ASSERT_EQ(SetProperty(m_doc.get(), TEXT("SelectionNamespaces"), TEXT("xmlns:f='urn:f'")), S_OK);
    }
    void TearDown() override
    {
        m_doc.Reset();
        EXPECT_EQ(nirasim::com::LiveObjectCount(), 0);
        ComTest::TearDown();
    }

    Ref<IXMLDOMDocument2> m_doc;
};

TEST_F(DomDocumentTest, EachSelectionNamespacesReplacesThePrefixMap)
{
    Ref<IXMLDOMNode> node;
    EXPECT_EQ(m_doc->selectSingleNode(Bstr(TEXT("//f:Feature")), &node), S_OK);
    ASSERT_EQ(SetProperty(m_doc.get(), TEXT("SelectionNamespaces"), TEXT("xmlns:g=\"urn:f\"")), S_OK);
    EXPECT_EQ(m_doc->selectSingleNode(Bstr(TEXT("//f:Feature")), &node), E_FAIL);  // f is no longer bound
    EXPECT_EQ(m_doc->selectSingleNode(Bstr(TEXT("//g:Feature")), &node), S_OK);

    VARIANT value;
    EXPECT_EQ(m_doc->getProperty(Bstr(TEXT("SelectionNamespaces")), &value), S_OK);
    EXPECT_EQ(std::u16string(value.bstrVal), TEXT("xmlns:g=\"urn:f\""));
    VariantClear(&value);
    EXPECT_EQ(SetProperty(m_doc.get(), TEXT("SelectionNamespaces"), TEXT("xmlns:g")), E_FAIL);
    EXPECT_EQ(SetProperty(m_doc.get(), TEXT("SelectionLanguage"), TEXT("Regex")), E_FAIL);
}

TEST_F(DomDocumentTest, SelectionFindsUnionsInDocumentOrderAndNothingAsFalse)
{
    Ref<IXMLDOMNodeList> list;
    ASSERT_EQ(m_doc->selectNodes(Bstr(TEXT("//f:Feature[@name = \"psk:B\"]/f:Option | "
                                           "//f:Feature[@name = \"psk:A\"]/f:Option")),
                                 &list),
              S_OK);
    LONG length = 0;
    ASSERT_EQ(list->get_length(&length), S_OK);
    ASSERT_EQ(length, 2);
    Ref<IXMLDOMNode> first;
    ASSERT_EQ(list->get_item(0, &first), S_OK);
    Ref<IXMLDOMElement> element;
    ASSERT_EQ(first.As(IID_IXMLDOMElement, element), S_OK);
    VARIANT name;
    ASSERT_EQ(element->getAttribute(Bstr(TEXT("name")), &name), S_OK);
    EXPECT_EQ(std::u16string(name.bstrVal), TEXT("psk:One"));
    VariantClear(&name);
    Ref<IXMLDOMNode> beyond;
    EXPECT_EQ(list->get_item(2, &beyond), S_FALSE);

    Ref<IXMLDOMNode> none;
    EXPECT_EQ(m_doc->selectSingleNode(Bstr(TEXT("//f:Feature[@name = \"psk:C\"]")), &none), S_FALSE);
    EXPECT_FALSE(none);
    EXPECT_EQ(m_doc->selectSingleNode(Bstr(TEXT("//f:Feature[")), &none), E_FAIL);
    EXPECT_EQ(m_doc->selectSingleNode(Bstr(TEXT("count(//f:Feature)")), &none), E_FAIL);
}

TEST_F(DomDocumentTest, SelectionFromANodeIsRelativeToIt)
{
    Ref<IXMLDOMNode> property;
    ASSERT_EQ(m_doc->selectSingleNode(Bstr(TEXT("//f:ScoredProperty")), &property), S_OK);
    Ref<IXMLDOMNode> value;
    ASSERT_EQ(property->selectSingleNode(Bstr(TEXT("f:Value")), &value), S_OK);
    EXPECT_EQ(NameOf(value.get()), TEXT("psf:Value"));
    Ref<IXMLDOMNode> option;
    EXPECT_EQ(property->selectSingleNode(Bstr(TEXT("f:Option")), &option), S_FALSE);  // not a child
}

TEST_F(DomDocumentTest, TextIsTrimmedAndTypedValueIsText)
{
    Ref<IXMLDOMNode> value;
    ASSERT_EQ(m_doc->selectSingleNode(Bstr(TEXT("//f:Value")), &value), S_OK);
    EXPECT_EQ(TextOf(value.get()), TEXT("42"));
    VARIANT typed;
    ASSERT_EQ(value->get_nodeTypedValue(&typed), S_OK);
    ASSERT_EQ(typed.vt, VT_BSTR);
    EXPECT_EQ(std::u16string(typed.bstrVal), TEXT("42"));
    VariantClear(&typed);

    // An option's text is the text below it: white space between elements was dropped at load.
    Ref<IXMLDOMNode> option;
    ASSERT_EQ(m_doc->selectSingleNode(Bstr(TEXT("//f:Option")), &option), S_OK);
    EXPECT_EQ(TextOf(option.get()), TEXT("42"));

    ASSERT_EQ(value->put_text(Bstr(TEXT("7 & <8>"))), S_OK);
    EXPECT_EQ(TextOf(value.get()), TEXT("7 & <8>"));
    EXPECT_NE(XmlOf(value.get()).find(TEXT("7 &amp; &lt;8&gt;")), std::u16string::npos);
}

TEST_F(DomDocumentTest, AttributeWalkListsNamespaceDeclarationsFirst)
{
    Ref<IXMLDOMElement> root;
    ASSERT_EQ(m_doc->get_documentElement(&root), S_OK);
    Ref<IXMLDOMNamedNodeMap> map;
    ASSERT_EQ(root->get_attributes(&map), S_OK);
    std::u16string names;
    Ref<IXMLDOMNode> item;
    while (map->nextNode(&item) == S_OK) {
        names += NameOf(item.get()) + TEXT("=") + TextOf(item.get()) + TEXT(";");
    }
    EXPECT_EQ(names, TEXT("xmlns:psf=urn:f;xmlns:psk=urn:k;xmlns:xsi=urn:i;version=1;"));

    Ref<IXMLDOMNode> found;
    EXPECT_EQ(map->getNamedItem(Bstr(TEXT("xmlns:psk")), &found), S_OK);
    EXPECT_EQ(TextOf(found.get()), TEXT("urn:k"));
    EXPECT_EQ(map->getNamedItem(Bstr(TEXT("xmlns:xsd")), &found), S_FALSE);
    EXPECT_FALSE(found);
}

TEST_F(DomDocumentTest, AttributesKeepTheOrderTheStartTagWroteThem)
{
    Ref<IXMLDOMDocument2> doc;
    Load(doc,
         TEXT("<r a=\"1\" xmlns=\"urn:d\" b=\"2\" xmlns:p=\"urn:p\"><c p:x=\"3\" xmlns:q=\"urn:q\"/></r>"));
    auto names = [](IXMLDOMNode* node) {
        Ref<IXMLDOMNamedNodeMap> map;
        EXPECT_EQ(node->get_attributes(&map), S_OK);
        std::u16string listed;
        Ref<IXMLDOMNode> item;
        while (map->nextNode(&item) == S_OK) {
            listed += NameOf(item.get()) + TEXT(";");
        }
        return listed;
    };
    Ref<IXMLDOMElement> root;
    ASSERT_EQ(doc->get_documentElement(&root), S_OK);
    EXPECT_EQ(names(root.get()), TEXT("a;xmlns;b;xmlns:p;"));
    Ref<IXMLDOMNode> child;
    ASSERT_EQ(root->get_firstChild(&child), S_OK);
    EXPECT_EQ(names(child.get()), TEXT("p:x;xmlns:q;"));
    // An attribute set later comes after those the tag wrote.
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocString(TEXT("4"));
    EXPECT_EQ(root->setAttribute(Bstr(TEXT("z")), value), S_OK);
    VariantClear(&value);
    EXPECT_EQ(names(root.get()), TEXT("a;xmlns;b;xmlns:p;z;"));
}

TEST_F(DomDocumentTest, EntitiesInAttributeValuesAreSelectedAsTheirText)
{
    Ref<IXMLDOMDocument2> doc;
    Load(doc, TEXT("<!DOCTYPE r [<!ENTITY k \"psk:\">]><r><f name=\"&k;A\"/><f name=\"psk:B\"/></r>"));
    ASSERT_EQ(SetProperty(doc.get(), TEXT("SelectionLanguage"), TEXT("XPath")), S_OK);
    Ref<IXMLDOMNode> found;
    ASSERT_EQ(doc->selectSingleNode(Bstr(TEXT("//f[@name = 'psk:A']")), &found), S_OK);
    Ref<IXMLDOMElement> element;
    ASSERT_EQ(found.As(IID_IXMLDOMElement, element), S_OK);
    VARIANT value;
    VariantInit(&value);
    EXPECT_EQ(element->getAttribute(Bstr(TEXT("name")), &value), S_OK);
    EXPECT_EQ(std::u16string(value.bstrVal), TEXT("psk:A"));
    VariantClear(&value);
}

TEST_F(DomDocumentTest, NamespacedCreationDeclaresOnlyWhatIsNotInScope)
{
    VARIANT element;
    VariantInit(&element);
    element.vt = VT_I4;
    element.lVal = NODE_ELEMENT;
    Ref<IXMLDOMNode> feature, option, value;
    ASSERT_EQ(m_doc->createNode(element, Bstr(TEXT("psf:Feature")), Bstr(TEXT("urn:f")), &feature), S_OK);
    ASSERT_EQ(m_doc->createNode(element, Bstr(TEXT("psf:Option")), Bstr(TEXT("urn:f")), &option), S_OK);
    ASSERT_EQ(m_doc->createNode(element, Bstr(TEXT("psf:Value")), Bstr(TEXT("urn:f")), &value), S_OK);
    // A detached element carries its own declaration.
    EXPECT_EQ(XmlOf(option.get()), TEXT("<psf:Option xmlns:psf=\"urn:f\"/>"));

    VARIANT attributeType;
    VariantInit(&attributeType);
    attributeType.vt = VT_I4;
    attributeType.lVal = NODE_ATTRIBUTE;
    Ref<IXMLDOMNode> typeNode;
    ASSERT_EQ(m_doc->createNode(attributeType, Bstr(TEXT("xsi:type")), Bstr(TEXT("urn:i")), &typeNode), S_OK);
    Ref<IXMLDOMAttribute> type;
    ASSERT_EQ(typeNode.As(IID_IXMLDOMAttribute, type), S_OK);
    VARIANT text;
    VariantInit(&text);
    text.vt = VT_BSTR;
    text.bstrVal = SysAllocString(TEXT("xsd:string"));
    ASSERT_EQ(type->put_value(text), S_OK);
    VariantClear(&text);
    Ref<IXMLDOMElement> valueElement;
    ASSERT_EQ(value.As(IID_IXMLDOMElement, valueElement), S_OK);
    Ref<IXMLDOMAttribute> replaced;
    ASSERT_EQ(valueElement->setAttributeNode(type.get(), &replaced), S_OK);
    EXPECT_FALSE(replaced);

    ASSERT_EQ(option->appendChild(value.get(), nullptr), S_OK);
    ASSERT_EQ(feature->appendChild(option.get(), nullptr), S_OK);
    Ref<IXMLDOMElement> root;
    ASSERT_EQ(m_doc->get_documentElement(&root), S_OK);
    Ref<IXMLDOMNode> appended;
    ASSERT_EQ(root->appendChild(feature.get(), &appended), S_OK);
    EXPECT_EQ(appended.get(), feature.get());

    std::u16string xml = XmlOf(m_doc.get());
    EXPECT_EQ(CountOf(xml, TEXT("xmlns:psf")), 1u) << std::string(xml.begin(), xml.end());
    EXPECT_EQ(CountOf(xml, TEXT("xmlns:xsi")), 1u);
    EXPECT_NE(xml.find(TEXT("<psf:Feature><psf:Option><psf:Value xsi:type=\"xsd:string\"/></psf:Option>"
                            "</psf:Feature></psf:PrintTicket>")),
              std::u16string::npos);

    // A reload of what was written reads the same.
    Ref<IXMLDOMDocument2> again;
    Load(again, xml.c_str());
    EXPECT_EQ(XmlOf(again.get()), xml);
}

TEST_F(DomDocumentTest, AttributeOutOfScopeGetsItsDeclarationOnTheElement)
{
    Ref<IXMLDOMElement> root;
    ASSERT_EQ(m_doc->get_documentElement(&root), S_OK);
    VARIANT attributeType;
    VariantInit(&attributeType);
    attributeType.vt = VT_I4;
    attributeType.lVal = NODE_ATTRIBUTE;
    Ref<IXMLDOMNode> node;
    ASSERT_EQ(m_doc->createNode(attributeType, Bstr(TEXT("q:mark")), Bstr(TEXT("urn:q")), &node), S_OK);
    Ref<IXMLDOMAttribute> mark;
    ASSERT_EQ(node.As(IID_IXMLDOMAttribute, mark), S_OK);
    ASSERT_EQ(root->setAttributeNode(mark.get(), nullptr), S_OK);
    Ref<IXMLDOMNamedNodeMap> map;
    ASSERT_EQ(root->get_attributes(&map), S_OK);
    Ref<IXMLDOMNode> declaration;
    EXPECT_EQ(map->getNamedItem(Bstr(TEXT("xmlns:q")), &declaration), S_OK);
    Bstr uri;
    ASSERT_EQ(node->get_namespaceURI(&uri), S_OK);
    EXPECT_EQ(uri.str(), TEXT("urn:q"));
}

TEST_F(DomDocumentTest, RemovedNodesStayValidWhileReferenced)
{
    Ref<IXMLDOMNode> feature;
    ASSERT_EQ(m_doc->selectSingleNode(Bstr(TEXT("//f:Feature")), &feature), S_OK);
    Ref<IXMLDOMNode> value;
    ASSERT_EQ(feature->selectSingleNode(Bstr(TEXT(".//f:Value")), &value), S_OK);
    Ref<IXMLDOMNode> parent;
    ASSERT_EQ(feature->get_parentNode(&parent), S_OK);
    Ref<IXMLDOMNode> removed;
    ASSERT_EQ(parent->removeChild(feature.get(), &removed), S_OK);
    EXPECT_EQ(removed.get(), feature.get());
    EXPECT_EQ(parent->removeChild(feature.get(), nullptr), E_INVALIDARG);  // no longer a child

    Ref<IXMLDOMNodeList> left;
    ASSERT_EQ(m_doc->selectNodes(Bstr(TEXT("//f:Feature")), &left), S_OK);
    LONG length = 0;
    left->get_length(&length);
    EXPECT_EQ(length, 1);

    // The document goes first; the removed feature keeps it and its own declarations alive.
    parent.Reset();
    left.Reset();
    m_doc.Reset();
    EXPECT_EQ(TextOf(value.get()), TEXT("42"));
    std::u16string xml = XmlOf(feature.get());
    EXPECT_NE(xml.find(TEXT("xmlns:psf=\"urn:f\"")), std::u16string::npos);
    EXPECT_NE(xml.find(TEXT("xmlns:xsi=\"urn:i\"")), std::u16string::npos);
}

TEST_F(DomDocumentTest, AppendingMovesANodeAndRefusesCycles)
{
    Ref<IXMLDOMNodeList> features;
    ASSERT_EQ(m_doc->selectNodes(Bstr(TEXT("//f:Feature")), &features), S_OK);
    Ref<IXMLDOMNode> a, b;
    ASSERT_EQ(features->nextNode(&a), S_OK);
    ASSERT_EQ(features->nextNode(&b), S_OK);
    ASSERT_EQ(b->appendChild(a.get(), nullptr), S_OK);
    Ref<IXMLDOMNode> nested;
    EXPECT_EQ(m_doc->selectSingleNode(Bstr(TEXT("/f:PrintTicket/f:Feature/f:Feature")), &nested), S_OK);
    EXPECT_EQ(a->appendChild(b.get(), nullptr), E_FAIL);
    EXPECT_EQ(CountOf(XmlOf(m_doc.get()), TEXT("xmlns:psf")), 1u);
}

TEST_F(DomDocumentTest, MalformedTextLeavesAnEmptyDocumentAndAParseError)
{
    VARIANT_BOOL ok = VARIANT_TRUE;
    EXPECT_EQ(m_doc->loadXML(Bstr(TEXT("<a><b></a>")), &ok), S_FALSE);
    EXPECT_EQ(ok, VARIANT_FALSE);
    Ref<IXMLDOMElement> root;
    EXPECT_EQ(m_doc->get_documentElement(&root), S_FALSE);
    Ref<IXMLDOMParseError> error;
    ASSERT_EQ(m_doc->get_parseError(&error), S_OK);
    LONG code = 0;
    error->get_errorCode(&code);
    EXPECT_TRUE(FAILED(code));
    Bstr reason;
    EXPECT_EQ(error->get_reason(&reason), S_OK);
    EXPECT_FALSE(reason.str().empty());
    EXPECT_EQ(m_doc->loadXML(Bstr(TEXT("")), &ok), S_FALSE);
}

TEST_F(DomDocumentTest, LoadsAFileAndReportsAMissingOne)
{
    std::string path = testing::TempDir() + "dom-load-test.xml";
    {
        std::ofstream file(path, std::ios::binary);
        file << "\xEF\xBB\xBF<r xmlns:p=\"urn:p\"><p:x>\xC3\xA9t\xC3\xA9</p:x></r>";
    }
    VARIANT source;
    VariantInit(&source);
    source.vt = VT_BSTR;
    std::u16string widePath(path.begin(), path.end());
    source.bstrVal = SysAllocString(widePath.c_str());
    VARIANT_BOOL ok = VARIANT_FALSE;
    EXPECT_EQ(m_doc->load(source, &ok), S_OK);
    EXPECT_EQ(ok, VARIANT_TRUE);
    Ref<IXMLDOMElement> root;
    ASSERT_EQ(m_doc->get_documentElement(&root), S_OK);
    EXPECT_EQ(TextOf(root.get()), TEXT("\u00e9t\u00e9"));
    VariantClear(&source);
    std::remove(path.c_str());

    source.vt = VT_BSTR;
    source.bstrVal = SysAllocString(widePath.c_str());
    EXPECT_EQ(m_doc->load(source, &ok), S_FALSE);
    EXPECT_EQ(ok, VARIANT_FALSE);
    VariantClear(&source);
}

TEST_F(DomDocumentTest, ElementAttributesCanBeSetReadAndRemoved)
{
    Ref<IXMLDOMNode> option;
    ASSERT_EQ(m_doc->selectSingleNode(Bstr(TEXT("//f:Option")), &option), S_OK);
    Ref<IXMLDOMElement> element;
    ASSERT_EQ(option.As(IID_IXMLDOMElement, element), S_OK);
    VARIANT v;
    VariantInit(&v);
    v.vt = VT_I4;
    v.lVal = 12;
    ASSERT_EQ(element->setAttribute(Bstr(TEXT("count")), v), S_OK);
    VARIANT read;
    ASSERT_EQ(element->getAttribute(Bstr(TEXT("count")), &read), S_OK);
    EXPECT_EQ(std::u16string(read.bstrVal), TEXT("12"));
    VariantClear(&read);
    ASSERT_EQ(element->removeAttribute(Bstr(TEXT("count"))), S_OK);
    EXPECT_EQ(element->getAttribute(Bstr(TEXT("count")), &read), S_FALSE);
    EXPECT_EQ(read.vt, VT_NULL);
}

}  // namespace

namespace {

class DomTreeEditTest : public ComTest {
protected:
    void TearDown() override
    {
        EXPECT_EQ(nirasim::com::LiveObjectCount(), 0);
        ComTest::TearDown();
    }
};

TEST_F(DomTreeEditTest, InsertReplaceAndCloneKeepOrderAndDeclarations)
{
    Ref<IXMLDOMDocument2> doc;
    Load(doc, TEXT("<p:r xmlns:p=\"urn:p\"><p:a/><p:c/></p:r>"));
    Ref<IXMLDOMElement> root;
    ASSERT_EQ(doc->get_documentElement(&root), S_OK);
    Ref<IXMLDOMNode> a, c;
    ASSERT_EQ(root->get_firstChild(&a), S_OK);
    ASSERT_EQ(root->get_lastChild(&c), S_OK);

    VARIANT element;
    VariantInit(&element);
    element.vt = VT_I4;
    element.lVal = NODE_ELEMENT;
    Ref<IXMLDOMNode> b;
    ASSERT_EQ(doc->createNode(element, Bstr(TEXT("p:b")), Bstr(TEXT("urn:p")), &b), S_OK);
    VARIANT before;
    VariantInit(&before);
    before.vt = VT_UNKNOWN;
    before.punkVal = c.get();
    ASSERT_EQ(root->insertBefore(b.get(), before, nullptr), S_OK);
    EXPECT_EQ(XmlOf(root.get()), TEXT("<p:r xmlns:p=\"urn:p\"><p:a/><p:b/><p:c/></p:r>"));

    Ref<IXMLDOMNode> copy;
    ASSERT_EQ(b->cloneNode(VARIANT_TRUE, &copy), S_OK);
    Ref<IXMLDOMNode> old;
    ASSERT_EQ(root->replaceChild(copy.get(), a.get(), &old), S_OK);
    EXPECT_EQ(old.get(), a.get());
    EXPECT_EQ(XmlOf(root.get()), TEXT("<p:r xmlns:p=\"urn:p\"><p:b/><p:b/><p:c/></p:r>"));
    EXPECT_EQ(XmlOf(a.get()), TEXT("<p:a xmlns:p=\"urn:p\"/>"));  // keeps what it needs once out

    Ref<IXMLDOMNodeList> all;
    ASSERT_EQ(doc->getElementsByTagName(Bstr(TEXT("p:b")), &all), S_OK);
    LONG length = 0;
    all->get_length(&length);
    EXPECT_EQ(length, 2);

    // A second top element is refused; the document element can be replaced.
    EXPECT_EQ(doc->appendChild(a.get(), nullptr), E_FAIL);
    Ref<IXMLDOMElement> newRoot;
    ASSERT_EQ(a.As(IID_IXMLDOMElement, newRoot), S_OK);
    ASSERT_EQ(doc->putref_documentElement(newRoot.get()), S_OK);
    EXPECT_EQ(XmlOf(doc.get()), TEXT("<p:a xmlns:p=\"urn:p\"/>\r\n"));
    EXPECT_EQ(TextOf(root.get()), TEXT(""));  // the old root is still usable
}

}  // namespace

namespace {

TEST_F(DomTreeEditTest, LoadsAWindowsPathOfTheMachine)
{
    nirasim::Machine machine;
    ASSERT_TRUE(machine.WriteFile("C:\\Drivers\\Pml.xml", "<component><software/></component>"));
    Ref<IXMLDOMDocument2> doc;
    NewDocument(doc);
    VARIANT source;
    VariantInit(&source);
    source.vt = VT_BSTR;
    source.bstrVal = SysAllocString(TEXT("c:/DRIVERS/pml.XML"));  // names match without regard to case
    VARIANT_BOOL ok = VARIANT_FALSE;
    EXPECT_EQ(doc->load(source, &ok), S_OK);
    EXPECT_EQ(ok, VARIANT_TRUE);
    SysReAllocString(&source.bstrVal, TEXT("C:\\Drivers\\Missing.xml"));
    EXPECT_EQ(doc->load(source, &ok), S_FALSE);
    Ref<IXMLDOMParseError> error;
    ASSERT_EQ(doc->get_parseError(&error), S_OK);
    LONG code = 0;
    error->get_errorCode(&code);
    EXPECT_EQ(code, HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
    VariantClear(&source);
}

// Queries of one element name are answered by a walk of the tree; the engine, made to take the
// same query by a predicate that is always true, must give the same nodes in the same order.
TEST_F(DomDocumentTest, NameQueriesSelectWhatTheEngineSelects)
{
    Ref<IXMLDOMDocument2> doc;
    Load(doc, TEXT("<f:R xmlns:f='urn:f' xmlns:g='urn:g' n='0'><f:A n='1'><f:A n='2'><f:B n='3'/></f:A>"
                   "<g:A n='4'/><A n='5'/></f:A><!-- c --><f:B n='6'><A n='7'><f:A n='8'/></A></f:B>"
                   "<x:A xmlns:x='urn:f' n='9'/></f:R>"));
    ASSERT_EQ(SetProperty(doc.get(), TEXT("SelectionLanguage"), TEXT("XPath")), S_OK);
    ASSERT_EQ(SetProperty(doc.get(), TEXT("SelectionNamespaces"),
                          TEXT("xmlns:f='urn:g' xmlns:h='urn:g' xmlns:f='urn:f'")),  // the last f counts
              S_OK);
    Ref<IXMLDOMNode> first;
    ASSERT_EQ(doc->selectSingleNode(Bstr(TEXT("//f:A")), &first), S_OK);
    auto selected = [](IXMLDOMNode* context, const char16_t* query, HRESULT& hr) {
        Ref<IXMLDOMNodeList> list;
        hr = context->selectNodes(Bstr(query), &list);
        std::u16string texts;
        Ref<IXMLDOMNode> node;
        while (list && list->nextNode(&node) == S_OK) {
            Ref<IXMLDOMElement> element;
            VARIANT n;
            VariantInit(&n);
            if (node.As(IID_IXMLDOMElement, element) == S_OK &&
                element->getAttribute(Bstr(TEXT("n")), &n) == S_OK) {
                texts += n.bstrVal;
            }
            VariantClear(&n);
        }
        return texts;
    };
    const struct {
        IXMLDOMNode* context;
        const char16_t* query;
        const char16_t* expected;
    } cases[] = {
        {doc.get(), TEXT("//f:A"), TEXT("1289")}, {doc.get(), TEXT("//h:A"), TEXT("4")},
        {doc.get(), TEXT("//A"), TEXT("57")},     {first.get(), TEXT(".//f:A"), TEXT("2")},
        {first.get(), TEXT(".//f:B"), TEXT("3")}, {first.get(), TEXT("f:A"), TEXT("2")},
        {first.get(), TEXT("//f:B"), TEXT("36")}, {doc.get(), TEXT("f:R"), TEXT("0")},
        {doc.get(), TEXT("f:A"), TEXT("")},       {first.get(), TEXT(".//q:A"), nullptr},
        {doc.get(), TEXT("//xml:A"), TEXT("")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.query, c.query + std::char_traits<char16_t>::length(c.query)));
        HRESULT walked = S_OK;
        HRESULT evaluated = S_OK;
        const std::u16string byWalk = selected(c.context, c.query, walked);
        const std::u16string byEngine =
            selected(c.context, (std::u16string(c.query) + TEXT("[true()]")).c_str(), evaluated);
        EXPECT_EQ(walked, evaluated);
        EXPECT_EQ(byWalk, byEngine);
        if (c.expected) {
            EXPECT_EQ(walked, S_OK);
            EXPECT_EQ(byWalk, c.expected);
        } else {
            EXPECT_EQ(walked, E_FAIL);  // an unbound prefix
        }
    }
}

}  // namespace
