// The coverage model's collections of values and wildcard members.
#include "samples/coverage/ColorCol.h"
#include "samples/coverage/CoverageObject.h"
#include "tests/TestSupport.h"
#include "tsxmllib/Element.h"
#include "tsxmllib/JsonContext.h"
#include "tsxmllib/Namespaces.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/TypedCollections.h"

#include <gtest/gtest.h>

#include <functional>

using namespace TsXmlLib16;
using namespace TsXmlLibSamples;
using TestSupport::MessageOf;

namespace {

const std::string kNs = kCoverageNamespace;

std::string Root(const std::string& tail)
{
    return "<root xmlns='" + kNs + "' xmlns:xsi='http://www.w3.org/2001/XMLSchema-instance'><prim/>"
           "<color>red</color><child/><shape xsi:type='circle'><size>1</size></shape><partA/><pick><num>1</num>"
           "</pick>" + tail + "</root>";
}

CSmartPtr<CCoverageObject> Read(const std::string& text,
                                const CSerializationContext& ctx = CSerializationContext::GetDefaultContext())
{
    CSmartPtr<CCoverageObject> root = CCoverageObject::Create(Coverage_Root, "root");
    root->FromXml(text.c_str(), ctx);
    return root;
}

std::string Write(const CXmlObjectBase& object, CSerializationContext ctx = CSerializationContext())
{
    ctx.SetDefaultNamespaceURI(kCoverageNamespace);
    return const_cast<CXmlObjectBase&>(object).ToXml(false, false, EOLType_LF, ctx);
}

std::string FullMessage(const std::function<void()>& call)
{
    try {
        call();
    } catch (const CTsException& e) {
        return e.GetFullMessage();
    }
    return "<no exception>";
}

const std::string kWild = "<wild xmlns:o='urn:o' o:extra='1'><num>3</num><num>4</num><hue>blue</hue><hue>red</hue>"
                          "<plain>p</plain><sh>s</sh><o:thing a='1'>x<o:in/></o:thing><note>n</note>"
                          "<tail1/><o:tail2>t</o:tail2></wild>";

} // namespace

TEST(Wildcards, SequenceOfCollectionsAndWildcardsReadsAndWritesBack)
{
    CSmartPtr<CCoverageObject> root = Read(Root(kWild));
    CSmartPtr<CCoverageObject> wild = root->GetChild(Root_Wild);
    ASSERT_TRUE(wild);
    EXPECT_EQ(2, wild->GetCollection(Wild_Nums)->GetCount());
    EXPECT_EQ(4, dynamic_cast<Ci4Col&>(*wild->GetCollection(Wild_Nums)).Item(1));
    EXPECT_EQ(0, dynamic_cast<CColorCol&>(*wild->GetCollection(Wild_Hues)).Item(1));
    EXPECT_EQ(1, wild->GetCollection(Wild_Plain)->GetCount());
    EXPECT_EQ(1, wild->GetCollection(Wild_Shapes)->GetCount());
    CElement& other = dynamic_cast<CElement&>(*wild->Get(Wild_Other).GetXmlObject());
    EXPECT_EQ("thing", other.GetName());
    EXPECT_EQ("urn:o", other.GetNamespace());
    EXPECT_EQ(1, other.GetChildElements()->GetCount());
    CElement& note = dynamic_cast<CElement&>(*wild->Get(Wild_Note).GetXmlObject());
    EXPECT_EQ("n", note.GetText());
    EXPECT_EQ(kNs, note.GetNamespace());
    EXPECT_EQ(2, wild->GetCollection(Wild_Rest)->GetCount());
    CAttributeCol& attributes = dynamic_cast<CAttributeCol&>(*wild->GetCollection(Wild_AnyAttrs));
    ASSERT_EQ(1, attributes.GetCount());
    EXPECT_EQ("extra", attributes.Item(0)->GetName());

    const std::string text = Write(*root);
    EXPECT_NE(std::string::npos,
              text.find("<num>3</num><num>4</num><hue>blue</hue><hue>red</hue><plain>p</plain><sh>s</sh>"))
        << text;
    EXPECT_EQ(text, Write(*Read(text)));
}

TEST(Wildcards, NamespaceConstraintsDecide)
{
    const struct {
        std::string wild, message;
    } cases[] = {
        {"<wild><thing/></wild>", "Failed to find the required element from namespace [##other].\nPath: /root/wild"},
        {"<wild/>", "Failed to find the required child element [AnyElement]."},
        {"<wild xmlns:t='" + kNs + "' t:a='1'><x xmlns='urn:o'/></wild>", "Unexpected Attribute found."},
        {"<wild><num>100</num><x xmlns='urn:o'/></wild>", "Invalid Value for num [100]"},
    };
    for (const auto& c : cases) {
        const std::string message = FullMessage([&] { Read(Root(c.wild)); });
        EXPECT_NE(std::string::npos, message.find(c.message)) << c.wild << "\n" << message;
    }
}

