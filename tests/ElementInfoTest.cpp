// The element and attribute descriptors and the generated-class driver,
// exercised through the coverage model, where every member kind appears.
#include "samples/coverage/CoverageCol.h"
#include "samples/coverage/CoverageObject.h"
#include "tests/TestSupport.h"
#include "tsxmllib/ElementInfoChoice.h"
#include "tsxmllib/ElementInfoSeq.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/XmlDocument.h"
#include "tsxmllib/XmlElement.h"

#include <gtest/gtest.h>

using namespace TsXmlLib16;
using namespace TsXmlLib16Data;
using namespace TsXmlLibSamples;
using TestSupport::MessageOf;

namespace {

const std::string kNs = kCoverageNamespace;

struct RootParts {
    std::string attributes = " code='ABC'";
    std::string prim = "<prim>text</prim>";
    std::string primOpt = "<primOpt>5</primOpt>";
    std::string color = "<color>green</color>";
    std::string child = "<child id='1'>leaf text</child>";
    std::string shape = "<shape xsi:type='circle'><size>1.5</size></shape>";
    std::string inlinePart = "<partA>in line</partA>";
    std::string leafs = "<leaf>x</leaf><leaf>y</leaf>";
    std::string pick = "<pick><num>4</num></pick>";
    std::string bag;
    std::string nilChild;
    std::string extra;

