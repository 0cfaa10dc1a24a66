// Untyped elements and attributes: construction and namespace rules, reading
// and writing, copies, and trees far deeper than any schema.
#include "tests/TestSupport.h"
#include "tsxmllib/Element.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/XmlAttribute.h"
#include "tsxmllib/XmlDocument.h"
#include "tsxmllib/XmlElement.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

using namespace TsXmlLib16;
using TestSupport::MessageOf;

namespace {

const CSerializationContext& Default() { return CSerializationContext::GetDefaultContext(); }

// Every element's namespace, name, sorted attributes and text, in document order.
std::string Infoset(const std::string& xml)
{
    CXmlDocument document;
    document.LoadXml(xml.c_str());
    std::string out;
    std::vector<std::pair<const CXmlElement*, int>> pending{{document.GetDocumentElement(), 0}};
    while (!pending.empty()) {
        auto [element, depth] = pending.back();
        pending.pop_back();
        out += std::string(static_cast<std::size_t>(depth), ' ') + "{" + element->GetNamespaceURI() + "}" +
               element->GetLocalName();
        std::map<std::string, std::string> attributes;
        for (const CXmlAttribute* a : element->GetAttributes())
            attributes["{" + a->GetNamespaceURI() + "}" + a->GetLocalName()] = a->GetValue();
        for (const auto& [name, value] : attributes)
            out += " " + name + "=" + value;
        out += " [" + element->GetText() + "]\n";
        std::vector<const CXmlElement*> children;
        for (const CXmlElement* c = element->GetFirstElement(); c; c = c->GetNextSiblingElement())
            children.push_back(c);
        for (auto it = children.rbegin(); it != children.rend(); ++it)
            pending.push_back({*it, depth + 1});
    }
    return out;
}

} // namespace

TEST(UntypedElement, ConstructionAndNamespaceRules)
{
    EXPECT_EQ("Invalid Namespace [##other].", MessageOf<CTsInvalidNamespaceException>([] { CElement e("a", "##other"); }));
    EXPECT_EQ("<no exception>", MessageOf([] { CElement e("a", ""); }));
    EXPECT_EQ("Element Name must have a value",
              MessageOf<CTsInvalidNamespaceException>([] { CElement e(nullptr, "", "##any", ""); }));
    EXPECT_EQ("Target Namespace must have a value",
              MessageOf<CTsInvalidNamespaceException>([] { CElement e("a", "", "##any", nullptr); }));
    EXPECT_EQ("Invalid namespace [urn:A]. The namespace must be one of [##other] where the target namespace is "
              "[urn:A].",
              MessageOf<CTsInvalidNamespaceException>([] { CElement e("a", "urn:A", "##other", "urn:A"); }));
    EXPECT_EQ("<no exception>", MessageOf([] { CElement e("a", "urn:B", "##other", "urn:A"); }));

    // Restrictions are tested over the whole tree but not stored.
    CSmartPtr<CElement> root(new CElement("root", "urn:B", "##any", ""));
    root->GetChildElements()->Add("child", "urn:A");
    EXPECT_NE("<no exception>", MessageOf([&] { root->SetNamespaceRestrictions("##other", "urn:A"); }));
    EXPECT_EQ("<no exception>", MessageOf([&] { root->SetNamespaceRestrictions("urn:A urn:B", ""); }));
    EXPECT_EQ("##any", root->GetNamespaceRestriction());
}

TEST(UntypedElement, CollectionNamespacesForItemsAddedByName)
{
    CSmartPtr<CAttributeCol> listed(new CAttributeCol("", "urn:A urn:B", ""));
    EXPECT_EQ("urn:A", listed->Add("x")->GetNamespace());
    CSmartPtr<CAttributeCol> other(new CAttributeCol("", "##other", "urn:T"));
    EXPECT_EQ("", other->Add("x", "1")->GetNamespace());
    EXPECT_EQ("Invalid namespace [urn:T]. The namespace must be one of [##other] where the target namespace is "
              "[urn:T].",
              MessageOf([&] { other->Add("y", "1", "urn:T"); }));

    CSmartPtr<CElementCol> unnamed(new CElementCol("", "urn:A", "", 0, -1));
    EXPECT_EQ("A Namespace has not been set for this Collection",
              MessageOf<CTsInvalidStateException>([&] { unnamed->Add("e"); }));
    CSmartPtr<CElementCol> named(new CElementCol("urn:A", "##any", "", 0, -1));
    EXPECT_EQ("urn:A", named->Add("e")->GetNamespace());
    EXPECT_EQ(1, named->GetCount());
}