TEST(Wildcards, ChoiceOfCollectionsOnly)
{
    const struct {
        std::string branch;
        int property;
    } branches[] = {
        {"<n>1</n><n>2</n>", Pick2_Nums},
        {"<p/><p/>", Pick2_Plain},
        {"<s/>", Pick2_Shapes},
    };
    for (const auto& b : branches) {
        CSmartPtr<CCoverageObject> root = Read(Root("<pick2>" + b.branch + "</pick2>"));
        CSmartPtr<CCoverageObject> pick = root->GetChild(Root_Pick2);
        for (int p = 0; p < Pick2_PropertyCount; ++p)
            EXPECT_EQ(p == b.property ? 1 : 0, pick->GetCollection(p)->GetCount() > 0) << b.branch << p;
        const std::string written = Write(*root);
        EXPECT_NE(std::string::npos, written.find("<pick2>" + b.branch + "</pick2>")) << written;
    }
    const std::string empty = "No child elements within the element [pick2] were populated. The element represents "
                              "a choice, so one and only one element should be populated. The element contained no "
                              "sutable child elements";
    EXPECT_NE(std::string::npos, FullMessage([] { Read(Root("<pick2/>")); }).find(empty));
    CSerializationContext lenient;
    lenient.SetIgnoreMissingChoice(true);
    CSmartPtr<CCoverageObject> root = Read(Root("<pick2/>"), lenient);
    EXPECT_EQ("This element is a choice, and as such must have at one (and only one) valid item, currently there "
              "are none set",
              MessageOf<CTsValidationException>([&] { Write(*root); }));
    EXPECT_NE(std::string::npos, Write(*root, lenient).find("<pick2/>"));
}

TEST(Wildcards, AllGroupOfCollectionsAndWildcards)
{
    CSmartPtr<CCoverageObject> root =
        Read(Root("<bag2><o>opt</o><u/><u/><n>5</n><m>must</m><h>blue</h><p/><s/><s/></bag2>"));
    CSmartPtr<CCoverageObject> bag = root->GetChild(Root_Bag2);
    EXPECT_EQ(2, bag->GetCollection(Bag2_Us)->GetCount());
    EXPECT_EQ(2, bag->GetCollection(Bag2_Shapes)->GetCount());
    EXPECT_EQ("must", dynamic_cast<CElement&>(*bag->Get(Bag2_M).GetXmlObject()).GetText());
    EXPECT_EQ("opt", dynamic_cast<CElement&>(*bag->Get(Bag2_O).GetXmlObject()).GetText());
    // Written in schema order.
    EXPECT_NE(std::string::npos,
              Write(*root).find("<bag2><p/><s/><s/><n>5</n><h>blue</h><u/><u/><m>must</m><o>opt</o></bag2>"))
        << Write(*root);
    EXPECT_NE(std::string::npos, FullMessage([] { Read(Root("<bag2><n>1</n></bag2>")); })
                                     .find("Path: /root/bag2\nFailed to find the mandatory element [m]."));
}

TEST(Wildcards, CoverageModelSurvivesFullRoundTripJson)
{
    // Only the full mode carries the namespaces and type attributes the
    // substitutions and wildcards need. JSON has no form for mixed content, and
    // an array takes the name of its first item, so the run of wildcard
    // elements keeps one name.
    CSmartPtr<CCoverageObject> root =
        Read(Root("<wild xmlns:o='urn:o' o:extra='1'><num>3</num><num>4</num><hue>blue</hue><plain>p</plain><sh>s</sh>"
                  "<o:thing a='1'><o:in>i</o:in></o:thing><note>n</note><o:tail>1</o:tail><o:tail>2</o:tail></wild>"
                  "<bag2><m>must</m><n>5</n></bag2>"));
    CSerializationContext ctx;
    ctx.GetJsonContext().SetSupportRoundtrip(JsonRoundTrip_Full);
    ctx.GetNamespaceAliases().Add("xsi", XmlSchemaInstanceNamespaceUri);
    ctx.GetNamespaceAliases().Add("o", "urn:o");
    ctx.SetDefaultNamespaceURI(kCoverageNamespace);
    const std::string json = root->ToJson(false, EOLType_LF, ctx);
    CSmartPtr<CCoverageObject> back = CCoverageObject::Create(Coverage_Root, "root");
    EXPECT_EQ("<no exception>", FullMessage([&] { back->FromJson(json.c_str(), ctx); })) << json;
    EXPECT_EQ(Write(*root), Write(*back)) << json;
}