    std::string Text() const
    {
        return "<root xmlns='" + kNs + "' xmlns:xsi='http://www.w3.org/2001/XMLSchema-instance'" + attributes + ">" +
               prim + primOpt + color + child + shape + inlinePart + leafs + pick +
               bag + nilChild + extra + "</root>";
    }
};

CSmartPtr<CCoverageObject> Read(const std::string& text,
                                const CSerializationContext& ctx = CSerializationContext::GetDefaultContext())
{
    CSmartPtr<CCoverageObject> root = CCoverageObject::Create(Coverage_Root, "root");
    root->FromXml(text.c_str(), ctx);
    return root;
}

std::string Write(const CCoverageObject& object, CSerializationContext ctx = CSerializationContext())
{
    ctx.SetDefaultNamespaceURI(kCoverageNamespace);
    return const_cast<CCoverageObject&>(object).ToXml(false, false, EOLType_LF, ctx);
}

template <typename F>
std::pair<std::string, std::string> Failure(F&& call)
{
    try {
        call();
    } catch (const CTsException& e) {
        return {e.GetPath(), e.GetFullMessage()};
    }
    return {"", "<no exception>"};
}

::testing::AssertionResult ReadFailsWith(const std::string& text, const std::string& start,
                                         const CSerializationContext& ctx = CSerializationContext::GetDefaultContext())
{
    const std::string message = Failure([&] { Read(text, ctx); }).second;
    if (message.rfind(start, 0) == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "message: " << message;
}

std::string Text(const CCoverageObject& object, int property) { return object.Get(property).ToString(nullptr); }

} // namespace

TEST(Descriptors, WritingFollowsSchemaOrderAndReadsBack)
{
    RootParts parts;
    parts.attributes = " tone='green' partAttr='p' code='ABC'";
    parts.bag = "<bag><h xsi:type='square'><size>4</size></h><g xsi:type='circle'><size>3</size></g><e>e</e>"
                "<c>red</c><a>9</a></bag>";
    parts.nilChild = "<nilChild xsi:nil='true'/>";
    CSmartPtr<CCoverageObject> root = Read(parts.Text());
    const std::string text = Write(*root);
    const std::string xsi = "xmlns:AA=\"http://www.w3.org/2001/XMLSchema-instance\"";
    EXPECT_EQ("<root xmlns=\"" + kNs + "\" tone=\"green\" code=\"ABC\" partAttr=\"p\"><prim>text</prim>"
                  "<primOpt>5</primOpt><color>green</color><child id=\"1\">leaf text</child>"
                  "<shape " + xsi + " AA:type=\"circle\"><size>1.5</size></shape><partA>in line</partA>"
                  "<leaf>x</leaf><leaf>y</leaf><pick><num>4</num></pick><bag><a>9</a><c>red</c><e>e</e>"
                  "<g " + xsi + " AA:type=\"circle\"><size>3</size></g><h " + xsi +
                  " AA:type=\"square\"><size>4</size></h></bag><nilChild " + xsi + " AA:nil=\"true\"/></root>",
              text);
    EXPECT_EQ(text, Write(*Read(text)));
}

TEST(Descriptors, NilAndUnexpectedAttributes)
{
    RootParts parts;
    parts.prim = "<prim xsi:nil='TRUE'>ignored</prim>";
    EXPECT_TRUE(Read(parts.Text())->Get(Root_Prim).IsNil());
    parts.prim = "<prim xsi:nil='0'>kept</prim>";
    EXPECT_EQ("kept", Text(*Read(parts.Text()), Root_Prim));

    const struct {
        std::string RootParts::*member;
        std::string text, path, message;
    } failures[] = {
        {&RootParts::prim, "<prim xsi:nil='yes'/>", "/root/prim/@xsi:nil",
         "Unexpected Value [yes] for 'nil' Attribute found."},
        {&RootParts::color, "<color xsi:nil='true'>red</color>", "/root/color",
         "Invalid use of 'nil' attribute in non-nillable element."},
        {&RootParts::prim, "<prim other='1'/>", "/root/prim/@other", "Unexpected Attribute found."},
    };
    for (const auto& f : failures) {
        RootParts failing;
        failing.*f.member = f.text;
        const auto failure = Failure([&] { Read(failing.Text()); });
        EXPECT_EQ(f.path, failure.first) << f.text;
        EXPECT_EQ(0u, failure.second.find(f.message)) << failure.second;
    }
    parts.prim = "<prim other='1'/>";
    CSerializationContext ctx;
    ctx.SetIgnoreUnknownAttributes(true);
    EXPECT_EQ("", Text(*Read(parts.Text(), ctx), Root_Prim));
}

TEST(Descriptors, DefaultsOnInputAndOutput)
{
    RootParts parts;
    parts.primOpt = "<primOpt/>";
    parts.prim = "<prim/>";
    CSmartPtr<CCoverageObject> root = Read(parts.Text());
    EXPECT_EQ(7, root->Get(Root_PrimOpt).GetI4()); // the empty element takes the default
    EXPECT_EQ("", Text(*root, Root_Prim));          // no default: the empty string

    const std::string text = Write(*root);
    EXPECT_NE(std::string::npos, text.find("<primOpt/>")) << text;
    CSerializationContext verbose;
    verbose.SetWriteDefaultElementValues(true);
    EXPECT_NE(std::string::npos, Write(*root, verbose).find("<primOpt>7</primOpt>"));
}

TEST(Descriptors, MandatoryMembersAndTheTolerances)
{
    RootParts parts;
    parts.prim.clear();
    EXPECT_EQ("/root", Failure([&] { Read(parts.Text()); }).first);
    EXPECT_TRUE(ReadFailsWith(parts.Text(), "Failed to find the required child element [prim]."));

    CSerializationContext lenient;
    lenient.SetIgnoreMissingMandatoryElements(true);
    CSmartPtr<CCoverageObject> root = Read(parts.Text(), lenient);
    EXPECT_FALSE(root->Get(Root_Prim).IsValid());
    EXPECT_EQ(5, root->Get(Root_PrimOpt).GetI4());

    CSerializationContext skipping;
    skipping.SetIgnoreUnknownElements(true);
    parts = RootParts();
    parts.prim = "<unknown/><other/><prim>found</prim>";
    parts.extra = "<trailing/>";
    EXPECT_EQ("found", Text(*Read(parts.Text(), skipping), Root_Prim));
    parts.prim = "<unknown/>";
    parts.primOpt = parts.color = parts.child = parts.shape = parts.inlinePart = parts.leafs = parts.pick = "";
    EXPECT_TRUE(ReadFailsWith(parts.Text(), "Failed to find the required child element [prim].", skipping));

    // Without namespace processing the prefixed type attribute is an ordinary one.
    std::string text = RootParts().Text();
    text.replace(text.find(kNs), kNs.size(), "urn:other");
    CSerializationContext noNamespaces;
    noNamespaces.SetSchemaType(SchemaType_NoNamespaces);
    EXPECT_EQ("Failed to find a suitable substitution element for [shape].\nPath: /root",
              Failure([&] { Read(text, noNamespaces); }).second);
    EXPECT_TRUE(ReadFailsWith(text, "Failed to find the required child element [prim]."));

    root = CCoverageObject::Create(Coverage_Root, "root");
    EXPECT_EQ("The Property [prim] is mandatory, it may not be NULL",
              MessageOf<CTsInvalidParamException>([&] { Write(*root); }));
}

TEST(Descriptors, SequenceAndChoiceOptionalMembersReportAbsenceDifferently)
{
    CXmlDocument document;
    document.LoadXml(("<x xmlns='" + kNs + "'><other/></x>").c_str());
    CXmlElement* first = document.GetDocumentElement()->GetFirstElement();
    CSmartPtr<CCoverageObject> root = CCoverageObject::Create(Coverage_Root, "root");
    const CSerializationContext& ctx = CSerializationContext::GetDefaultContext();
    CElementInfoSeqPrimOpt seq("num", kCoverageNamespace, Root_PrimOpt, false, ItemType_i4, nullptr,
                               CWhitespaceUtils::WhitespaceRule_Collapse, CPrimitiveRestrictions(), nullptr);
    CElementInfoChoicePrimOpt choice("num", kCoverageNamespace, Root_PrimOpt, false, ItemType_i4, nullptr,
                                     CWhitespaceUtils::WhitespaceRule_Collapse, CPrimitiveRestrictions(), nullptr);
    CXmlElement* current = first;
    EXPECT_TRUE(seq.ElementFromXml(ctx, root, document.GetDocumentElement(), &current, "", XmlElementType_Element));
    EXPECT_EQ(first, current);
    EXPECT_FALSE(
        choice.ElementFromXml(ctx, root, document.GetDocumentElement(), &current, "", XmlElementType_Element));
    EXPECT_EQ(first, current);
}

TEST(Descriptors, ChoiceReadsAndWritesOneBranch)
{
    RootParts parts;
    const struct {
        std::string pick;
        int property;
    } branches[] = {
        {"<pick><hue>blue</hue></pick>", Pick_Hue},
        {"<pick><shapePick xsi:type='square'><size>1</size></shapePick></pick>", Pick_Shape},
    };
    for (const auto& b : branches) {
        parts.pick = b.pick;
        CSmartPtr<CCoverageObject> pick = Read(parts.Text())->GetChild(Root_Pick);
        EXPECT_TRUE(pick->Get(b.property).IsValid()) << b.pick;
        EXPECT_FALSE(pick->Get(Pick_Num).IsValid()) << b.pick;
    }
    parts.pick = "<pick><l>1</l><l>2</l></pick>";
    EXPECT_EQ(2, Read(parts.Text())->GetChild(Root_Pick)->GetCollection(Pick_Leafs)->GetCount());
    parts.pick = "<pick><l>1</l></pick>";
    EXPECT_TRUE(ReadFailsWith(parts.Text(), "Failed to process the element.\nPath: /root/pick\nThe Minimum number "
                                            "of [l] elements allowed in this collection is 2"));
    parts.pick = "<pick><num>1</num><hue>red</hue></pick>";
    EXPECT_TRUE(ReadFailsWith(parts.Text(), "Failed read all the elements held within the element [pick]. The "
                                            "unexpected element [hue] remains un processed"));

    // With two branches set only the first in schema order is written.
    parts.pick = "<pick><hue>blue</hue></pick>";
    CSmartPtr<CCoverageObject> root = Read(parts.Text());
    TsVariant four;
    four.SetI4(4);
    root->GetChild(Root_Pick)->Set(Pick_Num, four);
    const std::string text = Write(*root);
    EXPECT_NE(std::string::npos, text.find("<pick><num>4</num></pick>")) << text;
    root->GetChild(Root_Pick)->Set(Pick_Num, TsVariant());
    root->GetChild(Root_Pick)->Set(Pick_Hue, TsVariant());
    EXPECT_NE(std::string::npos, Write(*root).find("<pick/>"));
}

TEST(Descriptors, ABranchThatGivesUpLeavesItsElementsForTheNext)
{
    // The long branch reads the leaf into an object of its own before it
    // misses the size; the short branch then reads the same leaf again.
    CSmartPtr<CCoverageObject> fork = CCoverageObject::Create(Coverage_Fork, "fork");
    fork->FromXml(("<fork xmlns='" + kNs + "'><leaf id='3'>text</leaf></fork>").c_str(),
                  CSerializationContext::GetDefaultContext());
    EXPECT_FALSE(fork->GetChild(Fork_Long));
    ASSERT_TRUE(fork->GetChild(Fork_Short));
    CSmartPtr<CCoverageObject> leaf = fork->GetChild(Fork_Short)->GetChild(ForkShort_Leaf);
    ASSERT_TRUE(leaf);
    EXPECT_EQ(leaf->Get(Leaf_Text).GetString(), "text");
    EXPECT_EQ(leaf->Get(Leaf_Id).GetI4(), 3);
}

TEST(Descriptors, AllGroupInAnyOrderAndItsMandatoryMembers)
{
    RootParts parts;
    parts.bag = "<bag><g xsi:type='circle'><size>3</size></g><e>e</e><c>red</c></bag>";
    EXPECT_EQ("/root/bag", Failure([&] { Read(parts.Text()); }).first);
    const std::string bagFailed = "Failed to process the element.\nPath: /root/bag\n";
    EXPECT_TRUE(ReadFailsWith(parts.Text(), bagFailed + "Failed to find the mandatory element [a]."));
    parts.bag = "<bag><a>1</a><c>red</c><g xsi:type='circle'><size>3</size></g></bag>";
    EXPECT_TRUE(ReadFailsWith(parts.Text(), bagFailed + "Failed to find the mandatory element [e]."));
    parts.bag = "<bag><a>1</a><c>red</c><e/><g xsi:type='circle'><size>3</size></g><zzz/></bag>";
    EXPECT_TRUE(ReadFailsWith(parts.Text(), "Failed read all the elements held within the element [bag]. The "
                                            "unexpected element [zzz] remains un processed"));
    parts.bag = "<bag><bl/><bl/><bl/><a>1</a><c>red</c><e/><g xsi:type='circle'><size>3</size></g></bag>";
    CSerializationContext counts;
    counts.SetIgnoreInvalidCollectionCounts(true);
    CSmartPtr<CCoverageObject> root = Read(parts.Text(), counts);
    EXPECT_EQ(3, root->GetChild(Root_Bag)->GetCollection(Bag_Leafs)->GetCount());
    EXPECT_EQ("The Maximum number of [bl] elements allowed in this collection is 2",
              MessageOf<CTsValidationException>([&] { Write(*root); }));
    EXPECT_NE(std::string::npos, Write(*root, counts).find("<bl/><bl/><bl/>"));
}

TEST(Descriptors, LongCollectionsAreReadWholeInEveryGroupKind)
{
    // A document read while it is walked loses the elements a collection has
    // bound as the collection goes on: the members around the collection, the
    // count and the positions in paths must not notice.
    const auto run = [](const char* name, int count) {
        std::string text;
        for (int i = 0; i < count; ++i)
            text += "<" + std::string(name) + " id='" + std::to_string(i % 7) + "'>t</" + name + ">";
        return text;
    };
    CSerializationContext counts;
    counts.SetIgnoreInvalidCollectionCounts(true);
    RootParts parts;
    parts.leafs = run("leaf", 2500);
    parts.pick = "<pick>" + run("l", 2500) + "</pick>";
    parts.bag = "<bag>" + run("bl", 2500) + "<a>1</a><c>red</c><e/><g xsi:type='circle'><size>3</size></g></bag>";
    CSmartPtr<CCoverageObject> root = Read(parts.Text(), counts);
    EXPECT_EQ(2500, root->GetCollection(Root_Leafs)->GetCount());
    EXPECT_EQ(2500, root->GetChild(Root_Pick)->GetCollection(Pick_Leafs)->GetCount());
    CSmartPtr<CCoverageObject> bag = root->GetChild(Root_Bag);
    EXPECT_EQ(2500, bag->GetCollection(Bag_Leafs)->GetCount());
    EXPECT_EQ(1, bag->Get(Bag_A).GetI4());
    EXPECT_TRUE(bag->GetChild(Bag_G));

    const struct {
        std::string RootParts::*member;
        std::string text, path;
    } failures[] = {
        {&RootParts::leafs, run("leaf", 2500) + "<leaf other='1'/>" + run("leaf", 3), "/root/leaf[2501]/@other"},
        {&RootParts::pick, "<pick>" + run("l", 1800) + "<l other='1'/></pick>", "/root/pick/l[1801]/@other"},
        {&RootParts::bag, "<bag>" + run("bl", 1200) + "<bl other='1'/><a>1</a></bag>", "/root/bag/bl[1201]/@other"},
    };
    for (const auto& f : failures) {
        RootParts failing;
        failing.*f.member = f.text;
        EXPECT_EQ(f.path, Failure([&] { Read(failing.Text(), counts); }).first);
    }
}

TEST(Descriptors, SubstitutionNeedsAKnownType)
{
    RootParts parts;
    parts.shape = "<shape><size>1</size></shape>";
    EXPECT_EQ("/root", Failure([&] { Read(parts.Text()); }).first);
    for (const char* shape : {"<shape><size>1</size></shape>",
                              "<shape xmlns:o='urn:o' xsi:type='o:circle'><size>1</size></shape>", ""}) {
        parts.shape = shape;
        EXPECT_TRUE(ReadFailsWith(parts.Text(), "Failed to find a suitable substitution element for [shape].")) << shape;
    }

    CSmartPtr<CCoverageObject> root = Read(RootParts().Text());
    CSerializationContext noTypes;
    noTypes.SetWriteTypeAttribute(false);
    EXPECT_EQ(std::string::npos, Write(*root, noTypes).find("xsi:type"));
    EXPECT_EQ("<shape xmlns=\"" + kNs + "\" xmlns:AA=\"http://www.w3.org/2001/XMLSchema-instance\" "
              "AA:type=\"circle\"><size>1.5</size></shape>",
              Write(*root->GetChild(Root_Shape)));
}

TEST(Descriptors, ErrorsDeepInsideCarryTheInnermostPath)
{
    RootParts parts;
    parts.bag = "<bag><a>1</a><c>red</c><e id='x'/><g xsi:type='circle'><size>3</size></g></bag>";
    const auto failure = Failure([&] { Read(parts.Text()); });
    EXPECT_EQ("/root/bag/e", failure.first);
    EXPECT_EQ(0u, failure.second.find("Failed to process the element.\nPath: /root/bag/e\n")) << failure.second;
    EXPECT_NE(std::string::npos, failure.second.find("The value [x] can not be converted to a i4"));
}

TEST(Descriptors, NillableObjectsAndPatternsOnAttributes)
{
    RootParts parts;
    parts.nilChild = "<nilChild xsi:nil='TRUE'><v>skipped</v></nilChild>";
    CSmartPtr<CCoverageObject> root = Read(parts.Text());
    CSmartPtr<CCoverageObject> nil = root->GetChild(Root_NilChild);
    EXPECT_TRUE(dynamic_cast<INillable&>(*nil).IsNil());
    EXPECT_FALSE(nil->Get(NilLeaf_Value).IsValid());
    // Written among objects that are not nillable, each time; once it is no
    // longer nil its value is written.
    const std::string nilTag = "<nilChild xmlns:AA=\"http://www.w3.org/2001/XMLSchema-instance\" AA:nil=\"true\"/>";
    for (int round = 0; round < 2; ++round)
        EXPECT_NE(std::string::npos, Write(*root).find(nilTag));
    dynamic_cast<INillable&>(*nil).SetNil(false);
    TsVariant text;
    text.SetString("shown");
    nil->Set(NilLeaf_Value, text);
    const std::string shown = Write(*root);
    EXPECT_EQ(std::string::npos, shown.find("nil="));
    EXPECT_NE(std::string::npos, shown.find("shown</"));

    TsVariant code;
    code.SetString("abc");
    root->Set(Root_Code, code);
    EXPECT_EQ("Invalid Value for code [abc].", MessageOf([&] { Write(*root); }));
}

TEST(Descriptors, AnyDefaultNamespace)
{
    const struct {
        const char* constraint;
        const char* second;
        const char* expected;
    } cases[] = {
        {"##any", "urn:a", "urn:a"},
        {"##other", "", "DefaultNamespace"},
        {"##other", "urn:a", ""},
        {"##local", "urn:a", ""},
        {"##targetNamespace", "urn:a", "urn:t"},
        {"##targetNamespace ##local", "urn:a", "urn:t"},
        {"urn:x urn:y", "urn:a", ""},
        {"##", "urn:a", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, CElementInfo::GetAnyDefaultNamespace(c.constraint, c.second, "urn:t")) << c.constraint;
}
