// The element and attribute descriptors and the generated-class driver,
// exercised through the coverage model, where every member kind appears.
#include "samples/coverage/CoverageCol.h"
#include "samples/coverage/CoverageObject.h"
#include "tests/TestSupport.h"
#include "tsxmllib/AttributeInfo.h"
#include "tsxmllib/ElementInfoChoice.h"
#include "tsxmllib/ElementInfoSeq.h"
#include "tsxmllib/SerializationContext.h"
#include "tsxmllib/TsException.h"
#include "tsxmllib/XmlDocument.h"
#include "tsxmllib/XmlElement.h"
#include "tsxmllib/XmlWriter.h"

#include <gtest/gtest.h>

using namespace TsXmlLib16;
using namespace TsXmlLib16Data;
using namespace TsXmlLibSamples;
using TestSupport::MessageOf;

namespace {

const std::string kNs = kCoverageNamespace;

// The members of a root element in schema order; each can be replaced.
struct RootParts {
    std::string attributes = " code='ABC'";
    std::string prim = "<prim>text</prim>";
    std::string primOpt = "<primOpt>5</primOpt>";
    std::string color = "<color>green</color>";
    std::string colorOpt;
    std::string child = "<child id='1'>leaf text</child>";
    std::string childOpt;
    std::string shape = "<shape xsi:type='circle'><size>1.5</size></shape>";
    std::string shapeOpt;
    std::string inlinePart = "<partA>in line</partA>";
    std::string leafs = "<leaf>x</leaf><leaf>y</leaf>";
    std::string pick = "<pick><num>4</num></pick>";
    std::string bag;
    std::string nilChild;
    std::string extra;