TEST(UntypedElement, ReadsAnyDocumentAndWritesChildrenBeforeText)
{
    CSmartPtr<CElement> e(new CElement("x"));
    e->FromXml("<a xmlns='urn:a' xmlns:p='urn:p' p:k='v' k2='w'>text<b>1</b><p:c/></a>");
    EXPECT_EQ("text", e->GetText());
    ASSERT_EQ(2, e->GetAttributes()->GetCount());
    EXPECT_EQ("urn:p", e->GetAttributes()->Item(0)->GetNamespace());
    CSerializationContext ctx;
    ctx.SetDefaultNamespaceURI("urn:a");
    EXPECT_EQ("<a xmlns=\"urn:a\" xmlns:AA=\"urn:p\" AA:k=\"v\" k2=\"w\"><b>1</b><AA:c/>text</a>",
              e->ToXml(false, false, EOLType_LF, ctx));

    // Attributes outside the collection's restriction are refused while reading.
    CSmartPtr<CAttributeCol> local(new CAttributeCol("", "##local", ""));
    CXmlDocument document;
    document.LoadXml("<a xmlns:p='urn:p' p:k='v'/>");
    struct CReader : CXmlObjectBase {
        static void Read(CXmlObjectBase* obj, CXmlElement* element)
        {
            CXmlObjectBase::FromXml_Int(obj, element, nullptr, CSerializationContext::GetDefaultContext());
        }
    };
    EXPECT_EQ("Invalid Attribute [k]. The attributes namespace is Inappropriate.",
              MessageOf<CTsInvalidNamespaceException>([&] { CReader::Read(local, document.GetDocumentElement()); }));
    EXPECT_EQ("This should be done by the collection", MessageOf([&] {
                  CSmartPtr<CAttribute> a = local->Add("x");
                  CReader::Read(a, document.GetDocumentElement());
              }));
}

TEST(UntypedElement, InfosetSurvivesTheRoundTrip)
{
    const char* documents[] = {
        "<r a='1' b='&lt;&amp;&quot;'>t</r>",
        "<r xmlns='urn:d'><c xmlns=''>no namespace</c><c>default</c></r>",
        "<p:r xmlns:p='urn:p' xmlns:q='urn:q'><q:x q:a='1' p:b='2'/><p:y>\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80</p:y></p:r>",
        "<r xml:lang='en' xmlns:xsi='http://www.w3.org/2001/XMLSchema-instance' xsi:type='t'>  spaced  </r>",
    };
    for (const char* xml : documents) {
        CSmartPtr<CElement> e(new CElement("x"));
        e->FromXml(xml);
        const std::string written = e->ToXml(false, false, EOLType_LF, Default());
        EXPECT_EQ(Infoset(xml), Infoset(written)) << xml << "\n" << written;
        // A clone writes the same text; changing it leaves the original alone.
        CSmartPtr<CElement> copy = e->Clone();
        EXPECT_EQ(written, copy->ToXml(false, false, EOLType_LF, Default()));
        copy->SetText("changed");
        EXPECT_EQ(written, e->ToXml(false, false, EOLType_LF, Default()));
    }
}

TEST(UntypedElement, UntypedCopyOfAnObjectAndReadingAnObjectFromOne)
{
    CSmartPtr<CElement> source(new CElement("x"));
    source->FromXml("<list xmlns='urn:list'><value>1</value><value>2</value></list>");
    CSmartPtr<CElement> copy(new CElement(source.get(), "urn:list"));
    EXPECT_EQ("list", copy->GetName());
    EXPECT_EQ("urn:list", copy->GetDefaultNamespace());
    EXPECT_EQ(2, copy->GetChildElements()->GetCount());
    EXPECT_EQ("<list xmlns=\"urn:list\"><value>1</value><value>2</value></list>",
              copy->ToXml(false, false, EOLType_LF, Default()));

    CSmartPtr<CElement> target(new CElement("y"));
    target->FromXmlElement(source.get(), Default());
    EXPECT_EQ(Infoset(source->ToXml(false, false, EOLType_LF, Default())),
              Infoset(target->ToXml(false, false, EOLType_LF, Default())));
}

TEST(UntypedElement, DeepTreesNeedNoStack)
{
    constexpr int kDepth = 100000;
    std::string xml;
    for (int i = 0; i < kDepth; ++i)
        xml += "<e>";
    xml += "bottom";
    for (int i = 0; i < kDepth; ++i)
        xml += "</e>";
    CSmartPtr<CElement> e(new CElement("x"));
    e->FromXml(xml.c_str());
    EXPECT_EQ(xml, e->Clone()->ToXml(false, false, EOLType_LF, Default()));
    // Built by hand, too.
    CSmartPtr<CElement> built(new CElement("e"));
    CElement* level = built;
    for (int i = 1; i < kDepth; ++i)
        level = level->GetChildElements()->Add("e", "");
    level->SetText("bottom");
    EXPECT_EQ(xml, built->ToXml(false, false, EOLType_LF, Default()));
}

TEST(UntypedElement, IndentationBetweenChildrenIsNotText)
{
    CSmartPtr<CElement> e(new CElement("x"));
    e->FromXml("<r>\n\t<a> kept </a>\n\t<b/>\n</r>");
    EXPECT_EQ("", e->GetText());
    EXPECT_EQ(" kept ", e->GetChildElements()->Item(0)->GetText());
    EXPECT_EQ("<r><a> kept </a><b/></r>", e->ToXml(false, false, EOLType_LF, Default()));
}