    std::string Text() const
    {
        return "<root xmlns='" + kNs + "' xmlns:xsi='http://www.w3.org/2001/XMLSchema-instance'" + attributes + ">" +
               prim + primOpt + color + colorOpt + child + childOpt + shape + shapeOpt + inlinePart + leafs + pick +
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

// Path and full message of the library exception a call throws.
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

std::string Text(const CCoverageObject& object, int property) { return object.Get(property).ToString(nullptr); }

} // namespace

TEST(Descriptors, EveryMemberKindReadsItsElement)
{
    RootParts parts;
    parts.colorOpt = "<colorOpt>red</colorOpt>";
    parts.childOpt = "<childOpt>o</childOpt>";
    parts.shapeOpt = "<shapeOpt xsi:type='square'><size>2.25</size></shapeOpt>";
    parts.attributes = " tone='blue' partAttr='moved' code='XYZ'";
    parts.bag = "<bag><e>e</e><c>blue</c><a>1</a><g xsi:type='circle'><size>3</size></g><bl>b1</bl><bl>b2</bl></bag>";
    parts.nilChild = "<nilChild><v>value</v></nilChild>";
    CSmartPtr<CCoverageObject> root = Read(parts.Text());

    EXPECT_EQ(2, root->Get(Root_Color).GetI4());
    EXPECT_EQ("XYZ", Text(*root, Root_Code));
    EXPECT_EQ("text", Text(*root, Root_Prim));
    EXPECT_EQ(5, root->Get(Root_PrimOpt).GetI4());
    EXPECT_EQ(1, root->Get(Root_EnumMnd).GetI4());
    EXPECT_EQ(0, root->Get(Root_EnumOpt).GetI4());
    EXPECT_EQ("leaf text", Text(*root->GetChild(Root_Child), Leaf_Text));
    EXPECT_EQ(1, root->GetChild(Root_Child)->Get(Leaf_Id).GetI4());
    EXPECT_EQ("o", Text(*root->GetChild(Root_ChildOpt), Leaf_Text));
    EXPECT_EQ(Coverage_Circle, root->GetChild(Root_Shape)->GetKind());
    EXPECT_EQ(1.5, root->GetChild(Root_Shape)->Get(Shape_Size).GetR8());
    EXPECT_EQ(Coverage_Square, root->GetChild(Root_ShapeOpt)->GetKind());
    EXPECT_EQ("2.25", Text(*root->GetChild(Root_ShapeOpt), Shape_Size));
    CSmartPtr<CCoverageObject> inlinePart = root->GetChild(Root_Inline);
    EXPECT_EQ("in line", Text(*inlinePart, Inline_PartA));
    EXPECT_EQ("moved", Text(*inlinePart, Inline_PartAttr));
    EXPECT_EQ(2, root->GetCollection(Root_Leafs)->GetCount());
    EXPECT_EQ(4, root->GetChild(Root_Pick)->Get(Pick_Num).GetI4());
    CSmartPtr<CCoverageObject> bag = root->GetChild(Root_Bag);
    ASSERT_TRUE(bag);
    EXPECT_EQ(1, bag->Get(Bag_A).GetI4());
    EXPECT_EQ(2, bag->Get(Bag_C).GetI4());
    EXPECT_EQ("e", Text(*bag->GetChild(Bag_E), Leaf_Text));
    EXPECT_EQ(Coverage_Circle, bag->GetChild(Bag_G)->GetKind());
    EXPECT_FALSE(bag->Get(Bag_B).IsValid());
    EXPECT_EQ(2, bag->GetCollection(Bag_Leafs)->GetCount());
    EXPECT_EQ("value", Text(*root->GetChild(Root_NilChild), NilLeaf_Value));
}

TEST(Descriptors, WritingFollowsSchemaOrderAndReadsBack)
{
    RootParts parts;
    parts.attributes = " tone='green' partAttr='p' code='ABC'";
    parts.bag = "<bag><h xsi:type='square'><size>4</size></h><g xsi:type='circle'><size>3</size></g><e>e</e>"
                "<c>red</c><a>9</a></bag>";
    parts.nilChild = "<nilChild xsi:nil='true'/>";
    CSmartPtr<CCoverageObject> root = Read(parts.Text());
    const std::string text = Write(*root);
    // No alias was given for the instance namespace: the writer makes one up.
    const std::string xsi = "xmlns:AA=\"http://www.w3.org/2001/XMLSchema-instance\"";
    // The in-line part's attribute follows the owner's own; the shapes carry
    // their type; the all group is written in schema order; nil is kept.
    EXPECT_EQ("<root xmlns=\"" + kNs + "\" tone=\"green\" code=\"ABC\" partAttr=\"p\"><prim>text</prim>"
                  "<primOpt>5</primOpt><color>green</color><child id=\"1\">leaf text</child>"
                  "<shape " + xsi + " AA:type=\"circle\"><size>1.5</size></shape><partA>in line</partA>"
                  "<leaf>x</leaf><leaf>y</leaf><pick><num>4</num></pick><bag><a>9</a><c>red</c><e>e</e>"
                  "<g " + xsi + " AA:type=\"circle\"><size>3</size></g><h " + xsi +
                  " AA:type=\"square\"><size>4</size></h></bag><nilChild " + xsi + " AA:nil=\"true\"/></root>",
              text);
    EXPECT_EQ(text, Write(*Read(text)));
}

TEST(Descriptors, NilAttributeOnValueElements)
{
    RootParts parts;
    parts.prim = "<prim xsi:nil='TRUE'>ignored</prim>";
    EXPECT_TRUE(Read(parts.Text())->Get(Root_Prim).IsNil());
    parts.prim = "<prim xsi:nil='0'>kept</prim>";
    EXPECT_EQ("kept", Text(*Read(parts.Text()), Root_Prim));

    const struct {
        std::string prim, color, path, message;
    } failures[] = {
        {"<prim xsi:nil='yes'/>", "<color>red</color>", "/root/prim/@xsi:nil",
         "Unexpected Value [yes] for 'nil' Attribute found."},
        {"<prim/>", "<color xsi:nil='true'>red</color>", "/root/color",
         "Invalid use of 'nil' attribute in non-nillable element."},
        {"<prim/>", "<color xsi:nil='yes'>red</color>", "/root/color",
         "Invalid use of 'nil' attribute in non-nillable element."},
        {"<prim other='1'/>", "<color>red</color>", "/root/prim/@other", "Unexpected Attribute found."},
    };
    for (const auto& f : failures) {
        parts.prim = f.prim;
        parts.color = f.color;
        const auto failure = Failure([&] { Read(parts.Text()); });
        EXPECT_EQ(f.path, failure.first) << f.prim << f.color;
        EXPECT_EQ(0u, failure.second.find(f.message)) << failure.second;
    }
    parts.prim = "<prim other='1'/>";
    parts.color = "<color>red</color>";
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

    // A value equal to the default is flagged to the writer, which leaves the
    // text out unless the context asks for default values.
    std::string text = Write(*root);
    EXPECT_NE(std::string::npos, text.find("<primOpt/>")) << text;
    CSerializationContext verbose;
    verbose.SetWriteDefaultElementValues(true);
    EXPECT_NE(std::string::npos, Write(*root, verbose).find("<primOpt>7</primOpt>"));
    // The optional enumerated attribute equal to its default goes only on request.
    TsVariant red;
    red.SetI4(0);
    root->Set(Root_Color, red);
    EXPECT_NE(std::string::npos, Write(*root).find(" tone=\"red\""));
    CSerializationContext quiet;
    quiet.SetNoOptionalAttributeDefaultOutput(true);
    EXPECT_EQ(std::string::npos, Write(*root, quiet).find("tone="));
}

TEST(Descriptors, MandatoryMembersAndTheTolerances)
{
    RootParts parts;
    parts.prim.clear();
    auto failure = Failure([&] { Read(parts.Text()); });
    EXPECT_EQ("/root", failure.first);
    EXPECT_EQ(0u, failure.second.find("Failed to find the required child element [prim]."));

    // Ignoring missing mandatory elements leaves the property untouched and
    // the reading position where it was.
    CSerializationContext lenient;
    lenient.SetIgnoreMissingMandatoryElements(true);
    CSmartPtr<CCoverageObject> root = Read(parts.Text(), lenient);
    EXPECT_FALSE(root->Get(Root_Prim).IsValid());
    EXPECT_EQ(5, root->Get(Root_PrimOpt).GetI4());

    // Unknown siblings before a mandatory element are skipped on request; when
    // the siblings run out first the element is still reported missing.
    CSerializationContext skipping;
    skipping.SetIgnoreUnknownElements(true);
    parts = RootParts();
    parts.prim = "<unknown/><other/><prim>found</prim>";
    parts.extra = "<trailing/>";
    EXPECT_EQ("found", Text(*Read(parts.Text(), skipping), Root_Prim));
    parts.prim = "<unknown/>";
    parts.primOpt = parts.color = parts.child = parts.shape = parts.inlinePart = parts.leafs = parts.pick = "";
    failure = Failure([&] { Read(parts.Text(), skipping); });
    EXPECT_EQ(0u, failure.second.find("Failed to find the required child element [prim]."));

    // Namespaces ignored: the right local names in any namespace match.
    CSerializationContext anyNamespace;
    anyNamespace.SetIgnoreNamespaces(true);
    std::string text = RootParts().Text();
    text.replace(text.find(kNs), kNs.size(), "urn:other");
    EXPECT_EQ("text", Text(*Read(text, anyNamespace), Root_Prim));
    // A schema without namespaces matches by local name too; its documents are
    // read without namespace processing, so a prefixed type attribute is an
    // ordinary attribute and the substituted shape cannot be told.
    CSerializationContext noNamespaces;
    noNamespaces.SetSchemaType(SchemaType_NoNamespaces);
    EXPECT_EQ("Failed to find a suitable substitution element for [shape].\nPath: /root",
              Failure([&] { Read(text, noNamespaces); }).second);
    EXPECT_EQ(0u, Failure([&] { Read(text); }).second.find("Failed to find the required child element [prim]."));

    // Writing: a mandatory member that is not set is an error.
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
    EXPECT_EQ("Not implemented, should never be called",
              MessageOf([&] { seq.Validate(ctx, root, false, true); }));
}

TEST(Descriptors, ChoiceReadsAndWritesOneBranch)
{
    RootParts parts;
    const struct {
        std::string pick;
        int property;
    } branches[] = {
        {"<pick><hue>blue</hue></pick>", Pick_Hue},
        {"<pick><leafPick>l</leafPick></pick>", Pick_Leaf},
        {"<pick><shapePick xsi:type='square'><size>1</size></shapePick></pick>", Pick_Shape},
    };
    for (const auto& b : branches) {
        parts.pick = b.pick;
        CSmartPtr<CCoverageObject> pick = Read(parts.Text())->GetChild(Root_Pick);
        EXPECT_TRUE(pick->Get(b.property).IsValid()) << b.pick;
        EXPECT_FALSE(pick->Get(Pick_Num).IsValid()) << b.pick;
    }
    // The collection branch: its count is checked when it is the branch read.
    parts.pick = "<pick><l>1</l><l>2</l></pick>";
    EXPECT_EQ(2, Read(parts.Text())->GetChild(Root_Pick)->GetCollection(Pick_Leafs)->GetCount());
    parts.pick = "<pick><l>1</l></pick>";
    EXPECT_EQ(0u, Failure([&] { Read(parts.Text()); })
                      .second.find("Failed to process the element.\nPath: /root/pick\nThe Minimum number of [l] "
                                   "elements allowed in this collection is 2"));
    // Two branches in the document: the second is a leftover.
    parts.pick = "<pick><num>1</num><hue>red</hue></pick>";
    EXPECT_EQ(0u, Failure([&] { Read(parts.Text()); })
                      .second.find("Failed read all the elements held within the element [pick]. The unexpected "
                                   "element [hue] remains un processed"));

    // Two branches set: only the first in schema order is written.
    parts.pick = "<pick><hue>blue</hue></pick>";
    CSmartPtr<CCoverageObject> root = Read(parts.Text());
    TsVariant four;
    four.SetI4(4);
    root->GetChild(Root_Pick)->Set(Pick_Num, four);
    const std::string text = Write(*root);
    EXPECT_NE(std::string::npos, text.find("<pick><num>4</num></pick>")) << text;
    // An empty choice with optional members writes nothing and is no error.
    root->GetChild(Root_Pick)->Set(Pick_Num, TsVariant());
    root->GetChild(Root_Pick)->Set(Pick_Hue, TsVariant());
    EXPECT_NE(std::string::npos, Write(*root).find("<pick/>"));
}

TEST(Descriptors, AllGroupInAnyOrderAndItsMandatoryMembers)
{
    RootParts parts;
    parts.bag = "<bag><g xsi:type='circle'><size>3</size></g><e>e</e><c>red</c></bag>";
    const auto failure = Failure([&] { Read(parts.Text()); });
    EXPECT_EQ("/root/bag", failure.first);
    EXPECT_EQ(0u, failure.second.find("Failed to process the element.\nPath: /root/bag\nFailed to find the "
                                      "mandatory element [a]."));
    parts.bag = "<bag><a>1</a><c>red</c><g xsi:type='circle'><size>3</size></g></bag>";
    EXPECT_EQ(0u, Failure([&] { Read(parts.Text()); }).second.find("Failed to process the element.\nPath: /root/bag\n"
                                                                   "Failed to find the mandatory element [e]."));
    parts.bag = "<bag><a>1</a><c>red</c><e/><g xsi:type='circle'><size>3</size></g><zzz/></bag>";
    EXPECT_EQ(0u, Failure([&] { Read(parts.Text()); })
                      .second.find("Failed read all the elements held within the element [bag]. The unexpected "
                                   "element [zzz] remains un processed"));
    // Three items of a collection allowed at most two.
    parts.bag = "<bag><bl/><bl/><bl/><a>1</a><c>red</c><e/><g xsi:type='circle'><size>3</size></g></bag>";
    CSerializationContext counts;
    counts.SetIgnoreInvalidCollectionCounts(true);
    CSmartPtr<CCoverageObject> root = Read(parts.Text(), counts);
    EXPECT_EQ(3, root->GetChild(Root_Bag)->GetCollection(Bag_Leafs)->GetCount());
    EXPECT_EQ("The Maximum number of [bl] elements allowed in this collection is 2",
              MessageOf<CTsValidationException>([&] { Write(*root); }));
    EXPECT_NE(std::string::npos, Write(*root, counts).find("<bl/><bl/><bl/>"));
}

TEST(Descriptors, SubstitutionNeedsAKnownType)
{
    RootParts parts;
    parts.shape = "<shape><size>1</size></shape>";
    auto failure = Failure([&] { Read(parts.Text()); });
    EXPECT_EQ("/root", failure.first);
    EXPECT_EQ(0u, failure.second.find("Failed to find a suitable substitution element for [shape]."));
    parts.shape = "<shape xmlns:o='urn:o' xsi:type='o:circle'><size>1</size></shape>";
    EXPECT_EQ(0u, Failure([&] { Read(parts.Text()); })
                      .second.find("Failed to find a suitable substitution element for [shape]."));
    parts.shape.clear();
    EXPECT_EQ(0u, Failure([&] { Read(parts.Text()); })
                      .second.find("Failed to find a suitable substitution element for [shape]."));

    // The type attribute is written only for an object under another name.
    CSmartPtr<CCoverageObject> root = Read(RootParts().Text());
    CSerializationContext noTypes;
    noTypes.SetWriteTypeAttribute(false);
    EXPECT_EQ(std::string::npos, Write(*root, noTypes).find("xsi:type"));
    CSmartPtr<CCoverageObject> circle = root->GetChild(Root_Shape);
    CSerializationContext ctx;
    ctx.SetDefaultNamespaceURI(kCoverageNamespace);
    const std::string alone = circle->ToXml(false, false, EOLType_LF, ctx);
    EXPECT_EQ("<shape xmlns=\"" + kNs + "\" xmlns:AA=\"http://www.w3.org/2001/XMLSchema-instance\" "
              "AA:type=\"circle\"><size>1.5</size></shape>",
              alone);
}

TEST(Descriptors, ErrorsDeepInsideCarryTheInnermostPath)
{
    RootParts parts;
    parts.bag = "<bag><a>1</a><c>red</c><e id='x'/><g xsi:type='circle'><size>3</size></g></bag>";
    const auto failure = Failure([&] { Read(parts.Text()); });
    // The conversion failure has no path: the leaf stamps its element.
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
    parts.nilChild = "<nilChild xsi:nil='yes'/>";
    EXPECT_EQ("/root/nilChild/@xsi:nil", Failure([&] { Read(parts.Text()); }).first);
    parts.nilChild.clear();
    parts.child = "<child xsi:nil='true'/>";
    EXPECT_EQ(0u, Failure([&] { Read(parts.Text()); })
                      .second.find("Invalid use of 'nil' attribute in non-nillable element."));

    TsVariant code;
    code.SetString("abc");
    root->Set(Root_Code, code);
    EXPECT_EQ("Invalid Value for code [abc].", MessageOf([&] { Write(*root); }));
}

TEST(Descriptors, CollectionStateAroundNonEmptyCollectionsOnly)
{
    // Records, for every element started, the collection state of its parent.
    class CStateWriter : public CXmlWriter {
    public:
        CStateWriter() : CXmlWriter("CStateWriter") {}
        void WriteComment(const std::string&) override {}
        void WriteProcessingInstruction(const std::string&) override {}
        void WriteInlineSchema(const std::string&) override {}
        void StartElement(const std::string& localName, const std::string& ns) override
        {
            log += localName + "(" + std::to_string(GetContext() ? GetContext()->GetCollectionState() : 9) + ") ";
            PushContext(localName, ns);
        }
        void WriteText(const std::string&, ItemType, bool) override {}
        void EndElement() override
        {
            if (GetContext()->GetLocalName() == "root")
                log += "end(" + std::to_string(GetContext()->GetCollectionState()) + ")";
            PopContext();
        }
        void WriteAttribute(const std::string&, const std::string&, const std::string&, ItemType) override {}
        void WriteXsiType(const std::string&, const std::string&, ItemType) override {}
        void WriteNil() override {}
        std::string log;
    };
    RootParts parts;
    parts.leafs.clear();
    CSmartPtr<CCoverageObject> root = Read(parts.Text());
    {
        CStateWriter writer;
        CAttributeInfo::ToXml_Int(root, &writer, false, kCoverageNamespace, CSerializationContext());
        EXPECT_EQ(std::string::npos, writer.log.find("leaf")) << writer.log;
        EXPECT_NE(std::string::npos, writer.log.find("end(0)")) << writer.log;
    }
    root = Read(RootParts().Text());
    CStateWriter writer;
    CAttributeInfo::ToXml_Int(root, &writer, false, kCoverageNamespace, CSerializationContext());
    EXPECT_NE(std::string::npos, writer.log.find("partA(0) leaf(1) leaf(1) pick(3)")) << writer.log;
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
        {"##any ##other", "urn:a", "urn:a"},
        {"urn:x urn:y", "urn:a", ""},
        {"##", "urn:a", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.expected, CElementInfo::GetAnyDefaultNamespace(c.constraint, c.second, "urn:t")) << c.constraint;
}

TEST(Descriptors, CleanMetaDataFreesTablesOnce)
{
    struct CCleaner : CCoverageObject {
        static void Clean(CParentElementInfo*& info, CElementInfo**& elements, CAttributeInfo**& attributes)
        {
            CleanMetaData(info, elements, attributes);
        }
    };
    CParentElementInfo* info = new CParentElementInfo(XmlElementGroupType_Sequence, XmlElementType_Element, "x",
                                                      "", true, false, -1, ItemType_Invalid, nullptr, false);
    CElementInfo** elements = new CElementInfo*[2]{new CElementInfoSeqCol("x", "", 0), nullptr};
    CAttributeInfo** attributes = new CAttributeInfo*[1]{nullptr};
    CCleaner::Clean(info, elements, attributes);
    EXPECT_EQ(nullptr, info);
    EXPECT_EQ(nullptr, elements);
    EXPECT_EQ(nullptr, attributes);
    CCleaner::Clean(info, elements, attributes);
}
